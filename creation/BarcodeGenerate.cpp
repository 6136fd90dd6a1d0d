#include "BarcodeGenerate.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "BarcodeDialog.h"
#include "M7LBridges.h"
#include "M7LSuiteTable.h"
#include "M7LUtilities.h"
#include "host/AteSuites.h"
#include "host/HostPolicies.h"

namespace {

// Half of kPointsPerMillimetre, for the middle of the frame.
constexpr double kHalfPointsPerMillimetre = 1.4173229;

constexpr float kBlack = 1.0f;
constexpr float kWhite = 0.0f;
constexpr float kUnstrokedWidthPoints = 1.0f;
constexpr float kBarMiterLimit = 3.0f;
constexpr float kFrameMiterLimit = 10.0f;

constexpr std::int32_t kRectangleCorners = 4;

// The quiet-zone mark at size 1: a chevron pointing left, in millimetres.
constexpr std::int32_t kMarkCorners = 7;
constexpr std::array<host::RealPoint, kMarkCorners> kLeftMark{{
    {1.5f, 2.8f},
    {0.0f, 1.4f},
    {1.5f, 0.0f},
    {1.5f, 0.3f},
    {0.3f, 1.4f},
    {1.5f, 2.5f},
    {1.5f, 2.8f},
}};

constexpr const char* kHelvetica = "Helvetica";
constexpr const char* kArial = "ArialMT";
constexpr const char* kOcrB = "OCRB";

// The fonts tried in turn for a requested one, before Helvetica as the host
// substitutes it. The user's replacement is tried after the first miss that
// is not silent: an OCR-B font has other names to try first.
struct FontChain {
    std::vector<const char*> names;
    std::size_t silentMisses;
};
constexpr std::size_t kOcrBOtherNames = 3;

FontChain FontChainFor(const M7LString& requested) {
    if (requested.Equals(kOcrB)) {
        return {{kOcrB, "OCRBStd", "OCRB10PitchBT-Regular", "OCR-B", kHelvetica, kArial},
                kOcrBOtherNames};
    }
    if (requested.Equals(kArial)) {
        return {{kArial}, 0};
    }
    if (requested.Equals(kHelvetica)) {
        return {{kHelvetica, kArial}, 0};
    }
    return {{requested.CStr(), kHelvetica, kArial}, 0};
}

// A digit's height in em of the fonts the symbologies ask for, by requested
// name; others are taken as 1 em.
struct DigitHeight {
    const char* font;
    double em;
};
constexpr std::array<DigitHeight, 4> kDigitHeights{{
    {kHelvetica, 1.42},
    {kArial, 1.35},
    {"GillSans-Bold", 1.29},
    {kOcrB, 1.18},
}};
constexpr double kOtherDigitHeight = 1.0;

constexpr std::size_t kUtf8CharacterBytes = 8;

// A bar asked for before the frame, which makes the bars' group.
constexpr host::Error kErrorNoFrame = host::FourCharCode("!frm");

host::Color Gray(float gray) {
    return {host::ColorKind::kGray, gray, {}, {}, {}};
}

host::PathSegment Corner(host::RealPoint point) {
    return {point, point, point, true};
}

// The document's current style with the changes of edit, given to path.
template <typename Edit>
host::Error StyleFromCurrent(host::Art path, Edit edit) {
    host::PathStyle style{};
    if (const host::Error error = sAiPathStyle->GetCurrentPathStyle(&style)) {
        return error;
    }
    edit(style);
    return sAiPathStyle->SetPathStyle(path, &style);
}

// Dark, overprinting paint without a stroke: bars and quiet-zone marks.
void PaintInk(host::PathStyle& style) {
    style.fillPaint = true;
    style.fill = {Gray(kBlack), true};
    style.strokePaint = false;
}

// Selects the children of every child of art.
host::Error SelectGrandchildren(host::Art art) {
    host::Art child;
    if (const host::Error error = sAiArt->GetArtFirstChild(art, &child)) {
        return error;
    }
    while (child) {
        host::Art grandchild;
        if (const host::Error error = sAiArt->GetArtFirstChild(child, &grandchild)) {
            return error;
        }
        while (grandchild) {
            if (const host::Error error =
                    sAiArt->SetArtUserAttr(grandchild, host::kArtSelected, host::kArtSelected)) {
                return error;
            }
            if (const host::Error error = sAiArt->GetArtSibling(grandchild, &grandchild)) {
                return error;
            }
        }
        if (const host::Error error = sAiArt->GetArtSibling(child, &child)) {
            return error;
        }
    }
    return host::kNoError;
}

bool HasUsableMetrics(const host::FontMetrics& metrics) {
    const double ascent = metrics.ascent;
    const double descent = metrics.descent;
    return std::isfinite(ascent) && std::isfinite(descent) && ascent != 0 && ascent != descent;
}

double DigitHeightOf(const M7LString& font) {
    for (const DigitHeight& height : kDigitHeights) {
        if (font.Equals(height.font)) {
            return height.em;
        }
    }
    return kOtherDigitHeight;
}

}  // namespace

