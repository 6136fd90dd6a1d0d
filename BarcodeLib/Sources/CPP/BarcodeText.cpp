#include "BarcodeText.h"

#include <algorithm>
#include <cstring>

namespace Strivelo {

bool AllDigits(const char* text, std::size_t length) {
    return std::all_of(text, text + length, [](char c) { return IsDigit(c); });
}

bool MatchesForm(const char* text, const char* form) {
    for (std::size_t i = 0; form[i] != '\0'; ++i) {
        if (form[i] == 'D' ? !IsDigit(text[i]) : text[i] != form[i]) {
            return false;
        }
    }
    return true;
}

bool CopyIfFits(const char* text, char* out, std::size_t capacity) {
    if (text == nullptr) {
        return false;
    }
    const std::size_t length = std::strlen(text);
    if (length > capacity) {
        return false;
    }
    std::memcpy(out, text, length + 1);
    return true;
}

// Equals tells a stored text from one lost to missing memory, which leaves
// the string unset.
bool StoreText(M7LString& string, const char* text) {
    return string.Assign(text).Equals(text);
}

}  // namespace Strivelo
