#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "BarcodeProfile.h"
#include "M7LBaseADMDialog.h"
#include "host/HostErrors.h"

class CheckDialog;
class BarcodeTypePopUp_Check;

// The modal dialog in which the user edits the check palette's profile: its
// name, its tests with their limits and fixes, and its files. It edits a
// working profile, the palette's own or one loaded from a file, which it
// owns until it hands it to the palette (OK, or a save).
class EditProfileDialog : public M7LBaseADMDialog {
public:
    // Runs the dialog modally until the user ends it.
    explicit EditProfileDialog(CheckDialog& palette);
    // A loaded profile that was never handed over goes with the dialog.
    ~EditProfileDialog() override;

    host::Error Init() override;
    void Destroy() override;

    // Takes the profile to work on and shows it; the one before is deleted
    // unless it is the palette's.
    void SetWorkingProfile(BarcodeVettrin::BarcodeProfile* profile);
    void ProfileToDialog();
    // Writes what the user changed into the working profile and hands it to
    // the palette; with handOver the dialog lets go of it.
    void DialogToProfile(bool handOver);

    // The buttons: OK keeps the edits, Cancel drops them; then the dialog
    // lets go of the working profile.
    void Finish(bool keep);
    // A profile file the user chooses becomes the working profile; one that
    // does not load leaves it as it was and shows the error alert.
    void LoadProfile();
    // To the profile's own file, or as SaveProfileAs when it has none.
    void SaveProfile();
    // To a file the user chooses.
    void SaveProfileAs();

private:
    // The number the item holds, as read back from it.
    float NumberOf(std::int32_t itemId) const;
    bool FlagOf(std::int32_t itemId) const;

    CheckDialog& palette_;
    BarcodeVettrin::BarcodeProfile* working_ = nullptr;
    std::vector<M7LBaseADMItem*> items_;
    BarcodeTypePopUp_Check* typePopup_ = nullptr;
    // The numbers shown since the profile was last shown or read, by item:
    // only what the user changed is written back.
    std::map<std::int32_t, float> shownNumbers_;
};
