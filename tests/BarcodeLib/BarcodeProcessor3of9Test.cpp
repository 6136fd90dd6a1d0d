#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "BarEdges.h"
#include "BarcodeProcessor2of5.h"
#include "BarcodeProcessor3of9.h"
#include "Drawing.h"
#include "Symbols.h"
#include "WideNarrowCases.h"

namespace StriveloTest {
namespace {

using Strivelo::BarcodeProcessor3of9;
using Strivelo::kBarcodeType3of9;

constexpr double kX = BarcodeProcessor3of9::kModuleMm;
constexpr double kTextSize = 140.0 / 37.0;

SymbolSettings Symbol(const char* code, double ratio = 2.5, double magnification = 1.0,
                      double reductionMm = 0.0) {
    return {.type = kBarcodeType3of9,
            .code = code,
            .magnification = magnification,
            .reductionMm = reductionMm,
            .wideNarrowRatio = ratio};
}

std::vector<RecordedBar> DrawnBars(const SymbolSettings& symbol) {
    return Draw(*MakeSymbol(symbol)).GetBars();
}

// --- Code texts ---------------------------------------------------------

// CorrectCode only validates: nothing is upper-cased or added.
const CodeCase kCodeCases[] = {
    {"Letters", kBarcodeType3of9, "CODE39", "CODE39"},
    {"Digits", kBarcodeType3of9, "0123456789", "0123456789"},
    {"Alphabet", kBarcodeType3of9, "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
    {"Symbols", kBarcodeType3of9, "-. $/+%", "-. $/+%"},
    {"OneCharacter", kBarcodeType3of9, "A", "A"},
    {"LowerCase", kBarcodeType3of9, "code39", nullptr},
    {"StartStopInside", kBarcodeType3of9, "A*B", nullptr},
    {"StartStopAlone", kBarcodeType3of9, "*", nullptr},
    {"Empty", kBarcodeType3of9, "", nullptr},
    {"Underscore", kBarcodeType3of9, "A_B", nullptr},
    {"Tab", kBarcodeType3of9, "A\tB", nullptr},
    {"HighByte", kBarcodeType3of9, "A\xC4", nullptr},
};

INSTANTIATE_TEST_SUITE_P(Code39, CodeCaseTest, testing::ValuesIn(kCodeCases), CaseName<CodeCase>);

// --- Widths and default height -------------------------------------------

const WidthCase kWidthCases[] = {
    // X = 0.3, w = 0.3 x (13.5 x 3 + 2) = 12.75, Q = 6.35.
    {"OneCharacter", Symbol("A"), 25.45, 11.0},
    // Half size: 11 x 0.5 is below the 6.35 mm floor.
    {"HalfSize", Symbol("A", 2.5, 0.5), 19.075, 6.35},
    // X = 0.6: 10 X = 6 is still below the 6.35 mm quiet zone.
    {"DoubleSize", Symbol("A", 2.5, 2.0), 38.2, 22.0},
    {"RatioTwo", Symbol("CODE39", 2.0), 43.6, 11.0},
    // w = 43.2: the height must reach 0.28314 w = 12.231648, more than 11.
    {"EightCharacters", Symbol("STRIVELO"), 55.9, 12.231648},
};

INSTANTIATE_TEST_SUITE_P(Code39, WideNarrowWidthTest, testing::ValuesIn(kWidthCases),
                         CaseName<WidthCase>);

// --- Validators --------------------------------------------------------

const ParameterCase kParameterCases[] = {
    // Below a module of 0.5 mm (magnification 5/3) the ratio needs 2.2.
    {.name = "Ratio21AtFullSize", .symbol = Symbol("A", 2.1, 1.0), .ratioValid = false},
    {.name = "Ratio21At120", .symbol = Symbol("A", 2.1, 1.2), .ratioValid = false},
    {.name = "Ratio219AtModule048", .symbol = Symbol("A", 2.19, 1.6), .ratioValid = false},
    {.name = "Ratio22AtModule048", .symbol = Symbol("A", 2.2, 1.6), .ratioValid = true},
    {.name = "Ratio20AtModule051", .symbol = Symbol("A", 2.0, 1.7), .ratioValid = true},
    {.name = "Ratio199AtModule051", .symbol = Symbol("A", 1.99, 1.7), .ratioValid = false},
    {.name = "Ratio20AtDoubleSize", .symbol = Symbol("A", 2.0, 2.0), .ratioValid = true},
    {.name = "Ratio30", .symbol = Symbol("A", 3.0, 0.625), .ratioValid = true},
    {.name = "Ratio301", .symbol = Symbol("A", 3.01, 2.0), .ratioValid = false},
    {.name = "MagnificationSmallest",
     .symbol = Symbol("A", 2.5, 0.625),
     .magnificationValid = true},
    {.name = "MagnificationBelow", .symbol = Symbol("A", 2.5, 0.62), .magnificationValid = false},
    {.name = "MagnificationLargest", .symbol = Symbol("A", 2.5, 2.0), .magnificationValid = true},
    {.name = "MagnificationAbove", .symbol = Symbol("A", 2.5, 2.01), .magnificationValid = false},
    // A quarter of the nominal module: 0.075 mm at 100 %, 0.15 at 200 %.
    {.name = "ReductionAtLimit", .symbol = Symbol("A", 2.5, 1.0, 0.075), .reductionValid = true},
    {.name = "ReductionOver", .symbol = Symbol("A", 2.5, 1.0, 0.0751), .reductionValid = false},
    {.name = "WideningAtLimit", .symbol = Symbol("A", 2.5, 2.0, -0.15), .reductionValid = true},
    {.name = "WideningOver", .symbol = Symbol("A", 2.5, 2.0, -0.151), .reductionValid = false},
    // "A": 0.28314 w = 3.61 stays below 6.35; 1.005 h >= 6.35.
    {.name = "HeightAtFloor", .symbol = WithBarHeight(Symbol("A"), 6.32), .heightValid = true},
    {.name = "HeightBelowFloor", .symbol = WithBarHeight(Symbol("A"), 6.31), .heightValid = false},
    // 8 characters: 1.005 h >= 12.231648 from h = 12.1708.
    {.name = "HeightAtWidthShare",
     .symbol = WithBarHeight(Symbol("STRIVELO"), 12.171),
     .heightValid = true},
    {.name = "HeightBelowWidthShare",
     .symbol = WithBarHeight(Symbol("STRIVELO"), 12.17),
     .heightValid = false},
    {.name = "HeightWithoutModule",
     .symbol = WithBarHeight(Symbol("A", 2.5, 0.0), 50.0),
     .heightValid = false},
};

INSTANTIATE_TEST_SUITE_P(Code39, ParameterCaseTest, testing::ValuesIn(kParameterCases),
                         CaseName<ParameterCase>);

// --- Drawing -----------------------------------------------------------

// "A" at 100 %: X = 0.3, w = 12.75, Q = 6.35, W = 25.45, h = 11; the line
// "*A*" spread over w; text 140/37 mm on y = -size - X.
std::vector<LayoutCase> LayoutCases() {
    const double y = -kTextSize - kX;
    std::vector<LayoutCase> cases;
    LayoutCase plain;
    plain.name = "Plain";
    plain.symbol = Symbol("A");
    plain.frameBox = Box{0, 25.45, y - kX, 11.3};
    plain.barTop = 11.0;
    plain.textLine = "*A*";
    plain.textX = {8.475, 12.725, 16.975};
    plain.textY = y;
    plain.textSize = kTextSize;
    cases.push_back(plain);

    LayoutCase bearer = plain;
    bearer.name = "BearerBars";
    bearer.symbol.bearerBars = true;
    bearer.frameBox = Box{0, 25.45, y - kX - 0.6, 11.9};
    bearer.bearers = {{6.35, 19.1, -0.6, 0}, {6.35, 19.1, 11, 11.6}};
    bearer.textY = y - 0.6;
    cases.push_back(bearer);

    LayoutCase box = bearer;
    box.name = "BearerBox";
    box.symbol.bearerBarEndBars = true;
    box.frameBox = Box{-0.6, 26.05, y - kX - 0.6, 11.9};
    box.bearers = {{0, 25.45, -0.6, 0},
                   {0, 25.45, 11, 11.6},
                   {-0.6, 0, -0.6, 11.6},
                   {25.45, 26.05, -0.6, 11.6}};
    cases.push_back(box);

    // Advance 7 X from (W - 3 a + a) / 2.
    LayoutCase centred = plain;
    centred.name = "Centred";
    centred.symbol.centerAlign = true;
    centred.textX = {10.625, 12.725, 14.825};
    cases.push_back(centred);

    // The baseline moves down with the scaled text, which keeps it below the
    // bars.
    LayoutCase scaled = plain;
    scaled.name = "ScaledText";
    scaled.symbol.fontScaling = 2.0;
    scaled.textY = -2 * kTextSize - kX;
    scaled.frameBox = Box{0, 25.45, scaled.textY - kX, 11.3};
    scaled.textSize = 2 * kTextSize;
    cases.push_back(scaled);

    // X = 0.6, w = 25.5, W = 38.2, h = 22, text twice as high, bearer bars
    // 1.2 mm.
    LayoutCase large = plain;
    large.name = "DoubleSize";
    large.symbol = Symbol("A", 2.5, 2.0);
    large.symbol.bearerBars = true;
    large.textY = -2 * kTextSize - 2 * kX - 1.2;
    large.frameBox = Box{0, 38.2, large.textY - 2 * kX, 22.0 + 2 * kX + 1.2};
    large.bearers = {{6.35, 31.85, -1.2, 0}, {6.35, 31.85, 22, 23.2}};
    large.barTop = 22.0;
    large.textX = {6.35 + 4.25, 6.35 + 12.75, 6.35 + 21.25};
    large.textSize = 2 * kTextSize;
    cases.push_back(large);

    // w = 0.3 x (13.5 x 4 + 3) = 17.1, W = 29.8: four characters over w.
    LayoutCase two = plain;
    two.name = "TwoCharacters";
    two.symbol = Symbol("AB");
    two.frameBox = Box{0, 29.8, y - kX, 11.3};
    two.textLine = "*AB*";
    two.textX = {};
    for (int i = 0; i < 4; ++i) {
        two.textX.push_back(6.35 + 17.1 / 8 + i * 17.1 / 4);
    }
    cases.push_back(two);
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Code39, WideNarrowLayoutTest, testing::ValuesIn(LayoutCases()),
                         CaseName<LayoutCase>);

// "*" (NWNNWNWNN), gap, "A" (WNNNNWNNW), gap, "*"; narrow 0.3, wide 0.75.
const BarsCase kBarsCases[] = {
    {"CharactersFollowEachOtherWithNarrowGaps",
     Symbol("A"),
     {{6.35, 6.65},
      {7.4, 7.7},
      {8.0, 8.75},
      {9.05, 9.8},
      {10.1, 10.4},
      {10.7, 11.45},
      {11.75, 12.05},
      {12.35, 12.65},
      {13.4, 13.7},
      {14.0, 14.75},
      {15.05, 15.35},
      {16.1, 16.4},
      {16.7, 17.45},
      {17.75, 18.5},
      {18.8, 19.1}}},
};

INSTANTIATE_TEST_SUITE_P(Code39, WideNarrowBarsTest, testing::ValuesIn(kBarsCases),
                         CaseName<BarsCase>);

// Font, frame, marks, 4 x 5 bars, 4 bearer bars, "*AB*".
const GenerateFailureCase kGenerateFailureCases[] = {
    {"Code39", Symbol("AB"), 3 + 20 + 4 + 4},
};

INSTANTIATE_TEST_SUITE_P(Code39, WideNarrowGenerateFailureTest,
                         testing::ValuesIn(kGenerateFailureCases), CaseName<GenerateFailureCase>);

// --- Decoding ----------------------------------------------------------

// Module strings made by zint (wide = 2 modules) for "A" and "AB".
const std::string kZintA = "10010110110101101010010110100101101101";
const std::string kZintAB = "100101101101011010100101101011010010110100101101101";
const std::string kStar = kZintA.substr(0, 12);

std::vector<double> EdgesOf(const std::string& modules) {
    return EdgesFromBars(BarsFromModules(modules, 0.5));
}

const KnownModulesCase kKnownModulesCases[] = {
    {"OneCharacter", kBarcodeType3of9, kZintA, 0.5, "A", 2.0},
    {"TwoCharacters", kBarcodeType3of9, kZintAB, 0.5, "AB", 2.0},
};

INSTANTIATE_TEST_SUITE_P(Code39, WideNarrowKnownModulesTest, testing::ValuesIn(kKnownModulesCases),
                         CaseName<KnownModulesCase>);

struct GapCase {
    const char* name;
    // Added to each of the three gaps of "AB" (0.5 mm modules).
    double extraMm;
    bool decodes;
};

// The ideal width of a gap stays one module: extra gap width shows as
// deviation while each edge stays within half a module of its place, and
// beyond that the bars are no reading of the code.
const GapCase kGapCases[] = {
    {"AFifthOfAModuleWider", 0.1, true},
    {"ThreeModulesWide", 1.0, false},
};

class Code39GapTest : public testing::TestWithParam<GapCase> {};

TEST_P(Code39GapTest, WideGapsShowAsDeviation) {
    const GapCase& c = GetParam();
    std::vector<double> edges = EdgesOf(kZintAB);
    // Gaps end at edges 10, 20 and 30.
    for (std::size_t i = 10; i < edges.size(); ++i) {
        edges[i] += c.extraMm * static_cast<double>(i / 10);
    }
    BarcodeProcessor3of9 processor;
    ASSERT_EQ(processor.DecodeEdges(edges.data(), static_cast<std::uint32_t>(edges.size())),
              c.decodes);
    if (c.decodes) {
        EXPECT_STREQ(processor.GetCode(), "AB");
        EXPECT_GT(processor.GetMaxDeviation(), c.extraMm / 4);
        EXPECT_LE(processor.GetMaxDeviation(), 0.25);
    }
}

INSTANTIATE_TEST_SUITE_P(Code39, Code39GapTest, testing::ValuesIn(kGapCases), CaseName<GapCase>);

std::vector<double> EdgesA() {
    return EdgesFromBars(DrawnBars(Symbol("A")));
}

std::vector<FailingEdgesCase> FailingCases() {
    const SymbolSettings decoded = Symbol("STRIVELO", 2.2, 0.8, -0.03);
    std::vector<FailingEdgesCase> cases;
    std::vector<double> edges = EdgesA();
    edges.pop_back();
    cases.push_back({"OneEdgeShort", decoded, edges, true});
    // Start and stop alone: nothing between them can be valid.
    cases.push_back({"StartStopOnly", decoded, EdgesOf(kStar + "0" + kStar), true});
    // The first bar wide: no start.
    edges = EdgesA();
    WidenElement(edges, 1, 1.5 * kX);
    cases.push_back({"NoStart", decoded, edges, true});
    edges = EdgesA();
    WidenElement(edges, edges.size() - 2, 1.5 * kX);
    cases.push_back({"NoStop", decoded, edges, true});
    // A narrow space of "A" widened: four wide elements match no character.
    edges = EdgesA();
    WidenElement(edges, 12, 1.5 * kX);
    cases.push_back({"FourWideElements", decoded, edges, false});
    edges = EdgesA();
    WidenElement(edges, 12, 0.6 * kX);
    cases.push_back({"ElementBetweenWidths", decoded, edges, false});
    // "*A*B*": a start/stop character inside is no code.
    cases.push_back(
        {"StartStopInside", decoded, EdgesOf(kZintA + "0" + kZintAB.substr(26)), false});
    // Interleaved 2 of 5 has 10 p + 8 edges, never a multiple of 10.
    cases.push_back(
        {"InterleavedCount", decoded,
         EdgesFromBars(DrawnBars({.type = Strivelo::kBarcodeType2of5, .code = "123456"})), true});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Code39, WideNarrowDecodeFailureTest, testing::ValuesIn(FailingCases()),
                         CaseName<FailingEdgesCase>);

// --- Fitting to a device -------------------------------------------------

const FitCase kFitCases[] = {
    {.name = "Exact",
     .type = kBarcodeType3of9,
     .unitsPerModule = 10,
     .magnification = 1.0,
     .ratio = 2.5,
     .fitted = true,
     .fittedMagnification = 1.0,
     .fittedRatio = 2.5},
    // X = 0.3 mm is below 0.5 mm: 2.0 rises to 2.2.
    {.name = "SmallModuleRaisesRatio",
     .type = kBarcodeType3of9,
     .unitsPerModule = 10,
     .magnification = 1.0,
     .ratio = 2.0,
     .fitted = true,
     .fittedMagnification = 1.0,
     .fittedRatio = 2.2},
    // X = 0.48 mm: 32 units of 16 rise to 36.
    {.name = "JustBelowHalfMillimetre",
     .type = kBarcodeType3of9,
     .unitsPerModule = 10,
     .magnification = 1.6,
     .ratio = 2.0,
     .fitted = true,
     .fittedMagnification = 1.6,
     .fittedRatio = 2.25},
    {.name = "JustAboveHalfMillimetre",
     .type = kBarcodeType3of9,
     .unitsPerModule = 10,
     .magnification = 1.7,
     .ratio = 2.0,
     .fitted = true,
     .fittedMagnification = 1.7,
     .fittedRatio = 2.0},
    {.name = "TooLargeShrinks",
     .type = kBarcodeType3of9,
     .unitsPerModule = 10,
     .magnification = 2.5,
     .ratio = 2.0,
     .fitted = true,
     .fittedMagnification = 2.0,
     .fittedRatio = 2.0},
    {.name = "TooSmallGrows",
     .type = kBarcodeType3of9,
     .unitsPerModule = 10,
     .magnification = 0.5,
     .ratio = 2.5,
     .fitted = true,
     .fittedMagnification = 0.7,
     .fittedRatio = 18.0 / 7.0},
    // One unit is twice the module, which Code 39 still allows.
    {.name = "CoarseDevice",
     .type = kBarcodeType3of9,
     .unitsPerModule = 0.5,
     .magnification = 1.0,
     .ratio = 2.5,
     .fitted = true,
     .fittedMagnification = 2.0,
     .fittedRatio = 3.0},
    {.name = "TooCoarse",
     .type = kBarcodeType3of9,
     .unitsPerModule = 0.4,
     .magnification = 1.0,
     .ratio = 2.5,
     .fitted = false,
     .fittedMagnification = 0,
     .fittedRatio = 0},
};

INSTANTIATE_TEST_SUITE_P(Code39, WideNarrowFitTest, testing::ValuesIn(kFitCases),
                         CaseName<FitCase>);

}  // namespace
}  // namespace StriveloTest
