#include "framework/M7LErrorAlert.h"

#include <cstdio>

#include "framework/M7LPlatform.h"
#include "framework/M7LSuiteTable.h"
#include "host/HostMessages.h"

namespace {

constexpr const char* kErrorDialogName = "Error";
constexpr std::int32_t kErrorDialogId = 16051;
constexpr std::int32_t kModalStyle = 0;
constexpr std::size_t kFailureTextBytes = 512;

}  // namespace

void ReportPluginError(void* message, host::Error code) {
    if (code == host::kNoError || code == host::kErrorCancel) {
        return;
    }
    if (sAdmBasic == nullptr || sAdmDialog == nullptr) {
        Beep();
        return;
    }
    const host::MessageHeader& header = *static_cast<const host::MessageHeader*>(message);
    sAdmDialog->Modal(header.plugin, kErrorDialogName, kErrorDialogId, kModalStyle, nullptr,
                      nullptr, 0);
}

int ShowFailureAlert(const char* kind, int, int errorNumber, const char* message,
                     const char* sourceFile, int line, const char* condition) {
    if (sAdmBasic == nullptr) {
        Beep();
        return 0;
    }
    const auto text = [](const char* t) { return t != nullptr ? t : ""; };
    char report[kFailureTextBytes];
    std::snprintf(report, sizeof(report),
                  "%s Failed: errID = %d, message = %s,file = %s, line = %d, cond = <%s>",
                  text(kind), errorNumber, text(message), text(sourceFile), line, text(condition));
    sAdmBasic->ErrorAlert(report);
    return 0;
}

void Beep() {
    PlatformBeep();
}
