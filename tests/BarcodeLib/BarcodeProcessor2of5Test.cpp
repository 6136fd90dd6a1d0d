#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "BarEdges.h"
#include "BarcodeProcessor2of5.h"
#include "Drawing.h"
#include "RecordingGenerator.h"
#include "Symbols.h"
#include "WideNarrowCases.h"

namespace StriveloTest {
namespace {

using Strivelo::BarcodeProcessor2of5;
using Strivelo::BarcodeProcessorITF14;
using Strivelo::kBarcodeType2of5;
using Strivelo::kBarcodeTypeITF14;
using testing::DoubleNear;
using testing::ElementsAre;
using testing::Pointwise;
using Kind = RecordedCall::Kind;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kX = BarcodeProcessor2of5::kModuleMm;
constexpr const char* kITF14Code = "12345678901231";

SymbolSettings Plain(const char* code, double ratio = 2.5, double magnification = 1.0,
                     double reductionMm = 0.0) {
    return {.type = kBarcodeType2of5,
            .code = code,
            .magnification = magnification,
            .reductionMm = reductionMm,
            .wideNarrowRatio = ratio};
}

SymbolSettings ITF14(const char* code = kITF14Code, double ratio = 2.5,
                     double magnification = 1.0) {
    return {.type = kBarcodeTypeITF14,
            .code = code,
            .magnification = magnification,
            .reductionMm = 0.0,
            .wideNarrowRatio = ratio};
}

std::vector<RecordedBar> DrawnBars(const SymbolSettings& symbol) {
    return Draw(*MakeSymbol(symbol)).GetBars();
}

// --- Code texts ---------------------------------------------------------

const CodeCase kCodeCases[] = {
    {"EvenDigits", kBarcodeType2of5, "1234", "1234"},
    {"TwoDigits", kBarcodeType2of5, "00", "00"},
    {"OddLength", kBarcodeType2of5, "123", nullptr},
    {"Empty", kBarcodeType2of5, "", nullptr},
    {"Letter", kBarcodeType2of5, "12a4", nullptr},
    {"Blank", kBarcodeType2of5, "12 4", nullptr},
    // Plain 2 of 5 adds and checks no check digit.
    {"WrongITF14CheckAsPlain", kBarcodeType2of5, "12345678901232", "12345678901232"},
    {"ITF14Valid", kBarcodeTypeITF14, kITF14Code, kITF14Code},
    {"ITF14OtherValid", kBarcodeTypeITF14, "10012345000017", "10012345000017"},
    {"ITF14AddsCheckDigit", kBarcodeTypeITF14, "1234567890123", kITF14Code},
    {"ITF14AddsOtherCheckDigit", kBarcodeTypeITF14, "1001234500001", "10012345000017"},
    {"ITF14ReplacesWrongCheck", kBarcodeTypeITF14, "12345678901232", kITF14Code},
    {"ITF14CutsLongerText", kBarcodeTypeITF14, "123456789012399", kITF14Code},
    {"ITF14CutsTrailingLetters", kBarcodeTypeITF14, "1234567890123ab", kITF14Code},
    {"ITF14TooShort", kBarcodeTypeITF14, "123456789012", nullptr},
    {"ITF14LetterInData", kBarcodeTypeITF14, "12345678901a3", nullptr},
    {"ITF14Empty", kBarcodeTypeITF14, "", nullptr},
};

INSTANTIATE_TEST_SUITE_P(Interleaved, CodeCaseTest, testing::ValuesIn(kCodeCases),
                         CaseName<CodeCase>);

// --- Widths and default height -------------------------------------------

const WidthCase kWidthCases[] = {
    // X = 1.016, w = X (2.5 + 8 x 4 + 6) = 41.148, Q = 10.16.
    {"FourDigits", Plain("1234"), 61.468, 32.0},
    // X = 0.635: Q reaches its 6.35 mm floor exactly.
    {"SmallestModule", Plain("1234", 2.5, 0.625), 38.4175, 32.0},
    {"RatioThree", Plain("1234", 3.0), 66.04, 32.0},
    // w = 1.016 x 120.5 = 122.428.
    {"ITF14", ITF14(), 142.748, 32.0},
    // 24 digits: w = 1.016 x 200.5 = 203.708, 0.15 w = 30.5562 < 32.
    {"TwentyFourDigits", Plain("123456789012345678901234"), 224.028, 32.0},
    // 26 digits: w = 1.016 x 216.5 = 219.964, so 0.15 w = 32.9946 is the height.
    {"TwentySixDigits", Plain("12345678901234567890123456"), 240.284, 32.9946},
};

INSTANTIATE_TEST_SUITE_P(Interleaved, WideNarrowWidthTest, testing::ValuesIn(kWidthCases),
                         CaseName<WidthCase>);

// --- Validators --------------------------------------------------------

const ParameterCase kParameterCases[] = {
    {.name = "Ratio21AtFullSize", .symbol = Plain("1234", 2.1, 1.0), .ratioValid = true},
    {.name = "Ratio21BelowFullSize", .symbol = Plain("1234", 2.1, 0.99), .ratioValid = false},
    {.name = "Ratio20AtFullSize", .symbol = Plain("1234", 2.0, 1.2), .ratioValid = true},
    {.name = "Ratio199", .symbol = Plain("1234", 1.99, 1.0), .ratioValid = false},
    {.name = "Ratio22BelowFullSize", .symbol = Plain("1234", 2.2, 0.625), .ratioValid = true},
    {.name = "Ratio219BelowFullSize", .symbol = Plain("1234", 2.19, 0.625), .ratioValid = false},
    {.name = "Ratio30", .symbol = Plain("1234", 3.0, 1.0), .ratioValid = true},
    {.name = "Ratio301", .symbol = Plain("1234", 3.01, 1.0), .ratioValid = false},
    // GS1 asks 2.25 to 3.0 of ITF-14 at every size.
    {.name = "ITF14Ratio22", .symbol = ITF14(kITF14Code, 2.2, 1.0), .ratioValid = false},
    {.name = "ITF14Ratio225", .symbol = ITF14(kITF14Code, 2.25, 1.0), .ratioValid = true},
    {.name = "ITF14Ratio225Small", .symbol = ITF14(kITF14Code, 2.25, 0.625), .ratioValid = true},
    {.name = "ITF14Ratio30", .symbol = ITF14(kITF14Code, 3.0, 1.2), .ratioValid = true},
    {.name = "ITF14Ratio301", .symbol = ITF14(kITF14Code, 3.01, 1.0), .ratioValid = false},
    {.name = "MagnificationSmallest",
     .symbol = Plain("1234", 2.5, 0.625),
     .magnificationValid = true},
    {.name = "MagnificationBelow",
     .symbol = Plain("1234", 2.5, 0.624),
     .magnificationValid = false},
    {.name = "MagnificationLargest",
     .symbol = ITF14(kITF14Code, 2.5, 1.2),
     .magnificationValid = true},
    {.name = "MagnificationAbove",
     .symbol = ITF14(kITF14Code, 2.5, 1.201),
     .magnificationValid = false},
    {.name = "MagnificationNaN", .symbol = Plain("1234", 2.5, kNaN), .magnificationValid = false},
    // A quarter of the nominal module, 0.254 mm at 100 %.
    {.name = "ReductionAtLimit", .symbol = Plain("1234", 2.5, 1.0, 0.254), .reductionValid = true},
    {.name = "WideningAtLimit", .symbol = Plain("1234", 2.5, 1.0, -0.254), .reductionValid = true},
    {.name = "ReductionOver", .symbol = Plain("1234", 2.5, 1.0, 0.2541), .reductionValid = false},
    {.name = "WideningOver", .symbol = Plain("1234", 2.5, 1.0, -0.2541), .reductionValid = false},
    {.name = "ReductionScales", .symbol = Plain("1234", 2.5, 1.2, 0.3), .reductionValid = true},
    {.name = "ReductionNaN", .symbol = Plain("1234", 2.5, 1.0, kNaN), .reductionValid = false},
    // 0.15 w = 6.1722 for "1234", so 6.35 mm governs: 1.005 h >= 6.35.
    {.name = "HeightAtFloor", .symbol = WithBarHeight(Plain("1234"), 6.32), .heightValid = true},
    {.name = "HeightBelowFloor",
     .symbol = WithBarHeight(Plain("1234"), 6.31),
     .heightValid = false},
    // ITF-14: 0.15 w = 18.3642, 1.005 h reaches it from h = 18.2728.
    {.name = "HeightAtWidthShare", .symbol = WithBarHeight(ITF14(), 18.28), .heightValid = true},
    {.name = "HeightBelowWidthShare",
     .symbol = WithBarHeight(ITF14(), 18.27),
     .heightValid = false},
    // At ratio 3 the width share rises to 0.15 x 1.016 x 135 = 20.574.
    {.name = "HeightFollowsRatio",
     .symbol = WithBarHeight(ITF14(kITF14Code, 3.0), 20.0),
     .heightValid = false},
    {.name = "HeightWithoutModule",
     .symbol = WithBarHeight(Plain("1234", 2.5, 0.0), 50.0),
     .heightValid = false},
};

INSTANTIATE_TEST_SUITE_P(Interleaved, ParameterCaseTest, testing::ValuesIn(kParameterCases),
                         CaseName<ParameterCase>);

// --- Drawing -----------------------------------------------------------

// "12" at 100 %: X = 1.016, w = 24.892, Q = 10.16, W = 45.212, h = 32; text
// 8.96 high on y = -8.96 - X, spread over w; bars from 10.16 to 35.052.
std::vector<LayoutCase> LayoutCases() {
    std::vector<LayoutCase> cases;
    LayoutCase plain;
    plain.name = "Plain";
    plain.symbol = Plain("12");
    plain.frameBox = Box{0, 45.212, -10.992, 33.016};
    plain.barTop = 32.0;
    plain.textLine = "12";
    plain.textX = {16.383, 28.829};
    plain.textY = -9.976;
    plain.textSize = 8.96;
    cases.push_back(plain);

    LayoutCase bearer = plain;
    bearer.name = "BearerBars";
    bearer.symbol.bearerBars = true;
    bearer.frameBox = Box{0, 45.212, -13.024, 35.048};
    bearer.bearers = {{10.16, 35.052, -2.032, 0}, {10.16, 35.052, 32, 34.032}};
    bearer.textY = -12.008;
    cases.push_back(bearer);

    LayoutCase box = plain;
    box.name = "BearerBox";
    box.symbol.bearerBars = true;
    box.symbol.bearerBarEndBars = true;
    box.frameBox = Box{-4.8, 50.012, -15.792, 37.816};
    box.bearers = {{0, 45.212, -4.8, 0},
                   {0, 45.212, 32, 36.8},
                   {-4.8, 0, -4.8, 36.8},
                   {45.212, 50.012, -4.8, 36.8}};
    box.textY = -14.776;
    cases.push_back(box);

    // End bars alone draw nothing.
    LayoutCase endBarsOnly = plain;
    endBarsOnly.name = "EndBarsWithoutBearerBars";
    endBarsOnly.symbol.bearerBarEndBars = true;
    cases.push_back(endBarsOnly);

    // Advance 4.48 x 2 from (W - 2 a + a) / 2.
    LayoutCase centred = plain;
    centred.name = "CentredAndScaled";
    centred.symbol.centerAlign = true;
    centred.symbol.fontScaling = 2.0;
    centred.frameBox = Box{0, 45.212, -19.952, 33.016};
    centred.textX = {18.126, 27.086};
    centred.textY = -18.936;
    centred.textSize = 17.92;
    cases.push_back(centred);

    LayoutCase bare = plain;
    bare.name = "NoTextNoFrameGivenHeight";
    bare.symbol.humanReadable = false;
    bare.symbol.frame = false;
    bare.symbol.barHeightMm = 20.0;
    bare.frameBox.reset();
    bare.barTop = 20.0;
    bare.textLine = "";
    bare.textX = {};
    cases.push_back(bare);

    // ITF-14 draws bearer bars 2 X thick without being asked; at 80 %,
    // X = 0.8128, w = 97.9424, Q = 8.128, W = 114.1984.
    LayoutCase itf14;
    itf14.name = "ITF14";
    itf14.symbol = ITF14(kITF14Code, 2.5, 0.8);
    itf14.frameBox = Box{0, 114.1984, -12.2112, 34.4384};
    itf14.bearers = {{8.128, 106.0704, -1.6256, 0}, {8.128, 106.0704, 32, 33.6256}};
    itf14.barTop = 32.0;
    itf14.textLine = kITF14Code;
    for (int i = 0; i < 14; ++i) {
        itf14.textX.push_back(8.128 + 97.9424 / 28 + i * 97.9424 / 14);
    }
    itf14.textY = -11.3984;
    itf14.textSize = 8.96;
    cases.push_back(itf14);

    // With end bars the box is 4.8 mm thick, whatever the size.
    LayoutCase itf14Box = itf14;
    itf14Box.name = "ITF14Box";
    itf14Box.symbol.bearerBarEndBars = true;
    itf14Box.frameBox = Box{-4.8, 118.9984, -15.3856, 37.6128};
    itf14Box.bearers = {{0, 114.1984, -4.8, 0},
                        {0, 114.1984, 32, 36.8},
                        {-4.8, 0, -4.8, 36.8},
                        {114.1984, 118.9984, -4.8, 36.8}};
    itf14Box.textY = -14.5728;
    cases.push_back(itf14Box);
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Interleaved, WideNarrowLayoutTest, testing::ValuesIn(LayoutCases()),
                         CaseName<LayoutCase>);

TEST(InterleavedMarksTest, QuietZoneMarksStandOnTheTextLine) {
    BarcodeProcessor2of5 processor;
    ASSERT_TRUE(processor.SetCode("12"));
    processor.SetMagnification(0.8);
    processor.SetQuietZoneMarks(true);
    processor.SetBearerBars(true);
    const Drawing drawing = Draw(processor);
    ASSERT_TRUE(drawing.generated);
    const std::vector<RecordedCall> marks = drawing.GetCalls(Kind::kQuietZoneMarks);
    ASSERT_EQ(marks.size(), 1u);
    // X = 0.8128, W = 19.9136 + 2 x 8.128; y = -8.96 - X - 2 X.
    const double y = -8.96 - 3 * 0.8128;
    EXPECT_THAT(marks[0].numbers, Pointwise(DoubleNear(1e-9), {0.0, 36.1696, y, y, 0.8}));
    EXPECT_THAT(marks[0].flags, ElementsAre(true, true));
    EXPECT_EQ(drawing.GetCalls()[2].kind, Kind::kQuietZoneMarks);
}

TEST(ITF14Test, GenerateSwitchesBearerBarsOnForGood) {
    BarcodeProcessorITF14 processor;
    ASSERT_TRUE(processor.SetCode(kITF14Code));
    EXPECT_FALSE(processor.GetBearerBars());
    EXPECT_TRUE(Draw(processor).generated);
    EXPECT_TRUE(processor.GetBearerBars());
    processor.SetBearerBars(false);
    EXPECT_EQ(Draw(processor).GetCalls(Kind::kBearerBar).size(), 2u);
}

// Start NNNN, pair "12" (bars of 1 = WNNNW, spaces of 2 = NWNNW), stop WNN;
// wide 2.5 X = 2.54 mm.
const BarsCase kBarsCases[] = {
    {"DigitPairInterleavesBarsAndSpaces",
     Plain("12"),
     {{10.16, 11.176},
      {12.192, 13.208},
      {14.224, 16.764},
      {17.78, 18.796},
      {21.336, 22.352},
      {23.368, 24.384},
      {25.4, 27.94},
      {30.48, 33.02},
      {34.036, 35.052}}},
};

INSTANTIATE_TEST_SUITE_P(Interleaved, WideNarrowBarsTest, testing::ValuesIn(kBarsCases),
                         CaseName<BarsCase>);

// Font, frame, marks, 2 + 7 x 5 + 2 bars, 4 bearer bars, 14 digits.
const GenerateFailureCase kGenerateFailureCases[] = {
    {"Interleaved", Plain(kITF14Code), 3 + 39 + 4 + 14},
    {"ITF14", ITF14(), 3 + 39 + 4 + 14},
};

INSTANTIATE_TEST_SUITE_P(Interleaved, WideNarrowGenerateFailureTest,
                         testing::ValuesIn(kGenerateFailureCases), CaseName<GenerateFailureCase>);

// --- Decoding ----------------------------------------------------------

// Module strings made by zint (wide = 3 modules); one pair takes 18 edges.
const KnownModulesCase kKnownModulesCases[] = {
    {"FourDigits", kBarcodeType2of5, "101011101000101011100011101110100010100011101", 0.8, "1234",
     3.0},
    {"OnePair", kBarcodeType2of5, "101011101000101011100011101", 1.0, "12", 3.0},
};

INSTANTIATE_TEST_SUITE_P(Interleaved, WideNarrowKnownModulesTest,
                         testing::ValuesIn(kKnownModulesCases), CaseName<KnownModulesCase>);

// The ratio is measured, not assumed: a decoding stores what it found, even
// outside what a user may set.
TEST(InterleavedDecodeTest, StoresTheMeasuredRatio) {
    for (const double ratio : {2.0, 2.5, 3.0, 1.8}) {
        const std::vector<double> edges = EdgesFromBars(DrawnBars(Plain("1234", ratio)));
        BarcodeProcessor2of5 processor;
        ASSERT_TRUE(processor.DecodeEdges(edges.data(), static_cast<std::uint32_t>(edges.size())));
        EXPECT_NEAR(processor.GetWideNarrowRatio(), ratio, 1e-12);
    }
}

std::vector<double> Edges1234() {
    return EdgesFromBars(DrawnBars(Plain("1234")));
}

std::vector<FailingEdgesCase> FailingCases() {
    const SymbolSettings decoded = Plain("87654321", 2.2, 0.9, 0.02);
    std::vector<FailingEdgesCase> cases;
    std::vector<double> edges = Edges1234();
    edges.pop_back();
    cases.push_back({"OneEdgeShort", decoded, edges, true});
    edges = Edges1234();
    edges.insert(edges.end(), {edges.back() + 1, edges.back() + 2});
    cases.push_back({"TwoEdgesMore", decoded, edges, true});
    cases.push_back({"NoPair", decoded, {0, 1, 2, 3, 4, 5.5, 6.5, 7.5}, true});
    // First bar wide: no start.
    edges = Edges1234();
    WidenElement(edges, 1, 1.5 * kX);
    cases.push_back({"WideStartBar", decoded, edges, true});
    edges = Edges1234();
    WidenElement(edges, edges.size() - 3, -1.5 * kX);
    cases.push_back({"NarrowStopBar", decoded, edges, true});
    // The first space of pair "12" widened: spaces WWNNW, three wide.
    edges = Edges1234();
    WidenElement(edges, 6, 1.5 * kX);
    cases.push_back({"ThreeWideElements", decoded, edges, false});
    // A narrow space at 1.6 X lies outside both bands.
    edges = Edges1234();
    WidenElement(edges, 8 + 10, 0.6 * kX);
    cases.push_back({"ElementBetweenWidths", decoded, edges, false});
    // ITF-14 turns every other length away by its count, and a wrong check
    // digit once it has read the digits.
    const SymbolSettings decodedITF14 = ITF14("10012345000017", 2.25, 1.2);
    cases.push_back({"ITF14OtherLength", decodedITF14, Edges1234(), true});
    cases.push_back({"ITF14WrongCheckDigit", decodedITF14,
                     EdgesFromBars(DrawnBars(Plain("12345678901232"))), false});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Interleaved, WideNarrowDecodeFailureTest,
                         testing::ValuesIn(FailingCases()), CaseName<FailingEdgesCase>);

// --- Fitting to a device -------------------------------------------------

const FitCase kFitCases[] = {
    {.name = "Exact",
     .type = kBarcodeType2of5,
     .unitsPerModule = 10,
     .magnification = 1.0,
     .ratio = 2.5,
     .fitted = true,
     .fittedMagnification = 1.0,
     .fittedRatio = 2.5},
    {.name = "RoundsNarrowAndWide",
     .type = kBarcodeType2of5,
     .unitsPerModule = 10,
     .magnification = 1.04,
     .ratio = 2.46,
     .fitted = true,
     .fittedMagnification = 1.0,
     .fittedRatio = 2.5},
    {.name = "TooLargeShrinks",
     .type = kBarcodeType2of5,
     .unitsPerModule = 10,
     .magnification = 1.3,
     .ratio = 2.5,
     .fitted = true,
     .fittedMagnification = 1.2,
     .fittedRatio = 2.5},
    // k = 5 grows to 7 (0.7); below full size 2.2 is the least ratio: 16/7.
    {.name = "TooSmallGrowsAndRaisesRatio",
     .type = kBarcodeType2of5,
     .unitsPerModule = 10,
     .magnification = 0.5,
     .ratio = 2.0,
     .fitted = true,
     .fittedMagnification = 0.7,
     .fittedRatio = 16.0 / 7.0},
    {.name = "RatioOverThree",
     .type = kBarcodeType2of5,
     .unitsPerModule = 10,
     .magnification = 1.0,
     .ratio = 3.3,
     .fitted = true,
     .fittedMagnification = 1.0,
     .fittedRatio = 3.0},
    // One unit per module: the wide element rounds 2.5 up to 3 units.
    {.name = "CoarseDevice",
     .type = kBarcodeType2of5,
     .unitsPerModule = 1,
     .magnification = 1.0,
     .ratio = 2.5,
     .fitted = true,
     .fittedMagnification = 1.0,
     .fittedRatio = 3.0},
    // 1.5 units: 2 units make 1.33, 1 unit 0.67 with the 2.2 floor: 3 units.
    {.name = "CoarseDeviceShrinks",
     .type = kBarcodeType2of5,
     .unitsPerModule = 1.5,
     .magnification = 1.0,
     .ratio = 2.0,
     .fitted = true,
     .fittedMagnification = 2.0 / 3.0,
     .fittedRatio = 3.0},
    // Half a unit per module: one unit is already twice the module.
    {.name = "TooCoarse",
     .type = kBarcodeType2of5,
     .unitsPerModule = 0.5,
     .magnification = 1.0,
     .ratio = 2.5,
     .fitted = false,
     .fittedMagnification = 0,
     .fittedRatio = 0},
    {.name = "FarTooLarge",
     .type = kBarcodeType2of5,
     .unitsPerModule = 10,
     .magnification = 1e12,
     .ratio = 2.5,
     .fitted = true,
     .fittedMagnification = 1.2,
     .fittedRatio = 2.5},
    {.name = "FarTooSmall",
     .type = kBarcodeType2of5,
     .unitsPerModule = 1e6,
     .magnification = 1e-9,
     .ratio = 2.5,
     .fitted = true,
     .fittedMagnification = 0.625,
     .fittedRatio = 2.5},
    {.name = "BeyondAnyDevice",
     .type = kBarcodeType2of5,
     .unitsPerModule = 1e12,
     .magnification = 1.0,
     .ratio = 2.5,
     .fitted = false,
     .fittedMagnification = 0,
     .fittedRatio = 0},
    {.name = "NoMagnification",
     .type = kBarcodeType2of5,
     .unitsPerModule = 10,
     .magnification = kNaN,
     .ratio = 2.5,
     .fitted = false,
     .fittedMagnification = 0,
     .fittedRatio = 0},
    {.name = "NoResolution",
     .type = kBarcodeType2of5,
     .unitsPerModule = 0,
     .magnification = 1.0,
     .ratio = 2.5,
     .fitted = false,
     .fittedMagnification = 0,
     .fittedRatio = 0},
    {.name = "NegativeResolution",
     .type = kBarcodeType2of5,
     .unitsPerModule = -10,
     .magnification = 1.0,
     .ratio = 2.5,
     .fitted = false,
     .fittedMagnification = 0,
     .fittedRatio = 0},
    {.name = "NaNResolution",
     .type = kBarcodeType2of5,
     .unitsPerModule = kNaN,
     .magnification = 1.0,
     .ratio = 2.5,
     .fitted = false,
     .fittedMagnification = 0,
     .fittedRatio = 0},
    // ITF-14 keeps its ratio from 2.25: 2.0 becomes 23/10.
    {.name = "ITF14RaisesRatio",
     .type = kBarcodeTypeITF14,
     .unitsPerModule = 10,
     .magnification = 1.0,
     .ratio = 2.0,
     .fitted = true,
     .fittedMagnification = 1.0,
     .fittedRatio = 2.3},
    {.name = "ITF14KeepsRatio",
     .type = kBarcodeTypeITF14,
     .unitsPerModule = 10,
     .magnification = 1.0,
     .ratio = 2.5,
     .fitted = true,
     .fittedMagnification = 1.0,
     .fittedRatio = 2.5},
};

INSTANTIATE_TEST_SUITE_P(Interleaved, WideNarrowFitTest, testing::ValuesIn(kFitCases),
                         CaseName<FitCase>);

}  // namespace
}  // namespace StriveloTest
