#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "BarcodeProcessor.h"
#include "BarcodeProcessor2of5.h"
#include "BarcodeProcessor3of9.h"
#include "CaseName.h"
#include "CodeCase.h"
#include "ParameterCase.h"
#include "SymbolSettings.h"

// Case tables shared by Interleaved 2 of 5, ITF-14 and Code 39: each family's
// test file holds its rows and instantiates the tests of WideNarrowCasesTest.
namespace StriveloTest {

// The module at 100 % of the type.
inline double NominalModule(std::int32_t type) {
    return type == Strivelo::kBarcodeType3of9 ? Strivelo::BarcodeProcessor3of9::kModuleMm
                                              : Strivelo::BarcodeProcessor2of5::kModuleMm;
}

// Moves every edge from edges[element] on, which widens element `element`
// (from edge element - 1 to edge element) and nothing else.
inline void WidenElement(std::vector<double>& edges, std::size_t element, double byMm) {
    for (std::size_t i = element; i < edges.size(); ++i) {
        edges[i] += byMm;
    }
}

struct WidthCase {
    const char* name;
    SymbolSettings symbol;
    double totalWidthMm;
    // Top of the bars when no height is given.
    double defaultHeightMm;
};

// The symbol with the bar height given.
inline SymbolSettings WithBarHeight(SymbolSettings symbol, double barHeightMm) {
    symbol.barHeightMm = barHeightMm;
    return symbol;
}

struct Box {
    double left;
    double right;
    double bottom;
    double top;
};

// A symbol drawn with its options; the expected frame, bearer bars, text and
// bar top.
struct LayoutCase {
    const char* name = "";
    SymbolSettings symbol;
    std::optional<Box> frameBox;
    std::vector<Box> bearers;
    double barTop = 0.0;
    std::string textLine;
    std::vector<double> textX;
    double textY = 0.0;
    double textSize = 0.0;
};

// The bars of a symbol as left and right edges.
struct BarsCase {
    const char* name;
    SymbolSettings symbol;
    std::vector<std::vector<double>> bars;
};

// Every call of a symbol drawn with every option is refused once.
struct GenerateFailureCase {
    const char* name;
    SymbolSettings symbol;
    std::size_t calls;
};

struct KnownModulesCase {
    const char* name;
    std::int32_t type;
    std::string modules;
    double moduleMm;
    const char* code;
    double ratio;
};

// A processor that decoded `decoded` read backwards fails on `edges`.
struct FailingEdgesCase {
    const char* name;
    SymbolSettings decoded;
    std::vector<double> edges;
    // Whether the edges are turned away before anything is allocated.
    bool cheap;
};

struct FitCase {
    const char* name;
    std::int32_t type;
    // Device units per module at 100 %.
    double unitsPerModule;
    double magnification;
    double ratio;
    bool fitted;
    double fittedMagnification;
    double fittedRatio;
};

inline void PrintTo(const LayoutCase& c, std::ostream* os) {
    *os << c.name;
}
inline void PrintTo(const FailingEdgesCase& c, std::ostream* os) {
    *os << c.name;
}
inline void PrintTo(const KnownModulesCase& c, std::ostream* os) {
    *os << c.name;
}
inline void PrintTo(const BarsCase& c, std::ostream* os) {
    *os << c.name;
}

class WideNarrowWidthTest : public testing::TestWithParam<WidthCase> {};
class WideNarrowLayoutTest : public testing::TestWithParam<LayoutCase> {};
class WideNarrowBarsTest : public testing::TestWithParam<BarsCase> {};
class WideNarrowGenerateFailureTest : public testing::TestWithParam<GenerateFailureCase> {};
class WideNarrowKnownModulesTest : public testing::TestWithParam<KnownModulesCase> {};
class WideNarrowDecodeFailureTest : public testing::TestWithParam<FailingEdgesCase> {};
class WideNarrowFitTest : public testing::TestWithParam<FitCase> {};

}  // namespace StriveloTest
