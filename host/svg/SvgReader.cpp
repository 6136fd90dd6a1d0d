#include "SvgReader.h"

#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <cmath>
#include <exception>
#include <fstream>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "SvgPathData.h"
#include "SvgSyntax.h"
#include "SvgValues.h"

namespace standin {

namespace {

using svg::Matrix;
using svg::Subpath;
using svg::UserNode;
using svg::UserPoint;

// The call the reader makes the store's checked calls under.
constexpr std::string_view kCall = "SVG reader";
constexpr std::string_view kXmlNamespace = "http://www.w3.org/XML/1998/namespace";
constexpr std::size_t kInputChunkBytes = std::size_t{1} << 20;
// SVG's "medium" font size, in user units (so 12 points).
constexpr double kMediumFontSizeUser = 16.0;
constexpr double kInitialMiterLimit = 4.0;
constexpr double kFullChannel = 255.0;
constexpr std::size_t kCmykValues = 4;
constexpr std::size_t kRgbValues = 3;

host::Color Gray(float value) {
    host::Color color{};
    color.kind = host::ColorKind::kGray;
    color.gray = value;
    return color;
}

constexpr float kBlack = 1.0f;

host::Color FromRgb(svg::Rgb rgb) {
    if (rgb.red == rgb.green && rgb.green == rgb.blue) {
        return Gray(static_cast<float>(1.0 - rgb.red / kFullChannel));
    }
    host::Color color{};
    color.kind = host::ColorKind::kRgb;
    color.rgb = {static_cast<float>(rgb.red / kFullChannel),
                 static_cast<float>(rgb.green / kFullChannel),
                 static_cast<float>(rgb.blue / kFullChannel)};
    return color;
}

struct Paint {
    bool on;
    host::Color color;
};

enum class TextAnchor { kStart, kMiddle, kEnd };

// The properties an element hands its children, and its user space.
struct Context {
    Matrix ctm;  // user space to document points
    Paint fill{true, Gray(kBlack)};
    Paint stroke{false, Gray(kBlack)};
    double fillOpacity = 1;
    double strokeWidth = 1;  // user units
    host::LineCap cap = host::LineCap::kButt;
    host::LineJoin join = host::LineJoin::kMiter;
    double miterLimit = kInitialMiterLimit;
    std::vector<double> dash;  // user units
    double dashOffset = 0;
    std::string fontFamily;
    double fontSize = kMediumFontSizeUser;
    TextAnchor textAnchor = TextAnchor::kStart;
    bool vertical = false;
    bool preserveSpace = false;
};

// An element's attributes: those in no namespace (with the declarations of
// its style attribute over them, for the properties), the host's own, and
// xml:space.
class Attributes {
public:
    Attributes(int count, const xmlChar** attributes) {
        constexpr int kFieldsPerAttribute = 5;
        for (int i = 0; i < count; ++i) {
            const xmlChar** field = attributes + i * kFieldsPerAttribute;
            const std::string_view name = Text(field[0]);
            const std::string_view uri = Text(field[2]);
            const std::string_view value(reinterpret_cast<const char*>(field[3]),
                                         static_cast<std::size_t>(field[4] - field[3]));
            if (field[2] == nullptr) {
                plain_.emplace_back(name, value);
            } else if (uri == svg::kOwnNamespace) {
                own_.emplace_back(name, value);
            } else if (uri == kXmlNamespace && name == "space") {
                xmlSpace_ = value;
            }
        }
        if (const std::optional<std::string_view> style = Attribute("style")) {
            style_ = svg::ParseDeclarations(*style);
        }
    }

    static std::string_view Text(const xmlChar* text) {
        return text == nullptr ? std::string_view() : reinterpret_cast<const char*>(text);
    }

    std::optional<std::string_view> Attribute(std::string_view name) const {
        return Find(plain_, name);
    }
    std::optional<std::string_view> Property(std::string_view name) const {
        const std::optional<std::string_view> declared = Find(style_, name);
        return declared ? declared : Attribute(name);
    }
    std::optional<std::string_view> Own(std::string_view name) const { return Find(own_, name); }
    std::optional<std::string_view> XmlSpace() const { return xmlSpace_; }

private:
    using List = std::vector<std::pair<std::string_view, std::string_view>>;
    static std::optional<std::string_view> Find(const List& list, std::string_view name) {
        for (auto entry = list.rbegin(); entry != list.rend(); ++entry) {
            if (entry->first == name) {
                return entry->second;
            }
        }
        return std::nullopt;
    }

    List plain_;
    List own_;
    List style_;
    std::optional<std::string_view> xmlSpace_;
};

enum class Kind {
    kSvg,
    kGroup,
    kPath,
    kRect,
    kLine,
    kPolyline,
    kPolygon,
    kText,
    kTextSpan,
    kImage,
    kDescriptive,  // title, desc, metadata: skipped without a count
    kOwnTag,
    kOwnCustomColor,
    kOwnPath,
    kOther,
};

Kind KindOf(std::string_view name, const xmlChar* uri) {
    const std::string_view space = Attributes::Text(uri);
    if (uri == nullptr || space == svg::kSvgNamespace) {
        static constexpr std::pair<std::string_view, Kind> kSvgKinds[] = {
            {"svg", Kind::kSvg},
            {"g", Kind::kGroup},
            {"path", Kind::kPath},
            {"rect", Kind::kRect},
            {"line", Kind::kLine},
            {"polyline", Kind::kPolyline},
            {"polygon", Kind::kPolygon},
            {"text", Kind::kText},
            {"tspan", Kind::kTextSpan},
            {"image", Kind::kImage},
            {"title", Kind::kDescriptive},
            {"desc", Kind::kDescriptive},
            {"metadata", Kind::kDescriptive},
        };
        for (const auto& [known, kind] : kSvgKinds) {
            if (known == name) {
                return kind;
            }
        }
    } else if (space == svg::kOwnNamespace) {
        if (name == svg::own::kTagElement) {
            return Kind::kOwnTag;
        }
        if (name == svg::own::kCustomColorElement) {
            return Kind::kOwnCustomColor;
        }
        if (name == svg::own::kPathElement) {
            return Kind::kOwnPath;
        }
    }
    return Kind::kOther;
}

bool IsShape(Kind kind) {
    return kind == Kind::kPath || kind == Kind::kRect || kind == Kind::kLine ||
           kind == Kind::kPolyline || kind == Kind::kPolygon;
}

// UTF-8 as the parser hands it (always well-formed) to UTF-16 units.
void AppendUtf16(std::u16string& units, std::string_view text) {
    constexpr unsigned kContinuationBits = 6;
    constexpr char32_t kContinuationMask = 0x3F;
    constexpr char32_t kFirstSupplementary = 0x10000;
    constexpr char32_t kHighSurrogate = 0xD800;
    constexpr char32_t kLowSurrogate = 0xDC00;
    constexpr unsigned kSurrogateBits = 10;
    constexpr char32_t kSurrogateMask = 0x3FF;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t code = length == 1   ? lead
                        : length == 2 ? lead & 0x1F
                        : length == 3 ? lead & 0x0F
                                      : lead & 0x07;
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k) {
            code = (code << kContinuationBits) |
                   (static_cast<unsigned char>(text[i + k]) & kContinuationMask);
        }
        i += length;
        if (code >= kFirstSupplementary) {
            code -= kFirstSupplementary;
            units += static_cast<char16_t>(kHighSurrogate + (code >> kSurrogateBits));
            units += static_cast<char16_t>(kLowSurrogate + (code & kSurrogateMask));
        } else {
            units += static_cast<char16_t>(code);
        }
    }
}

