#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "BarEdges.h"
#include "BarcodeProcessorCode128.h"
#include "BarcodeProcessorEAN128.h"
#include "Code128TestSupport.h"
#include "CodeCase.h"
#include "Drawing.h"
#include "RecordingGenerator.h"

namespace StriveloTest {
namespace {

using Strivelo::BarcodeProcessorCode128;
using Strivelo::BarcodeProcessorEAN128;
using Strivelo::EAN128AIRow;
using Strivelo::FourCC;
using testing::ElementsAre;
using Kind = RecordedCall::Kind;

constexpr std::size_t kCapacity = Strivelo::BarcodeProcessor::kCodeCapacity;

// ---- Conversion between the user and the encoded form ----

struct ConversionCase {
    const char* name;
    const char* code;
    const char* encoded;
};

const ConversionCase kConversionCases[] = {
    {"FixedLengthNeedsNoSeparator", "(01)12345678901231", "%FNC10112345678901231"},
    {"VariableLengthFollowedBySeparator", "(10)ABC(21)123", "%FNC110ABC%FNC121123"},
    {"ExtraDigitBelongsToTheAI", "(3102)000150(10)A1", "%FNC1310200015010A1"},
    {"FixedButNotPredefinedNeedsSeparator", "(402)12345678901234567(10)X",
     "%FNC140212345678901234567%FNC110X"},
    {"SeparatorAfterFullLengthVariableField", "(10)ABCDEFGHIJKLMNOPQRST(21)1",
     "%FNC110ABCDEFGHIJKLMNOPQRST%FNC1211"},
    {"PredefinedFieldsInARow", "(01)12345678901231(17)140704(10)AB-123",
     "%FNC1011234567890123117140704"
     "10AB-123"},
    {"EmptyVariableField", "(10)(21)1", "%FNC110%FNC1211"},
    {"PercentSignBeforeASeparator", "(10)5%(21)12", "%FNC1105%%%FNC12112"},
    {"PercentSignIsNoEscape", "(10)A%41", "%FNC110A%%41"},
    {"ClosingParenthesisInData", "(10)A)B", "%FNC110A)B"},
    {"VariableProductionTime", "(8008)21013112(10)A", "%FNC1800821013112%FNC110A"},
    {"EmptyCode", "", "%FNC1"},
};

class EAN128ConversionTest : public testing::TestWithParam<ConversionCase> {};

TEST_P(EAN128ConversionTest, ConvertsBothWays) {
    const ConversionCase& c = GetParam();
    BarcodeProcessorEAN128 processor;
    char out[kCapacity + 1];
    ASSERT_TRUE(processor.CodeToEncoded(c.code, out, kCapacity));
    EXPECT_STREQ(out, c.encoded);
    ASSERT_TRUE(processor.EncodedToCode(c.encoded, out, kCapacity));
    EXPECT_STREQ(out, c.code);
}

INSTANTIATE_TEST_SUITE_P(Cases, EAN128ConversionTest, testing::ValuesIn(kConversionCases),
                         CaseName<ConversionCase>);

struct EncodedCase {
    const char* name;
    const char* encoded;
    // EncodedToCode gives a user form, whether or not a valid one.
    bool converted;
    bool accepted;
};

const EncodedCase kEncodedCases[] = {
    {"ValidFields", "%FNC10112345678901231", true, true},
    {"NoLeadingFnc1", "0112345678901231", false, false},
    {"LowerCaseLeadingFnc1", "%fnc10112345678901231", false, false},
    {"ControlCharacterInData", "%FNC110A%09", false, false},
    {"Fnc2InData", "%FNC110A%FNC2", false, false},
    {"LonePercentSign", "%FNC110A%", false, false},
    {"UnknownAI", "%FNC1ABC", true, false},
    {"TwoLeadingFnc1", "%FNC1%FNC10112345678901231", true, false},
    {"SeparatorAtTheEnd", "%FNC110AB%FNC1", true, false},
    {"FixedFieldCutShort", "%FNC101123", true, false},
};

class EAN128EncodedCodeTest : public testing::TestWithParam<EncodedCase> {};

TEST_P(EAN128EncodedCodeTest, AcceptsOnlyWhatTheUserFormCarriesUnchanged) {
    const EncodedCase& c = GetParam();
    BarcodeProcessorEAN128 processor;
    char code[kCapacity + 1];
    EXPECT_EQ(processor.EncodedToCode(c.encoded, code, kCapacity), c.converted);
    EXPECT_EQ(processor.SetEncodedCode(c.encoded), c.accepted);
}

INSTANTIATE_TEST_SUITE_P(Cases, EAN128EncodedCodeTest, testing::ValuesIn(kEncodedCases),
                         CaseName<EncodedCase>);

TEST(EAN128ConversionCapacityTest, RefusesResultsThatDoNotFit) {
    BarcodeProcessorEAN128 processor;
    char out[kCapacity + 1];
    EXPECT_FALSE(processor.CodeToEncoded("", out, 4));
    EXPECT_FALSE(processor.CodeToEncoded("(10)A", out, 7));
    EXPECT_TRUE(processor.CodeToEncoded("(10)A", out, 8));
    EXPECT_FALSE(processor.EncodedToCode("%FNC110A", out, 4));
    EXPECT_TRUE(processor.EncodedToCode("%FNC110A", out, 5));
    EXPECT_STREQ(out, "(10)A");
}

// ---- Field rules ----

const CodeCase kValidityCases[] = {
    // A symbol needs a field.
    {"Empty", kEAN128Type, "", nullptr},
    {"EmptyVariableData", kEAN128Type, "(10)", "(10)"},
    {"ShortVariableData", kEAN128Type, "(99)x", "(99)x"},
    {"FixedLengthExactly", kEAN128Type, "(01)12345678901231", "(01)12345678901231"},
    {"ExtraDigit", kEAN128Type, "(3102)000150", "(3102)000150"},
    {"AI423UpTo15Digits", kEAN128Type, "(423)123456789012345", "(423)123456789012345"},
    {"AI423Beyond15Digits", kEAN128Type, "(423)1234567890123456", nullptr},
    {"AI8008OfVariableLength", kEAN128Type, "(8008)21013112", "(8008)21013112"},
    {"AI8008Beyond12Digits", kEAN128Type, "(8008)2101311200000", nullptr},
    {"DataNotChecked", kEAN128Type, "(10)a b)c", "(10)a b)c"},
    {"DeleteInData", kEAN128Type, "(10)A\x7F", "(10)A\x7F"},
    // A control character would read back as its escape; 8-bit characters
    // have no symbol character.
    {"ControlCharacterInData", kEAN128Type, "(10)A\x01", nullptr},
    {"EightBitCharacterInData", kEAN128Type, "(10)A\xC4", nullptr},
    // 69 symbol values.
    {"MoreThanASymbolCarries", kEAN128Type,
     "(99)" + std::string(30, 'A') + "(98)" + std::string(30, 'A'), nullptr},
    {"FixedLengthTooShort", kEAN128Type, "(01)123", nullptr},
    {"FixedLengthTooLong", kEAN128Type, "(01)12345678901231x", nullptr},
    {"VariableDataTooLong", kEAN128Type, "(10)ABCDEFGHIJKLMNOPQRSTU", nullptr},
    {"FixedFieldWithExtraDigitTooShort", kEAN128Type, "(3102)00015", nullptr},
    {"ExtraDigitNotADigit", kEAN128Type, "(310X)000150", nullptr},
    {"ExtraDigitMissing", kEAN128Type, "(310)000150", nullptr},
    {"UnknownAI", kEAN128Type, "(9000)x", nullptr},
    {"NoAI", kEAN128Type, "()x", nullptr},
    {"NoClosingParenthesis", kEAN128Type, "(10", nullptr},
    {"TextBeforeTheFirstField", kEAN128Type, "x(10)A", nullptr},
    {"DigitsWithoutParentheses", kEAN128Type, "0112345678901231", nullptr},
    {"OpeningParenthesisAtTheEnd", kEAN128Type, "(10)A(", nullptr},
};

// CorrectCode only judges the fields: it keeps a valid code and refuses the
// rest unchanged.
INSTANTIATE_TEST_SUITE_P(Fields, CodeCaseTest, testing::ValuesIn(kValidityCases),
                         CaseName<CodeCase>);

struct AICase {
    const char* name;
    const char* text;
    std::size_t aiLength;
    std::size_t maxDataLength;
};

const AICase kAICases[] = {
    {"ExtraDigitCounted", "3102000150", 4, 6},
    {"Predefined", "0112345678901231", 2, 14},
    {"Variable", "10ABC", 2, 20},
    {"FixedNotPredefined", "40212345678901234567", 3, 17},
    {"FourDigits", "800821013112", 4, 12},
    {"RangeOfTwoDigits", "95x", 2, 30},
    {"LetterInsideTheRange", "32A0", 0, 0},
    {"ExtraDigitLetter", "310X", 0, 0},
    {"ExtraDigitMissing", "310", 0, 0},
    {"Unknown", "5", 0, 0},
    {"Empty", "", 0, 0},
};

class EAN128FindAITest : public testing::TestWithParam<AICase> {};

TEST_P(EAN128FindAITest, FindsTheRow) {
    const AICase& c = GetParam();
    const EAN128AIRow* row = nullptr;
    EXPECT_EQ(BarcodeProcessorEAN128::FindAI(c.text, std::strlen(c.text), &row), c.aiLength);
    if (c.aiLength != 0) {
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->maxDataLength, c.maxDataLength);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, EAN128FindAITest, testing::ValuesIn(kAICases), CaseName<AICase>);

struct SeparatorCase {
    const char* name;
    const char* ai;
    bool separatorAfter;
};

const SeparatorCase kSeparatorCases[] = {
    {"PredefinedWithExtraDigit", "3102", false},
    {"Predefined", "01", false},
    {"Variable", "10", true},
    {"FixedButNotPredefined", "402", true},
    {"PredefinedAIFollowedByMore", "0112", true},
    {"ExtraDigitMissing", "310", true},
    {"Unknown", "5", true},
    {"Empty", "", true},
};

class EAN128SeparatorTest : public testing::TestWithParam<SeparatorCase> {};

TEST_P(EAN128SeparatorTest, FollowsFieldsWithoutAPredefinedLength) {
    const SeparatorCase& c = GetParam();
    EXPECT_EQ(BarcodeProcessorEAN128::NeedsSeparatorAfter(c.ai, std::strlen(c.ai)),
              c.separatorAfter);
}

INSTANTIATE_TEST_SUITE_P(Cases, EAN128SeparatorTest, testing::ValuesIn(kSeparatorCases),
                         CaseName<SeparatorCase>);

// ---- Generate ----

// (01)12345678901231 at magnification 0.5: 12 symbol values, 77 mm wide;
// the text line uses a module of 0.508 mm, so its quiet zone is 5.08 mm.
class EAN128GenerateTest : public testing::Test {
protected:
    static constexpr const char* kCode = "(01)12345678901231";
    static constexpr double kMagnification = 0.5;
    static constexpr double kWidth = 77.0;
    static constexpr double kTextQuietZone = 5.08;
    static constexpr double kBaseline = -4.508;

