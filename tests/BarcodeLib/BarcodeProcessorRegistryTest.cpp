#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "BarEdges.h"
#include "BarcodeFourCC.h"
#include "BarcodeProcessorIdentification.h"
#include "BarcodeProcessorRegistry.h"
#include "FakeSymbology.h"

namespace StriveloTest {
namespace {

using Strivelo::BarcodeProcessor;
using Strivelo::BarcodeProcessorFactory;
using Strivelo::CreateByIndex;
using Strivelo::CreateByType;
using Strivelo::FourCC;
using Strivelo::FreeRegistry;
using Strivelo::IdentifyFromEdges;
using Strivelo::IdentifyNextCandidate;
using Strivelo::RegisterSymbology;

// Four symbologies that read the same bars, their ideal edges after the first
// moved by 0, 0.01, 0 and 0.02 mm, and one that reads other bars.
constexpr FakeSpec kA{.type = FourCC("tfaa"), .name = "A"};
constexpr FakeSpec kB{.type = FourCC("tfbb"), .name = "B", .idealOffsetMm = 0.01};
constexpr FakeSpec kC{.type = FourCC("tfcc"), .name = "C"};
constexpr FakeSpec kD{.type = FourCC("tfdd"), .name = "D", .idealOffsetMm = 0.02};
constexpr FakeSpec kE{.type = FourCC("tfee"), .name = "E", .pattern = kOtherFakePattern};

template <const FakeSpec& kSpec>
std::unique_ptr<BarcodeProcessor> MakeFake() {
    return std::make_unique<FakeSymbology>(kSpec);
}

class RegistryTest : public testing::Test {
protected:
    void SetUp() override { FreeRegistry(); }
    void TearDown() override { FreeRegistry(); }

    static void Register(
        const std::vector<std::pair<std::int32_t, BarcodeProcessorFactory>>& list) {
        for (const auto& [type, factory] : list) {
            ASSERT_TRUE(RegisterSymbology(type, factory));
        }
    }

