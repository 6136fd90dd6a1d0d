#include "M7LErrorAlert.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

#include "M7LPlatform.h"
#include "M7LPluginMain.h"
#include "M7LSuiteTable.h"
#include "host/HostMessages.h"

namespace {

constexpr const char* kErrorDialogName = "Error";
constexpr std::int32_t kErrorDialogId = 16051;
constexpr std::int32_t kErrorMessageItem = 2;
constexpr std::int32_t kErrorCodeItem = 3;
constexpr std::int32_t kModalStyle = 0;
constexpr std::int32_t kNoOptions = 0;

// The error list: from entry 1 on, a code entry and then its message.
constexpr std::int32_t kErrorList = 16050;
constexpr std::int32_t kFirstCodeEntry = 1;
constexpr std::int32_t kEntriesPerPair = 2;
constexpr std::size_t kCodeEntryBytes = 255;
constexpr std::size_t kMessageBytes = 256;

// Codes in this range are shown as decimal numbers, all others as their four
// characters when these are printable, else as decimal numbers too.
constexpr host::Error kLowestDecimalCode = -65536;
constexpr host::Error kHighestDecimalCode = 65535;
constexpr std::int32_t kNoDecimals = 0;
constexpr std::size_t kCodeTextBytes = 16;
constexpr int kCodeChars = 4;
constexpr int kBitsPerChar = 8;
constexpr unsigned char kFirstPrintableChar = 0x20;
constexpr unsigned char kLastPrintableChar = 0x7E;

// Outside the 32-bit range a number has no defined integer value.
constexpr float kLowestIntegerNumber = -2147483648.0f;
constexpr float kIntegerNumberLimit = 2147483648.0f;

constexpr std::size_t kFailureTextBytes = 512;

constexpr const char* kAlertOnceSection = "DontShowWarningAgain";
constexpr const char* kAlertOnceKeyPrefix = "M7LAlertOnceDialogs-";

const char* TextOrEmpty(const char* text) {
    return text != nullptr ? text : "";
}

bool IsDecimalEntry(const char* entry) {
    return entry[0] == '-' || (entry[0] >= '0' && entry[0] <= '9');
}

// The host reads the number; the list takes it as a signed 16-bit value.
host::Error DecimalCodeOf(const char* entry) {
    float number = 0;
    if (sAiUser != nullptr) {
        sAiUser->StringToNumber(entry, &number);
    }
    if (!(number >= kLowestIntegerNumber && number < kIntegerNumberLimit)) {
        return 0;
    }
    return static_cast<std::int16_t>(static_cast<std::int32_t>(number));
}

// The first four characters, the first one in the most significant byte.
host::Error FourCharCodeOf(const char* entry) {
    std::uint32_t code = 0;
    for (int i = 0; i < kCodeChars; ++i) {
        code = (code << kBitsPerChar) | static_cast<unsigned char>(entry[i]);
    }
    return static_cast<host::Error>(code);
}

host::Error CodeOf(const char* entry) {
    return IsDecimalEntry(entry) ? DecimalCodeOf(entry) : FourCharCodeOf(entry);
}

// The message of the code in the error list, or false when it cannot be
// loaded. The message of the last pair is the fallback.
bool LoadErrorMessage(host::PluginRef plugin, host::Error code,
                      std::array<char, kMessageBytes>& message) {
    std::array<char, kCodeEntryBytes> entry;
    std::int32_t index = kFirstCodeEntry;
    for (;; index += kEntriesPerPair) {
        // Zeroed each time, so that the four characters of a shorter entry
        // end in 0 and never in the rest of an earlier one.
        entry.fill(0);
        sAdmBasic->GetIndexString(plugin, kErrorList, index, entry.data(), entry.size());
        if (entry[0] == 0) {
            --index;
            break;
        }
        if (CodeOf(entry.data()) == code) {
            ++index;
            break;
        }
    }
    return sAdmBasic->GetIndexString(plugin, kErrorList, index, message.data(), message.size());
}

// The four characters of a code, the first from the most significant byte.
std::array<char, kCodeChars> CharsOf(host::Error code) {
    const auto bits = static_cast<std::uint32_t>(code);
    std::array<char, kCodeChars> chars;
    for (int i = 0; i < kCodeChars; ++i) {
        chars[i] = static_cast<char>(bits >> (kBitsPerChar * (kCodeChars - 1 - i)));
    }
    return chars;
}

bool IsPrintable(const std::array<char, kCodeChars>& chars) {
    return std::all_of(chars.begin(), chars.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= kFirstPrintableChar && byte <= kLastPrintableChar;
    });
}