// SVG's default white space rule: newlines go, tabs become blanks, blanks
// at either end go and runs of blanks become one.
void CollapseSpace(std::vector<TextCharacter>& characters) {
    std::vector<TextCharacter> kept;
    for (TextCharacter character : characters) {
        if (character.unit == u'\n') {
            continue;
        }
        if (character.unit == u'\t') {
            character.unit = u' ';
        }
        if (character.unit == u' ' && (kept.empty() || kept.back().unit == u' ')) {
            continue;
        }
        kept.push_back(character);
    }
    if (!kept.empty() && kept.back().unit == u' ') {
        kept.pop_back();
    }
    characters = std::move(kept);
}

class Reader {
public:
    Reader(DocumentStore& store, InstalledFonts& fonts, const SvgLimits& limits, std::string path)
        : store_(store), fonts_(fonts), limits_(limits), path_(std::move(path)) {}

    SvgOpened Read(std::string_view bytes);

    void StartElement(std::string_view name, const xmlChar* uri, const Attributes& attributes);
    void EndElement();
    void Characters(std::string_view text);
    void ParserError(const xmlError& error);
    void EntityReference(std::string_view name) {
        Fail("the entity reference &" + std::string(name) +
             "; (only the predefined ones are read)");
    }
    void Fail(std::string message);

private:
    enum class Role {
        kRoot,
        kContainer,  // a layer's group or a group: holds art
        kCompound,   // a compound path of the host's own: holds its paths
        kLeaf,       // other art: holds tags only
        kText,
        kTextSpan,
        kData,  // a tag or a custom colour
        kSkipped,
    };
    struct Frame {
        Role role;
        Context context;  // for the children
        host::Art art;
        host::Font font{};  // of a text's characters
        float fontSize = host::kDefaultTextSizePoints;
    };
    // A text frame is made at its end, once its characters are known.
    struct PendingText {
        host::Art parent;
        host::RealPoint anchor;
        bool vertical;
        TextAnchor textAnchor;
        bool preserveSpace;
        host::Color color;
        double opacity;
        std::optional<host::BlendMode> blend;
        std::vector<std::pair<std::string, Tag>> tags;
        std::vector<TextCharacter> characters;
    };

    bool Failed() const { return !error_.empty(); }
    std::string Where() const;
    bool Bad(std::string_view attribute, std::string_view value, std::string_view problem);
    void Push(Role role, Context context, host::Art art = {}) {
        frames_.push_back({role, std::move(context), art});
    }
    void Skip(bool counted) {
        skipped_ += counted ? 1 : 0;
        Push(Role::kSkipped, frames_.back().context);
    }
    bool Accepts(Role parent, Kind kind) const;

    void Root(std::string_view name, const xmlChar* uri, const Attributes& attributes);
    std::optional<Context> Inherit(const Context& parent, const Attributes& attributes);
    std::optional<Paint> ParsePaint(std::string_view attribute, std::string_view value);
    std::optional<host::Color> ExactColor(std::string_view attribute, std::string_view value);
    std::optional<std::string_view> Keyword(std::string_view attribute, std::string_view value,
                                            std::initializer_list<std::string_view> keywords);
    std::optional<double> Length(const Attributes& attributes, std::string_view name);
    std::optional<float> Coordinate(double value);
    std::optional<host::RealPoint> ToDocument(const Matrix& ctm, UserPoint point);

    host::Art ParentArt();
    bool Counted();
    bool Check(host::Error error, std::string_view what);
    void Layer(const Attributes& attributes, const Context& context);
    void Art(Kind kind, const Attributes& attributes);
    // The art's own opacity times the fill opacity given (1 for art without
    // a fill); none when it does not read.
    std::optional<double> Opacity(const Attributes& attributes, double fillOpacity);
    bool Blend(const Attributes& attributes, std::optional<host::BlendMode>& mode);
    bool Decorate(host::Art art, const Attributes& attributes, double fillOpacity);
    std::optional<host::PathStyle> StyleOf(const Context& context, const Attributes& attributes,
                                           bool fillable);
    std::optional<std::vector<Subpath>> Geometry(Kind kind, const Attributes& attributes);
    std::optional<std::vector<host::PathSegment>> Segments(const Subpath& subpath,
                                                           const Matrix& ctm);
    host::Art MakePath(host::Art parent, const std::vector<host::PathSegment>& segments,
                       bool closed, const host::PathStyle& style);
    void Shape(Kind kind, const Attributes& attributes, const Context& context);
    void Image(const Attributes& attributes, const Context& context);
    void BeginText(const Attributes& attributes, const Context& context);
    void EndText();
    void TextSpan(const Attributes& attributes);
    void PushSpan(Role role, const Attributes& attributes, Context context);
    host::Font FontOf(const Attributes& attributes, const Context& context);
    void AddTag(const Attributes& attributes);
    void AddCustomColor(const Attributes& attributes);

    DocumentStore& store_;
    InstalledFonts& fonts_;
    const SvgLimits& limits_;
    std::string path_;
    xmlParserCtxtPtr parser_ = nullptr;
    DocumentId document_;
    host::Layer defaultLayer_;
    host::Layer currentLayer_;
    std::vector<host::CustomColor> customColors_;
    std::vector<Frame> frames_;
    std::optional<PendingText> text_;
    std::size_t segments_ = 0;
    std::size_t art_ = 0;
    std::size_t skipped_ = 0;
    std::string error_;
};

std::string Reader::Where() const {
    return "line " + std::to_string(parser_ != nullptr ? xmlSAX2GetLineNumber(parser_) : 0) + ": ";
}

void Reader::Fail(std::string message) {
    if (Failed()) {
        return;
    }
    error_ = Where() + std::move(message);
    if (parser_ != nullptr) {
        xmlStopParser(parser_);
    }
}

bool Reader::Bad(std::string_view attribute, std::string_view value, std::string_view problem) {
    // A long value is shown by its start, cut before a whole character.
    constexpr std::size_t kShownValueBytes = 40;
    std::size_t shown = std::min(value.size(), kShownValueBytes);
    while (shown < value.size() && shown > 0 &&
           (static_cast<unsigned char>(value[shown]) & 0xC0) == 0x80) {
        --shown;
    }
    Fail(std::string(attribute) + "=\"" + std::string(value.substr(0, shown)) +
         (shown < value.size() ? "...\": " : "\": ") + std::string(problem));
    return false;
}

void Reader::ParserError(const xmlError& error) {
    if (error.level < XML_ERR_ERROR) {
        return;
    }
    std::string message = error.message != nullptr ? error.message : "malformed XML";
    while (!message.empty() && svg::IsSvgSpace(message.back())) {
        message.pop_back();
    }
    Fail("not well-formed XML: " + message);
}

