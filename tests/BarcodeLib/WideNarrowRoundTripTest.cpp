#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "BarEdges.h"
#include "BarcodeFourCC.h"
#include "BarcodeProcessor2of5.h"
#include "BarcodeProcessor3of9.h"
#include "BarcodeProcessorIdentification.h"
#include "BarcodeProcessorMixIn_WideNarrowOption.h"
#include "Drawing.h"
#include "Symbols.h"

namespace StriveloTest {
namespace {

using Strivelo::BarcodeProcessor;
using Strivelo::BarcodeProcessor2of5;
using Strivelo::BarcodeProcessor3of9;
using Strivelo::kBarcodeType2of5;
using Strivelo::kBarcodeType3of9;
using Strivelo::kBarcodeTypeITF14;

struct Family {
    const char* name;
    SymbolSettings symbol;
    // ITF-14 comes before 2 of 5 in the registry and wins their tie.
    std::int32_t identifiedAs;
    // Whether a second symbology decodes the same edges.
    bool ambiguous;
    double smallestMagnification;
    double largestMagnification;
    double nominalModuleMm;
};

constexpr double kItfModule = BarcodeProcessor2of5::kModuleMm;
constexpr double kCode39Module = BarcodeProcessor3of9::kModuleMm;

const Family kFamilies[] = {
    {.name = "Interleaved",
     .symbol = {.type = kBarcodeType2of5, .code = "1234", .wideNarrowRatio = 2.5},
     .identifiedAs = kBarcodeType2of5,
     .ambiguous = false,
     .smallestMagnification = 0.625,
     .largestMagnification = 1.2,
     .nominalModuleMm = kItfModule},
    {.name = "InterleavedITF14Digits",
     .symbol = {.type = kBarcodeType2of5, .code = "12345678901231", .wideNarrowRatio = 2.5},
     .identifiedAs = kBarcodeTypeITF14,
     .ambiguous = true,
     .smallestMagnification = 0.625,
     .largestMagnification = 1.2,
     .nominalModuleMm = kItfModule},
    {.name = "InterleavedWrongCheck",
     .symbol = {.type = kBarcodeType2of5, .code = "12345678901232", .wideNarrowRatio = 3.0},
     .identifiedAs = kBarcodeType2of5,
     .ambiguous = false,
     .smallestMagnification = 0.625,
     .largestMagnification = 1.2,
     .nominalModuleMm = kItfModule},
    {.name = "ITF14",
     .symbol = {.type = kBarcodeTypeITF14, .code = "10012345000017", .wideNarrowRatio = 2.25},
     .identifiedAs = kBarcodeTypeITF14,
     .ambiguous = true,
     .smallestMagnification = 0.625,
     .largestMagnification = 1.2,
     .nominalModuleMm = kItfModule},
    {.name = "Code39",
     .symbol = {.type = kBarcodeType3of9, .code = "CODE39", .wideNarrowRatio = 2.5},
     .identifiedAs = kBarcodeType3of9,
     .ambiguous = false,
     .smallestMagnification = 0.625,
     .largestMagnification = 2.0,
     .nominalModuleMm = kCode39Module},
    {.name = "Code39AllSymbols",
     .symbol = {.type = kBarcodeType3of9, .code = "STRIVELO-39 $/+%.", .wideNarrowRatio = 3.0},
     .identifiedAs = kBarcodeType3of9,
     .ambiguous = false,
     .smallestMagnification = 0.625,
     .largestMagnification = 2.0,
     .nominalModuleMm = kCode39Module},
};

struct RoundTripCase {
    std::string name;
    Family family;
    double magnification;
    double reductionMm;
    bool backwards;
};

void PrintTo(const RoundTripCase& c, std::ostream* os) {
    *os << c.name;
}

// Magnifications smallest, 1 and largest; bar width reductions half the
// widening limit, none and half the narrowing limit (a quarter module each
// way); both reading directions.
std::vector<RoundTripCase> RoundTripCases() {
    std::vector<RoundTripCase> cases;
    for (const Family& family : kFamilies) {
        const double magnifications[] = {family.smallestMagnification, 1.0,
                                         family.largestMagnification};
        for (int m = 0; m < 3; ++m) {
            const double limit = 0.25 * family.nominalModuleMm * magnifications[m];
            const double reductions[] = {-limit / 2, 0.0, limit / 2};
            const char* const reductionNames[] = {"Widened", "Exact", "Narrowed"};
            for (int r = 0; r < 3; ++r) {
                for (const bool backwards : {false, true}) {
                    cases.push_back({std::string(family.name) + "M" + std::to_string(m) +
                                         reductionNames[r] + (backwards ? "Backwards" : "Forwards"),
                                     family, magnifications[m], reductions[r], backwards});
                }
            }
        }
    }
    return cases;
}

class RoundTripTest : public testing::TestWithParam<RoundTripCase> {
protected:
    StandardRegistry registry_;
};

TEST_P(RoundTripTest, IdentifiesTypeCodeAndParameters) {
    const RoundTripCase& c = GetParam();
    SymbolSettings symbol = c.family.symbol;
    symbol.magnification = c.magnification;
    symbol.reductionMm = c.reductionMm;
    const auto drawn = MakeSymbol(symbol);
    ASSERT_TRUE(drawn->ValidateParameters());
    EdgeOptions options;
    options.backwards = c.backwards;
    options.offsetMm = 250.0;
    const std::vector<double> edges = EdgesFromBars(Draw(*drawn).GetBars(), options);

    bool ambiguous = false;
    const std::unique_ptr<BarcodeProcessor> found = Strivelo::IdentifyFromEdges(
        edges.data(), static_cast<std::uint32_t>(edges.size()), &ambiguous);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->GetType(), c.family.identifiedAs);
    EXPECT_EQ(ambiguous, c.family.ambiguous);
    EXPECT_EQ(found->GetCode(), symbol.code);
    EXPECT_EQ(found->IsReadReversed(), c.backwards);
    EXPECT_NEAR(found->GetMagnification(), c.magnification, 1e-6);
    EXPECT_NEAR(found->GetBarWidthReduction(), c.reductionMm, 1e-6);
    EXPECT_NEAR(dynamic_cast<Strivelo::BarcodeProcessorMixIn_WideNarrowOption&>(*found)
                    .GetWideNarrowRatio(),
                *symbol.wideNarrowRatio, 1e-6);
    EXPECT_NEAR(found->GetMeanDeviation(), 0.0, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Cases, RoundTripTest, testing::ValuesIn(RoundTripCases()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace StriveloTest
