#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "BarEdges.h"
#include "BarcodeProcessorIdentification.h"
#include "Code128TestSupport.h"
#include "Drawing.h"
#include "Symbols.h"

namespace StriveloTest {
namespace {

using Strivelo::BarcodeProcessor;

struct SymbolCase {
    const char* name;
    std::int32_t drawnAs;
    const char* code;
    // A Code 128 symbol that carries EAN-128 fields decodes as both with the
    // same deviation; EAN-128 is registered first and so wins.
    std::int32_t identifiedAs;
    const char* identifiedCode;
};

const SymbolCase kSymbolCases[] = {
    {"Digits", kCode128Type, "1234", kCode128Type, "1234"},
    {"SetAThenSetC", kCode128Type, "AB123456", kCode128Type, "AB123456"},
    {"MixedSets", kCode128Type, "a%09b %%", kCode128Type, "a%09b %%"},
    {"FunctionCharacters", kCode128Type, "%FNC2x%FNC3%FNC4", kCode128Type, "%FNC2x%FNC3%FNC4"},
    {"Fnc1WithoutFields", kCode128Type, "%FNC1ABC", kCode128Type, "%FNC1ABC"},
    {"Code128CarryingFields", kCode128Type, "%FNC10112345678901231", kEAN128Type,
     "(01)12345678901231"},
    {"EAN128Fixed", kEAN128Type, "(01)12345678901231(17)140704", kEAN128Type,
     "(01)12345678901231(17)140704"},
    {"EAN128WithSeparator", kEAN128Type, "(10)5%(21)12", kEAN128Type, "(10)5%(21)12"},
};

class Code128IdentificationTest
    : public testing::TestWithParam<std::tuple<SymbolCase, double, double, bool>> {
protected:
    StandardRegistry registry_;
};

// The smallest and largest module, and half the largest reduction either way.
TEST_P(Code128IdentificationTest, FindsTypeCodeModuleAndReductionAgain) {
    const auto& [symbol, module, reductionShare, backwards] = GetParam();
    const double reduction = reductionShare * 0.25 * module;
    const std::unique_ptr<BarcodeProcessor> drawn = MakeSymbol({.type = symbol.drawnAs,
                                                                .code = symbol.code,
                                                                .magnification = module,
                                                                .reductionMm = reduction});
    ASSERT_NE(drawn, nullptr);
    ASSERT_TRUE(drawn->ValidateParameters());
    EdgeOptions options;
    options.backwards = backwards;
    options.offsetMm = backwards ? 300.0 : 12.0;
    const std::vector<double> edges = EdgesFromBars(Draw(*drawn).GetBars(), options);

    bool ambiguous = false;
    const std::unique_ptr<BarcodeProcessor> found = Strivelo::IdentifyFromEdges(
        edges.data(), static_cast<std::uint32_t>(edges.size()), &ambiguous);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->GetType(), symbol.identifiedAs);
    EXPECT_STREQ(found->GetCode(), symbol.identifiedCode);
    EXPECT_NEAR(found->GetMagnification(), module, 1e-6);
    EXPECT_NEAR(found->GetBarWidthReduction(), reduction, 1e-6);
    EXPECT_EQ(found->IsReadReversed(), backwards);
}

using GridParam = std::tuple<SymbolCase, double, double, bool>;

std::string GridName(const testing::TestParamInfo<GridParam>& info) {
    const double reductionShare = std::get<2>(info.param);
    return std::string(std::get<0>(info.param).name) + "_X" +
           std::to_string(static_cast<int>(std::get<1>(info.param) * 100)) +
           (reductionShare < 0 ? "_Widened" : (reductionShare > 0 ? "_Narrowed" : "_Exact")) +
           (std::get<3>(info.param) ? "_Backwards" : "_Forwards");
}

INSTANTIATE_TEST_SUITE_P(Grid, Code128IdentificationTest,
                         testing::Combine(testing::ValuesIn(kSymbolCases),
                                          testing::Values(0.25, 1.0, 2.0),
                                          testing::Values(-0.5, 0.0, 0.5), testing::Bool()),
                         GridName);

}  // namespace
}  // namespace StriveloTest
