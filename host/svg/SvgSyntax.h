#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "host/AiArtSuites.h"

// What the SVG writer and reader share, so that they agree by construction:
// the namespaces, the names of the host's own attributes and elements, the
// keywords of the enumerations, and how numbers are written and scanned.
namespace standin::svg {

inline constexpr std::string_view kSvgNamespace = "http://www.w3.org/2000/svg";
// The host's own namespace: what SVG cannot say about a document.
inline constexpr std::string_view kOwnNamespace = "urn:x-strivelo:svg";
inline constexpr std::string_view kOwnPrefix = "strivelo";

// Attributes of the own namespace.
namespace own {
inline constexpr std::string_view kArt = "art";  // the art kind where SVG has none
inline constexpr std::string_view kCompoundPath = "compound-path";
inline constexpr std::string_view kLegacyText = "legacy-text";
inline constexpr std::string_view kLayer = "layer";  // a layer's group: the layer's name
inline constexpr std::string_view kLocked = "locked";
inline constexpr std::string_view kCurrent = "current";
inline constexpr std::string_view kFill = "fill";  // the exact paints
inline constexpr std::string_view kStroke = "stroke";
inline constexpr std::string_view kFillOverprint = "fill-overprint";
inline constexpr std::string_view kStrokeOverprint = "stroke-overprint";
inline constexpr std::string_view kBlend = "blend";
// A path's corner flags, one digit per segment, where any is not a corner.
inline constexpr std::string_view kCorners = "corners";
// An open path's first in handle and last out handle, where either is off
// its anchor (path data holds neither).
inline constexpr std::string_view kEnds = "ends";
// A path without segments that is closed (path data cannot say so).
inline constexpr std::string_view kClosed = "closed";
inline constexpr std::string_view kFont = "font";      // a PostScript name
inline constexpr std::string_view kBounds = "bounds";  // a placed image's rect
inline constexpr std::string_view kTrue = "true";
// Elements of the own namespace, and their attributes (in no namespace).
inline constexpr std::string_view kTagElement = "tag";                   // name, type, value
inline constexpr std::string_view kCustomColorElement = "custom-color";  // name, model, values
inline constexpr std::string_view kPathElement = "path";                 // a compound path's child
inline constexpr std::string_view kName = "name";
inline constexpr std::string_view kType = "type";
inline constexpr std::string_view kValue = "value";
inline constexpr std::string_view kModel = "model";
inline constexpr std::string_view kValues = "values";
}  // namespace own

// Keywords by enumeration value.
inline constexpr std::array<std::string_view, 6> kColorKindNames = {"gray",   "cmyk",     "pattern",
                                                                    "custom", "gradient", "rgb"};
inline constexpr std::array<std::string_view, 3> kCustomColorModelNames = {"cmyk", "rgb", "other"};
inline constexpr std::array<std::string_view, 3> kLineCapNames = {"butt", "round", "square"};
inline constexpr std::array<std::string_view, 3> kLineJoinNames = {"miter", "round", "bevel"};
inline constexpr std::array<std::string_view, 16> kBlendModeNames = {
    "normal",      "multiply",   "screen", "overlay",   "soft-light", "hard-light",
    "color-dodge", "color-burn", "darken", "lighten",   "difference", "exclusion",
    "hue",         "saturation", "color",  "luminosity"};

// The index of the keyword in the table, or none.
template <std::size_t N>
std::optional<std::size_t> KeywordIndex(const std::array<std::string_view, N>& names,
                                        std::string_view keyword) {
    for (std::size_t i = 0; i < N; ++i) {
        if (names[i] == keyword) {
            return i;
        }
    }
    return std::nullopt;
}

// The shortest text that reads back as the same value (a zero as "0").
std::string FormatNumber(float value);
std::string FormatNumber(double value);

// Reads numbers and flags from an attribute's text: white space, and one
// comma, may separate them.
class ValueScanner {
public:
    explicit ValueScanner(std::string_view text) : text_(text) {}

    // Past the last value (only white space left).
    bool AtEnd();
    // The next number in SVG's syntax (no "inf" or "nan"), or none when the
    // text holds none there or it does not fit a float.
    std::optional<float> Number();
    // The same for a double.
    std::optional<double> Double();
    // An arc flag: a single "0" or "1".
    std::optional<bool> Flag();
    // The next character after white space, which it consumes when it is a
    // letter (a path command); zero otherwise.
    char Command();
    // Skips the comma (and white space) between values.
    void SkipSeparator();
    // A unit or other word that follows a number directly.
    std::string_view Word();
    std::size_t Offset() const { return position_; }

private:
    template <typename Value>
    std::optional<Value> Scan();
    // The extent of the number at the position, or 0 for none.
    std::size_t NumberLength() const;
    void SkipSpace();

    std::string_view text_;
    std::size_t position_ = 0;
};

// The whole text as one number, or none.
std::optional<float> ParseNumber(std::string_view text);

// Whether the character is one of SVG's white space characters.
bool IsSvgSpace(char character);
std::string_view TrimSpace(std::string_view text);

}  // namespace standin::svg
