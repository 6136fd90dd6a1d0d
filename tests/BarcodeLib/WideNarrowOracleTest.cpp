#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "BarEdges.h"
#include "BarcodeProcessor2of5.h"
#include "BarcodeProcessor3of9.h"
#include "Drawing.h"
#include "Symbols.h"
#include "WideNarrowCases.h"
#include "ZXingOracle.h"
#include "ZintOracle.h"

namespace StriveloTest {
namespace {

using Strivelo::BarcodeProcessor2of5;
using Strivelo::BarcodeProcessor3of9;
using Strivelo::kBarcodeType2of5;
using Strivelo::kBarcodeType3of9;
using Strivelo::kBarcodeTypeITF14;

// The digit pairs first to last, each pair once.
std::string PairRun(int first, int last) {
    std::string digits;
    for (int pair = first; pair <= last; ++pair) {
        digits += static_cast<char>('0' + pair / 10 % 10);
        digits += static_cast<char>('0' + pair % 10);
    }
    return digits;
}

// zint draws wide elements 3 modules wide in Interleaved 2 of 5 and ITF-14
// and 2 in Code 39, so we draw at that ratio and compare module for module.
// zint's dump holds the bars only: no quiet zones and no bearer bars, which
// it draws (--box, --bind) only into images, and which we send apart from
// the bars.
struct ZintCase {
    const char* name;
    SymbolSettings symbol;
    const char* zintType;
    std::string zintData;
    std::vector<std::string> zintOptions;
    bool bearerBox = false;
};

void PrintTo(const ZintCase& c, std::ostream* os) {
    *os << c.name;
}

const ZintCase kZintCases[] = {
    {"Interleaved1234",
     SymbolSettings{.type = kBarcodeType2of5, .code = "1234", .wideNarrowRatio = 3.0},
     "C25INTER",
     "1234",
     {}},
    {"InterleavedPairs00To39",
     SymbolSettings{.type = kBarcodeType2of5, .code = PairRun(0, 39), .wideNarrowRatio = 3.0},
     "C25INTER",
     PairRun(0, 39),
     {}},
    {"InterleavedPairs40To79",
     SymbolSettings{.type = kBarcodeType2of5, .code = PairRun(40, 79), .wideNarrowRatio = 3.0},
     "C25INTER",
     PairRun(40, 79),
     {}},
    {"InterleavedPairs80To99",
     SymbolSettings{.type = kBarcodeType2of5, .code = PairRun(80, 99), .wideNarrowRatio = 3.0},
     "C25INTER",
     PairRun(80, 99),
     {}},
    // Ours adds no check digit: the user types it (GS1 mod 10 of 1234 is 8),
    // and the leading zero zint adds to make the length even.
    {"InterleavedWithZintCheckDigit",
     SymbolSettings{.type = kBarcodeType2of5, .code = "012348", .wideNarrowRatio = 3.0},
     "C25INTER",
     "1234",
     {"--vers=1"}},
    // zint pads an odd length with a leading zero; ours refuses "123" (see
    // OddLengthAndLowerCase) and draws "0123" the same.
    {"InterleavedOddLengthPadded",
     SymbolSettings{.type = kBarcodeType2of5, .code = "0123", .wideNarrowRatio = 3.0},
     "C25INTER",
     "123",
     {}},
    {"InterleavedBearerBox",
     SymbolSettings{
         .type = kBarcodeType2of5, .code = "1234", .magnification = 0.8, .wideNarrowRatio = 3.0},
     "C25INTER",
     "1234",
     {"--box"},
     true},
    // zint takes the 13 data digits and adds the check digit itself.
    {"ITF14",
     SymbolSettings{.type = kBarcodeTypeITF14, .code = "12345678901231", .wideNarrowRatio = 3.0},
     "ITF14",
     "1234567890123",
     {}},
    {"ITF14BoxReducedAndLarge",
     SymbolSettings{.type = kBarcodeTypeITF14,
                    .code = "10012345000017",
                    .magnification = 1.2,
                    .reductionMm = 0.2,
                    .wideNarrowRatio = 3.0},
     "ITF14",
     "1001234500001",
     {"--box"},
     true},
    {"Code39Letters",
     SymbolSettings{
         .type = kBarcodeType3of9, .code = "CODE39", .magnification = 2.0, .wideNarrowRatio = 2.0},
     "CODE39",
     "CODE39",
     {}},
    {"Code39Digits",
     SymbolSettings{.type = kBarcodeType3of9,
                    .code = "0123456789",
                    .magnification = 2.0,
                    .wideNarrowRatio = 2.0},
     "CODE39",
     "0123456789",
     {}},
    {"Code39Alphabet",
     SymbolSettings{.type = kBarcodeType3of9,
                    .code = "ABCDEFGHIJKLMNOPQRSTUVWXYZ",
                    .magnification = 2.0,
                    .wideNarrowRatio = 2.0},
     "CODE39",
     "ABCDEFGHIJKLMNOPQRSTUVWXYZ",
     {}},
    {"Code39Symbols",
     SymbolSettings{
         .type = kBarcodeType3of9, .code = "-. $/+%", .magnification = 2.0, .wideNarrowRatio = 2.0},
     "CODE39",
     "-. $/+%",
     {}},
    // Ours adds no check character: mod 43 of "CODE39" is 75 mod 43 = 32, "W".
    {"Code39WithZintCheckCharacter",
     SymbolSettings{
         .type = kBarcodeType3of9, .code = "CODE39W", .magnification = 2.0, .wideNarrowRatio = 2.0},
     "CODE39",
     "CODE39",
     {"--vers=1"}},
    {"Code39BearerBox",
     SymbolSettings{.type = kBarcodeType3of9,
                    .code = "A1",
                    .magnification = 1.7,
                    .reductionMm = -0.1,
                    .wideNarrowRatio = 2.0},
     "CODE39",
     "A1",
     {"--box"},
     true},
};

class ZintTest : public testing::TestWithParam<ZintCase> {};

TEST_P(ZintTest, BarsEqualZintsModules) {
    const ZintCase& c = GetParam();
    const oracles::ZintSymbol zint = oracles::ZintModules(c.zintType, c.zintData, c.zintOptions);
    ASSERT_EQ(zint.error, "");
    SymbolSettings symbol = c.symbol;
    symbol.bearerBars = c.bearerBox;
    symbol.bearerBarEndBars = c.bearerBox;
    const Drawing drawing = Draw(*MakeSymbol(symbol));
    ASSERT_TRUE(drawing.generated);
    EXPECT_EQ(drawing.Modules(NominalModule(c.symbol.type)), zint.FirstRow());
}

INSTANTIATE_TEST_SUITE_P(Cases, ZintTest, testing::ValuesIn(kZintCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Where zint repairs a text, ours refuses it, since the bars would carry
// something other than what was typed.
TEST(ZintDifferenceTest, OddLengthAndLowerCase) {
    EXPECT_EQ(oracles::ZintModules("C25INTER", "123").FirstRow(),
              oracles::ZintModules("C25INTER", "0123").FirstRow());
    EXPECT_FALSE(BarcodeProcessor2of5().IsCodeValid("123"));
    EXPECT_EQ(oracles::ZintModules("CODE39", "code39").FirstRow(),
              oracles::ZintModules("CODE39", "CODE39").FirstRow());
    EXPECT_FALSE(BarcodeProcessor3of9().IsCodeValid("code39"));
}

// Drawn at our own ratios; rendered in units of a fraction of the module so
// that every element is a whole number of pixels.
struct ZXingCase {
    const char* name;
    SymbolSettings symbol;
    int unitsPerModule;
    const char* format;
    std::string text;
};

void PrintTo(const ZXingCase& c, std::ostream* os) {
    *os << c.name;
}

const ZXingCase kZXingCases[] = {
    {"InterleavedSix",
     SymbolSettings{.type = kBarcodeType2of5, .code = "123456", .wideNarrowRatio = 2.5}, 2, "ITF",
     "123456"},
    {"InterleavedRatioTwo",
     SymbolSettings{.type = kBarcodeType2of5,
                    .code = "90817263",
                    .magnification = 1.2,
                    .wideNarrowRatio = 2.0},
     1, "ITF", "90817263"},
    {"InterleavedLong",
     SymbolSettings{.type = kBarcodeType2of5,
                    .code = PairRun(0, 39),
                    .magnification = 0.625,
                    .wideNarrowRatio = 3.0},
     1, "ITF", PairRun(0, 39)},
    {"ITF14",
     SymbolSettings{.type = kBarcodeTypeITF14,
                    .code = "12345678901231",
                    .magnification = 0.625,
                    .wideNarrowRatio = 2.25},
     4, "ITF", "12345678901231"},
    {"ITF14Default", SymbolSettings{.type = kBarcodeTypeITF14, .code = "10012345000017"}, 2, "ITF",
     "10012345000017"},
    {"Code39", SymbolSettings{.type = kBarcodeType3of9, .code = "CODE39"}, 2, "Code39", "CODE39"},
    {"Code39AllSymbols",
     SymbolSettings{.type = kBarcodeType3of9,
                    .code = "STRIVELO-39 $/+%.",
                    .magnification = 2.0,
                    .wideNarrowRatio = 3.0},
     1, "Code39", "STRIVELO-39 $/+%."},
    {"Code39OneCharacter",
     SymbolSettings{
         .type = kBarcodeType3of9, .code = "A", .magnification = 0.625, .wideNarrowRatio = 2.2},
     5, "Code39", "A"},
};

class ZXingTest : public testing::TestWithParam<ZXingCase> {};

TEST_P(ZXingTest, RenderedBarsDecodeToTheCode) {
    const ZXingCase& c = GetParam();
    const Drawing drawing = Draw(*MakeSymbol(c.symbol));
    const double unit = NominalModule(c.symbol.type) * drawing.magnification / c.unitsPerModule;
    const std::vector<RecordedBar> bars = drawing.GetBars();
    const oracles::ZXingResult read =
        oracles::ZXingRead(RenderBars(bars, unit, 2, 12 * c.unitsPerModule, 60), c.format);
    EXPECT_EQ(read.error, "");
    EXPECT_EQ(read.text, c.text);
}

INSTANTIATE_TEST_SUITE_P(Cases, ZXingTest, testing::ValuesIn(kZXingCases),
                         [](const auto& info) { return std::string(info.param.name); });

// zxing-cpp reads no Interleaved 2 of 5 of fewer than 6 digits, zint's bars
// no more than ours; ours decodes its own (see the round trip).
TEST(ZXingDifferenceTest, NoFourDigitInterleaved) {
    const oracles::ZintSymbol zint = oracles::ZintModules("C25INTER", "1234");
    ASSERT_EQ(zint.error, "");
    EXPECT_NE(oracles::ZXingRead(oracles::RenderModules(zint.FirstRow(), 2, 10, 60), "ITF").error,
              "");
    const std::vector<RecordedBar> bars =
        Draw(*MakeSymbol({.type = kBarcodeType2of5, .code = "1234", .wideNarrowRatio = 3.0}))
            .GetBars();
    ASSERT_EQ(ModuleString(bars, BarcodeProcessor2of5::kModuleMm), zint.FirstRow());
    EXPECT_NE(
        oracles::ZXingRead(RenderBars(bars, BarcodeProcessor2of5::kModuleMm, 2, 10, 60), "ITF")
            .error,
        "");
}

}  // namespace
}  // namespace StriveloTest
