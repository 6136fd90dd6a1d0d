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
