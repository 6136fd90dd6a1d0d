#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "BarcodeDeltaBarDriver.h"
#include "BarcodeProcessor.h"

namespace StriveloTest {

// One bar move handed to the delta-bar driver.
struct BarMove {
    std::uint32_t barEdgeIndex;
    double leftDeltaMm;
    double rightDeltaMm;
};

// Records the bar moves of every run; can refuse them.
class RecordingDeltaBarDriver : public Strivelo::BarcodeDeltaBarDriver {
public:
    explicit RecordingDeltaBarDriver(const Strivelo::BarcodeProcessor& processor);

    // Refuses the firstRefused-th move recorded (1-based) and every later one.
    void RefuseMoves(std::size_t firstRefused = 1) { firstRefused_ = firstRefused; }
    const std::vector<BarMove>& GetMoves() const { return moves_; }
    // The target bar width reduction that the first bar's move implies, for
    // a barcode read forwards.
    double ImpliedTarget() const;

    bool ApplyBarDelta(std::uint32_t barEdgeIndex, double leftDeltaMm,
                       double rightDeltaMm) override;

private:
    double initialReductionMm_;
    std::size_t firstRefused_ = 0;
    std::vector<BarMove> moves_;
};

}  // namespace StriveloTest
