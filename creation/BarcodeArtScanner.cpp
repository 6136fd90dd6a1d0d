#include "BarcodeArtScanner.h"

#include <algorithm>

#include "M7LSuiteTable.h"

host::Error BarcodeArtScanner::Collect(host::RealPoint from, host::RealPoint to) {
    bars_.clear();
    const bool horizontal = from.v == to.v;
    const bool vertical = from.h == to.h;
    if (horizontal == vertical) {
        return kErrorNotAxisLine;
    }
    lineOrientation_ = horizontal ? kReadAlongX : kReadAlongY;
    lineCoordinate_ = horizontal ? from.v : from.h;
    segmentMinimum_ = horizontal ? std::min(from.h, to.h) : std::min(from.v, to.v);
    segmentMaximum_ = horizontal ? std::max(from.h, to.h) : std::max(from.v, to.v);
    return WalkVisibleLayers();
}

BarcodeArtScanner::LineExtent BarcodeArtScanner::ExtentAlongLine(
    const host::RealRect& bounds) const {
    if (lineOrientation_ == kReadAlongX) {
        return {bounds.left, bounds.right, bounds.bottom, bounds.top};
    }
    return {bounds.bottom, bounds.top, bounds.left, bounds.right};
}

host::Error BarcodeArtScanner::Candidate(host::Art bar, Run& run) {
    host::RealRect bounds;
    if (const host::Error error = sAiArt->GetArtBounds(bar, &bounds)) {
        return error;
    }
    const LineExtent e = ExtentAlongLine(bounds);
    if (segmentMinimum_ <= e.low && e.high <= segmentMaximum_ && e.acrossLow <= lineCoordinate_ &&
        lineCoordinate_ <= e.acrossHigh) {
        run.bars.push_back(bar);
    } else {
        EndRun(run);
    }
    return host::kNoError;
}

bool BarcodeArtScanner::MayHoldBars(host::Art group) {
    host::RealRect bounds;
    if (sAiArt->GetArtBounds(group, &bounds) != host::kNoError) {
        // An empty group, or the host cannot tell: its walk decides.
        return true;
    }
    const LineExtent e = ExtentAlongLine(bounds);
    return e.high >= segmentMinimum_ && e.low <= segmentMaximum_ &&
           e.acrossLow <= lineCoordinate_ && lineCoordinate_ <= e.acrossHigh;
}

void BarcodeArtScanner::RunEnded(Run& run) {
    if (run.bars.size() >= 2 && run.bars.size() > bars_.size()) {
        bars_ = run.bars;
    }
}

std::uint32_t BarcodeArtScanner::GetEdges(double* edges, double* heights,
                                          std::uint32_t maxEdges) const {
    if (bars_.size() < 2) {
        return 0;
    }
    SortedBarEdges sorted(edges, heights, nullptr, maxEdges);
    for (std::size_t j = 0; j < bars_.size(); ++j) {
        host::RealRect bounds;
        if (sAiArt->GetArtBounds(bars_[j], &bounds) != host::kNoError) {
            return 0;
        }
        const BarExtent extent = ExtentOf(bounds, lineOrientation_);
        if (j < 2 && extent.high - extent.low > kMaxLeadingBarWidthMm) {
            continue;
        }
        if (!sorted.Insert(extent, static_cast<std::int32_t>(j))) {
            return 0;
        }
    }
    return sorted.GetCount();
}

host::Error BarcodeArtScanner::SelectBars() const {
    return SelectBarArt(bars_);
}