bool Reader::Accepts(Role parent, Kind kind) const {
    const bool art =
        IsShape(kind) || kind == Kind::kGroup || kind == Kind::kText || kind == Kind::kImage;
    switch (parent) {
        case Role::kRoot:
            return art || kind == Kind::kOwnCustomColor;
        case Role::kContainer:
            return art || kind == Kind::kOwnTag;
        case Role::kCompound:
            return kind == Kind::kOwnPath || kind == Kind::kOwnTag;
        case Role::kLeaf:
            return kind == Kind::kOwnTag;
        case Role::kText:
            return kind == Kind::kTextSpan || kind == Kind::kOwnTag;
        case Role::kTextSpan:
            return kind == Kind::kTextSpan;
        case Role::kData:
        case Role::kSkipped:
            break;
    }
    return false;
}

void Reader::StartElement(std::string_view name, const xmlChar* uri, const Attributes& attributes) {
    if (Failed()) {
        return;
    }
    if (frames_.size() >= limits_.nestingDepth) {
        Fail("elements nested deeper than " + std::to_string(limits_.nestingDepth));
        return;
    }
    if (frames_.empty()) {
        Root(name, uri, attributes);
        return;
    }
    const Role parent = frames_.back().role;
    const Kind kind = KindOf(name, uri);
    if (parent == Role::kSkipped || kind == Kind::kDescriptive) {
        Skip(false);
        return;
    }
    if (!Accepts(parent, kind)) {
        Skip(true);
        return;
    }
    switch (kind) {
        case Kind::kOwnTag:
            AddTag(attributes);
            return;
        case Kind::kOwnCustomColor:
            AddCustomColor(attributes);
            return;
        case Kind::kTextSpan:
            TextSpan(attributes);
            return;
        default:
            break;
    }
    if (parent == Role::kRoot && kind == Kind::kGroup && attributes.Own(svg::own::kLayer)) {
        if (std::optional<Context> context = Inherit(frames_.back().context, attributes)) {
            Layer(attributes, *context);
        }
        return;
    }
    Art(kind, attributes);
}

void Reader::EndElement() {
    if (Failed() || frames_.empty()) {
        return;
    }
    if (frames_.back().role == Role::kText) {
        EndText();
    }
    frames_.pop_back();
}

void Reader::Characters(std::string_view text) {
    if (Failed() || frames_.empty() || !text_) {
        return;
    }
    const Frame& frame = frames_.back();
    if (frame.role != Role::kText && frame.role != Role::kTextSpan) {
        return;
    }
    std::u16string units;
    AppendUtf16(units, text);
    for (const char16_t unit : units) {
        text_->characters.push_back({unit, frame.font, frame.fontSize});
    }
}

// The page: width and height (a missing or relative one from the viewBox),
// and the map from the root's user space to document points, y up.
void Reader::Root(std::string_view name, const xmlChar* uri, const Attributes& attributes) {
    if (KindOf(name, uri) != Kind::kSvg) {
        Fail("the root element <" + std::string(name) + "> is no <svg>");
        return;
    }
    std::optional<std::vector<double>> viewBox;
    if (const std::optional<std::string_view> text = attributes.Attribute("viewBox")) {
        viewBox = svg::ParseNumbers(*text);
        constexpr std::size_t kViewBoxValues = 4;
        if (!viewBox || viewBox->size() != kViewBoxValues || !((*viewBox)[2] > 0) ||
            !((*viewBox)[3] > 0)) {
            Bad("viewBox", *text, "not four numbers with a positive width and height");
            return;
        }
    }
    const auto side = [&](std::string_view attribute,
                          std::size_t viewBoxIndex) -> std::optional<double> {
        const std::optional<std::string_view> text = attributes.Attribute(attribute);
        if (text && !svg::TrimSpace(*text).ends_with('%')) {
            const std::optional<double> points = svg::ParseLengthPoints(*text);
            if (!points || !(*points > 0) || *points > std::numeric_limits<float>::max()) {
                Bad(attribute, *text, "not a positive length");
                return std::nullopt;
            }
            return points;
        }
        if (viewBox) {
            return (*viewBox)[viewBoxIndex] * host::kPointsPerSvgPixel;
        }
        Fail("the page has no size (no " + std::string(attribute) + " and no viewBox)");
        return std::nullopt;
    };
    const std::optional<double> width = side("width", 2);
    const std::optional<double> height = width ? side("height", 3) : std::nullopt;
    if (!height) {
        return;
    }
    if (!(static_cast<float>(*width) > 0 && static_cast<float>(*height) > 0)) {
        Fail("a page too small for the host");
        return;
    }
    // User units to points with y down; then flipped.
    Matrix view{host::kPointsPerSvgPixel, 0, 0, host::kPointsPerSvgPixel, 0, 0};
    if (viewBox) {
        const double x = (*viewBox)[0];
        const double y = (*viewBox)[1];
        double sx = *width / (*viewBox)[2];
        double sy = *height / (*viewBox)[3];
        double tx = 0;
        double ty = 0;
        const std::string_view aspect =
            svg::TrimSpace(attributes.Attribute("preserveAspectRatio").value_or("xMidYMid meet"));
        if (aspect != "none") {
            const bool slice = aspect.ends_with("slice");
            const double scale = slice ? std::max(sx, sy) : std::min(sx, sy);
            const auto offset = [](std::string_view align, double spare) {
                return align == "Mid" ? spare / 2 : align == "Max" ? spare : 0.0;
            };
            constexpr std::size_t kAlignLetters = 8;
            constexpr std::size_t kAxisLetters = 4;
            if (aspect.size() >= kAlignLetters) {
                tx = offset(aspect.substr(1, 3), *width - (*viewBox)[2] * scale);
                ty = offset(aspect.substr(kAxisLetters + 1, 3), *height - (*viewBox)[3] * scale);
            }
            sx = scale;
            sy = scale;
        }
        view = {sx, 0, 0, sy, -sx * x + tx, -sy * y + ty};
    }
    const Matrix flip{1, 0, 0, -1, 0, *height};
    Context context;
    context.ctm = flip.Then(view);
    std::optional<Context> root = Inherit(context, attributes);
    if (!root) {
        return;
    }
    document_ =
        store_.NewDocument({path_, static_cast<float>(*width), static_cast<float>(*height), {}});
    Push(Role::kRoot, std::move(*root));
}

std::optional<Paint> Reader::ParsePaint(std::string_view attribute, std::string_view value) {
    const std::string_view text = svg::TrimSpace(value);
    if (text == "none") {
        return Paint{false, Gray(kBlack)};
    }
    const std::optional<svg::Rgb> rgb = svg::ParseColor(text);
    if (!rgb) {
        Bad(attribute, value, "not a colour the reader takes");
        return std::nullopt;
    }
    return Paint{true, FromRgb(*rgb)};
}

std::optional<std::string_view> Reader::Keyword(std::string_view attribute, std::string_view value,
                                                std::initializer_list<std::string_view> keywords) {
    const std::string_view text = svg::TrimSpace(value);
    for (const std::string_view keyword : keywords) {
        if (keyword == text) {
            return text;
        }
    }
    Bad(attribute, value, "not a keyword the reader takes");
    return std::nullopt;
}

