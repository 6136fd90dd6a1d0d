#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "BarEdges.h"
#include "BarcodeCheckRecord.h"
#include "BarcodeProcessor.h"
#include "BarcodeProcessor2of5.h"
#include "BarcodeProcessorEAN13.h"
#include "BarcodeProcessorIdentification.h"
#include "BarcodeProfile.h"
#include "CheckFakes.h"
#include "Drawing.h"
#include "RecordingDeltaBarDriver.h"
#include "Symbols.h"

namespace BarcodeVettrin {
namespace {

using Strivelo::BarcodeProcessor;
using StriveloTest::RecordedBar;

constexpr double kDrawnReductionMm = 0.02;
constexpr double kWantedReductionMm = 0.03;
// What a decoding measures comes back to within this.
constexpr double kMeasureToleranceMm = 1e-9;

struct SymbolCase {
    const char* name;
    std::int32_t type;
    const char* code;
    std::function<void(BarcodeProfile&)> configure;
    std::int32_t status;
    CheckMessageList messages;
    // The bar width reduction the bar driver is run with; 0 for no run.
    double fixedReductionMm;
};

// The tests every symbol passes, drawn at its nominal size with a small bar
// width reduction and read back exactly.
void CommonTests(BarcodeProfile& p, std::int32_t type, const char* pattern) {
    p.typeTest.SetEnableTest(true);
    p.typeTest.SetBarcodeType(type);
    p.codeTest.SetEnableTest(true);
    p.codeTest.SetBarcodeCode(pattern);
    p.magnificationTest.SetEnableTest(true);
    p.barHeightTest.SetEnableTest(true);
    p.barHeightTest.SetMaximumBarHeight(0.0);
    p.deviationTest.SetEnableTest(true);
    p.deviationTest.SetDeviation(kMeasureToleranceMm);
    p.wideNarrowRatioTest.SetEnableTest(true);
}

const SymbolCase kSymbolCases[] = {
    {.name = "Ean13WithReductionFix",
     .type = Strivelo::kBarcodeTypeEAN13,
     .code = "4-006381-333931",
     .configure =
         [](BarcodeProfile& p) {
             CommonTests(p, Strivelo::kBarcodeTypeEAN13, "4006381*3393*");
             // EAN-13 has no wide/narrow ratio, so no bound can fail it.
             p.wideNarrowRatioTest.SetMinimumWideNarrowRatio(2.9);
             p.barWidthReductionTest.SetEnableTest(true);
             p.barWidthReductionTest.SetEnableFix(true);
             p.barWidthReductionTest.SetBarWidthReduction(kWantedReductionMm);
         },
     .status = kCheckStatusFixed,
     .messages = {{kCheckStatusFixed, kCheckMessageBarWidthReduction}},
     .fixedReductionMm = kWantedReductionMm},
    {.name = "Interleaved2of5RatioInRange",
     .type = Strivelo::kBarcodeType2of5,
     .code = "1234567890",
     .configure =
         [](BarcodeProfile& p) {
             CommonTests(p, Strivelo::kBarcodeType2of5, "12*4567*90");
             p.barWidthReductionTest.SetEnableTest(true);
             p.barWidthReductionTest.SetBarWidthReduction(kDrawnReductionMm);
         },
     .status = kCheckStatusPassed,
     .messages = {},
     .fixedReductionMm = 0.0},
    {.name = "Interleaved2of5RatioBelowMinimum",
     .type = Strivelo::kBarcodeType2of5,
     .code = "1234567890",
     .configure =
         [](BarcodeProfile& p) {
             CommonTests(p, Strivelo::kBarcodeType2of5, "1234567890");
             p.wideNarrowRatioTest.SetMinimumWideNarrowRatio(2.6);
         },
     .status = kCheckStatusFailed,
     .messages = {{kCheckStatusFailed, kCheckMessageWideNarrowRatioBelow}},
     .fixedReductionMm = 0.0},
};

class ProfileIntegrationTest : public ::testing::TestWithParam<SymbolCase> {
protected:
    StriveloTest::StandardRegistry registry_;
};

// Drawn by the symbology, measured as edges, identified among all
// symbologies and checked as a check run does it.
TEST_P(ProfileIntegrationTest, DrawnSymbolThroughTheProfile) {
    const SymbolCase& c = GetParam();
    const std::unique_ptr<BarcodeProcessor> drawn = StriveloTest::MakeSymbol(
        {.type = c.type, .code = c.code, .reductionMm = kDrawnReductionMm});
    ASSERT_NE(drawn, nullptr);
    ASSERT_TRUE(drawn->ValidateParameters());
    const StriveloTest::Drawing drawing = StriveloTest::Draw(*drawn);
    ASSERT_TRUE(drawing.generated);
    const std::vector<RecordedBar> bars = drawing.GetBars();
    const std::vector<double> edges = StriveloTest::EdgesFromBars(bars);

    bool ambiguous = false;
    const std::unique_ptr<BarcodeProcessor> found = Strivelo::IdentifyFromEdges(
        edges.data(), static_cast<std::uint32_t>(edges.size()), &ambiguous);
    ASSERT_NE(found, nullptr);
    ASSERT_EQ(found->GetType(), drawn->GetType());
    ASSERT_STREQ(found->GetCode(), c.code);
    EXPECT_NEAR(found->GetBarWidthReduction(), kDrawnReductionMm, kMeasureToleranceMm);
    // The check run takes the bar height from the artwork.
    const std::int32_t heightEdge = found->GetHeightBarEdge();
    ASSERT_GE(heightEdge, 0);
    const RecordedBar& heightBar = bars[static_cast<std::size_t>(heightEdge) / 2];
    found->SetBarHeight(heightBar.top - heightBar.bottom);

    BarcodeProfile profile;
    c.configure(profile);
    StriveloTest::RecordingDeltaBarDriver barDriver(*found);
    CheckTest::RecordingChangeColorDriver colorDriver;
    BarcodeCheckRecord record(found.get());
    record.SetDeltaBarDriver(&barDriver);
    record.SetChangeColorDriver(&colorDriver);
    record.SetColors({1.0});
    record.SetOverprintState(kOverprintStateNormalOverprint);

    profile.BeginCheck();
    EXPECT_EQ(profile.CheckBarcode(record), c.status);
    EXPECT_EQ(profile.CollectBarcodeMessages(record), c.messages);
    if (c.fixedReductionMm != 0.0) {
        ASSERT_EQ(barDriver.GetMoves().size(), bars.size());
        EXPECT_NEAR(barDriver.ImpliedTarget(), c.fixedReductionMm, kMeasureToleranceMm);
    } else {
        EXPECT_TRUE(barDriver.GetMoves().empty());
    }
    EXPECT_TRUE(colorDriver.GetCalls().empty());
}

INSTANTIATE_TEST_SUITE_P(Symbologies, ProfileIntegrationTest, ::testing::ValuesIn(kSymbolCases),
                         [](const ::testing::TestParamInfo<SymbolCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace BarcodeVettrin
