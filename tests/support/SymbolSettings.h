#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "BarcodeProcessor.h"

namespace StriveloTest {

// A symbol as a test sets it up: the type and code MakeSymbol makes it with,
// and every parameter and option it can be drawn with. A setting left unset
// keeps the processor's own value; one the processor has no mix-in for is
// left out.
struct SymbolSettings {
    std::int32_t type = 0;
    std::string code = {};
    std::optional<double> magnification = std::nullopt;
    std::optional<double> reductionMm = std::nullopt;
    std::optional<double> barHeightMm = std::nullopt;
    std::optional<double> wideNarrowRatio = std::nullopt;
    std::optional<double> fontScaling = std::nullopt;
    std::optional<bool> centerAlign = std::nullopt;
    std::optional<bool> bearerBars = std::nullopt;
    std::optional<bool> bearerBarEndBars = std::nullopt;
    std::optional<bool> humanReadable = std::nullopt;
    std::optional<bool> frame = std::nullopt;
    std::optional<bool> quietZoneMarks = std::nullopt;
    std::optional<bool> scaleHeightWithWidth = std::nullopt;
    // ISBN-EAN's second number line.
    std::optional<bool> dualNumbering = std::nullopt;
};

// Sets the parameters and options (not the type and code) on processor;
// false when one is refused.
bool ApplySettings(Strivelo::BarcodeProcessor& processor, const SymbolSettings& settings);

}  // namespace StriveloTest