std::optional<Context> Reader::Inherit(const Context& parent, const Attributes& attributes) {
    Context context = parent;
    if (const std::optional<std::string_view> text = attributes.Attribute("transform")) {
        const std::optional<Matrix> transform = svg::ParseTransform(*text);
        if (!transform) {
            Bad("transform", *text, "not a transform list");
            return std::nullopt;
        }
        context.ctm = context.ctm.Then(*transform);
    }
    // Each property the element sets (other than to "inherit"): false when
    // its value does not read.
    const auto property = [&](std::string_view name, auto read) {
        const std::optional<std::string_view> value = attributes.Property(name);
        return !value || svg::TrimSpace(*value) == "inherit" || read(*value);
    };
    const auto number = [&](std::string_view name, double& target) {
        return property(name, [&](std::string_view value) {
            const std::optional<float> parsed = svg::ParseNumber(value);
            if (!parsed) {
                return Bad(name, value, "not a number the reader takes");
            }
            target = *parsed;
            return true;
        });
    };
    const auto length = [&](std::string_view name, double& target) {
        return property(name, [&](std::string_view value) {
            const std::optional<double> parsed = svg::ParseLengthUser(value);
            if (!parsed || !(*parsed >= 0)) {
                return Bad(name, value, "not a length of zero or more");
            }
            target = *parsed;
            return true;
        });
    };
    const auto paint = [&](std::string_view name, Paint& target) {
        return property(name, [&](std::string_view value) {
            const std::optional<Paint> parsed = ParsePaint(name, value);
            target = parsed.value_or(target);
            return parsed.has_value();
        });
    };
    const auto keyword = [&](std::string_view name, const auto& names, auto& target) {
        return property(name, [&](std::string_view value) {
            const std::optional<std::size_t> index =
                svg::KeywordIndex(names, svg::TrimSpace(value));
            if (!index) {
                return Bad(name, value, "not a keyword the reader takes");
            }
            target = static_cast<std::remove_reference_t<decltype(target)>>(*index);
            return true;
        });
    };
    double fillOpacity = 1;
    const bool read =
        paint("fill", context.fill) && paint("stroke", context.stroke) &&
        number("fill-opacity", fillOpacity) && length("stroke-width", context.strokeWidth) &&
        keyword("stroke-linecap", svg::kLineCapNames, context.cap) &&
        keyword("stroke-linejoin", svg::kLineJoinNames, context.join) &&
        number("stroke-miterlimit", context.miterLimit) &&
        property("stroke-dasharray",
                 [&](std::string_view value) {
                     if (svg::TrimSpace(value) == "none") {
                         context.dash.clear();
                         return true;
                     }
                     const std::optional<std::vector<double>> lengths =
                         svg::ParseLengthsUser(value);
                     if (!lengths || lengths->size() > host::kMaxDashLengths) {
                         return Bad("stroke-dasharray", value,
                                    "not a list of at most " +
                                        std::to_string(host::kMaxDashLengths) + " lengths");
                     }
                     context.dash = *lengths;
                     return true;
                 }) &&
        property("stroke-dashoffset",
                 [&](std::string_view value) {
                     const std::optional<double> parsed = svg::ParseLengthUser(value);
                     if (!parsed) {
                         return Bad("stroke-dashoffset", value, "not a length");
                     }
                     context.dashOffset = *parsed;
                     return true;
                 }) &&
        property("font-family",
                 [&](std::string_view value) {
                     context.fontFamily = std::string(value);
                     return true;
                 }) &&
        length("font-size", context.fontSize) &&
        property("text-anchor",
                 [&](std::string_view value) {
                     const std::optional<std::string_view> anchor =
                         Keyword("text-anchor", value, {"start", "middle", "end"});
                     context.textAnchor = anchor == "middle" ? TextAnchor::kMiddle
                                          : anchor == "end"  ? TextAnchor::kEnd
                                                             : TextAnchor::kStart;
                     return anchor.has_value();
                 }) &&
        property("writing-mode", [&](std::string_view value) {
            const std::optional<std::string_view> mode =
                Keyword("writing-mode", value,
                        {"lr", "lr-tb", "rl", "rl-tb", "horizontal-tb", "tb", "tb-rl",
                         "vertical-rl", "vertical-lr"});
            context.vertical = mode && (mode->starts_with("tb") || mode->starts_with("vertical"));
            return mode.has_value();
        });
    if (!read) {
        return std::nullopt;
    }
    context.fillOpacity = parent.fillOpacity * std::clamp(fillOpacity, 0.0, 1.0);
    if (const std::optional<std::string_view> space = attributes.XmlSpace()) {
        context.preserveSpace = *space == "preserve";
    }
    return context;
}

std::optional<float> Reader::Coordinate(double value) {
    if (!(std::abs(value) <= std::numeric_limits<float>::max())) {
        Fail("a value out of the host's range");
        return std::nullopt;
    }
    return static_cast<float>(value);
}

std::optional<host::RealPoint> Reader::ToDocument(const Matrix& ctm, UserPoint point) {
    const UserPoint mapped = ctm.Apply(point);
    const std::optional<float> h = Coordinate(mapped.x);
    const std::optional<float> v = h ? Coordinate(mapped.y) : std::nullopt;
    if (!v) {
        return std::nullopt;
    }
    return host::RealPoint{*h, *v};
}

std::optional<double> Reader::Length(const Attributes& attributes, std::string_view name) {
    const std::optional<std::string_view> text = attributes.Attribute(name);
    if (!text) {
        return 0.0;
    }
    const std::optional<double> length = svg::ParseLengthUser(*text);
    if (!length) {
        Bad(name, *text, "not a length");
    }
    return length;
}

bool Reader::Check(host::Error error, std::string_view what) {
    if (error != host::kNoError) {
        Fail("the host refused " + std::string(what) + " (error " + std::to_string(error) + ")");
        return false;
    }
    return true;
}

bool Reader::Counted() {
    if (art_ == limits_.art) {
        Fail("more than " + std::to_string(limits_.art) + " pieces of art");
        return false;
    }
    ++art_;
    return true;
}

host::Art Reader::ParentArt() {
    const Frame& parent = frames_.back();
    if (parent.role != Role::kRoot) {
        return parent.art;
    }
    if (!defaultLayer_) {
        defaultLayer_ = store_.AddLayer(document_, {host::kSvgLayerName});
    }
    return store_.PeekLayer(defaultLayer_)->group;
}

void Reader::Layer(const Attributes& attributes, const Context& context) {
    const std::optional<std::string_view> display = attributes.Property("display");
    const host::Layer layer =
        store_.AddLayer(document_, {std::string(*attributes.Own(svg::own::kLayer)),
                                    !display || svg::TrimSpace(*display) != "none",
                                    attributes.Own(svg::own::kLocked) != svg::own::kTrue});
    if (attributes.Own(svg::own::kCurrent) == svg::own::kTrue) {
        currentLayer_ = layer;
    }
    const host::Art group = store_.PeekLayer(layer)->group;
    if (Decorate(group, attributes, 1.0)) {
        Push(Role::kContainer, context, group);
    }
}

std::optional<double> Reader::Opacity(const Attributes& attributes, double fillOpacity) {
    double opacity = 1;
    if (const std::optional<std::string_view> text = attributes.Property("opacity")) {
        svg::ValueScanner scanner(*text);
        const std::optional<double> value = scanner.Double();
        if (!value || !scanner.AtEnd()) {
            Bad("opacity", *text, "not a number");
            return std::nullopt;
        }
        opacity = std::clamp(*value, 0.0, 1.0);
    }
    return opacity * fillOpacity;
}

