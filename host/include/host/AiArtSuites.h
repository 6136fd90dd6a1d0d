#pragma once

#include <cstdint>

#include "host/HostErrors.h"
#include "host/HostGeometry.h"
#include "host/HostHandles.h"
#include "host/HostPolicies.h"

namespace host {

// One point of a path: the anchor and the two handles of the curves into
// and out of it (on the anchor for a straight segment). Stored exactly as
// given.
struct PathSegment {
    RealPoint anchor;
    RealPoint in;
    RealPoint out;
    bool corner;

    friend constexpr bool operator==(const PathSegment&, const PathSegment&) = default;
};

// Components from 0 to 1.
struct CmykValues {
    float cyan;
    float magenta;
    float yellow;
    float black;

    friend constexpr bool operator==(const CmykValues&, const CmykValues&) = default;
};

struct RgbValues {
    float red;
    float green;
    float blue;

    friend constexpr bool operator==(const RgbValues&, const RgbValues&) = default;
};

struct CustomColorTint {
    CustomColor color;
    float tint;

    friend constexpr bool operator==(const CustomColorTint&, const CustomColorTint&) = default;
};

// A paint: the kind says which of the values hold it (none for a pattern or
// a gradient).
struct Color {
    ColorKind kind;
    float gray;
    CmykValues cmyk;
    RgbValues rgb;
    CustomColorTint custom;

    friend constexpr bool operator==(const Color&, const Color&) = default;
};

struct FillStyle {
    Color color;
    bool overprint;

    friend constexpr bool operator==(const FillStyle&, const FillStyle&) = default;
};

inline constexpr std::int32_t kMaxDashLengths = 6;

// Dash and gap lengths in points; no lengths is a solid line.
struct DashStyle {
    float offset;
    std::int32_t count;
    float lengths[kMaxDashLengths];

    friend constexpr bool operator==(const DashStyle&, const DashStyle&) = default;
};

struct StrokeStyle {
    Color color;
    bool overprint;
    float width;  // points
    LineCap cap;
    LineJoin join;
    float miterLimit;
    DashStyle dash;

    friend constexpr bool operator==(const StrokeStyle&, const StrokeStyle&) = default;
};

struct PathStyle {
    bool fillPaint;
    FillStyle fill;
    bool strokePaint;
    StrokeStyle stroke;

    friend constexpr bool operator==(const PathStyle&, const PathStyle&) = default;
};

struct CustomColorDefinition {
    CustomColorKind kind;
    CmykValues cmyk;
    RgbValues rgb;

    friend constexpr bool operator==(const CustomColorDefinition&,
                                     const CustomColorDefinition&) = default;
};

}  // namespace host

namespace host {

// "AI Art Suite". New art is placed by prep as the order says; a null prep
// is an error, not "anywhere". A container without children, and any other
// art, has no first child (null, no error); the last child has no sibling.
// The sibling is the next art in paint order, in front of this one.
struct AiArtSuite {
    Error (*NewArt)(ArtType type, PaintOrder order, Art prep, Art* art);
    Error (*DisposeArt)(Art art);
    Error (*ReorderArt)(Art art, PaintOrder order, Art prep);
    Error (*GetArtType)(Art art, ArtType* type);
    Error (*GetArtParent)(Art art, Art* parent);  // none for a layer's own group
    Error (*GetArtFirstChild)(Art art, Art* child);
    Error (*GetArtSibling)(Art art, Art* sibling);
    Error (*GetArtBounds)(Art art, RealRect* bounds);
    // The attributes in mask (kArtSelected) become those of attributes.
    Error (*SetArtUserAttr)(Art art, std::int32_t mask, std::int32_t attributes);
    // The layer's own group, which holds its art.
    Error (*GetFirstArtOfLayer)(Layer layer, Art* art);
};

// "AI Path Suite". A call on art that is no path answers kErrorWrongKind.
struct AiPathSuite {
    Error (*GetPathSegmentCount)(Art path, std::int32_t* count);
    Error (*SetPathSegmentCount)(Art path, std::int32_t count);
    Error (*GetPathSegments)(Art path, std::int32_t start, std::int32_t count,
                             PathSegment* segments);
    Error (*SetPathSegments)(Art path, std::int32_t start, std::int32_t count,
                             const PathSegment* segments);
    Error (*SetPathClosed)(Art path, bool closed);
};

// "AI Path Style Suite": the style of paths and compound paths; other art
// answers kErrorWrongKind. The current style is the current document's.
struct AiPathStyleSuite {
    Error (*GetCurrentPathStyle)(PathStyle* style);
    Error (*GetPathStyle)(Art art, PathStyle* style);
    Error (*SetPathStyle)(Art art, const PathStyle* style);
};

// "AI Custom Color Suite".
struct AiCustomColorSuite {
    Error (*GetCustomColor)(CustomColor color, CustomColorDefinition* definition);
};

// "AI Tag Suite": named values on art; a name set again replaces its value.
struct AiTagSuite {
    Error (*SetArtTag)(Art art, const char* name, const char* type, const char* value);
};

// "AI Blend Style Suite": opacity from 0 to 1.
struct AiBlendStyleSuite {
    Error (*GetBlendingMode)(Art art, BlendMode* mode);
    Error (*SetBlendingMode)(Art art, BlendMode mode);
    Error (*GetOpacity)(Art art, double* opacity);
    Error (*SetOpacity)(Art art, double opacity);
};

// "AI Document View Suite": the views of the current document; zooms
// outside [kMinViewZoom, kMaxViewZoom] are refused.
struct AiDocumentViewSuite {
    Error (*GetNthDocumentView)(std::int32_t index, DocumentView* view);
    Error (*SetDocumentViewCenter)(DocumentView view, RealPoint centre);
    Error (*SetDocumentViewZoom)(DocumentView view, double zoom);
};

// "AI Undo Suite": reverts the pending changes (HostPolicies.h).
struct AiUndoSuite {
    Error (*UndoChanges)();
};

// "AI Text Frame Suite": point text; its range is the text engine's object,
// released through "ATE TextRange Suite".
struct AiTextFrameSuite {
    Error (*NewPointText)(PaintOrder order, Art prep, TextOrientation orientation, RealPoint anchor,
                          Art* frame);
    Error (*GetTextRange)(Art frame, TextRange* range);
    Error (*CreateOutline)(Art frame, Art* outline);
};

}  // namespace host
