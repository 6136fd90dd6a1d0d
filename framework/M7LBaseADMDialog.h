#pragma once

#include <cstdint>

#include "M7LADMBase.h"
#include "M7LString.h"
#include "host/HostHandles.h"

// The base of every palette and dialog of the plug-in: a floating palette
// for any style but 0, else a modal dialog; the palette's placement is kept
// in the host's preferences under the dialog's own section.
class M7LBaseADMDialog : public BaseADMDialog {
public:
    static constexpr std::int32_t kModalStyle = 0;

    M7LBaseADMDialog(const char* name, std::int32_t resourceId, std::int32_t style,
                     const char* preferenceSection, const char* dockGroupName,
                     std::int32_t defaultLeft, std::int32_t defaultTop, bool saveSize);

    // Restores the placement, loads the settings, installs the procedures.
    host::Error Init() override;
    // Saves the placement.
    void Destroy() override;
    virtual void LoadSettings();
    virtual void SaveSettings();

    // Creates the palette, or runs the modal dialog until it ends.
    void Show();
    void RestorePlacement(const char* preferenceSection, const char* dockGroupName,
                          std::int32_t defaultLeft, std::int32_t defaultTop, bool saveSize);
    void SavePlacement(const char* preferenceSection, bool saveSize);

    // Where dialogs with settings keep them.
    const char* GetPreferenceSection() const { return section_.CStr(); }

private:
    M7LString name_;
    std::int32_t resourceId_;
    std::int32_t style_;
    M7LString section_;
    M7LString dockGroup_;
    std::int32_t defaultLeft_;
    std::int32_t defaultTop_;
    bool saveSize_;
};

// The base of every control: binds the dialog's host item to the object.
class M7LBaseADMItem : public BaseADMItem {
public:
    M7LBaseADMItem(host::Item item, M7LBaseADMDialog* dialog, std::int32_t userValue);

    M7LBaseADMDialog* GetDialog() const { return dialog_; }
    std::int32_t GetUserValue() const { return userValue_; }

protected:
    // The dialog's item of that id, for the constructors of item classes.
    static host::Item ItemOf(const M7LBaseADMDialog* dialog, std::int32_t itemId);
    // Whether the notifier is a change by the user, the one notification an
    // item acts on once the base has handled it.
    static bool IsUserChange(host::AdmNotifier notifier);

private:
    std::int32_t userValue_;
    M7LBaseADMDialog* dialog_;
};
