#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "BarEdges.h"
#include "BarcodeFourCC.h"
#include "BarcodeProcessor.h"
#include "DecodedState.h"
#include "FakeSymbology.h"

namespace StriveloTest {
namespace {

using Strivelo::BarcodeProcessor;
using Strivelo::FourCC;
using testing::DoubleNear;
using testing::ElementsAreArray;
using testing::Pointwise;

constexpr FakeSpec kOther{.type = FourCC("toth"), .name = "Other", .pattern = kOtherFakePattern};
// Tells the elements of any list wide or narrow.
constexpr FakeSpec kWideNarrow{.type = FourCC("twnr"), .name = "Fake wide/narrow", .pattern = {}};
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct NormaliseCase {
    const char* name;
    std::vector<double> edges;
    bool reversed;
    std::vector<double> stored;
    std::uint32_t callerIndexOfFirst;
};

const NormaliseCase kNormaliseCases[] = {
    {"AscendingForwards", {10, 11, 15, 18}, false, {0, 1, 5, 8}, 0},
    {"DescendingForwards", {18, 15, 11, 10}, false, {0, 1, 5, 8}, 3},
    {"AscendingReversed", {10, 11, 15, 18}, true, {0, 3, 7, 8}, 3},
    {"DescendingReversed", {18, 15, 11, 10}, true, {0, 3, 7, 8}, 0},
};

class SetMeasuredEdgesTest : public testing::TestWithParam<NormaliseCase> {};

TEST_P(SetMeasuredEdgesTest, StoresTheListIncreasingFromZero) {
    const NormaliseCase& c = GetParam();
    FakeSymbology processor(kFakeSpec);
    ASSERT_TRUE(processor.SetMeasuredEdges(c.edges.data(), 4, c.reversed));
    EXPECT_THAT(MeasuredEdges(processor), ElementsAreArray(c.stored));
    EXPECT_THAT(IdealEdges(processor), ElementsAreArray(c.stored));
    EXPECT_EQ(processor.IsReadReversed(), c.reversed);
    EXPECT_EQ(processor.ToCallerEdgeIndex(0), c.callerIndexOfFirst);
}

INSTANTIATE_TEST_SUITE_P(Cases, SetMeasuredEdgesTest, testing::ValuesIn(kNormaliseCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SetMeasuredEdgesRefusalTest, EmptyOrNotFiniteListsLeaveTheStoredOne) {
    FakeSymbology processor(kFakeSpec);
    const double stored[] = {10, 11, 15, 18};
    ASSERT_TRUE(processor.SetMeasuredEdges(stored, 4, false));
    const double notFinite[] = {10, kNaN, 15, 18};
    EXPECT_FALSE(processor.SetMeasuredEdges(notFinite, 4, false));
    EXPECT_FALSE(processor.SetMeasuredEdges(stored, 0, false));
    EXPECT_FALSE(processor.SetMeasuredEdges(nullptr, 4, false));
    EXPECT_THAT(MeasuredEdges(processor), ElementsAreArray({0.0, 1.0, 5.0, 8.0}));
}

TEST(SetMeasuredEdgesRefusalTest, NewEdgesForgetTheDecodedSymbol) {
    FakeSymbology processor(kFakeSpec);
    const std::vector<double> edges = EdgesFromBars(DrawFake(kFakeSpec));
    ASSERT_TRUE(processor.DecodeEdges(edges.data(), 6));
    ASSERT_TRUE(processor.SetMeasuredEdges(edges.data(), 6, false));
    EXPECT_STREQ(processor.GetCode(), "FAKE");
    EXPECT_EQ(processor.GetHeightBarEdge(), -1);
    std::int32_t first = 0, last = 0;
    EXPECT_FALSE(processor.GetSymbolEdgeRange(&first, &last));
    EXPECT_EQ(IdealEdges(processor), MeasuredEdges(processor));
}

// A family's decode buffer is made for the first count and kept: every change
// of count, also by a failed attempt, must end it first.
TEST(DecodeBufferTest, FollowsEveryChangeOfCount) {
    FakeSymbology processor(kWideNarrow);
    const std::vector<double> eight = {0, 1.0, 1.4, 1.8, 2.8, 3.2, 4.2, 4.6};
    const std::vector<double> sixFailing = {0, 1, 2, 3, 4, 5};
    ASSERT_TRUE(processor.DecodeEdges(eight.data(), 8));
    EXPECT_FALSE(processor.DecodeEdges(sixFailing.data(), 6));
    EXPECT_EQ(processor.GetBufferSize(), 5u);
    EXPECT_TRUE(processor.DecodeEdges(eight.data(), 8));
    EXPECT_EQ(processor.GetBufferSize(), 7u);

    FakeSymbology fake(kFakeSpec);
    const double four[] = {0, 1, 2, 3};
    ASSERT_TRUE(fake.SetMeasuredEdges(four, 4, false));
    const int ended = fake.GetEndDecodeCalls();
    ASSERT_TRUE(fake.SetMeasuredEdges(four, 4, true));
    EXPECT_EQ(fake.GetEndDecodeCalls(), ended);
    EXPECT_EQ(fake.GetBufferSize(), 3u);
}

struct ReadCase {
    const char* name;
    double drawnReductionMm;
    double magnification;
    EdgeOptions options;
    bool descending;
    bool readReversed;
    std::int32_t heightBarEdge;
    std::int32_t firstEdge;
    std::int32_t lastEdge;
};

const ReadCase kReadCases[] = {
    {.name = "Forwards",
     .drawnReductionMm = 0.0,
     .magnification = 1.0,
     .options = {},
     .descending = false,
     .readReversed = false,
     .heightBarEdge = 2,
     .firstEdge = 0,
     .lastEdge = 5},
    {.name = "PrintedNarrower",
     .drawnReductionMm = 0.0,
     .magnification = 1.0,
     .options = {false, 0.02, 30.0},
     .descending = false,
     .readReversed = false,
     .heightBarEdge = 2,
     .firstEdge = 0,
     .lastEdge = 5},
    {.name = "DrawnAndPrintedNarrower",
     .drawnReductionMm = 0.04,
     .magnification = 1.5,
     .options = {false, 0.02, -7.0},
     .descending = false,
     .readReversed = false,
     .heightBarEdge = 2,
     .firstEdge = 0,
     .lastEdge = 5},
    {.name = "DrawnWider",
     .drawnReductionMm = -0.05,
     .magnification = 0.8,
     .options = {},
     .descending = false,
     .readReversed = false,
     .heightBarEdge = 2,
     .firstEdge = 0,
     .lastEdge = 5},
    {.name = "Backwards",
     .drawnReductionMm = 0.03,
     .magnification = 1.0,
     .options = {true, 0.0, 100.0},
     .descending = false,
     .readReversed = true,
     .heightBarEdge = 3,
     .firstEdge = 5,
     .lastEdge = 0},
    {.name = "ListedRightToLeft",
     .drawnReductionMm = 0.03,
     .magnification = 1.0,
     .options = {},
     .descending = true,
     .readReversed = false,
     .heightBarEdge = 3,
     .firstEdge = 5,
     .lastEdge = 0},
};

class DecodeMeasuresTest : public testing::TestWithParam<ReadCase> {
protected:
    void SetUp() override {
        const ReadCase& c = GetParam();
        edges_ = EdgesFromBars(DrawFake(kFakeSpec, c.drawnReductionMm, c.magnification), c.options);
        if (c.descending) {
            std::reverse(edges_.begin(), edges_.end());
        }
        ASSERT_TRUE(processor_.DecodeEdges(edges_.data(), 6));
    }

    FakeSymbology processor_{kFakeSpec};
    std::vector<double> edges_;
};

TEST_P(DecodeMeasuresTest, GivesBackWhatWasDrawnAndPrinted) {
    const ReadCase& c = GetParam();
    EXPECT_STREQ(processor_.GetCode(), "FAKE");
    EXPECT_NEAR(processor_.GetBarWidthReduction(), c.drawnReductionMm + c.options.extraReductionMm,
                1e-12);
    EXPECT_NEAR(processor_.MeasureBarWidthReduction(0, 6), processor_.GetBarWidthReduction(),
                1e-15);
    EXPECT_NEAR(processor_.GetMagnification(), c.magnification, 1e-12);
    double maximum = -1.0;
    EXPECT_NEAR(processor_.ComputeDeviation(&maximum), 0.0, 1e-12);
    EXPECT_NEAR(maximum, 0.0, 1e-12);
}

TEST_P(DecodeMeasuresTest, AnswersIndicesInTheCallersOrder) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(processor_.IsReadReversed(), c.readReversed);
    EXPECT_EQ(processor_.GetHeightBarEdge(), c.heightBarEdge);
    std::int32_t first = -2, last = -2;
    ASSERT_TRUE(processor_.GetSymbolEdgeRange(&first, &last));
    EXPECT_EQ(first, c.firstEdge);
    EXPECT_EQ(last, c.lastEdge);
}

INSTANTIATE_TEST_SUITE_P(Cases, DecodeMeasuresTest, testing::ValuesIn(kReadCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DeviationTest, OneEdgeOffShowsAsTheMaximum) {
    std::vector<double> edges = EdgesFromBars(DrawFake(kFakeSpec));
    edges[2] += 0.1;
    FakeSymbology processor(kFakeSpec);
    ASSERT_TRUE(processor.DecodeEdges(edges.data(), 6));
    // The moved start also narrows its bar, which the measured reduction
    // spreads over every bar end.
    const double reduction = 0.1 * 2 / 6;
    EXPECT_NEAR(processor.GetBarWidthReduction(), reduction, 1e-12);
    EXPECT_NEAR(processor.GetMaxDeviation(), 0.1, 1e-12);
    EXPECT_NEAR(processor.GetMeanDeviation(), (0.1 + 3 * reduction) / 6, 1e-12);
}

TEST(DeviationTest, NoCodeGivesZeroAndWritesTheMaximum) {
    FakeSymbology processor(kFakeSpec);
    const double edges[] = {0, 1, 2, 5};
    ASSERT_TRUE(processor.SetMeasuredEdges(edges, 4, false));
    double maximum = -1.0;
    EXPECT_EQ(processor.ComputeDeviation(&maximum), 0.0);
    EXPECT_EQ(maximum, 0.0);
    EXPECT_EQ(processor.GetMaxDeviation(), 0.0);
    EXPECT_EQ(processor.MeasureBarWidthReduction(0, 4), 0.0);
    std::int32_t first = 0, last = 0;
    EXPECT_FALSE(processor.GetSymbolEdgeRange(&first, &last));
    EXPECT_EQ(processor.GetHeightBarEdge(), -1);
}

// Everything a decoding may change, as the caller sees it.
struct Snapshot {
    std::string code;
    std::string name;
    double reduction;
    double magnification;
    std::vector<double> measured;
    std::vector<double> ideal;
    bool readReversed;
    std::int32_t heightBarEdge;
    std::int32_t firstEdge;
    std::int32_t lastEdge;
    double meanDeviation;

    bool operator==(const Snapshot&) const = default;
};

Snapshot TakeSnapshot(const BarcodeProcessor& processor) {
    Snapshot s{processor.GetCode(),
               processor.GetNameOrDashes(),
               processor.GetBarWidthReduction(),
               processor.GetMagnification(),
               MeasuredEdges(processor),
               IdealEdges(processor),
               processor.IsReadReversed(),
               processor.GetHeightBarEdge(),
               -1,
               -1,
               processor.GetMeanDeviation()};
    processor.GetSymbolEdgeRange(&s.firstEdge, &s.lastEdge);
    return s;
}

struct FailedDecodeCase {
    const char* name;
    std::function<bool(FakeSymbology&)> attempt;
};

// Keeps the test names readable; a std::function prints as raw bytes.
void PrintTo(const FailedDecodeCase& c, std::ostream* os) {
    *os << c.name;
}

const FailedDecodeCase kFailedDecodeCases[] = {
    {"WrongCount",
     [](FakeSymbology& p) {
         const std::vector<double> edges = {0, 1, 2, 3, 4, 5, 6, 7};
         return p.DecodeEdges(edges.data(), 8);
     }},
    {"ForeignPattern",
     [](FakeSymbology& p) {
         const std::vector<double> edges = EdgesFromBars(DrawFake(kOther, 0.01, 1.2));
         return p.DecodeEdges(edges.data(), 6);
     }},
    {"CodeRefused",
     [](FakeSymbology& p) {
         p.SetDecodedCode("bad");
         const std::vector<double> edges = EdgesFromBars(DrawFake(kFakeSpec, 0.01, 1.2), {true});
         return p.DecodeEdges(edges.data(), 6);
     }},
    {"NotFinite",
     [](FakeSymbology& p) {
         std::vector<double> edges = EdgesFromBars(DrawFake(kFakeSpec, 0.01, 1.2));
         edges[3] = kNaN;
         return p.DecodeEdges(edges.data(), 6);
     }},
    {"Empty", [](FakeSymbology& p) { return p.DecodeEdges(nullptr, 0); }},
};

class FailedDecodeTest : public testing::TestWithParam<FailedDecodeCase> {};

TEST_P(FailedDecodeTest, LeavesTheProcessorAsItWas) {
    FakeSymbology processor(kFakeSpec);
    const std::vector<double> edges = EdgesFromBars(DrawFake(kFakeSpec, 0.04, 1.0), {false, 0.01});
    ASSERT_TRUE(processor.DecodeEdges(edges.data(), 6));
    const Snapshot before = TakeSnapshot(processor);
    EXPECT_FALSE(GetParam().attempt(processor));
    EXPECT_TRUE(TakeSnapshot(processor) == before);
}

TEST_P(FailedDecodeTest, LeavesAFreshProcessorWithoutCode) {
    FakeSymbology processor(kFakeSpec);
    EXPECT_FALSE(GetParam().attempt(processor));
    EXPECT_STREQ(processor.GetNameOrDashes(), "--------");
    EXPECT_TRUE(MeasuredEdges(processor).empty());
    EXPECT_EQ(processor.GetBarWidthReduction(), 0.0);
    EXPECT_EQ(processor.GetMagnification(), 1.0);
}

INSTANTIATE_TEST_SUITE_P(Cases, FailedDecodeTest, testing::ValuesIn(kFailedDecodeCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct ClassifierCase {
    const char* name;
    std::vector<double> edges;
    std::uint32_t gapPeriod;
    bool classified;
    const char* letters;
};

// Bars W N N W N, spaces N W N N around narrow 4 and wide 10, module 4: an
// element may lie half a module (2) from its class's mean.
const ClassifierCase kClassifierCases[] = {
    {"AsDrawn", {0, 1.0, 1.4, 1.8, 2.8, 3.2}, 0, true, "WNNWN"},
    // All bars narrow: the wide bars' group borrows the wide spaces' mean.
    {"WideBarsBorrowFromWideSpaces", {0, 0.4, 0.8, 1.2, 2.2, 2.6}, 0, true, "NNNWN"},
    // Wide bars 12 and 8 around their mean of 10.
    {"HalfAModuleFromTheClassMean", {0, 12, 16, 20, 30, 34, 38, 46, 50, 54}, 0, true, "WNNWNNWNN"},
    // Wide bars 12.25 and 7.75.
    {"BeyondHalfAModule", {0, 12.25, 16.25, 20.25, 30.25, 34.25, 38.25, 46, 50, 54}, 0, false, ""},
    // One wide element of each kind among many narrow ones of some spread.
    {"FewWideAmongManyNarrow",
     {0, 10, 13.5, 18, 22, 26, 29.5, 34, 44, 48, 51.5, 55.5},
     0,
     true,
     "WNNNNNNWNNN"},
    {"NoWideElements", {0, 1, 2, 3, 4, 5}, 0, false, ""},
    // Element 4 is a gap a little wider than a module, which would count as a
    // wide space.
    {"GapsSetApart", {0, 1.0, 1.4, 1.8, 2.3, 2.7, 3.7, 4.1}, 4, true, "WNNINWN"},
};

class ClassifierTest : public testing::TestWithParam<ClassifierCase> {};

TEST_P(ClassifierTest, ClassifiesWithinHalfAModuleOfTheClassMeans) {
    const ClassifierCase& c = GetParam();
    FakeSymbology processor({.type = kWideNarrow.type,
                             .name = kWideNarrow.name,
                             .pattern = {},
                             .gapPeriod = c.gapPeriod});
    const auto count = static_cast<std::uint32_t>(c.edges.size());
    ASSERT_EQ(processor.Decode(c.edges.data(), count, false), c.classified);
    if (!c.classified) {
        EXPECT_EQ(processor.GetWideNarrowRatio(), 2.5);
        return;
    }
    EXPECT_EQ(processor.GetLetters(), c.letters);
}

INSTANTIATE_TEST_SUITE_P(Cases, ClassifierTest, testing::ValuesIn(kClassifierCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct FitCase {
    const char* name;
    std::vector<double> edges;
    double moduleMm;
    double ratio;
    double reductionMm;
};

// The ideal edges of the letters fit exact edges of any module, ratio and
// reduction; a wide element is the ratio times a narrow one.
const FitCase kFitCases[] = {
    {"Ratio25", {0, 1.0, 1.4, 1.8, 2.8, 3.2}, 0.4, 2.5, 0.0},
    {"Ratio3", {0, 1.2, 1.6, 2.0, 3.2, 3.6}, 0.4, 3.0, 0.0},
    // Bars 0.1 narrower, spaces 0.1 wider.
    {"Reduced", {0, 0.9, 1.4, 1.7, 2.8, 3.1}, 0.4, 2.5, 0.1},
};

class WideNarrowFitTest : public testing::TestWithParam<FitCase> {};

TEST_P(WideNarrowFitTest, GivesModuleRatioAndReduction) {
    const FitCase& c = GetParam();
    FakeSymbology processor(kWideNarrow);
    ASSERT_TRUE(
        processor.Decode(c.edges.data(), static_cast<std::uint32_t>(c.edges.size()), false));
    EXPECT_NEAR(processor.GetMagnification(), c.moduleMm, 1e-12);
    EXPECT_NEAR(processor.GetWideNarrowRatio(), c.ratio, 1e-12);
    EXPECT_NEAR(processor.GetBarWidthReduction(), c.reductionMm, 1e-12);
    EXPECT_NEAR(processor.GetMaxDeviation(), 0.0, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Cases, WideNarrowFitTest, testing::ValuesIn(kFitCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ClassifierTest, FailedClassificationKeepsTheMeasuredRatio) {
    FakeSymbology processor(kWideNarrow);
    // Wide elements three times the narrow ones.
    const std::vector<double> drawn = {0, 1.2, 1.6, 2.0, 3.2, 3.6};
    ASSERT_TRUE(processor.DecodeEdges(drawn.data(), 6));
    EXPECT_NEAR(processor.GetWideNarrowRatio(), 3.0, 1e-12);
    const std::vector<double> beyond = {0, 12.25, 16.25, 20.25, 30.25, 34.25, 38.25, 46, 50, 54};
    EXPECT_FALSE(processor.DecodeEdges(beyond.data(), 10));
    EXPECT_NEAR(processor.GetWideNarrowRatio(), 3.0, 1e-12);
    EXPECT_THAT(MeasuredEdges(processor), Pointwise(DoubleNear(1e-12), drawn));
}

struct OrientationCase {
    const char* name;
    BarcodeProcessor::BarBounds first;
    BarcodeProcessor::BarBounds last;
    std::uint32_t orientation;
};

// Bounds are left, top, right, bottom.
const OrientationCase kOrientationCases[] = {
    {"SideBySideAscending", {0, 10, 1, 0}, {20, 10, 21, 0}, 2},
    {"SideBySideDescending", {20, 10, 21, 0}, {0, 10, 1, 0}, 4},
    {"OneBar", {0, 10, 1, 0}, {0, 10, 1, 0}, 4},
    {"StackedAscending", {0, 1, 10, 0}, {0, 21, 10, 20}, 3},
    {"StackedDescending", {0, 21, 10, 20}, {0, 1, 10, 0}, 5},
    {"Oblique", {0, 10, 1, 0}, {20, 12, 21, 2}, 1},
};

class OrientationTest : public testing::TestWithParam<OrientationCase> {};

TEST_P(OrientationTest, ClassifiesFromTheOuterBars) {
    const OrientationCase& c = GetParam();
    FakeSymbology processor(kFakeSpec);
    EXPECT_EQ(processor.ClassifyOrientation(c.first, c.last), c.orientation);
    EXPECT_EQ(processor.GetOrientation(), BarcodeProcessor::kOrientationUnknown);
    const std::vector<double> edges = EdgesFromBars(DrawFake(kFakeSpec));
    ASSERT_TRUE(processor.DecodeEdges(edges.data(), 6));
    EXPECT_EQ(processor.GetOrientation(), c.orientation);
}

INSTANTIATE_TEST_SUITE_P(Cases, OrientationTest, testing::ValuesIn(kOrientationCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace StriveloTest
