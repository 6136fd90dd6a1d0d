#include "GlobalActionBarcodeDeltaBarDriver.h"

#include <algorithm>
#include <cmath>

#include "BarArtWalk.h"
#include "BarPaint.h"
#include "M7LSuiteTable.h"
#include "host/HostPolicies.h"

namespace {

constexpr std::int32_t kLineSegments = 2;
constexpr std::int32_t kMinRectangleSegments = 3;

bool InDeadBand(double deltaMm) {
    return std::fabs(deltaMm) < GlobalActionBarcodeDeltaBarDriver::kDeadBandMillimetres;
}

}  // namespace

GlobalActionBarcodeDeltaBarDriver::GlobalActionBarcodeDeltaBarDriver(
    const Strivelo::BarcodeProcessor& processor, const BarcodeArtList& list, std::size_t barcode,
    const std::int32_t* barIndices)
    : BarcodeDeltaBarDriver(processor),
      processor_(processor),
      list_(list),
      barcode_(barcode),
      barIndices_(barIndices),
      orientation_(list.GetOrientation(barcode)) {}

// The base's run hands over one bar at a time. At the first bar of a run the
// whole run is made once more as a check, so that a barcode whose bars
// cannot all move is left as it is instead of half moved.
bool GlobalActionBarcodeDeltaBarDriver::ApplyBarDelta(std::uint32_t barEdgeIndex,
                                                      double leftDeltaMm, double rightDeltaMm) {
    if (checking_) {
        return MoveBar(barEdgeIndex, leftDeltaMm, rightDeltaMm, false);
    }
    if (barsToCome_ == 0) {
        std::uint32_t edgeCount = 0;
        processor_.GetMeasuredEdges(&edgeCount);
        checking_ = true;
        checkedExtents_.clear();
        everyBarFits_ = Run() && CheckedBarsApart();
        checking_ = false;
        barsToCome_ = edgeCount / 2;
    }
    --barsToCome_;
    return everyBarFits_ && MoveBar(barEdgeIndex, leftDeltaMm, rightDeltaMm, true);
}

bool GlobalActionBarcodeDeltaBarDriver::MoveBar(std::uint32_t barEdgeIndex, double leftDeltaMm,
                                                double rightDeltaMm, bool move) {
    // A bar that stays is still checked, for the space its neighbours keep.
    if (InDeadBand(leftDeltaMm) && InDeadBand(rightDeltaMm)) {
        if (move) {
            return true;
        }
        leftDeltaMm = 0.0;
        rightDeltaMm = 0.0;
    }
    BarPath bar;
    if (ReadBar(barEdgeIndex, &bar) != host::kNoError) {
        return false;
    }
    if (bar.segmentCount == kLineSegments) {
        return MoveLine(bar, leftDeltaMm, rightDeltaMm, move);
    }
    if (bar.segmentCount >= kMinRectangleSegments) {
        return MoveRectangle(bar, leftDeltaMm, rightDeltaMm, move);
    }
    return false;
}

host::Error GlobalActionBarcodeDeltaBarDriver::ReadBar(std::uint32_t barEdgeIndex,
                                                       BarPath* bar) const {
    const host::Art art = list_.GetBar(barcode_, barIndices_[barEdgeIndex / 2]);
    if (!art) {
        return kErrorNoSuchBarcode;
    }
    bar->path = GetBarPathArt(art);
    if (const host::Error error = sAiPath->GetPathSegmentCount(bar->path, &bar->segmentCount)) {
        return error;
    }
    if (bar->segmentCount > kMaxBarSegments) {
        return host::kErrorTooManySegments;
    }
    return sAiPath->GetPathSegments(bar->path, 0, bar->segmentCount, bar->segments);
}

float& GlobalActionBarcodeDeltaBarDriver::Along(host::RealPoint& point) const {
    return orientation_ == kReadAlongX ? point.h : point.v;
}