BarcodeGenerate::BarcodeGenerate(float originX, float originY, host::Art parentGroup,
                                 const char* parameters)
    : parentGroup_(parentGroup), originX_(originX), originY_(originY), parameters_(parameters) {
    SetFont(kHelvetica, true);
}

BarcodeGenerate::~BarcodeGenerate() {
    if (createOutlines_) {
        ConvertTextToOutlines();
    }
}

bool BarcodeGenerate::GetMeasuringLine(host::RealPoint* start, host::RealPoint* end) const {
    if (!barsGroup_) {
        return false;
    }
    *start = lineStart_;
    *end = lineEnd_;
    if (barsDrawn_) {
        // The middle of the band that every bar spans, which the frame's
        // middle can miss when the text below the bars is tall.
        start->v = end->v =
            static_cast<float>(originY_ + (barsBottom_ + barsTop_) * kHalfPointsPerMillimetre);
    }
    return true;
}

host::RealPoint BarcodeGenerate::ToPoint(double x, double y) const {
    return {static_cast<float>(originX_ + x * kPointsPerMillimetre),
            static_cast<float>(originY_ + y * kPointsPerMillimetre)};
}

host::Error BarcodeGenerate::NewSelectedPath(host::Art container, host::Art* path) const {
    if (const host::Error error =
            sAiArt->NewArt(host::ArtType::kPath, host::PaintOrder::kInsideOnTop, container, path)) {
        return error;
    }
    return sAiArt->SetArtUserAttr(*path, host::kArtSelected, host::kArtSelected);
}

host::Error BarcodeGenerate::MakeRectangle(host::Art path, double left, double right, double bottom,
                                           double top) const {
    const std::array<host::PathSegment, kRectangleCorners> corners{
        Corner(ToPoint(left, bottom)), Corner(ToPoint(left, top)), Corner(ToPoint(right, top)),
        Corner(ToPoint(right, bottom))};
    if (const host::Error error = sAiPath->SetPathSegmentCount(path, kRectangleCorners)) {
        return error;
    }
    if (const host::Error error =
            sAiPath->SetPathSegments(path, 0, kRectangleCorners, corners.data())) {
        return error;
    }
    return sAiPath->SetPathClosed(path, true);
}

host::Error BarcodeGenerate::MakeBar(double left, double right, double bottom, double top) const {
    if (!barsGroup_) {
        return kErrorNoFrame;
    }
    host::Art bar;
    if (const host::Error error = NewSelectedPath(barsGroup_, &bar)) {
        return error;
    }
    if (const host::Error error = MakeRectangle(bar, left, right, bottom, top)) {
        return error;
    }
    return StyleFromCurrent(bar, [](host::PathStyle& style) {
        PaintInk(style);
        style.stroke.color = Gray(kBlack);
        style.stroke.overprint = true;
        style.stroke.width = kUnstrokedWidthPoints;
        style.stroke.dash.count = 0;
        style.stroke.dash.offset = 0.0f;
        style.stroke.cap = host::LineCap::kButt;
        style.stroke.join = host::LineJoin::kMiter;
        style.stroke.miterLimit = kBarMiterLimit;
    });
}

bool BarcodeGenerate::AddBar(double left, double right, double bottom, double top) {
    if (MakeBar(left, right, bottom, top) != host::kNoError) {
        return false;
    }
    barsBottom_ = barsDrawn_ ? std::max(barsBottom_, bottom) : bottom;
    barsTop_ = barsDrawn_ ? std::min(barsTop_, top) : top;
    barsDrawn_ = true;
    return true;
}

bool BarcodeGenerate::AddBearerBar(double left, double right, double bottom, double top) {
    return MakeBar(left, right, bottom, top) == host::kNoError;
}

