#include "DialogText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>

namespace standin {

namespace {

constexpr unsigned char kUtf8ContinuationMask = 0xC0;
constexpr unsigned char kUtf8ContinuationTag = 0x80;
constexpr std::string_view kBlanks = " \t";
// The longest fixed-point float: 39 digits, a sign, a point and the decimals.
constexpr std::size_t kNumberTextBytes = 64;

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

}  // namespace standin
