#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/AiArtSuites.h"

namespace standin::svg {

struct UserPoint {
    double x;
    double y;

    friend bool operator==(const UserPoint&, const UserPoint&) = default;
};

// A path's point in the user space of its element: the anchor and the
// handles of the curves into and out of it.
struct UserNode {
    UserPoint anchor;
    UserPoint in;
    UserPoint out;
};

struct Subpath {
    std::vector<UserNode> nodes;
    bool closed = false;
};

// Path data: every command of SVG's grammar, relative or absolute. Lines
// are nodes without handles; quadratic curves and arcs become cubic ones. A
// closing curve that ends on the subpath's first anchor merges into it, so
// the handle into the first anchor is the closing curve's. Fails with the
// reason on a syntax error or when a subpath grows past
// maxSubpathNodes or all of them past maxNodes.
struct PathData {
    std::vector<Subpath> subpaths;
    std::string error;  // empty when the data parsed
};
PathData ParsePathData(std::string_view data, std::size_t maxSubpathNodes, std::size_t maxNodes);

// The path data that draws the segments: lines where a segment and the next
// have no handles between them, cubic curves elsewhere. A closed path ends
// with a closing curve where the closing line would lose a handle, or where
// the last anchor lies on the first (so that the reader merges exactly the
// closing curve); ParsePathData reads back every anchor and every handle
// that lies between two anchors.
std::string WritePathData(std::span<const host::PathSegment> segments, bool closed);

}  // namespace standin::svg
