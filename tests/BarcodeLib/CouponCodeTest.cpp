// The coupon code text: validation, correction, widths and the parameter
// checks that the main symbol answers.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

#include "BarcodeProcessorEAN13Coupon.h"
#include "BarcodeProcessorRegistry.h"
#include "CodeCase.h"
#include "CouponTestSupport.h"
#include "Drawing.h"
#include "ParameterCase.h"
#include "Symbols.h"
#include "ValidityCase.h"

namespace StriveloTest {
namespace {

using Strivelo::BarcodeProcessor;

// 9-912345-678909 and 5-12345-67890-0 carry their check digits.
const ValidityCase kValidityCases[] = {
    // One spelling, the extension spaced out as a reading gives it.
    {"Field8100", kEAN13CouponType, "9-912345-678909 (8100)1 23456", true},
    {"Field8100Unspaced", kEAN13CouponType, "9-912345-678909 (8100)123456", false},
    {"Field8100BlankElsewhere", kEAN13CouponType, "9-912345-678909 (8100)12 3456", false},
    {"NoBlankBeforeParenthesis", kEAN13CouponType, "9-912345-678909(8100)1 23456", false},
    {"TwoBlanksBeforeParenthesis", kEAN13CouponType, "9-912345-678909  (8100)1 23456", false},
    {"BlankInSerial", kEAN13CouponType, "9-912345-678909 (8100)1 23456(21)A B", false},
    {"Field8101Unspaced", kEAN13CouponType, "9-912345-678909 (8101)1234567890", false},
    {"Field8100WithSerial", kEAN13CouponType, "9-912345-678909 (8100)1 23456(21)ABC", true},
    {"Field8100EmptySerial", kEAN13CouponType, "9-912345-678909 (8100)1 23456(21)", false},
    {"Field8100ThenOtherField", kEAN13CouponType, "9-912345-678909 (8100)1 23456(10)ABC", false},
    {"Field8100Short", kEAN13CouponType, "9-912345-678909 (8100)12345", false},
    {"Field8101", kEAN13CouponType, "9-912345-678909 (8101)1 23456 7890", true},
    {"Field8101WithSerial", kEAN13CouponType, "9-912345-678909 (8101)1 23456 7890(21)X", true},
    {"Field8101EmptySerial", kEAN13CouponType, "9-912345-678909 (8101)1 23456 7890(21)", false},
    {"Field8102", kEAN13CouponType, "9-912345-678909 (8102)12", true},
    // The coupon fields carry digits.
    {"Field8102Letters", kEAN13CouponType, "9-912345-678909 (8102)AB", false},
    {"Field8100Letter", kEAN13CouponType, "9-912345-678909 (8100)1 2345A", false},
    {"Field8102Short", kEAN13CouponType, "9-912345-678909 (8102)1", false},
    // 8102 stands alone, as CorrectCode cuts it.
    {"Field8102WithSerial", kEAN13CouponType, "9-912345-678909 (8102)12(21)5", false},
    {"SerialOfTwentyCharacters", kEAN13CouponType,
     "9-912345-678909 (8100)1 23456(21)ABCDEFGHIJ0123456789", true},
    {"SerialOfTwentyOneCharacters", kEAN13CouponType,
     "9-912345-678909 (8100)1 23456(21)ABCDEFGHIJ0123456789X", false},
    // A serial that Code 128 cannot carry.
    {"SerialWithEightBitCharacter", kEAN13CouponType, "9-912345-678909 (8100)1 23456(21)A\xC4",
     false},
    {"OtherFieldOnly", kEAN13CouponType, "9-912345-678909 (01)12345678901231", false},
    {"UnknownAI", kEAN13CouponType, "9-912345-678909 (9000)1234", false},
    {"NoExtension", kEAN13CouponType, "9-912345-678909", false},
    {"BlankOnlyExtension", kEAN13CouponType, "9-912345-678909  ", false},
    {"Prefix91", kEAN13CouponType, "9-112345-678903 (8100)1 23456", false},
    {"Prefix89", kEAN13CouponType, "8-912345-678900 (8100)1 23456", false},
    {"WrongCheckDigit", kEAN13CouponType, "9-912345-678908 (8100)1 23456", false},
    {"MainWithAddOn", kEAN13CouponType, "9-912345-678909-12 (8100)1 23456", false},
    {"UpcAMainInEan13Coupon", kEAN13CouponType, "5-12345-67890-0 (8100)1 23456", false},
    {"UpcA", kUPCACouponType, "5-12345-67890-0 (8100)1 23456", true},
    {"UpcAWithSerial", kUPCACouponType, "5-12345-67890-0 (8101)1 23456 7890(21)77", true},
    {"UpcANumberSystem0", kUPCACouponType, "0-12345-67890-5 (8100)1 23456", false},
    {"UpcANoExtension", kUPCACouponType, "5-12345-67890-0", false},
    {"Ean13MainInUpcACoupon", kUPCACouponType, "9-912345-678909 (8100)1 23456", false},
};

// A coupon's code is the text its bars carry.
INSTANTIATE_TEST_SUITE_P(Cases, CodeValidityTest, testing::ValuesIn(kValidityCases),
                         CaseName<ValidityCase>);

const std::string kLongSerial(70, 'A');

const CodeCase kCorrectionCases[] = {
    {"ForcesPrefixAndAddsParentheses", kEAN13CouponType, "1-234567-890128 81011234567890",
     "9-934567-890129 (8101)1 23456 7890"},
    {"DigitsOnlyMain", kEAN13CouponType, "991234567890 (8100)123456",
     "9-912345-678909 (8100)1 23456"},
    // Without a blank or '(' the main part ends after its 13th digit.
    {"HyphenatedMainRunningIntoExtension", kEAN13CouponType, "9-912345-6789098100123456",
     "9-912345-678909 (8100)1 23456"},
    {"AddOnIsCut", kEAN13CouponType, "9-912345-678909-12 (8100)123456",
     "9-912345-678909 (8100)1 23456"},
    {"BlanksAreMoved", kEAN13CouponType, "9-912345-678909 (81 01)12 345 67890",
     "9-912345-678909 (8101)1 23456 7890"},
    {"AlreadyCorrect", kEAN13CouponType, "9-912345-678909 (8101)1 23456 7890",
     "9-912345-678909 (8101)1 23456 7890"},
    {"SerialGetsNoBlanks", kEAN13CouponType, "9-912345-678909 (8100)123456(21)A B",
     "9-912345-678909 (8100)1 23456(21)AB"},
    {"Field8102IsCut", kEAN13CouponType, "9-912345-678909 (8102)123", "9-912345-678909 (8102)12"},
    {"Field8102TooShort", kEAN13CouponType, "9-912345-678909 (8102)1", "9-912345-678909 (8102)0",
     kRefusedAsRewritten},
    {"ShortDataIsSpacedButRefused", kEAN13CouponType, "9-912345-678909 81011234",
     "9-912345-678909 (8101)1 234", kRefusedAsRewritten},
    // A main part alone is completed, but it is no coupon.
    {"MainPartAlone", kEAN13CouponType, "1234567890128", "9-934567-890129", kRefusedAsRewritten},
    // Refusals leave the text as it was.
    {"OtherExtensionIsLeftAlone", kEAN13CouponType, "9-912345-678909 123456123456", nullptr},
    {"OtherAIIsLeftAlone", kEAN13CouponType, "9-912345-678909 (9000)1234", nullptr},
    {"LetterInMainKeepsExtension", kEAN13CouponType, "9-91A345-678909 8100123456", nullptr},
    {"IncompleteMainKeepsExtension", kEAN13CouponType, "99123 8100123456", nullptr},
    {"OverlongMain", kEAN13CouponType, std::string(64, '9') + " (8100)123456", nullptr},
    {"OverlongExtension", kEAN13CouponType, "9-912345-678909 (8100)123456(21)" + kLongSerial,
     nullptr},
    {"UpcAForcesNumberSystem5", kUPCACouponType, "1-23456-78901-2 (8100)123456",
     "5-23456-78901-0 (8100)1 23456"},
    {"UpcADigitsRunningIntoExtension", kUPCACouponType, "5123456789008100123456",
     "5-12345-67890-0 (8100)1 23456"},
};

INSTANTIATE_TEST_SUITE_P(Cases, CodeCaseTest, testing::ValuesIn(kCorrectionCases),
                         CaseName<CodeCase>);

struct WidthCase {
    const char* name;
    std::int32_t type;
    const char* code;
    double magnification;
    double width;
};

void PrintTo(const WidthCase& c, std::ostream* os) {
    *os << c.name;
}

// Main symbol 113 modules; extension (11 v + 2) modules of 0.33 m plus two
// quiet zones of max(3.3 m, 2.54): (8100) takes 9 symbol values (start C,
// FNC1, five pairs, check, stop), (8101) 11 and (8102) 7.
const WidthCase kWidthCases[] = {
    {"Field8100", kEAN13CouponType, "9-912345-678909 (8100)1 23456", 1.0, 37.29 + 33.33 + 6.6},
    {"Field8101", kEAN13CouponType, "9-912345-678909 (8101)1 23456 7890", 1.0, 37.29 + 40.59 + 6.6},
    {"Field8102", kUPCACouponType, "5-12345-67890-0 (8102)12", 1.0, 37.29 + 26.07 + 6.6},
    {"Magnification2", kUPCACouponType, "5-12345-67890-0 (8100)1 23456", 2.0, 74.58 + 66.66 + 13.2},
    // Below magnification 0.7697 the extension's quiet zone keeps 2.54 mm.
    {"SmallestQuietZone", kEAN13CouponType, "9-912345-678909 (8100)1 23456", 0.7,
     26.103 + 23.331 + 5.08},
    {"NoModule", kEAN13CouponType, "9-912345-678909 (8100)1 23456", 0.0, -1.0},
    {"NegativeModule", kUPCACouponType, "5-12345-67890-0 (8100)1 23456", -1.0, -1.0},
};

class CouponWidthTest : public testing::TestWithParam<WidthCase> {};

TEST_P(CouponWidthTest, IsMainPlusExtension) {
    const WidthCase& c = GetParam();
    const std::unique_ptr<BarcodeProcessor> coupon =
        MakeSymbol({.type = c.type, .code = c.code, .magnification = c.magnification});
    EXPECT_NEAR(coupon->GetWidth(), c.width, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Cases, CouponWidthTest, testing::ValuesIn(kWidthCases),
                         CaseName<WidthCase>);

TEST(CouponWidthTest, IsZeroWithoutAValidCode) {
    EXPECT_EQ(MakeProcessor(kEAN13CouponType)->ComputeWidth(), 0.0);
}

// The main symbol's rules: 0.8 <= m <= 2, |reduction| <= 0.25 x 0.33 m, and
// 1.01 h at least 22.85 mm (times m when the height scales).
const std::vector<ParameterCase> kParameterCases = {
    {.name = "Nominal",
     .symbol = {.magnification = 1.0,
                .reductionMm = 0.0,
                .barHeightMm = 22.85,
                .scaleHeightWithWidth = false},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true},
    {.name = "SmallestMagnification",
     .symbol = {.magnification = 0.8,
                .reductionMm = 0.066,
                .barHeightMm = 22.85,
                .scaleHeightWithWidth = false},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true},
    {.name = "BelowSmallestMagnification",
     .symbol = {.magnification = 0.79,
                .reductionMm = 0.0,
                .barHeightMm = 22.85,
                .scaleHeightWithWidth = false},
     .magnificationValid = false,
     .reductionValid = true,
     .heightValid = true},
    {.name = "LargestMagnification",
     .symbol = {.magnification = 2.0,
                .reductionMm = -0.165,
                .barHeightMm = 22.85,
                .scaleHeightWithWidth = false},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true},
    {.name = "AboveLargestMagnification",
     .symbol = {.magnification = 2.01,
                .reductionMm = 0.0,
                .barHeightMm = 22.85,
                .scaleHeightWithWidth = false},
     .magnificationValid = false,
     .reductionValid = true,
     .heightValid = true},
    {.name = "ReductionTooLarge",
     .symbol = {.magnification = 1.0,
                .reductionMm = 0.09,
                .barHeightMm = 22.85,
                .scaleHeightWithWidth = false},
     .magnificationValid = true,
     .reductionValid = false,
     .heightValid = true},
    {.name = "WideningTooLarge",
     .symbol = {.magnification = 1.0,
                .reductionMm = -0.09,
                .barHeightMm = 22.85,
                .scaleHeightWithWidth = false},
     .magnificationValid = true,
     .reductionValid = false,
     .heightValid = true},
    {.name = "HeightWithinTolerance",
     .symbol = {.magnification = 1.0,
                .reductionMm = 0.0,
                .barHeightMm = 22.63,
                .scaleHeightWithWidth = false},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true},
    {.name = "HeightTooSmall",
     .symbol = {.magnification = 1.0,
                .reductionMm = 0.0,
                .barHeightMm = 22.6,
                .scaleHeightWithWidth = false},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = false},
    {.name = "HeightNotScaled",
     .symbol = {.magnification = 2.0,
                .reductionMm = 0.0,
                .barHeightMm = 22.85,
                .scaleHeightWithWidth = false},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true},
    {.name = "HeightScaled",
     .symbol = {.magnification = 2.0,
                .reductionMm = 0.0,
                .barHeightMm = 22.85,
                .scaleHeightWithWidth = true},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = false},
    {.name = "ScaledHeightReached",
     .symbol = {.magnification = 2.0,
                .reductionMm = 0.0,
                .barHeightMm = 45.25,
                .scaleHeightWithWidth = true},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true},
};

INSTANTIATE_TEST_SUITE_P(Ean13Coupon, ParameterCaseTest,
                         testing::ValuesIn(OfType(kParameterCases, kEAN13CouponType)),
                         CaseName<ParameterCase>);
INSTANTIATE_TEST_SUITE_P(UpcACoupon, ParameterCaseTest,
                         testing::ValuesIn(OfType(kParameterCases, kUPCACouponType)),
                         CaseName<ParameterCase>);

// The checks see the parameters the coupon has now, not those of an earlier
// check or drawing.
TEST(CouponParameterTest, FollowTheCouponsChanges) {
    const std::unique_ptr<BarcodeProcessor> coupon = MakeSymbol(
        {.type = kEAN13CouponType, .code = "9-912345-678909 (8100)1 23456", .magnification = 2.0});
    EXPECT_GT(coupon->GetWidth(), 0.0);
    EXPECT_TRUE(coupon->IsMagnificationValid());
    coupon->SetMagnification(0.5);
    EXPECT_FALSE(coupon->IsMagnificationValid());
    EXPECT_FALSE(coupon->ValidateParameters());
    coupon->SetMagnification(1.0);
    EXPECT_TRUE(coupon->ValidateParameters());
}

TEST(CouponRegistryTest, CouponsFollowEan128) {
    const StandardRegistry registry;
    const std::unique_ptr<BarcodeProcessor> first = Strivelo::CreateByIndex(0);
    const std::unique_ptr<BarcodeProcessor> second = Strivelo::CreateByIndex(1);
    const std::unique_ptr<BarcodeProcessor> third = Strivelo::CreateByIndex(2);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(first->GetType(), Strivelo::FourCC("e128"));
    EXPECT_EQ(second->GetType(), kEAN13CouponType);
    EXPECT_STREQ(second->GetName(), "EAN-13 Coupon");
    EXPECT_TRUE(second->HasOption(Strivelo::FourCC("FONT")));
    EXPECT_EQ(third->GetType(), kUPCACouponType);
    EXPECT_STREQ(third->GetName(), "UPC/A Coupon");
    EXPECT_FALSE(third->HasOption(Strivelo::FourCC("FONT")));
}

}  // namespace
}  // namespace StriveloTest
