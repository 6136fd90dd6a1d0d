#include "EanRoundTrip.h"

#include <memory>
#include <vector>

#include "BarEdges.h"
#include "BarcodeProcessorIdentification.h"
#include "CaseName.h"
#include "Drawing.h"
#include "EanUpcSupport.h"
#include "Symbols.h"

namespace StriveloTest {

using Strivelo::BarcodeProcessor;

void PrintTo(const EanRoundTripCase& c, std::ostream* os) {
    *os << c.name;
}

// At the smallest, nominal and largest magnification, with bars drawn
// wider, exact and narrower by half of what is allowed, read either way.
TEST_P(EanRoundTripTest, IdentifiesTypeCodeAndParameters) {
    const EanRoundTripCase& c = GetParam();
    const StandardRegistry registry(c.upcBeforeEan);
    for (const double m : {0.8, 1.0, 2.0}) {
        const double limit = 0.25 * kEanModuleMm * m;
        for (const double reduction : {-limit / 2, 0.0, limit / 2}) {
            const Drawing drawn = Draw(*MakeSymbol(
                {.type = c.type, .code = c.code, .magnification = m, .reductionMm = reduction}));
            ASSERT_TRUE(drawn.generated);
            for (const bool backwards : {false, true}) {
                SCOPED_TRACE(testing::Message() << "m " << m << ", reduction " << reduction
                                                << (backwards ? ", backwards" : ""));
                const std::vector<double> edges =
                    EdgesFromBars(drawn.GetBars(),
                                  {.backwards = backwards, .offsetMm = backwards ? 200.0 : 15.0});
                bool ambiguous = false;
                const std::unique_ptr<BarcodeProcessor> found = Strivelo::IdentifyFromEdges(
                    edges.data(), static_cast<std::uint32_t>(edges.size()), &ambiguous);
                ASSERT_NE(found, nullptr);
                EXPECT_EQ(TypeName(found->GetType()), TypeName(c.identifiedType));
                EXPECT_STREQ(found->GetCode(), c.identifiedCode);
                EXPECT_NEAR(found->GetMagnification(), m, 1e-6);
                EXPECT_NEAR(found->GetBarWidthReduction(), reduction, 1e-6);
                EXPECT_NEAR(found->GetMeanDeviation(), 0.0, 1e-9);
                EXPECT_EQ(found->IsReadReversed(), backwards);
                const std::int32_t last = static_cast<std::int32_t>(edges.size()) - 1;
                const auto inCallersOrder = [&](std::int32_t i) {
                    return backwards ? last - i : i;
                };
                EXPECT_EQ(found->GetHeightBarEdge(), inCallersOrder(c.heightBarEdge));
                std::int32_t first = -1;
                std::int32_t lastSymbol = -1;
                ASSERT_TRUE(found->GetSymbolEdgeRange(&first, &lastSymbol));
                EXPECT_EQ(first, inCallersOrder(0));
                EXPECT_EQ(lastSymbol, inCallersOrder(static_cast<std::int32_t>(c.mainEdges) - 1));
                if (c.identifiedType != c.type) {
                    EXPECT_TRUE(ambiguous);
                }
            }
        }
    }
}

}  // namespace StriveloTest
