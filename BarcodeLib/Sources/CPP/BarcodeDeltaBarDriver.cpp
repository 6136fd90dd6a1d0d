#include "BarcodeDeltaBarDriver.h"

#include <algorithm>

namespace Strivelo {

BarcodeDeltaBarDriver::BarcodeDeltaBarDriver(const BarcodeProcessor& processor)
    : processor_(processor), initialBarWidthReductionMm_(processor.GetBarWidthReduction()) {}

BarcodeDeltaBarDriver::~BarcodeDeltaBarDriver() = default;

bool BarcodeDeltaBarDriver::SetBarWidthReduction(double mm) {
    targetBarWidthReductionMm_ = mm;
    return true;
}

// The ideal edges start where the measured first edge lies, that is half the
// printed reduction inside the nominal edge; the offset takes that back. A
// reversed reading runs against the caller's coordinates, so there a bar's
// normalised start is its upper edge and every move changes sign.
bool BarcodeDeltaBarDriver::Run() {
    std::uint32_t count = 0;
    const double* const measured = processor_.GetMeasuredEdges(&count);
    const double* const ideal = processor_.GetIdealEdges(&count);
    if (count == 0) {
        return true;
    }
    const double target = targetBarWidthReductionMm_;
    const double offset = measured[0] - initialBarWidthReductionMm_ / 2.0 - ideal[0];
    const bool reversed = processor_.IsReadReversed();
    bool applied = true;
    for (std::uint32_t i = 0; i + 1 < count; i += 2) {
        const double start = ideal[i] - measured[i] + offset + target / 2.0;
        const double end = ideal[i + 1] - measured[i + 1] + offset - target / 2.0;
        const std::uint32_t barEdge =
            std::min(processor_.ToCallerEdgeIndex(i), processor_.ToCallerEdgeIndex(i + 1));
        const bool done =
            reversed ? ApplyBarDelta(barEdge, -end, -start) : ApplyBarDelta(barEdge, start, end);
        applied = done && applied;
    }
    return applied;
}

}  // namespace Strivelo
