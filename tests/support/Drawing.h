#pragma once

#include <cstddef>
#include <string>

#include "BarcodeProcessor.h"
#include "RecordingGenerator.h"
#include "SymbolSettings.h"

namespace StriveloTest {

// What one drawing sent, with what the processor answered and held after it.
struct Drawing : RecordingGenerator {
    bool generated = false;
    std::string codeAfter;
    double magnification = 1.0;
    double totalWidthMm = 0.0;

    // The bars as modules ('1' bar, '0' space) from the first bar's left edge
    // on, for a symbology of this module at magnification 1.
    std::string Modules(double nominalModuleMm) const;
};

// Draws processor into a fresh recording generator that refuses the
// failAtCall-th call (1-based; 0 refuses none).
Drawing Draw(Strivelo::BarcodeProcessor& processor, std::size_t failAtCall = 0);

// Draws the symbol, then a new one of the same settings for each of its calls
// with that call refused: every such drawing fails and ends at the refused
// call, keeps the code as it was set (a display form comes only with a
// complete drawing), and leaves the output flags as a complete drawing does
// (some families switch one off for good, others only while they draw).
void ExpectStopsAtEachRefusedCall(const SymbolSettings& symbol);

}  // namespace StriveloTest
