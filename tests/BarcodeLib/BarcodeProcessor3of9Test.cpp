#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "BarEdges.h"
#include "BarcodeProcessor2of5.h"
#include "BarcodeProcessor3of9.h"
#include "WideNarrowCases.h"
#include "WideNarrowTestSupport.h"

namespace StriveloTest {
namespace {

using Strivelo::BarcodeProcessor3of9;
using Strivelo::kBarcodeType3of9;

constexpr double kX = BarcodeProcessor3of9::kModuleMm;
constexpr double kTextSize = 140.0 / 37.0;

WideNarrowSymbol Symbol(const char* code, double ratio = 2.5, double magnification = 1.0,
                        double reductionMm = 0.0) {
    return {kBarcodeType3of9, code, ratio, magnification, reductionMm};
}

// --- Code texts ---------------------------------------------------------

// CorrectCode only validates: nothing is upper-cased or added.
const CodeCase kCodeCases[] = {
    {"Letters", kBarcodeType3of9, "CODE39", true, true, "CODE39"},
    {"Digits", kBarcodeType3of9, "0123456789", true, true, "0123456789"},
    {"Alphabet", kBarcodeType3of9, "ABCDEFGHIJKLMNOPQRSTUVWXYZ", true, true,
     "ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
    {"Symbols", kBarcodeType3of9, "-. $/+%", true, true, "-. $/+%"},
    {"OneCharacter", kBarcodeType3of9, "A", true, true, "A"},
    {"LowerCase", kBarcodeType3of9, "code39", false, false, "code39"},
    {"StartStopInside", kBarcodeType3of9, "A*B", false, false, "A*B"},
    {"StartStopAlone", kBarcodeType3of9, "*", false, false, "*"},
    {"Empty", kBarcodeType3of9, "", false, false, ""},
    {"Underscore", kBarcodeType3of9, "A_B", false, false, "A_B"},
    {"Tab", kBarcodeType3of9, "A\tB", false, false, "A\tB"},
    {"HighByte", kBarcodeType3of9, "A\xC4", false, false, "A\xC4"},
};

INSTANTIATE_TEST_SUITE_P(Code39, WideNarrowCodeTextTest, testing::ValuesIn(kCodeCases),
                         CaseName<CodeCase>);

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

const ValidatorCase kValidatorCases[] = {
    // Below a module of 0.5 mm (magnification 5/3) the ratio needs 2.2.
    {"Ratio21AtFullSize", Symbol("A", 2.1, 1.0), 0, kRatioCheck, false},
    {"Ratio21At120", Symbol("A", 2.1, 1.2), 0, kRatioCheck, false},
    {"Ratio219AtModule048", Symbol("A", 2.19, 1.6), 0, kRatioCheck, false},
    {"Ratio22AtModule048", Symbol("A", 2.2, 1.6), 0, kRatioCheck, true},
    {"Ratio20AtModule051", Symbol("A", 2.0, 1.7), 0, kRatioCheck, true},
    {"Ratio199AtModule051", Symbol("A", 1.99, 1.7), 0, kRatioCheck, false},
    {"Ratio20AtDoubleSize", Symbol("A", 2.0, 2.0), 0, kRatioCheck, true},
    {"Ratio30", Symbol("A", 3.0, 0.625), 0, kRatioCheck, true},
    {"Ratio301", Symbol("A", 3.01, 2.0), 0, kRatioCheck, false},
    {"MagnificationSmallest", Symbol("A", 2.5, 0.625), 0, kMagnificationCheck, true},
    {"MagnificationBelow", Symbol("A", 2.5, 0.62), 0, kMagnificationCheck, false},
    {"MagnificationLargest", Symbol("A", 2.5, 2.0), 0, kMagnificationCheck, true},
    {"MagnificationAbove", Symbol("A", 2.5, 2.01), 0, kMagnificationCheck, false},
    // A quarter of the nominal module: 0.075 mm at 100 %, 0.15 at 200 %.
    {"ReductionAtLimit", Symbol("A", 2.5, 1.0, 0.075), 0, kReductionCheck, true},
    {"ReductionOver", Symbol("A", 2.5, 1.0, 0.0751), 0, kReductionCheck, false},
    {"WideningAtLimit", Symbol("A", 2.5, 2.0, -0.15), 0, kReductionCheck, true},
    {"WideningOver", Symbol("A", 2.5, 2.0, -0.151), 0, kReductionCheck, false},
    // "A": 0.28314 w = 3.61 stays below 6.35; 1.005 h >= 6.35.
    {"HeightAtFloor", Symbol("A"), 6.32, kHeightCheck, true},
    {"HeightBelowFloor", Symbol("A"), 6.31, kHeightCheck, false},
    // 8 characters: 1.005 h >= 12.231648 from h = 12.1708.
    {"HeightAtWidthShare", Symbol("STRIVELO"), 12.171, kHeightCheck, true},
    {"HeightBelowWidthShare", Symbol("STRIVELO"), 12.17, kHeightCheck, false},
    {"HeightWithoutModule", Symbol("A", 2.5, 0.0), 50.0, kHeightCheck, false},
};

INSTANTIATE_TEST_SUITE_P(Code39, WideNarrowValidatorTest, testing::ValuesIn(kValidatorCases),
                         CaseName<ValidatorCase>);

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
    bearer.bearerBars = true;
    bearer.frameBox = Box{0, 25.45, y - kX - 0.6, 11.9};
    bearer.bearers = {{6.35, 19.1, -0.6, 0}, {6.35, 19.1, 11, 11.6}};
    bearer.textY = y - 0.6;
    cases.push_back(bearer);

    LayoutCase box = bearer;
    box.name = "BearerBox";
    box.endBars = true;
    box.frameBox = Box{-0.6, 26.05, y - kX - 0.6, 11.9};
    box.bearers = {{0, 25.45, -0.6, 0},
                   {0, 25.45, 11, 11.6},
                   {-0.6, 0, -0.6, 11.6},
                   {25.45, 26.05, -0.6, 11.6}};
    cases.push_back(box);

    // Advance 7 X from (W - 3 a + a) / 2.
    LayoutCase centred = plain;
    centred.name = "Centred";
    centred.centerAlign = true;
    centred.textX = {10.625, 12.725, 14.825};
    cases.push_back(centred);

    // The baseline moves down with the scaled text, which keeps it below the
    // bars.
    LayoutCase scaled = plain;
    scaled.name = "ScaledText";
    scaled.fontScaling = 2.0;
    scaled.textY = -2 * kTextSize - kX;
    scaled.frameBox = Box{0, 25.45, scaled.textY - kX, 11.3};
    scaled.textSize = 2 * kTextSize;
    cases.push_back(scaled);

    // X = 0.6, w = 25.5, W = 38.2, h = 22, text twice as high, bearer bars
    // 1.2 mm.
    LayoutCase large = plain;
    large.name = "DoubleSize";
    large.symbol = Symbol("A", 2.5, 2.0);
    large.bearerBars = true;
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
    return EdgesFromBars(DrawBars(Symbol("A")));
}

std::vector<FailingEdgesCase> FailingCases() {
    const WideNarrowSymbol decoded = Symbol("STRIVELO", 2.2, 0.8, -0.03);
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
    cases.push_back({"InterleavedCount", decoded,
                     EdgesFromBars(DrawBars({Strivelo::kBarcodeType2of5, "123456"})), true});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Code39, WideNarrowDecodeFailureTest, testing::ValuesIn(FailingCases()),
                         CaseName<FailingEdgesCase>);

// --- Fitting to a device -------------------------------------------------

const FitCase kFitCases[] = {
    {"Exact", kBarcodeType3of9, 10, 1.0, 2.5, true, 1.0, 2.5},
    // X = 0.3 mm is below 0.5 mm: 2.0 rises to 2.2.
    {"SmallModuleRaisesRatio", kBarcodeType3of9, 10, 1.0, 2.0, true, 1.0, 2.2},
    // X = 0.48 mm: 32 units of 16 rise to 36.
    {"JustBelowHalfMillimetre", kBarcodeType3of9, 10, 1.6, 2.0, true, 1.6, 2.25},
    {"JustAboveHalfMillimetre", kBarcodeType3of9, 10, 1.7, 2.0, true, 1.7, 2.0},
    {"TooLargeShrinks", kBarcodeType3of9, 10, 2.5, 2.0, true, 2.0, 2.0},
    {"TooSmallGrows", kBarcodeType3of9, 10, 0.5, 2.5, true, 0.7, 18.0 / 7.0},
    // One unit is twice the module, which Code 39 still allows.
    {"CoarseDevice", kBarcodeType3of9, 0.5, 1.0, 2.5, true, 2.0, 3.0},
    {"TooCoarse", kBarcodeType3of9, 0.4, 1.0, 2.5, false, 0, 0},
};

INSTANTIATE_TEST_SUITE_P(Code39, WideNarrowFitTest, testing::ValuesIn(kFitCases),
                         CaseName<FitCase>);

}  // namespace
}  // namespace StriveloTest
