#pragma once

#include <cstddef>
#include <cstdint>

#include "BarcodeFourCC.h"
#include "BarcodeProcessorEAN13.h"

namespace Strivelo {

inline constexpr std::int32_t kBarcodeTypeMS7B = FourCC("ms7b");

// MS-7B: a seven-digit retail code "DDDDDDC", printed as the EAN-8 "0DDD-DDDC"
// (C its check digit) inside a stroked box, with an 'M' at the left, the
// seven digits spread between the outer guards and an 'S' at the right.
// Decoding, width and validation are those of EAN-8; only EAN-8 codes with
// first digit 0 are MS-7B codes. No options.
class BarcodeProcessorMS7B : public BarcodeProcessorEAN8 {
public:
    std::int32_t GetType() const override { return kBarcodeTypeMS7B; }
    const char* GetName() const override { return "MS-7B"; }
    bool EncodedToCode(const char* encoded, char* code, std::size_t capacity) const override;
    bool CodeToEncoded(const char* code, char* encoded, std::size_t capacity) const override;
    // Leaves the digits and the frame flag off and the centre guard short, so
    // that the EAN-8 symbol draws only its bars.
    bool Generate() override;
    bool IsCodeValid(const char* code) const override;
    // 6 digits get the check digit, 7 have it recomputed; a character other
    // than a digit or '-' leaves the text alone.
    bool CorrectCode(M7LString& code) const override;
    bool HasOption(std::int32_t optionCode) const override;
};

}  // namespace Strivelo
