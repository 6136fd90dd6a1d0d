#include "DialogText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <iterator>

#include "host/AdmSuites.h"

namespace standin {

namespace {

constexpr unsigned char kUtf8ContinuationMask = 0xC0;
constexpr unsigned char kUtf8ContinuationTag = 0x80;
constexpr std::string_view kBlanks = " \t";
// The longest fixed-point float: 39 digits, a sign, a point and the decimals.
constexpr std::size_t kNumberTextBytes = 64;

constexpr double kPointsPerInch = 72;
constexpr double kMillimetresPerInch = 25.4;
constexpr double kMillimetresPerCentimetre = 10;

struct Unit {
    std::int32_t units;
    std::string_view symbol;
    double inUnits;  // what one of it is in the units
};

// The first unit of each units code is its own, shown after its values.
constexpr Unit kUnits[] = {
    {host::kUnitsNone, "", 1},
    {host::kUnitsPercent, "%", 1},
    {host::kUnitsPoints, "pt", 1},
    {host::kUnitsPoints, "mm", kPointsPerInch / kMillimetresPerInch},
    {host::kUnitsPoints, "cm", kPointsPerInch* kMillimetresPerCentimetre / kMillimetresPerInch},
    {host::kUnitsPoints, "in", kPointsPerInch},
};

const Unit* FindUnit(std::int32_t units, std::string_view symbol) {
    const auto found = std::find_if(std::begin(kUnits), std::end(kUnits), [&](const Unit& unit) {
        return unit.units == units && unit.symbol == symbol;
    });
    return found != std::end(kUnits) ? found : nullptr;
}

const Unit* OwnUnit(std::int32_t units) {
    const auto found = std::find_if(std::begin(kUnits), std::end(kUnits),
                                    [units](const Unit& unit) { return unit.units == units; });
    return found != std::end(kUnits) ? found : nullptr;
}

bool IsUnitCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '%';
}

bool IsUtf8Continuation(char byte) {
    return (static_cast<unsigned char>(byte) & kUtf8ContinuationMask) == kUtf8ContinuationTag;
}

}  // namespace

void CutToFit(std::string_view text, char* buffer, std::size_t size) {
    std::size_t length = std::min(text.size(), size - 1);
    if (length < text.size()) {
        while (length > 0 && IsUtf8Continuation(text[length])) {
            --length;
        }
    }
    std::memcpy(buffer, text.data(), length);
    buffer[length] = 0;
}

std::string RectText(const host::Rect& rect) {
    return std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
           std::to_string(rect.right) + " " + std::to_string(rect.bottom);
}

std::optional<float> ParseNumber(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text = text.substr(first, text.find_last_not_of(kBlanks) + 1 - first);
    float value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::string FormatNumber(float value, std::int32_t precision) {
    std::array<char, kNumberTextBytes> text;
    const auto [end, error] =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed,
                      std::clamp(precision, 0, kMaxPrecision));
    return error == std::errc{} ? std::string(text.data(), end) : std::string();
}

bool IsUnits(std::int32_t units) {
    return OwnUnit(units) != nullptr;
}

bool IsPrecision(std::int32_t precision) {
    return precision >= 0 && precision <= kMaxPrecision;
}

std::string FormatValue(float value, std::int32_t units, std::int32_t precision, bool withUnit) {
    std::string text = FormatNumber(value, precision);
    const Unit* unit = OwnUnit(units);
    if (withUnit && unit != nullptr && !unit->symbol.empty() && !text.empty()) {
        text += ' ';
        text += unit->symbol;
    }
    return text;
}

std::optional<float> ParseValue(std::string_view text, std::int32_t units, bool unitEntry) {
    if (!unitEntry) {
        return ParseNumber(text);
    }
    const std::size_t last = text.find_last_not_of(kBlanks);
    std::size_t start = last == std::string_view::npos ? 0 : last + 1;
    while (start > 0 && IsUnitCharacter(text[start - 1])) {
        --start;
    }
    const std::string_view symbol = text.substr(start, last + 1 - start);
    const Unit* unit = symbol.empty() ? OwnUnit(units) : FindUnit(units, symbol);
    const std::optional<float> number = ParseNumber(text.substr(0, start));
    if (unit == nullptr || !number) {
        return std::nullopt;
    }
    const float value = static_cast<float>(*number * unit->inUnits);
    return std::isfinite(value) ? std::optional(value) : std::nullopt;
}

}  // namespace standin
