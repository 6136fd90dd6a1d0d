#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "BarEdges.h"
#include "BarcodeProcessorCode128.h"
#include "BarcodeProcessorEAN128.h"
#include "Code128TestSupport.h"
#include "Drawing.h"
#include "RecordingGenerator.h"
#include "Symbols.h"
#include "ZXingOracle.h"
#include "ZintOracle.h"

namespace StriveloTest {
namespace {

using Strivelo::BarcodeProcessor;

struct OracleCase {
    const char* name;
    std::int32_t type;
    const char* code;
    // What zint is given: the raw bytes for Code 128, the code itself (with
    // --gs1parens) for EAN-128.
    std::string zintData;
    // What zxing-cpp reports: the raw bytes; for EAN-128 without the leading
    // FNC1 and with each separator as GS.
    std::string zxingText;
    // zint's choice of code sets matches the engine's, so the modules are the
    // same; otherwise both must at least carry the same data.
    bool sameModules;
};

std::string ControlCharacters(bool escaped) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (int c = 1; c < 0x20; ++c) {
        if (escaped) {
            text += {'%', kHex[c >> 4], kHex[c & 0xF]};
        } else {
            text += static_cast<char>(c);
        }
    }
    return text;
}

std::string Pairs(int from, int to) {
    std::string digits;
    for (int pair = from; pair <= to; ++pair) {
        digits += {static_cast<char>('0' + pair / 10), static_cast<char>('0' + pair % 10)};
    }
    return digits;
}

const std::string kPairs0To39 = Pairs(0, 39);
const std::string kPairs40To79 = Pairs(40, 79);
const std::string kPairs80To99 = Pairs(80, 99);
const std::string kEscapedControls = ControlCharacters(true);
const std::string kControls = ControlCharacters(false);
const std::string kLowerCase = "`abcdefghijklmnopqrstuvwxyz{|}~\x7f";
const std::string kCapitals = "@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_";

const OracleCase kOracleCases[] = {
    // The set C rows hold the patterns of values 0-99; with the start, stop,
    // CODE A, CODE B and FNC1 characters of the next rows every pattern of the
    // table is compared with zint's.
    {"SetCPairs00To39", kCode128Type, kPairs0To39.c_str(), kPairs0To39, kPairs0To39, true},
    {"SetCPairs40To79", kCode128Type, kPairs40To79.c_str(), kPairs40To79, kPairs40To79, true},
    {"SetCPairs80To99", kCode128Type, kPairs80To99.c_str(), kPairs80To99, kPairs80To99, true},
    {"SetBLowerCaseAndDelete", kCode128Type, kLowerCase.c_str(), kLowerCase, kLowerCase, true},
    {"SetAControlCharacters", kCode128Type, kEscapedControls.c_str(), kControls, kControls, true},
    {"SetCThenSetB", kCode128Type, "12345678a", "12345678a", "12345678a", true},
    {"SetCThenSetA", kCode128Type, "1234%09", "1234\t", "1234\t", true},
    // zint starts printable text in set B; the engine's default is set A.
    {"SetAPunctuation", kCode128Type, " !\"#$%%&'()*+,-./:;<=>?", " !\"#$%&'()*+,-./:;<=>?",
     " !\"#$%&'()*+,-./:;<=>?", false},
    {"SetACapitals", kCode128Type, kCapitals.c_str(), kCapitals, kCapitals, false},
    {"CapitalsThenSetC", kCode128Type, "AB123456", "AB123456", "AB123456", false},
    {"ThreeDigits", kCode128Type, "123", "123", "123", false},
    // zint switches for one character with SHIFT; the engine changes the
    // code set and never writes SHIFT.
    {"ShiftedControlCharacter", kCode128Type, "a%09b", "a\tb", "a\tb", false},
    {"ShiftedLowerCase", kCode128Type, "A%09b%09", "A\tb\t", "A\tb\t", false},
    {"FixedLengthFields", kEAN128Type, "(01)09501101530003(17)140704",
     "(01)09501101530003(17)140704", "010950110153000317140704", true},
    {"PredefinedThenVariable", kEAN128Type, "(01)12345678901231(10)1234",
     "(01)12345678901231(10)1234", "0112345678901231101234", true},
    // zint starts in set B where the engine starts in set A, and puts other
    // digits into set C: "(10)ABC(21)123" is B FNC1 1 0 A B C FNC1 2, C 11 23
    // for zint and A FNC1 1 0 A B C, C FNC1 21 12, A 3 for the engine.
    {"VariableFieldsWithSeparator", kEAN128Type, "(10)ABC(21)123", "(10)ABC(21)123",
     "10ABC\x1D"
     "21123",
     false},
    {"PercentSignInData", kEAN128Type, "(10)5%(21)12", "(10)5%(21)12",
     "105%\x1D"
     "2112",
     false},
    // After set C zint takes set B, the engine set A.
    {"ExtraDigitAI", kEAN128Type, "(3103)000150(10)A1", "(3103)000150(10)A1", "310300015010A1",
     false},
    {"VariableProductionTime", kEAN128Type, "(8008)21013112(10)A", "(8008)21013112(10)A",
     "800821013112\x1D"
     "10A",
     false},
};

class Code128OracleTest : public testing::TestWithParam<OracleCase> {
protected:
    static constexpr double kModule = 0.33;

