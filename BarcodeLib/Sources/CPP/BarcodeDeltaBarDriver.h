#pragma once

#include <cstdint>

#include "BarcodeProcessor.h"

namespace Strivelo {

// Turns a decoded barcode into per-bar moves that make every bar its ideal
// bar narrowed by a target bar width reduction, keeping the symbol in place.
// The moves are handed over in the terms of the edge list the processor
// decoded, also when it read the symbol reversed.
class BarcodeDeltaBarDriver {
public:
    // The processor must outlive the driver and not decode again meanwhile.
    explicit BarcodeDeltaBarDriver(const BarcodeProcessor& processor);
    virtual ~BarcodeDeltaBarDriver();

    // Moves the bar whose edges are barEdgeIndex and barEdgeIndex + 1 in the
    // caller's list: its edge with the smaller coordinate by leftDeltaMm, the
    // other by rightDeltaMm, positive towards larger coordinates.
    virtual bool ApplyBarDelta(std::uint32_t barEdgeIndex, double leftDeltaMm,
                               double rightDeltaMm) = 0;

    bool SetBarWidthReduction(double mm);
    // Hands every bar to ApplyBarDelta; false when any refused. True without
    // stored edges.
    bool Run();

private:
    const BarcodeProcessor& processor_;
    double targetBarWidthReductionMm_ = 0.0;
    double initialBarWidthReductionMm_;
};

}  // namespace Strivelo
