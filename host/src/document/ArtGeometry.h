#pragma once

#include <optional>
#include <span>
#include <vector>

#include "host/AiArtSuites.h"
#include "host/HostGeometry.h"

namespace standin {

// The bounds of a path by the rule of the policies header: the box of its
// anchors, of its curves where it has handles, widened for a stroke; none
// for a path without segments.
std::optional<host::RealRect> PathBounds(std::span<const host::PathSegment> segments, bool closed,
                                         const host::PathStyle& style);

// The smallest rect holding both.
host::RealRect Union(const host::RealRect& first, const host::RealRect& second);

// A glyph's outline in its box: a closed hexagon with its points on the
// middle of the box's left and right edges, corner points without handles.
std::vector<host::PathSegment> GlyphPolygon(const host::RealRect& box);

}  // namespace standin
