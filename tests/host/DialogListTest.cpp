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

// A menu of the resources becomes the entries of a popup, list box or side
// menu, replacing those it had; a missing menu changes nothing.
TEST(DialogMenus, LoadIntoAList) {
    for (const std::int32_t id :
         {dialogtest::kPopupItem, dialogtest::kListBoxItem, dialogtest::kSideMenuItem}) {
        SCOPED_TRACE(id);
        ListScene scene(id);
        scene.Fill(2);
        const host::Entry before = scene.At(0);
        EXPECT_EQ(scene.list_->LoadMenu(scene.list, scene.plugin, dialogtest::kMissingMenu),
                  host::kErrorNotFound);
        EXPECT_EQ(scene.View().entries.size(), 2u);
        EXPECT_EQ(scene.list_->LoadMenu(scene.list, scene.plugin, dialogtest::kMenu),
                  host::kNoError);
        const standin::ItemSnapshot view = scene.View();
        ASSERT_EQ(view.entries.size(), 4u);
        const char* const texts[] = {"Eins", "", "Drei", "Vier"};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(view.entries[i].text, texts[i]);
            EXPECT_EQ(view.entries[i].id, i + 1);
            EXPECT_EQ(view.entries[i].separator, i == 1);
            EXPECT_TRUE(view.entries[i].enabled);
            EXPECT_FALSE(view.entries[i].checked);
        }
        EXPECT_EQ(view.activeEntry, id == dialogtest::kPopupItem ? 0 : kNoEntry);
        EXPECT_EQ(scene.entry_->GetID(before), 0);
        scene.ExpectOneViolation(standin::ViolationKind::kStaleHandle, "ADM Entry Suite GetID");
        scene.End();
    }
}

// Entries by id and by position; check marks and disabled entries as the
// user meets them: a separator or a disabled entry cannot be chosen.
TEST(DialogMenus, EntriesTheUserChooses) {
    ListScene scene(dialogtest::kSideMenuItem);
    scene.item_->SetNotifyProc(scene.item, &RecordActive);
    ASSERT_EQ(scene.list_->LoadMenu(scene.list, scene.plugin, dialogtest::kMenu), host::kNoError);
    const host::Entry three = scene.list_->FindEntry(scene.list, 3);
    EXPECT_EQ(scene.entry_->GetIndex(three), 2);
    EXPECT_FALSE(scene.list_->FindEntry(scene.list, 5));
    scene.entry_->SetChecked(three, true);
    scene.entry_->Enable(scene.list_->FindEntry(scene.list, 4), false);
    EXPECT_FALSE(scene.dialogs.UserSelectEntry(scene.dialog, scene.id, 1));
    EXPECT_FALSE(scene.dialogs.UserSelectEntry(scene.dialog, scene.id, 3));
    EXPECT_TRUE(scene.dialogs.UserSelectEntry(scene.dialog, scene.id, 2));
    EXPECT_EQ(gActiveIds, std::vector<std::int32_t>{3});
    const standin::ItemSnapshot view = scene.View();
    EXPECT_TRUE(view.entries[2].checked);
    EXPECT_FALSE(view.entries[3].enabled);
    EXPECT_EQ(view.activeEntry, 2);

    scene.list_->InsertEntry(scene.list, 0);
    EXPECT_EQ(scene.entry_->GetIndex(three), 3);
    int data = 0;
    scene.entry_->SetUserData(three, &data);
    EXPECT_EQ(scene.entry_->GetUserData(three), &data);
    scene.End();
}

std::vector<std::string> gHeard;
bool gPassOn = false;

void EntryHeard(host::Entry entry, host::AdmNotifier notifier) {
    gHeard.push_back("entry " + std::to_string(gScene->entry_->GetID(entry)) + " " +
                     dialogtest::TypeOf(*gScene, notifier));
    if (gPassOn) {
        gScene->entry_->DefaultNotify(entry, notifier);
    }
}

void ItemHeard(host::Item, host::AdmNotifier notifier) {
    gHeard.push_back("item " + dialogtest::TypeOf(*gScene, notifier));
}

// The user's choice goes to the list's entry notify procedure, whose default
// passes it on to the item; without one, straight to the item.
TEST(DialogMenus, AChoiceGoesToTheEntryNotifyProcedure) {
    const std::string changed = host::kAdmUserChangedNotifier;
    struct Case {
        const char* what;
        bool entryProc;
        bool passOn;
        std::vector<std::string> heard;
    };
    const Case cases[] = {
        {"no entry notify procedure", false, false, {"item " + changed}},
        {"one that passes it on", true, true, {"entry 11 " + changed, "item " + changed}},
        {"one that keeps it", true, false, {"entry 11 " + changed}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ListScene scene(dialogtest::kListBoxItem);
        scene.Fill(2);
        gHeard.clear();
        gPassOn = c.passOn;
        scene.item_->SetNotifyProc(scene.item, &ItemHeard);
        if (c.entryProc) {
            scene.list_->SetEntryNotifyProc(scene.list, &EntryHeard);
        }
        EXPECT_TRUE(scene.dialogs.UserSelectEntry(scene.dialog, scene.id, 1));
        EXPECT_EQ(gHeard, c.heard);
        EXPECT_EQ(scene.View().activeEntry, 1);
        scene.End();
    }
}

}  // namespace
