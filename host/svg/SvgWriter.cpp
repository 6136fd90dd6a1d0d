#include "SvgWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <optional>

#include "SvgPathData.h"
#include "SvgSyntax.h"

namespace standin {

namespace {

// The call the writer makes the fonts' checked calls under.
constexpr std::string_view kCall = "SVG writer";
constexpr std::string_view kIndent = "  ";
constexpr double kFullChannel = 255.0;
// A pattern or gradient, whose paint the document does not hold, shows as
// mid grey.
constexpr double kUnknownPaintChannel = 0.5;
constexpr std::string_view kTemporaryPattern = ".strivelo-svg-XXXXXX";
constexpr mode_t kNewFileMode = 0644;
constexpr mode_t kPermissionBits = 07777;

struct Channels {
    double red;
    double green;
    double blue;
};

Channels FromCmyk(const host::CmykValues& cmyk) {
    return {(1 - cmyk.cyan) * (1 - cmyk.black), (1 - cmyk.magenta) * (1 - cmyk.black),
            (1 - cmyk.yellow) * (1 - cmyk.black)};
}

// Whether the code point is a character XML 1.0 allows.
bool IsXmlCharacter(char32_t code) {
    return code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF) ||
           (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
}

// The code point as UTF-8, escaped for an attribute or text; white space
// other than the blank as references, which no parser normalises.
void AppendEscaped(std::string& out, char32_t code) {
    switch (code) {
        case '&':
            out += "&amp;";
            return;
        case '<':
            out += "&lt;";
            return;
        case '>':
            out += "&gt;";
            return;
        case '"':
            out += "&quot;";
            return;
        case '\t':
            out += "&#9;";
            return;
        case '\n':
            out += "&#10;";
            return;
        case '\r':
            out += "&#13;";
            return;
        default:
            break;
    }
    constexpr char32_t kOneByte = 0x80;
    constexpr char32_t kTwoBytes = 0x800;
    constexpr char32_t kThreeBytes = 0x10000;
    constexpr unsigned kBits = 6;
    constexpr char32_t kLow = 0x3F;
    constexpr char32_t kContinuation = 0x80;
    if (code < kOneByte) {
        out += static_cast<char>(code);
    } else if (code < kTwoBytes) {
        out += static_cast<char>(0xC0 | (code >> kBits));
        out += static_cast<char>(kContinuation | (code & kLow));
    } else if (code < kThreeBytes) {
        out += static_cast<char>(0xE0 | (code >> (2 * kBits)));
        out += static_cast<char>(kContinuation | ((code >> kBits) & kLow));
        out += static_cast<char>(kContinuation | (code & kLow));
    } else {
        out += static_cast<char>(0xF0 | (code >> (3 * kBits)));
        out += static_cast<char>(kContinuation | ((code >> (2 * kBits)) & kLow));
        out += static_cast<char>(kContinuation | ((code >> kBits) & kLow));
        out += static_cast<char>(kContinuation | (code & kLow));
    }
}

// UTF-8 text escaped, or none when it is not well-formed UTF-8 or holds a
// character XML forbids.
std::optional<std::string> EscapeUtf8(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80             ? 1
                                   : (lead & 0xE0) == 0xC0 ? 2
                                   : (lead & 0xF0) == 0xE0 ? 3
                                   : (lead & 0xF8) == 0xF0 ? 4
                                                           : 0;
        if (length == 0 || i + length > text.size()) {
            return std::nullopt;
        }
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return std::nullopt;
            }
            code = (code << 6) | (next & 0x3F);
        }
        // Overlong forms and surrogates are no UTF-8.
        constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < kSmallest[length] || (code >= 0xD800 && code <= 0xDFFF) ||
            !IsXmlCharacter(code)) {
            return std::nullopt;
        }
        AppendEscaped(out, code);
        i += length;
    }
    return out;
}

// UTF-16 units escaped, or none for a lone surrogate or a character XML
// forbids.
std::optional<std::string> EscapeUtf16(std::u16string_view units) {
    std::string out;
    for (std::size_t i = 0; i < units.size(); ++i) {
        char32_t code = units[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (units[++i] - 0xDC00);
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            return std::nullopt;
        }
        if (!IsXmlCharacter(code)) {
            return std::nullopt;
        }
        AppendEscaped(out, code);
    }
    return out;
}

class Writer {
public:
    Writer(const DocumentStore& store, InstalledFonts& fonts, DocumentId document,
           const SvgLimits& limits)
        : store_(store), fonts_(fonts), document_(store.Document(document)), limits_(limits) {}

