#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "BarcodeProcessorMixIn_FontScaling.h"
#include "PlesseyCodabarTestSupport.h"
#include "RecordingGenerator.h"

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

std::unique_ptr<BarcodeProcessor> Make(std::int32_t type) {
    std::unique_ptr<BarcodeProcessor> processor = MakePlesseyOrCodabar(type);
    EXPECT_NE(processor, nullptr) << TypeText(type);
    return processor;
}

struct ValidCase {
    const char* name;
    std::int32_t type;
    std::string encoded;
    bool valid;
};

const ValidCase kEncodedCases[] = {
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

class EncodedValidTest : public testing::TestWithParam<ValidCase> {};

TEST_P(EncodedValidTest, AcceptsOnlyTheSymbologysForm) {
    const ValidCase& c = GetParam();
    EXPECT_EQ(Make(c.type)->IsEncodedValid(c.encoded.c_str()), c.valid);
}

INSTANTIATE_TEST_SUITE_P(Cases, EncodedValidTest, testing::ValuesIn(kEncodedCases),
                         CaseName<ValidCase>);

// Check characters are computed over the digits before them; the user types
// placeholders where they go. Codabar maps the alternative spellings of A-D
// and adds the start character as stop where there is none. A refused text
// stays as it was.
struct CorrectCase {
    const char* name;
    std::int32_t type;
    std::string input;
    const char* corrected;
};

const CorrectCase kCorrectCases[] = {
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

class CorrectCodeTest : public testing::TestWithParam<CorrectCase> {};

TEST_P(CorrectCodeTest, CorrectsOrRefusesUnchanged) {
    const CorrectCase& c = GetParam();
    ExpectCorrection(*Make(c.type), c.input, c.corrected);
}

INSTANTIATE_TEST_SUITE_P(Cases, CorrectCodeTest, testing::ValuesIn(kCorrectCases),
                         CaseName<CorrectCase>);

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
    {"MsiSpread", kMsit, "12344", 1.0, 1.0, false, "12344", 6.4008, 4.6736, 2.8, -3.816, 31.496,
     1.016, 8.382},
    {"MsiCentred", kMsit, "12344", 1.0, 1.0, true, "12344", 9.652, 3.048, 2.8, -3.816, 31.496,
     1.016, 8.382},
    {"MsiScaledText", kMsit, "12344", 0.8, 1.5, false, "12344", 5.12064, 3.73888, 3.36, -4.1728,
     25.1968, 0.8128, 8.382},
    {"BelgPharmaSpread", kBePh, "1234-566", 1.0, 1.0, false, "1234-566", 6.2865, 4.445, 2.8, -3.816,
     43.688, 1.016, 8.382},
    {"BelgPharmaCentred", kBePh, "1234-566", 1.0, 1.0, true, "1234-566", 11.176, 3.048, 2.8, -3.816,
     43.688, 1.016, 8.382},
    {"CodabarSpread", kCoda, "A1234B", 1.0, 1.0, false, "1234", 4.625, 4.25, 2.8, -3.05, 22.0, 0.25,
     5.0},
    {"CodabarCentred", kCoda, "A1234B", 1.0, 1.0, true, "1234", 7.25, 2.5, 2.8, -3.05, 22.0, 0.25,
     5.0},
    // The baseline follows the scaled text down, clear of the bars.
    {"CodabarScaledTextMovesDown", kCoda, "A1234B", 1.0, 2.0, false, "1234", 4.625, 4.25, 5.6,
     -5.85, 22.0, 0.25, 5.0},
    {"CodabarMagnified", kCoda, "A1234B", 2.0, 1.0, false, "1234", 9.25, 8.5, 5.6, -6.1, 44.0, 0.5,
     5.1},
    {"CodabarOneDataCharacter", kCoda, "A1B", 1.0, 1.0, false, "1", 6.875, 0.0, 2.8, -3.05, 13.75,
     0.25, 5.0},
    {"CodabarOneDataCharacterCentred", kCoda, "A1B", 1.0, 1.0, true, "1", 6.875, 0.0, 2.8, -3.05,
     13.75, 0.25, 5.0},
    {"Traditional", kCodt, "A1B", 1.0, 1.0, false, "1", 6.089, 0.0, 2.8, -3.05, 12.178, 0.25, 5.0},
};

class TextTest : public testing::TestWithParam<TextCase> {};

TEST_P(TextTest, PlacesEveryCharacterUnderTheBars) {
    const TextCase& c = GetParam();
    const std::unique_ptr<BarcodeProcessor> processor = Make(c.type);
    auto* scaling = dynamic_cast<BarcodeProcessorMixIn_FontScaling*>(processor.get());
    ASSERT_NE(scaling, nullptr);
    ASSERT_TRUE(scaling->SetFontScaling(c.scaling));
    scaling->SetCenterAlign(c.centred);
    processor->SetQuietZoneMarks(true);
    const RecordingGenerator generator =
        Draw(*processor, c.code, {.magnification = c.magnification});
    ExpectTextLine(generator, {c.printed, c.firstX, c.step, c.size, c.y});
    ExpectFrameAndMarks(generator, {c.width, c.y, c.moduleMm, c.height, c.magnification});
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
    {"Plessey", kPles, "0", true, true, true, "font frame marks bar*13 text"},
    {"PlesseyCrc", kPlec, "108", true, true, true, "font frame marks bar*21 text*3"},
    {"MsiWithoutText", kMsit, "12344", true, false, true, "font frame bar*23"},
    {"MsiWithoutFrameOrMarks", kMsiq, "123448", false, true, false, "font bar*27 text*6"},
    {"BelgPharma", kBePh, "1234-566", true, true, true, "font frame bar*35 marks text*8"},
    {"BelgPharmaWithoutText", kBePh, "1234-566", true, false, true, "font frame bar*35"},
    {"CodabarStartAndStopOnly", kCoda, "AB", true, true, true, "font frame marks bar*8"},
    {"CodabarOneDataCharacter", kCoda, "A1B", true, true, true, "font frame marks bar*12 text"},
    {"TraditionalWithoutText", kCodt, "A12B", true, false, true, "font frame bar*16"},
};

class SequenceTest : public testing::TestWithParam<SequenceCase> {
protected:
    void SetUp() override {
        const SequenceCase& c = GetParam();
        processor_ = Make(c.type);
        processor_->SetEmitFrame(c.frame);
        processor_->SetHumanReadable(c.humanReadable);
        processor_->SetQuietZoneMarks(c.marks);
        ASSERT_TRUE(processor_->SetCode(c.code));
    }

    std::unique_ptr<BarcodeProcessor> processor_;
};

TEST_P(SequenceTest, DrawsInTheFamilyOrder) {
    const SequenceCase& c = GetParam();
    RecordingGenerator generator;
    ASSERT_TRUE(processor_->GenerateInto(&generator));
    EXPECT_EQ(CallSequence(generator.GetCalls()), c.sequence);
    EXPECT_EQ(processor_->GetHumanReadable(), c.humanReadable);
    const std::vector<RecordedCall> fonts = generator.GetCalls(RecordedCall::Kind::kFont);
    ASSERT_FALSE(fonts.empty());
    EXPECT_THAT(fonts[0].flags, testing::ElementsAre(false));
}

// Belgium-Pharma's text flag comes back also when the family's part was
// refused.
TEST_P(SequenceTest, StopsAtTheFirstRefusedCall) {
    ExpectStopsAtEachRefusedCall(*processor_);
}

INSTANTIATE_TEST_SUITE_P(Cases, SequenceTest, testing::ValuesIn(kSequenceCases),
                         CaseName<SequenceCase>);

}  // namespace
}  // namespace StriveloTest