bool Reader::Blend(const Attributes& attributes, std::optional<host::BlendMode>& mode) {
    const std::optional<std::string_view> text = attributes.Own(svg::own::kBlend);
    if (!text) {
        return true;
    }
    const std::optional<std::size_t> index = svg::KeywordIndex(svg::kBlendModeNames, *text);
    if (!index) {
        return Bad(svg::own::kBlend, *text, "not a blend mode");
    }
    mode = static_cast<host::BlendMode>(*index);
    return true;
}

bool Reader::Decorate(host::Art art, const Attributes& attributes, double fillOpacity) {
    const std::optional<double> opacity = Opacity(attributes, fillOpacity);
    std::optional<host::BlendMode> blend;
    if (!opacity || !Blend(attributes, blend)) {
        return false;
    }
    return (*opacity == 1.0 || Check(store_.SetOpacity(kCall, art, *opacity), "an opacity")) &&
           (!blend || Check(store_.SetBlendMode(kCall, art, *blend), "a blend mode"));
}

std::optional<host::Color> Reader::ExactColor(std::string_view attribute, std::string_view value) {
    svg::ValueScanner scanner(value);
    const std::optional<std::size_t> kind = svg::KeywordIndex(svg::kColorKindNames, scanner.Word());
    const auto numbers = [&](std::size_t count) {
        std::vector<float> values;
        while (values.size() < count) {
            const std::optional<float> number = scanner.Number();
            if (!number) {
                break;
            }
            values.push_back(*number);
        }
        return values.size() == count && scanner.AtEnd() ? values : std::vector<float>();
    };
    host::Color color{};
    std::vector<float> values;
    if (kind) {
        color.kind = static_cast<host::ColorKind>(*kind);
        switch (color.kind) {
            case host::ColorKind::kGray:
                values = numbers(1);
                color.gray = values.empty() ? 0 : values[0];
                break;
            case host::ColorKind::kCmyk:
                values = numbers(kCmykValues);
                if (!values.empty()) {
                    color.cmyk = {values[0], values[1], values[2], values[3]};
                }
                break;
            case host::ColorKind::kRgb:
                values = numbers(kRgbValues);
                if (!values.empty()) {
                    color.rgb = {values[0], values[1], values[2]};
                }
                break;
            case host::ColorKind::kCustom:
                values = numbers(2);
                if (!values.empty() && values[0] >= 0 && values[0] < customColors_.size() &&
                    values[0] == std::floor(values[0])) {
                    color.custom = {customColors_[static_cast<std::size_t>(values[0])], values[1]};
                } else {
                    values.clear();
                }
                break;
            case host::ColorKind::kPattern:
            case host::ColorKind::kGradient:
                values = {0};
                break;
        }
    }
    if (!kind || values.empty() || !scanner.AtEnd()) {
        Bad(attribute, value, "not a paint of the host's");
        return std::nullopt;
    }
    return color;
}

std::optional<host::PathStyle> Reader::StyleOf(const Context& context, const Attributes& attributes,
                                               bool fillable) {
    const double scale = context.ctm.LengthScale();
    host::PathStyle style{};
    style.fillPaint = fillable && context.fill.on;
    style.fill.color = context.fill.color;
    style.strokePaint = context.stroke.on;
    style.stroke.color = context.stroke.color;
    for (const auto& [name, color] : {std::pair(svg::own::kFill, &style.fill.color),
                                      std::pair(svg::own::kStroke, &style.stroke.color)}) {
        if (const std::optional<std::string_view> text = attributes.Own(name)) {
            const std::optional<host::Color> exact = ExactColor(name, *text);
            if (!exact) {
                return std::nullopt;
            }
            *color = *exact;
        }
    }
    style.fill.overprint = attributes.Own(svg::own::kFillOverprint) == svg::own::kTrue;
    style.stroke.overprint = attributes.Own(svg::own::kStrokeOverprint) == svg::own::kTrue;
    style.stroke.cap = context.cap;
    style.stroke.join = context.join;
    std::vector<std::pair<double, float*>> values = {
        {context.strokeWidth * scale, &style.stroke.width},
        {context.miterLimit, &style.stroke.miterLimit},
        {context.dashOffset * scale, &style.stroke.dash.offset}};
    style.stroke.dash.count = static_cast<std::int32_t>(context.dash.size());
    for (std::size_t i = 0; i < context.dash.size(); ++i) {
        values.emplace_back(context.dash[i] * scale, &style.stroke.dash.lengths[i]);
    }
    for (const auto& [value, target] : values) {
        const std::optional<float> converted = Coordinate(value);
        if (!converted) {
            return std::nullopt;
        }
        *target = *converted;
    }
    return style;
}

std::optional<std::vector<Subpath>> Reader::Geometry(Kind kind, const Attributes& attributes) {
    const std::size_t budget = limits_.segments - segments_;
    const auto node = [](double x, double y) { return UserNode{{x, y}, {x, y}, {x, y}}; };
    switch (kind) {
        case Kind::kRect: {
            const std::optional<double> x = Length(attributes, "x");
            const std::optional<double> y = x ? Length(attributes, "y") : std::nullopt;
            const std::optional<double> width = y ? Length(attributes, "width") : std::nullopt;
            const std::optional<double> height =
                width ? Length(attributes, "height") : std::nullopt;
            if (!height) {
                return std::nullopt;
            }
            if (*width < 0 || *height < 0) {
                Fail("a rect of negative size");
                return std::nullopt;
            }
            if (*width == 0 || *height == 0) {
                return std::vector<Subpath>();
            }
            return std::vector<Subpath>{{{node(*x, *y + *height), node(*x, *y),
                                          node(*x + *width, *y), node(*x + *width, *y + *height)},
                                         true}};
        }
        case Kind::kLine: {
            std::vector<double> ends;
            for (const char* name : {"x1", "y1", "x2", "y2"}) {
                const std::optional<double> value = Length(attributes, name);
                if (!value) {
                    return std::nullopt;
                }
                ends.push_back(*value);
            }
            return std::vector<Subpath>{{{node(ends[0], ends[1]), node(ends[2], ends[3])}, false}};
        }
        case Kind::kPolyline:
        case Kind::kPolygon: {
            const std::string_view text = attributes.Attribute("points").value_or("");
            const std::optional<std::vector<double>> values = svg::ParseNumbers(text);
            if (!values || values->size() % 2 != 0) {
                Bad("points", text, "not pairs of numbers");
                return std::nullopt;
            }
            Subpath subpath{{}, kind == Kind::kPolygon};
            for (std::size_t i = 0; i < values->size(); i += 2) {
                subpath.nodes.push_back(node((*values)[i], (*values)[i + 1]));
            }
            if (subpath.nodes.empty()) {
                return std::vector<Subpath>();
            }
            return std::vector<Subpath>{std::move(subpath)};
        }
        default: {
            svg::PathData data =
                svg::ParsePathData(attributes.Attribute("d").value_or(""),
                                   static_cast<std::size_t>(host::kMaxPathSegments), budget);
            if (!data.error.empty()) {
                Fail(data.error);
                return std::nullopt;
            }
            return std::move(data.subpaths);
        }
    }
}

