#pragma once

#include <cstddef>

#include "M7LString.h"

namespace Strivelo {

// The character and text helpers of the symbologies. Code texts are bytes: a
// digit is '0' to '9' in any locale, and every copy is bounded.

// Takes the int of a code character too, so that function codes beyond a
// byte are no digits.
constexpr bool IsDigit(int c) {
    return c >= '0' && c <= '9';
}

constexpr int DigitValue(char digit) {
    return digit - '0';
}

constexpr char DigitCharacter(int value) {
    return static_cast<char>('0' + value);
}

// Whether text[0, length) holds digits only; true for length 0.
bool AllDigits(const char* text, std::size_t length);

// Whether text has a digit wherever form has 'D' and form's character
// everywhere else, up to form's end.
bool MatchesForm(const char* text, const char* form);

// Copies text with its terminator into out when it has at most capacity
// characters; false, and out untouched, for a longer or a null text.
bool CopyIfFits(const char* text, char* out, std::size_t capacity);

// Replaces string by text; false when the string could not take it.
bool StoreText(M7LString& string, const char* text);

// Escapes spell their hexadecimal digits in upper case only.
inline constexpr char kHexDigits[] = "0123456789ABCDEF";

// The value of an upper-case hexadecimal digit, -1 for any other character.
constexpr int HexValue(char c) {
    if (IsDigit(c)) {
        return DigitValue(c);
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace Strivelo
