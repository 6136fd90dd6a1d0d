#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "DialogManager.h"
#include "HostCore.h"
#include "StriveloResources.h"
#include "host/AdmSuites.h"
#include "host/HostSuites.h"
#include "host/SpSuites.h"

namespace dialogtest {

// The error alert's template in the plug-in's resources.
inline constexpr std::int32_t kErrorDialog = 16051;

// Templates of the tests' own resource module.
inline constexpr std::int32_t kKindsDialog = 100;     // an item of every kind
inline constexpr std::int32_t kUnsortedDialog = 101;  // items 3, 1, 2 in this order
inline constexpr std::int32_t kTwiceDialog = 102;     // item 1 twice
// Item 1 is a mistake of the template.
inline constexpr std::int32_t kMissingPictureDialog = 103;  // a picture not in the resources
inline constexpr std::int32_t kTextPictureDialog = 104;     // a text edit with a picture
inline constexpr std::int32_t kBadNumberDialog = 105;       // units and precision unknown
inline constexpr std::int32_t kMissingDialog = 4711;

// Items of kKindsDialog.
inline constexpr std::int32_t kLabelItem = 3;
inline constexpr std::int32_t kTextItem = 4;
inline constexpr std::int32_t kNumberItem = 5;
inline constexpr std::int32_t kCheckBoxItem = 6;
inline constexpr std::int32_t kPictureItem = 7;
inline constexpr std::int32_t kPopupItem = 8;
inline constexpr std::int32_t kListBoxItem = 9;
inline constexpr std::int32_t kSideMenuItem = -5;
inline constexpr std::int32_t kDisabledItem = 10;
inline constexpr std::int32_t kHiddenItem = 11;
inline constexpr std::int32_t kPictureButtonItem = 12;
inline constexpr std::int32_t kPictureToggleItem = 13;
inline constexpr std::int32_t kReadoutItem = 14;  // a static text showing points

inline constexpr std::int32_t kNumberPrecision = 2;
inline constexpr std::int32_t kNumberUnits = 101;
inline constexpr std::int32_t kReadoutPrecision = 3;
inline constexpr std::int32_t kListBoxWidth = 220;

// Other resources of the tests' module: an icon of two images, and a menu
// with ids 1 to 4, entry 1 (id 2) a separator.
inline constexpr std::int32_t kIcon = 300;
inline constexpr std::int32_t kOtherIcon = 301;
inline constexpr std::int32_t kMenu = 200;
inline constexpr std::int32_t kMissingMenu = 201;
inline constexpr std::int32_t kKindsWidth = 240;
inline constexpr std::int32_t kKindsHeight = 200;

const M7LResourceModule& TestModule();

// A stand-in host with its dialog manager and one plug-in whose resources
// are the module given, and the dialog-manager suites as the plug-in holds
// them.
struct DialogScene {
    explicit DialogScene(const M7LResourceModule* module = StriveloResourceModule(),
                         host::Generation generation = host::Generation::kCs3);

    // A floating dialog (style 3, no options).
    host::Dialog Floating(std::int32_t resourceId, const char* name = "Palette",
                          host::DialogInitProc init = nullptr, void* userData = nullptr);
    // A floating dialog, shown, so that the user reaches its items.
    host::Dialog Shown(std::int32_t resourceId, const char* name = "Palette");
    host::Item ItemOf(host::Dialog dialog, std::int32_t itemId) const {
        return dialog_->GetItem(dialog, itemId);
    }
    std::string Text(host::Item item) const;

    // The violations so far, which are then forgotten.
    std::vector<standin::Violation> TakeViolations();
    // Exactly one violation so far, of the kind and against the call; then
    // forgotten.
    void ExpectOneViolation(standin::ViolationKind kind, std::string_view call);
    // How every test ends: suites released, nothing left over, no mistake.
    void ExpectCleanEnd();

    standin::HostCore core;
    standin::DialogManager dialogs{core};
    const host::PluginRef plugin;
    const host::SpBasicSuite* sp;
    const host::AdmBasicSuite* basic_ = nullptr;
    const host::AdmDialogSuite* dialog_ = nullptr;
    const host::AdmDialogGroupSuite* group_ = nullptr;
    const host::AdmItemSuite* item_ = nullptr;
    const host::AdmListSuite* list_ = nullptr;
    const host::AdmEntrySuite* entry_ = nullptr;
    const host::AdmNotifierSuite* notifier_ = nullptr;
    const host::AdmIconSuite* icon_ = nullptr;
    const host::AdmDrawerSuite* drawer_ = nullptr;
    const host::AdmTrackerSuite* tracker_ = nullptr;

private:
    template <typename Suite>
    void Acquire(const host::SuiteVersions& suite, const Suite*& table);
    void ReleaseAll();

    bool released_ = false;
};

// The type of a notifier, as the plug-in reads it (at most 255 characters).
std::string TypeOf(const DialogScene& scene, host::AdmNotifier notifier);

}  // namespace dialogtest