    SvgWritten Write();

private:
    void Fail(std::string message) {
        if (error_.empty()) {
            error_ = std::move(message);
        }
    }
    std::string Number(float value);
    std::string Number(double value);
    std::string Numbers(std::initializer_list<float> values);
    // An attribute: its name written as given, its value escaped.
    void Attribute(std::string_view name, std::string_view value);
    void OwnAttribute(std::string_view name, std::string_view value);
    void Open(std::size_t depth, std::string_view element);
    // Ends the start tag; the element's children follow.
    void Close(bool empty, bool inline_);
    void End(std::size_t depth, std::string_view element, bool inline_);

    std::string Hex(const host::Color& color);
    std::string Exact(const host::Color& color);
    void ArtAttributes(const ArtRecord& art);
    void Tags(std::size_t depth, const ArtRecord& art, bool inline_);
    void StyleAttributes(const host::PathStyle& style);
    bool FiniteSegments(const ArtRecord& path);
    void PathAttributes(const ArtRecord& path);
    void WriteArt(std::size_t depth, host::Art art);
    void WritePath(std::size_t depth, std::string_view element, const ArtRecord& path);
    void WriteCompound(std::size_t depth, const ArtRecord& compound);
    void WriteText(std::size_t depth, const ArtRecord& text);
    void WriteImage(std::size_t depth, const ArtRecord& image);
    void WriteLayer(host::Layer layer);

    const DocumentStore& store_;
    InstalledFonts& fonts_;
    const DocumentRecord& document_;
    const SvgLimits& limits_;
    std::string out_;
    std::size_t segments_ = 0;
    std::size_t art_ = 0;
    std::string error_;
};

std::string Writer::Number(float value) {
    if (!std::isfinite(value)) {
        Fail("a value that is not a finite number");
    }
    return svg::FormatNumber(value);
}

std::string Writer::Number(double value) {
    if (!std::isfinite(value)) {
        Fail("a value that is not a finite number");
    }
    return svg::FormatNumber(value);
}

std::string Writer::Numbers(std::initializer_list<float> values) {
    std::string text;
    for (const float value : values) {
        if (!text.empty()) {
            text += ' ';
        }
        text += Number(value);
    }
    return text;
}

void Writer::Attribute(std::string_view name, std::string_view value) {
    const std::optional<std::string> escaped = EscapeUtf8(value);
    if (!escaped) {
        Fail("a text that is not UTF-8 or holds a character XML forbids");
        return;
    }
    out_ += ' ';
    out_ += name;
    out_ += "=\"";
    out_ += *escaped;
    out_ += '"';
}

void Writer::OwnAttribute(std::string_view name, std::string_view value) {
    Attribute(std::string(svg::kOwnPrefix) + ":" + std::string(name), value);
}

void Writer::Open(std::size_t depth, std::string_view element) {
    if (depth > limits_.nestingDepth) {
        Fail("art nested deeper than " + std::to_string(limits_.nestingDepth) + " elements");
    }
    out_ += '<';
    out_ += element;
}

void Writer::Close(bool empty, bool inline_) {
    out_ += empty ? "/>" : ">";
    if (!inline_) {
        out_ += '\n';
    }
}

void Writer::End(std::size_t depth, std::string_view element, bool inline_) {
    if (!inline_) {
        for (std::size_t i = 1; i < depth; ++i) {
            out_ += kIndent;
        }
    }
    out_ += "</";
    out_ += element;
    out_ += '>';
    if (!inline_ || depth == 0) {
        out_ += '\n';
    }
}

