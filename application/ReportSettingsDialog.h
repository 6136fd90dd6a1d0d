#pragma once

#include <cstdint>

#include "M7LBaseADMDialog.h"
#include "host/HostErrors.h"

class CheckDialog;
class RSOKCancelButton;
class ReportModePopUp;
class ReportUnitsPopUp;

// The modal dialog of the check palette's report settings: the file format,
// the length unit, the parts of the default file name and whether the check
// button writes a report by default. OK writes them into the palette.
class ReportSettingsDialog : public M7LBaseADMDialog {
public:
    // Runs the dialog modally until the user ends it.
    explicit ReportSettingsDialog(CheckDialog& palette);

    host::Error Init() override;
    void Destroy() override;

    // A mode or unit the popups do not list shows as the first entry.
    void FillFromPalette();
    void WriteToPalette();

private:
    CheckDialog& palette_;
    RSOKCancelButton* okButton_ = nullptr;
    RSOKCancelButton* cancelButton_ = nullptr;
    ReportModePopUp* modePopup_ = nullptr;
    ReportUnitsPopUp* unitsPopup_ = nullptr;
};