bool BarcodeGenerate::AddFrame(double left, double right, double bottom, double top,
                               double strokeWidth) {
    if (DeselectAllArt() != host::kNoError) {
        return false;
    }
    const float lineY = static_cast<float>(originY_ + (bottom + top) * kHalfPointsPerMillimetre);
    lineStart_ = {ToPoint(left, 0.0).h, lineY};
    lineEnd_ = {ToPoint(right, 0.0).h, lineY};
    host::Art frame;
    host::Error error = NewSelectedPath(parentGroup_, &frame);
    if (error == host::kNoError) {
        error = MakeRectangle(frame, left, right, bottom, top);
    }
    if (error == host::kNoError) {
        error = StyleFromCurrent(frame, [this, strokeWidth](host::PathStyle& style) {
            style.fillPaint = !noEraseBox_;
            style.fill.color = Gray(kWhite);
            style.fill.overprint = false;
            style.strokePaint = strokeWidth > 0.0;
            style.stroke.color = Gray(kBlack);
            if (strokeWidth > 0.0) {
                style.stroke.width = static_cast<float>(strokeWidth * kPointsPerMillimetre);
                style.stroke.miterLimit = kFrameMiterLimit;
            } else {
                style.stroke.width = kUnstrokedWidthPoints;
            }
        });
    }
    if (error == host::kNoError) {
        error = sAiTag->SetArtTag(frame, kParametersTag, kParametersTagType, parameters_.CStr());
    }
    host::Art bars;
    if (error == host::kNoError) {
        error = sAiArt->NewArt(host::ArtType::kGroup, host::PaintOrder::kInsideOnTop, parentGroup_,
                               &bars);
    }
    if (error != host::kNoError) {
        return false;
    }
    barsGroup_ = bars;
    return true;
}

bool BarcodeGenerate::AddQuietZoneMarks(double left, double right, double bottom, double top,
                                        double size, bool leftMark, bool rightMark) {
    struct Mark {
        bool wanted;
        double x;
        double y;
        double direction;  // the right mark is the left one mirrored
    };
    for (const Mark& mark :
         {Mark{leftMark, left, bottom, 1.0}, Mark{rightMark, right, top, -1.0}}) {
        if (!mark.wanted) {
            continue;
        }
        std::array<host::PathSegment, kMarkCorners> corners{};
        for (std::size_t j = 0; j < corners.size(); ++j) {
            corners[j] = Corner(ToPoint(mark.x + mark.direction * size * kLeftMark[j].h,
                                        mark.y + size * kLeftMark[j].v));
        }
        host::Art path;
        host::Error error = NewSelectedPath(parentGroup_, &path);
        if (error == host::kNoError) {
            error = sAiPath->SetPathSegmentCount(path, kMarkCorners);
        }
        if (error == host::kNoError) {
            error = sAiPath->SetPathSegments(path, 0, kMarkCorners, corners.data());
        }
        if (error == host::kNoError) {
            error = sAiPath->SetPathClosed(path, true);
        }
        if (error == host::kNoError) {
            error = StyleFromCurrent(path, PaintInk);
        }
        if (error != host::kNoError) {
            return false;
        }
    }
    return true;
}

bool BarcodeGenerate::SetFont(const char* name, bool sizeIsCharacterHeight) {
    sizeIsCharacterHeight_ = sizeIsCharacterHeight;
    if (name != nullptr && name[0] != 0 && !requestedFontName_.Equals(name)) {
        requestedFontName_.Assign(name);
        fontResolved_ = false;
    }
    return true;
}

bool BarcodeGenerate::AddText(double x, double y, double size, char character) {
    const char16_t unit = static_cast<unsigned char>(character);
    Placement placement{};
    return ResolveFont(size, unit, &placement) == host::kNoError &&
           DrawText(placement, x, y, size, unit) == host::kNoError;
}

host::Error BarcodeGenerate::DrawText(const Placement& placement, double x, double y, double size,
                                      char16_t character) const {
    host::Art frame;
    if (const host::Error error = sAiTextFrame->NewPointText(
            host::PaintOrder::kInsideOnTop, parentGroup_, host::TextOrientation::kHorizontal,
            ToPoint(x - placement.dx, y - placement.dy), &frame)) {
        return error;
    }
    host::TextRange range;
    host::CharFeatures features;
    host::TextFont font;
    host::Error error = sAiTextFrame->GetTextRange(frame, &range);
    if (error == host::kNoError) {
        error = sAteCharFeatures->New(&features);
    }
    if (error == host::kNoError) {
        error = sAiFont->GetTextFont(fontKey_, &font);
    }
    if (error == host::kNoError) {
        error = sAteCharFeatures->SetFont(features, font);
    }
    if (error == host::kNoError) {
        error = sAteCharFeatures->SetFontSize(
            features, static_cast<float>(placement.scale * size * kPointsPerMillimetre));
    }
    if (error == host::kNoError) {
        error = sAteTextRange->SetLocalCharFeatures(range, features);
    }
    if (error == host::kNoError) {
        error = sAteTextRange->InsertAfter(range, &character, 1);
    }
    if (font) {
        sAteFont->Release(font);
    }
    if (features) {
        sAteCharFeatures->Release(features);
    }
    if (range) {
        sAteTextRange->Release(range);
    }
    if (error == host::kNoError) {
        error = sAiArt->SetArtUserAttr(frame, host::kArtSelected, host::kArtSelected);
    }
    return error;
}

