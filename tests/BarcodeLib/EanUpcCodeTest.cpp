// Code forms of the EAN/UPC family: check digits, correction, validation,
// widths and the parameter ranges.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "BarcodeProcessorEAN13.h"
#include "BarcodeProcessorUPCA.h"
#include "CodeCase.h"
#include "Drawing.h"
#include "EanUpcSupport.h"
#include "ParameterCase.h"
#include "Symbols.h"
#include "ValidityCase.h"

namespace StriveloTest {
namespace {

using namespace Strivelo;

const CodeCase kCorrectCases[] = {
    // Check digits, including those of 0, 9 and 4, where the sum wraps.
    {"Ean13CheckDigit1", kEAN13, "400638133393", "4-006381-333931"},
    {"Ean13CheckDigit7", kEAN13, "590123412345", "5-901234-123457"},
    {"Ean13CheckDigit0", kEAN13, "000000000000", "0-000000-000000"},
    {"Ean13CheckDigit4", kEAN13, "999999999999", "9-999999-999994"},
    {"Ean13LeadingDigitWeighsOne", kEAN13, "450000000000", "4-500000-000001"},
    {"Ean13CheckDigit9", kEAN13, "490000000000", "4-900000-000009"},
    {"Ean8CheckDigit4", kEAN8, "9638507", "9638-5074"},
    {"Ean8CheckDigit5", kEAN8, "0123456", "0123-4565"},
    {"UpcACheckDigit2", kUPCA, "03600029145", "0-36000-29145-2"},
    {"UpcACheckDigit5", kUPCA, "01234567890", "0-12345-67890-5"},
    // Regrouping and repair.
    {"Ean8SevenDigits", kEAN8, "5901234", "5901-2344"},
    {"Ean8WrongCheckDigitRepaired", kEAN8, "9638-5070", "9638-5074"},
    {"Ean8HyphensAnywhere", kEAN8, "5-9-0-1-2-3-4", "5901-2344"},
    {"Ean8SurplusDigitsCut", kEAN8, "123456789", "1234-5670"},
    {"Ean8TooFewDigits", kEAN8, "12345", "1234-5", kRefusedAsRewritten},
    {"Ean8Empty", kEAN8, "", nullptr},
    {"Ean8LetterLeavesTheText", kEAN8, "59A1234", nullptr},
    {"Ean13TwelveDigits", kEAN13, "590123412345", "5-901234-123457"},
    {"Ean13TwoDigitAddOn", kEAN13, "590123412345712", "5-901234-123457-12"},
    {"Ean13FiveDigitAddOn", kEAN13, "590123412345712345", "5-901234-123457-12345"},
    {"Ean13LoneAddOnDigitCut", kEAN13, "5-901234-1234571", "5-901234-123457"},
    {"Ean13ThreeAddOnDigitsCutToTwo", kEAN13, "5901234123457123", "5-901234-123457-12"},
    {"Ean13SixAddOnDigitsCutToFive", kEAN13, "5901234123457123456", "5-901234-123457-12345"},
    {"Ean13WrongCheckDigitRepaired", kEAN13, "5-901234-123450-12", "5-901234-123457-12"},
    {"Ean13ElevenDigits", kEAN13, "59012341234", "5-901234-1234", kRefusedAsRewritten},
    {"Ean13LetterLeavesTheText", kEAN13, "5901234x23457", nullptr},
    {"Ean13BlankLeavesTheText", kEAN13, "590123412345 12", nullptr},
    {"UpcAElevenDigitsGetCheckDigit", kUPCA, "036000291450", "0-36000-29145-2"},
    {"UpcAWithAddOn", kUPCA, "01234567890512", "0-12345-67890-5-12"},
    {"UpcALoneAddOnDigitCut", kUPCA, "0123456789051", "0-12345-67890-5"},
    {"UpcATenDigits", kUPCA, "0123456789", "0-12345-6789", kRefusedAsRewritten},
    // JAN: the prefix is forced to 45 or 49, then the check digit follows.
    {"Jan8SecondDigitBelow7", kJAN8, "1234567", "4534-5678"},
    {"Jan8SecondDigit7", kJAN8, "4712345", "4912-3456"},
    {"Jan8SecondDigit6", kJAN8, "4612345", "4512-3450"},
    {"Jan8SecondDigitFrom7", kJAN8, "4812345", "4912-3456"},
    {"Jan8PrefixKept", kJAN8, "4512345", "4512-3450"},
    {"Jan8LetterLeavesTheText", kJAN8, "A234567", nullptr},
    {"Jan13SecondDigitBelow7", kJAN13, "123456789012", "4-534567-890126"},
    {"Jan13SecondDigitFrom7", kJAN13, "4812345678901", "4-912345-678904"},
    // UPC-E: short or long form by the digit count.
    {"UpcEShortFormGetsCheckDigit", kUPCE, "0123453", "0-123453-1"},
    {"UpcEShortFormCheckDigitRepaired", kUPCE, "01234530", "0-123453-1"},
    {"UpcEShortFormOfTheNumberSystemRow", kUPCE, "0123456", "0-123456-5"},
    {"UpcEShortFormWithAddOn", kUPCE, "0123453112", "0-123453-1-12"},
    {"UpcEShortFormWithLoneAddOnDigit", kUPCE, "012345312", "0-123453-1-2", kRefusedAsRewritten},
    {"UpcETwelveDigitsAreALongForm", kUPCE, "012300000451", "0-12300-00045-1"},
    {"UpcEElevenDigitsAreALongForm", kUPCE, "01230000045", "0-12300-00045-1"},
    {"UpcELongFormWithAddOn", kUPCE, "01230000045112", "0-12300-00045-1-12"},
    // A valid display form stays, so it keeps the short form a reading gives.
    {"UpcEDisplayFormStays", kUPCE, "0-12300-00045-1 (0-123453-1)", "0-12300-00045-1 (0-123453-1)"},
    {"UpcEWrongDisplayFormToLongForm", kUPCE, "0-12300-00045-2 (0-123453-1)", "0-12300-00045-1"},
    {"UpcELongFormOfTheNumberSystemRow", kUPCE, "012345000065", "0-12345-00006-5"},
    // Its check digit is 3; the code cannot be suppressed.
    {"UpcELongFormThatDoesNotSuppress", kUPCE, "0-12345-00000-5", "0-12345-00000-3",
     kRefusedAsRewritten},
    {"UpcELongFormOfNumberSystem1", kUPCE, "112300000451", "1-12300-00045-8", kRefusedAsRewritten},
    {"UpcEShortFormOfNumberSystem1Refused", kUPCE, "1234567", nullptr},
    {"UpcENonCanonicalShortFormRefused", kUPCE, "0123004", nullptr},
    {"UpcELetterLeavesTheText", kUPCE, "0123a45", nullptr},
    // Only a blank after the long form's check digit ends it.
    {"UpcEBlankInsideTheCodeLeavesTheText", kUPCE, "0123000 00451", nullptr},
};

INSTANTIATE_TEST_SUITE_P(Cases, CodeCaseTest, testing::ValuesIn(kCorrectCases), CaseName<CodeCase>);

const ValidityCase kValidCases[] = {
    {"Ean8", kEAN8, "9638-5074", true},
    {"Ean8WrongCheckDigit", kEAN8, "9638-5075", false},
    {"Ean8WithoutHyphen", kEAN8, "96385074", false},
    {"Ean8HyphenMisplaced", kEAN8, "963-85074", false},
    {"Ean8HasNoAddOn", kEAN8, "9638-5074-12", false},
    {"Ean13", kEAN13, "4-006381-333931", true},
    {"Ean13WrongCheckDigit", kEAN13, "4-006381-333932", false},
    {"Ean13HyphenMisplaced", kEAN13, "40-06381-333931", false},
    {"Ean13TwoDigitAddOn", kEAN13, "4-006381-333931-12", true},
    {"Ean13FiveDigitAddOn", kEAN13, "4-006381-333931-12345", true},
    {"Ean13OneDigitAddOn", kEAN13, "4-006381-333931-1", false},
    {"Ean13ThreeDigitAddOn", kEAN13, "4-006381-333931-123", false},
    {"Ean13FourDigitAddOn", kEAN13, "4-006381-333931-1234", false},
    {"Ean13AddOnWithoutHyphen", kEAN13, "4-006381-333931112", false},
    {"Ean13AddOnFollowedByText", kEAN13, "4-006381-333931-12 45", false},
    {"Jan8Prefix45", kJAN8, "4512-3450", true},
    {"Jan8Prefix46", kJAN8, "4612-3456", false},
    {"Jan13Prefix49", kJAN13, "4-900000-000009", true},
    {"Jan13OtherPrefix", kJAN13, "4-006381-333931", false},
    {"UpcA", kUPCA, "0-36000-29145-2", true},
    {"UpcAWrongCheckDigit", kUPCA, "0-36000-29145-3", false},
    {"UpcAWithoutHyphens", kUPCA, "036000291452", false},
    {"UpcAWithAddOn", kUPCA, "0-36000-29145-2-12345", true},
    {"UpcEShortForm", kUPCE, "0-123453-1", true},
    {"UpcEShortFormWrongCheckDigit", kUPCE, "0-123453-2", false},
    {"UpcEShortFormNumberSystem1", kUPCE, "1-123453-1", false},
    {"UpcEShortFormWithAddOn", kUPCE, "0-123453-1-12", true},
    {"UpcEFiveDigitAddOn", kUPCE, "0-123453-1-12345", false},
    // Expands to 0-12300-00000-0, whose UPC-E digits are 123003.
    {"UpcENonCanonicalShortForm", kUPCE, "0-123004-0", false},
    {"UpcELongForm", kUPCE, "0-12300-00045-1", true},
    {"UpcELongFormWithAddOn", kUPCE, "0-12300-00045-1-12", true},
    {"UpcEDisplayForm", kUPCE, "0-12300-00045-1 (0-123453-1)", true},
    {"UpcEDisplayFormWithAddOn", kUPCE, "0-12300-00045-1-12 (0-123453-1-12)", true},
    {"UpcEDisplayFormOfOtherDigits", kUPCE, "0-12300-00045-1 (0-123454-1)", false},
    {"UpcELongFormThatDoesNotSuppress", kUPCE, "0-12345-00000-3", false},
    {"UpcELongFormWithProductDigitInTheWay", kUPCE, "0-12000-10000-0", false},
    {"UpcELongFormNumberSystem1", kUPCE, "1-12300-00045-8", false},
    {"UpcELeadingBlank", kUPCE, " 0-123453-1", false},
};

INSTANTIATE_TEST_SUITE_P(Cases, CodeValidityTest, testing::ValuesIn(kValidCases),
                         CaseName<ValidityCase>);

// Each row of the zero-suppression table, both ways: drawing either form
// leaves the display form.
struct SuppressionCase {
    const char* name;
    const char* shortForm;
    const char* longForm;
};

const SuppressionCase kSuppressionCases[] = {
    {"Last0To2", "0-425261-4", "0-42100-00526-4"},
    {"Last0To2Other", "0-654321-7", "0-65100-00432-7"},
    {"Last3", "0-123453-1", "0-12300-00045-1"},
    {"Last4", "0-123404-8", "0-12340-00000-8"},
    {"Last5To9", "0-999995-4", "0-99999-00005-4"},
    {"Last6", "0-123456-5", "0-12345-00006-5"},
};

class ZeroSuppressionTest : public testing::TestWithParam<SuppressionCase> {};

TEST_P(ZeroSuppressionTest, EitherFormDrawsAndShowsTheDisplayForm) {
    const SuppressionCase& c = GetParam();
    const std::string display = std::string(c.longForm) + " (" + c.shortForm + ")";
    for (const char* form : {c.shortForm, c.longForm}) {
        const Drawing drawn = Draw(*MakeSymbol({.type = kUPCE, .code = form}));
        EXPECT_TRUE(drawn.generated) << form;
        EXPECT_EQ(drawn.codeAfter, display) << form;
    }
    const Drawing withAddOn =
        Draw(*MakeSymbol({.type = kUPCE, .code = std::string(c.shortForm) + "-12"}));
    EXPECT_EQ(withAddOn.codeAfter, std::string(c.longForm) + "-12 (" + c.shortForm + "-12)");
}

INSTANTIATE_TEST_SUITE_P(Cases, ZeroSuppressionTest, testing::ValuesIn(kSuppressionCases),
                         CaseName<SuppressionCase>);

struct WidthCase {
    const char* name;
    std::int32_t type;
    const char* code;
    double magnification;
    int modules;
    // Modules between the last bar and the right edge.
    int trailingModules;
};

const WidthCase kWidthCases[] = {
    {"Ean8", kEAN8, "9638-5074", 1.0, 81, 7},
    {"Ean13", kEAN13, "4-006381-333931", 1.0, 113, 7},
    {"Ean13TwoDigitAddOn", kEAN13, "4-006381-333931-12", 1.0, 138, 5},
    {"Ean13FiveDigitAddOn", kEAN13, "4-006381-333931-12345", 1.0, 165, 5},
    {"Ean13Magnified", kEAN13, "4-006381-333931-12", 1.5, 138, 5},
    {"UpcA", kUPCA, "0-36000-29145-2", 1.0, 113, 9},
    {"UpcATwoDigitAddOn", kUPCA, "0-36000-29145-2-12", 1.0, 141, 5},
    {"UpcAFiveDigitAddOn", kUPCA, "0-36000-29145-2-12345", 2.0, 168, 5},
    {"UpcEShortForm", kUPCE, "0-123453-1", 1.0, 69, 9},
    {"UpcEShortFormAddOn", kUPCE, "0-123453-1-12", 0.8, 97, 5},
    {"UpcEDisplayFormAddOn", kUPCE, "0-12300-00045-1-12 (0-123453-1-12)", 1.0, 97, 5},
};

class WidthTest : public testing::TestWithParam<WidthCase> {};

TEST_P(WidthTest, CountsQuietZonesAndAddOn) {
    const WidthCase& c = GetParam();
    const std::unique_ptr<BarcodeProcessor> processor = MakeProcessor(c.type);
    ASSERT_TRUE(processor->SetCode(c.code));
    processor->SetMagnification(c.magnification);
    const double module = kEanModuleMm * c.magnification;
    EXPECT_NEAR(processor->GetWidth(), c.modules * module, 1e-9);
    EXPECT_NEAR(processor->GetTotalWidth(), c.modules * module, 1e-9);
    const Drawing drawn = Draw(*processor);
    ASSERT_TRUE(drawn.generated);
    const std::vector<RecordedCall> frame = drawn.GetCalls(RecordedCall::Kind::kFrame);
    ASSERT_EQ(frame.size(), 1u);
    EXPECT_NEAR(frame[0].numbers[1], c.modules * module, 1e-9);
    EXPECT_NEAR(drawn.GetBars().back().right, (c.modules - c.trailingModules) * module, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Cases, WidthTest, testing::ValuesIn(kWidthCases), CaseName<WidthCase>);

TEST(WidthTest, NothingWithoutAValidCode) {
    BarcodeProcessorEAN13 processor;
    EXPECT_EQ(processor.GetWidth(), 0.0);
    BarcodeProcessorUPCE upce;
    ASSERT_TRUE(upce.SetCode("0-123453-1"));
    upce.SetMagnification(0.0);
    EXPECT_EQ(upce.GetWidth(), 0.0);
    BarcodeProcessorUPCA upca;
    ASSERT_TRUE(upca.SetCode("0-36000-29145-2"));
    upca.SetMagnification(0.0);
    EXPECT_EQ(upca.GetWidth(), -1.0);
}

const ParameterCase kParameterCases[] = {
    {.name = "SmallestMagnification",
     .symbol = {.type = kEAN13,
                .magnification = 0.8,
                .reductionMm = 0.0,
                .barHeightMm = 22.85,
                .scaleHeightWithWidth = false},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true},
    {.name = "BelowSmallestMagnification",
     .symbol = {.type = kEAN13,
                .magnification = 0.79,
                .reductionMm = 0.0,
                .barHeightMm = 22.85,
                .scaleHeightWithWidth = false},
     .magnificationValid = false,
     .reductionValid = true,
     .heightValid = true},
    {.name = "LargestMagnification",
     .symbol = {.type = kEAN13,
                .magnification = 2.0,
                .reductionMm = 0.0,
                .barHeightMm = 22.85,
                .scaleHeightWithWidth = false},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true},
    {.name = "AboveLargestMagnification",
     .symbol = {.type = kEAN13,
                .magnification = 2.01,
                .reductionMm = 0.0,
                .barHeightMm = 22.85,
                .scaleHeightWithWidth = false},
     .magnificationValid = false,
     .reductionValid = true,
     .heightValid = true},
    {.name = "NarrowingWithinQuarterModule",
     .symbol = {.type = kEAN13,
                .magnification = 1.0,
                .reductionMm = 0.08,
                .barHeightMm = 22.85,
                .scaleHeightWithWidth = false},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true},
    {.name = "WideningWithinQuarterModule",
     .symbol = {.type = kEAN13,
                .magnification = 1.0,
                .reductionMm = -0.08,
                .barHeightMm = 22.85,
                .scaleHeightWithWidth = false},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true},
    {.name = "NarrowingBeyondQuarterModule",
     .symbol = {.type = kEAN13,
                .magnification = 1.0,
                .reductionMm = 0.09,
                .barHeightMm = 22.85,
                .scaleHeightWithWidth = false},
     .magnificationValid = true,
     .reductionValid = false,
     .heightValid = true},
    {.name = "WideningBeyondQuarterModule",
     .symbol = {.type = kEAN13,
                .magnification = 1.0,
                .reductionMm = -0.09,
                .barHeightMm = 22.85,
                .scaleHeightWithWidth = false},
     .magnificationValid = true,
     .reductionValid = false,
     .heightValid = true},
    {.name = "QuarterModuleGrowsWithMagnification",
     .symbol = {.type = kUPCA,
                .magnification = 2.0,
                .reductionMm = 0.165,
                .barHeightMm = 22.85,
                .scaleHeightWithWidth = false},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true},
    {.name = "QuarterModuleShrinksWithMagnification",
     .symbol = {.type = kUPCA,
                .magnification = 0.8,
                .reductionMm = 0.067,
                .barHeightMm = 22.85,
                .scaleHeightWithWidth = false},
     .magnificationValid = true,
     .reductionValid = false,
     .heightValid = true},
    {.name = "Ean13HeightWithinTolerance",
     .symbol = {.type = kEAN13,
                .magnification = 1.0,
                .reductionMm = 0.0,
                .barHeightMm = 22.63,
                .scaleHeightWithWidth = false},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true},
    {.name = "Ean13HeightBelowTolerance",
     .symbol = {.type = kEAN13,
                .magnification = 1.0,
                .reductionMm = 0.0,
                .barHeightMm = 22.6,
                .scaleHeightWithWidth = false},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = false},
    {.name = "Ean13HeightNotScaled",
     .symbol = {.type = kEAN13,
                .magnification = 2.0,
                .reductionMm = 0.0,
                .barHeightMm = 22.85,
                .scaleHeightWithWidth = false},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true},
    {.name = "Ean13HeightScaled",
     .symbol = {.type = kEAN13,
                .magnification = 2.0,
                .reductionMm = 0.0,
                .barHeightMm = 45.3,
                .scaleHeightWithWidth = true},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true},
    {.name = "Ean13HeightScaledTooShort",
     .symbol = {.type = kEAN13,
                .magnification = 2.0,
                .reductionMm = 0.0,
                .barHeightMm = 45.2,
                .scaleHeightWithWidth = true},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = false},
    {.name = "Ean8HeightWithinTolerance",
     .symbol = {.type = kEAN8,
                .magnification = 1.0,
                .reductionMm = 0.0,
                .barHeightMm = 18.1,
                .scaleHeightWithWidth = false},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true},
    {.name = "Ean8HeightBelowTolerance",
     .symbol = {.type = kEAN8,
                .magnification = 1.0,
                .reductionMm = 0.0,
                .barHeightMm = 18.0,
                .scaleHeightWithWidth = false},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = false},
    {.name = "Jan8HasTheEan8Height",
     .symbol = {.type = kJAN8,
                .magnification = 1.0,
                .reductionMm = 0.0,
                .barHeightMm = 18.1,
                .scaleHeightWithWidth = false},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true},
    {.name = "UpcEHasTheEan13Height",
     .symbol = {.type = kUPCE,
                .magnification = 1.0,
                .reductionMm = 0.0,
                .barHeightMm = 22.6,
                .scaleHeightWithWidth = false},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = false},
};

INSTANTIATE_TEST_SUITE_P(Cases, ParameterCaseTest, testing::ValuesIn(kParameterCases),
                         CaseName<ParameterCase>);

TEST(ParameterTest, ReductionOfExactlyAQuarterModuleIsValid) {
    BarcodeProcessorEAN8 processor;
    for (const double m : {0.8, 1.0, 1.7, 2.0}) {
        processor.SetMagnification(m);
        processor.SetBarWidthReduction(0.25 * 0.33 * m);
        EXPECT_TRUE(processor.IsBarWidthReductionValid()) << m;
        processor.SetBarWidthReduction(-0.25 * 0.33 * m);
        EXPECT_TRUE(processor.IsBarWidthReductionValid()) << m;
    }
}

struct ResolutionCase {
    const char* name;
    double magnification;
    double unitsPerMm;
    // 0 when the fit fails.
    int unitsPerModule;
};

const ResolutionCase kResolutionCases[] = {
    {"Rounded600Dpi", 1.0, 23.622, 8},        {"BelowHalfAUnitBecomesOne", 0.8, 1.7, 1},
    {"RaisedIntoTheRange", 1.0, 4.0, 2},      {"LoweredIntoTheRange", 2.0, 2.6 / 0.66, 2},
    {"NoWholeModuleInTheRange", 1.0, 1.0, 0}, {"NoResolution", 1.0, 0.0, 0},
    {"NegativeResolution", 1.0, -23.622, 0},
};

class FitToResolutionTest : public testing::TestWithParam<ResolutionCase> {};

TEST_P(FitToResolutionTest, MakesTheModuleWholeDeviceUnits) {
    const ResolutionCase& c = GetParam();
    BarcodeProcessorEAN13 processor;
    processor.SetMagnification(c.magnification);
    EXPECT_EQ(processor.FitToResolution(c.unitsPerMm), c.unitsPerModule != 0);
    if (c.unitsPerModule == 0) {
        EXPECT_EQ(processor.GetMagnification(), c.magnification);
        return;
    }
    EXPECT_NEAR(0.33 * processor.GetMagnification() * c.unitsPerMm, c.unitsPerModule, 1e-9);
    EXPECT_TRUE(processor.IsMagnificationValid());
}

INSTANTIATE_TEST_SUITE_P(Cases, FitToResolutionTest, testing::ValuesIn(kResolutionCases),
                         CaseName<ResolutionCase>);

TEST(EanUpcTypesTest, NamesTypesAndOptions) {
    struct Expected {
        std::int32_t type;
        const char* name;
        bool font;
    };
    for (const Expected& e : {Expected{kEAN8, "EAN-8", true}, Expected{kEAN13, "EAN-13", true},
                              Expected{kJAN8, "JAN-8", true}, Expected{kJAN13, "JAN-13", true},
                              Expected{kUPCA, "UPC-A", false}, Expected{kUPCE, "UPC-E", false}}) {
        const std::unique_ptr<BarcodeProcessor> processor = MakeProcessor(e.type);
        EXPECT_EQ(processor->GetType(), e.type);
        EXPECT_STREQ(processor->GetName(), e.name);
        EXPECT_EQ(processor->HasOption(kBarcodeOptionFont), e.font) << e.name;
        EXPECT_FALSE(processor->HasOption(FourCC("FSCL"))) << e.name;
    }
}

}  // namespace
}  // namespace StriveloTest
