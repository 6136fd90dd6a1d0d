#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "BarEdges.h"
#include "BarcodeProcessor2of5.h"
#include "BarcodeProcessor3of9.h"
#include "WideNarrowTestSupport.h"
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
    WideNarrowSymbol symbol;
    const char* zintType;
    std::string zintData;
    std::vector<std::string> zintOptions;
    bool bearerBox = false;
};

void PrintTo(const ZintCase& c, std::ostream* os) {
    *os << c.name;
}

const ZintCase kZintCases[] = {
    {"Interleaved1234", WideNarrowSymbol{kBarcodeType2of5, "1234", 3.0}, "C25INTER", "1234", {}},
    {"InterleavedPairs00To39",
     WideNarrowSymbol{kBarcodeType2of5, PairRun(0, 39), 3.0},
     "C25INTER",
     PairRun(0, 39),
     {}},
    {"InterleavedPairs40To79",
     WideNarrowSymbol{kBarcodeType2of5, PairRun(40, 79), 3.0},
     "C25INTER",
     PairRun(40, 79),
     {}},
    {"InterleavedPairs80To99",
     WideNarrowSymbol{kBarcodeType2of5, PairRun(80, 99), 3.0},
     "C25INTER",
     PairRun(80, 99),
     {}},
    // Ours adds no check digit: the user types it (GS1 mod 10 of 1234 is 8),
    // and the leading zero zint adds to make the length even.
    {"InterleavedWithZintCheckDigit",
     WideNarrowSymbol{kBarcodeType2of5, "012348", 3.0},
     "C25INTER",
     "1234",
     {"--vers=1"}},
    // zint pads an odd length with a leading zero; ours refuses "123" (see
    // OddLengthAndLowerCase) and draws "0123" the same.
    {"InterleavedOddLengthPadded",
     WideNarrowSymbol{kBarcodeType2of5, "0123", 3.0},
     "C25INTER",
     "123",
     {}},
    {"InterleavedBearerBox",
     WideNarrowSymbol{kBarcodeType2of5, "1234", 3.0, 0.8},
     "C25INTER",
     "1234",
     {"--box"},
     true},
    // zint takes the 13 data digits and adds the check digit itself.
    {"ITF14",
     WideNarrowSymbol{kBarcodeTypeITF14, "12345678901231", 3.0},
     "ITF14",
     "1234567890123",
     {}},
    {"ITF14BoxReducedAndLarge",
     WideNarrowSymbol{kBarcodeTypeITF14, "10012345000017", 3.0, 1.2, 0.2},
     "ITF14",
     "1001234500001",
     {"--box"},
     true},
    {"Code39Letters",
     WideNarrowSymbol{kBarcodeType3of9, "CODE39", 2.0, 2.0},
     "CODE39",
     "CODE39",
     {}},
    {"Code39Digits",
     WideNarrowSymbol{kBarcodeType3of9, "0123456789", 2.0, 2.0},
     "CODE39",
     "0123456789",
     {}},
    {"Code39Alphabet",
     WideNarrowSymbol{kBarcodeType3of9, "ABCDEFGHIJKLMNOPQRSTUVWXYZ", 2.0, 2.0},
     "CODE39",
     "ABCDEFGHIJKLMNOPQRSTUVWXYZ",
     {}},
    {"Code39Symbols",
     WideNarrowSymbol{kBarcodeType3of9, "-. $/+%", 2.0, 2.0},
     "CODE39",
     "-. $/+%",
     {}},
    // Ours adds no check character: mod 43 of "CODE39" is 75 mod 43 = 32, "W".
    {"Code39WithZintCheckCharacter",
     WideNarrowSymbol{kBarcodeType3of9, "CODE39W", 2.0, 2.0},
     "CODE39",
     "CODE39",
     {"--vers=1"}},
    {"Code39BearerBox",
     WideNarrowSymbol{kBarcodeType3of9, "A1", 2.0, 1.7, -0.1},
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
    const auto processor = MakeWideNarrow(c.symbol);
    auto& bearers = dynamic_cast<Strivelo::BarcodeProcessorMixIn_BearerBarsOption&>(*processor);
    bearers.SetBearerBars(c.bearerBox);
    bearers.SetBearerBarEndBars(c.bearerBox);
    const std::vector<RecordedBar> bars = DrawSymbol(*processor).GetBars();
    EXPECT_EQ(ModuleString(bars, NominalModule(c.symbol.type) * c.symbol.magnification),
              zint.FirstRow());
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
    WideNarrowSymbol symbol;
    int unitsPerModule;
    const char* format;
    std::string text;
};

void PrintTo(const ZXingCase& c, std::ostream* os) {
    *os << c.name;
}

const ZXingCase kZXingCases[] = {
    {"InterleavedSix", WideNarrowSymbol{kBarcodeType2of5, "123456", 2.5}, 2, "ITF", "123456"},
    {"InterleavedRatioTwo", WideNarrowSymbol{kBarcodeType2of5, "90817263", 2.0, 1.2}, 1, "ITF",
     "90817263"},
    {"InterleavedLong", WideNarrowSymbol{kBarcodeType2of5, PairRun(0, 39), 3.0, 0.625}, 1, "ITF",
     PairRun(0, 39)},
    {"ITF14", WideNarrowSymbol{kBarcodeTypeITF14, "12345678901231", 2.25, 0.625}, 4, "ITF",
     "12345678901231"},
    {"ITF14Default", WideNarrowSymbol{kBarcodeTypeITF14, "10012345000017"}, 2, "ITF",
     "10012345000017"},
    {"Code39", WideNarrowSymbol{kBarcodeType3of9, "CODE39"}, 2, "Code39", "CODE39"},
    {"Code39AllSymbols", WideNarrowSymbol{kBarcodeType3of9, "STRIVELO-39 $/+%.", 3.0, 2.0}, 1,
     "Code39", "STRIVELO-39 $/+%."},
    {"Code39OneCharacter", WideNarrowSymbol{kBarcodeType3of9, "A", 2.2, 0.625}, 5, "Code39", "A"},
};

class ZXingTest : public testing::TestWithParam<ZXingCase> {};

TEST_P(ZXingTest, RenderedBarsDecodeToTheCode) {
    const ZXingCase& c = GetParam();
    const double unit = NominalModule(c.symbol.type) * c.symbol.magnification / c.unitsPerModule;
    const std::vector<RecordedBar> bars = DrawBars(c.symbol);
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
    const std::vector<RecordedBar> bars = DrawBars({kBarcodeType2of5, "1234", 3.0});
    ASSERT_EQ(ModuleString(bars, BarcodeProcessor2of5::kModuleMm), zint.FirstRow());
    EXPECT_NE(
        oracles::ZXingRead(RenderBars(bars, BarcodeProcessor2of5::kModuleMm, 2, 10, 60), "ITF")
            .error,
        "");
}

}  // namespace
}  // namespace StriveloTest
