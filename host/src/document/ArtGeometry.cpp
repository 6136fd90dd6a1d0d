#include "ArtGeometry.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace standin {

namespace {

// Where the glyph polygon's slanted edges begin, as a share of the width.
constexpr float kGlyphInsetShare = 0.25f;

struct Vector {
    double x;
    double y;
};

Vector Of(const host::RealPoint& point) {
    return {point.h, point.v};
}

// A box grown point by point.
class Box {
public:
    void Add(Vector point) {
        if (!any_) {
            low_ = high_ = point;
            any_ = true;
            return;
        }
        low_ = {std::min(low_.x, point.x), std::min(low_.y, point.y)};
        high_ = {std::max(high_.x, point.x), std::max(high_.y, point.y)};
    }
    // The point and the points at distance `by` across and along the axes.
    void AddWidened(Vector point, double by) {
        Add({point.x - by, point.y - by});
        Add({point.x + by, point.y + by});
    }
    std::optional<host::RealRect> Rect() const {
        if (!any_) {
            return std::nullopt;
        }
        return host::RealRect{static_cast<float>(low_.x), static_cast<float>(high_.y),
                              static_cast<float>(high_.x), static_cast<float>(low_.y)};
    }

private:
    bool any_ = false;
    Vector low_{};
    Vector high_{};
};

// The point of the cubic curve at t.
Vector CurvePoint(const std::array<Vector, 4>& p, double t) {
    const double u = 1 - t;
    const double a = u * u * u;
    const double b = 3 * u * u * t;
    const double c = 3 * u * t * t;
    const double d = t * t * t;
    return {a * p[0].x + b * p[1].x + c * p[2].x + d * p[3].x,
            a * p[0].y + b * p[1].y + c * p[2].y + d * p[3].y};
}

// The parameters in (0, 1) where one coordinate of the curve has a zero
// derivative: the roots of a t^2 + b t + c.
std::vector<double> Extrema(double p0, double p1, double p2, double p3) {
    const double a = -p0 + 3 * p1 - 3 * p2 + p3;
    const double b = 2 * (p0 - 2 * p1 + p2);
    const double c = p1 - p0;
    std::vector<double> roots;
    if (a == 0) {
        if (b != 0) {
            roots.push_back(-c / b);
        }
    } else if (const double discriminant = b * b - 4 * a * c; discriminant >= 0) {
        const double root = std::sqrt(discriminant);
        roots.push_back((-b + root) / (2 * a));
        roots.push_back((-b - root) / (2 * a));
    }
    std::erase_if(roots, [](double t) { return !(t > 0 && t < 1); });
    return roots;
}

// The curve's points at its ends and where it turns in x or y.
void AddCurve(Box& box, const std::array<Vector, 4>& p) {
    box.Add(p[0]);
    box.Add(p[3]);
    for (const double t : Extrema(p[0].x, p[1].x, p[2].x, p[3].x)) {
        box.Add(CurvePoint(p, t));
    }
    for (const double t : Extrema(p[0].y, p[1].y, p[2].y, p[3].y)) {
        box.Add(CurvePoint(p, t));
    }
}

}  // namespace

std::optional<host::RealRect> PathBounds(std::span<const host::PathSegment> segments, bool closed,
                                         const host::PathStyle& style) {
    Box box;
    for (const host::PathSegment& segment : segments) {
        box.Add(Of(segment.anchor));
    }
    const double half = style.strokePaint ? style.stroke.width / 2.0 : 0.0;
    const std::size_t count = segments.size();
    const std::size_t pieces = count < 2 ? 0 : closed ? count : count - 1;
    for (std::size_t i = 0; i < pieces; ++i) {
        const host::PathSegment& from = segments[i];
        const host::PathSegment& to = segments[(i + 1) % count];
        const std::array<Vector, 4> curve{Of(from.anchor), Of(from.out), Of(to.in), Of(to.anchor)};
        const bool straight = from.out == from.anchor && to.in == to.anchor;
        if (!straight) {
            Box piece;
            AddCurve(piece, curve);
            const host::RealRect r = *piece.Rect();
            box.AddWidened({r.left, r.bottom}, half);
            box.AddWidened({r.right, r.top}, half);
            continue;
        }
        const double dx = curve[3].x - curve[0].x;
        const double dy = curve[3].y - curve[0].y;
        const double length = std::hypot(dx, dy);
        if (half == 0 || length == 0) {
            continue;
        }
        // Across the segment, on both sides of both ends.
        const Vector across{-dy / length * half, dx / length * half};
        for (const Vector end : {curve[0], curve[3]}) {
            box.Add({end.x + across.x, end.y + across.y});
            box.Add({end.x - across.x, end.y - across.y});
        }
    }
    // The caps of a two-point line reach along it.
    if (count == 2 && half > 0 && style.stroke.cap != host::LineCap::kButt) {
        const Vector start = Of(segments[0].anchor);
        const Vector end = Of(segments[1].anchor);
        const double length = std::hypot(end.x - start.x, end.y - start.y);
        if (style.stroke.cap == host::LineCap::kRound || length == 0) {
            box.AddWidened(start, half);
            box.AddWidened(end, half);
        } else {
            const Vector along{(end.x - start.x) / length * half,
                               (end.y - start.y) / length * half};
            const Vector across{-along.y, along.x};
            for (const double side : {-1.0, 1.0}) {
                box.Add({start.x - along.x + side * across.x, start.y - along.y + side * across.y});
                box.Add({end.x + along.x + side * across.x, end.y + along.y + side * across.y});
            }
        }
    }
    return box.Rect();
}

host::RealRect Union(const host::RealRect& first, const host::RealRect& second) {
    return {std::min(first.left, second.left), std::max(first.top, second.top),
            std::max(first.right, second.right), std::min(first.bottom, second.bottom)};
}

std::vector<host::PathSegment> GlyphPolygon(const host::RealRect& box) {
    const float inset = (box.right - box.left) * kGlyphInsetShare;
    const float middle = (box.top + box.bottom) / 2;
    const host::RealPoint points[] = {
        {box.left + inset, box.bottom}, {box.right - inset, box.bottom}, {box.right, middle},
        {box.right - inset, box.top},   {box.left + inset, box.top},     {box.left, middle},
    };
    std::vector<host::PathSegment> polygon;
    for (const host::RealPoint& point : points) {
        polygon.push_back({point, point, point, true});
    }
    return polygon;
}

}  // namespace standin