    void SetUp() override {
        const OracleCase& c = GetParam();
        const std::unique_ptr<BarcodeProcessor> drawn =
            MakeSymbol({.type = c.type, .code = c.code, .magnification = kModule});
        ASSERT_NE(drawn, nullptr);
        bars_ = Draw(*drawn).GetBars();
        // Bearer bars, end bars and the text leave the bars alone.
        ASSERT_TRUE(ApplySettings(
            *drawn, {.bearerBars = true, .bearerBarEndBars = true, .humanReadable = false}));
        barsWithOptions_ = Draw(*drawn).GetBars();
        zint_ = c.type == kEAN128Type ? oracles::ZintModules("GS1_128", c.zintData, {"--gs1parens"})
                                      : oracles::ZintModules("CODE128", c.zintData);
        ASSERT_TRUE(zint_.error.empty()) << zint_.error;
    }

    std::vector<RecordedBar> bars_;
    std::vector<RecordedBar> barsWithOptions_;
    oracles::ZintSymbol zint_;
};

TEST_P(Code128OracleTest, BarsAreZintsWhereItChoosesTheSameCodeSets) {
    EXPECT_EQ(ModuleString(bars_, kModule) == zint_.FirstRow(), GetParam().sameModules)
        << ModuleString(bars_, kModule) << "\n"
        << zint_.FirstRow();
    EXPECT_EQ(ModuleString(barsWithOptions_, kModule), ModuleString(bars_, kModule));
}

TEST_P(Code128OracleTest, ZintsSymbolDecodesToTheCode) {
    const std::vector<double> edges = EdgesFromBars(BarsFromModules(zint_.FirstRow(), kModule));
    const std::unique_ptr<BarcodeProcessor> reader = MakeProcessor(GetParam().type);
    ASSERT_TRUE(reader->DecodeEdges(edges.data(), static_cast<std::uint32_t>(edges.size())));
    EXPECT_STREQ(reader->GetCode(), GetParam().code);
}

TEST_P(Code128OracleTest, ZXingReadsTheData) {
    const oracles::ZXingResult read =
        oracles::ZXingRead(RenderBars(bars_, kModule, 2, 10, 20), "Code128");
    ASSERT_TRUE(read.error.empty()) << read.error;
    EXPECT_EQ(read.text, GetParam().zxingText);
}

INSTANTIATE_TEST_SUITE_P(Cases, Code128OracleTest, testing::ValuesIn(kOracleCases),
                         CaseName<OracleCase>);

}  // namespace
}  // namespace StriveloTest
