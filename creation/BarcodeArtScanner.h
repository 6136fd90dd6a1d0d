#pragma once

#include <cstdint>
#include <vector>

#include "BarArtWalk.h"
#include "host/HostErrors.h"
#include "host/HostGeometry.h"
#include "host/HostHandles.h"

// The answer to a reading line that is a point or slanted.
inline constexpr host::Error kErrorNotAxisLine = host::FourCharCode("parm");

// Reads the bars that a horizontal or vertical line crosses in the visible
// layers: the longest unbroken run of them, as edges in millimetres along
// the line. Made on the stack for one reading; its handles are valid until
// the artwork changes.
class BarcodeArtScanner : private BarArtWalk {
public:
    // Bars wider than this along the line are taken for a frame or bearer
    // bar drawn first, when they are the first or second bar.
    static constexpr double kMaxLeadingBarWidthMm = 20.0;

    BarcodeArtScanner() = default;

    // Keeps the longest run of at least two bar candidates that lie within
    // the segment and are crossed by the line (the one that ended first of
    // equally long ones); a run breaks at a candidate that does not. The
    // first host error ends the reading and is the result.
    host::Error Collect(host::RealPoint from, host::RealPoint to);
    // The bars' extents along the line in ascending millimetres, two per
    // bar, and each bar's extent across it in heights (half as many); the
    // number of edges, or 0 for fewer than two bars, a bounds failure,
    // overlapping or touching bars, or more edges than maxEdges.
    std::uint32_t GetEdges(double* edges, double* heights, std::uint32_t maxEdges) const;
    // Selects the bars read; nothing for fewer than two.
    host::Error SelectBars() const;

private:
    // Bounds along the line and across it.
    struct LineExtent {
        float low;
        float high;
        float acrossLow;
        float acrossHigh;
    };

    LineExtent ExtentAlongLine(const host::RealRect& bounds) const;
    host::Error Candidate(host::Art bar, Run& run) override;
    void RunEnded(Run& run) override;
    // Only a group that reaches across the line within the segment.
    bool MayHoldBars(host::Art group) override;

    std::vector<host::Art> bars_;
    std::uint8_t lineOrientation_ = kReadAlongX;
    float lineCoordinate_ = 0.0f;
    float segmentMaximum_ = 0.0f;
    float segmentMinimum_ = 0.0f;
};
