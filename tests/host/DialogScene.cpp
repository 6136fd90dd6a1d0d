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
    {kListBoxItem, M7LResourceItemKind::kListBox, "", {10, 106, 10 + kListBoxWidth, 140}},
    {kDisabledItem, M7LResourceItemKind::kTextEdit, "aus", {10, 150, 70, 166}, kM7LItemDisabled},
    {kHiddenItem, M7LResourceItemKind::kTextEdit, "versteckt", {0, 0, 1, 1}, kM7LItemHidden},
    {kPictureButtonItem,
     M7LResourceItemKind::kPictureButton,
     "",
     {10, 170, 26, 186},
     0,
     0,
     host::kUnitsNone,
     kIcon},
    {kPictureToggleItem,
     M7LResourceItemKind::kPictureToggle,
     "",
     {30, 170, 46, 186},
     0,
     0,
     host::kUnitsNone,
     kIcon},
    {kReadoutItem,
     M7LResourceItemKind::kStaticText,
     "",
     {50, 170, 230, 186},
     kM7LItemUnitEntry,
     kReadoutPrecision,
     host::kUnitsPoints},
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

constexpr M7LDialogItemTemplate kMissingPictureItems[] = {
    {1, M7LResourceItemKind::kPicture, "", {0, 0, 10, 10}, 0, 0, host::kUnitsNone, kIcon + 99},
};

constexpr M7LDialogItemTemplate kTextPictureItems[] = {
    {1, M7LResourceItemKind::kTextEdit, "Bild?", {0, 0, 10, 10}, 0, 0, host::kUnitsNone, kIcon},
};

constexpr M7LDialogItemTemplate kBadNumberItems[] = {
    {1, M7LResourceItemKind::kNumberEdit, "1", {0, 0, 10, 10}, 0, 11, 5},
};

constexpr M7LDialogTemplate kDialogs[] = {
    {kKindsDialog, "Kinds", "Alle Arten", kKindsWidth, kKindsHeight, kKindsItems,
     std::size(kKindsItems)},
    {kUnsortedDialog, "Unsorted", "Ungeordnet", 100, 50, kUnsortedItems, std::size(kUnsortedItems)},
    {kTwiceDialog, "Twice", "Doppelt", 100, 50, kTwiceItems, std::size(kTwiceItems)},
    {kMissingPictureDialog, "Picture", "Bild", 100, 50, kMissingPictureItems,
     std::size(kMissingPictureItems)},
    {kTextPictureDialog, "Text", "Text", 100, 50, kTextPictureItems, std::size(kTextPictureItems)},
    {kBadNumberDialog, "Number", "Zahl", 100, 50, kBadNumberItems, std::size(kBadNumberItems)},
};

constexpr M7LResourceIcon kIcons[] = {{kIcon, 2}, {kOtherIcon, 1}};

constexpr M7LMenuEntryTemplate kMenuEntries[] = {
    {1, "Eins"},
    {2, "", true},
    {3, "Drei"},
    {4, "Vier"},
};

constexpr M7LResourceMenu kMenus[] = {{kMenu, kMenuEntries, std::size(kMenuEntries)}};

constexpr M7LResourceModule kModule = {
    nullptr,           0,      kDialogs,         std::size(kDialogs), kIcons,
    std::size(kIcons), kMenus, std::size(kMenus)};

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
    Acquire(host::kAdmDrawerSuite, drawer_);
    Acquire(host::kAdmTrackerSuite, tracker_);
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
          &host::kAdmNotifierSuite, &host::kAdmIconSuite, &host::kAdmDrawerSuite,
          &host::kAdmTrackerSuite}) {
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
