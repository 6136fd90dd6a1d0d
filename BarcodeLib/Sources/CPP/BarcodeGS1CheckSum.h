#pragma once

#include <cstddef>
#include <cstdint>

namespace Strivelo {

// The modulo-10 check digit of the GS1 General Specifications, which EAN/UPC
// symbols and ITF-14 carry: the data digits weigh 3, 1, 3, ... from the one
// next to the check digit leftwards, and the check digit brings their sum to
// a multiple of 10. Digits go in one at a time in any order, so a decoding
// can feed them as it reads them.
class BarcodeGS1CheckSum {
public:
    void Clear() { sum_ = 0; }
    // position counts from the right, 1 being the digit just left of the
    // check digit; the check digit itself goes in with 0, which adds nothing.
    // Inline: every digit of every check goes through it.
    void Add(int digit, int position) {
        if (position <= 0) {
            return;
        }
        sum_ += static_cast<std::uint32_t>(position % 2 == 1 ? 3 * digit : digit);
    }
    int GetCheckDigit() const;

private:
    std::uint32_t sum_ = 0;
};

// The check digit of the digits in text[0, end), other characters (a code's
// hyphens) skipped.
int ComputeGS1CheckDigit(const char* text, std::size_t end);
// Writes the check digit of the digits before text[checkIndex] there.
void SetGS1CheckDigit(char* text, std::size_t checkIndex);
// Whether text[checkIndex] is the check digit of the digits before it.
bool HasGS1CheckDigitAt(const char* text, std::size_t checkIndex);

}  // namespace Strivelo
