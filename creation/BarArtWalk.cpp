#include "BarArtWalk.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "M7LSuiteTable.h"

namespace {

// RGB paint is light only when every channel lies above this.
constexpr float kLightChannel = 1.0f - kDarkInkShare;

constexpr std::int32_t kLineSegments = 2;
constexpr std::int32_t kRectangleSegments = 4;
// A rectangle whose last point repeats its first.
constexpr std::int32_t kClosedRectangleSegments = 5;

bool IsCustomColorDark(const host::CustomColorTint& custom) {
    host::CustomColorDefinition definition{};
    if (sAiCustomColor->GetCustomColor(custom.color, &definition) != host::kNoError) {
        return false;
    }
    float ink = 0.0f;
    switch (definition.kind) {
        case host::CustomColorKind::kCmyk: {
            const host::CmykValues& c = definition.cmyk;
            ink = std::max({c.cyan, c.magenta, c.yellow, c.black});
            break;
        }
        case host::CustomColorKind::kRgb: {
            const host::RgbValues& c = definition.rgb;
            ink = 1.0f - std::min({c.red, c.green, c.blue});
            break;
        }
        default:
            break;
    }
    return ink * (1.0f - custom.tint) >= kDarkInkShare;
}

bool HasNoHandles(const host::PathSegment& segment) {
    return segment.in == segment.anchor && segment.out == segment.anchor;
}

// Anchors 0 to 3 go round an axis-parallel rectangle, starting on either
// kind of edge.
bool GoesRoundRectangle(const host::PathSegment* s) {
    const host::RealPoint& a = s[0].anchor;
    const host::RealPoint& b = s[1].anchor;
    const host::RealPoint& c = s[2].anchor;
    const host::RealPoint& d = s[3].anchor;
    if (a.h != b.h) {
        return a.v == b.v && b.h == c.h && c.v == d.v && d.h == a.h;
    }
    return b.v == c.v && c.h == d.h && d.v == a.v;
}

bool IsContainerOfBars(host::ArtType type) {
    return type == host::ArtType::kPath || type == host::ArtType::kCompoundPath;
}

bool IsText(host::ArtType type) {
    return type == host::ArtType::kTextFrame || type == host::ArtType::kLegacyText;
}

// Through groups of one child each, from the children of group at depth on:
// the path or compound path the chain ends in, with its depth; none when it
// ends in anything else or below the deepest level read.
host::Error DescendSingleChildren(host::Art group, int depth, host::Art* inner,
                                  host::ArtType* innerType, int* innerDepth) {
    *inner = {};
    host::Art current = group;
    for (int level = depth; level <= BarArtWalk::kMaxNestingDepth; ++level) {
        host::Art child;
        if (const host::Error error = sAiArt->GetArtFirstChild(current, &child)) {
            return error;
        }
        if (!child) {
            return host::kNoError;
        }
        host::Art sibling;
        if (const host::Error error = sAiArt->GetArtSibling(child, &sibling)) {
            return error;
        }
        if (sibling) {
            return host::kNoError;
        }
        host::ArtType type;
        if (const host::Error error = sAiArt->GetArtType(child, &type)) {
            return error;
        }
        if (IsContainerOfBars(type)) {
            *inner = child;
            *innerType = type;
            *innerDepth = level;
            return host::kNoError;
        }
        if (type != host::ArtType::kGroup) {
            return host::kNoError;
        }
        current = child;
    }
    return host::kNoError;
}

}  // namespace

bool IsDarkColor(const host::Color& color) {
    switch (color.kind) {
        case host::ColorKind::kGray:
            return color.gray >= kDarkInkShare;
        case host::ColorKind::kCmyk: {
            const host::CmykValues& c = color.cmyk;
            if (c.cyan >= kDarkInkShare || c.magenta >= kDarkInkShare ||
                c.yellow >= kDarkInkShare) {
                return true;
            }
            return c.black >= kDarkInkShare;
        }
        case host::ColorKind::kRgb: {
            const host::RgbValues& c = color.rgb;
            return !(c.red > kLightChannel && c.green > kLightChannel && c.blue > kLightChannel);
        }
        case host::ColorKind::kCustom:
            return IsCustomColorDark(color.custom);
        default:
            return true;
    }
}