std::optional<std::vector<host::PathSegment>> Reader::Segments(const Subpath& subpath,
                                                               const Matrix& ctm) {
    segments_ += subpath.nodes.size();
    if (segments_ > limits_.segments) {
        Fail("more than " + std::to_string(limits_.segments) + " segments");
        return std::nullopt;
    }
    if (subpath.nodes.size() > static_cast<std::size_t>(host::kMaxPathSegments)) {
        Fail("a path of more than " + std::to_string(host::kMaxPathSegments) + " segments");
        return std::nullopt;
    }
    std::vector<host::PathSegment> segments;
    for (const UserNode& node : subpath.nodes) {
        const std::optional<host::RealPoint> anchor = ToDocument(ctm, node.anchor);
        const std::optional<host::RealPoint> in = anchor ? ToDocument(ctm, node.in) : std::nullopt;
        const std::optional<host::RealPoint> out = in ? ToDocument(ctm, node.out) : std::nullopt;
        if (!out) {
            return std::nullopt;
        }
        segments.push_back({*anchor, *in, *out, true});
    }
    return segments;
}

host::Art Reader::MakePath(host::Art parent, const std::vector<host::PathSegment>& segments,
                           bool closed, const host::PathStyle& style) {
    host::Art path;
    if (Counted() &&
        Check(store_.NewArt(kCall, host::ArtType::kPath, host::PaintOrder::kInsideOnTop, parent,
                            &path),
              "a path") &&
        Check(store_.SetSegmentCount(kCall, path, static_cast<std::int32_t>(segments.size())),
              "a path's segments") &&
        Check(store_.SetSegments(kCall, path, 0, segments), "a path's segments") &&
        Check(store_.SetClosed(kCall, path, closed), "a path's closing") &&
        Check(store_.SetPathStyle(kCall, path, style), "a path's style")) {
        return path;
    }
    return {};
}

void Reader::Shape(Kind kind, const Attributes& attributes, const Context& context) {
    const host::Art parent = ParentArt();
    const bool ownCompound =
        kind == Kind::kPath && attributes.Own(svg::own::kArt) == svg::own::kCompoundPath;
    const std::optional<std::vector<Subpath>> subpaths =
        ownCompound ? std::vector<Subpath>() : Geometry(kind, attributes);
    const std::optional<host::PathStyle> style =
        subpaths ? StyleOf(context, attributes, kind != Kind::kLine) : std::nullopt;
    if (!style) {
        return;
    }
    if (kind == Kind::kRect && subpaths->empty()) {
        Skip(true);
        return;
    }
    // A compound path holds paths, not compound paths.
    if (kind == Kind::kOwnPath && subpaths->size() > 1) {
        Fail("a path of a compound path with several subpaths");
        return;
    }
    if (ownCompound || subpaths->size() > 1) {
        host::Art compound;
        if (!Counted() ||
            !Check(store_.NewArt(kCall, host::ArtType::kCompoundPath,
                                 host::PaintOrder::kInsideOnTop, parent, &compound),
                   "a compound path") ||
            !Check(store_.SetPathStyle(kCall, compound, *style), "a compound path's style") ||
            !Decorate(compound, attributes, context.fillOpacity)) {
            return;
        }
        for (const Subpath& subpath : *subpaths) {
            const std::optional<std::vector<host::PathSegment>> segments =
                Segments(subpath, context.ctm);
            if (!segments || !MakePath(compound, *segments, subpath.closed, *style)) {
                return;
            }
        }
        // The children of the host's own compound path keep their own
        // properties, apart from the compound path's.
        Push(ownCompound ? Role::kCompound : Role::kLeaf,
             ownCompound ? frames_.back().context : context, compound);
        return;
    }
    Subpath subpath = subpaths->empty() ? Subpath{} : subpaths->front();
    if (subpath.nodes.empty()) {
        subpath.closed = attributes.Own(svg::own::kClosed) == svg::own::kTrue;
    }
    std::optional<std::vector<host::PathSegment>> segments = Segments(subpath, context.ctm);
    if (!segments) {
        return;
    }
    if (const std::optional<std::string_view> corners = attributes.Own(svg::own::kCorners)) {
        if (corners->size() != segments->size() ||
            corners->find_first_not_of("01") != std::string_view::npos) {
            Bad(svg::own::kCorners, *corners, "not one 0 or 1 per segment");
            return;
        }
        for (std::size_t i = 0; i < segments->size(); ++i) {
            (*segments)[i].corner = (*corners)[i] == '1';
        }
    }
    if (const std::optional<std::string_view> ends = attributes.Own(svg::own::kEnds)) {
        const std::optional<std::vector<double>> values = svg::ParseNumbers(*ends);
        constexpr std::size_t kEndValues = 4;
        const std::optional<host::RealPoint> in =
            values && values->size() == kEndValues && !segments->empty() && !subpath.closed
                ? ToDocument(context.ctm, {(*values)[0], (*values)[1]})
                : std::nullopt;
        const std::optional<host::RealPoint> out =
            in ? ToDocument(context.ctm, {(*values)[2], (*values)[3]}) : std::nullopt;
        if (!out) {
            Bad(svg::own::kEnds, *ends, "not the two end handles of an open path");
            return;
        }
        segments->front().in = *in;
        segments->back().out = *out;
    }
    const host::Art path = MakePath(parent, *segments, subpath.closed, *style);
    if (path && Decorate(path, attributes, context.fillOpacity)) {
        Push(Role::kLeaf, context, path);
    }
}

void Reader::Image(const Attributes& attributes, const Context& context) {
    std::vector<UserPoint> corners;
    if (const std::optional<std::string_view> bounds = attributes.Own(svg::own::kBounds)) {
        const std::optional<std::vector<double>> values = svg::ParseNumbers(*bounds);
        constexpr std::size_t kRectValues = 4;
        if (!values || values->size() != kRectValues) {
            Bad(svg::own::kBounds, *bounds, "not four numbers");
            return;
        }
        corners = {{(*values)[0], (*values)[3]}, {(*values)[2], (*values)[1]}};
    } else {
        const std::optional<double> x = Length(attributes, "x");
        const std::optional<double> y = x ? Length(attributes, "y") : std::nullopt;
        const std::optional<double> width = y ? Length(attributes, "width") : std::nullopt;
        const std::optional<double> height = width ? Length(attributes, "height") : std::nullopt;
        if (!height) {
            return;
        }
        if (*width < 0 || *height < 0) {
            Fail("an image of negative size");
            return;
        }
        corners = {{*x, *y}, {*x + *width, *y}, {*x, *y + *height}, {*x + *width, *y + *height}};
    }
    std::optional<host::RealRect> bounds;
    for (const UserPoint corner : corners) {
        const std::optional<host::RealPoint> point = ToDocument(context.ctm, corner);
        if (!point) {
            return;
        }
        bounds = bounds ? host::RealRect{std::min(bounds->left, point->h),
                                         std::max(bounds->top, point->v),
                                         std::max(bounds->right, point->h),
                                         std::min(bounds->bottom, point->v)}
                        : host::RealRect{point->h, point->v, point->h, point->v};
    }
    host::Art image;
    if (Counted() &&
        Check(store_.NewPlacedImage(kCall, host::PaintOrder::kInsideOnTop, ParentArt(), *bounds,
                                    &image),
              "a placed image") &&
        Decorate(image, attributes, 1.0)) {
        Push(Role::kLeaf, context, image);
    }
}