std::string Writer::Hex(const host::Color& color) {
    Channels channels{kUnknownPaintChannel, kUnknownPaintChannel, kUnknownPaintChannel};
    switch (color.kind) {
        case host::ColorKind::kGray:
            channels = {1 - color.gray, 1 - color.gray, 1 - color.gray};
            break;
        case host::ColorKind::kCmyk:
            channels = FromCmyk(color.cmyk);
            break;
        case host::ColorKind::kRgb:
            channels = {color.rgb.red, color.rgb.green, color.rgb.blue};
            break;
        case host::ColorKind::kCustom:
            if (const CustomColorRecord* custom = store_.PeekCustomColor(color.custom.color)) {
                const host::CustomColorDefinition& definition = custom->definition;
                const Channels ink =
                    definition.kind == host::CustomColorKind::kCmyk ? FromCmyk(definition.cmyk)
                    : definition.kind == host::CustomColorKind::kRgb
                        ? Channels{definition.rgb.red, definition.rgb.green, definition.rgb.blue}
                        : channels;
                // The tint is the share of white.
                const auto tinted = [&](double value) {
                    return 1 - (1 - value) * (1 - color.custom.tint);
                };
                channels = {tinted(ink.red), tinted(ink.green), tinted(ink.blue)};
            }
            break;
        case host::ColorKind::kPattern:
        case host::ColorKind::kGradient:
            break;
    }
    char text[sizeof "#rrggbb"];
    const auto channel = [](double value) {
        return static_cast<unsigned>(
            std::lround(std::isfinite(value) ? std::clamp(value, 0.0, 1.0) * kFullChannel : 0));
    };
    std::snprintf(text, sizeof text, "#%02x%02x%02x", channel(channels.red),
                  channel(channels.green), channel(channels.blue));
    return text;
}

std::string Writer::Exact(const host::Color& color) {
    const auto kind = static_cast<std::size_t>(color.kind);
    if (kind >= svg::kColorKindNames.size()) {
        Fail("a colour of an unknown kind");
        return {};
    }
    std::string text(svg::kColorKindNames[kind]);
    switch (color.kind) {
        case host::ColorKind::kGray:
            return text + " " + Number(color.gray);
        case host::ColorKind::kCmyk:
            return text + " " +
                   Numbers(
                       {color.cmyk.cyan, color.cmyk.magenta, color.cmyk.yellow, color.cmyk.black});
        case host::ColorKind::kRgb:
            return text + " " + Numbers({color.rgb.red, color.rgb.green, color.rgb.blue});
        case host::ColorKind::kCustom: {
            const auto& colors = document_.customColors;
            const auto found = std::find(colors.begin(), colors.end(), color.custom.color);
            if (found == colors.end()) {
                Fail("a custom colour of another document");
            }
            return text + " " + std::to_string(found - colors.begin()) + " " +
                   Number(color.custom.tint);
        }
        case host::ColorKind::kPattern:
        case host::ColorKind::kGradient:
            break;
    }
    return text;
}

void Writer::ArtAttributes(const ArtRecord& art) {
    if (art.opacity != 1.0) {
        Attribute("opacity", Number(art.opacity));
    }
    if (art.blendMode != host::BlendMode::kNormal) {
        const auto mode = static_cast<std::size_t>(art.blendMode);
        if (mode >= svg::kBlendModeNames.size()) {
            Fail("an unknown blend mode");
            return;
        }
        OwnAttribute(svg::own::kBlend, svg::kBlendModeNames[mode]);
    }
}

void Writer::Tags(std::size_t depth, const ArtRecord& art, bool inline_) {
    for (const auto& [name, tag] : art.tags) {
        if (!inline_) {
            for (std::size_t i = 1; i < depth; ++i) {
                out_ += kIndent;
            }
        }
        Open(depth, std::string(svg::kOwnPrefix) + ":" + std::string(svg::own::kTagElement));
        Attribute(svg::own::kName, name);
        Attribute(svg::own::kType, tag.type);
        Attribute(svg::own::kValue, tag.value);
        Close(true, inline_);
    }
}

void Writer::StyleAttributes(const host::PathStyle& style) {
    Attribute("fill", style.fillPaint ? Hex(style.fill.color) : "none");
    OwnAttribute(svg::own::kFill, Exact(style.fill.color));
    if (style.fill.overprint) {
        OwnAttribute(svg::own::kFillOverprint, svg::own::kTrue);
    }
    const host::StrokeStyle& stroke = style.stroke;
    Attribute("stroke", style.strokePaint ? Hex(stroke.color) : "none");
    OwnAttribute(svg::own::kStroke, Exact(stroke.color));
    if (stroke.overprint) {
        OwnAttribute(svg::own::kStrokeOverprint, svg::own::kTrue);
    }
    // SVG's initial values need not be written.
    constexpr float kInitialMiterLimit = 4.0f;
    if (stroke.width != 1.0f) {
        Attribute("stroke-width", Number(stroke.width));
    }
    const auto cap = static_cast<std::size_t>(stroke.cap);
    const auto join = static_cast<std::size_t>(stroke.join);
    if (cap >= svg::kLineCapNames.size() || join >= svg::kLineJoinNames.size()) {
        Fail("an unknown line cap or join");
        return;
    }
    if (stroke.cap != host::LineCap::kButt) {
        Attribute("stroke-linecap", svg::kLineCapNames[cap]);
    }
    if (stroke.join != host::LineJoin::kMiter) {
        Attribute("stroke-linejoin", svg::kLineJoinNames[join]);
    }
    if (stroke.miterLimit != kInitialMiterLimit) {
        Attribute("stroke-miterlimit", Number(stroke.miterLimit));
    }
    if (stroke.dash.count > 0) {
        std::string lengths;
        for (std::int32_t i = 0; i < stroke.dash.count; ++i) {
            if (i > 0) {
                lengths += ' ';
            }
            lengths += Number(stroke.dash.lengths[i]);
        }
        Attribute("stroke-dasharray", lengths);
    }
    if (stroke.dash.offset != 0) {
        Attribute("stroke-dashoffset", Number(stroke.dash.offset));
    }
}