// Into a zeroed text; never empty. The host writes the decimal numbers of
// its range; without it, and for codes beyond its range, they are written
// here.
void WriteCodeText(host::Error code, std::array<char, kCodeTextBytes>& text) {
    if (code >= kLowestDecimalCode && code <= kHighestDecimalCode) {
        if (sAiUser != nullptr &&
            sAiUser->NumberToString(static_cast<float>(code), kNoDecimals, text.data(),
                                    text.size()) == host::kNoError) {
            return;
        }
    } else if (const std::array<char, kCodeChars> chars = CharsOf(code); IsPrintable(chars)) {
        std::copy(chars.begin(), chars.end(), text.begin());
        return;
    }
    std::snprintf(text.data(), text.size(), "%d", code);
}

struct ErrorTexts {
    const char* message;
    const char* code;
};

void SetItemText(host::Dialog dialog, std::int32_t itemId, const char* text) {
    if (sAdmItem != nullptr) {
        sAdmItem->SetText(sAdmDialog->GetItem(dialog, itemId), text);
    }
}

host::Error InitErrorDialog(host::Dialog dialog) {
    const auto* texts = static_cast<const ErrorTexts*>(sAdmDialog->GetUserData(dialog));
    SetItemText(dialog, kErrorMessageItem, texts->message);
    SetItemText(dialog, kErrorCodeItem, texts->code);
    return host::kNoError;
}

// What the alert-once dialog's procedures find as its user data.
struct AlertOnceRun {
    M7LAlertOnceDialog* alert;
    std::int32_t checkBoxId;
};

}  // namespace

void ReportPluginError(void* message, host::Error code) {
    if (code == host::kNoError || code == host::kErrorCancel) {
        return;
    }
    if (sAdmBasic == nullptr || sAdmDialog == nullptr) {
        Beep();
        return;
    }
    const host::PluginRef plugin = static_cast<const host::MessageHeader*>(message)->plugin;
    std::array<char, kMessageBytes> text{};
    if (!LoadErrorMessage(plugin, code, text)) {
        Beep();
        return;
    }
    std::array<char, kCodeTextBytes> codeText{};
    WriteCodeText(code, codeText);
    ErrorTexts texts{text.data(), codeText.data()};
    sAdmDialog->Modal(plugin, kErrorDialogName, kErrorDialogId, kModalStyle, &InitErrorDialog,
                      &texts, kNoOptions);
}

int ShowFailureAlert(const char* kind, int, int errorNumber, const char* message,
                     const char* sourceFile, int line, const char* condition) {
    if (sAdmBasic == nullptr) {
        Beep();
        return 0;
    }
    char report[kFailureTextBytes];
    std::snprintf(report, sizeof(report),
                  "%s Failed: errID = %d, message = %s,file = %s, line = %d, cond = <%s>",
                  TextOrEmpty(kind), errorNumber, TextOrEmpty(message), TextOrEmpty(sourceFile),
                  line, TextOrEmpty(condition));
    sAdmBasic->ErrorAlert(report);
    return 0;
}

void Beep() {
    PlatformBeep();
}

M7LAlertOnceDialog::M7LAlertOnceDialog(const char* name) {
    const char* suffix = TextOrEmpty(name);
    const std::size_t prefixLength = std::strlen(kAlertOnceKeyPrefix);
    const std::size_t suffixLength = std::strlen(suffix);
    if (key_.Allocate(static_cast<std::uint32_t>(prefixLength + suffixLength + 1))) {
        std::memcpy(key_.Buffer(), kAlertOnceKeyPrefix, prefixLength);
        std::memcpy(key_.Buffer() + prefixLength, suffix, suffixLength + 1);
    }
}

void M7LAlertOnceDialog::Show(const char* name, std::int32_t resourceId, std::int32_t checkBoxId) {
    Beep();
    bool suppressed = false;
    if (sAiPreference != nullptr) {
        sAiPreference->GetBooleanPreference(kAlertOnceSection, key_.CStr(), &suppressed);
    }
    suppressed_ = suppressed;
    if (suppressed_ || sAdmDialog == nullptr) {
        return;
    }
    AlertOnceRun run{this, checkBoxId};
    sAdmDialog->Modal(gPluginRef, name, resourceId, kModalStyle, &Init, &run, kNoOptions);
}

host::Error M7LAlertOnceDialog::Init(host::Dialog dialog) {
    sAdmDialog->SetDestroyProc(dialog, &Destroy);
    return host::kNoError;
}

void M7LAlertOnceDialog::Destroy(host::Dialog dialog) {
    const auto* run = static_cast<const AlertOnceRun*>(sAdmDialog->GetUserData(dialog));
    if (sAdmItem == nullptr ||
        !sAdmItem->GetBooleanValue(sAdmDialog->GetItem(dialog, run->checkBoxId))) {
        return;
    }
    M7LAlertOnceDialog& alert = *run->alert;
    if (alert.suppressed_) {
        return;
    }
    alert.suppressed_ = true;
    if (sAiPreference != nullptr) {
        sAiPreference->PutBooleanPreference(kAlertOnceSection, alert.key_.CStr(), true);
    }
}
