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

host::Error BarcodeArtScanner::Candidate(host::Art bar, Run& run) {
    host::RealRect bounds;
    if (const host::Error error = sAiArt->GetArtBounds(bar, &bounds)) {
        return error;
    }
    const bool alongX = lineOrientation_ == kReadAlongX;
    const float low = alongX ? bounds.left : bounds.bottom;
    const float high = alongX ? bounds.right : bounds.top;
    const float acrossLow = alongX ? bounds.bottom : bounds.left;
    const float acrossHigh = alongX ? bounds.top : bounds.right;
    if (segmentMinimum_ <= low && high <= segmentMaximum_ && acrossLow <= lineCoordinate_ &&
        lineCoordinate_ <= acrossHigh) {
        run.bars.push_back(bar);
    } else {
        EndRun(run);
    }
    return host::kNoError;
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
