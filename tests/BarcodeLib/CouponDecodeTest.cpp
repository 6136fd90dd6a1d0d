// Reading coupons back from their edges: identification among all standard
// symbologies, what is refused, and what a failed decoding leaves.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "BarEdges.h"
#include "BarcodeProcessorEAN13.h"
#include "BarcodeProcessorEAN13Coupon.h"
#include "BarcodeProcessorIdentification.h"
#include "BarcodeProcessorRegistry.h"
#include "BarcodeProcessorUPCA.h"
#include "CouponTestSupport.h"
#include "DecodedState.h"
#include "Drawing.h"
#include "Symbols.h"

namespace StriveloTest {
namespace {

using Strivelo::BarcodeProcessor;

std::uint32_t Count(const std::vector<double>& edges) {
    return static_cast<std::uint32_t>(edges.size());
}

struct SymbolCase {
    const char* name;
    std::int32_t type;
    const char* code;
};

void PrintTo(const SymbolCase& c, std::ostream* os) {
    *os << c.name;
}

// No other symbology decodes a coupon's edges, so no coupon ties.
const SymbolCase kSymbolCases[] = {
    {"Ean13Field8100", kEAN13CouponType, "9-912345-678909 (8100)1 23456"},
    {"Ean13Field8101WithSerial", kEAN13CouponType, "9-934567-890129 (8101)1 23456 7890(21)A1b2"},
    {"Ean13Field8102", kEAN13CouponType, "9-900000-000004 (8102)12"},
    {"UpcAField8100WithSerial", kUPCACouponType, "5-12345-67890-0 (8100)1 23456(21)77"},
    {"UpcAField8101", kUPCACouponType, "5-98765-43210-0 (8101)1 23456 7890"},
};

using GridParam = std::tuple<SymbolCase, double, double, bool>;

class CouponIdentificationTest : public testing::TestWithParam<GridParam> {
protected:
    StandardRegistry registry_;
};

// The smallest and largest magnification, and half the largest reduction
// either way.
TEST_P(CouponIdentificationTest, FindsTypeCodeMagnificationAndReduction) {
    const auto& [symbol, magnification, reductionShare, backwards] = GetParam();
    const double reduction = reductionShare * 0.25 * kCouponModuleMm * magnification;
    const std::unique_ptr<BarcodeProcessor> drawn = MakeSymbol({.type = symbol.type,
                                                                .code = symbol.code,
                                                                .magnification = magnification,
                                                                .reductionMm = reduction});
    ASSERT_TRUE(drawn->ValidateParameters());
    EdgeOptions options;
    options.backwards = backwards;
    options.offsetMm = backwards ? 400.0 : 15.0;
    const std::vector<double> edges = EdgesFromBars(Draw(*drawn).GetBars(), options);

    bool ambiguous = true;
    const std::unique_ptr<BarcodeProcessor> found =
        Strivelo::IdentifyFromEdges(edges.data(), Count(edges), &ambiguous);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->GetType(), symbol.type);
    EXPECT_STREQ(found->GetCode(), symbol.code);
    EXPECT_FALSE(ambiguous);
    EXPECT_NEAR(found->GetMagnification(), magnification, 1e-6);
    EXPECT_NEAR(found->GetBarWidthReduction(), reduction, 1e-6);
    // The extension lies where the layout puts it.
    EXPECT_NEAR(found->GetMeanDeviation(), 0.0, 1e-6);
    EXPECT_NEAR(found->GetTotalWidth(), drawn->GetTotalWidth(), 1e-6);
    EXPECT_EQ(found->IsReadReversed(), backwards);
    // The main symbol's edges, in the caller's numbering: the fourth bar
    // (the first data bar) is the height bar.
    const std::int32_t last = static_cast<std::int32_t>(edges.size()) - 1;
    std::int32_t first = -1;
    std::int32_t end = -1;
    ASSERT_TRUE(found->GetSymbolEdgeRange(&first, &end));
    EXPECT_EQ(first, backwards ? last : 0);
    EXPECT_EQ(end, backwards ? last - 59 : 59);
    EXPECT_EQ(found->GetHeightBarEdge(), backwards ? last - 8 : 8);
}

std::string GridName(const testing::TestParamInfo<GridParam>& info) {
    const double reductionShare = std::get<2>(info.param);
    return std::string(std::get<0>(info.param).name) + "_M" +
           std::to_string(static_cast<int>(std::get<1>(info.param) * 100)) +
           (reductionShare < 0 ? "_Widened" : (reductionShare > 0 ? "_Narrowed" : "_Exact")) +
           (std::get<3>(info.param) ? "_Backwards" : "_Forwards");
}

INSTANTIATE_TEST_SUITE_P(Grid, CouponIdentificationTest,
                         testing::Combine(testing::ValuesIn(kSymbolCases),
                                          testing::Values(0.8, 1.0, 2.0),
                                          testing::Values(-0.5, 0.0, 0.5), testing::Bool()),
                         GridName);

// Edges given from the right end, descending, read the same coupon.
TEST(CouponDecodeTest, DescendingEdgesReadTheSame) {
    const std::unique_ptr<BarcodeProcessor> drawn =
        MakeSymbol({.type = kUPCACouponType, .code = "5-12345-67890-0 (8100)1 23456(21)77"});
    std::vector<double> edges = EdgesFromBars(Draw(*drawn).GetBars());
    const std::vector<double> ascending = edges;
    std::reverse(edges.begin(), edges.end());
    for (const bool reversed : {false, true}) {
        const std::unique_ptr<BarcodeProcessor> reader = MakeProcessor(kUPCACouponType);
        EXPECT_EQ(reader->Decode(edges.data(), Count(edges), reversed), !reversed);
        EXPECT_EQ(reader->Decode(ascending.data(), Count(ascending), reversed), !reversed);
    }
}

struct RefusalCase {
    const char* name;
    std::int32_t type;
    std::vector<RecordedBar> bars;
};

void PrintTo(const RefusalCase& c, std::ostream* os) {
    *os << c.name;
}

std::vector<RecordedBar> MainOnly(const std::string& code) {
    return Draw(*MakeSymbol({.type = Strivelo::kBarcodeTypeEAN13, .code = code})).GetBars();
}

std::vector<RecordedBar> WithoutLastBar(std::vector<RecordedBar> bars) {
    bars.pop_back();
    return bars;
}

// Bars a coupon must not read: nothing the bars carry is corrected.
const RefusalCase kRefusalCases[] = {
    {"MainSymbolAlone", kEAN13CouponType, MainOnly("9-912345-678909")},
    {"UpcANumberSystem0", kUPCACouponType,
     SideBySide(Strivelo::kBarcodeTypeUPCA, "0-12345-67890-5", "(8100)123456")},
    {"Ean13Prefix98", kEAN13CouponType,
     SideBySide(Strivelo::kBarcodeTypeEAN13, "9-812345-678902", "(8100)123456")},
    {"Ean13Prefix91", kEAN13CouponType,
     SideBySide(Strivelo::kBarcodeTypeEAN13, "9-112345-678903", "(8100)123456")},
    {"UpcAMainInEan13Coupon", kEAN13CouponType,
     SideBySide(Strivelo::kBarcodeTypeUPCA, "5-12345-67890-0", "(8100)123456")},
    {"Ean13MainInUpcACoupon", kUPCACouponType,
     SideBySide(Strivelo::kBarcodeTypeEAN13, "9-912345-678909", "(8100)123456")},
    {"OtherFields", kEAN13CouponType,
     SideBySide(Strivelo::kBarcodeTypeEAN13, "9-912345-678909", "(10)12123456")},
    {"Field8100ThenOtherField", kEAN13CouponType,
     SideBySide(Strivelo::kBarcodeTypeEAN13, "9-912345-678909", "(8100)123456(10)1")},
    {"Code128WithoutFnc1", kEAN13CouponType,
     SideBySide(Strivelo::kBarcodeTypeEAN13, "9-912345-678909", "8100123456", false)},
    {"LastBarMissing", kEAN13CouponType,
     WithoutLastBar(SideBySide(Strivelo::kBarcodeTypeEAN13, "9-912345-678909", "(8100)123456"))},
};

class CouponRefusalTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(CouponRefusalTest, ReadsNoCoupon) {
    const RefusalCase& c = GetParam();
    const std::vector<double> edges = EdgesFromBars(c.bars);
    const std::unique_ptr<BarcodeProcessor> reader = MakeProcessor(c.type);
    EXPECT_FALSE(reader->DecodeEdges(edges.data(), Count(edges)));
    EXPECT_STREQ(reader->GetCode(), "");
}

INSTANTIATE_TEST_SUITE_P(Cases, CouponRefusalTest, testing::ValuesIn(kRefusalCases),
                         CaseName<RefusalCase>);

// The main symbol and the extension drawn on their own and placed as the
// coupon places them read as the coupon.
TEST(CouponDecodeTest, PartsDrawnApartReadAsTheCoupon) {
    const std::vector<double> edges = EdgesFromBars(
        SideBySide(Strivelo::kBarcodeTypeUPCA, "5-12345-67890-0", "(8100)123456(21)77"));
    const std::unique_ptr<BarcodeProcessor> reader = MakeProcessor(kUPCACouponType);
    ASSERT_TRUE(reader->DecodeEdges(edges.data(), Count(edges)));
    EXPECT_STREQ(reader->GetCode(), "5-12345-67890-0 (8100)1 23456(21)77");
}

// The reduction is the mean over all bars: here only the extension's 28
// bars of 58 are printed 0.04 mm narrower. The ideal edges' fit, which the
// uneven reduction stretches a little, moves it by less than a micrometre.
TEST(CouponDecodeTest, MeasuresTheReductionOverBothParts) {
    const std::unique_ptr<BarcodeProcessor> drawn =
        MakeSymbol({.type = kEAN13CouponType, .code = "9-912345-678909 (8100)1 23456"});
    CouponBars bars = SplitAtExtension(Draw(*drawn));
    ASSERT_EQ(bars.main.size(), 30u);
    ASSERT_EQ(bars.extension.size(), 28u);
    for (RecordedBar& bar : bars.extension) {
        bar.left += 0.02;
        bar.right -= 0.02;
    }
    std::vector<RecordedBar> all = bars.main;
    all.insert(all.end(), bars.extension.begin(), bars.extension.end());
    const std::vector<double> edges = EdgesFromBars(all);
    const std::unique_ptr<BarcodeProcessor> reader = MakeProcessor(kEAN13CouponType);
    ASSERT_TRUE(reader->DecodeEdges(edges.data(), Count(edges)));
    EXPECT_NEAR(reader->GetBarWidthReduction(), 0.04 * 28 / 58, 1e-6);
}

// Below magnification 0.7697 the extension's quiet zone stays 2.54 mm, and
// the ideal edges know it.
TEST(CouponDecodeTest, ExtensionKeepsItsSmallestQuietZone) {
    const std::unique_ptr<BarcodeProcessor> drawn = MakeSymbol(
        {.type = kUPCACouponType, .code = "5-12345-67890-0 (8100)1 23456", .magnification = 0.7});
    const std::vector<double> edges = EdgesFromBars(Draw(*drawn).GetBars());
    const std::unique_ptr<BarcodeProcessor> reader = MakeProcessor(kUPCACouponType);
    ASSERT_TRUE(reader->DecodeEdges(edges.data(), Count(edges)));
    EXPECT_NEAR(reader->GetMagnification(), 0.7, 1e-9);
    EXPECT_NEAR(reader->GetMeanDeviation(), 0.0, 1e-9);
}

TEST(CouponDecodeTest, FailedDecodingLeavesTheProcessor) {
    const std::unique_ptr<BarcodeProcessor> coupon =
        MakeSymbol({.type = kEAN13CouponType,
                    .code = "9-912345-678909 (8100)1 23456",
                    .magnification = 1.5,
                    .reductionMm = 0.02});
    const std::vector<std::vector<double>> foreign = {
        EdgesFromBars(SideBySide(Strivelo::kBarcodeTypeEAN13, "9-812345-678902", "(8100)123456")),
        EdgesFromBars(SideBySide(Strivelo::kBarcodeTypeEAN13, "9-912345-678909", "(10)1")),
        EdgesFromBars(MainOnly("9-912345-678909")),
    };
    const auto noneDecodes = [&] {
        const DecodedState before = DecodedState::Of(*coupon);
        for (const std::vector<double>& edges : foreign) {
            EXPECT_FALSE(coupon->DecodeEdges(edges.data(), Count(edges)));
            EXPECT_EQ(DecodedState::Of(*coupon), before);
        }
    };
    noneDecodes();
    // Also after a decoding, whose edges and results stay.
    const std::vector<double> edges =
        EdgesFromBars(Draw(*MakeSymbol({.type = kEAN13CouponType,
                                        .code = "9-934567-890129 (8101)1 23456 7890",
                                        .magnification = 2.0}))
                          .GetBars(),
                      {.backwards = true, .offsetMm = 300.0});
    ASSERT_TRUE(coupon->DecodeEdges(edges.data(), Count(edges)));
    noneDecodes();
    EXPECT_STREQ(coupon->GetCode(), "9-934567-890129 (8101)1 23456 7890");
    EXPECT_TRUE(coupon->IsReadReversed());
}

TEST(CouponDecodeTest, SixtyEdgesOrFewerAreRefused) {
    const std::vector<double> main = EdgesFromBars(MainOnly("9-912345-678909"));
    ASSERT_EQ(main.size(), 60u);
    for (const std::int32_t type : {kEAN13CouponType, kUPCACouponType}) {
        const std::unique_ptr<BarcodeProcessor> reader = MakeProcessor(type);
        for (std::uint32_t count = 0; count <= 60; ++count) {
            EXPECT_FALSE(reader->Decode(main.data(), count, false)) << count;
        }
        EXPECT_FALSE(reader->Decode(nullptr, 68, false));
    }
}

}  // namespace
}  // namespace StriveloTest
