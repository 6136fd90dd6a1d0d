#include "BarcodeEdgeList.h"

#include <cmath>
#include <cstddef>
#include <new>

namespace Strivelo {

bool BarcodeEdgeList::Assign(const BarcodeEdgeView& view) {
    const std::uint32_t count = view.GetCount();
    if (count == 0 || count > kMaxEdgeCount) {
        return false;
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        if (!std::isfinite(view[i])) {
            return false;
        }
    }
    if (count != count_) {
        std::unique_ptr<double[]> fresh(new (std::nothrow) double[std::size_t{count} * 2]);
        if (fresh == nullptr) {
            return false;
        }
        values_ = std::move(fresh);
        count_ = count;
    }
    double* const measured = values_.get();
    double* const ideal = measured + count;
    for (std::uint32_t i = 0; i < count; ++i) {
        measured[i] = view[i];
        ideal[i] = measured[i];
    }
    readReversed_ = view.IsReadReversed();
    callerOrderReversed_ = view.IsCallerOrderReversed();
    return true;
}

// Reversals compose: reading a reversed reading reversed again is forwards.
void BarcodeEdgeList::ReferToCallerOf(const BarcodeEdgeList& source) {
    readReversed_ = readReversed_ != source.readReversed_;
    callerOrderReversed_ = callerOrderReversed_ != source.callerOrderReversed_;
}

double BarcodeEdgeList::MeasureBarWidthReduction(std::uint32_t first,
                                                 std::uint32_t edgeCount) const {
    if (edgeCount == 0) {
        return 0.0;
    }
    const double* const measured = GetMeasured();
    const double* const ideal = GetIdeal();
    const std::uint64_t end = std::uint64_t{first} + edgeCount;
    double sum = 0.0;
    for (std::uint64_t i = first; i + 1 < end && i + 1 < count_; i += 2) {
        sum += (measured[i] - ideal[i]) + (ideal[i + 1] - measured[i + 1]);
    }
    return sum / edgeCount * 2.0;
}

double BarcodeEdgeList::ComputeDeviation(double barWidthReductionMm, double* maximum) const {
    *maximum = 0.0;
    if (count_ == 0) {
        return 0.0;
    }
    const double* const measured = GetMeasured();
    const double* const ideal = GetIdeal();
    double sum = 0.0;
    for (std::uint32_t i = 0; i < count_; ++i) {
        const double reduction = i % 2 == 1 ? barWidthReductionMm : 0.0;
        const double deviation = std::fabs(measured[i] + reduction - ideal[i]);
        sum += deviation;
        if (deviation > *maximum) {
            *maximum = deviation;
        }
    }
    return sum / count_;
}

}  // namespace Strivelo
