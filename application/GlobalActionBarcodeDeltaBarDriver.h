#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "BarcodeArtList.h"
#include "BarcodeDeltaBarDriver.h"
#include "BarcodeProcessor.h"
#include "host/AiArtSuites.h"
#include "host/HostErrors.h"
#include "host/HostHandles.h"

// Moves the edges of the bars of one found barcode in the artwork, to give
// it a new bar width reduction or its own nominal bar widths back. A barcode
// is changed whole or not at all: when any bar would come out zero or less
// wide or reach its neighbour, or cannot be edited, no bar moves and every
// bar refuses.
class GlobalActionBarcodeDeltaBarDriver : public Strivelo::BarcodeDeltaBarDriver {
public:
    static constexpr double kPointsPerMillimetre = 2.834645711863446;
    static constexpr double kHalfPointsPerMillimetre = 1.417322855931723;
    // Moves of both edges below this are not made: measured edges of a bar
    // drawn as its ideal still differ from the ideal by the float precision
    // of the art's coordinates.
    static constexpr double kDeadBandMillimetres = 1e-4;
    // Paths of more segments are no bars this driver edits.
    static constexpr std::int32_t kMaxBarSegments = 5;

    // The processor decoded the edges of barcode in list; barIndices maps
    // each bar (edge index / 2) to the index of its art in the list's entry.
    // None of them is owned; all must outlive the driver.
    GlobalActionBarcodeDeltaBarDriver(const Strivelo::BarcodeProcessor& processor,
                                      const BarcodeArtList& list, std::size_t barcode,
                                      const std::int32_t* barIndices);

    // Whether a run moved any point of the artwork.
    bool HasChanged() const { return changed_; }

    bool ApplyBarDelta(std::uint32_t barEdgeIndex, double leftDeltaMm,
                       double rightDeltaMm) override;

private:
    // A bar's path with what is read of it before a move.
    struct BarPath {
        host::Art path;
        std::int32_t segmentCount = 0;
        host::PathSegment segments[kMaxBarSegments];
    };

    // Checks the bar, noting where it would lie (move false), or moves it;
    // false when it cannot be moved: a host error, a path that is no bar, or
    // a width of zero or less.
    bool MoveBar(std::uint32_t barEdgeIndex, double leftDeltaMm, double rightDeltaMm, bool move);
    host::Error ReadBar(std::uint32_t barEdgeIndex, BarPath* bar) const;
    bool MoveLine(BarPath& bar, double leftDeltaMm, double rightDeltaMm, bool move);
    bool MoveRectangle(BarPath& bar, double leftDeltaMm, double rightDeltaMm, bool move);
    static host::Error LeaveCompoundPath(host::Art line, host::Art compound);
    // Whether the checked bars keep a space between each other.
    bool CheckedBarsApart();
    // The coordinate of a point along the reading direction.
    float& Along(host::RealPoint& point) const;

    const Strivelo::BarcodeProcessor& processor_;
    const BarcodeArtList& list_;
    std::size_t barcode_;
    const std::int32_t* barIndices_;
    std::uint8_t orientation_;
    bool changed_ = false;
    // A run checks every bar before it moves the first: the bars still to
    // come in the run under way (0 before a run), whether the check is under
    // way, where each bar checked would lie along the reading direction
    // (points), and whether every bar passed it.
    std::uint32_t barsToCome_ = 0;
    bool checking_ = false;
    std::vector<std::pair<float, float>> checkedExtents_;
    bool everyBarFits_ = false;
};