// A stroked line: its stroke widens by the difference of the moves and its
// centre follows their mean. A line of a compound path takes the compound
// path's paint with it when it leaves it for a stroke width of its own.
bool GlobalActionBarcodeDeltaBarDriver::MoveLine(BarPath& bar, double leftDeltaMm,
                                                 double rightDeltaMm, bool move) {
    host::Art painting;
    host::PathStyle style{};
    if (GetPaintingArt(bar.path, &painting) != host::kNoError ||
        sAiPathStyle->GetPathStyle(painting, &style) != host::kNoError) {
        return false;
    }
    const double width = style.stroke.width + (rightDeltaMm - leftDeltaMm) * kPointsPerMillimetre;
    if (style.strokePaint && !(width > 0.0)) {
        return false;
    }
    const auto shift = static_cast<float>((leftDeltaMm + rightDeltaMm) * kHalfPointsPerMillimetre);
    if (!move) {
        const float centre = Along(bar.segments[0].anchor) + shift;
        const auto halfWidth = static_cast<float>(style.strokePaint ? width / 2.0 : 0.0);
        checkedExtents_.emplace_back(centre - halfWidth, centre + halfWidth);
        return true;
    }
    if (painting != bar.path && LeaveCompoundPath(bar.path, painting) != host::kNoError) {
        return false;
    }
    if (style.strokePaint) {
        style.stroke.width = static_cast<float>(width);
        if (sAiPathStyle->SetPathStyle(bar.path, &style) != host::kNoError) {
            return false;
        }
    }
    for (std::int32_t i = 0; i < bar.segmentCount; ++i) {
        host::PathSegment& segment = bar.segments[i];
        Along(segment.anchor) += shift;
        Along(segment.in) += shift;
        Along(segment.out) += shift;
    }
    if (sAiPath->SetPathSegments(bar.path, 0, bar.segmentCount, bar.segments) != host::kNoError) {
        return false;
    }
    changed_ = true;
    return true;
}

// The line goes to just above its compound path; a compound path left
// empty goes, since it would part the bars of the barcode.
host::Error GlobalActionBarcodeDeltaBarDriver::LeaveCompoundPath(host::Art line,
                                                                 host::Art compound) {
    if (const host::Error error = sAiArt->ReorderArt(line, host::PaintOrder::kAbove, compound)) {
        return error;
    }
    host::Art rest;
    if (const host::Error error = sAiArt->GetArtFirstChild(compound, &rest)) {
        return error;
    }
    return rest ? host::kNoError : sAiArt->DisposeArt(compound);
}

// A rectangle: the points on its low side along the reading direction move
// by the left delta, the others by the right delta.
bool GlobalActionBarcodeDeltaBarDriver::MoveRectangle(BarPath& bar, double leftDeltaMm,
                                                      double rightDeltaMm, bool move) {
    float low = Along(bar.segments[0].anchor);
    float high = low;
    for (std::int32_t i = 1; i < bar.segmentCount; ++i) {
        low = std::min(low, Along(bar.segments[i].anchor));
        high = std::max(high, Along(bar.segments[i].anchor));
    }
    const auto lowShift = static_cast<float>(leftDeltaMm * kPointsPerMillimetre);
    const auto highShift = static_cast<float>(rightDeltaMm * kPointsPerMillimetre);
    if (!((high + highShift) - (low + lowShift) > 0.0f)) {
        return false;
    }
    if (!move) {
        checkedExtents_.emplace_back(low + lowShift, high + highShift);
        return true;
    }
    host::PathSegment moved[kMaxBarSegments];
    for (std::int32_t i = 0; i < bar.segmentCount; ++i) {
        moved[i] = bar.segments[i];
        const float shift = Along(moved[i].anchor) == low ? lowShift : highShift;
        Along(moved[i].anchor) += shift;
        Along(moved[i].in) += shift;
        Along(moved[i].out) += shift;
    }
    host::PathSegment written[kMaxBarSegments];
    if (sAiPath->SetPathSegments(bar.path, 0, bar.segmentCount, moved) != host::kNoError ||
        sAiPath->GetPathSegments(bar.path, 0, bar.segmentCount, written) != host::kNoError) {
        return false;
    }
    changed_ = changed_ || !std::equal(written, written + bar.segmentCount, bar.segments);
    return true;
}

bool GlobalActionBarcodeDeltaBarDriver::CheckedBarsApart() {
    std::sort(checkedExtents_.begin(), checkedExtents_.end());
    return std::adjacent_find(checkedExtents_.begin(), checkedExtents_.end(),
                              [](const auto& bar, const auto& next) {
                                  return !(bar.second < next.first);
                              }) == checkedExtents_.end();
}
