#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "host/HostGeometry.h"

namespace standin {

// Copies the text into the buffer, cut to size - 1 bytes on a UTF-8
// character boundary, as the platform's string loader does; size > 0.
void CutToFit(std::string_view text, char* buffer, std::size_t size);

// A rect as display lists write it: "left top right bottom".
std::string RectText(const host::Rect& rect);

// The host's default conversions of number items, independent of the
// locale: a decimal number with blanks around it, and a value with
// `precision` decimals (0 to kMaxPrecision).
inline constexpr std::int32_t kMaxPrecision = 10;
std::optional<float> ParseNumber(std::string_view text);
std::string FormatNumber(float value, std::int32_t precision);

// Whether the host knows the units code; the precision is in range.
bool IsUnits(std::int32_t units);
bool IsPrecision(std::int32_t precision);
// The value in the units, with a blank and the unit's symbol when asked and
// the units have one.
std::string FormatValue(float value, std::int32_t units, std::int32_t precision, bool withUnit);
// A number typed into an item of the units. With unit entry it may end in
// a unit, converted to the item's: pt, mm, cm or in for points, % for
// percent.
std::optional<float> ParseValue(std::string_view text, std::int32_t units, bool unitEntry);

}  // namespace standin
