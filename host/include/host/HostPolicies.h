#pragma once

#include <cstddef>
#include <cstdint>

#include "host/HostErrors.h"

// What the host decides where the plug-in's interface leaves it open: codes,
// orders, limits and the rules the document calls keep. The host's own tests
// pin each of them.

namespace host {

// Space: document points, y grows upwards; a rect is (left, top, right,
// bottom) with top >= bottom (HostGeometry.h). Tool events carry the cursor
// in the same space, and the shift key as kModifierShift (HostMessages.h).

// Art kinds, as the art suite answers them.
enum class ArtType : std::int32_t {
    kGroup = 1,
    kPath = 2,
    kCompoundPath = 3,
    kTextFrame = 12,
    kLegacyText = 15,
    kPlacedImage = 20,
};

// Where new or moved art goes relative to the art it is placed by.
// Children are kept in paint order, back to front: "inside, on top" makes
// the art the last child, "above" puts it directly after the other art,
// "below" directly before it. Layers too are kept back to front.
enum class PaintOrder : std::int32_t {
    kAbove = 1,
    kBelow = 2,
    kInsideOnTop = 3,
};

// The art attribute the selection is; the only one there is.
inline constexpr std::int32_t kArtSelected = 1;

// Paint: grey 1.0 is black; a custom colour's tint is the share of white,
// so its darkness is ink x (1 - tint).
enum class ColorKind : std::int32_t {
    kGray = 0,
    kCmyk = 1,
    kPattern = 2,
    kCustom = 3,
    kGradient = 4,
    kRgb = 5,
};

// How a custom colour is defined; kOtherModel is one the plug-in does not
// read (a Lab definition, say).
enum class CustomColorKind : std::int32_t {
    kCmyk = 0,
    kRgb = 1,
    kOtherModel = 2,
};

enum class LineCap : std::int32_t { kButt = 0, kRound = 1, kProjecting = 2 };
enum class LineJoin : std::int32_t { kMiter = 0, kRound = 1, kBevel = 2 };

// The separable and non-separable blend modes of the PDF imaging model.
enum class BlendMode : std::int32_t {
    kNormal = 0,
    kMultiply = 1,
    kScreen = 2,
    kOverlay = 3,
    kSoftLight = 4,
    kHardLight = 5,
    kColorDodge = 6,
    kColorBurn = 7,
    kDarken = 8,
    kLighten = 9,
    kDifference = 10,
    kExclusion = 11,
    kHue = 12,
    kSaturation = 13,
    kColor = 14,
    kLuminosity = 15,
};
inline constexpr BlendMode kLastBlendMode = BlendMode::kLuminosity;

enum class TextOrientation : std::int32_t { kHorizontal = 0, kVertical = 1 };

// Bounds: of a path, the box of its anchors (of its curves where it has
// handles). A stroked path is widened by half the stroke width across each
// straight segment (all round for a curved one), and along a two-point
// line's own direction only when its cap is not butt. A group's or compound
// path's bounds are the union of its children's. An empty group, or art
// without geometry, answers kErrorNoGeometry.
inline constexpr Error kErrorNoGeometry = FourCharCode("!geo");

// A path holds at most this many segments; more answers
// kErrorTooManySegments.
inline constexpr std::int32_t kMaxPathSegments = 32000;

// Art on a locked or hidden layer is not changed (selection aside): the
// call answers kErrorLayerLockedOrHidden.

// Undo: the changes since the press that began the current tool's press,
// drags and release (layer visibility and locking included) are pending;
// undoing reverts them all and leaves none. Outside such a sequence nothing
// is pending.

// Text: a point text frame has an anchor, an orientation, UTF-16 content
// and a font and size per character. Features set on an empty range go to
// the characters inserted after it. A character without a size has this
// one; one without a font is laid out with the default metrics and advance.
inline constexpr float kDefaultTextSizePoints = 12.0f;

// Outlines of a text frame: one group directly above the frame, holding
// one group per glyph that has ink, each with one closed, non-rectangular
// polygon path, filled with the text colour. Making outlines fails
// (kErrorTextNotComposed) until "bring art up to date" has run since the
// text last changed.
inline constexpr Error kErrorTextNotComposed = FourCharCode("!cmp");

// Fonts: metrics are in em, in the record's order (AiSuites.h); a font of
// the catalogue that sets none has these. M5 is the ascent, M7 the descent.
inline constexpr float kDefaultLeadingEm = 1.2f;
inline constexpr float kDefaultCapHeightEm = 0.72f;
inline constexpr float kDefaultXHeightEm = 0.52f;
inline constexpr float kDefaultUnderlineOffsetEm = -0.1f;
inline constexpr float kDefaultAscentEm = 1.0f;
inline constexpr float kDefaultUnderlineThicknessEm = 0.05f;
inline constexpr float kDefaultDescentEm = -0.2f;
// The advance of a character its font does not list.
inline constexpr float kDefaultAdvanceEm = 0.6f;
// The vertical advance of every glyph.
inline constexpr float kVerticalAdvanceEm = 1.0f;
// Finding a font: the catalogue holds Roman fonts of any technology; other
// values find nothing. A missing font answers kErrorFontNotFound unless
// substitution is asked for, which answers the catalogue's first font.
inline constexpr std::int32_t kFontTechnologyAny = 1;
inline constexpr std::int32_t kFontScriptRoman = 0;

// Document notifiers: opened when a document is opened, changed once after
// each message that left the document different (never for one that did
// not), closed when a document is closed.
inline constexpr const char* kDocumentOpenedNotifier = "AI Document Opened Notifier";
inline constexpr const char* kDocumentChangedNotifier = "AI Document Changed Notifier";
inline constexpr const char* kDocumentClosedNotifier = "AI Document Closed Notifier";

// The zoom a document view takes (1.0 = 100 %).
inline constexpr double kMinViewZoom = 1.0 / 32;
inline constexpr double kMaxViewZoom = 64.0;

// SVG files, the stand-in's documents (host/svg). The page takes the size of
// width and height (or of the viewBox), y flipped to grow upwards; lengths
// in px, pt, pc, mm, cm or in, a pixel (a user unit) being this many points.
// A rect becomes a closed path of four corners (left-bottom, left-top,
// right-top, right-bottom), a line an open two-point path, stroked and not
// filled; an RGB colour with equal channels becomes grey (1.0 black), any
// other RGB. What SVG cannot say is kept in the host's own namespace, so the
// host's own files read back exactly.
inline constexpr double kPointsPerSvgPixel = 0.75;
// The reader is bounded: past a bound it fails with a message naming it, and
// a file that fails opens no document.
inline constexpr std::size_t kMaxSvgFileBytes = std::size_t{64} << 20;
inline constexpr std::size_t kMaxSvgNestingDepth = 256;  // elements
inline constexpr std::size_t kMaxSvgSegments = 10'000'000;
inline constexpr std::size_t kMaxSvgArt = 1'000'000;  // pieces of art
// The layer that takes the art of a file without the host's own layers.
inline constexpr const char* kSvgLayerName = "Ebene 1";

}  // namespace host
