#pragma once

#include <cstdint>
#include <vector>

#include "host/AiArtSuites.h"
#include "host/HostErrors.h"
#include "host/HostGeometry.h"
#include "host/HostHandles.h"

// What the two readers of bar art share: the tests that make a path a bar,
// the walk of the visible layers in paint order, and the sorted edge list
// they hand to the engine.

// Bars read along x stand upright and are crossed by a horizontal line; bars
// read along y lie and are crossed by a vertical one.
inline constexpr std::uint8_t kReadAlongY = 0;
inline constexpr std::uint8_t kReadAlongX = 1;

inline constexpr double kMillimetresPerPoint = 25.4 / 72.0;

// Paint counts as dark from this share of ink on.
inline constexpr float kDarkInkShare = 0.05f;

bool IsDarkColor(const host::Color& color);

inline constexpr std::int32_t kNoBarShape = 0;
inline constexpr std::int32_t kRectangleBarShape = 1;
inline constexpr std::int32_t kLineBarShape = 2;

// A path of four corners (or five, the last closing on the first) round an
// axis-parallel rectangle, or a straight two-point line along an axis; the
// closed flag is not looked at. kNoBarShape for anything else, and when the
// host cannot tell.
std::int32_t GetBarShape(host::Art path);

// Dark fill on a rectangle, or dark stroke on a line, but not both paints;
// the paint is that of paintedBy (a compound path paints its children).
bool IsBarCandidate(host::Art path, host::Art paintedBy);

// The art a stored bar stands for: groups descended by their first child.
// A host error ends the descent and is the result; path holds what was
// reached so far.
host::Error DescendToBarPath(host::Art bar, host::Art* path);

// Selects the bars in the document; nothing, and 0, for fewer than two.
host::Error SelectBarArt(const std::vector<host::Art>& bars);

// The extent of a bar's bounds along the reading direction and across it,
// in millimetres.
struct BarExtent {
    double low;
    double high;
    double height;
};
BarExtent ExtentOf(const host::RealRect& bounds, std::uint8_t orientation);

// Bars inserted one by one into ascending edges, two per bar, a height per
// bar beside them and, where asked, the caller's index of each bar. Nothing
// is ever written at or beyond the capacity.
class SortedBarEdges {
public:
    // barIndices may be null; heights and barIndices hold half of maxEdges.
    SortedBarEdges(double* edges, double* heights, std::int32_t* barIndices,
                   std::uint32_t maxEdges);

    // False, leaving the list alone, when the bar overlaps or touches one
    // already in, or its edges would not fit.
    bool Insert(const BarExtent& bar, std::int32_t barIndex);
    std::uint32_t GetCount() const { return count_; }

private:
    double* edges_;
    double* heights_;
    std::int32_t* barIndices_;
    std::uint32_t maxEdges_;
    std::uint32_t count_ = 0;
};

// The walk of the visible layers as the readers see their art, in paint
// order. Runs of bars form within one container: a group holding one path
// or compound path (through single children) is that path; a compound path
// whose first child is bar-shaped gives each of its children as a bar; any
// other group or compound path is a container of its own, walked at once,
// with runs of its own. A run ends at the end of its container and after
// art other than paths and text; paths that are no bar candidates and text
// do not end it.
class BarArtWalk {
public:
    // Art nested deeper below its layer than this many groups and compound
    // paths is not read.
    static constexpr int kMaxNestingDepth = 64;

protected:
    // The bars of a run, in paint order, with the reading direction and the
    // centre line that a walk keeps per run where it needs them.
    struct Run {
        std::vector<host::Art> bars;
        std::uint8_t orientation = kReadAlongX;
        float centreLine = 0.0f;
    };

    BarArtWalk() = default;
    ~BarArtWalk() = default;
    BarArtWalk(const BarArtWalk&) = delete;
    BarArtWalk& operator=(const BarArtWalk&) = delete;

    // Walks every layer whose visibility is true, in the host's layer order;
    // the first host error ends the walk (the run under way is dropped) and
    // is the result.
    host::Error WalkVisibleLayers();
    // A bar candidate met in the run's container: bar is the art to store.
    virtual host::Error Candidate(host::Art bar, Run& run) = 0;
    // The run is over; the walk empties it afterwards.
    virtual void RunEnded(Run& run) = 0;
    // Whether the group can hold art that the walk keeps; the walk passes
    // over one that cannot, which saves reading all its art.
    virtual bool MayHoldBars(host::Art group) = 0;
    void EndRun(Run& run);

private:
    host::Error WalkContainer(host::Art container, int depth);
    host::Error WalkCompoundPath(host::Art compound, int depth, Run& run);
};