host::Font Reader::FontOf(const Attributes& attributes, const Context& context) {
    if (const std::optional<std::string_view> name = attributes.Own(svg::own::kFont)) {
        return fonts_.FontNamed(*name);
    }
    // The first family of the list that names an installed font or
    // typeface.
    std::string_view families = context.fontFamily;
    while (!families.empty()) {
        const std::size_t comma = families.find(',');
        std::string_view family = svg::TrimSpace(families.substr(0, comma));
        families =
            comma == std::string_view::npos ? std::string_view() : families.substr(comma + 1);
        if (family.size() >= 2 && (family.front() == '\'' || family.front() == '"') &&
            family.back() == family.front()) {
            family = family.substr(1, family.size() - 2);
        }
        if (const host::Font font = fonts_.FontNamed(family)) {
            return font;
        }
        for (std::size_t i = 0; i < fonts_.TypefaceCount(); ++i) {
            const host::Typeface typeface = fonts_.TypefaceAt(i);
            if (fonts_.FindTypeface(typeface, kCall)->name == family) {
                return fonts_.FontsOf(typeface, kCall)->front();
            }
        }
    }
    return {};
}

void Reader::BeginText(const Attributes& attributes, const Context& context) {
    if (!context.fill.on) {
        Skip(true);
        return;
    }
    std::vector<double> position;
    for (const char* name : {"x", "y"}) {
        const std::string_view text = attributes.Attribute(name).value_or("0");
        const std::optional<std::vector<double>> values = svg::ParseLengthsUser(text);
        if (!values) {
            Bad(name, text, "not a list of lengths");
            return;
        }
        position.push_back(values->empty() ? 0 : values->front());
    }
    const std::optional<host::RealPoint> anchor =
        ToDocument(context.ctm, {position[0], position[1]});
    const std::optional<double> opacity =
        anchor ? Opacity(attributes, context.fillOpacity) : std::nullopt;
    std::optional<host::BlendMode> blend;
    if (!opacity || !Blend(attributes, blend)) {
        return;
    }
    std::optional<host::Color> color = context.fill.color;
    if (const std::optional<std::string_view> exact = attributes.Own(svg::own::kFill)) {
        color = ExactColor(svg::own::kFill, *exact);
    }
    if (!color) {
        return;
    }
    text_ = PendingText{ParentArt(),
                        *anchor,
                        context.vertical,
                        context.textAnchor,
                        context.preserveSpace,
                        *color,
                        *opacity,
                        blend,
                        {},
                        {}};
    PushSpan(Role::kText, attributes, context);
}

void Reader::TextSpan(const Attributes& attributes) {
    std::optional<Context> context = Inherit(frames_.back().context, attributes);
    if (context) {
        // A span keeps its text's user space.
        context->ctm = frames_.back().context.ctm;
        PushSpan(Role::kTextSpan, attributes, std::move(*context));
    }
}

// The text's characters inside the element take its font and size.
void Reader::PushSpan(Role role, const Attributes& attributes, Context context) {
    const std::optional<float> size = Coordinate(context.fontSize * context.ctm.LengthScale());
    if (!size) {
        return;
    }
    const host::Font font = FontOf(attributes, context);
    Push(role, std::move(context));
    frames_.back().font = font;
    frames_.back().fontSize = *size;
}

void Reader::EndText() {
    PendingText text = std::move(*text_);
    text_.reset();
    if (!text.preserveSpace) {
        CollapseSpace(text.characters);
    }
    if (text.textAnchor != TextAnchor::kStart && !text.vertical) {
        double width = 0;
        for (const TextCharacter& character : text.characters) {
            width +=
                fonts_.Advance(character.font, character.unit).value_or(host::kDefaultAdvanceEm) *
                character.size;
        }
        const std::optional<float> h = Coordinate(
            text.anchor.h - (text.textAnchor == TextAnchor::kMiddle ? width / 2 : width));
        if (!h) {
            return;
        }
        text.anchor.h = *h;
    }
    host::Art frame;
    if (!Counted() ||
        !Check(store_.NewPointText(kCall, host::PaintOrder::kInsideOnTop, text.parent,
                                   text.vertical ? host::TextOrientation::kVertical
                                                 : host::TextOrientation::kHorizontal,
                                   text.anchor, &frame),
               "a text frame") ||
        !Check(store_.SetTextColor(kCall, frame, text.color), "a text's colour")) {
        return;
    }
    // Runs of characters with the same features.
    for (std::size_t begin = 0; begin < text.characters.size();) {
        std::size_t end = begin;
        std::u16string units;
        while (end < text.characters.size() &&
               text.characters[end].font == text.characters[begin].font &&
               text.characters[end].size == text.characters[begin].size) {
            units += text.characters[end++].unit;
        }
        if (!Check(store_.InsertText(kCall, frame, begin, units,
                                     {text.characters[begin].font, text.characters[begin].size}),
                   "a text")) {
            return;
        }
        begin = end;
    }
    if ((text.opacity != 1.0 &&
         !Check(store_.SetOpacity(kCall, frame, text.opacity), "an opacity")) ||
        (text.blend && !Check(store_.SetBlendMode(kCall, frame, *text.blend), "a blend mode"))) {
        return;
    }
    for (auto& [name, tag] : text.tags) {
        if (!Check(store_.SetTag(kCall, frame, name, std::move(tag)), "a tag")) {
            return;
        }
    }
}

void Reader::Art(Kind kind, const Attributes& attributes) {
    std::optional<Context> context = Inherit(frames_.back().context, attributes);
    if (!context) {
        return;
    }
    const std::optional<std::string_view> display = attributes.Property("display");
    if (display && svg::TrimSpace(*display) == "none") {
        Skip(true);
        return;
    }
    switch (kind) {
        case Kind::kGroup: {
            const std::optional<std::string_view> art = attributes.Own(svg::own::kArt);
            const host::ArtType type =
                art == svg::own::kLegacyText ? host::ArtType::kLegacyText : host::ArtType::kGroup;
            host::Art group;
            if (Counted() &&
                Check(
                    store_.NewArt(kCall, type, host::PaintOrder::kInsideOnTop, ParentArt(), &group),
                    "a group") &&
                Decorate(group, attributes, 1.0)) {
                Push(type == host::ArtType::kGroup ? Role::kContainer : Role::kLeaf,
                     std::move(*context), group);
            }
            return;
        }
        case Kind::kImage:
            Image(attributes, *context);
            return;
        case Kind::kText:
            BeginText(attributes, *context);
            return;
        default:
            Shape(kind, attributes, *context);
            return;
    }
}

void Reader::AddTag(const Attributes& attributes) {
    const std::optional<std::string_view> name = attributes.Attribute(svg::own::kName);
    if (!name) {
        Fail("a tag without a name");
        return;
    }
    Tag tag{std::string(attributes.Attribute(svg::own::kType).value_or("")),
            std::string(attributes.Attribute(svg::own::kValue).value_or(""))};
    const Frame& owner = frames_.back();
    if (owner.role == Role::kText) {
        text_->tags.emplace_back(*name, std::move(tag));
    } else if (!Check(store_.SetTag(kCall, owner.art, std::string(*name), std::move(tag)),
                      "a tag")) {
        return;
    }
    Push(Role::kData, owner.context);
}

