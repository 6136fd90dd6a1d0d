#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "RecordingGenerator.h"
#include "ZXingOracle.h"

namespace StriveloTest {

// How recorded bars are turned into a measured edge list.
struct EdgeOptions {
    // The reading line runs from the symbol's right end: each edge is
    // offsetMm - x, listed in reading order (still ascending).
    bool backwards = false;
    // Every bar printed this much narrower, half on each side.
    double extraReductionMm = 0.0;
    double offsetMm = 0.0;
    // Each edge moves by a deterministic amount of at most this.
    double noiseMm = 0.0;
    std::uint32_t noiseSeed = 1;
};

// Two edges per bar, bars taken from left to right.
std::vector<double> EdgesFromBars(std::vector<RecordedBar> bars, const EdgeOptions& options = {});

// The bars of a module string ('1' bar, '0' space) from x = 0, 10 mm high.
std::vector<RecordedBar> BarsFromModules(std::string_view modules, double moduleWidthMm);

// The bars from the first bar's left edge on as modules: '1' bar, '0' space.
// Edges are rounded to whole modules from that first edge, so a bar width
// reduction below half a module does not change the result.
std::string ModuleString(std::vector<RecordedBar> bars, double moduleWidthMm);

// The bars' module string as a grey image for the external decoders, with
// quietZoneModules of white on either side.
oracles::GreyImage RenderBars(const std::vector<RecordedBar>& bars, double moduleWidthMm,
                              int pixelsPerModule, int quietZoneModules, int heightPixels);

}  // namespace StriveloTest
