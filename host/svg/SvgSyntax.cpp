#include "SvgSyntax.h"

#include <charconv>

namespace standin::svg {

namespace {

// Room for the shortest form of any double.
constexpr std::size_t kNumberTextBytes = 32;

template <typename Value>
std::string Format(Value value) {
    char text[kNumberTextBytes];
    const std::to_chars_result result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

bool IsDigit(char character) {
    return character >= '0' && character <= '9';
}

bool IsLetter(char character) {
    return (character >= 'a' && character <= 'z') || (character >= 'A' && character <= 'Z');
}

template <typename Value>
std::optional<Value> Convert(std::string_view text) {
    // from_chars takes no plus sign.
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    Value value{};
    const std::from_chars_result result =
        std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

// Both zeros read back as equal values; one spelling keeps saves alike.
std::string FormatNumber(float value) {
    return Format(value == 0 ? 0.0f : value);
}

std::string FormatNumber(double value) {
    return Format(value == 0 ? 0.0 : value);
}

bool IsSvgSpace(char character) {
    return character == ' ' || character == '\t' || character == '\n' || character == '\r';
}

std::string_view TrimSpace(std::string_view text) {
    while (!text.empty() && IsSvgSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsSvgSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

void ValueScanner::SkipSpace() {
    while (position_ < text_.size() && IsSvgSpace(text_[position_])) {
        ++position_;
    }
}

void ValueScanner::SkipSeparator() {
    SkipSpace();
    if (position_ < text_.size() && text_[position_] == ',') {
        ++position_;
        SkipSpace();
    }
}

bool ValueScanner::AtEnd() {
    SkipSpace();
    return position_ == text_.size();
}

std::size_t ValueScanner::NumberLength() const {
    std::size_t at = position_;
    const auto digits = [&] {
        const std::size_t start = at;
        while (at < text_.size() && IsDigit(text_[at])) {
            ++at;
        }
        return at - start;
    };
    if (at < text_.size() && (text_[at] == '+' || text_[at] == '-')) {
        ++at;
    }
    std::size_t mantissaDigits = digits();
    if (at < text_.size() && text_[at] == '.') {
        ++at;
        mantissaDigits += digits();
    }
    if (mantissaDigits == 0) {
        return 0;
    }
    // An exponent only with its digits: "2em" is a number and a unit.
    if (at < text_.size() && (text_[at] == 'e' || text_[at] == 'E')) {
        std::size_t exponent = at + 1;
        if (exponent < text_.size() && (text_[exponent] == '+' || text_[exponent] == '-')) {
            ++exponent;
        }
        if (exponent < text_.size() && IsDigit(text_[exponent])) {
            at = exponent;
            digits();
        }
    }
    return at - position_;
}

template <typename Value>
std::optional<Value> ValueScanner::Scan() {
    SkipSpace();
    const std::size_t length = NumberLength();
    if (length == 0) {
        return std::nullopt;
    }
    const std::optional<Value> value = Convert<Value>(text_.substr(position_, length));
    position_ += length;
    return value;
}

std::optional<float> ValueScanner::Number() {
    return Scan<float>();
}

std::optional<double> ValueScanner::Double() {
    return Scan<double>();
}

std::optional<bool> ValueScanner::Flag() {
    SkipSpace();
    if (position_ < text_.size() && (text_[position_] == '0' || text_[position_] == '1')) {
        return text_[position_++] == '1';
    }
    return std::nullopt;
}

char ValueScanner::Command() {
    SkipSpace();
    if (position_ < text_.size() && IsLetter(text_[position_])) {
        return text_[position_++];
    }
    return 0;
}

std::string_view ValueScanner::Word() {
    const std::size_t start = position_;
    while (position_ < text_.size() && (IsLetter(text_[position_]) || text_[position_] == '%')) {
        ++position_;
    }
    return text_.substr(start, position_ - start);
}

std::optional<float> ParseNumber(std::string_view text) {
    ValueScanner scanner(text);
    const std::optional<float> value = scanner.Number();
    return value && scanner.AtEnd() ? value : std::nullopt;
}

}  // namespace standin::svg
