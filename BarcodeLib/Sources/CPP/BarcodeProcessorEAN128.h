#pragma once

#include <cstddef>
#include <cstdint>

#include "BarcodeProcessorCode128.h"

namespace Strivelo {

inline constexpr std::int32_t kBarcodeTypeEAN128 = FourCC("e128");

// Application identifiers from first to last (digit strings of equal
// length) that share their data rules.
struct EAN128AIRow {
    const char* first;
    const char* last;
    // Characters after the AI.
    std::uint8_t maxDataLength;
    // No separator ever follows the field.
    bool predefinedLength;
    // One more digit belongs to the AI (310n: n decimals).
    bool extraDigit;
    // Else the data has exactly maxDataLength characters.
    bool mayBeShorter;
};

// UCC/EAN-128: a Code 128 symbol that begins with FNC1 and carries data
// fields, each introduced by an application identifier. The user writes
// "(01)12345678901231(10)AB"; the encoded code is the Code 128 text with
// "%FNC1" in front, "%FNC1" after every field of variable length that another
// follows, and every "%" of the data written "%%". Data is printable ASCII.
class BarcodeProcessorEAN128 : public BarcodeProcessorCode128 {
public:
    std::int32_t GetType() const override;
    const char* GetName() const override;
    bool EncodedToCode(const char* encoded, char* code, std::size_t capacity) const override;
    // False when code is not a valid field sequence or the result would not
    // fit capacity.
    bool CodeToEncoded(const char* code, char* encoded, std::size_t capacity) const override;
    // At least one field, the fields as their AIs want them, and a Code 128
    // symbol that carries them.
    bool IsCodeValid(const char* code) const override;
    // Rewrites nothing.
    bool CorrectCode(M7LString& code) const override;
    bool Generate() override;

    // The number of AI characters at the start of text (length bytes), the
    // extra digit included, and their row; 0 when no row matches.
    static std::size_t FindAI(const char* text, std::size_t length, const EAN128AIRow** row);
    // Whether a field of this AI (its digits, length bytes) needs FNC1 when
    // another field follows: true unless its row has a predefined length.
    static bool NeedsSeparatorAfter(const char* ai, std::size_t length);
};

}  // namespace Strivelo
