#pragma once

#include <cstdint>

#include "M7LString.h"
#include "host/HostErrors.h"
#include "host/HostHandles.h"

// Shows the error alert for a non-zero message result: nothing for 0 or the
// host's cancel code, a beep without the dialog manager.
void ReportPluginError(void* message, host::Error code);

// The framework's failure handler (M7LFailureHandler): the report in the
// host's error alert, a beep without it.
int ShowFailureAlert(const char* kind, int one, int errorNumber, const char* message,
                     const char* sourceFile, int line, const char* condition);

// The system's default message beep.
void Beep();

// A warning that the user can switch off for good with a check box of its
// dialog; the choice is kept in the host's preferences and never taken back.
class M7LAlertOnceDialog {
public:
    explicit M7LAlertOnceDialog(const char* name);
    M7LAlertOnceDialog(const M7LAlertOnceDialog&) = delete;
    M7LAlertOnceDialog& operator=(const M7LAlertOnceDialog&) = delete;

    // Beeps, then runs the modal dialog of the template unless the user
    // switched the warning off; the check box of checkBoxId switches it off.
    void Show(const char* name, std::int32_t resourceId, std::int32_t checkBoxId);

private:
    static host::Error Init(host::Dialog dialog);
    static void Destroy(host::Dialog dialog);

    bool suppressed_ = false;
    M7LString key_;
};
