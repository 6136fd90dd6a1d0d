// Each part of a coupon against independent tools: the main symbol's and
// the extension's bars against zint, each rendered on its own and read by
// zxing-cpp. zint has no coupon symbology.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "BarEdges.h"
#include "BarcodeProcessorEAN128.h"
#include "BarcodeProcessorEAN13Coupon.h"
#include "CouponTestSupport.h"
#include "ZXingOracle.h"
#include "ZintOracle.h"

namespace StriveloTest {
namespace {

using Strivelo::BarcodeProcessor;

// zint 2.11 refuses the AIs 8100-8102, which GS1 has withdrawn, unless it
// is told not to check the AIs.
const std::vector<std::string> kGs1Options = {"--gs1parens", "--gs1nocheck"};

struct OracleCase {
    const char* name;
    std::int32_t type;
    const char* code;
    const char* zintMainType;
    const char* zintMainData;
    const char* zintExtensionData;
    // zint chooses the engine's code sets for the extension; otherwise both
    // must carry the same data.
    bool sameExtensionModules;
    const char* zxingMainFormat;
    const char* zxingMainText;
    // Without the leading FNC1, a separator read as GS.
    std::string zxingExtensionText;
};

void PrintTo(const OracleCase& c, std::ostream* os) {
    *os << c.name;
}

const OracleCase kOracleCases[] = {
    {"Ean13Field8100", kEAN13CouponType, "9-912345-678909 (8100)1 23456", "EANX", "991234567890",
     "(8100)123456", true, "EAN-13", "9912345678909", "8100123456"},
    {"Ean13Field8101WithSerial", kEAN13CouponType, "9-934567-890129 (8101)1 23456 7890(21)A1b2",
     "EANX", "993456789012", "(8101)1234567890(21)A1b2", true, "EAN-13", "9934567890129",
     "81011234567890\x1D"
     "21A1b2"},
    {"Ean13Field8102", kEAN13CouponType, "9-900000-000004 (8102)12", "EANX", "990000000000",
     "(8102)12", true, "EAN-13", "9900000000004", "810212"},
    // After set C zint takes set B for the capitals, the engine set A.
    {"Ean13SerialInCapitals", kEAN13CouponType, "9-912345-678909 (8100)1 23456(21)ABC", "EANX",
     "991234567890", "(8100)123456(21)ABC", false, "EAN-13", "9912345678909",
     "8100123456\x1D"
     "21ABC"},
    {"UpcAField8100WithSerial", kUPCACouponType, "5-12345-67890-0 (8100)1 23456(21)77", "UPCA",
     "51234567890", "(8100)123456(21)77", true, "UPC-A", "512345678900",
     "8100123456\x1D"
     "2177"},
    {"UpcAField8101", kUPCACouponType, "5-98765-43210-0 (8101)1 23456 7890", "UPCA", "59876543210",
     "(8101)1234567890", true, "UPC-A", "598765432100", "81011234567890"},
};

class CouponOracleTest : public testing::TestWithParam<OracleCase> {
protected:
    void SetUp() override {
        const OracleCase& c = GetParam();
        coupon_ = CouponWithCode(c.type, c.code);
        drawn_ = DrawCoupon(*coupon_);
        ASSERT_TRUE(drawn_.generated);
        zintMain_ = oracles::ZintModules(c.zintMainType, c.zintMainData);
        ASSERT_TRUE(zintMain_.error.empty()) << zintMain_.error;
        zintExtension_ = oracles::ZintModules("GS1_128", c.zintExtensionData, kGs1Options);
        ASSERT_TRUE(zintExtension_.error.empty()) << zintExtension_.error;
    }

    std::unique_ptr<BarcodeProcessor> coupon_;
    DrawnCoupon drawn_;
    oracles::ZintSymbol zintMain_;
    oracles::ZintSymbol zintExtension_;
};

TEST_P(CouponOracleTest, MainBarsAreZints) {
    EXPECT_EQ(ModuleString(drawn_.mainBars, drawn_.moduleMm), zintMain_.FirstRow());
}

TEST_P(CouponOracleTest, ExtensionBarsAreZintsWhereItChoosesTheSameCodeSets) {
    EXPECT_EQ(ModuleString(drawn_.extensionBars, drawn_.moduleMm) == zintExtension_.FirstRow(),
              GetParam().sameExtensionModules)
        << ModuleString(drawn_.extensionBars, drawn_.moduleMm) << "\n"
        << zintExtension_.FirstRow();
}

// The engine's EAN-128 reads zint's extension as the coupon's extension.
TEST_P(CouponOracleTest, ZintsExtensionCarriesTheSameFields) {
    std::vector<RecordedBar> bars;
    const std::string& modules = zintExtension_.FirstRow();
    for (std::size_t i = 0; i < modules.size(); ++i) {
        if (modules[i] != '1') {
            continue;
        }
        if (i > 0 && modules[i - 1] == '1') {
            bars.back().right += kCouponModuleMm;
        } else {
            bars.push_back({i * kCouponModuleMm, (i + 1) * kCouponModuleMm, 0.0, 10.0});
        }
    }
    const std::vector<double> edges = EdgesFromBars(bars);
    Strivelo::BarcodeProcessorEAN128 reader;
    ASSERT_TRUE(reader.DecodeEdges(edges.data(), static_cast<std::uint32_t>(edges.size())));
    EXPECT_STREQ(reader.GetCode(), GetParam().zintExtensionData);
}

TEST_P(CouponOracleTest, ZXingReadsEachPart) {
    const OracleCase& c = GetParam();
    const oracles::ZXingResult main = oracles::ZXingRead(
        RenderBars(drawn_.mainBars, drawn_.moduleMm, 3, 12, 60), c.zxingMainFormat);
    EXPECT_EQ(main.error, "");
    EXPECT_EQ(main.text, c.zxingMainText);
    const oracles::ZXingResult extension =
        oracles::ZXingRead(RenderBars(drawn_.extensionBars, drawn_.moduleMm, 3, 12, 60), "Code128");
    EXPECT_EQ(extension.error, "");
    EXPECT_EQ(extension.text, c.zxingExtensionText);
}

// The coupon's flags, font and height change no bar.
TEST_P(CouponOracleTest, OptionsLeaveTheBars) {
    coupon_->SetHumanReadable(false);
    coupon_->SetEmitFrame(false);
    coupon_->SetBarHeight(40.0);
    if (auto* font = dynamic_cast<Strivelo::BarcodeProcessorMixIn_Font*>(coupon_.get())) {
        ASSERT_TRUE(font->SetFont("Univers"));
    }
    const DrawnCoupon drawn = DrawCoupon(*coupon_);
    ASSERT_TRUE(drawn.generated);
    EXPECT_EQ(ModuleString(drawn.generator.GetBars(), drawn.moduleMm),
              ModuleString(drawn_.generator.GetBars(), drawn_.moduleMm));
}

INSTANTIATE_TEST_SUITE_P(Cases, CouponOracleTest, testing::ValuesIn(kOracleCases),
                         CaseName<OracleCase>);

}  // namespace
}  // namespace StriveloTest
