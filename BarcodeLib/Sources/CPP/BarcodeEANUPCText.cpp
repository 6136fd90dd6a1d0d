#include "BarcodeEANUPCText.h"

#include <cstring>
#include <iterator>

#include "BarcodeGS1CheckSum.h"
#include "BarcodeText.h"

namespace Strivelo {

bool RegroupDigits(const char* text, const EANUPCCodeForm& form, char* out) {
    std::size_t length = 0;
    std::size_t digits = 0;
    const std::uint8_t* hyphen = form.hyphens;
    const auto append = [&](char digit) {
        if (*hyphen != 0 && length == *hyphen) {
            out[length++] = '-';
            ++hyphen;
        }
        out[length++] = digit;
        ++digits;
    };
    for (const char* c = text; *c != '\0' && length < form.maxLength; ++c) {
        if (*c == ' ' && form.blankEndsAt != 0 && length == form.blankEndsAt) {
            break;
        }
        if (IsDigit(*c)) {
            append(*c);
        } else if (*c != '-') {
            return false;
        }
    }
    if (digits == form.dataDigits) {
        append('0');
    }
    if (form.cutToLength) {
        for (const std::uint8_t* cut = form.lengths + std::size(form.lengths);
             cut-- != form.lengths;) {
            if (*cut != 0 && length >= *cut) {
                length = *cut;
                break;
            }
        }
    }
    out[length] = '\0';
    return true;
}

bool HasLengthOf(const char* text, const EANUPCCodeForm& form) {
    const std::size_t length = std::strlen(text);
    for (const std::uint8_t allowed : form.lengths) {
        if (allowed != 0 && length == allowed) {
            return true;
        }
    }
    return false;
}

EANUPCCorrection CorrectGroupedCode(M7LString& code, const EANUPCCodeForm& form) {
    char text[kEANUPCCorrectionCapacity + 1];
    if (!RegroupDigits(code.CStr(), form, text)) {
        return EANUPCCorrection::kRefused;
    }
    if (!HasLengthOf(text, form)) {
        return StoreText(code, text) ? EANUPCCorrection::kIncomplete : EANUPCCorrection::kRefused;
    }
    SetGS1CheckDigit(text, form.checkIndex);
    return StoreText(code, text) ? EANUPCCorrection::kCorrected : EANUPCCorrection::kRefused;
}

const char* AddOnAfter(const char* encoded, std::size_t mainLength) {
    return std::strlen(encoded) > mainLength ? encoded + mainLength : nullptr;
}

std::size_t AddOnDigitCount(const char* addOn) {
    return std::strcspn(addOn + 1, " (");
}

bool IsAddOnValid(const char* text) {
    if (text == nullptr || text[0] != '-') {
        return false;
    }
    const std::size_t count = AddOnDigitCount(text);
    return (count == 2 || count == 5) && AllDigits(text + 1, count);
}

bool IsWholeAddOn(const char* text) {
    return IsAddOnValid(text) && text[1 + AddOnDigitCount(text)] == '\0';
}

}  // namespace Strivelo
