#include "SvgValues.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "SvgSyntax.h"
#include "host/HostPolicies.h"

namespace standin::svg {

namespace {

constexpr double kDegreesPerHalfTurn = 180.0;
constexpr double kFullChannel = 255.0;
constexpr double kPercent = 100.0;
constexpr std::size_t kMaxTransformArguments = 6;

struct Unit {
    std::string_view name;
    double points;
};
constexpr double kMillimetresPerInch = 25.4;
constexpr double kPointsPerInch = 72.0;
constexpr double kPointsPerPica = 12.0;
constexpr std::array<Unit, 7> kUnits = {{
    {"", host::kPointsPerSvgPixel},
    {"px", host::kPointsPerSvgPixel},
    {"pt", 1.0},
    {"pc", kPointsPerPica},
    {"mm", kPointsPerInch / kMillimetresPerInch},
    {"cm", 10 * kPointsPerInch / kMillimetresPerInch},
    {"in", kPointsPerInch},
}};

struct NamedColor {
    std::string_view name;
    Rgb rgb;
};
constexpr std::array<NamedColor, 16> kBasicColors = {{
    {"black", {0, 0, 0}},
    {"silver", {192, 192, 192}},
    {"gray", {128, 128, 128}},
    {"white", {255, 255, 255}},
    {"maroon", {128, 0, 0}},
    {"red", {255, 0, 0}},
    {"purple", {128, 0, 128}},
    {"fuchsia", {255, 0, 255}},
    {"green", {0, 128, 0}},
    {"lime", {0, 255, 0}},
    {"olive", {128, 128, 0}},
    {"yellow", {255, 255, 0}},
    {"navy", {0, 0, 128}},
    {"blue", {0, 0, 255}},
    {"teal", {0, 128, 128}},
    {"aqua", {0, 255, 255}},
}};

std::optional<int> HexDigit(char character) {
    if (character >= '0' && character <= '9') {
        return character - '0';
    }
    if (character >= 'a' && character <= 'f') {
        return character - 'a' + 10;
    }
    if (character >= 'A' && character <= 'F') {
        return character - 'A' + 10;
    }
    return std::nullopt;
}

std::optional<Rgb> ParseHexColor(std::string_view digits) {
    std::array<int, 6> values{};
    for (std::size_t i = 0; i < digits.size() && i < values.size(); ++i) {
        const std::optional<int> value = HexDigit(digits[i]);
        if (!value) {
            return std::nullopt;
        }
        values[i] = *value;
    }
    constexpr int kNibble = 16;
    if (digits.size() == 3) {
        return Rgb{static_cast<std::uint8_t>(values[0] * (kNibble + 1)),
                   static_cast<std::uint8_t>(values[1] * (kNibble + 1)),
                   static_cast<std::uint8_t>(values[2] * (kNibble + 1))};
    }
    if (digits.size() == 6) {
        return Rgb{static_cast<std::uint8_t>(values[0] * kNibble + values[1]),
                   static_cast<std::uint8_t>(values[2] * kNibble + values[3]),
                   static_cast<std::uint8_t>(values[4] * kNibble + values[5])};
    }
    return std::nullopt;
}

// "rgb(" has been read: three channels, all numbers or all percentages,
// clamped to the channel's range.
std::optional<Rgb> ParseFunctionalColor(std::string_view arguments) {
    ValueScanner scanner(arguments);
    std::array<std::uint8_t, 3> channels{};
    std::optional<bool> percentages;
    for (std::size_t i = 0; i < channels.size(); ++i) {
        if (i > 0) {
            scanner.SkipSeparator();
        }
        const std::optional<double> value = scanner.Double();
        if (!value) {
            return std::nullopt;
        }
        const std::string_view unit = scanner.Word();
        if ((unit != "" && unit != "%") || (percentages && *percentages != (unit == "%"))) {
            return std::nullopt;
        }
        percentages = unit == "%";
        const double channel = *percentages ? *value * kFullChannel / kPercent : *value;
        channels[i] =
            static_cast<std::uint8_t>(std::lround(std::clamp(channel, 0.0, kFullChannel)));
    }
    if (!scanner.AtEnd()) {
        return std::nullopt;
    }
    return Rgb{channels[0], channels[1], channels[2]};
}

// A length's number and its unit in points per unit.
std::optional<std::pair<double, double>> ParseLength(ValueScanner& scanner) {
    const std::optional<float> value = scanner.Number();
    if (!value) {
        return std::nullopt;
    }
    const std::string_view unit = scanner.Word();
    for (const Unit& known : kUnits) {
        if (known.name == unit) {
            return std::pair(double{*value}, known.points);
        }
    }
    return std::nullopt;
}

// The values of a list, each read by the item reader, or none when one
// does not read.
template <typename ReadItem>
std::optional<std::vector<double>> ReadList(std::string_view text, ReadItem readItem) {
    ValueScanner scanner(text);
    std::vector<double> values;
    while (!scanner.AtEnd()) {
        if (!values.empty()) {
            scanner.SkipSeparator();
        }
        const std::optional<double> value = readItem(scanner);
        if (!value) {
            return std::nullopt;
        }
        values.push_back(*value);
    }
    return values;
}

std::optional<double> ReadNumber(ValueScanner& scanner) {
    const std::optional<float> value = scanner.Number();
    return value ? std::optional<double>(*value) : std::nullopt;
}

std::optional<double> ReadLengthUser(ValueScanner& scanner) {
    const std::optional<std::pair<double, double>> length = ParseLength(scanner);
    return length ? std::optional(length->first * (length->second / host::kPointsPerSvgPixel))
                  : std::nullopt;
}

// One transform function's arguments, between counts at least and at most.
std::optional<std::vector<double>> Arguments(std::string_view text, std::size_t least,
                                             std::size_t most) {
    std::optional<std::vector<double>> values = ReadList(text, ReadNumber);
    if (values && (values->size() < least || values->size() > most)) {
        return std::nullopt;
    }
    return values;
}

double Radians(double degrees) {
    return degrees * std::numbers::pi / kDegreesPerHalfTurn;
}

std::optional<Matrix> TransformFunction(std::string_view name, std::string_view text) {
    const auto is = [&](std::string_view known, std::size_t least, std::size_t most) {
        return name == known ? Arguments(text, least, most) : std::nullopt;
    };
    if (const auto v = is("matrix", kMaxTransformArguments, kMaxTransformArguments)) {
        return Matrix{(*v)[0], (*v)[1], (*v)[2], (*v)[3], (*v)[4], (*v)[5]};
    }
    if (const auto v = is("translate", 1, 2)) {
        return Matrix{1, 0, 0, 1, (*v)[0], v->size() == 2 ? (*v)[1] : 0};
    }
    if (const auto v = is("scale", 1, 2)) {
        return Matrix{(*v)[0], 0, 0, v->size() == 2 ? (*v)[1] : (*v)[0], 0, 0};
    }
    if (const auto v = is("rotate", 1, 3)) {
        if (v->size() == 2) {
            return std::nullopt;
        }
        const double angle = Radians((*v)[0]);
        const Matrix rotation{
            std::cos(angle), std::sin(angle), -std::sin(angle), std::cos(angle), 0, 0};
        if (v->size() == 1) {
            return rotation;
        }
        const double cx = (*v)[1];
        const double cy = (*v)[2];
        return Matrix{1, 0, 0, 1, cx, cy}.Then(rotation).Then(Matrix{1, 0, 0, 1, -cx, -cy});
    }
    if (const auto v = is("skewX", 1, 1)) {
        return Matrix{1, 0, std::tan(Radians((*v)[0])), 1, 0, 0};
    }
    if (const auto v = is("skewY", 1, 1)) {
        return Matrix{1, std::tan(Radians((*v)[0])), 0, 1, 0, 0};
    }
    return std::nullopt;
}

}  // namespace

UserPoint Matrix::Apply(UserPoint point) const {
    return {a * point.x + c * point.y + e, b * point.x + d * point.y + f};
}

Matrix Matrix::Then(const Matrix& inner) const {
    return {a * inner.a + c * inner.b,     b * inner.a + d * inner.b,
            a * inner.c + c * inner.d,     b * inner.c + d * inner.d,
            a * inner.e + c * inner.f + e, b * inner.e + d * inner.f + f};
}

double Matrix::LengthScale() const {
    return std::sqrt(std::abs(a * d - b * c));
}

std::optional<Matrix> ParseTransform(std::string_view text) {
    Matrix matrix;
    std::string_view rest = TrimSpace(text);
    while (!rest.empty()) {
        const std::size_t open = rest.find('(');
        const std::size_t close = rest.find(')');
        if (open == std::string_view::npos || close == std::string_view::npos || close < open) {
            return std::nullopt;
        }
        const std::optional<Matrix> function = TransformFunction(
            TrimSpace(rest.substr(0, open)), rest.substr(open + 1, close - open - 1));
        if (!function) {
            return std::nullopt;
        }
        matrix = matrix.Then(*function);
        rest = TrimSpace(rest.substr(close + 1));
        if (!rest.empty() && rest.front() == ',') {
            rest = TrimSpace(rest.substr(1));
        }
    }
    return matrix;
}

std::optional<Rgb> ParseColor(std::string_view text) {
    text = TrimSpace(text);
    if (text.starts_with('#')) {
        return ParseHexColor(text.substr(1));
    }
    constexpr std::string_view kFunction = "rgb(";
    if (text.starts_with(kFunction) && text.ends_with(')')) {
        return ParseFunctionalColor(
            text.substr(kFunction.size(), text.size() - kFunction.size() - 1));
    }
    for (const NamedColor& named : kBasicColors) {
        if (named.name == text) {
            return named.rgb;
        }
    }
    return std::nullopt;
}

std::optional<double> ParseLengthPoints(std::string_view text) {
    ValueScanner scanner(text);
    const std::optional<std::pair<double, double>> length = ParseLength(scanner);
    if (!length || !scanner.AtEnd()) {
        return std::nullopt;
    }
    return length->first * length->second;
}

std::optional<double> ParseLengthUser(std::string_view text) {
    ValueScanner scanner(text);
    const std::optional<double> length = ReadLengthUser(scanner);
    return length && scanner.AtEnd() ? length : std::nullopt;
}

std::optional<std::vector<double>> ParseNumbers(std::string_view text) {
    return ReadList(text, ReadNumber);
}

std::optional<std::vector<double>> ParseLengthsUser(std::string_view text) {
    return ReadList(text, ReadLengthUser);
}

std::vector<std::pair<std::string_view, std::string_view>> ParseDeclarations(
    std::string_view style) {
    std::vector<std::pair<std::string_view, std::string_view>> declarations;
    while (!style.empty()) {
        const std::size_t end = style.find(';');
        const std::string_view declaration = style.substr(0, end);
        const std::size_t colon = declaration.find(':');
        if (colon != std::string_view::npos) {
            declarations.emplace_back(TrimSpace(declaration.substr(0, colon)),
                                      TrimSpace(declaration.substr(colon + 1)));
        }
        style = end == std::string_view::npos ? std::string_view() : style.substr(end + 1);
    }
    return declarations;
}

}  // namespace standin::svg
