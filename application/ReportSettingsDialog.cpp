#include "ReportSettingsDialog.h"

#include "CheckDialog.h"
#include "M7LPluginMain.h"
#include "M7LSuiteTable.h"
#include "host/AdmSuites.h"

namespace {

constexpr const char* kDialogName = "ReportSettingsDialog";
constexpr std::int32_t kDialogId = 26400;
constexpr const char* kPreferenceSection = "M7LReportSettingsDialog";
constexpr const char* kDockGroupName = "Mor7Lant_ReportSettingsDialog";
constexpr std::int32_t kDefaultPosition = 50;

constexpr std::int32_t kModeItem = 4;
constexpr std::int32_t kUnitsItem = 6;
constexpr std::int32_t kPrefixItem = 8;
constexpr std::int32_t kUseFileNameItem = 9;
constexpr std::int32_t kPostfixItem = 10;
constexpr std::int32_t kGenerateItem = 11;
constexpr std::int32_t kLabelItems[] = {3, 5, 7};

constexpr std::int32_t kModeMenuId = 26003;
constexpr std::int32_t kUnitsMenuId = 26004;
// Entry ids of the menus are the palette's values, from 1.
constexpr std::int32_t kFirstEntryId = 1;
constexpr std::int32_t kModeEntries = 3;
constexpr std::int32_t kUnitsEntries = 5;

// The name parts hold up to 255 characters and their terminator.
constexpr std::size_t kNamePartBytes = 256;

}  // namespace

// OK (item 1) writes the settings into the palette; both end the dialog.
class RSOKCancelButton : public M7LBaseADMItem {
public:
    RSOKCancelButton(ReportSettingsDialog* dialog, std::int32_t itemId)
        : M7LBaseADMItem(ItemOf(dialog, itemId), dialog, itemId), dialog_(*dialog) {}

    void Notify(host::AdmNotifier notifier) override {
        M7LBaseADMItem::Notify(notifier);
        if (IsUserChange(notifier) && GetUserValue() == host::kOkItem) {
            dialog_.WriteToPalette();
        }
    }

private:
    ReportSettingsDialog& dialog_;
};

// A popup of the palette's values 1 to entries, as the menu's entry ids.
class ReportSettingsPopUp : public M7LBaseADMItem {
public:
    ReportSettingsPopUp(M7LBaseADMDialog* dialog, std::int32_t itemId, std::int32_t menuId,
                        std::int32_t entries)
        : M7LBaseADMItem(ItemOf(dialog, itemId), dialog, itemId), entries_(entries) {
        list_ = sAdmItem->GetList(GetItem());
        sAdmList->LoadMenu(list_, gPluginRef, menuId);
        SelectValue(kFirstEntryId);
    }

    // Selects the value's entry, the first for a value it does not list.
    void SelectValue(std::int32_t value) const {
        const std::int32_t id = value >= kFirstEntryId && value <= entries_ ? value : kFirstEntryId;
        if (const host::Entry entry = sAdmList->FindEntry(list_, id)) {
            sAdmEntry->Select(entry, true);
        }
    }

    // The value of the active entry by its position.
    std::int32_t GetValue() const {
        const host::Entry active = sAdmList->GetActiveEntry(list_);
        const std::int32_t position = active ? sAdmEntry->GetIndex(active) : 0;
        return position >= 0 && position < entries_ ? position + kFirstEntryId : kFirstEntryId;
    }

private:
    host::List list_;
    std::int32_t entries_;
};

class ReportModePopUp : public ReportSettingsPopUp {
public:
    explicit ReportModePopUp(M7LBaseADMDialog* dialog)
        : ReportSettingsPopUp(dialog, kModeItem, kModeMenuId, kModeEntries) {}
};

class ReportUnitsPopUp : public ReportSettingsPopUp {
public:
    explicit ReportUnitsPopUp(M7LBaseADMDialog* dialog)
        : ReportSettingsPopUp(dialog, kUnitsItem, kUnitsMenuId, kUnitsEntries) {}
};

ReportSettingsDialog::ReportSettingsDialog(CheckDialog& palette)
    : M7LBaseADMDialog(kDialogName, kDialogId, kModalStyle, kPreferenceSection, kDockGroupName,
                       kDefaultPosition, kDefaultPosition, false),
      palette_(palette) {
    Show();
}

host::Error ReportSettingsDialog::Init() {
    okButton_ = new RSOKCancelButton(this, host::kOkItem);
    cancelButton_ = new RSOKCancelButton(this, host::kCancelItem);
    modePopup_ = new ReportModePopUp(this);
    unitsPopup_ = new ReportUnitsPopUp(this);
    const host::Error error = M7LBaseADMDialog::Init();
    for (const std::int32_t label : kLabelItems) {
        sAdmItem->SetFont(GetItem(label), host::kFontPalette);
    }
    FillFromPalette();
    return error;
}

void ReportSettingsDialog::Destroy() {
    delete okButton_;
    delete cancelButton_;
    delete modePopup_;
    delete unitsPopup_;
    okButton_ = nullptr;
    cancelButton_ = nullptr;
    modePopup_ = nullptr;
    unitsPopup_ = nullptr;
    M7LBaseADMDialog::Destroy();
}

void ReportSettingsDialog::FillFromPalette() {
    modePopup_->SelectValue(palette_.GetReportMode());
    unitsPopup_->SelectValue(palette_.GetReportUnits());
    sAdmItem->SetText(GetItem(kPrefixItem), palette_.GetReportNamePrefix());
    sAdmItem->SetBooleanValue(GetItem(kUseFileNameItem), palette_.GetReportNameUseFileName());
    sAdmItem->SetText(GetItem(kPostfixItem), palette_.GetReportNamePostfix());
    sAdmItem->SetBooleanValue(GetItem(kGenerateItem), palette_.GetGenerateReportOnSelect());
}

void ReportSettingsDialog::WriteToPalette() {
    palette_.SetReportMode(modePopup_->GetValue());
    palette_.SetReportUnits(unitsPopup_->GetValue());
    char prefix[kNamePartBytes];
    char postfix[kNamePartBytes];
    sAdmItem->GetText(GetItem(kPrefixItem), prefix, sizeof prefix);
    sAdmItem->GetText(GetItem(kPostfixItem), postfix, sizeof postfix);
    palette_.SetReportName(prefix, sAdmItem->GetBooleanValue(GetItem(kUseFileNameItem)), postfix);
    palette_.SetGenerateReportOnSelect(sAdmItem->GetBooleanValue(GetItem(kGenerateItem)));
}
