#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "BarEdges.h"
#include "BarcodeProcessorCodabar.h"
#include "DecodedState.h"
#include "Drawing.h"
#include "ParameterCase.h"
#include "PlesseyCodabarTestSupport.h"
#include "Symbols.h"
#include "ZXingOracle.h"
#include "ZintOracle.h"

namespace StriveloTest {
namespace {

using Strivelo::BarcodeProcessor;
using Strivelo::BarcodeProcessorBase3;
using Strivelo::FourCC;

// The module at magnification 1.
constexpr double kModuleMm = 0.25;
// Every traditional character with its gap, at magnification 1.
constexpr double kTraditionalCharacterMm = 2.54;

const std::string kAllData = "0123456789-$:/.+";
const std::string kThirtyDigits = "012345678901234567890123456789";

// The kit's processor of the type as the Codabar class it is.
std::unique_ptr<BarcodeProcessorBase3> MakeCodabar(std::int32_t type) {
    std::unique_ptr<BarcodeProcessor> processor = MakeProcessor(type);
    auto* codabar = dynamic_cast<BarcodeProcessorBase3*>(processor.get());
    EXPECT_NE(codabar, nullptr) << TypeName(type);
    if (codabar == nullptr) {
        return nullptr;
    }
    processor.release();
    return std::unique_ptr<BarcodeProcessorBase3>(codabar);
}

struct WidthCase {
    const char* name;
    std::int32_t type;
    double ratio;
    const char* text;
    bool fromBarCentres;
    double modules;
};

// "A1B" at ratio r: A and B have three wide elements, 1 two, and two gaps.
// Traditional: 3 x 2.54 - 0.442 mm = 28.712 modules; its centres leave out
// half of A's first bar (0.165) and of B's last (0.498).
const WidthCase kWidthCases[] = {
    {"Ratio25", kCoda, 2.5, "A1B", false, 35.0},
    {"Ratio25FromBarCentres", kCoda, 2.5, "A1B", true, 33.25},
    {"Ratio2", kCoda, 2.0, "A1B", false, 31.0},
    {"Ratio3", kCoda, 3.0, "A1B", false, 39.0},
    {"Traditional", kCodt, 2.5, "A1B", false, 28.712},
    {"TraditionalFromBarCentres", kCodt, 2.5, "A1B", true, 27.386},
    {"TraditionalIgnoresTheRatio", kCodt, 3.0, "A1B", false, 28.712},
    {"NotInTheTable", kCoda, 2.5, "A1xB", false, 0.0},
    {"Empty", kCoda, 2.5, "", false, 0.0},
};

class CodabarWidthTest : public testing::TestWithParam<WidthCase> {};

TEST_P(CodabarWidthTest, CountsModules) {
    const WidthCase& c = GetParam();
    const std::unique_ptr<BarcodeProcessorBase3> processor = MakeCodabar(c.type);
    ASSERT_TRUE(processor->SetWideNarrowRatio(c.ratio));
    EXPECT_NEAR(processor->CodeWidth(c.text, c.fromBarCentres), c.modules, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Cases, CodabarWidthTest, testing::ValuesIn(kWidthCases),
                         CaseName<WidthCase>);

struct SymbolCase {
    const char* name;
    std::int32_t type;
    std::string code;
    double magnification;
    double totalWidthMm;
    double defaultHeightMm;
};

// Quiet zones max(10X, 2.5), default height max(15 % of the bars' width, 5).
// "A" + 30 digits + "B" at ratio 2.5 is 354 modules, 88.5 mm.
const SymbolCase kSymbolCases[] = {
    {"A1B", kCoda, "A1B", 1.0, 13.75, 5.0},
    {"A1BDoubled", kCoda, "A1B", 2.0, 27.5, 5.0},
    {"A1BSmallest", kCoda, "A1B", 0.375, 8.28125, 5.0},
    {"LongCodeTallerBars", kCoda, "A" + kThirtyDigits + "B", 1.0, 93.5, 13.275},
    {"Traditional", kCodt, "A1B", 1.0, 12.178, 5.0},
};

class CodabarSymbolTest : public testing::TestWithParam<SymbolCase> {};

TEST_P(CodabarSymbolTest, HasItsWidthAndDefaultHeight) {
    const SymbolCase& c = GetParam();
    const std::unique_ptr<BarcodeProcessor> processor =
        MakeSymbol({.type = c.type, .code = c.code, .magnification = c.magnification});
    const std::vector<RecordedBar> bars = Draw(*processor).GetBars();
    ASSERT_FALSE(bars.empty());
    EXPECT_NEAR(processor->GetTotalWidth(), c.totalWidthMm, 1e-9);
    EXPECT_NEAR(processor->GetWidth(), c.totalWidthMm, 1e-9);
    for (const RecordedBar& bar : bars) {
        EXPECT_EQ(bar.bottom, 0.0);
        EXPECT_NEAR(bar.top, c.defaultHeightMm, 1e-9);
    }
    const double quietZone = std::max(10 * kModuleMm * c.magnification, 2.5);
    EXPECT_NEAR(bars.front().left, quietZone, 1e-9);
    EXPECT_NEAR(bars.back().right, c.totalWidthMm - quietZone, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Cases, CodabarSymbolTest, testing::ValuesIn(kSymbolCases),
                         CaseName<SymbolCase>);

TEST(CodabarSymbolTest, FirstBarOfA1B) {
    const std::vector<RecordedBar> bars =
        Draw(*MakeSymbol({.type = kCoda, .code = "A1B"})).GetBars();
    ASSERT_EQ(bars.size(), 12u);
    EXPECT_NEAR(bars[0].left, 2.5, 1e-12);
    EXPECT_NEAR(bars[0].right, 2.75, 1e-12);
}

TEST(CodabarSymbolTest, RefusesWithoutAUsableModule) {
    const std::unique_ptr<BarcodeProcessor> processor =
        MakeSymbol({.type = kCoda, .code = "A1B", .magnification = -1.0});
    const Drawing drawing = Draw(*processor);
    EXPECT_FALSE(drawing.generated);
    EXPECT_TRUE(drawing.GetCalls().empty());
    EXPECT_EQ(processor->ComputeWidth(), 0.0);
}

// Bar width reduction within 0.0625 m either way; height at least 5 mm and
// 15 % of the bars' width within the 1.005 tolerance; ratio 2.0-3.0, 2.2-3.0
// below magnification 1, any for the traditional widths.
const ParameterCase kParameterCases[] = {
    {.name = "Nominal",
     .symbol = {.type = kCoda,
                .code = "A1B",
                .magnification = 1.0,
                .reductionMm = 0.0,
                .barHeightMm = 5.0,
                .wideNarrowRatio = 2.5},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true,
     .ratioValid = true},
    {.name = "NarrowingAtLimit",
     .symbol = {.type = kCoda,
                .code = "A1B",
                .magnification = 1.0,
                .reductionMm = 0.0625,
                .barHeightMm = 5.0,
                .wideNarrowRatio = 2.5},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true,
     .ratioValid = true},
    {.name = "NarrowingBeyondLimit",
     .symbol = {.type = kCoda,
                .code = "A1B",
                .magnification = 1.0,
                .reductionMm = 0.0626,
                .barHeightMm = 5.0,
                .wideNarrowRatio = 2.5},
     .magnificationValid = true,
     .reductionValid = false,
     .heightValid = true,
     .ratioValid = true},
    {.name = "WideningAtLimit",
     .symbol = {.type = kCoda,
                .code = "A1B",
                .magnification = 1.0,
                .reductionMm = -0.0625,
                .barHeightMm = 5.0,
                .wideNarrowRatio = 2.5},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true,
     .ratioValid = true},
    {.name = "WideningBeyondLimit",
     .symbol = {.type = kCoda,
                .code = "A1B",
                .magnification = 1.0,
                .reductionMm = -0.0626,
                .barHeightMm = 5.0,
                .wideNarrowRatio = 2.5},
     .magnificationValid = true,
     .reductionValid = false,
     .heightValid = true,
     .ratioValid = true},
    {.name = "ReductionScales",
     .symbol = {.type = kCoda,
                .code = "A1B",
                .magnification = 2.0,
                .reductionMm = 0.125,
                .barHeightMm = 5.0,
                .wideNarrowRatio = 2.5},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true,
     .ratioValid = true},
    {.name = "SmallestMagnification",
     .symbol = {.type = kCoda,
                .code = "A1B",
                .magnification = 0.375,
                .reductionMm = 0.0,
                .barHeightMm = 5.0,
                .wideNarrowRatio = 2.5},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true,
     .ratioValid = true},
    {.name = "BelowSmallestMagnification",
     .symbol = {.type = kCoda,
                .code = "A1B",
                .magnification = 0.374,
                .reductionMm = 0.0,
                .barHeightMm = 5.0,
                .wideNarrowRatio = 2.5},
     .magnificationValid = false,
     .reductionValid = true,
     .heightValid = true,
     .ratioValid = true},
    {.name = "LargestMagnification",
     .symbol = {.type = kCoda,
                .code = "A1B",
                .magnification = 2.0,
                .reductionMm = 0.0,
                .barHeightMm = 5.0,
                .wideNarrowRatio = 2.5},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true,
     .ratioValid = true},
    {.name = "AboveLargestMagnification",
     .symbol = {.type = kCoda,
                .code = "A1B",
                .magnification = 2.001,
                .reductionMm = 0.0,
                .barHeightMm = 5.0,
                .wideNarrowRatio = 2.5},
     .magnificationValid = false,
     .reductionValid = true,
     .heightValid = true,
     .ratioValid = true},
    {.name = "MinimumHeightWithinTolerance",
     .symbol = {.type = kCoda,
                .code = "A1B",
                .magnification = 1.0,
                .reductionMm = 0.0,
                .barHeightMm = 4.9752,
                .wideNarrowRatio = 2.5},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true,
     .ratioValid = true},
    {.name = "MinimumHeightBelowTolerance",
     .symbol = {.type = kCoda,
                .code = "A1B",
                .magnification = 1.0,
                .reductionMm = 0.0,
                .barHeightMm = 4.975,
                .wideNarrowRatio = 2.5},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = false,
     .ratioValid = true},
    {.name = "HeightOfLongCode",
     .symbol = {.type = kCoda,
                .code = "A" + kThirtyDigits + "B",
                .magnification = 1.0,
                .reductionMm = 0.0,
                .barHeightMm = 13.21,
                .wideNarrowRatio = 2.5},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true,
     .ratioValid = true},
    {.name = "HeightOfLongCodeTooLow",
     .symbol = {.type = kCoda,
                .code = "A" + kThirtyDigits + "B",
                .magnification = 1.0,
                .reductionMm = 0.0,
                .barHeightMm = 13.2,
                .wideNarrowRatio = 2.5},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = false,
     .ratioValid = true},
    {.name = "RatioTooLowBelowFullSize",
     .symbol = {.type = kCoda,
                .code = "A1B",
                .magnification = 0.8,
                .reductionMm = 0.0,
                .barHeightMm = 5.0,
                .wideNarrowRatio = 2.1},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true,
     .ratioValid = false},
    {.name = "RatioBelowFullSize",
     .symbol = {.type = kCoda,
                .code = "A1B",
                .magnification = 0.8,
                .reductionMm = 0.0,
                .barHeightMm = 5.0,
                .wideNarrowRatio = 2.2},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true,
     .ratioValid = true},
    {.name = "RatioSmallestAtFullSize",
     .symbol = {.type = kCoda,
                .code = "A1B",
                .magnification = 1.0,
                .reductionMm = 0.0,
                .barHeightMm = 5.0,
                .wideNarrowRatio = 2.0},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true,
     .ratioValid = true},
    {.name = "RatioTooLow",
     .symbol = {.type = kCoda,
                .code = "A1B",
                .magnification = 1.0,
                .reductionMm = 0.0,
                .barHeightMm = 5.0,
                .wideNarrowRatio = 1.99},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true,
     .ratioValid = false},
    {.name = "RatioLargest",
     .symbol = {.type = kCoda,
                .code = "A1B",
                .magnification = 1.0,
                .reductionMm = 0.0,
                .barHeightMm = 5.0,
                .wideNarrowRatio = 3.0},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true,
     .ratioValid = true},
    {.name = "RatioTooHigh",
     .symbol = {.type = kCoda,
                .code = "A1B",
                .magnification = 1.0,
                .reductionMm = 0.0,
                .barHeightMm = 5.0,
                .wideNarrowRatio = 3.01},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true,
     .ratioValid = false},
    {.name = "TraditionalIgnoresTheRatio",
     .symbol = {.type = kCodt,
                .code = "A1B",
                .magnification = 0.8,
                .reductionMm = 0.0,
                .barHeightMm = 5.0,
                .wideNarrowRatio = 5.0},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true,
     .ratioValid = true},
};

INSTANTIATE_TEST_SUITE_P(Codabar, ParameterCaseTest, testing::ValuesIn(kParameterCases),
                         CaseName<ParameterCase>);

TEST(CodabarOptionTest, OnlyCodabarOffersTheRatio) {
    for (const std::int32_t type : {kCoda, kCodt}) {
        const std::unique_ptr<BarcodeProcessor> processor = MakeProcessor(type);
        for (const std::int32_t option : {FourCC("FCAL"), FourCC("FONT"), FourCC("FSCL")}) {
            EXPECT_TRUE(processor->HasOption(option)) << TypeName(type) << TypeName(option);
        }
        EXPECT_EQ(processor->HasOption(FourCC("W2NR")), type == kCoda);
        EXPECT_FALSE(processor->HasOption(FourCC("BBAR")));
    }
}

TEST(CodabarDecodeTest, RefusesOtherCountsBeforeStoringAnything) {
    const std::vector<double> edges =
        EdgesFromBars(Draw(*MakeSymbol({.type = kCoda, .code = "A1B"})).GetBars());
    ASSERT_EQ(edges.size(), 24u);
    const std::unique_ptr<BarcodeProcessor> reader = MakeProcessor(kCoda);
    // 8 edges are the start character alone.
    for (const std::uint32_t count : {23u, 20u, 8u}) {
        EXPECT_FALSE(reader->DecodeEdges(edges.data(), count)) << count;
        EXPECT_TRUE(MeasuredEdges(*reader).empty()) << count;
    }
    ASSERT_TRUE(reader->DecodeEdges(edges.data(), 24));
    const std::vector<double> measured = MeasuredEdges(*reader);
    EXPECT_FALSE(reader->DecodeEdges(edges.data(), 20));
    EXPECT_EQ(MeasuredEdges(*reader), measured);
}

TEST(CodabarDecodeTest, ReadsEveryLengthItDraws) {
    for (const std::size_t length : {127u, 128u, 255u}) {
        const std::string code = 'A' + std::string(length - 2, '7') + "B";
        const std::vector<double> edges =
            EdgesFromBars(Draw(*MakeSymbol({.type = kCoda, .code = code})).GetBars());
        const std::unique_ptr<BarcodeProcessor> reader = MakeProcessor(kCoda);
        EXPECT_TRUE(reader->DecodeEdges(edges.data(), static_cast<std::uint32_t>(edges.size())))
            << length;
        EXPECT_EQ(reader->GetCode(), code);
    }
}

TEST(CodabarDecodeTest, MeasuresTheRatio) {
    const std::vector<double> edges = EdgesFromBars(
        Draw(*MakeSymbol({.type = kCoda, .code = "A1234B", .wideNarrowRatio = 3.0})).GetBars());
    const std::unique_ptr<BarcodeProcessorBase3> reader = MakeCodabar(kCoda);
    ASSERT_TRUE(reader->DecodeEdges(edges.data(), static_cast<std::uint32_t>(edges.size())));
    EXPECT_NEAR(reader->GetWideNarrowRatio(), 3.0, 1e-9);
    EXPECT_NEAR(reader->GetMaxDeviation(), 0.0, 1e-12);
}

// Two "A1B" side by side read as "A1BA1B", which has start and stop
// characters inside: the reading gets as far as the code and must leave the
// earlier one, its ratio included.
TEST(CodabarDecodeTest, RefusedReadingLeavesTheProcessorAlone) {
    const std::vector<double> good = EdgesFromBars(
        Draw(*MakeSymbol(
                 {.type = kCoda, .code = "A1234B", .reductionMm = 0.02, .wideNarrowRatio = 2.0}))
            .GetBars());
    std::vector<RecordedBar> twice =
        Draw(*MakeSymbol({.type = kCoda, .code = "A1B", .wideNarrowRatio = 3.0})).GetBars();
    const double shift = twice.back().right - twice.front().left + kModuleMm;
    const std::size_t half = twice.size();
    for (std::size_t i = 0; i < half; ++i) {
        RecordedBar bar = twice[i];
        bar.left += shift;
        bar.right += shift;
        twice.push_back(bar);
    }
    const std::vector<double> wrong = EdgesFromBars(twice);
    ASSERT_EQ(good.size(), wrong.size());
    const std::unique_ptr<BarcodeProcessorBase3> reader = MakeCodabar(kCoda);
    ASSERT_TRUE(reader->DecodeEdges(good.data(), static_cast<std::uint32_t>(good.size())));
    const std::vector<double> measured = MeasuredEdges(*reader);
    const std::vector<double> ideal = IdealEdges(*reader);
    const double reduction = reader->GetBarWidthReduction();
    EXPECT_FALSE(reader->DecodeEdges(wrong.data(), static_cast<std::uint32_t>(wrong.size())));
    EXPECT_STREQ(reader->GetCode(), "A1234B");
    EXPECT_NEAR(reader->GetWideNarrowRatio(), 2.0, 1e-9);
    EXPECT_EQ(reader->GetBarWidthReduction(), reduction);
    EXPECT_EQ(MeasuredEdges(*reader), measured);
    EXPECT_EQ(IdealEdges(*reader), ideal);
}

// zint's Codabar has narrow 1 and wide 2 modules and a one-module gap: at
// ratio 2 our bars are its modules.
struct ZintCase {
    const char* name;
    std::string code;
    double magnification;
};

const ZintCase kZintCases[] = {
    {"A1B", "A1B", 1.0},
    {"A40156B", "A40156B", 1.0},
    {"Dashes", "B515-3/B", 2.0},
    {"EveryDataCharacter", "A" + kAllData + "B", 1.0},
    {"StartCAndStopD", "C12D", 1.5},
    {"StartDAndStopC", "D$C", 1.0},
};

class CodabarZintTest : public testing::TestWithParam<ZintCase> {};

TEST_P(CodabarZintTest, BarsEqualZintsModulesAtRatioTwo) {
    const ZintCase& c = GetParam();
    const std::vector<RecordedBar> bars = Draw(*MakeSymbol({.type = kCoda,
                                                            .code = c.code,
                                                            .magnification = c.magnification,
                                                            .wideNarrowRatio = 2.0}))
                                              .GetBars();
    const oracles::ZintSymbol zint = oracles::ZintModules("CODABAR", c.code);
    ASSERT_TRUE(zint.error.empty()) << zint.error;
    EXPECT_EQ(ModuleString(bars, kModuleMm * c.magnification), zint.FirstRow());
}

// The traditional widths have no modules; their narrow and wide elements,
// judged against the mean element, are zint's. The gaps are left out: zint's
// are one module, ours wider than the mean.
TEST_P(CodabarZintTest, TraditionalElementsAreZintsNarrowAndWide) {
    const ZintCase& c = GetParam();
    const std::vector<RecordedBar> bars =
        Draw(*MakeSymbol({.type = kCodt, .code = c.code, .magnification = c.magnification}))
            .GetBars();
    const oracles::ZintSymbol zint = oracles::ZintModules("CODABAR", c.code);
    ASSERT_TRUE(zint.error.empty()) << zint.error;
    const auto withoutGaps = [](const std::string& letters) {
        std::string kept;
        for (std::size_t i = 0; i < letters.size(); ++i) {
            if (i % 8 != 7) {
                kept += letters[i];
            }
        }
        return kept;
    };
    const double meanElementMm = kTraditionalCharacterMm / 8 * c.magnification;
    EXPECT_EQ(withoutGaps(ElementLetters(bars, meanElementMm)),
              withoutGaps(RunLetters(zint.FirstRow(), 2)));
}

INSTANTIATE_TEST_SUITE_P(Cases, CodabarZintTest, testing::ValuesIn(kZintCases), CaseName<ZintCase>);

struct ZXingCase {
    const char* name;
    std::int32_t type;
    std::string code;
    // Unset for the traditional widths, which have no ratio.
    std::optional<double> ratio;
    // Rendered with one module this wide, so that every edge is whole.
    double renderModuleMm;
    int pixelsPerModule;
    int quietZoneModules;
};

const ZXingCase kZXingCases[] = {
    {.name = "Ratio2",
     .type = kCoda,
     .code = "A40156B",
     .ratio = 2.0,
     .renderModuleMm = kModuleMm,
     .pixelsPerModule = 3,
     .quietZoneModules = 10},
    {.name = "Ratio25",
     .type = kCoda,
     .code = "A" + kAllData + "B",
     .ratio = 2.5,
     .renderModuleMm = kModuleMm / 2,
     .pixelsPerModule = 2,
     .quietZoneModules = 20},
    {.name = "Ratio3",
     .type = kCoda,
     .code = "C1234D",
     .ratio = 3.0,
     .renderModuleMm = kModuleMm,
     .pixelsPerModule = 3,
     .quietZoneModules = 10},
    {.name = "Traditional",
     .type = kCodt,
     .code = "A" + kAllData + "B",
     .ratio = {},
     .renderModuleMm = 0.001,
     .pixelsPerModule = 1,
     .quietZoneModules = 2500},
    {.name = "TraditionalDigits",
     .type = kCodt,
     .code = "D0123456789C",
     .ratio = {},
     .renderModuleMm = 0.001,
     .pixelsPerModule = 1,
     .quietZoneModules = 2500},
};

class CodabarZXingTest : public testing::TestWithParam<ZXingCase> {};

TEST_P(CodabarZXingTest, ReadsTheCode) {
    const ZXingCase& c = GetParam();
    const std::vector<RecordedBar> bars =
        Draw(*MakeSymbol({.type = c.type, .code = c.code, .wideNarrowRatio = c.ratio})).GetBars();
    const oracles::ZXingResult read = oracles::ZXingRead(
        RenderBars(bars, c.renderModuleMm, c.pixelsPerModule, c.quietZoneModules, 40), "Codabar");
    EXPECT_EQ(read.error, "");
    EXPECT_EQ(read.text, c.code);
}

INSTANTIATE_TEST_SUITE_P(Cases, CodabarZXingTest, testing::ValuesIn(kZXingCases),
                         CaseName<ZXingCase>);

}  // namespace
}  // namespace StriveloTest
