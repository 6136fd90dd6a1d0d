#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "BarEdges.h"
#include "FakeSymbology.h"
#include "RecordingDeltaBarDriver.h"

namespace StriveloTest {
namespace {

using Strivelo::BarcodeProcessor;
using testing::DoubleNear;
using testing::Pointwise;

std::vector<BarMove> RunDriver(const BarcodeProcessor& processor, double targetMm) {
    RecordingDeltaBarDriver driver(processor);
    driver.SetBarWidthReduction(targetMm);
    EXPECT_TRUE(driver.Run());
    return driver.GetMoves();
}

// Moves the lower and the upper edge of each bar as the driver asks.
std::vector<double> Apply(std::vector<double> edges, const std::vector<BarMove>& moves) {
    for (const BarMove& move : moves) {
        const std::uint32_t a = move.barEdgeIndex;
        const std::uint32_t lower = edges[a] < edges[a + 1] ? a : a + 1;
        edges[lower] += move.leftDeltaMm;
        edges[a + a + 1 - lower] += move.rightDeltaMm;
    }
    return edges;
}

TEST(DeltaBarDriverTest, WithoutEdgesMovesNothing) {
    FakeSymbology processor(kFakeSpec);
    EXPECT_TRUE(RunDriver(processor, 0.05).empty());
}

TEST(DeltaBarDriverTest, ReportsARefusedBarButHandsOverAll) {
    FakeSymbology processor(kFakeSpec);
    const std::vector<double> edges = EdgesFromBars(DrawFake(kFakeSpec));
    ASSERT_TRUE(processor.DecodeEdges(edges.data(), 6));
    RecordingDeltaBarDriver driver(processor);
    driver.RefuseMoves(2);
    EXPECT_FALSE(driver.Run());
    EXPECT_EQ(driver.GetMoves().size(), 3u);
}

struct DriverCase {
    const char* name;
    EdgeOptions options;
    bool descending;
    std::vector<std::uint32_t> barEdges;
};

const DriverCase kDriverCases[] = {
    {"Forwards", {false, 0.0, 20.0}, false, {0, 2, 4}},
    {"Backwards", {true, 0.0, 80.0}, false, {4, 2, 0}},
    {"ListedRightToLeft", {false, 0.0, 20.0}, true, {4, 2, 0}},
};

class DeltaBarDriverCaseTest : public testing::TestWithParam<DriverCase> {
protected:
    static constexpr double kPrintedMm = 0.06;

    std::vector<double> Edges(double reductionMm, double noiseMm = 0.0) const {
        EdgeOptions options = GetParam().options;
        options.noiseMm = noiseMm;
        std::vector<double> edges = EdgesFromBars(DrawFake(kFakeSpec, reductionMm, 1.2), options);
        if (GetParam().descending) {
            std::reverse(edges.begin(), edges.end());
        }
        return edges;
    }

    void Decode(const std::vector<double>& edges) {
        ASSERT_TRUE(processor_.DecodeEdges(edges.data(), 6));
    }

    FakeSymbology processor_{kFakeSpec};
};

TEST_P(DeltaBarDriverCaseTest, HandsOverEveryBarInTheCallersOrder) {
    Decode(Edges(kPrintedMm, 0.003));
    std::vector<std::uint32_t> barEdges;
    for (const BarMove& move : RunDriver(processor_, kPrintedMm)) {
        barEdges.push_back(move.barEdgeIndex);
    }
    EXPECT_EQ(barEdges, GetParam().barEdges);
}

// Noise makes the moves differ bar by bar; raising the target narrows every
// bar from both sides.
TEST_P(DeltaBarDriverCaseTest, TargetNarrowsEveryBarFromBothSides) {
    Decode(Edges(kPrintedMm, 0.003));
    const double initial = processor_.GetBarWidthReduction();
    const std::vector<BarMove> same = RunDriver(processor_, initial);
    const std::vector<BarMove> narrower = RunDriver(processor_, initial + 0.02);
    ASSERT_EQ(same.size(), 3u);
    ASSERT_EQ(narrower.size(), 3u);
    // The first bar read keeps its start; read reversed, that is its upper edge.
    EXPECT_NEAR(processor_.IsReadReversed() ? same[0].rightDeltaMm : same[0].leftDeltaMm, 0.0,
                1e-12);
    for (std::size_t i = 0; i < same.size(); ++i) {
        EXPECT_NEAR(narrower[i].leftDeltaMm - same[i].leftDeltaMm, 0.01, 1e-12) << i;
        EXPECT_NEAR(narrower[i].rightDeltaMm - same[i].rightDeltaMm, -0.01, 1e-12) << i;
    }
}

TEST_P(DeltaBarDriverCaseTest, MovedEdgesAreTheSymbolAtTheTargetReduction) {
    const std::vector<double> printed = Edges(kPrintedMm);
    Decode(printed);
    for (const double target : {0.0, 0.01, -0.02}) {
        EXPECT_THAT(Apply(printed, RunDriver(processor_, target)),
                    Pointwise(DoubleNear(1e-9), Edges(target)))
            << target;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, DeltaBarDriverCaseTest, testing::ValuesIn(kDriverCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace StriveloTest
