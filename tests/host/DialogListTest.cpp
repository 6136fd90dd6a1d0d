#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "DialogScene.h"

namespace {

using dialogtest::DialogScene;

constexpr int kNoEntry = -1;
constexpr std::int32_t kFirstId = 10;

DialogScene* gScene = nullptr;
std::vector<std::int32_t> gActiveIds;  // the active entry's id, as each notify saw it

struct ListScene : DialogScene {
    explicit ListScene(std::int32_t itemId) : DialogScene(&dialogtest::TestModule()), id(itemId) {
        gScene = this;
        gActiveIds.clear();
        dialog = Shown(dialogtest::kKindsDialog, "Kinds");
        item = ItemOf(dialog, id);
        list = item_->GetList(item);
    }
    // Entries "0", "1", ... with ids 10, 11, ..., each inserted at the end.
    void Fill(int count) {
        for (int i = 0; i < count; ++i) {
            const host::Entry entry = list_->InsertEntry(list, list_->NumberOfEntries(list));
            entry_->SetText(entry, std::to_string(i).c_str());
            entry_->SetID(entry, kFirstId + i);
        }
    }
    standin::ItemSnapshot View() { return dialogs.View(dialog).items.at(id); }
    host::Entry At(int index) { return list_->IndexEntry(list, index); }
    void End() {
        dialog_->Destroy(dialog);
        ExpectCleanEnd();
    }
    const std::int32_t id;
    host::Dialog dialog;
    host::Item item;
    host::List list;
};

struct Step {
    const char* what;
    std::function<void(ListScene&)> act;
    int popupActive;  // the active entry's index afterwards
    int otherActive;  // the same for a list box or side menu
};

// A popup with entries has exactly one active entry; a list box or side menu
// has at most one. The same steps on each.
TEST(DialogLists, APopupKeepsExactlyOneActiveEntry) {
    const Step steps[] = {
        {"three entries inserted", [](ListScene& s) { s.Fill(3); }, 0, kNoEntry},
        {"the last selected", [](ListScene& s) { s.entry_->Select(s.At(2), true); }, 2, 2},
        {"the last deselected", [](ListScene& s) { s.entry_->Select(s.At(2), false); }, 2,
         kNoEntry},
        {"the last selected again", [](ListScene& s) { s.entry_->Select(s.At(2), true); }, 2, 2},
        {"an entry inserted in front",
         [](ListScene& s) { s.entry_->SetText(s.list_->InsertEntry(s.list, 0), "vorn"); }, 3, 3},
        {"the front entry removed", [](ListScene& s) { s.list_->RemoveEntry(s.list, 0); }, 2, 2},
        {"the active entry removed", [](ListScene& s) { s.list_->RemoveEntry(s.list, 2); }, 0,
         kNoEntry},
        {"all removed, entry 0 at a time",
         [](ListScene& s) {
             while (s.list_->NumberOfEntries(s.list) > 0) {
                 s.list_->RemoveEntry(s.list, 0);
             }
         },
         kNoEntry, kNoEntry},
        {"refilled", [](ListScene& s) { s.Fill(2); }, 0, kNoEntry},
    };
    for (const std::int32_t id :
         {dialogtest::kPopupItem, dialogtest::kListBoxItem, dialogtest::kSideMenuItem}) {
        SCOPED_TRACE(id);
        ListScene scene(id);
        for (const Step& step : steps) {
            SCOPED_TRACE(step.what);
            step.act(scene);
            const int expected = id == dialogtest::kPopupItem ? step.popupActive : step.otherActive;
            EXPECT_EQ(scene.View().activeEntry, expected);
            const host::Entry active = scene.list_->GetActiveEntry(scene.list);
            EXPECT_EQ(active, expected == kNoEntry ? host::Entry{} : scene.At(expected));
        }
        scene.End();
    }
}

TEST(DialogLists, EntriesKeepTheirTextsAndIds) {
    ListScene scene(dialogtest::kPopupItem);
    scene.Fill(2);
    const standin::ItemSnapshot view = scene.View();
    ASSERT_EQ(view.entries.size(), 2u);
    EXPECT_EQ(view.entries[0].text, "0");
    EXPECT_EQ(view.entries[1].text, "1");
    EXPECT_EQ(scene.entry_->GetID(scene.At(0)), kFirstId);
    EXPECT_EQ(scene.entry_->GetID(scene.At(1)), kFirstId + 1);
    EXPECT_EQ(view.entries[1].id, kFirstId + 1);
    scene.End();
}

// Positions outside the list are violations and change nothing.
TEST(DialogLists, PositionsOutsideTheListAreViolations) {
    struct Case {
        const char* what;
        std::function<void(ListScene&)> act;
        const char* call;
    };
    const Case cases[] = {
        {"insert beyond the end",
         [](ListScene& s) { EXPECT_FALSE(s.list_->InsertEntry(s.list, 3)); },
         "ADM List Suite InsertEntry"},
        {"insert before the start",
         [](ListScene& s) { EXPECT_FALSE(s.list_->InsertEntry(s.list, -1)); },
         "ADM List Suite InsertEntry"},
        {"remove beyond the end", [](ListScene& s) { s.list_->RemoveEntry(s.list, 2); },
         "ADM List Suite RemoveEntry"},
        {"entry beyond the end", [](ListScene& s) { EXPECT_FALSE(s.list_->IndexEntry(s.list, 2)); },
         "ADM List Suite IndexEntry"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ListScene scene(dialogtest::kPopupItem);
        scene.Fill(2);
        c.act(scene);
        EXPECT_EQ(scene.list_->NumberOfEntries(scene.list), 2);
        scene.ExpectOneViolation(standin::ViolationKind::kBadArgument, c.call);
        scene.End();
    }
}

void RecordActive(host::Item item, host::AdmNotifier notifier) {
    gScene->item_->DefaultNotify(item, notifier);
    const host::Entry active = gScene->list_->GetActiveEntry(gScene->item_->GetList(item));
    gActiveIds.push_back(gScene->entry_->GetID(active));
}

// The user's choice is the active entry when the item hears of it.
TEST(DialogLists, TheUsersChoiceIsActiveBeforeTheNotification) {
    ListScene scene(dialogtest::kPopupItem);
    scene.Fill(3);
    scene.item_->SetNotifyProc(scene.item, &RecordActive);
    EXPECT_TRUE(scene.dialogs.UserSelectEntry(scene.dialog, dialogtest::kPopupItem, 2));
    EXPECT_TRUE(scene.dialogs.UserSelectEntry(scene.dialog, dialogtest::kPopupItem, 0));
    EXPECT_FALSE(scene.dialogs.UserSelectEntry(scene.dialog, dialogtest::kPopupItem, 3));
    EXPECT_FALSE(scene.dialogs.UserSelectEntry(scene.dialog, dialogtest::kTextItem, 0));
    EXPECT_EQ(gActiveIds, (std::vector<std::int32_t>{kFirstId + 2, kFirstId}));
    scene.End();
}

}  // namespace