bool Writer::FiniteSegments(const ArtRecord& path) {
    for (const host::PathSegment& segment : path.segments) {
        for (const host::RealPoint& point : {segment.anchor, segment.in, segment.out}) {
            if (!std::isfinite(point.h) || !std::isfinite(point.v)) {
                Fail("a path point that is not finite");
                return false;
            }
        }
    }
    return true;
}

void Writer::PathAttributes(const ArtRecord& path) {
    segments_ += path.segments.size();
    if (segments_ > limits_.segments) {
        Fail("more than " + std::to_string(limits_.segments) + " segments");
        return;
    }
    if (!FiniteSegments(path)) {
        return;
    }
    if (!path.segments.empty()) {
        Attribute("d", svg::WritePathData(path.segments, path.closed));
    } else if (path.closed) {
        OwnAttribute(svg::own::kClosed, svg::own::kTrue);
    }
    if (std::any_of(path.segments.begin(), path.segments.end(),
                    [](const host::PathSegment& segment) { return !segment.corner; })) {
        std::string corners;
        for (const host::PathSegment& segment : path.segments) {
            corners += segment.corner ? '1' : '0';
        }
        OwnAttribute(svg::own::kCorners, corners);
    }
    if (!path.closed && !path.segments.empty()) {
        const host::PathSegment& first = path.segments.front();
        const host::PathSegment& last = path.segments.back();
        if (first.in != first.anchor || last.out != last.anchor) {
            OwnAttribute(svg::own::kEnds,
                         Numbers({first.in.h, first.in.v, last.out.h, last.out.v}));
        }
    }
}

void Writer::WritePath(std::size_t depth, std::string_view element, const ArtRecord& path) {
    Open(depth, element);
    PathAttributes(path);
    StyleAttributes(path.style);
    ArtAttributes(path);
    Close(path.tags.empty(), false);
    if (!path.tags.empty()) {
        Tags(depth + 1, path, false);
        End(depth, element, false);
    }
}

void Writer::WriteCompound(std::size_t depth, const ArtRecord& compound) {
    // One path draws every child, so that holes show; the children follow
    // with their own properties, in the host's own namespace.
    std::string data;
    for (const host::Art child : compound.children) {
        const ArtRecord& path = *store_.PeekArt(child);
        if (FiniteSegments(path)) {
            if (!data.empty()) {
                data += ' ';
            }
            data += svg::WritePathData(path.segments, path.closed);
        }
    }
    Open(depth, "path");
    if (!data.empty()) {
        Attribute("d", data);
    }
    // The host keeps no fill rule; even-odd shows a hole whichever way its
    // path runs.
    Attribute("fill-rule", "evenodd");
    OwnAttribute(svg::own::kArt, svg::own::kCompoundPath);
    StyleAttributes(compound.style);
    ArtAttributes(compound);
    Close(false, false);
    Tags(depth + 1, compound, false);
    const std::string childElement =
        std::string(svg::kOwnPrefix) + ":" + std::string(svg::own::kPathElement);
    for (const host::Art child : compound.children) {
        ++art_;
        for (std::size_t i = 0; i < depth; ++i) {
            out_ += kIndent;
        }
        WritePath(depth + 1, childElement, *store_.PeekArt(child));
    }
    End(depth, "path", false);
}

