#pragma once

#include <cstddef>
#include <string>

#include "BarcodeProcessor.h"
#include "RecordingGenerator.h"

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

// Draws processor, then again with each of its calls refused in turn: every
// such drawing fails and ends at the refused call, and the processor's output
// flags stay as they were.
void ExpectStopsAtEachRefusedCall(Strivelo::BarcodeProcessor& processor);

}  // namespace StriveloTest