    static std::string NameAt(std::uint32_t index) {
        const std::unique_ptr<BarcodeProcessor> processor = CreateByIndex(index);
        return processor ? processor->GetName() : "null";
    }
};

TEST_F(RegistryTest, RegisteringAgainKeepsThePositionWithTheNewFactory) {
    Register({{kA.type, MakeFake<kA>}, {kB.type, MakeFake<kB>}, {kA.type, MakeFake<kC>}});
    EXPECT_EQ(NameAt(0), "C");
    EXPECT_EQ(NameAt(1), "B");
    EXPECT_EQ(NameAt(2), "null");
    EXPECT_STREQ(CreateByType(kA.type)->GetName(), "C");
    EXPECT_FALSE(RegisterSymbology(kD.type, nullptr));
    EXPECT_EQ(NameAt(2), "null");
}

TEST_F(RegistryTest, UnknownTypesGiveNull) {
    Register({{kA.type, MakeFake<kA>}});
    for (const std::int32_t type : {FourCC("isbb"), FourCC("isbd"), FourCC("zzzz")}) {
        EXPECT_EQ(CreateByType(type), nullptr);
    }
}

TEST_F(RegistryTest, FreedRegistryKnowsNothingUntilTheNextRegistration) {
    Register({{kA.type, MakeFake<kA>}, {kB.type, MakeFake<kB>}});
    FreeRegistry();
    EXPECT_EQ(CreateByType(kA.type), nullptr);
    EXPECT_EQ(CreateByIndex(0), nullptr);
    FreeRegistry();
    Register({{kB.type, MakeFake<kB>}});
    EXPECT_EQ(NameAt(0), "B");
    EXPECT_EQ(CreateByType(kA.type), nullptr);
}

class IdentifyTest : public RegistryTest {
protected:
    std::vector<double> edges_ = EdgesFromBars(DrawFake(kA), {false, 0.0, 12.0});
};

struct IdentifyCase {
    const char* name;
    std::vector<std::pair<std::int32_t, BarcodeProcessorFactory>> registry;
    const char* found;
    bool ambiguous;
};

const IdentifyCase kIdentifyCases[] = {
    {"TieKeepsTheEarlierRegistered",
     {{kE.type, MakeFake<kE>}, {kC.type, MakeFake<kC>}, {kA.type, MakeFake<kA>}},
     "C",
     true},
    {"SmallerDeviationWinsWhereverRegistered",
     {{kD.type, MakeFake<kD>}, {kB.type, MakeFake<kB>}},
     "B",
     true},
    {"SingleDecoderIsNotAmbiguous", {{kE.type, MakeFake<kE>}, {kB.type, MakeFake<kB>}}, "B", false},
};

class IdentifyCaseTest : public IdentifyTest, public testing::WithParamInterface<IdentifyCase> {};

TEST_P(IdentifyCaseTest, KeepsTheSmallestDeviation) {
    Register(GetParam().registry);
    bool ambiguous = !GetParam().ambiguous;
    const std::unique_ptr<BarcodeProcessor> found = IdentifyFromEdges(edges_.data(), 6, &ambiguous);
    ASSERT_NE(found, nullptr);
    EXPECT_STREQ(found->GetName(), GetParam().found);
    EXPECT_EQ(ambiguous, GetParam().ambiguous);
}

INSTANTIATE_TEST_SUITE_P(Cases, IdentifyCaseTest, testing::ValuesIn(kIdentifyCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(IdentifyTest, NothingDecodesGivesNull) {
    Register({{kE.type, MakeFake<kE>}});
    bool ambiguous = true;
    EXPECT_EQ(IdentifyFromEdges(edges_.data(), 6, &ambiguous), nullptr);
    EXPECT_FALSE(ambiguous);
    EXPECT_EQ(IdentifyNextCandidate(nullptr, &ambiguous), nullptr);
    EXPECT_FALSE(ambiguous);
}

// Order by (deviation, position): A and C tie at 0, then B, then D.
TEST_F(IdentifyTest, NextCandidateWalksByDeviationThenPosition) {
    Register({{kA.type, MakeFake<kA>},
              {kB.type, MakeFake<kB>},
              {kC.type, MakeFake<kC>},
              {kD.type, MakeFake<kD>},
              {kE.type, MakeFake<kE>}});
    struct Step {
        const char* name;
        bool ambiguous;
    };
    const Step walk[] = {{"A", true}, {"C", true}, {"B", true}, {"D", false}};
    bool ambiguous = false;
    std::unique_ptr<BarcodeProcessor> current = IdentifyFromEdges(edges_.data(), 6, &ambiguous);
    for (const Step& step : walk) {
        ASSERT_NE(current, nullptr) << step.name;
        EXPECT_STREQ(current->GetName(), step.name);
        EXPECT_EQ(ambiguous, step.ambiguous) << step.name;
        current = IdentifyNextCandidate(current.get(), &ambiguous);
    }
    EXPECT_EQ(current, nullptr);
    EXPECT_FALSE(ambiguous);
}

// The candidate decodes the current processor's stored list, yet answers in
// the terms of the list the current one was given.
TEST_F(IdentifyTest, NextCandidateKeepsBarHeightAndTheCallersOrder) {
    Register({{kA.type, MakeFake<kA>}, {kB.type, MakeFake<kB>}});
    const std::vector<double> backwards = EdgesFromBars(DrawFake(kA), {true, 0.0, 50.0});
    bool ambiguous = false;
    std::unique_ptr<BarcodeProcessor> current = IdentifyFromEdges(backwards.data(), 6, &ambiguous);
    ASSERT_NE(current, nullptr);
    ASSERT_TRUE(current->IsReadReversed());
    current->SetBarHeight(12.5);
    const std::unique_ptr<BarcodeProcessor> next = IdentifyNextCandidate(current.get(), &ambiguous);
    ASSERT_NE(next, nullptr);
    EXPECT_STREQ(next->GetName(), "B");
    EXPECT_EQ(next->GetBarHeight(), 12.5);
    EXPECT_TRUE(next->IsReadReversed());
    EXPECT_EQ(next->GetHeightBarEdge(), current->GetHeightBarEdge());
    std::int32_t first = 0, last = 0, currentFirst = 0, currentLast = 0;
    ASSERT_TRUE(next->GetSymbolEdgeRange(&first, &last));
    ASSERT_TRUE(current->GetSymbolEdgeRange(&currentFirst, &currentLast));
    EXPECT_EQ(first, currentFirst);
    EXPECT_EQ(last, currentLast);
}

}  // namespace
}  // namespace StriveloTest
