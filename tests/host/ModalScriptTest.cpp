#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "DialogScene.h"

namespace {

using dialogtest::DialogScene;
using standin::ViolationKind;

constexpr std::int32_t kMessageItem = 2;
constexpr std::int32_t kCodeItem = 3;
constexpr const char* kMessage = "Sie müssen zuerst einen Pfad auswählen.";
constexpr const char* kCode = "!sel";

DialogScene* gScene = nullptr;
std::vector<std::string> gEvents;

// The error alert's init: the message and the code text into items 2 and 3;
// item 1 keeps the host's default behaviour.
host::Error ErrorInit(host::Dialog dialog) {
    gScene->item_->SetText(gScene->ItemOf(dialog, kMessageItem), kMessage);
    gScene->item_->SetText(gScene->ItemOf(dialog, kCodeItem), kCode);
    return host::kNoError;
}

// An alert-once dialog's destroy procedure reads its check box, whichever
// button closed it.
void ReadCheckBox(host::Dialog dialog) {
    const bool ticked =
        gScene->item_->GetBooleanValue(gScene->ItemOf(dialog, dialogtest::kCheckBoxItem));
    gEvents.push_back(ticked ? "destroyed, ticked" : "destroyed, not ticked");
}

host::Error AlertOnceInit(host::Dialog dialog) {
    gScene->dialog_->SetDestroyProc(dialog, &ReadCheckBox);
    return host::kNoError;
}

std::int32_t ShowKinds(DialogScene& scene, const char* name = "Kinds") {
    return scene.dialog_->Modal(scene.plugin, name, dialogtest::kKindsDialog, 0, &AlertOnceInit,
                                nullptr, 0);
}

struct ModalScene : DialogScene {
    ModalScene() : DialogScene(&dialogtest::TestModule()) {
        gScene = this;
        gEvents.clear();
    }
};

// The error alert runs against its expectation and is logged with its item
// texts after init and the item that ended it.
TEST(ModalScript, AnExpectedModalRunsAndIsLogged) {
    DialogScene scene;
    gScene = &scene;
    bool inspected = false;
    scene.dialogs.ExpectModal("Error")
        .Inspect([&inspected](const standin::DialogSnapshot& view) {
            inspected = true;
            EXPECT_TRUE(view.modal);
            EXPECT_TRUE(view.visible);
            EXPECT_EQ(view.items.at(kMessageItem).text, kMessage);
        })
        .Press(host::kOkItem);
    EXPECT_EQ(scene.dialog_->Modal(scene.plugin, "Error", dialogtest::kErrorDialog, 0, &ErrorInit,
                                   nullptr, 0),
              host::kOkItem);
    EXPECT_TRUE(inspected);
    ASSERT_EQ(scene.dialogs.ModalLog().size(), 1u);
    const standin::ModalRun& run = scene.dialogs.ModalLog()[0];
    EXPECT_EQ(run.name, "Error");
    EXPECT_EQ(run.resourceId, dialogtest::kErrorDialog);
    EXPECT_EQ(run.texts,
              (std::map<std::int32_t, std::string>{{1, "OK"}, {2, kMessage}, {3, kCode}}));
    EXPECT_EQ(run.result, host::kOkItem);
    EXPECT_TRUE(scene.dialogs.Dialogs().empty());
    scene.ExpectCleanEnd();
}

void OkWithoutDefault(host::Item, host::AdmNotifier) {}

host::Error InitOkWithoutDefault(host::Dialog dialog) {
    gScene->item_->SetNotifyProc(gScene->ItemOf(dialog, host::kOkItem), &OkWithoutDefault);
    return AlertOnceInit(dialog);
}

// What a script does to a modal dialog, what the dialog answers, and the
// violations when the dialog does not follow its script.
TEST(ModalScript, ScriptsAndWhatTheyCatch) {
    struct Case {
        const char* what;
        std::function<void(ModalScene&)> script;
        host::DialogInitProc init;
        std::int32_t result;
        std::vector<ViolationKind> violations;
        std::vector<std::string> events;
    };
    const Case cases[] = {
        {"OK with the check box ticked",
         [](ModalScene& s) {
             s.dialogs.ExpectModal("Kinds")
                 .SetBoolean(dialogtest::kCheckBoxItem, true)
                 .Press(host::kOkItem);
         },
         &AlertOnceInit,
         host::kOkItem,
         {},
         {"destroyed, ticked"}},
        {"Cancel with the check box ticked",
         [](ModalScene& s) {
             s.dialogs.ExpectModal("Kinds")
                 .SetBoolean(dialogtest::kCheckBoxItem, true)
                 .Press(host::kCancelItem);
         },
         &AlertOnceInit,
         host::kCancelItem,
         {},
         {"destroyed, ticked"}},
        {"values set, nothing pressed",
         [](ModalScene& s) {
             s.dialogs.ExpectModal("Kinds")
                 .SetText(dialogtest::kTextItem, "x")
                 .SetNumber(dialogtest::kNumberItem, 2);
         },
         &AlertOnceInit,
         host::kCancelItem,
         {ViolationKind::kModalLeftOpen},
         {"destroyed, not ticked"}},
        {"ended before the script is done",
         [](ModalScene& s) {
             s.dialogs.ExpectModal("Kinds")
                 .Press(host::kOkItem)
                 .SetText(dialogtest::kTextItem, "x");
         },
         &AlertOnceInit,
         host::kOkItem,
         {ViolationKind::kUnexpectedModal},
         {"destroyed, not ticked"}},
        {"an item the script needs is not there",
         [](ModalScene& s) { s.dialogs.ExpectModal("Kinds").Press(99).Press(host::kOkItem); },
         &AlertOnceInit,
         host::kOkItem,
         {ViolationKind::kUnexpectedModal},
         {"destroyed, not ticked"}},
        {"an OK button that leaves out the default",
         [](ModalScene& s) { s.dialogs.ExpectModal("Kinds").Press(host::kOkItem); },
         &InitOkWithoutDefault,
         host::kCancelItem,
         {ViolationKind::kModalLeftOpen},
         {"destroyed, not ticked"}},
        {"no script",
         [](ModalScene&) {},
         &AlertOnceInit,
         host::kCancelItem,
         {ViolationKind::kUnexpectedModal},
         {"destroyed, not ticked"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ModalScene scene;
        c.script(scene);
        EXPECT_EQ(scene.dialog_->Modal(scene.plugin, "Kinds", dialogtest::kKindsDialog, 0, c.init,
                                       nullptr, 0),
                  c.result);
        EXPECT_EQ(gEvents, c.events);
        std::vector<ViolationKind> kinds;
        for (const standin::Violation& violation : scene.TakeViolations()) {
            kinds.push_back(violation.kind);
            EXPECT_EQ(violation.call, "ADM Dialog Suite Modal");
        }
        EXPECT_EQ(kinds, c.violations);
        ASSERT_EQ(scene.dialogs.ModalLog().size(), 1u);
        EXPECT_EQ(scene.dialogs.ModalLog()[0].result, c.result);
        scene.ExpectCleanEnd();
    }
}

// A modal that the script expects under another name is unexpected; the
// expectation waits for its own dialog.
TEST(ModalScript, AnExpectationWaitsForItsDialog) {
    ModalScene scene;
    scene.dialogs.ExpectModal("Other").Press(host::kOkItem);
    EXPECT_EQ(ShowKinds(scene), host::kCancelItem);
    scene.ExpectOneViolation(ViolationKind::kUnexpectedModal, "ADM Dialog Suite Modal");
    EXPECT_EQ(scene.dialogs.PendingModals(), 1u);
    EXPECT_EQ(ShowKinds(scene, "Other"), host::kOkItem);
    ASSERT_EQ(scene.dialogs.ModalLog().size(), 2u);
    EXPECT_EQ(scene.dialogs.ModalLog()[0].name, "Kinds");
    EXPECT_EQ(scene.dialogs.ModalLog()[1].name, "Other");
    scene.ExpectCleanEnd();
}

host::PluginRef gErrorPlugin;
host::Dialog gRunning;

void OpenErrorFromLabel(host::Item item, host::AdmNotifier notifier) {
    gScene->item_->DefaultNotify(item, notifier);
    const std::int32_t answer = gScene->dialog_->Modal(
        gErrorPlugin, "Error", dialogtest::kErrorDialog, 0, &ErrorInit, nullptr, 0);
    gEvents.push_back("error answered " + std::to_string(answer));
}

host::Error InitNested(host::Dialog dialog) {
    gScene->item_->SetNotifyProc(gScene->ItemOf(dialog, dialogtest::kLabelItem),
                                 &OpenErrorFromLabel);
    return AlertOnceInit(dialog);
}

// A modal opened from inside a modal takes the next expectation and is
// logged after the one that opened it.
TEST(ModalScript, AModalInsideAModal) {
    ModalScene scene;
    gErrorPlugin = scene.core.AddPlugin(StriveloResourceModule());
    scene.dialogs.ExpectModal("Kinds").Press(dialogtest::kLabelItem).Press(host::kOkItem);
    scene.dialogs.ExpectModal("Error").Press(host::kOkItem);
    EXPECT_EQ(scene.dialog_->Modal(scene.plugin, "Kinds", dialogtest::kKindsDialog, 0, &InitNested,
                                   nullptr, 0),
              host::kOkItem);
    EXPECT_EQ(gEvents, (std::vector<std::string>{"error answered 1", "destroyed, not ticked"}));
    ASSERT_EQ(scene.dialogs.ModalLog().size(), 2u);
    EXPECT_EQ(scene.dialogs.ModalLog()[0].name, "Kinds");
    EXPECT_EQ(scene.dialogs.ModalLog()[1].name, "Error");
    EXPECT_EQ(scene.dialogs.ModalLog()[1].texts.at(kCodeItem), kCode);
    scene.ExpectCleanEnd();
}

void DestroyRunning(host::Item item, host::AdmNotifier notifier) {
    gScene->item_->DefaultNotify(item, notifier);
    gScene->dialog_->Destroy(gRunning);
}

host::Error InitDestroying(host::Dialog dialog) {
    gRunning = dialog;
    gScene->item_->SetNotifyProc(gScene->ItemOf(dialog, dialogtest::kLabelItem), &DestroyRunning);
    return AlertOnceInit(dialog);
}

// The plug-in does not destroy a running modal dialog; the host does when it
// ends.
TEST(ModalScript, ARunningModalIsNotDestroyedByThePlugin) {
    ModalScene scene;
    scene.dialogs.ExpectModal("Kinds").Press(dialogtest::kLabelItem).Press(host::kOkItem);
    EXPECT_EQ(scene.dialog_->Modal(scene.plugin, "Kinds", dialogtest::kKindsDialog, 0,
                                   &InitDestroying, nullptr, 0),
              host::kOkItem);
    EXPECT_EQ(gEvents, std::vector<std::string>{"destroyed, not ticked"});
    scene.ExpectOneViolation(ViolationKind::kBadArgument, "ADM Dialog Suite Destroy");
    scene.ExpectCleanEnd();
}

// A popup modal runs against the script like a modal.
TEST(ModalScript, APopupModal) {
    ModalScene scene;
    scene.dialogs.ExpectModal("Kinds").Press(host::kCancelItem);
    EXPECT_EQ(scene.dialog_->PopupModal(scene.plugin, "Kinds", dialogtest::kKindsDialog,
                                        &AlertOnceInit, nullptr, 0),
              host::kCancelItem);
    EXPECT_EQ(scene.dialogs.ModalLog().at(0).result, host::kCancelItem);
    scene.ExpectCleanEnd();
}

std::int32_t gEndWith = 0;
bool gEndCancelled = false;

// A button that ends the dialog itself, after the host's default.
void EndFromButton(host::Item item, host::AdmNotifier notifier) {
    gScene->item_->DefaultNotify(item, notifier);
    gScene->dialog_->EndModal(gRunning, gEndWith, gEndCancelled);
}

host::Error InitEnding(host::Dialog dialog) {
    gRunning = dialog;
    for (const std::int32_t id : {host::kOkItem, dialogtest::kLabelItem}) {
        gScene->item_->SetNotifyProc(gScene->ItemOf(dialog, id), &EndFromButton);
    }
    return host::kNoError;
}

// A modal dialog ends with the item id and the cancelled flag that the
// plug-in's EndModal gives, its last word overriding the host's default, or
// as OK and Cancel end it by default.
TEST(ModalScript, EndModal) {
    struct Case {
        const char* what;
        std::int32_t pressed;
        host::DialogInitProc init;
        std::int32_t endWith;
        bool endCancelled;
        std::int32_t result;
        bool cancelled;
    };
    const Case cases[] = {
        {"OK ending with 0", host::kOkItem, &InitEnding, 0, false, 0, false},
        {"a label ending as cancelled", dialogtest::kLabelItem, &InitEnding, host::kCancelItem,
         true, host::kCancelItem, true},
        {"OK by default", host::kOkItem, nullptr, 0, false, host::kOkItem, false},
        {"Cancel by default", host::kCancelItem, nullptr, 0, false, host::kCancelItem, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ModalScene scene;
        gEndWith = c.endWith;
        gEndCancelled = c.endCancelled;
        scene.dialogs.ExpectModal("Kinds").Press(c.pressed);
        EXPECT_EQ(scene.dialog_->Modal(scene.plugin, "Kinds", dialogtest::kKindsDialog, 0, c.init,
                                       nullptr, 0),
                  c.result);
        ASSERT_EQ(scene.dialogs.ModalLog().size(), 1u);
        EXPECT_EQ(scene.dialogs.ModalLog()[0].result, c.result);
        EXPECT_EQ(scene.dialogs.ModalLog()[0].cancelled, c.cancelled);
        scene.ExpectCleanEnd();
    }
}

TEST(ModalScript, EndModalOfADialogNotRunningIsAViolation) {
    ModalScene scene;
    const host::Dialog dialog = scene.Shown(dialogtest::kKindsDialog);
    scene.dialog_->EndModal(dialog, host::kOkItem, false);
    scene.ExpectOneViolation(ViolationKind::kBadArgument, "ADM Dialog Suite EndModal");
    EXPECT_TRUE(scene.dialogs.View(dialog).visible);
    scene.dialog_->Destroy(dialog);
    scene.ExpectCleanEnd();
}

void RunAgain(host::Item item, host::AdmNotifier notifier) {
    gScene->item_->DefaultNotify(item, notifier);
    gEvents.push_back("again " + std::to_string(gScene->dialog_->DoModal(gRunning)));
}

// A dialog made by Create and run with DoModal stays after its run: the
// plug-in hides it, reads what the user entered and destroys it.
TEST(ModalScript, ADialogThatStaysAfterItsModalRun) {
    ModalScene scene;
    const host::Dialog dialog = scene.Floating(dialogtest::kKindsDialog, "Kinds");
    gRunning = dialog;
    scene.item_->SetNotifyProc(scene.ItemOf(dialog, dialogtest::kLabelItem), &RunAgain);
    scene.dialogs.ExpectModal("Kinds")
        .SetNumber(dialogtest::kNumberItem, 2.5f)
        .Press(dialogtest::kLabelItem)
        .Press(host::kOkItem);
    EXPECT_EQ(scene.dialog_->DoModal(dialog), host::kOkItem);
    EXPECT_EQ(gEvents, std::vector<std::string>{"again -1"});
    scene.ExpectOneViolation(ViolationKind::kBadArgument, "ADM Dialog Suite DoModal");

    EXPECT_TRUE(scene.dialog_->IsVisible(dialog));
    scene.dialog_->Show(dialog, false);
    EXPECT_FLOAT_EQ(scene.item_->GetFloatValue(scene.ItemOf(dialog, dialogtest::kNumberItem)),
                    2.5f);
    ASSERT_EQ(scene.dialogs.ModalLog().size(), 1u);
    EXPECT_EQ(scene.dialogs.ModalLog()[0].result, host::kOkItem);
    scene.dialogs.ExpectModal("Kinds").Press(host::kCancelItem);
    EXPECT_EQ(scene.dialog_->DoModal(dialog), host::kCancelItem);
    scene.dialog_->Destroy(dialog);
    scene.ExpectCleanEnd();
}

// Where the default button answers (the headless driver program), a modal
// dialog the script does not expect is answered with OK; one it expects
// still runs its expectation.
TEST(ModalScript, AnsweredWithTheDefaultButton) {
    struct Case {
        const char* what;
        std::function<void(ModalScene&)> script;
        host::DialogInitProc init;
        std::int32_t result;
        std::vector<ViolationKind> violations;
        bool otherWaits;  // the expectation of "Other" is still to come
    };
    const Case cases[] = {
        {"no script", [](ModalScene&) {}, &AlertOnceInit, host::kOkItem, {}, false},
        {"another dialog expected",
         [](ModalScene& s) { s.dialogs.ExpectModal("Other").Press(host::kCancelItem); },
         &AlertOnceInit,
         host::kOkItem,
         {},
         true},
        {"this dialog expected",
         [](ModalScene& s) { s.dialogs.ExpectModal("Kinds").Press(host::kCancelItem); },
         &AlertOnceInit,
         host::kCancelItem,
         {},
         false},
        {"an OK button that leaves out the default",
         [](ModalScene&) {},
         &InitOkWithoutDefault,
         host::kCancelItem,
         {ViolationKind::kModalLeftOpen},
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ModalScene scene;
        scene.dialogs.AnswerWithDefaultButton(true);
        c.script(scene);
        EXPECT_EQ(scene.dialog_->Modal(scene.plugin, "Kinds", dialogtest::kKindsDialog, 0, c.init,
                                       nullptr, 0),
                  c.result);
        std::vector<ViolationKind> kinds;
        for (const standin::Violation& violation : scene.TakeViolations()) {
            kinds.push_back(violation.kind);
        }
        EXPECT_EQ(kinds, c.violations);
        EXPECT_EQ(scene.dialogs.ModalLog().at(0).result, c.result);
        EXPECT_EQ(scene.dialogs.PendingModals(), c.otherWaits ? 1u : 0u);
        if (c.otherWaits) {
            EXPECT_EQ(ShowKinds(scene, "Other"), host::kCancelItem);
        }
        scene.ExpectCleanEnd();
    }
}

}  // namespace