void Reader::AddCustomColor(const Attributes& attributes) {
    const std::string_view modelName = attributes.Attribute(svg::own::kModel).value_or("");
    const std::optional<std::size_t> model =
        svg::KeywordIndex(svg::kCustomColorModelNames, modelName);
    const std::string_view text = attributes.Attribute(svg::own::kValues).value_or("");
    const std::optional<std::vector<double>> values = svg::ParseNumbers(text);
    host::CustomColorDefinition definition{};
    if (!model) {
        Bad(svg::own::kModel, modelName, "not a colour model");
        return;
    }
    definition.kind = static_cast<host::CustomColorKind>(*model);
    const std::size_t count = definition.kind == host::CustomColorKind::kCmyk  ? kCmykValues
                              : definition.kind == host::CustomColorKind::kRgb ? kRgbValues
                                                                               : 0;
    if (!values || values->size() != count) {
        Bad(svg::own::kValues, text, "not the values of the colour model");
        return;
    }
    const auto at = [&](std::size_t i) { return static_cast<float>((*values)[i]); };
    if (definition.kind == host::CustomColorKind::kCmyk) {
        definition.cmyk = {at(0), at(1), at(2), at(3)};
    } else if (definition.kind == host::CustomColorKind::kRgb) {
        definition.rgb = {at(0), at(1), at(2)};
    }
    customColors_.push_back(store_.NewCustomColor(
        document_, std::string(attributes.Attribute(svg::own::kName).value_or("")), definition));
    Push(Role::kData, frames_.back().context);
}

// The parser's events, handed on to the reader; nothing thrown passes
// through the parser.
Reader& ReaderOf(void* context) {
    return *static_cast<Reader*>(context);
}

template <typename Action>
void Guarded(void* context, Action action) {
    try {
        action(ReaderOf(context));
    } catch (const std::exception& exception) {
        ReaderOf(context).Fail(std::string("the reader failed: ") + exception.what());
    }
}

void OnStartElement(void* context, const xmlChar* localName, const xmlChar*, const xmlChar* uri,
                    int, const xmlChar**, int attributeCount, int, const xmlChar** attributes) {
    Guarded(context, [&](Reader& reader) {
        reader.StartElement(Attributes::Text(localName), uri,
                            Attributes(attributeCount, attributes));
    });
}

void OnEndElement(void* context, const xmlChar*, const xmlChar*, const xmlChar*) {
    Guarded(context, [](Reader& reader) { reader.EndElement(); });
}

void OnCharacters(void* context, const xmlChar* text, int length) {
    Guarded(context, [&](Reader& reader) {
        reader.Characters(std::string_view(reinterpret_cast<const char*>(text),
                                           static_cast<std::size_t>(length)));
    });
}

xmlEntityPtr OnEntity(void* context, const xmlChar* name) {
    Guarded(context, [&](Reader& reader) { reader.EntityReference(Attributes::Text(name)); });
    return nullptr;
}

void OnError(void* context, xmlErrorPtr error) {
    Guarded(context, [&](Reader& reader) { reader.ParserError(*error); });
}

void IgnoreMessage(void*, const char*, ...) {}

SvgOpened Reader::Read(std::string_view bytes) {
    static const bool initialized = (xmlInitParser(), true);
    (void)initialized;
    xmlSAXHandler handler{};
    handler.initialized = XML_SAX2_MAGIC;
    handler.startElementNs = OnStartElement;
    handler.endElementNs = OnEndElement;
    handler.characters = OnCharacters;
    handler.ignorableWhitespace = OnCharacters;
    handler.cdataBlock = OnCharacters;
    handler.getEntity = OnEntity;
    handler.serror = OnError;
    parser_ = xmlCreatePushParserCtxt(&handler, this, nullptr, 0, path_.c_str());
    if (parser_ == nullptr) {
        return {{}, 0, "the XML parser could not start"};
    }
    // Entities are never expanded: none is declared (no declaration is
    // handed on) and references to others fail; nothing is loaded.
    xmlCtxtUseOptions(parser_, XML_PARSE_NOENT | XML_PARSE_NONET);
    // What the parser reports outside the context (about encodings) is not
    // printed; the parse fails on it all the same.
    const xmlGenericErrorFunc printer = xmlGenericError;
    void* const printerContext = xmlGenericErrorContext;
    xmlSetGenericErrorFunc(nullptr, IgnoreMessage);
    int status = 0;
    for (std::size_t offset = 0; offset < bytes.size() && status == 0 && !Failed();
         offset += kInputChunkBytes) {
        const std::size_t size = std::min(kInputChunkBytes, bytes.size() - offset);
        status = xmlParseChunk(parser_, bytes.data() + offset, static_cast<int>(size), 0);
    }
    if (status == 0 && !Failed()) {
        status = xmlParseChunk(parser_, nullptr, 0, 1);
    }
    xmlSetGenericErrorFunc(printerContext, printer);
    if (!Failed() && (status != 0 || parser_->wellFormed == 0)) {
        const xmlError* last = xmlCtxtGetLastError(parser_);
        if (last != nullptr && last->message != nullptr) {
            ParserError(*last);
        }
        Fail("not well-formed XML (parser error " + std::to_string(status) + ")");
    }
    if (!Failed() && !document_) {
        Fail("no SVG document");
    }
    // The parser keeps the entities declared in a document of its own when
    // it hands on events; that document is not the context's to free.
    if (parser_->myDoc != nullptr) {
        xmlFreeDoc(parser_->myDoc);
    }
    xmlFreeParserCtxt(parser_);
    parser_ = nullptr;
    if (Failed()) {
        if (document_) {
            store_.Close(document_);
        }
        return {{}, skipped_, error_};
    }
    if (store_.Document(document_).layers.empty()) {
        store_.AddLayer(document_, {host::kSvgLayerName});
    }
    if (currentLayer_) {
        store_.SetCurrentLayer(currentLayer_);
    }
    store_.Open(document_);
    return {document_, skipped_, {}};
}

}  // namespace

SvgOpened ReadSvgDocument(DocumentStore& store, InstalledFonts& fonts, std::string_view bytes,
                          const std::string& path, const SvgLimits& limits) {
    if (bytes.empty()) {
        return {{}, 0, "the file is empty"};
    }
    if (bytes.size() > limits.fileBytes) {
        return {{}, 0, "the file is larger than " + std::to_string(limits.fileBytes) + " bytes"};
    }
    return Reader(store, fonts, limits, path).Read(bytes);
}

SvgOpened OpenSvgDocument(DocumentStore& store, InstalledFonts& fonts, const std::string& path,
                          const SvgLimits& limits) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return {{}, 0, "cannot open " + path};
    }
    std::string bytes;
    std::string chunk(kInputChunkBytes, '\0');
    // Reading stops one chunk past the limit at most.
    while (bytes.size() <= limits.fileBytes &&
           in.read(chunk.data(), static_cast<std::streamsize>(chunk.size())).gcount() > 0) {
        bytes.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) {
        return {{}, 0, "cannot read " + path};
    }
    return ReadSvgDocument(store, fonts, bytes, path, limits);
}

}  // namespace standin