    void SetUp() override {
        ASSERT_TRUE(processor_.SetCode(kCode));
        processor_.SetMagnification(kMagnification);
        processor_.SetBarHeight(10.0);
    }

    void ExpectText(const RecordingGenerator& generator, double firstX, double advance,
                    double baseline) const {
        const std::vector<RecordedCall> texts = generator.GetCalls(Kind::kText);
        const std::string code = kCode;
        ASSERT_EQ(texts.size(), code.size());
        for (std::size_t i = 0; i < texts.size(); ++i) {
            EXPECT_EQ(texts[i].text, code.substr(i, 1));
            EXPECT_NEAR(texts[i].numbers[0], firstX + static_cast<double>(i) * advance, 1e-12);
            EXPECT_NEAR(texts[i].numbers[1], baseline, 1e-12);
            EXPECT_DOUBLE_EQ(texts[i].numbers[2], 4.0);
        }
    }

    BarcodeProcessorEAN128 processor_;
};

TEST_F(EAN128GenerateTest, DrawsTheBarsOfTheEncodedCode) {
    BarcodeProcessorCode128 code128;
    ASSERT_TRUE(code128.SetCode("%FNC10112345678901231"));
    code128.SetMagnification(kMagnification);
    code128.SetBarHeight(10.0);
    const Drawing ours = Draw(processor_);
    const Drawing plain = Draw(code128);
    EXPECT_EQ(ModuleString(ours.GetBars(), kMagnification),
              ModuleString(plain.GetBars(), kMagnification));
    EXPECT_EQ(ours.GetCalls(Kind::kFrame).front().numbers,
              plain.GetCalls(Kind::kFrame).front().numbers);
    EXPECT_DOUBLE_EQ(processor_.GetTotalWidth(), kWidth);
}

TEST_F(EAN128GenerateTest, PrintsTheUserCodeSpreadBetweenItsQuietZones) {
    processor_.SetQuietZoneMarks(true);
    const Drawing generator = Draw(processor_);
    const double advance = (kWidth - 2 * kTextQuietZone) / 18;
    ExpectText(generator, kTextQuietZone + advance / 2, advance, kBaseline);
    EXPECT_TRUE(generator.GetCalls(Kind::kQuietZoneMarks).empty());
    EXPECT_TRUE(processor_.GetHumanReadable());
}

TEST_F(EAN128GenerateTest, CentresAtTheScaledPitch) {
    processor_.SetCenterAlign(true);
    ExpectText(Draw(processor_), (kWidth - 18 * 2.0 + 2.0) / 2, 2.0, kBaseline);
}

TEST_F(EAN128GenerateTest, BearerBarsMoveTheTextDown) {
    processor_.SetBearerBars(true);
    const Drawing generator = Draw(processor_);
    EXPECT_EQ(generator.GetCalls(Kind::kBearerBar).size(), 2u);
    const double advance = (kWidth - 2 * kTextQuietZone) / 18;
    ExpectText(generator, kTextQuietZone + advance / 2, advance, kBaseline - 1.016);
}

TEST_F(EAN128GenerateTest, WithoutHumanReadableDrawsNoText) {
    processor_.SetHumanReadable(false);
    EXPECT_TRUE(Draw(processor_).GetCalls(Kind::kText).empty());
    EXPECT_FALSE(processor_.GetHumanReadable());
}

TEST_F(EAN128GenerateTest, StopsAtTheFirstRefusedCallAndRestoresHumanReadable) {
    ExpectStopsAtEachRefusedCall({.type = kEAN128Type,
                                  .code = kCode,
                                  .magnification = kMagnification,
                                  .barHeightMm = 10.0,
                                  .bearerBars = true,
                                  .humanReadable = true});
}

TEST(EAN128IdentityTest, IsACode128WithItsOwnTypeAndName) {
    BarcodeProcessorEAN128 processor;
    EXPECT_EQ(processor.GetType(), FourCC("e128"));
    EXPECT_STREQ(processor.GetName(), "EAN-128");
    EXPECT_TRUE(processor.HasOption(FourCC("BBAR")));
}

struct NotEAN128Case {
    const char* name;
    const char* code128;
};

const NotEAN128Case kNotEAN128Cases[] = {
    {"NoLeadingFnc1", "0112345678901231"},
    {"NoFieldAfterFnc1", "%FNC1ABC"},
    {"FixedFieldCutShort", "%FNC101123"},
};

class EAN128NotEAN128Test : public testing::TestWithParam<NotEAN128Case> {};

TEST_P(EAN128NotEAN128Test, DecodesOnlyAsCode128) {
    BarcodeProcessorCode128 code128;
    ASSERT_TRUE(code128.SetCode(GetParam().code128));
    code128.SetMagnification(0.5);
    const std::vector<double> edges = EdgesFromBars(Draw(code128).GetBars());
    const auto count = static_cast<std::uint32_t>(edges.size());
    BarcodeProcessorEAN128 ean128;
    EXPECT_FALSE(ean128.DecodeEdges(edges.data(), count));
    EXPECT_STREQ(ean128.GetCode(), "");
    EXPECT_TRUE(code128.DecodeEdges(edges.data(), count));
}

INSTANTIATE_TEST_SUITE_P(Cases, EAN128NotEAN128Test, testing::ValuesIn(kNotEAN128Cases),
                         CaseName<NotEAN128Case>);

}  // namespace
}  // namespace StriveloTest
