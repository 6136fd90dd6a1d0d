#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "SvgPathData.h"

// The values of SVG's attributes as the reader takes them.
namespace standin::svg {

// An affine map [a c e; b d f]: x' = a x + c y + e, y' = b x + d y + f.
struct Matrix {
    double a = 1;
    double b = 0;
    double c = 0;
    double d = 1;
    double e = 0;
    double f = 0;

    UserPoint Apply(UserPoint point) const;
    // This map after the inner one: what maps the inner map's space here.
    Matrix Then(const Matrix& inner) const;
    // How the map scales lengths (areas by its square).
    double LengthScale() const;
};

// A transform list: matrix, translate, scale, rotate, skewX, skewY.
std::optional<Matrix> ParseTransform(std::string_view text);

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

// "#rgb", "#rrggbb", "rgb(r, g, b)" in numbers or percentages, or one of the
// sixteen basic colour keywords; none for anything else.
std::optional<Rgb> ParseColor(std::string_view text);

// A length: a number with no unit (user units, that is pixels) or an
// absolute unit (px, pt, pc, mm, cm, in). In points, or in user units.
std::optional<double> ParseLengthPoints(std::string_view text);
std::optional<double> ParseLengthUser(std::string_view text);

// A list of numbers, as in points="" and viewBox="", or of lengths in user
// units, as in stroke-dasharray="".
std::optional<std::vector<double>> ParseNumbers(std::string_view text);
std::optional<std::vector<double>> ParseLengthsUser(std::string_view text);

// The declarations of a style attribute, property and value trimmed.
std::vector<std::pair<std::string_view, std::string_view>> ParseDeclarations(
    std::string_view style);

}  // namespace standin::svg
