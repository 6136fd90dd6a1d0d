#include "DialogScene.h"

#include <iterator>

namespace dialogtest {

namespace {

constexpr std::int32_t kPaletteStyle = 3;
constexpr std::size_t kTypeBytes = 256;
constexpr std::size_t kTextBytes = 1024;

constexpr M7LDialogItemTemplate kKindsItems[] = {
    {kSideMenuItem, M7LResourceItemKind::kSideMenu, "", {0, 0, 16, 16}},
    {host::kOkItem, M7LResourceItemKind::kButton, "OK", {160, 150, 230, 170}},
    {host::kCancelItem, M7LResourceItemKind::kButton, "Abbrechen", {80, 150, 150, 170}},
    {kLabelItem, M7LResourceItemKind::kStaticText, "Größe:", {10, 10, 80, 26}},
    {kTextItem, M7LResourceItemKind::kTextEdit, "Start", {90, 10, 230, 26}},
    {kNumberItem,
     M7LResourceItemKind::kNumberEdit,
     "12.5",
     {90, 30, 230, 46},
     0,
     kNumberPrecision,
     kNumberUnits},
    {kCheckBoxItem, M7LResourceItemKind::kCheckBox, "Nicht mehr zeigen", {10, 50, 230, 66}},
    {kPictureItem, M7LResourceItemKind::kPicture, "", {10, 70, 42, 102}},
    {kPopupItem, M7LResourceItemKind::kPopup, "Typ", {50, 70, 230, 86}},
    {kListBoxItem, M7LResourceItemKind::kListBox, "", {10, 106, 230, 140}},
    {kDisabledItem, M7LResourceItemKind::kTextEdit, "aus", {10, 150, 70, 166}, kM7LItemDisabled},
    {kHiddenItem, M7LResourceItemKind::kTextEdit, "versteckt", {0, 0, 1, 1}, kM7LItemHidden},
};

constexpr M7LDialogItemTemplate kUnsortedItems[] = {
    {3, M7LResourceItemKind::kStaticText, "drei", {0, 0, 10, 10}},
    {1, M7LResourceItemKind::kButton, "eins", {0, 0, 10, 10}},
    {2, M7LResourceItemKind::kButton, "zwei", {0, 0, 10, 10}},
};

constexpr M7LDialogItemTemplate kTwiceItems[] = {
    {1, M7LResourceItemKind::kButton, "OK", {0, 0, 10, 10}},
    {1, M7LResourceItemKind::kStaticText, "noch einmal", {0, 0, 10, 10}},
};

constexpr M7LDialogTemplate kDialogs[] = {
    {kKindsDialog, "Kinds", "Alle Arten", kKindsWidth, kKindsHeight, kKindsItems,
     std::size(kKindsItems)},
    {kUnsortedDialog, "Unsorted", "Ungeordnet", 100, 50, kUnsortedItems, std::size(kUnsortedItems)},
    {kTwiceDialog, "Twice", "Doppelt", 100, 50, kTwiceItems, std::size(kTwiceItems)},
};

constexpr M7LResourceModule kModule = {nullptr, 0, kDialogs, std::size(kDialogs)};

}  // namespace

const M7LResourceModule& TestModule() {
    return kModule;
}

DialogScene::DialogScene(const M7LResourceModule* module, host::Generation generation)
    : core(generation), plugin(core.AddPlugin(module)), sp(core.GetBasicSuite()) {
    Acquire(host::kAdmBasicSuite, basic_);
    Acquire(host::kAdmDialogSuite, dialog_);
    Acquire(host::kAdmDialogGroupSuite, group_);
    Acquire(host::kAdmItemSuite, item_);
    Acquire(host::kAdmListSuite, list_);
    Acquire(host::kAdmEntrySuite, entry_);
    Acquire(host::kAdmNotifierSuite, notifier_);
    Acquire(host::kAdmIconSuite, icon_);
}

template <typename Suite>
void DialogScene::Acquire(const host::SuiteVersions& suite, const Suite*& table) {
    const void* acquired = nullptr;
    EXPECT_EQ(sp->AcquireSuite(suite.name, suite.In(core.GetGeneration()), &acquired),
              host::kNoError)
        << suite.name;
    table = static_cast<const Suite*>(acquired);
}

void DialogScene::ReleaseAll() {
    for (const host::SuiteVersions* suite :
         {&host::kAdmBasicSuite, &host::kAdmDialogSuite, &host::kAdmDialogGroupSuite,
          &host::kAdmItemSuite, &host::kAdmListSuite, &host::kAdmEntrySuite,
          &host::kAdmNotifierSuite, &host::kAdmIconSuite}) {
        EXPECT_EQ(sp->ReleaseSuite(suite->name, suite->In(core.GetGeneration())), host::kNoError);
    }
}

host::Dialog DialogScene::Floating(std::int32_t resourceId, const char* name,
                                   host::DialogInitProc init, void* userData) {
    return dialog_->Create(plugin, name, resourceId, kPaletteStyle, init, userData, 0);
}

host::Dialog DialogScene::Shown(std::int32_t resourceId, const char* name) {
    const host::Dialog dialog = Floating(resourceId, name);
    dialog_->Show(dialog, true);
    return dialog;
}

std::string DialogScene::Text(host::Item item) const {
    char text[kTextBytes];
    item_->GetText(item, text, sizeof text);
    return text;
}

std::vector<standin::Violation> DialogScene::TakeViolations() {
    std::vector<standin::Violation> taken = core.GetViolations().All();
    core.GetViolations().Clear();
    return taken;
}

void DialogScene::ExpectOneViolation(standin::ViolationKind kind, std::string_view call) {
    const std::vector<standin::Violation> violations = TakeViolations();
    ASSERT_EQ(violations.size(), 1u);
    EXPECT_EQ(violations[0].kind, kind) << violations[0];
    EXPECT_EQ(violations[0].call, call);
}

void DialogScene::ExpectCleanEnd() {
    if (!released_) {
        ReleaseAll();
        released_ = true;
    }
    EXPECT_EQ(core.GetLedger().Imbalance(), "");
    EXPECT_EQ(dialogs.Imbalance(), "");
    EXPECT_EQ(dialogs.PendingModals(), 0u);
    for (const standin::Violation& violation : core.GetViolations().All()) {
        ADD_FAILURE() << violation;
    }
}

std::string TypeOf(const DialogScene& scene, host::AdmNotifier notifier) {
    char type[kTypeBytes];
    scene.notifier_->GetNotifierType(notifier, type, sizeof type - 1);
    return type;
}

}  // namespace dialogtest
