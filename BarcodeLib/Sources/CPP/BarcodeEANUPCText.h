#pragma once

#include <cstddef>
#include <cstdint>

#include "M7LString.h"

namespace Strivelo {

// The code texts of the EAN/UPC symbologies: how a correction regroups the
// digits of a member's code form, and the 2- and 5-digit add-ons that may
// follow a main code.

// How a member's CorrectCode groups the digits of its code form.
struct EANUPCCodeForm {
    // Result indexes before which a hyphen goes, ascending; 0 ends.
    std::uint8_t hyphens[4];
    // The copy stops when the result is this long.
    std::uint8_t maxLength;
    // A result of exactly this many digits lacks only its check digit and
    // gets the placeholder '0'.
    std::uint8_t dataDigits;
    // The lengths a corrected code may have, ascending; 0 ends.
    std::uint8_t lengths[3];
    // Whether a longer result is cut back to the longest of lengths it
    // reaches, which drops an incomplete add-on.
    bool cutToLength;
    std::uint8_t checkIndex;
    // A blank met when the result is this long ends the copy; 0 for none.
    std::uint8_t blankEndsAt;
};

// How a correction ended: refused (the text left alone), regrouped but not
// complete, or complete with its check digit.
enum class EANUPCCorrection { kRefused, kIncomplete, kCorrected };

// The longest regrouped code, in characters.
inline constexpr std::size_t kEANUPCCorrectionCapacity = 22;

// The digits of text in form into out (kEANUPCCorrectionCapacity + 1 bytes),
// cut back and with a placeholder check digit as form says; false for a
// character other than a digit or '-'.
bool RegroupDigits(const char* text, const EANUPCCodeForm& form, char* out);
// Whether text has one of the lengths of form.
bool HasLengthOf(const char* text, const EANUPCCodeForm& form);
// Regroups code (left alone when refused), replaces it and, when it has one
// of form's lengths, sets its GS1 check digit.
EANUPCCorrection CorrectGroupedCode(M7LString& code, const EANUPCCodeForm& form);

// The add-on after a main code of mainLength characters, or null.
const char* AddOnAfter(const char* encoded, std::size_t mainLength);
// The digits of the add-on that begins at addOn's '-': up to the end, a
// blank or '('.
std::size_t AddOnDigitCount(const char* addOn);
// The text of an add-on is '-' and 2 or 5 digits, ending at the text's end, a
// blank or '('.
bool IsAddOnValid(const char* text);
// An add-on that takes all of text.
bool IsWholeAddOn(const char* text);

}  // namespace Strivelo
