#include "RecordingDeltaBarDriver.h"

namespace StriveloTest {

RecordingDeltaBarDriver::RecordingDeltaBarDriver(const Strivelo::BarcodeProcessor& processor)
    : BarcodeDeltaBarDriver(processor), initialReductionMm_(processor.GetBarWidthReduction()) {}

double RecordingDeltaBarDriver::ImpliedTarget() const {
    return moves_.empty() ? -1.0 : 2.0 * moves_.front().leftDeltaMm + initialReductionMm_;
}

bool RecordingDeltaBarDriver::ApplyBarDelta(std::uint32_t barEdgeIndex, double leftDeltaMm,
                                            double rightDeltaMm) {
    moves_.push_back({barEdgeIndex, leftDeltaMm, rightDeltaMm});
    return firstRefused_ == 0 || moves_.size() < firstRefused_;
}

}  // namespace StriveloTest
