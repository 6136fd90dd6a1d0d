#pragma once

#include "host/HostErrors.h"

// Shows the error alert for a non-zero message result: nothing for 0 or the
// host's cancel code, a beep without the dialog manager.
void ReportPluginError(void* message, host::Error code);

// The framework's failure handler (M7LFailureHandler): the report in the
// host's error alert, a beep without it.
int ShowFailureAlert(const char* kind, int one, int errorNumber, const char* message,
                     const char* sourceFile, int line, const char* condition);

// The system's default message beep.
void Beep();