void Writer::WriteText(std::size_t depth, const ArtRecord& text) {
    const TextContent& content = text.text;
    Open(depth, "text");
    Attribute("transform",
              "matrix(1 0 0 -1 " + Numbers({content.anchor.h, content.anchor.v}) + ")");
    Attribute("xml:space", "preserve");
    if (content.orientation == host::TextOrientation::kVertical) {
        Attribute("writing-mode", "tb");
    }
    Attribute("fill", Hex(content.color));
    OwnAttribute(svg::own::kFill, Exact(content.color));
    ArtAttributes(text);
    // Nothing but the characters between the tags: white space there would
    // be text.
    Close(false, true);
    Tags(depth + 1, text, true);
    const std::vector<TextCharacter>& characters = content.characters;
    for (std::size_t begin = 0; begin < characters.size();) {
        std::size_t end = begin;
        std::u16string units;
        while (end < characters.size() && characters[end].font == characters[begin].font &&
               characters[end].size == characters[begin].size) {
            units += characters[end++].unit;
        }
        Open(depth + 1, "tspan");
        std::string postScriptName;
        if (characters[begin].font) {
            const std::optional<InstalledFonts::Place> place =
                fonts_.FindFont(characters[begin].font, kCall);
            if (!place) {
                Fail("a text in a font that is not installed");
                return;
            }
            Attribute("font-family", place->typeface->name);
            postScriptName = place->font.postScriptName;
        }
        Attribute("font-size", Number(characters[begin].size));
        OwnAttribute(svg::own::kFont, postScriptName);
        Close(false, true);
        const std::optional<std::string> escaped = EscapeUtf16(units);
        if (!escaped) {
            Fail("a text holding a character XML forbids");
            return;
        }
        out_ += *escaped;
        End(depth + 1, "tspan", true);
        begin = end;
    }
    End(depth, "text", true);
    out_ += '\n';
}

void Writer::WriteImage(std::size_t depth, const ArtRecord& image) {
    const host::RealRect& bounds = image.imageBounds;
    Open(depth, "image");
    Attribute("x", Number(bounds.left));
    Attribute("y", Number(bounds.bottom));
    Attribute("width", Number(std::max(0.0f, bounds.right - bounds.left)));
    Attribute("height", Number(std::max(0.0f, bounds.top - bounds.bottom)));
    OwnAttribute(svg::own::kBounds,
                 Numbers({bounds.left, bounds.top, bounds.right, bounds.bottom}));
    ArtAttributes(image);
    Close(image.tags.empty(), false);
    if (!image.tags.empty()) {
        Tags(depth + 1, image, false);
        End(depth, "image", false);
    }
}

void Writer::WriteArt(std::size_t depth, host::Art art) {
    if (!error_.empty()) {
        return;
    }
    if (++art_ > limits_.art) {
        Fail("more than " + std::to_string(limits_.art) + " pieces of art");
        return;
    }
    for (std::size_t i = 1; i < depth; ++i) {
        out_ += kIndent;
    }
    const ArtRecord& record = *store_.PeekArt(art);
    switch (record.type) {
        case host::ArtType::kPath:
            WritePath(depth, "path", record);
            return;
        case host::ArtType::kCompoundPath:
            WriteCompound(depth, record);
            return;
        case host::ArtType::kTextFrame:
            WriteText(depth, record);
            return;
        case host::ArtType::kPlacedImage:
            WriteImage(depth, record);
            return;
        case host::ArtType::kGroup:
        case host::ArtType::kLegacyText:
            break;
    }
    Open(depth, "g");
    if (record.type == host::ArtType::kLegacyText) {
        OwnAttribute(svg::own::kArt, svg::own::kLegacyText);
    }
    ArtAttributes(record);
    const bool empty = record.tags.empty() && record.children.empty();
    Close(empty, false);
    if (!empty && error_.empty()) {
        Tags(depth + 1, record, false);
        // Deeper art would break the limit: it is not visited.
        for (const host::Art child : record.children) {
            WriteArt(depth + 1, child);
        }
        End(depth, "g", false);
    }
}

void Writer::WriteLayer(host::Layer layer) {
    constexpr std::size_t kLayerDepth = 2;
    const LayerRecord& record = *store_.PeekLayer(layer);
    const ArtRecord& group = *store_.PeekArt(record.group);
    out_ += kIndent;
    Open(kLayerDepth, "g");
    OwnAttribute(svg::own::kLayer, record.name);
    // The layer's art in document points, y up.
    Attribute("transform", "matrix(1 0 0 -1 0 " + Number(document_.height) + ")");
    if (!record.visible) {
        Attribute("display", "none");
    }
    if (!record.editable) {
        OwnAttribute(svg::own::kLocked, svg::own::kTrue);
    }
    if (layer == document_.currentLayer) {
        OwnAttribute(svg::own::kCurrent, svg::own::kTrue);
    }
    ArtAttributes(group);
    Close(false, false);
    Tags(kLayerDepth + 1, group, false);
    for (const host::Art child : group.children) {
        WriteArt(kLayerDepth + 1, child);
    }
    End(kLayerDepth, "g", false);
}