std::int32_t GetBarShape(host::Art path) {
    std::int32_t count = 0;
    if (sAiPath->GetPathSegmentCount(path, &count) != host::kNoError ||
        (count != kLineSegments && count != kRectangleSegments &&
         count != kClosedRectangleSegments)) {
        return kNoBarShape;
    }
    std::array<host::PathSegment, kClosedRectangleSegments> segments{};
    if (sAiPath->GetPathSegments(path, 0, count, segments.data()) != host::kNoError ||
        !std::all_of(segments.begin(), segments.begin() + count, HasNoHandles)) {
        return kNoBarShape;
    }
    if (count == kLineSegments) {
        const host::RealPoint& a = segments[0].anchor;
        const host::RealPoint& b = segments[1].anchor;
        return a.h == b.h || a.v == b.v ? kLineBarShape : kNoBarShape;
    }
    if (count == kClosedRectangleSegments && segments[4].anchor != segments[0].anchor) {
        return kNoBarShape;
    }
    return GoesRoundRectangle(segments.data()) ? kRectangleBarShape : kNoBarShape;
}

bool IsBarCandidate(host::Art path, host::Art paintedBy) {
    host::PathStyle style{};
    if (sAiPathStyle->GetPathStyle(paintedBy, &style) != host::kNoError) {
        return false;
    }
    if (style.fillPaint && !style.strokePaint) {
        return IsDarkColor(style.fill.color) && GetBarShape(path) == kRectangleBarShape;
    }
    if (style.strokePaint && !style.fillPaint) {
        return IsDarkColor(style.stroke.color) && GetBarShape(path) == kLineBarShape;
    }
    return false;
}

host::Error DescendToBarPath(host::Art bar, host::Art* path) {
    *path = bar;
    for (;;) {
        host::ArtType type;
        if (const host::Error error = sAiArt->GetArtType(*path, &type)) {
            return error;
        }
        if (type != host::ArtType::kGroup) {
            return host::kNoError;
        }
        host::Art child;
        if (const host::Error error = sAiArt->GetArtFirstChild(*path, &child)) {
            return error;
        }
        if (!child) {
            return host::kNoError;
        }
        *path = child;
    }
}

host::Error SelectBarArt(const std::vector<host::Art>& bars) {
    if (bars.size() < 2) {
        return host::kNoError;
    }
    for (const host::Art bar : bars) {
        host::Art path;
        if (const host::Error error = DescendToBarPath(bar, &path)) {
            return error;
        }
        if (const host::Error error =
                sAiArt->SetArtUserAttr(path, host::kArtSelected, host::kArtSelected)) {
            return error;
        }
    }
    return host::kNoError;
}

BarExtent ExtentOf(const host::RealRect& bounds, std::uint8_t orientation) {
    if (orientation == kReadAlongX) {
        return {bounds.left * kMillimetresPerPoint, bounds.right * kMillimetresPerPoint,
                std::fabs(double{bounds.top} - bounds.bottom) * kMillimetresPerPoint};
    }
    return {bounds.bottom * kMillimetresPerPoint, bounds.top * kMillimetresPerPoint,
            std::fabs(double{bounds.right} - bounds.left) * kMillimetresPerPoint};
}

SortedBarEdges::SortedBarEdges(double* edges, double* heights, std::int32_t* barIndices,
                               std::uint32_t maxEdges)
    : edges_(edges), heights_(heights), barIndices_(barIndices), maxEdges_(maxEdges) {}

bool SortedBarEdges::Insert(const BarExtent& bar, std::int32_t barIndex) {
    std::uint32_t position = 0;
    if (count_ == 0 || bar.high < edges_[0]) {
        position = 0;
    } else if (bar.low > edges_[count_ - 1]) {
        position = count_;
    } else {
        // Into the first gap between two bars that it fits; none fits when
        // it overlaps or touches a bar.
        position = count_;
        for (std::uint32_t gap = 2; gap < count_; gap += 2) {
            if (bar.low > edges_[gap - 1] && bar.high < edges_[gap]) {
                position = gap;
                break;
            }
        }
        if (position == count_) {
            return false;
        }
    }
    if (count_ + 2 > maxEdges_) {
        return false;
    }
    const std::uint32_t slot = position / 2;
    const std::uint32_t laterBars = count_ / 2 - slot;
    std::memmove(edges_ + position + 2, edges_ + position, (count_ - position) * sizeof(double));
    std::memmove(heights_ + slot + 1, heights_ + slot, laterBars * sizeof(double));
    edges_[position] = bar.low;
    edges_[position + 1] = bar.high;
    heights_[slot] = bar.height;
    if (barIndices_ != nullptr) {
        std::memmove(barIndices_ + slot + 1, barIndices_ + slot, laterBars * sizeof(std::int32_t));
        barIndices_[slot] = barIndex;
    }
    count_ += 2;
    return true;
}

