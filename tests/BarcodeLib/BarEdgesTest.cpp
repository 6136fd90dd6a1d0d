#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BarEdges.h"
#include "FakeSymbology.h"

namespace StriveloTest {
namespace {

using testing::DoubleNear;
using testing::Pointwise;

// Bars 1-2 and 4-7 mm, sent right to left.
const std::vector<RecordedBar> kBars = {{4, 7, 0, 10}, {1, 2, 0, 10}};

struct EdgeCase {
    const char* name;
    EdgeOptions options;
    std::vector<double> edges;
};

const EdgeCase kEdgeCases[] = {
    {"Forwards", {}, {1, 2, 4, 7}},
    {"Offset", {false, 0.0, 10.0}, {11, 12, 14, 17}},
    {"PrintedNarrower", {false, 0.2}, {1.1, 1.9, 4.1, 6.9}},
    {"Backwards", {true, 0.0, 10.0}, {3, 6, 8, 9}},
};

class EdgesFromBarsTest : public testing::TestWithParam<EdgeCase> {};

TEST_P(EdgesFromBarsTest, ListsTwoEdgesPerBarInReadingOrder) {
    EXPECT_THAT(EdgesFromBars(kBars, GetParam().options),
                Pointwise(DoubleNear(1e-12), GetParam().edges));
}

INSTANTIATE_TEST_SUITE_P(Cases, EdgesFromBarsTest, testing::ValuesIn(kEdgeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EdgesFromBarsNoiseTest, IsBoundedAndRepeatable) {
    const EdgeOptions noisy{false, 0.0, 0.0, 0.01, 7};
    const std::vector<double> edges = EdgesFromBars(kBars, noisy);
    EXPECT_EQ(edges, EdgesFromBars(kBars, noisy));
    EXPECT_NE(edges, EdgesFromBars(kBars, {false, 0.0, 0.0, 0.01, 8}));
    EXPECT_THAT(edges, Pointwise(DoubleNear(0.01), std::vector<double>{1, 2, 4, 7}));
}

TEST(ModuleStringTest, ReadsTheDrawnPatternAtAnyReduction) {
    for (const double reduction : {-0.2, 0.0, 0.2}) {
        EXPECT_EQ(ModuleString(DrawFake(kFakeSpec, reduction, 1.0), FakeSymbology::kModuleMm),
                  "10110111")
            << reduction;
    }
    EXPECT_EQ(ModuleString(kBars, 1.0), "100111");
}

TEST(RenderBarsTest, DrawsModulesBetweenQuietZones) {
    const oracles::GreyImage image = RenderBars(kBars, 1.0, 2, 3, 4);
    ASSERT_EQ(image.width, (6 + 2 * 3) * 2);
    ASSERT_EQ(image.height, 4);
    std::string row;
    for (int x = 0; x < image.width; ++x) {
        row += image.pixels[static_cast<std::size_t>(3 * image.width + x)] == 0 ? '1' : '0';
    }
    EXPECT_EQ(row, "000000110000111111000000");
}

}  // namespace
}  // namespace StriveloTest
