#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "BarcodeEdgeView.h"

namespace Strivelo {

// The measured edges of one decoding (normalised, increasing from 0) and the
// ideal edges fitted to them, same index = same edge, even indices bar
// starts. It also keeps how its order and direction relate to the caller's
// list, so that indices and moves can be handed back in the caller's terms.
class BarcodeEdgeList {
public:
    // Copies the view; the ideal edges start as the measured ones. False for
    // an empty view, one of more than kMaxEdgeCount values, a value that is
    // not finite or missing memory, and then the list is unchanged.
    bool Assign(const BarcodeEdgeView& view);
    // Takes source's measured and ideal edges and directions; false, and the
    // list unchanged, for an empty source or missing memory.
    bool CopyFrom(const BarcodeEdgeList& source);

    // For a list read from source's measured edges: relates it to source's
    // caller instead of to source.
    void ReferToCallerOf(const BarcodeEdgeList& source);

    std::uint32_t GetCount() const { return count_; }
    // Null while the list is empty.
    const double* GetMeasured() const { return values_.get(); }
    const double* GetIdeal() const { return count_ == 0 ? nullptr : values_.get() + count_; }
    double* GetIdeal() { return count_ == 0 ? nullptr : values_.get() + count_; }

    // The symbol was read against the direction of the caller's coordinates.
    bool IsReadReversed() const { return readReversed_; }
    std::uint32_t ToCallerIndex(std::uint32_t index) const {
        return callerOrderReversed_ ? count_ - 1 - index : index;
    }

    // Mean of ideal minus measured width over the bars starting at first + 2k
    // within edgeCount edges: (sum / edgeCount) x 2; 0 for no edges.
    double MeasureBarWidthReduction(std::uint32_t first, std::uint32_t edgeCount) const;
    // Moves and stretches the ideal edges from first on within edgeCount
    // edges to where they fit the measured ones best (least squares), the bar
    // ends measured a common reduction inside; gives the stretch. False, and
    // nothing moved, when they do not spread enough to tell stretch from
    // reduction.
    bool FitIdealEdges(std::uint32_t first, std::uint32_t edgeCount, double* scale);
    // The ideal edges of a symbol of wide and narrow elements, letters[j]
    // 'W' for a wide element j (from edge j to edge j + 1), placed, with
    // module and ratio, where they fit the measured edges best (least
    // squares), the bar ends measured a common reduction inside. False, and
    // the ideal edges not to be used, when the letters do not tell module
    // from ratio.
    bool FitWideNarrowEdges(const char* letters, double* moduleMm, double* ratio);
    // Mean over all edges of |measured + (bar end ? reduction : 0) - ideal|;
    // the largest term goes to maximum (0 for an empty list).
    double ComputeDeviation(double barWidthReductionMm, double* maximum) const;

private:
    template <std::size_t Bases, typename Basis>
    bool FitMeasured(std::uint64_t first, std::uint64_t end, const Basis& basis,
                     std::array<double, Bases>* weights, double* offset) const;

    // Measured edges, then the ideal ones: allocated and freed together.
    std::unique_ptr<double[]> values_;
    std::uint32_t count_ = 0;
    bool readReversed_ = false;
    bool callerOrderReversed_ = false;
};

}  // namespace Strivelo