host::Error BarArtWalk::WalkVisibleLayers() {
    std::int32_t count = 0;
    if (const host::Error error = sAiLayer->CountLayers(&count)) {
        return error;
    }
    for (std::int32_t i = 0; i < count; ++i) {
        host::Layer layer;
        if (const host::Error error = sAiLayer->GetNthLayer(i, &layer)) {
            return error;
        }
        bool visible = false;
        if (const host::Error error = sAiLayer->GetLayerVisible(layer, &visible)) {
            return error;
        }
        if (!visible) {
            continue;
        }
        host::Art group;
        if (const host::Error error = sAiArt->GetFirstArtOfLayer(layer, &group)) {
            return error;
        }
        if (const host::Error error = WalkContainer(group, 0)) {
            return error;
        }
    }
    return host::kNoError;
}

void BarArtWalk::EndRun(Run& run) {
    RunEnded(run);
    run.bars.clear();
}

// Each container keeps its own run; depth is the nesting depth of its
// children below their layer.
host::Error BarArtWalk::WalkContainer(host::Art container, int depth) {
    if (depth > kMaxNestingDepth) {
        return host::kNoError;
    }
    Run run;
    host::Art item;
    if (const host::Error error = sAiArt->GetArtFirstChild(container, &item)) {
        return error;
    }
    while (item) {
        host::ArtType type;
        if (const host::Error error = sAiArt->GetArtType(item, &type)) {
            return error;
        }
        host::Art inner = item;
        int innerDepth = depth;
        // A group that cannot hold a bar the walk keeps only ends the run
        // under way, which is nothing to do while the run is empty.
        const bool reachable = type != host::ArtType::kGroup || MayHoldBars(item);
        if (!reachable && run.bars.empty()) {
            type = host::ArtType::kGroup;
        } else if (type == host::ArtType::kGroup) {
            host::ArtType innerType = type;
            if (const host::Error error =
                    DescendSingleChildren(item, depth + 1, &inner, &innerType, &innerDepth)) {
                return error;
            }
            if (inner) {
                type = innerType;
            } else if (reachable) {
                if (const host::Error error = WalkContainer(item, depth + 1)) {
                    return error;
                }
            }
        }
        if (type == host::ArtType::kCompoundPath) {
            if (const host::Error error = WalkCompoundPath(inner, innerDepth, run)) {
                return error;
            }
        } else if (type == host::ArtType::kPath) {
            if (IsBarCandidate(inner, inner)) {
                if (const host::Error error = Candidate(item, run)) {
                    return error;
                }
            }
        } else if (!IsText(type)) {
            EndRun(run);
        }
        if (const host::Error error = sAiArt->GetArtSibling(item, &item)) {
            return error;
        }
    }
    EndRun(run);
    return host::kNoError;
}

// A compound path whose first child is bar-shaped gives its children as
// bars of the run under way; any other is a container of its own.
host::Error BarArtWalk::WalkCompoundPath(host::Art compound, int depth, Run& run) {
    host::Art child;
    if (const host::Error error = sAiArt->GetArtFirstChild(compound, &child)) {
        return error;
    }
    if (!child || depth + 1 > kMaxNestingDepth || GetBarShape(child) == kNoBarShape) {
        if (const host::Error error = WalkContainer(compound, depth + 1)) {
            return error;
        }
        EndRun(run);
        return host::kNoError;
    }
    while (child) {
        if (IsBarCandidate(child, compound)) {
            if (const host::Error error = Candidate(child, run)) {
                return error;
            }
        }
        if (const host::Error error = sAiArt->GetArtSibling(child, &child)) {
            return error;
        }
    }
    return host::kNoError;
}