SvgWritten Writer::Write() {
    if (!(document_.width > 0) || !(document_.height > 0) || !std::isfinite(document_.width) ||
        !std::isfinite(document_.height)) {
        return {{}, "a page whose size is not positive"};
    }
    out_ += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    Open(1, "svg");
    Attribute("xmlns", svg::kSvgNamespace);
    Attribute(std::string("xmlns:") + std::string(svg::kOwnPrefix), svg::kOwnNamespace);
    Attribute("version", "1.1");
    Attribute("width", Number(document_.width) + "pt");
    Attribute("height", Number(document_.height) + "pt");
    Attribute("viewBox", "0 0 " + Numbers({document_.width, document_.height}));
    Close(false, false);
    const std::string colorElement =
        std::string(svg::kOwnPrefix) + ":" + std::string(svg::own::kCustomColorElement);
    for (const host::CustomColor color : document_.customColors) {
        const CustomColorRecord& record = *store_.PeekCustomColor(color);
        const host::CustomColorDefinition& definition = record.definition;
        const auto model = static_cast<std::size_t>(definition.kind);
        if (model >= svg::kCustomColorModelNames.size()) {
            Fail("a custom colour of an unknown model");
            break;
        }
        out_ += kIndent;
        Open(2, colorElement);
        Attribute(svg::own::kName, record.name);
        Attribute(svg::own::kModel, svg::kCustomColorModelNames[model]);
        Attribute(svg::own::kValues,
                  definition.kind == host::CustomColorKind::kCmyk
                      ? Numbers({definition.cmyk.cyan, definition.cmyk.magenta,
                                 definition.cmyk.yellow, definition.cmyk.black})
                  : definition.kind == host::CustomColorKind::kRgb
                      ? Numbers({definition.rgb.red, definition.rgb.green, definition.rgb.blue})
                      : "");
        Close(true, false);
    }
    for (const host::Layer layer : document_.layers) {
        WriteLayer(layer);
    }
    End(0, "svg", false);
    if (error_.empty() && out_.size() > limits_.fileBytes) {
        Fail("a file larger than " + std::to_string(limits_.fileBytes) + " bytes");
    }
    if (!error_.empty()) {
        return {{}, "the document cannot be written as SVG: " + error_};
    }
    return {std::move(out_), {}};
}

std::string SystemError(const std::string& what, const std::string& path) {
    return "cannot " + what + " " + path + ": " + std::strerror(errno);
}

}  // namespace

std::string ReplaceFile(const std::string& path, const std::string& text) {
    const std::filesystem::path target(path);
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    std::string temporary = (folder / kTemporaryPattern).string();
    const int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0) {
        return SystemError("create a file beside", path);
    }
    struct stat existing {};
    const mode_t mode =
        ::stat(path.c_str(), &existing) == 0 ? existing.st_mode & kPermissionBits : kNewFileMode;
    bool written = ::fchmod(descriptor, mode) == 0;
    for (std::size_t offset = 0; written && offset < text.size();) {
        const ssize_t count = ::write(descriptor, text.data() + offset, text.size() - offset);
        written = count > 0;
        offset += written ? static_cast<std::size_t>(count) : 0;
    }
    written = written && ::fsync(descriptor) == 0;
    const std::string error = written ? std::string() : SystemError("write", path);
    if (::close(descriptor) != 0 && error.empty()) {
        ::unlink(temporary.c_str());
        return SystemError("write", path);
    }
    if (!error.empty()) {
        ::unlink(temporary.c_str());
        return error;
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        const std::string renameError = SystemError("replace", path);
        ::unlink(temporary.c_str());
        return renameError;
    }
    return {};
}

SvgWritten WriteSvgDocument(const DocumentStore& store, InstalledFonts& fonts, DocumentId document,
                            const SvgLimits& limits) {
    return Writer(store, fonts, document, limits).Write();
}

std::string SaveSvgDocument(const DocumentStore& store, InstalledFonts& fonts, DocumentId document,
                            const std::string& path, const SvgLimits& limits) {
    const SvgWritten written = WriteSvgDocument(store, fonts, document, limits);
    if (!written.error.empty()) {
        return written.error;
    }
    return ReplaceFile(path, written.text);
}

}  // namespace standin
