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
#include "Drawing.h"
#include "Symbols.h"
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
    {.name = "Ean13Field8100",
     .type = kEAN13CouponType,
     .code = "9-912345-678909 (8100)1 23456",
     .zintMainType = "EANX",
     .zintMainData = "991234567890",
     .zintExtensionData = "(8100)123456",
     .sameExtensionModules = true,
     .zxingMainFormat = "EAN-13",
     .zxingMainText = "9912345678909",
     .zxingExtensionText = "8100123456"},
    {.name = "Ean13Field8101WithSerial",
     .type = kEAN13CouponType,
     .code = "9-934567-890129 (8101)1 23456 7890(21)A1b2",
     .zintMainType = "EANX",
     .zintMainData = "993456789012",
     .zintExtensionData = "(8101)1234567890(21)A1b2",
     .sameExtensionModules = true,
     .zxingMainFormat = "EAN-13",
     .zxingMainText = "9934567890129",
     .zxingExtensionText = "81011234567890\x1D"
                           "21A1b2"},
    {.name = "Ean13Field8102",
     .type = kEAN13CouponType,
     .code = "9-900000-000004 (8102)12",
     .zintMainType = "EANX",
     .zintMainData = "990000000000",
     .zintExtensionData = "(8102)12",
     .sameExtensionModules = true,
     .zxingMainFormat = "EAN-13",
     .zxingMainText = "9900000000004",
     .zxingExtensionText = "810212"},
    // After set C zint takes set B for the capitals, the engine set A.
    {.name = "Ean13SerialInCapitals",
     .type = kEAN13CouponType,
     .code = "9-912345-678909 (8100)1 23456(21)ABC",
     .zintMainType = "EANX",
     .zintMainData = "991234567890",
     .zintExtensionData = "(8100)123456(21)ABC",
     .sameExtensionModules = false,
     .zxingMainFormat = "EAN-13",
     .zxingMainText = "9912345678909",
     .zxingExtensionText = "8100123456\x1D"
                           "21ABC"},
    {.name = "UpcAField8100WithSerial",
     .type = kUPCACouponType,
     .code = "5-12345-67890-0 (8100)1 23456(21)77",
     .zintMainType = "UPCA",
     .zintMainData = "51234567890",
     .zintExtensionData = "(8100)123456(21)77",
     .sameExtensionModules = true,
     .zxingMainFormat = "UPC-A",
     .zxingMainText = "512345678900",
     .zxingExtensionText = "8100123456\x1D"
                           "2177"},
    {.name = "UpcAField8101",
     .type = kUPCACouponType,
     .code = "5-98765-43210-0 (8101)1 23456 7890",
     .zintMainType = "UPCA",
     .zintMainData = "59876543210",
     .zintExtensionData = "(8101)1234567890",
     .sameExtensionModules = true,
     .zxingMainFormat = "UPC-A",
     .zxingMainText = "598765432100",
     .zxingExtensionText = "81011234567890"},
};

class CouponOracleTest : public testing::TestWithParam<OracleCase> {
protected:
    void SetUp() override {
        const OracleCase& c = GetParam();
        coupon_ = MakeSymbol({.type = c.type, .code = c.code});
        drawing_ = Draw(*coupon_);
        ASSERT_TRUE(drawing_.generated);
        drawn_ = SplitAtExtension(drawing_);
        zintMain_ = oracles::ZintModules(c.zintMainType, c.zintMainData);
        ASSERT_TRUE(zintMain_.error.empty()) << zintMain_.error;
        zintExtension_ = oracles::ZintModules("GS1_128", c.zintExtensionData, kGs1Options);
        ASSERT_TRUE(zintExtension_.error.empty()) << zintExtension_.error;
    }

    std::unique_ptr<BarcodeProcessor> coupon_;
    Drawing drawing_;
    CouponBars drawn_;
    oracles::ZintSymbol zintMain_;
    oracles::ZintSymbol zintExtension_;
};

TEST_P(CouponOracleTest, MainBarsAreZints) {
    EXPECT_EQ(ModuleString(drawn_.main, drawn_.moduleMm), zintMain_.FirstRow());
}

TEST_P(CouponOracleTest, ExtensionBarsAreZintsWhereItChoosesTheSameCodeSets) {
    EXPECT_EQ(ModuleString(drawn_.extension, drawn_.moduleMm) == zintExtension_.FirstRow(),
              GetParam().sameExtensionModules)
        << ModuleString(drawn_.extension, drawn_.moduleMm) << "\n"
        << zintExtension_.FirstRow();
}

// The engine's EAN-128 reads zint's extension as the coupon's extension.
TEST_P(CouponOracleTest, ZintsExtensionCarriesTheSameFields) {
    const std::vector<double> edges =
        EdgesFromBars(BarsFromModules(zintExtension_.FirstRow(), kCouponModuleMm));
    Strivelo::BarcodeProcessorEAN128 reader;
    ASSERT_TRUE(reader.DecodeEdges(edges.data(), static_cast<std::uint32_t>(edges.size())));
    EXPECT_STREQ(reader.GetCode(), GetParam().zintExtensionData);
}

TEST_P(CouponOracleTest, ZXingReadsEachPart) {
    const OracleCase& c = GetParam();
    const oracles::ZXingResult main =
        oracles::ZXingRead(RenderBars(drawn_.main, drawn_.moduleMm, 3, 12, 60), c.zxingMainFormat);
    EXPECT_EQ(main.error, "");
    EXPECT_EQ(main.text, c.zxingMainText);
    const oracles::ZXingResult extension =
        oracles::ZXingRead(RenderBars(drawn_.extension, drawn_.moduleMm, 3, 12, 60), "Code128");
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
    const Drawing drawing = Draw(*coupon_);
    ASSERT_TRUE(drawing.generated);
    EXPECT_EQ(drawing.Modules(kCouponModuleMm), drawing_.Modules(kCouponModuleMm));
}

INSTANTIATE_TEST_SUITE_P(Cases, CouponOracleTest, testing::ValuesIn(kOracleCases),
                         CaseName<OracleCase>);

}  // namespace
}  // namespace StriveloTest
