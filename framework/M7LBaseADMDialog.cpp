#include "M7LBaseADMDialog.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

#include "M7LPluginMain.h"
#include "M7LSuiteTable.h"
#include "host/HostGeometry.h"

namespace {

constexpr const char* kSizeKey = "Size";
constexpr const char* kLocationKey = "Location";
constexpr const char* kVisibleKey = "Visible";
constexpr const char* kDockCodeKey = "DockCode";
constexpr const char* kDockGroupKey = "DockGroup";

constexpr std::int32_t kDefaultDockCode = 0x10201;
constexpr std::int32_t kMinimumLeft = 50;
constexpr std::int32_t kMinimumTop = 30;
// A size that leaves the dialog's size alone.
constexpr std::int32_t kNoSize = -99;
constexpr std::int32_t kNoOptions = 0;
// Dock group names as the host keeps them.
constexpr std::size_t kDockGroupBytes = 256;
constexpr std::size_t kNotifierTypeBytes = 256;

// Styles whose palettes open as they were left; every other dialog is shown.
constexpr std::int32_t kRememberedVisibilityStyles[] = {3, 5, 14, 15};

bool RemembersVisibility(std::int32_t style) {
    return std::find(std::begin(kRememberedVisibilityStyles), std::end(kRememberedVisibilityStyles),
                     style) != std::end(kRememberedVisibilityStyles);
}

}  // namespace

M7LBaseADMDialog::M7LBaseADMDialog(const char* name, std::int32_t resourceId, std::int32_t style,
                                   const char* preferenceSection, const char* dockGroupName,
                                   std::int32_t defaultLeft, std::int32_t defaultTop, bool saveSize)
    : name_(name),
      resourceId_(resourceId),
      style_(style),
      section_(preferenceSection),
      dockGroup_(dockGroupName),
      defaultLeft_(defaultLeft),
      defaultTop_(defaultTop),
      saveSize_(saveSize) {}

host::Error M7LBaseADMDialog::Init() {
    RestorePlacement(section_.CStr(), dockGroup_.CStr(), defaultLeft_, defaultTop_, saveSize_);
    LoadSettings();
    return BaseADMDialog::Init();
}

void M7LBaseADMDialog::Destroy() {
    SavePlacement(section_.CStr(), saveSize_);
}

void M7LBaseADMDialog::LoadSettings() {}

void M7LBaseADMDialog::SaveSettings() {}

void M7LBaseADMDialog::Show() {
    if (style_ != kModalStyle) {
        Create(gPluginRef, name_.CStr(), resourceId_, style_, kNoOptions);
    } else {
        Modal(gPluginRef, name_.CStr(), resourceId_, style_, kNoOptions);
    }
}

void M7LBaseADMDialog::RestorePlacement(const char* preferenceSection, const char* dockGroupName,
                                        std::int32_t defaultLeft, std::int32_t defaultTop,
                                        bool saveSize) {
    section_.Assign(preferenceSection);
    saveSize_ = saveSize;
    const char* section = section_.CStr();

    M7LString dockGroup(dockGroupName);
    std::int32_t dockCode = kDefaultDockCode;
    bool visible = false;
    host::Point location{std::max(defaultLeft, kMinimumLeft), std::max(defaultTop, kMinimumTop)};
    host::Point size{kNoSize, kNoSize};

    // A failed read leaves its default; a stored group too long for the
    // buffer is no group the host has.
    char storedGroup[kDockGroupBytes] = {};
    if (sAiPreference->GetStringPreference(section, kDockGroupKey, storedGroup,
                                           sizeof storedGroup) == host::kNoError) {
        dockGroup.Assign(storedGroup);
    }
    sAiPreference->GetIntegerPreference(section, kDockCodeKey, &dockCode);
    sAiPreference->GetBooleanPreference(section, kVisibleKey, &visible);
    sAiPreference->GetPointPreference(section, kLocationKey, &location);
    if (saveSize) {
        sAiPreference->GetPointPreference(section, kSizeKey, &size);
    }

    if (style_ != kModalStyle) {
        if (location.h >= 0) {
            Move(location.h, location.v);
        }
        if (size.h >= 0) {
            Size(size.h, size.v);
        }
        if (dockGroup.CStr()[0] != '\0') {
            sAdmDialogGroup->SetDialogGroupInfo(dialog_, dockGroup.CStr(), dockCode);
        }
    }
    BaseADMDialog::Show(RemembersVisibility(style_) ? visible : true);
}

void M7LBaseADMDialog::SavePlacement(const char* preferenceSection, bool saveSize) {
    char group[kDockGroupBytes] = {};
    std::int32_t dockCode = host::kDockCodeUndocked;
    const host::Error groupError =
        sAdmDialogGroup->GetDialogGroupInfo(dialog_, group, sizeof group, &dockCode);
    const host::Rect bounds = GetBoundsRect();

    sAiPreference->PutPointPreference(preferenceSection, kLocationKey, {bounds.left, bounds.top});
    if (saveSize) {
        // The bounds include the title bar; sizing sets the content.
        sAiPreference->PutPointPreference(
            preferenceSection, kSizeKey,
            {bounds.right - bounds.left, bounds.bottom - bounds.top - host::kDialogTitleBarHeight});
    }
    if (dockCode != host::kDockCodeUndocked && groupError == host::kNoError) {
        sAiPreference->PutStringPreference(preferenceSection, kDockGroupKey, group);
        sAiPreference->PutIntegerPreference(preferenceSection, kDockCodeKey, dockCode);
    }
    sAiPreference->PutBooleanPreference(preferenceSection, kVisibleKey, IsVisible());
}

M7LBaseADMItem::M7LBaseADMItem(host::Item item, M7LBaseADMDialog* dialog, std::int32_t userValue)
    : BaseADMItem(item), userValue_(userValue), dialog_(dialog) {}

host::Item M7LBaseADMItem::ItemOf(const M7LBaseADMDialog* dialog, std::int32_t itemId) {
    return dialog->GetItem(itemId);
}

bool M7LBaseADMItem::IsUserChange(host::AdmNotifier notifier) {
    char type[kNotifierTypeBytes] = {};
    sAdmNotifier->GetNotifierType(notifier, type, sizeof type);
    return sSpBasic->IsEqual(type, host::kAdmUserChangedNotifier);
}
