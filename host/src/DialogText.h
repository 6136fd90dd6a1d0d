#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace standin {

// Copies the text into the buffer, cut to size - 1 bytes on a UTF-8
// character boundary, as the platform's string loader does; size > 0.
void CutToFit(std::string_view text, char* buffer, std::size_t size);

// The host's default conversions of number edits, independent of the locale:
// a decimal number with blanks around it, and a value with `precision`
// decimals (0 to kMaxPrecision).
inline constexpr std::int32_t kMaxPrecision = 10;
std::optional<float> ParseNumber(std::string_view text);
std::string FormatNumber(float value, std::int32_t precision);

}  // namespace standin
