#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "BarcodeProcessor.h"
#include "DecodedState.h"
#include "RecordingGenerator.h"

namespace StriveloTest {

// How one symbol of Interleaved 2 of 5, ITF-14 or Code 39 is set up.
struct WideNarrowSymbol {
    std::int32_t type;
    std::string code;
    double ratio = 2.5;
    double magnification = 1.0;
    double reductionMm = 0.0;
};

// The module at 100 % of the type.
double NominalModule(std::int32_t type);

// A new processor of the type that counts its BeginDecode calls, which come
// with the first allocation of a decoding.
std::unique_ptr<Strivelo::BarcodeProcessor> MakeProcessor(std::int32_t type);
int BeginDecodeCalls(const Strivelo::BarcodeProcessor& processor);

// A new processor with the symbol's code and parameters; the current test
// fails when the code or ratio is refused.
std::unique_ptr<Strivelo::BarcodeProcessor> MakeWideNarrow(const WideNarrowSymbol& symbol);

// Generates into a fresh recording generator; the current test fails when
// Generate does.
RecordingGenerator DrawSymbol(Strivelo::BarcodeProcessor& processor);
std::vector<RecordedBar> DrawBars(const WideNarrowSymbol& symbol);

// The bars of a module string ('1' bar, '0' space) from x = 0.
std::vector<RecordedBar> BarsFromModules(std::string_view modules, double moduleMm);

// Moves every edge from edges[element] on, which widens element `element`
// (from edge element - 1 to edge element) and nothing else.
void WidenElement(std::vector<double>& edges, std::size_t element, double byMm);

}  // namespace StriveloTest
