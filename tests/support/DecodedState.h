#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "BarcodeProcessor.h"

namespace StriveloTest {

// Everything a decoding stores in a processor, to show that a failed one
// changed nothing.
struct DecodedState {
    std::string code;
    double magnification = 0.0;
    double reductionMm = 0.0;
    double meanDeviationMm = 0.0;
    double totalWidthMm = 0.0;
    // 0 for a symbology without the wide/narrow option.
    double ratio = 0.0;
    std::vector<double> measured;
    std::vector<double> ideal;
    std::int32_t heightBarEdge = -1;
    std::int32_t firstSymbolEdge = -1;
    std::int32_t lastSymbolEdge = -1;
    bool reversed = false;

    static DecodedState Of(const Strivelo::BarcodeProcessor& processor);
    bool operator==(const DecodedState&) const = default;
};

void PrintTo(const DecodedState& state, std::ostream* os);

// The processor's stored edges; empty while it holds none.
std::vector<double> MeasuredEdges(const Strivelo::BarcodeProcessor& processor);
std::vector<double> IdealEdges(const Strivelo::BarcodeProcessor& processor);

}  // namespace StriveloTest
