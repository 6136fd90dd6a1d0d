#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "BarEdges.h"
#include "BarcodeProcessorCode128.h"
#include "Code128TestSupport.h"
#include "CodeCase.h"
#include "DecodedState.h"
#include "Drawing.h"
#include "ParameterCase.h"
#include "RecordingGenerator.h"

namespace StriveloTest {
namespace {

using Strivelo::BarcodeProcessorCode128;
using Strivelo::FourCC;
using testing::ElementsAre;
using testing::ElementsAreArray;
using Kind = RecordedCall::Kind;

std::vector<int> ValuesOf(const std::string& text) {
    BarcodeProcessorCode128::SymbolValues values{};
    const std::size_t count = BarcodeProcessorCode128::EncodeSymbolValues(text.c_str(), values);
    return {values.begin(), values.begin() + static_cast<std::ptrdiff_t>(count)};
}

// ---- Encodation ----

struct EncodationCase {
    const char* name;
    std::string text;
    // Start to stop; empty when the text is refused.
    std::vector<int> values;
};

const EncodationCase kEncodationCases[] = {
    {"FourLeadingDigitsStartInSetC", "1234", {105, 12, 34, 82, 106}},
    {"ThreeLeadingDigitsStayInSetA", "123", {103, 17, 18, 19, 7, 106}},
    {"OddDigitRunLeavesItsLastDigitToSetA", "12345", {105, 12, 34, 101, 21, 57, 106}},
    {"SixDigitsAfterTextGoToSetC", "AB123456", {103, 33, 34, 99, 12, 34, 56, 25, 106}},
    {"FourDigitsAfterTextStayInSetA", "A1234", {103, 33, 17, 18, 19, 20, 91, 106}},
    {"FiveDigitsAfterTextStayInSetA", "AB12345", {103, 33, 34, 17, 18, 19, 20, 21, 71, 106}},
    {"SetCThenLowerCaseInSetB", "12345678a", {105, 12, 34, 56, 78, 100, 65, 10, 106}},
    {"OddLeadingRunThenSetA", "1234567", {105, 12, 34, 56, 101, 23, 48, 106}},
    {"DigitsBetweenLowerCase", "a1234567890b", {104, 65, 99, 12, 34, 56, 78, 90, 100, 66, 15, 106}},
    {"LowerCaseStartsInSetB", "ab", {104, 65, 66, 95, 106}},
    {"CapitalsStayInSetB", "abC", {104, 65, 66, 35, 97, 106}},
    {"SetBUntilSixDigits", "aXY123456", {104, 65, 56, 57, 99, 12, 34, 56, 62, 106}},
    {"ControlCharacterSwitchesToSetA", "a%09b", {104, 65, 101, 73, 100, 66, 84, 106}},
    {"CapitalsStayInSetA", "HELLO", {103, 40, 37, 44, 44, 47, 39, 106}},
    {"CapitalsAndDigits", "PJJ123C", {103, 48, 42, 42, 17, 18, 19, 35, 54, 106}},
    {"LeadingFnc1CountsAsDigit",
     "%FNC10112345678901231",
     {105, 102, 1, 12, 34, 56, 78, 90, 12, 31, 74, 106}},
    {"Fnc1WithOddDigitsInSetC", "%FNC1123", {105, 102, 12, 101, 19, 95, 106}},
    {"Fnc1OpensADigitRunAfterText", "A%FNC112345", {103, 33, 99, 102, 12, 34, 101, 21, 66, 106}},
    {"Fnc1AfterOddDigitsStaysInSetA", "1%FNC1", {103, 17, 102, 15, 106}},
    {"TwoFnc1AreTooFewForSetC", "%FNC1%FNC1", {103, 102, 102, 100, 106}},
    {"DoublePercentIsOnePercentSign", "%%", {103, 5, 5, 106}},
    {"TrailingDoublePercent", "A%%", {103, 33, 5, 43, 106}},
    // One spelling per symbol: what a reading gives back.
    {"TrailingLonePercent", "A%", {}},
    {"LowerCaseFunctionEscape", "%fnc3", {}},
    {"LowerCaseHexDigit", "%1f", {}},
    {"RawControlCharacter", "A\tB", {}},
    {"Fnc2InSetB", "%FNC2", {104, 97, 98, 106}},
    {"Fnc3InSetB", "%FNC3", {104, 96, 97, 106}},
    {"Fnc4InSetB", "%FNC4", {104, 100, 101, 106}},
    {"Fnc4EndsASetBSegment", "A%FNC4", {104, 33, 100, 28, 106}},
    {"Fnc4AfterControlCharacter", "%09%FNC4", {103, 73, 100, 100, 58, 106}},
    {"LastControlCharacter", "%1F", {103, 95, 95, 106}},
    {"Delete", "\x7f", {104, 95, 96, 106}},
    {"EmptyText", "", {}},
    {"EscapedPrintableCharacter", "%41", {}},
    {"EscapeAboveControlCharacters", "%20", {}},
    {"EscapedDelete", "%7F", {}},
    {"EscapeOfAFunctionCode", "%81", {}},
    {"EscapeWithoutHexDigit", "%0G", {}},
    {"EscapeCutShort", "A%1", {}},
    {"NoFunctionCharacterFive", "%FNC5", {}},
    {"FunctionEscapeCutShort", "A%FNC", {}},
    {"FunctionEscapeMisspelt", "%FNX1", {}},
    {"LetterEscape", "%AN", {}},
    {"ByteAbove7Bit", "A\xC4", {}},
};

class Code128EncodationTest : public testing::TestWithParam<EncodationCase> {};

TEST_P(Code128EncodationTest, GivesTheSymbolValues) {
    const EncodationCase& c = GetParam();
    EXPECT_THAT(ValuesOf(c.text), ElementsAreArray(c.values));
    BarcodeProcessorCode128 processor;
    EXPECT_EQ(processor.IsEncodedValid(c.text.c_str()), !c.values.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, Code128EncodationTest, testing::ValuesIn(kEncodationCases),
                         CaseName<EncodationCase>);

struct LimitCase {
    const char* name;
    std::string text;
    std::size_t values;
};

const LimitCase kLimitCases[] = {
    {"FortyFiveCapitals", std::string(45, 'A'), 48},
    {"FortySixCapitals", std::string(46, 'A'), 0},
    {"NinetyDigits", std::string(90, '7'), 48},
    {"NinetyOneDigits", std::string(91, '7'), 0},
    {"FortyFiveFunctionCharacters",
     [] {
         std::string text;
         for (int i = 0; i < 45; ++i) {
             text += "%FNC3";
         }
         return text;
     }(),
     48},
};

class Code128LimitTest : public testing::TestWithParam<LimitCase> {};

TEST_P(Code128LimitTest, AllowsFortyEightSymbolValues) {
    EXPECT_EQ(ValuesOf(GetParam().text).size(), GetParam().values);
}

INSTANTIATE_TEST_SUITE_P(Cases, Code128LimitTest, testing::ValuesIn(kLimitCases),
                         CaseName<LimitCase>);

// ---- Escapes ----

const CodeCase kEscapeCases[] = {
    {"DoublePercent", kCode128Type, "%%", "%%"},
    {"TrailingPercentDoubled", kCode128Type, "A%", "A%%"},
    {"HexDigitsUpperCased", kCode128Type, "%0a%1f", "%0A%1F"},
    {"FunctionLettersUpperCased", kCode128Type, "%fnc2x%Fnc4", "%FNC2x%FNC4"},
    {"TextAfterDoublePercentUntouched", kCode128Type, "%%fnc1", "%%fnc1"},
    {"RawControlCharactersEscaped", kCode128Type, "A\tB\x1f", "A%09B%1F"},
    {"AlreadyInItsSpelling", kCode128Type, "%FNC1A%%%0D", "%FNC1A%%%0D"},
    {"EscapedLetter", kCode128Type, "%41", nullptr},
    {"EscapeAboveControlCharacters", kCode128Type, "%C1", nullptr},
    {"LetterEscape", kCode128Type, "%AN", nullptr},
    {"FunctionEscapeMisspelt", kCode128Type, "%FNX1", nullptr},
    {"TrailingFunctionEscape", kCode128Type, "A%FNC", nullptr},
    {"TrailingHalfEscape", kCode128Type, "A%1", nullptr},
    {"Empty", kCode128Type, "", nullptr},
    {"ByteAbove7Bit", kCode128Type, "\xE9t\xE9", nullptr},
    {"TooManySymbolValues", kCode128Type, "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA",
     nullptr},
};

// Only the corrected spelling is valid.
INSTANTIATE_TEST_SUITE_P(Escapes, CodeCaseTest, testing::ValuesIn(kEscapeCases),
                         CaseName<CodeCase>);

// ---- Widths, heights and parameters ----

struct WidthCase {
    const char* name;
    const char* code;
    double module;
    double width;
};

const WidthCase kWidthCases[] = {
    {"SevenValuesAtSmallestModule", "12345", 0.25, 24.83},
    {"QuietZoneOfTenModules", "1234", 1.0, 77.0},
    {"QuietZoneAtLeast2_54", "1234", 0.2, 16.48},
    {"ZeroModule", "1234", 0.0, -1.0},
    {"NegativeModule", "1234", -0.5, -1.0},
    {"NoCode", nullptr, 1.0, 0.0},
};

class Code128WidthTest : public testing::TestWithParam<WidthCase> {};

TEST_P(Code128WidthTest, IncludesBothQuietZonesAndTheTerminationBar) {
    const WidthCase& c = GetParam();
    BarcodeProcessorCode128 processor;
    ASSERT_TRUE(c.code == nullptr || processor.SetCode(c.code));
    processor.SetMagnification(c.module);
    EXPECT_NEAR(processor.ComputeWidth(), c.width, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Cases, Code128WidthTest, testing::ValuesIn(kWidthCases),
                         CaseName<WidthCase>);

struct BarHeightCase {
    const char* name;
    double module;
    double heightMm;
    bool valid;
};

const BarHeightCase kBarHeightCases[] = {
    {"SmallModuleJustEnough", 0.79, 19.91, true}, {"SmallModuleTooLow", 0.79, 19.90, false},
    {"FromPoint8JustEnough", 0.8, 25.28, true},   {"FromPoint8TooLow", 0.8, 25.27, false},
    {"FromOneTooLow", 1.0, 31.83, false},         {"BelowOnePoint2JustEnough", 1.19, 31.85, true},
    {"FromOnePoint2TooLow", 1.2, 38.0, false},    {"FromOnePoint2JustEnough", 1.2, 38.01, true},
};

class Code128BarHeightTest : public testing::TestWithParam<BarHeightCase> {};

TEST_P(Code128BarHeightTest, AllowsHalfAPercentBelowTheMinimum) {
    const BarHeightCase& c = GetParam();
    BarcodeProcessorCode128 processor;
    processor.SetMagnification(c.module);
    processor.SetBarHeight(c.heightMm);
    EXPECT_EQ(processor.IsBarHeightValid(), c.valid);
    processor.SetScaleHeightWithWidth(true);
    EXPECT_EQ(processor.IsBarHeightValid(), c.valid);
}

INSTANTIATE_TEST_SUITE_P(Cases, Code128BarHeightTest, testing::ValuesIn(kBarHeightCases),
                         CaseName<BarHeightCase>);

const ParameterCase kParameterCases[] = {
    {.name = "BelowSmallestModule",
     .symbol = {.type = kCode128Type, .magnification = 0.249, .reductionMm = 0.0},
     .magnificationValid = false,
     .reductionValid = true},
    {.name = "SmallestModule",
     .symbol = {.type = kCode128Type, .magnification = 0.25, .reductionMm = 0.0625},
     .magnificationValid = true,
     .reductionValid = true},
    {.name = "LargestModule",
     .symbol = {.type = kCode128Type, .magnification = 2.0, .reductionMm = -0.5},
     .magnificationValid = true,
     .reductionValid = true},
    {.name = "AboveLargestModule",
     .symbol = {.type = kCode128Type, .magnification = 2.01, .reductionMm = 0.0},
     .magnificationValid = false,
     .reductionValid = true},
    {.name = "ReductionAboveAQuarterModule",
     .symbol = {.type = kCode128Type, .magnification = 0.4, .reductionMm = 0.1001},
     .magnificationValid = true,
     .reductionValid = false},
    {.name = "WideningBeyondAQuarterModule",
     .symbol = {.type = kCode128Type, .magnification = 0.4, .reductionMm = -0.1001},
     .magnificationValid = true,
     .reductionValid = false},
};

// The magnification is the module in mm.
INSTANTIATE_TEST_SUITE_P(Cases, ParameterCaseTest, testing::ValuesIn(kParameterCases),
                         CaseName<ParameterCase>);

struct ResolutionCase {
    const char* name;
    double module;
    double unitsPerMm;
    bool fitted;
    double fittedModule;
};

const ResolutionCase kResolutionCases[] = {
    {"NearestWholeUnits", 0.33, 300 / 25.4, true, 4 / (300 / 25.4)},
    {"HalfUnitRoundsUp", 1.0, 0.5, true, 2.0},
    {"UpToTheSmallestModule", 0.1, 100.0, true, 0.25},
    {"DownToTheLargestModule", 3.0, 10.0, true, 2.0},
    {"OneUnitTooWide", 1.0, 0.4, false, 1.0},
    {"NoResolution", 0.5, 0.0, false, 0.5},
    {"NegativeResolution", 0.5, -300.0, false, 0.5},
};

class Code128FitToResolutionTest : public testing::TestWithParam<ResolutionCase> {};

TEST_P(Code128FitToResolutionTest, RoundsTheModuleToDeviceUnits) {
    const ResolutionCase& c = GetParam();
    BarcodeProcessorCode128 processor;
    processor.SetMagnification(c.module);
    EXPECT_EQ(processor.FitToResolution(c.unitsPerMm), c.fitted);
    EXPECT_NEAR(processor.GetMagnification(), c.fittedModule, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Cases, Code128FitToResolutionTest, testing::ValuesIn(kResolutionCases),
                         CaseName<ResolutionCase>);

TEST(Code128OptionTest, OffersFontTextAndBearerBarOptions) {
    BarcodeProcessorCode128 processor;
    for (const std::int32_t option :
         {FourCC("FONT"), FourCC("FCAL"), FourCC("FSCL"), FourCC("BBAR"), FourCC("BEBB")}) {
        EXPECT_TRUE(processor.HasOption(option)) << option;
    }
    EXPECT_FALSE(processor.HasOption(FourCC("W2NR")));
    EXPECT_EQ(processor.GetType(), FourCC("c128"));
    EXPECT_STREQ(processor.GetName(), "Code-128");
}

// ---- Generate ----

// "1234" at a 0.5 mm module: 5 symbol values, total width 38.5 mm with
// quiet zones of 5 mm.
class Code128GenerateTest : public testing::Test {
protected:
    static constexpr double kModule = 0.5;
    static constexpr double kWidth = 38.5;
    static constexpr double kQuietZone = 5.0;
    static constexpr double kBarHeight = 10.0;

    void SetUp() override {
        ASSERT_TRUE(processor_.SetCode("1234"));
        processor_.SetMagnification(kModule);
        processor_.SetBarHeight(kBarHeight);
        processor_.SetFont("Helvetica");
    }

    std::vector<Kind> Kinds(const RecordingGenerator& generator) const {
        std::vector<Kind> kinds;
        for (const RecordedCall& call : generator.GetCalls()) {
            if (kinds.empty() || kinds.back() != call.kind) {
                kinds.push_back(call.kind);
            }
        }
        return kinds;
    }

    BarcodeProcessorCode128 processor_;
};

TEST_F(Code128GenerateTest, DrawsFontFrameMarksBarsAndTextInThatOrder) {
    processor_.SetQuietZoneMarks(true);
    const Drawing generator = Draw(processor_);
    EXPECT_THAT(Kinds(generator), ElementsAre(Kind::kFont, Kind::kFrame, Kind::kQuietZoneMarks,
                                              Kind::kBar, Kind::kText));
    const RecordedCall& font = generator.GetCalls().front();
    EXPECT_EQ(font.text, "Helvetica");
    EXPECT_THAT(font.flags, ElementsAre(false));
    EXPECT_THAT(generator.GetCalls(Kind::kFrame).front().numbers,
                ElementsAre(0.0, kWidth, -5.0, kBarHeight + kModule, 0.0));
    const RecordedCall marks = generator.GetCalls(Kind::kQuietZoneMarks).front();
    EXPECT_THAT(marks.numbers, ElementsAre(0.0, kWidth, -4.5, -4.5, kModule));
    EXPECT_THAT(marks.flags, ElementsAre(true, true));
    EXPECT_DOUBLE_EQ(processor_.GetTotalWidth(), kWidth);
}

TEST_F(Code128GenerateTest, BarsStartAfterTheQuietZoneAndEndInTheTerminationBar) {
    const std::vector<RecordedBar> bars = Draw(processor_).GetBars();
    ASSERT_EQ(bars.size(), 16u);
    EXPECT_EQ(ModuleString(bars, kModule),
              "110100111001011001110010001011000100100111101100011101011");
    EXPECT_DOUBLE_EQ(bars.front().left, kQuietZone);
    EXPECT_DOUBLE_EQ(bars.back().right, kWidth - kQuietZone);
    EXPECT_DOUBLE_EQ(bars.back().right - bars.back().left, 2 * kModule);
    for (const RecordedBar& bar : bars) {
        EXPECT_EQ(bar.bottom, 0.0);
        EXPECT_EQ(bar.top, kBarHeight);
    }
}

TEST_F(Code128GenerateTest, BarWidthReductionNarrowsEveryBarOnBothSides) {
    processor_.SetBarWidthReduction(0.1);
    const std::vector<RecordedBar> bars = Draw(processor_).GetBars();
    EXPECT_DOUBLE_EQ(bars.front().left, kQuietZone + 0.05);
    EXPECT_DOUBLE_EQ(bars.front().right, kQuietZone + 2 * kModule - 0.05);
}

struct DefaultHeightCase {
    const char* name;
    double module;
    double heightMm;
};

const DefaultHeightCase kDefaultHeightCases[] = {
    {"BelowPoint8", 0.79, 20.0},    {"FromPoint8", 0.8, 25.4},    {"FromOne", 1.0, 32.0},
    {"BelowOnePoint2", 1.19, 32.0}, {"FromOnePoint2", 1.2, 38.2},
};

class Code128DefaultHeightTest : public testing::TestWithParam<DefaultHeightCase> {};

TEST_P(Code128DefaultHeightTest, IsTheMinimumForTheModule) {
    BarcodeProcessorCode128 processor;
    ASSERT_TRUE(processor.SetCode("AB"));
    processor.SetMagnification(GetParam().module);
    EXPECT_EQ(Draw(processor).GetBars().front().top, GetParam().heightMm);
}

INSTANTIATE_TEST_SUITE_P(Cases, Code128DefaultHeightTest, testing::ValuesIn(kDefaultHeightCases),
                         CaseName<DefaultHeightCase>);

struct TextCase {
    const char* name;
    const char* code;
    bool centered;
    double scaling;
    std::string printed;
    double firstX;
    double advance;
    double baseline;
};

// Total widths: "1234" 38.5 mm, "a%09b" 55 mm, "%FNC1%09" 38.5 mm.
const TextCase kTextCases[] = {
    {.name = "SpreadBetweenQuietZones",
     .code = "1234",
     .centered = false,
     .scaling = 1.0,
     .printed = "1234",
     .firstX = 8.5625,
     .advance = 7.125,
     .baseline = -4.5},
    // Pitched by the two printed characters, not the five bytes of the code.
    {.name = "EscapesNotPrintedNorCounted",
     .code = "a%09b",
     .centered = false,
     .scaling = 1.0,
     .printed = "ab",
     .firstX = 16.25,
     .advance = 22.5,
     .baseline = -4.5},
    {.name = "CenteredAtTheScaledPitch",
     .code = "1234",
     .centered = true,
     .scaling = 1.5,
     .printed = "1234",
     .firstX = 14.75,
     .advance = 3.0,
     .baseline = -6.5},
    {.name = "NothingPrintable",
     .code = "%FNC1%09",
     .centered = false,
     .scaling = 1.0,
     .printed = "",
     .firstX = 0.0,
     .advance = 0.0,
     .baseline = 0.0},
};

class Code128TextTest : public testing::TestWithParam<TextCase> {};

TEST_P(Code128TextTest, PrintsThePrintableCharacters) {
    const TextCase& c = GetParam();
    BarcodeProcessorCode128 processor;
    ASSERT_TRUE(processor.SetCode(c.code));
    processor.SetMagnification(0.5);
    processor.SetCenterAlign(c.centered);
    processor.SetFontScaling(c.scaling);
    const std::vector<RecordedCall> texts = Draw(processor).GetCalls(Kind::kText);
    ASSERT_EQ(texts.size(), c.printed.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(texts[i].text, std::string(1, c.printed[i]));
        EXPECT_NEAR(texts[i].numbers[0], c.firstX + static_cast<double>(i) * c.advance, 1e-12);
        EXPECT_DOUBLE_EQ(texts[i].numbers[1], c.baseline);
        EXPECT_DOUBLE_EQ(texts[i].numbers[2], 4.0 * c.scaling);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Code128TextTest, testing::ValuesIn(kTextCases), CaseName<TextCase>);

TEST_F(Code128GenerateTest, BearerBarsCoverTheBarAreaAndMoveTheTextDown) {
    processor_.SetBearerBars(true);
    const Drawing generator = Draw(processor_);
    EXPECT_THAT(generator.GetCalls(Kind::kFrame).front().numbers,
                ElementsAre(0.0, kWidth, -6.0, kBarHeight + 1.5, 0.0));
    const std::vector<RecordedCall> bearers = generator.GetCalls(Kind::kBearerBar);
    ASSERT_EQ(bearers.size(), 2u);
    EXPECT_THAT(bearers[0].numbers, ElementsAre(kQuietZone, kWidth - kQuietZone, -1.0, 0.0));
    EXPECT_THAT(bearers[1].numbers,
                ElementsAre(kQuietZone, kWidth - kQuietZone, kBarHeight, kBarHeight + 1.0));
    EXPECT_DOUBLE_EQ(generator.GetCalls(Kind::kText).front().numbers[1], -5.5);
}

TEST_F(Code128GenerateTest, EndBarsCloseTheBearerBox) {
    processor_.SetBearerBars(true);
    processor_.SetBearerBarEndBars(true);
    const Drawing generator = Draw(processor_);
    EXPECT_THAT(generator.GetCalls(Kind::kFrame).front().numbers,
                ElementsAre(-1.0, kWidth + 1.0, -6.0, kBarHeight + 1.5, 0.0));
    const std::vector<RecordedCall> bearers = generator.GetCalls(Kind::kBearerBar);
    ASSERT_EQ(bearers.size(), 4u);
    EXPECT_THAT(bearers[0].numbers, ElementsAre(0.0, kWidth, -1.0, 0.0));
    EXPECT_THAT(bearers[3].numbers, ElementsAre(kWidth, kWidth + 1.0, -1.0, kBarHeight + 1.0));
}

TEST_F(Code128GenerateTest, FlagsLeaveOutFrameMarksAndText) {
    processor_.SetQuietZoneMarks(true);
    processor_.SetEmitFrame(false);
    processor_.SetHumanReadable(false);
    EXPECT_THAT(Kinds(Draw(processor_)), ElementsAre(Kind::kFont, Kind::kBar));
}

TEST_F(Code128GenerateTest, StopsAtTheFirstRefusedCall) {
    ExpectStopsAtEachRefusedCall({.type = kCode128Type,
                                  .code = "1234",
                                  .magnification = kModule,
                                  .barHeightMm = kBarHeight,
                                  .bearerBars = true,
                                  .bearerBarEndBars = true,
                                  .quietZoneMarks = true});
}

TEST_F(Code128GenerateTest, DrawsNothingWithoutAModule) {
    processor_.SetMagnification(0.0);
    const Drawing drawing = Draw(processor_);
    EXPECT_FALSE(drawing.generated);
    EXPECT_TRUE(drawing.GetCalls().empty());
}

// ---- Decoding symbols made elsewhere ----

struct ForeignCase {
    const char* name;
    // Start to stop.
    std::vector<int> values;
    // nullptr when the symbol must be refused.
    const char* code;
};

std::vector<int> Repeated(int first, int value, std::size_t times, std::vector<int> end) {
    std::vector<int> values{first};
    values.insert(values.end(), times, value);
    values.insert(values.end(), end.begin(), end.end());
    return values;
}

const ForeignCase kForeignCases[] = {
    {"ShiftReadsOneCharacterInSetA", {104, 65, 98, 73, 66, 24, 106}, "a%09b"},
    {"ShiftReadsOneCharacterInSetB", {103, 33, 98, 65, 34, 45, 106}, "AaB"},
    {"NinetyEightIsAPairInSetC", {105, 98, 100, 106}, "98"},
    {"RedundantSetChanges", {104, 33, 101, 100, 34, 54, 106}, "AB"},
    {"Fnc4InSetA", {103, 101, 101, 106}, "%FNC4"},
    {"Nul", {103, 64, 64, 106}, "%00"},
    {"PercentSign", {104, 5, 6, 106}, "%%"},
    {"WrongCheckCharacter", {104, 33, 34, 101, 106}, nullptr},
    {"NoStartCharacter", {33, 34, 35, 106}, nullptr},
    {"NoStopCharacter", {104, 33, 34, 102, 33}, nullptr},
    {"StartCharacterInData", {104, 33, 103, 34, 106}, nullptr},
    {"StopCharacterInData", {104, 106, 33, 70, 106}, nullptr},
    {"ShiftBeforeTheCheckCharacter", {104, 65, 98, 56, 106}, nullptr},
    {"ShiftBeforeASetChange", {103, 98, 99, 17, 38, 106}, nullptr},
    {"NoData", {104, 1, 106}, nullptr},
    // The text would need 49 symbol values to be written again.
    {"FortySixCapitals", Repeated(104, 33, 46, {36, 106}), nullptr},
    // 260 characters of text: more than a code holds.
    {"TextBeyondTheCodeCapacity", Repeated(104, 96, 52, {37, 106}), nullptr},
};

class Code128ForeignSymbolTest : public testing::TestWithParam<ForeignCase> {};

TEST_P(Code128ForeignSymbolTest, DecodesTheTextOrRefusesAndKeepsTheLastDecoding) {
    const ForeignCase& c = GetParam();
    BarcodeProcessorCode128 processor;
    const std::vector<double> earlier =
        EdgesFromBars(BarsFromModules(Code128Modules({104, 65, 66, 95, 106}), 0.5));
    ASSERT_TRUE(processor.DecodeEdges(earlier.data(), static_cast<std::uint32_t>(earlier.size())));
    const DecodedState before = DecodedState::Of(processor);

    const std::vector<double> edges = EdgesFromBars(BarsFromModules(Code128Modules(c.values), 0.4));
    const bool decoded =
        processor.DecodeEdges(edges.data(), static_cast<std::uint32_t>(edges.size()));
    ASSERT_EQ(decoded, c.code != nullptr);
    if (decoded) {
        EXPECT_STREQ(processor.GetCode(), c.code);
        EXPECT_NEAR(processor.GetMagnification(), 0.4, 1e-12);
    } else {
        EXPECT_EQ(DecodedState::Of(processor), before);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Code128ForeignSymbolTest, testing::ValuesIn(kForeignCases),
                         CaseName<ForeignCase>);

struct MalformedCase {
    const char* name;
    std::string modules;
    std::size_t edgesDropped;
};

const std::string kAB = Code128Modules({104, 33, 34, 102, 106});

const MalformedCase kMalformedCases[] = {
    {"TerminationBarOfOneModule", kAB.substr(0, kAB.size() - 1), 0},
    {"TerminationBarOfThreeModules", kAB + "1", 0},
    {"OddEdgeCount", kAB, 1},
    {"BarsNotThreePerCharacterPlusOne", kAB, 2},
};

class Code128MalformedTest : public testing::TestWithParam<MalformedCase> {};

TEST_P(Code128MalformedTest, IsRefused) {
    const MalformedCase& c = GetParam();
    std::vector<double> edges = EdgesFromBars(BarsFromModules(c.modules, 0.5));
    edges.resize(edges.size() - c.edgesDropped);
    BarcodeProcessorCode128 processor;
    EXPECT_FALSE(processor.DecodeEdges(edges.data(), static_cast<std::uint32_t>(edges.size())));
    EXPECT_STREQ(processor.GetCode(), "");
}

INSTANTIATE_TEST_SUITE_P(Cases, Code128MalformedTest, testing::ValuesIn(kMalformedCases),
                         CaseName<MalformedCase>);

struct WideBarsCase {
    const char* name;
    // Added on either side of the second and third bar of one character.
    double wideningModules;
    bool decoded;
};

const WideBarsCase kWideBarsCases[] = {
    {"WithinTheBarSumTolerance", 0.43, true},
    {"BeyondTheBarSumTolerance", 0.45, false},
};

class Code128WideBarsTest : public testing::TestWithParam<WideBarsCase> {};

// Moving each edge by less than half a module keeps the character's
// edge-to-similar-edge sums; only the sum of its bars tells that it was
// misprinted.
TEST_P(Code128WideBarsTest, ChecksTheBarsOfEachCharacter) {
    constexpr double kModule = 0.5;
    std::vector<double> edges =
        EdgesFromBars(BarsFromModules(Code128Modules({103, 40, 37, 44, 44, 47, 39, 106}), kModule));
    const double widening = GetParam().wideningModules * kModule;
    // The character H (value 40) spans edges 6 to 12.
    edges[8] -= widening;
    edges[9] += widening;
    edges[10] -= widening;
    edges[11] += widening;
    BarcodeProcessorCode128 processor;
    EXPECT_EQ(processor.DecodeEdges(edges.data(), static_cast<std::uint32_t>(edges.size())),
              GetParam().decoded);
}

INSTANTIATE_TEST_SUITE_P(Cases, Code128WideBarsTest, testing::ValuesIn(kWideBarsCases),
                         CaseName<WideBarsCase>);

TEST(Code128DecodeTest, ToleratesEdgesOffByATenthOfAModule) {
    BarcodeProcessorCode128 processor;
    ASSERT_TRUE(processor.SetCode("Noise 123456 %FNC2"));
    processor.SetMagnification(0.5);
    EdgeOptions options;
    options.noiseMm = 0.05;
    const std::vector<double> edges = EdgesFromBars(Draw(processor).GetBars(), options);
    BarcodeProcessorCode128 reader;
    ASSERT_TRUE(reader.DecodeEdges(edges.data(), static_cast<std::uint32_t>(edges.size())));
    EXPECT_STREQ(reader.GetCode(), "Noise 123456 %FNC2");
    EXPECT_NEAR(reader.GetMagnification(), 0.5, 0.01);
    std::int32_t first = 0;
    std::int32_t last = 0;
    ASSERT_TRUE(reader.GetSymbolEdgeRange(&first, &last));
    EXPECT_EQ(first, 0);
    EXPECT_EQ(last, static_cast<std::int32_t>(edges.size()) - 1);
    EXPECT_EQ(reader.GetHeightBarEdge(), 0);
}

}  // namespace
}  // namespace StriveloTest
