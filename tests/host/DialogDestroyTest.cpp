#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "DialogScene.h"

namespace {

using dialogtest::DialogScene;
using standin::ViolationKind;

constexpr std::uint64_t kNeverIssuedToken = 0x7FFF0042;
constexpr std::int32_t kNone = 0;

DialogScene* gScene = nullptr;
std::vector<std::string> gLog;
std::int32_t gDestroyedByDialog = kNone;  // destroyed by the dialog's destroy procedure
std::int32_t gDestroyedByItemOne = kNone;
host::Dialog gDialog;

std::int32_t IdOf(host::Item item) {
    return static_cast<std::int32_t>(
        reinterpret_cast<std::intptr_t>(gScene->item_->GetUserData(item)));
}

void LogItemDestroy(host::Item item) {
    gLog.push_back("item " + std::to_string(IdOf(item)));
    if (IdOf(item) == 1 && gDestroyedByItemOne != kNone) {
        gScene->item_->Destroy(gScene->ItemOf(gDialog, gDestroyedByItemOne));
    }
}

void LogDialogDestroy(host::Dialog dialog) {
    gLog.push_back("dialog");
    if (gDestroyedByDialog != kNone) {
        gScene->item_->Destroy(gScene->ItemOf(dialog, gDestroyedByDialog));
    }
}

// Destroying a dialog runs its destroy procedure, then the destroy
// procedures of the items still there in id order (the template lists 3, 1,
// 2), each once, however the procedures destroy items themselves.
TEST(DialogDestroy, RunsTheDialogsProcedureThenTheItemsInIdOrder) {
    struct Case {
        std::int32_t byDialog;
        std::int32_t byItemOne;
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {kNone, kNone, {"dialog", "item 1", "item 2", "item 3"}},
        {2, kNone, {"dialog", "item 2", "item 1", "item 3"}},
        {kNone, 3, {"dialog", "item 1", "item 3", "item 2"}},
        {1, 2, {"dialog", "item 1", "item 2", "item 3"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.byDialog << ", " << c.byItemOne);
        DialogScene scene(&dialogtest::TestModule());
        gScene = &scene;
        gLog.clear();
        gDestroyedByDialog = c.byDialog;
        gDestroyedByItemOne = c.byItemOne;
        gDialog = scene.Floating(dialogtest::kUnsortedDialog, "Unsorted");
        scene.dialog_->SetDestroyProc(gDialog, &LogDialogDestroy);
        for (const std::int32_t id : {1, 2, 3}) {
            const host::Item item = scene.ItemOf(gDialog, id);
            scene.item_->SetUserData(item, reinterpret_cast<void*>(std::intptr_t{id}));
            scene.item_->SetDestroyProc(item, &LogItemDestroy);
        }
        scene.dialog_->Destroy(gDialog);
        EXPECT_EQ(gLog, c.log);
        EXPECT_TRUE(scene.dialogs.Dialogs().empty());
        scene.ExpectCleanEnd();
    }
}

// A plug-in object bound to a host dialog or item, as the framework binds
// them: the host's destroy procedure deletes the object, and the object's
// destructor destroys its host object unless it was told that the host is
// destroying it already.
struct Bound {
    bool careful;
    bool isDialog;
    std::uint64_t token;
    int* deletions;

    ~Bound() {
        ++*deletions;
        if (token == 0) {
            return;
        }
        if (isDialog) {
            gScene->dialog_->SetDestroyProc(host::Dialog{token}, nullptr);
            gScene->dialog_->Destroy(host::Dialog{token});
        } else {
            gScene->item_->SetDestroyProc(host::Item{token}, nullptr);
            gScene->item_->Destroy(host::Item{token});
        }
    }
};

void* UserDataOf(host::Dialog dialog) {
    return gScene->dialog_->GetUserData(dialog);
}

void* UserDataOf(host::Item item) {
    return gScene->item_->GetUserData(item);
}

// The host's destroy procedure of a bound object.
template <typename Handle>
void DeleteBound(Handle handle) {
    auto* bound = static_cast<Bound*>(UserDataOf(handle));
    if (bound->careful) {
        bound->token = 0;
    }
    delete bound;
}

// A destroy nested in the destroy of the same object is a violation and is
// ignored: the object is destroyed and its plug-in object deleted once.
TEST(DialogDestroy, ANestedDestroyIsAViolationAndIgnored) {
    struct Case {
        const char* what;
        bool isDialog;
        bool careful;
        std::size_t violations;
        const char* call;
    };
    const Case cases[] = {
        {"dialog whose destructor destroys it again", true, false, 1, "ADM Dialog Suite Destroy"},
        {"dialog that forgets its host dialog first", true, true, 0, ""},
        {"item whose destructor destroys it again", false, false, 1, "ADM Item Suite Destroy"},
        {"item that forgets its host item first", false, true, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DialogScene scene(&dialogtest::TestModule());
        gScene = &scene;
        int deletions = 0;
        const host::Dialog dialog = scene.Floating(dialogtest::kUnsortedDialog, "Unsorted");
        const host::Item item = scene.ItemOf(dialog, 1);
        auto* bound =
            new Bound{c.careful, c.isDialog, c.isDialog ? dialog.token : item.token, &deletions};
        if (c.isDialog) {
            scene.dialog_->SetUserData(dialog, bound);
            scene.dialog_->SetDestroyProc(dialog, &DeleteBound<host::Dialog>);
        } else {
            scene.item_->SetUserData(item, bound);
            scene.item_->SetDestroyProc(item, &DeleteBound<host::Item>);
        }
        scene.dialog_->Destroy(dialog);
        EXPECT_EQ(deletions, 1);
        const auto violations = scene.TakeViolations();
        ASSERT_EQ(violations.size(), c.violations);
        for (const standin::Violation& violation : violations) {
            EXPECT_EQ(violation.kind, ViolationKind::kNestedDestroy);
            EXPECT_EQ(violation.call, c.call);
        }
        EXPECT_TRUE(scene.dialogs.Dialogs().empty());
        scene.ExpectCleanEnd();
    }
}

// Handles of destroyed objects are refused with a violation of the right
// kind; nothing crashes and nothing else is recorded.
TEST(DialogDestroy, GoneHandlesAreViolations) {
    struct Case {
        const char* what;
        std::function<void(DialogScene&, host::Dialog)> act;
        ViolationKind kind;
        const char* call;
    };
    const Case cases[] = {
        {"dialog destroyed twice",
         [](DialogScene& s, host::Dialog d) {
             s.dialog_->Destroy(d);
             s.dialog_->Destroy(d);
         },
         ViolationKind::kDoubleFree, "ADM Dialog Suite Destroy"},
        {"item destroyed twice",
         [](DialogScene& s, host::Dialog d) {
             const host::Item item = s.ItemOf(d, dialogtest::kTextItem);
             s.item_->Destroy(item);
             s.item_->Destroy(item);
             s.dialog_->Destroy(d);
         },
         ViolationKind::kDoubleFree, "ADM Item Suite Destroy"},
        {"item of a destroyed dialog",
         [](DialogScene& s, host::Dialog d) {
             const host::Item item = s.ItemOf(d, dialogtest::kTextItem);
             s.dialog_->Destroy(d);
             s.item_->SetText(item, "zu spät");
         },
         ViolationKind::kStaleHandle, "ADM Item Suite SetText"},
        {"destroyed dialog asked for an item",
         [](DialogScene& s, host::Dialog d) {
             s.dialog_->Destroy(d);
             EXPECT_FALSE(s.dialog_->GetItem(d, dialogtest::kTextItem));
         },
         ViolationKind::kStaleHandle, "ADM Dialog Suite GetItem"},
        {"list of a destroyed popup",
         [](DialogScene& s, host::Dialog d) {
             const host::List list = s.item_->GetList(s.ItemOf(d, dialogtest::kPopupItem));
             s.dialog_->Destroy(d);
             EXPECT_EQ(s.list_->NumberOfEntries(list), 0);
         },
         ViolationKind::kStaleHandle, "ADM List Suite NumberOfEntries"},
        {"removed entry",
         [](DialogScene& s, host::Dialog d) {
             const host::List list = s.item_->GetList(s.ItemOf(d, dialogtest::kPopupItem));
             const host::Entry entry = s.list_->InsertEntry(list, 0);
             s.list_->RemoveEntry(list, 0);
             s.entry_->GetID(entry);
             s.dialog_->Destroy(d);
         },
         ViolationKind::kStaleHandle, "ADM Entry Suite GetID"},
        {"dialog never made",
         [](DialogScene& s, host::Dialog d) {
             s.dialog_->Destroy(host::Dialog{kNeverIssuedToken});
             s.dialog_->Destroy(d);
         },
         ViolationKind::kForeignHandle, "ADM Dialog Suite Destroy"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DialogScene scene(&dialogtest::TestModule());
        c.act(scene, scene.Floating(dialogtest::kKindsDialog));
        scene.ExpectOneViolation(c.kind, c.call);
        scene.ExpectCleanEnd();
    }
}

// The host closes a floating dialog as the plug-in's destroy would; a
// dialog closed is gone.
TEST(DialogDestroy, TheHostClosesAFloatingDialog) {
    DialogScene scene(&dialogtest::TestModule());
    gScene = &scene;
    gLog.clear();
    gDestroyedByDialog = kNone;
    const host::Dialog dialog = scene.Floating(dialogtest::kUnsortedDialog, "Unsorted");
    scene.dialog_->SetDestroyProc(dialog, &LogDialogDestroy);
    EXPECT_EQ(scene.dialogs.FindDialog("Unsorted"), dialog);
    EXPECT_TRUE(scene.dialogs.Close(dialog));
    EXPECT_EQ(gLog, std::vector<std::string>{"dialog"});
    EXPECT_FALSE(scene.dialogs.Close(dialog));
    EXPECT_FALSE(scene.dialogs.FindDialog("Unsorted"));
    scene.ExpectCleanEnd();
}

}  // namespace