host::Error BarcodeGenerate::ResolveFont(double size, char16_t character, Placement* placement) {
    if (!fontResolved_) {
        if (const host::Error error = ResolveFontChain()) {
            return error;
        }
    }
    const double ascent = fontMetrics_.ascent;
    const double descent = fontMetrics_.descent;
    if (sizeIsCharacterHeight_) {
        placement->scale = DigitHeightOf(requestedFontName_) / ascent;
        placement->dy = 0.0;
    } else {
        placement->scale = 1.0 / (ascent - descent);
        placement->dy = placement->scale * descent * size;
    }
    // One UTF-16 unit of at most U+00FF always fits.
    const char16_t text[] = {character, 0};
    char utf8[kUtf8CharacterBytes];
    Utf16ToUtf8(text, utf8, sizeof(utf8));
    float advance = 0.0f;
    float vertical = 0.0f;
    if (const host::Error error = sAiFont->GetGlyphAdvance(fontKey_, utf8, &advance, &vertical)) {
        return error;
    }
    placement->dx = size * placement->scale * advance * 0.5;
    return host::kNoError;
}

host::Error BarcodeGenerate::ResolveFontChain() {
    const FontChain chain = FontChainFor(requestedFontName_);
    bool replacementTried = false;
    for (std::size_t i = 0; i < chain.names.size(); ++i) {
        bool found = false;
        if (const host::Error error = TryFont(chain.names[i], false, &found)) {
            return error;
        }
        if (found) {
            return host::kNoError;
        }
        if (replacementTried || gBarcodeDialog == nullptr || i < chain.silentMisses) {
            continue;
        }
        replacementTried = true;
        if (const host::Error error = ReplaceMissingFont(&found)) {
            return error;
        }
        if (found) {
            return host::kNoError;
        }
    }
    bool found = false;
    if (const host::Error error = TryFont(kHelvetica, true, &found)) {
        return error;
    }
    return found ? host::kNoError : host::kErrorFontNotFound;
}

host::Error BarcodeGenerate::TryFont(const char* name, bool substitute, bool* found) {
    *found = false;
    host::Font font;
    const host::Error error = sAiFont->FindFont(name, host::kFontTechnologyAny,
                                                host::kFontScriptRoman, substitute, &font);
    if (error == host::kErrorFontNotFound) {
        return host::kNoError;
    }
    if (error != host::kNoError) {
        return error;
    }
    host::FontMetrics metrics{};
    if (const host::Error metricsError = sAiFont->GetFontMetrics(font, &metrics)) {
        return metricsError;
    }
    if (!HasUsableMetrics(metrics)) {
        return host::kNoError;
    }
    fontKey_ = font;
    fontMetrics_ = metrics;
    fontResolved_ = true;
    *found = true;
    return host::kNoError;
}

host::Error BarcodeGenerate::TryReplacement(bool* found) {
    *found = false;
    const char* replacement = gBarcodeDialog->FindFontReplacement(requestedFontName_.CStr());
    return replacement == nullptr ? host::kNoError : TryFont(replacement, false, found);
}

host::Error BarcodeGenerate::ReplaceMissingFont(bool* found) {
    if (const host::Error error = TryReplacement(found)) {
        return error;
    }
    const char* requested = requestedFontName_.CStr();
    if (*found || WasReported(requested)) {
        return host::kNoError;
    }
    gBarcodeDialog->ShowMissingFontAlert(requested);
    reportedMissingFonts_.emplace_back(requested);
    // The replacement recorded is used at once, so that every symbol made
    // with the missing font gets the same one.
    if (gBarcodeDialog->SetFontReplacement(requested, kArial) != host::kNoError) {
        return host::kNoError;
    }
    return TryReplacement(found);
}

bool BarcodeGenerate::WasReported(const char* fontName) const {
    return std::any_of(reportedMissingFonts_.begin(), reportedMissingFonts_.end(),
                       [fontName](const M7LString& reported) { return reported.Equals(fontName); });
}

void BarcodeGenerate::ConvertTextToOutlines() const {
    if (sAiDocument->BringArtUpToDate() != host::kNoError) {
        return;
    }
    host::Art child;
    if (sAiArt->GetArtFirstChild(parentGroup_, &child) != host::kNoError) {
        return;
    }
    while (child) {
        host::ArtType type;
        if (sAiArt->GetArtType(child, &type) != host::kNoError) {
            return;
        }
        host::Art next;
        if (type != host::ArtType::kTextFrame) {
            if (sAiArt->GetArtSibling(child, &next) != host::kNoError) {
                return;
            }
            child = next;
            continue;
        }
        host::Art outline;
        if (sAiTextFrame->CreateOutline(child, &outline) != host::kNoError) {
            return;
        }
        if (SelectGrandchildren(outline) != host::kNoError) {
            return;
        }
        if (sAiArt->GetArtSibling(child, &next) != host::kNoError ||
            sAiArt->DisposeArt(child) != host::kNoError) {
            return;
        }
        child = next;
    }
}
