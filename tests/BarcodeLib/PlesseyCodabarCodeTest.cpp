#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "BarcodeProcessorMixIn_FontScaling.h"
#include "CodeCase.h"
#include "Drawing.h"
#include "PlesseyCodabarTestSupport.h"
#include "RecordingGenerator.h"
#include "Symbols.h"
#include "ValidityCase.h"

namespace StriveloTest {
namespace {

using Strivelo::BarcodeProcessor;
using Strivelo::BarcodeProcessorMixIn_FontScaling;

const std::string kTooLongDigits(BarcodeProcessor::kCodeCapacity + 1, '0');
// More alternate digits than a 64-bit number holds.
const std::string kFortyDigits =
    std::string("1234567890") + "1234567890" + "1234567890" + "1234567890";
const std::string kAllCodabarData = "0123456789-$:/.+";
const std::string kLongestCodabar =
    "A" + std::string(BarcodeProcessor::kCodeCapacity - 2, '1') + "B";
const std::string kLongestCodabarWithoutStop =
    "A" + std::string(BarcodeProcessor::kCodeCapacity - 1, '1');

const ValidityCase kEncodedCases[] = {
    {"Mod10", kMsit, "12344", true},
    {"Mod10Wrong", kMsit, "12345", false},
    {"Mod10Shortest", kMsit, "00", true},
    {"Mod10OneDigit", kMsit, "0", false},
    {"Mod10HexDigit", kMsit, "1234A", false},
    {"Mod10Mod10", kMsiq, "12345666", true},
    {"Mod10Mod10FirstCheckWrong", kMsiq, "12345676", false},
    {"Mod10Mod10Shortest", kMsiq, "000", true},
    {"Mod10Mod10TwoDigits", kMsiq, "00", false},
    {"Mod11Mod10", kMsie, "12345609", true},
    {"Mod11Mod10OnlyMod10", kMsie, "12345666", false},
    // zint's way of writing a mod 11 check of 10.
    {"Mod11OfTenWrittenOut", kMsie, "2211100", false},
    {"Mod11Mod10TwoDigits", kMsie, "00", false},
    {"Crc", kPlec, "108", true},
    {"CrcWrong", kPlec, "109", false},
    {"CrcWithoutData", kPlec, "08", false},
    {"CrcTenDigits", kPlec, "012345678946", true},
    {"Plessey", kPles, "0", true},
    {"PlesseyEmpty", kPles, "", false},
    {"PlesseyHexDigit", kPles, "12A", false},
    {"BelgPharma", kBePh, "12345666", true},
    {"BelgPharmaSevenDigits", kBePh, "1234566", false},
    {"BelgPharmaNineDigits", kBePh, "123456741", false},
    {"BelgPharmaSecondCheckWrong", kBePh, "12345667", false},
    {"CodabarStartDataStop", kCoda, "A123B", true},
    {"CodabarStopInTheMiddle", kCoda, "A12B3", false},
    {"CodabarEmpty", kCoda, "", false},
    {"CodabarStartAlone", kCoda, "A", false},
    {"CodabarStartAndStopOnly", kCoda, "AB", true},
    {"CodabarEveryDataCharacter", kCoda, "A" + kAllCodabarData + "B", true},
    {"CodabarNotInTheTable", kCoda, "A1xB", false},
    {"CodabarLowerCaseIsOnlyCorrected", kCoda, "a123a", false},
    {"CodabarAlternativeStopIsOnlyCorrected", kCoda, "A123E", false},
    {"CodabarDataFirst", kCoda, "1A", false},
    {"Traditional", kCodt, "C-$D", true},
    {"TraditionalStartAlone", kCodt, "D", false},
};

// Only the symbology's own form.
INSTANTIATE_TEST_SUITE_P(Cases, EncodedValidityTest, testing::ValuesIn(kEncodedCases),
                         CaseName<ValidityCase>);

// Check characters are computed over the digits before them; the user types
// placeholders where they go. Codabar maps the alternative spellings of A-D
// and adds the start character as stop where there is none. A refused text
// stays as it was.
const CodeCase kCorrectCases[] = {
    {"Mod10", kMsit, "12340", "12344"},
    {"Mod10SevenDigits", kMsit, "12345670", "12345674"},
    {"Mod10Nines", kMsit, "99999999990", "99999999990"},
    // Digit by digit; a 64-bit number of the alternate digits would wrap
    // and give 7.
    {"Mod10FortyDigits", kMsit, kFortyDigits + "0", "12345678901234567890123456789012345678902"},
    {"Mod10NeedsADataDigit", kMsit, "0", nullptr},
    {"Mod10Mod10", kMsiq, "12345600", "12345666"},
    {"Mod10Mod10Shortest", kMsiq, "000", "000"},
    {"Mod10Mod10NeedsADataDigit", kMsiq, "00", nullptr},
    {"Mod11Mod10", kMsie, "12345600", "12345609"},
    {"Mod11Mod10SevenDigits", kMsie, "123456700", "123456741"},
    {"Mod11Mod10Nines", kMsie, "999999999900", "999999999959"},
    {"Mod11OfTenHasNoDigit", kMsie, "221100", nullptr},
    {"Mod11Mod10NeedsADataDigit", kMsie, "00", nullptr},
    {"MsiLetter", kMsit, "12a40", nullptr},
    {"MsiEmpty", kMsit, "", nullptr},
    {"MsiTooLong", kMsit, kTooLongDigits, nullptr},
    {"Crc", kPlec, "100", "108"},
    {"Crc75", kPlec, "7500", "7574"},
    {"Crc993", kPlec, "99300", "99390"},
    {"CrcOfZero", kPlec, "000", "000"},
    {"CrcTenDigits", kPlec, "012345678900", "012345678946"},
    {"CrcNibbleAboveNine", kPlec, "700", nullptr},
    {"CrcNibbleAboveNineLonger", kPlec, "1234500", nullptr},
    {"CrcNeedsADataDigit", kPlec, "12", nullptr},
    {"PlesseyUnchanged", kPles, "0123", "0123"},
    {"PlesseyLetter", kPles, "12A", nullptr},
    {"BelgPharmaSixDigits", kBePh, "123456", "1234-566"},
    {"BelgPharmaUserForm", kBePh, "1234-56", "1234-566"},
    {"BelgPharmaSeventhDigitRecomputed", kBePh, "1234-569", "1234-566"},
    {"BelgPharmaHyphensAnywhere", kBePh, "12-34-56", "1234-566"},
    {"BelgPharmaFiveDigits", kBePh, "12345", nullptr},
    {"BelgPharmaEightDigits", kBePh, "12345678", nullptr},
    {"BelgPharmaLetter", kBePh, "1234a56", nullptr},
    {"BelgPharmaBlank", kBePh, "1234 56", nullptr},
    {"CodabarAlternatives", kCoda, "t123e", "A123D"},
    {"CodabarStopAppended", kCoda, "a123", "A123A"},
    {"CodabarStarAndLowerCaseC", kCoda, "*12c", "C12C"},
    {"CodabarAlternativesOfB", kCoda, "n12N", "B12B"},
    {"CodabarAlreadyComplete", kCoda, "A12B", "A12B"},
    {"CodabarStartAloneGetsItsStop", kCoda, "b", "BB"},
    {"CodabarStopInTheMiddle", kCoda, "A1B2", nullptr},
    {"CodabarAlternativeInTheMiddle", kCoda, "A1a2B", nullptr},
    {"CodabarNotInTheTable", kCoda, "A1x", nullptr},
    {"CodabarDataFirst", kCoda, "1A", nullptr},
    {"CodabarEmpty", kCoda, "", nullptr},
    {"CodabarLongest", kCoda, kLongestCodabar, kLongestCodabar.c_str()},
    {"CodabarStopNoLongerFits", kCoda, kLongestCodabarWithoutStop, nullptr},
    {"Traditional", kCodt, "d-$", "D-$D"},
};

INSTANTIATE_TEST_SUITE_P(Cases, CodeCaseTest, testing::ValuesIn(kCorrectCases), CaseName<CodeCase>);

struct TextCase {
    const char* name;
    std::int32_t type;
    const char* code;
    double magnification;
    double scaling;
    bool centred;
    const char* printed;
    double firstX;
    double step;
    double size;
    double y;
    double width;
    // Module (or bit cell) and bar height of the drawn symbol, which place
    // the frame.
    double moduleMm;
    double height;
};

// Plessey/MSI: X = 1.016 m, text y = -size - X. "12344" is 31X wide; spread
// pitch 23X / 5 from 4X + half a pitch, centred pitch 3X from
// (31X - 15X + 3X) / 2. Belgium-Pharma prints its eight user characters over
// 43X the same way.
// Codabar: "A1234B" is 68 modules, 17 mm, and 5 mm of quiet zones at
// magnification 1. Spread (22 - 5) / 4 from 2.5 plus half a pitch; centred
// pitch 10X from (10X + 22 - 4 x 10X) / 2. Only the data is printed, and its
// y ignores the scaling.
const TextCase kTextCases[] = {
    {.name = "MsiSpread",
     .type = kMsit,
     .code = "12344",
     .magnification = 1.0,
     .scaling = 1.0,
     .centred = false,
     .printed = "12344",
     .firstX = 6.4008,
     .step = 4.6736,
     .size = 2.8,
     .y = -3.816,
     .width = 31.496,
     .moduleMm = 1.016,
     .height = 8.382},
    {.name = "MsiCentred",
     .type = kMsit,
     .code = "12344",
     .magnification = 1.0,
     .scaling = 1.0,
     .centred = true,
     .printed = "12344",
     .firstX = 9.652,
     .step = 3.048,
     .size = 2.8,
     .y = -3.816,
     .width = 31.496,
     .moduleMm = 1.016,
     .height = 8.382},
    {.name = "MsiScaledText",
     .type = kMsit,
     .code = "12344",
     .magnification = 0.8,
     .scaling = 1.5,
     .centred = false,
     .printed = "12344",
     .firstX = 5.12064,
     .step = 3.73888,
     .size = 3.36,
     .y = -4.1728,
     .width = 25.1968,
     .moduleMm = 0.8128,
     .height = 8.382},
    {.name = "BelgPharmaSpread",
     .type = kBePh,
     .code = "1234-566",
     .magnification = 1.0,
     .scaling = 1.0,
     .centred = false,
     .printed = "1234-566",
     .firstX = 6.2865,
     .step = 4.445,
     .size = 2.8,
     .y = -3.816,
     .width = 43.688,
     .moduleMm = 1.016,
     .height = 8.382},
    {.name = "BelgPharmaCentred",
     .type = kBePh,
     .code = "1234-566",
     .magnification = 1.0,
     .scaling = 1.0,
     .centred = true,
     .printed = "1234-566",
     .firstX = 11.176,
     .step = 3.048,
     .size = 2.8,
     .y = -3.816,
     .width = 43.688,
     .moduleMm = 1.016,
     .height = 8.382},
    {.name = "CodabarSpread",
     .type = kCoda,
     .code = "A1234B",
     .magnification = 1.0,
     .scaling = 1.0,
     .centred = false,
     .printed = "1234",
     .firstX = 4.625,
     .step = 4.25,
     .size = 2.8,
     .y = -3.05,
     .width = 22.0,
     .moduleMm = 0.25,
     .height = 5.0},
    {.name = "CodabarCentred",
     .type = kCoda,
     .code = "A1234B",
     .magnification = 1.0,
     .scaling = 1.0,
     .centred = true,
     .printed = "1234",
     .firstX = 7.25,
     .step = 2.5,
     .size = 2.8,
     .y = -3.05,
     .width = 22.0,
     .moduleMm = 0.25,
     .height = 5.0},
    // The baseline follows the scaled text down, clear of the bars.
    {.name = "CodabarScaledTextMovesDown",
     .type = kCoda,
     .code = "A1234B",
     .magnification = 1.0,
     .scaling = 2.0,
     .centred = false,
     .printed = "1234",
     .firstX = 4.625,
     .step = 4.25,
     .size = 5.6,
     .y = -5.85,
     .width = 22.0,
     .moduleMm = 0.25,
     .height = 5.0},
    {.name = "CodabarMagnified",
     .type = kCoda,
     .code = "A1234B",
     .magnification = 2.0,
     .scaling = 1.0,
     .centred = false,
     .printed = "1234",
     .firstX = 9.25,
     .step = 8.5,
     .size = 5.6,
     .y = -6.1,
     .width = 44.0,
     .moduleMm = 0.5,
     .height = 5.1},
    {.name = "CodabarOneDataCharacter",
     .type = kCoda,
     .code = "A1B",
     .magnification = 1.0,
     .scaling = 1.0,
     .centred = false,
     .printed = "1",
     .firstX = 6.875,
     .step = 0.0,
     .size = 2.8,
     .y = -3.05,
     .width = 13.75,
     .moduleMm = 0.25,
     .height = 5.0},
    {.name = "CodabarOneDataCharacterCentred",
     .type = kCoda,
     .code = "A1B",
     .magnification = 1.0,
     .scaling = 1.0,
     .centred = true,
     .printed = "1",
     .firstX = 6.875,
     .step = 0.0,
     .size = 2.8,
     .y = -3.05,
     .width = 13.75,
     .moduleMm = 0.25,
     .height = 5.0},
    {.name = "Traditional",
     .type = kCodt,
     .code = "A1B",
     .magnification = 1.0,
     .scaling = 1.0,
     .centred = false,
     .printed = "1",
     .firstX = 6.089,
     .step = 0.0,
     .size = 2.8,
     .y = -3.05,
     .width = 12.178,
     .moduleMm = 0.25,
     .height = 5.0},
};

class TextTest : public testing::TestWithParam<TextCase> {};

TEST_P(TextTest, PlacesEveryCharacterUnderTheBars) {
    const TextCase& c = GetParam();
    const std::unique_ptr<BarcodeProcessor> processor =
        MakeSymbol({.type = c.type,
                    .code = c.code,
                    .magnification = c.magnification,
                    .fontScaling = c.scaling,
                    .centerAlign = c.centred,
                    .quietZoneMarks = true});
    ASSERT_NE(dynamic_cast<BarcodeProcessorMixIn_FontScaling*>(processor.get()), nullptr);
    const Drawing drawing = Draw(*processor);
    ASSERT_TRUE(drawing.generated);
    ExpectTextLine(drawing, {c.printed, c.firstX, c.step, c.size, c.y});
    ExpectFrameAndMarks(drawing, {c.width, c.y, c.moduleMm, c.height, c.magnification});
}

INSTANTIATE_TEST_SUITE_P(Cases, TextTest, testing::ValuesIn(kTextCases), CaseName<TextCase>);

struct SequenceCase {
    const char* name;
    std::int32_t type;
    const char* code;
    bool frame;
    bool humanReadable;
    bool marks;
    const char* sequence;
};

// Belgium-Pharma draws the family's symbol without text and adds its marks
// and the user's form after the bars.
const SequenceCase kSequenceCases[] = {
    {.name = "Plessey",
     .type = kPles,
     .code = "0",
     .frame = true,
     .humanReadable = true,
     .marks = true,
     .sequence = "font frame marks bar*13 text"},
    {.name = "PlesseyCrc",
     .type = kPlec,
     .code = "108",
     .frame = true,
     .humanReadable = true,
     .marks = true,
     .sequence = "font frame marks bar*21 text*3"},
    {.name = "MsiWithoutText",
     .type = kMsit,
     .code = "12344",
     .frame = true,
     .humanReadable = false,
     .marks = true,
     .sequence = "font frame bar*23"},
    {.name = "MsiWithoutFrameOrMarks",
     .type = kMsiq,
     .code = "123448",
     .frame = false,
     .humanReadable = true,
     .marks = false,
     .sequence = "font bar*27 text*6"},
    {.name = "BelgPharma",
     .type = kBePh,
     .code = "1234-566",
     .frame = true,
     .humanReadable = true,
     .marks = true,
     .sequence = "font frame bar*35 marks text*8"},
    {.name = "BelgPharmaWithoutText",
     .type = kBePh,
     .code = "1234-566",
     .frame = true,
     .humanReadable = false,
     .marks = true,
     .sequence = "font frame bar*35"},
    {.name = "CodabarStartAndStopOnly",
     .type = kCoda,
     .code = "AB",
     .frame = true,
     .humanReadable = true,
     .marks = true,
     .sequence = "font frame marks bar*8"},
    {.name = "CodabarOneDataCharacter",
     .type = kCoda,
     .code = "A1B",
     .frame = true,
     .humanReadable = true,
     .marks = true,
     .sequence = "font frame marks bar*12 text"},
    {.name = "TraditionalWithoutText",
     .type = kCodt,
     .code = "A12B",
     .frame = true,
     .humanReadable = false,
     .marks = true,
     .sequence = "font frame bar*16"},
};

class SequenceTest : public testing::TestWithParam<SequenceCase> {
protected:
    void SetUp() override {
        const SequenceCase& c = GetParam();
        symbol_ = {.type = c.type,
                   .code = c.code,
                   .humanReadable = c.humanReadable,
                   .frame = c.frame,
                   .quietZoneMarks = c.marks};
        processor_ = MakeSymbol(symbol_);
        ASSERT_NE(processor_, nullptr);
    }

    SymbolSettings symbol_;
    std::unique_ptr<BarcodeProcessor> processor_;
};

TEST_P(SequenceTest, DrawsInTheFamilyOrder) {
    const SequenceCase& c = GetParam();
    const Drawing drawing = Draw(*processor_);
    ASSERT_TRUE(drawing.generated);
    EXPECT_EQ(CallSequence(drawing.GetCalls()), c.sequence);
    EXPECT_EQ(processor_->GetHumanReadable(), c.humanReadable);
    const std::vector<RecordedCall> fonts = drawing.GetCalls(RecordedCall::Kind::kFont);
    ASSERT_FALSE(fonts.empty());
    EXPECT_THAT(fonts[0].flags, testing::ElementsAre(false));
}

// Belgium-Pharma's text flag comes back also when the family's part was
// refused.
TEST_P(SequenceTest, StopsAtTheFirstRefusedCall) {
    ExpectStopsAtEachRefusedCall(symbol_);
}

INSTANTIATE_TEST_SUITE_P(Cases, SequenceTest, testing::ValuesIn(kSequenceCases),
                         CaseName<SequenceCase>);

}  // namespace
}  // namespace StriveloTest
