// ISBN, ISBN-EAN, ISSN and MS-7B code forms: hyphenation by the ISBN range
// table, the modulo-11 check characters, corrections and conversions to and
// from the EAN-13 and EAN-8 forms that the bars carry.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <ostream>
#include <string>

#include "BarcodeProcessorISBN.h"
#include "BarcodeProcessorMS7B.h"
#include "BarcodeProcessorMixIn_Font.h"
#include "BarcodeProcessorMixIn_FontScaling.h"
#include "BookCodesSupport.h"
#include "CodeCase.h"
#include "M7LString.h"
#include "Symbols.h"
#include "ValidityCase.h"

namespace StriveloTest {
namespace {

using namespace Strivelo;

struct PartLengthsCase {
    const char* name;
    const char* text;
    bool found;
    int group;
    int publisher;
};

// The rows of the Agency's range message of 13 November 2022.
const PartLengthsCase kPartLengthsCases[] = {
    {"Group3", "316148410", true, 1, 2},
    {"Group0Publisher3", "030640615", true, 1, 3},
    {"Group0Publisher7", "097522980", true, 1, 7},
    {"Group1Publisher5", "155860832", true, 1, 5},
    // The last number of one range and the first of the next.
    {"Group1LastOf86979", "186979000", true, 1, 5},
    {"Group1FirstOf869800", "186980000", true, 1, 6},
    {"Group1Top", "199900000", true, 1, 7},
    // Rows of groups 0 and 1 that older editions did not have.
    {"Group0Publisher7Within640", "063980000", true, 1, 7},
    {"Group1LastOf7753999", "177539999", true, 1, 7},
    {"Group1FirstOf77540", "177540000", true, 1, 5},
    {"Group7", "722000000", true, 1, 3},
    {"Group80First", "800000000", true, 2, 2},
    {"Group80LastOf998999", "809989999", true, 2, 6},
    {"Group80FirstOf99900", "809990000", true, 2, 5},
    // Group 92 has publishers of one digit.
    {"Group92", "920000000", true, 2, 1},
    {"Group950", "950000000", true, 3, 2},
    {"Group950Top", "950990000", true, 3, 5},
    {"Group9963Publisher1", "996300000", true, 4, 1},
    {"Group9963Publisher4", "996320000", true, 4, 4},
    {"Group9963Publisher3", "996325000", true, 4, 3},
    {"Group99901", "999010000", true, 5, 2},
    {"Group99901Publisher3", "999015000", true, 5, 3},
    {"Group99901Top", "999018000", true, 5, 2},
    // Numbers below a group's first range have 2-digit publishers.
    {"Group968BelowFirst", "968000000", true, 3, 2},
    {"Group9983BelowFirst", "998350000", true, 4, 2},
    {"Group9983Publisher3", "998397000", true, 4, 3},
    // Numbers between two ranges take the length of the lower one.
    {"Group87Below400", "873500000", true, 2, 2},
    {"Group87Below85000", "878200000", true, 2, 4},
    // Group lengths as the message lays the groups out: 600-649 have three
    // digits, 65 two, 9900-9989 four.
    {"Group600", "600119125", true, 3, 3},
    {"Group65Publisher2", "650000000", true, 2, 2},
    {"Group65Publisher4", "655000000", true, 2, 4},
    {"Group93", "937000000", true, 2, 4},
    {"Group9911BelowFirst", "991100000", true, 4, 2},
    {"Group9911Publisher3", "991155000", true, 4, 3},
    {"Group99939Publisher1", "999390000", true, 5, 1},
    {"Group99939Publisher3", "999399500", true, 5, 3},
    {"Group99990", "999900000", true, 5, 1},
    // Groups without rows use group 0's ranges: 611 and 99902 are listed
    // without any, 9900 lies among the 4-digit groups but is not assigned,
    // and 66-69 are no group at all (taken as group 6).
    {"Group611UsesGroup0", "611123456", true, 3, 2},
    {"Group9900UsesGroup0", "990000000", true, 4, 2},
    {"Group66UsesGroup0", "660000000", true, 1, 3},
    // No digit would be left for the title.
    {"NoTitleLeft", "999029500", false, 0, 0},
    {"EightDigits", "31614841", false, 0, 0},
    // Other characters are skipped.
    {"HyphensAndLettersSkipped", "ISBN 3-16-148410-X", true, 1, 2},
};

void PrintTo(const PartLengthsCase& c, std::ostream* os) {
    *os << c.name;
}

class PartLengthsTest : public testing::TestWithParam<PartLengthsCase> {};

TEST_P(PartLengthsTest, GroupAndPublisherLengths) {
    const PartLengthsCase& c = GetParam();
    int group = 0;
    int publisher = 0;
    ASSERT_EQ(BarcodeProcessorISBNBase::FindISBNPartLengths(c.text, &group, &publisher), c.found);
    if (c.found) {
        EXPECT_EQ(group, c.group);
        EXPECT_EQ(publisher, c.publisher);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, PartLengthsTest, testing::ValuesIn(kPartLengthsCases),
                         CaseName<PartLengthsCase>);

struct PrefixPartLengthsCase {
    const char* name;
    const char* prefix;
    const char* text;
    bool found;
    int group;
    int publisher;
};

// The nine digits after an ISBN-13 prefix: each prefix has its own groups.
const PrefixPartLengthsCase kPrefixPartLengthsCases[] = {
    {"978Group3", "978", "322800000", true, 1, 3},
    {"979Group10", "979", "109063607", true, 2, 5},
    {"979Group10Top", "979", "109760000", true, 2, 6},
    {"979Group11", "979", "115500000", true, 2, 4},
    {"979Group11Top", "979", "119500000", true, 2, 6},
    {"979Group12BelowFirst", "979", "120000000", true, 2, 2},
    {"979Group12Publisher3", "979", "122000000", true, 2, 3},
    {"979Group12Publisher4", "979", "125450000", true, 2, 4},
    {"979Group12Publisher5", "979", "128000000", true, 2, 5},
    {"979Group8Publisher3", "979", "820000000", true, 1, 3},
    {"979Group8Publisher4", "979", "835000000", true, 1, 4},
    {"979Group8Publisher7", "979", "898500000", true, 1, 7},
    // 979 has no group 3 (978's is German) nor 5: group 0's ranges guess.
    {"979Group3UsesGroup0", "979", "322800000", true, 1, 4},
    {"979Group55UsesGroup0", "979", "551234560", true, 1, 3},
    {"OtherPrefix", "977", "316148410", false, 0, 0},
    {"PrefixTooShort", "97", "316148410", false, 0, 0},
};

void PrintTo(const PrefixPartLengthsCase& c, std::ostream* os) {
    *os << c.name;
}

class PrefixPartLengthsTest : public testing::TestWithParam<PrefixPartLengthsCase> {};

TEST_P(PrefixPartLengthsTest, GroupAndPublisherLengths) {
    const PrefixPartLengthsCase& c = GetParam();
    int group = 0;
    int publisher = 0;
    ASSERT_EQ(BarcodeProcessorISBNBase::FindISBNPartLengths(c.prefix, c.text, &group, &publisher),
              c.found);
    if (c.found) {
        EXPECT_EQ(group, c.group);
        EXPECT_EQ(publisher, c.publisher);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, PrefixPartLengthsTest, testing::ValuesIn(kPrefixPartLengthsCases),
                         CaseName<PrefixPartLengthsCase>);

const CodeCase kCorrectCases[] = {
    // ISBN: hyphens by the table, the check character computed (10 is 'X').
    {"IsbnNineDigits", kTypeISBN, "316148410", "3-16-148410-X"},
    {"IsbnWrongCheck", kTypeISBN, "3161484100", "3-16-148410-X"},
    {"IsbnLowerCaseX", kTypeISBN, "316148410x", "3-16-148410-X"},
    {"IsbnRehyphenated", kTypeISBN, "03-064-06152", "0-306-40615-2"},
    {"IsbnPublisher7", kTypeISBN, "097522980", "0-9752298-0-X"},
    {"IsbnGroup1", kTypeISBN, "155860832", "1-55860-832-X"},
    {"IsbnGroup2", kTypeISBN, "207036024", "2-07-036024-5"},
    {"IsbnGroup1Boundary", kTypeISBN, "186980000", "1-869800-00-1"},
    {"IsbnGroup99901", kTypeISBN, "999015000", "99901-500-0-1"},
    {"IsbnAddOn", kTypeISBN, "316148410X12345", "3-16-148410-X-12345"},
    {"IsbnSixthAddOnDigitCut", kTypeISBN, "316148410X123456", "3-16-148410-X-12345"},
    {"IsbnIncompleteAddOnCut", kTypeISBN, "316148410X1234", "3-16-148410-X"},
    {"IsbnElevenDigitsCut", kTypeISBN, "31614841001", "3-16-148410-X"},
    // Groups of three, two and five digits.
    {"IsbnGroup600", kTypeISBN, "600119125", "600-119-125-5"},
    {"IsbnGroup65", kTypeISBN, "655000000", "65-5000-000-9"},
    {"IsbnGroup99939", kTypeISBN, "999399500", "99939-950-0-2"},
    {"IsbnKnownGroupIgnoresHyphens", kTypeISBN, "31-6-148410-X", "3-16-148410-X"},
    {"IsbnGroup600IgnoresHyphens", kTypeISBN, "6-00-119125-0", "600-119-125-5"},
    // A group without rows gets group 0's hyphens, which a reading puts back.
    {"IsbnUnknownGroupUsersHyphensReplaced", kTypeISBN, "611-123-456-9", "611-12-3456-0"},
    {"IsbnUnknownGroupWithoutHyphens", kTypeISBN, "611123456", "611-12-3456-0"},
    // Group 0's ranges leave no title, and the user's hyphens could not be
    // read back.
    {"IsbnUnknownGroupUsersHyphensNoTitle", kTypeISBN, "99902-95-00-0", nullptr},
    {"IsbnUnknownGroupNoTitleLeft", kTypeISBN, "999029500", nullptr},
    {"IsbnEightDigits", kTypeISBN, "31614841", nullptr},
    {"IsbnLetter", kTypeISBN, "3-16-14841A-X", nullptr},
    {"IsbnXNotLast", kTypeISBN, "31614841X0", nullptr},
    // An ISBN-13 is no ISBN-10 of group 978.
    {"IsbnOfThirteenDigits", kTypeISBN, "9783161484100", nullptr},
    // ISBN-EAN: an ISBN-10 gets prefix 978, an ISBN-13 keeps its prefix.
    {"IsbnEanFromIsbn10", kTypeISBNEAN, "3161484100", "978-3-16-148410-0"},
    {"IsbnEanFromIsbn13", kTypeISBNEAN, "9783161484100", "978-3-16-148410-0"},
    {"IsbnEanTwelveDigits", kTypeISBNEAN, "978316148410", "978-3-16-148410-0"},
    {"IsbnEanWrongCheck", kTypeISBNEAN, "978-3-16-148410-7", "978-3-16-148410-0"},
    {"IsbnEanAddOn", kTypeISBNEAN, "978316148410012345", "978-3-16-148410-0-12345"},
    // 979 numbers are hyphenated by the groups of 979.
    {"IsbnEan979WithoutHyphens", kTypeISBNEAN, "9791090636071", "979-10-90636-07-1"},
    {"IsbnEan979IgnoresHyphens", kTypeISBNEAN, "979-1-09-063607-0", "979-10-90636-07-1"},
    {"IsbnEan979Group8Publisher3", kTypeISBNEAN, "979820000000", "979-8-200-00000-5"},
    {"IsbnEan979Group8Publisher7", kTypeISBNEAN, "979898500001", "979-8-9850000-1-6"},
    {"IsbnEan979Group11", kTypeISBNEAN, "979119500000", "979-11-950000-0-5"},
    {"IsbnEan979Group12", kTypeISBNEAN, "979125450000", "979-12-5450-000-2"},
    {"IsbnEan979UnknownGroupUsersHyphensReplaced", kTypeISBNEAN, "979-55-1234-560-0",
     "979-5-512-34560-2"},
    {"IsbnEan979UnknownGroupWithoutHyphens", kTypeISBNEAN, "979551234560", "979-5-512-34560-2"},
    {"IsbnEanGroup600", kTypeISBNEAN, "978600119125", "978-600-119-125-1"},
    {"IsbnEanGroup99939", kTypeISBNEAN, "978-99939-95-00-0", "978-99939-950-0-5"},
    // Groups 978 and 979 of ISBN-10 (Nigeria, Indonesia) are ISBN-10s by
    // their ten digits.
    {"IsbnEanGroup978Isbn10", kTypeISBNEAN, "9783700009", "978-978-37000-0-0"},
    {"IsbnEanOtherPrefix", kTypeISBNEAN, "5901234123457", nullptr},
    {"IsbnEanIsbn10CheckX", kTypeISBNEAN, "316148410X", nullptr},
    {"IsbnEanTooShort", kTypeISBNEAN, "97", nullptr},
    // ISSN: the check character computed, variant and add-on placed.
    {"IssnKept", kTypeISSN, "0317-8471", "0317-8471"},
    {"IssnSevenDigits", kTypeISSN, "0317847", "0317-8471"},
    {"IssnWrongCheck", kTypeISSN, "03178470", "0317-8471"},
    {"IssnCheckX", kTypeISSN, "2434561x", "2434-561X"},
    {"IssnVariant", kTypeISSN, "03178471(05)", "0317-8471(05)"},
    {"IssnVariantUnclosed", kTypeISSN, "03178471(05", "0317-8471(05)"},
    {"IssnIncompleteVariantCut", kTypeISSN, "03178471(0", "0317-8471"},
    {"IssnAddOn", kTypeISSN, "0317847112", "0317-8471-12"},
    {"IssnVariantAndAddOn", kTypeISSN, "03178471(05)12", "0317-8471(05)-12"},
    // Variant 00 is what the bars of a code without variant carry.
    {"IssnVariant00Dropped", kTypeISSN, "03178471(00)12", "0317-8471-12"},
    {"IssnVariantLongAddOnCut", kTypeISSN, "0317-8471(05)-123", "0317-8471(05)-12"},
    // Without a variant, digits past the add-on are cut, not a dangling '-'
    // left at the end.
    {"IssnLongAddOnCut", kTypeISSN, "031784711234", "0317-8471-12"},
    {"IssnLetter", kTypeISSN, "0317-847A", nullptr},
    // Too short: regrouped, but not complete.
    {"IssnFiveDigits", kTypeISSN, "03178", "0317-8", kRefusedAsRewritten},
    // MS-7B: the EAN-8 check digit of 0 and the first six digits.
    {"Ms7bSixDigits", kTypeMS7B, "123456", "1234565"},
    {"Ms7bWrongCheck", kTypeMS7B, "1234560", "1234565"},
    {"Ms7bHyphens", kTypeMS7B, "123-4565", "1234565"},
    {"Ms7bEighthDigitCut", kTypeMS7B, "12345659", "1234565"},
    {"Ms7bFiveDigits", kTypeMS7B, "12345", nullptr},
    {"Ms7bLetter", kTypeMS7B, "12345A", nullptr},
};

// What comes out of a successful correction is a valid code.
INSTANTIATE_TEST_SUITE_P(Cases, CodeCaseTest, testing::ValuesIn(kCorrectCases), CaseName<CodeCase>);

const ValidityCase kValidCases[] = {
    {"Isbn", kTypeISBN, "3-16-148410-X", true},
    {"IsbnAddOn", kTypeISBN, "3-16-148410-X-12345", true},
    {"IsbnWrongCheck", kTypeISBN, "3-16-148410-0", false},
    {"IsbnLowerCaseX", kTypeISBN, "3-16-148410-x", false},
    {"IsbnAddOn2", kTypeISBN, "3-16-148410-X-12", false},
    {"IsbnAddOnWithLetter", kTypeISBN, "3-16-148410-X-1234A", false},
    {"IsbnHyphensAgainstTable", kTypeISBN, "3-161-48410-X", false},
    {"IsbnNoCheckHyphen", kTypeISBN, "3-16-148410X", false},
    {"IsbnGroup600", kTypeISBN, "600-119-125-5", true},
    {"IsbnGroup600HyphensAgainstTable", kTypeISBN, "6-00-119125-5", false},
    {"IsbnGroup99939", kTypeISBN, "99939-950-0-2", true},
    {"IsbnGroup99939HyphensAgainstTable", kTypeISBN, "99939-95-00-2", false},
    // For a group without rows, group 0's hyphens alone: a reading of the
    // bars cannot give back any others.
    {"IsbnUnknownGroupUsersHyphens", kTypeISBN, "611-123-456-0", false},
    {"IsbnUnknownGroupGroup0Hyphens", kTypeISBN, "611-12-3456-0", true},
    {"IsbnUnknownGroupLongPublisher", kTypeISBN, "6-1112345-6-0", false},
    {"IsbnUnknownGroupEmptyPublisher", kTypeISBN, "6--11123456-0", false},
    {"IsbnUnknownGroupLongGroup", kTypeISBN, "611123-4-56-0", false},
    {"IsbnUnknownGroupNoTitle", kTypeISBN, "6-11123456--0", false},
    {"IsbnEan", kTypeISBNEAN, "978-3-16-148410-0", true},
    {"IsbnEanAddOn", kTypeISBNEAN, "978-3-16-148410-0-12345", true},
    {"IsbnEanWrongCheck", kTypeISBNEAN, "978-3-16-148410-1", false},
    {"IsbnEanAddOn2", kTypeISBNEAN, "978-3-16-148410-0-12", false},
    {"IsbnEanHyphensAgainstTable", kTypeISBNEAN, "978-31-6-148410-0", false},
    {"IsbnEanNoPrefixHyphen", kTypeISBNEAN, "9783-16-148410-0", false},
    // The check digit is right; only the prefix is no book prefix.
    {"IsbnEanOtherPrefix", kTypeISBNEAN, "123-3-16-148410-8", false},
    // 979 numbers follow the ranges of their own groups.
    {"IsbnEan979", kTypeISBNEAN, "979-10-90636-07-1", true},
    {"IsbnEan979Group0Hyphens", kTypeISBNEAN, "979-1-09-063607-1", false},
    {"IsbnEan979Group8", kTypeISBNEAN, "979-8-3500-0000-9", true},
    {"IsbnEan979Group8HyphensAgainstTable", kTypeISBNEAN, "979-8-350-00000-9", false},
    {"IsbnEan979UnknownGroupUsersHyphens", kTypeISBNEAN, "979-55-1234-560-2", false},
    {"IsbnEan979UnknownGroupGroup0Hyphens", kTypeISBNEAN, "979-5-512-34560-2", true},
    // 978-99902 has no rows, and group 0's leave its digits no title.
    {"IsbnEanGroupWithoutRowsNoTitle", kTypeISBNEAN, "978-99902-95-00-9", false},
    {"IsbnEanGroup99939", kTypeISBNEAN, "978-99939-950-0-5", true},
    {"IsbnEanGroup99939HyphensAgainstTable", kTypeISBNEAN, "978-99939-95-00-5", false},
    {"Issn", kTypeISSN, "0317-8471", true},
    {"IssnCheckX", kTypeISSN, "2434-561X", true},
    {"IssnWrongCheck", kTypeISSN, "0317-8472", false},
    {"IssnVariant", kTypeISSN, "0317-8471(05)", true},
    {"IssnVariantLetter", kTypeISSN, "0317-8471(0A)", false},
    {"IssnVariant00", kTypeISSN, "0317-8471(00)-12", false},
    {"IssnVariantUnclosed", kTypeISSN, "0317-8471(05", false},
    {"IssnAddOn", kTypeISSN, "0317-8471-12", true},
    {"IssnVariantAndAddOn", kTypeISSN, "0317-8471(05)-12", true},
    {"IssnAddOn5", kTypeISSN, "0317-8471-12345", false},
    {"IssnNoHyphen", kTypeISSN, "03178471", false},
    {"Ms7b", kTypeMS7B, "1234565", true},
    {"Ms7bWrongCheck", kTypeMS7B, "1234566", false},
    {"Ms7bSixDigits", kTypeMS7B, "123456", false},
    {"Ms7bEightDigits", kTypeMS7B, "12345650", false},
};

INSTANTIATE_TEST_SUITE_P(Cases, CodeValidityTest, testing::ValuesIn(kValidCases),
                         CaseName<ValidityCase>);

struct ConversionCase {
    const char* name;
    std::int32_t type;
    const char* code;
    const char* encoded;
};

const ConversionCase kConversionCases[] = {
    {"Isbn", kTypeISBN, "3-16-148410-X", "9-783161-484100"},
    {"IsbnAddOn", kTypeISBN, "3-16-148410-X-12345", "9-783161-484100-12345"},
    {"IsbnGroup0", kTypeISBN, "0-306-40615-2", "9-780306-406157"},
    {"IsbnEan", kTypeISBNEAN, "978-3-16-148410-0", "9-783161-484100"},
    {"IsbnEanAddOn", kTypeISBNEAN, "978-3-16-148410-0-52495", "9-783161-484100-52495"},
    {"IsbnGroup600", kTypeISBN, "600-119-125-5", "9-786001-191251"},
    {"IsbnGroup99939", kTypeISBN, "99939-950-0-2", "9-789993-995005"},
    {"IsbnEan979", kTypeISBNEAN, "979-10-90636-07-1", "9-791090-636071"},
    {"IsbnEan979Group8", kTypeISBNEAN, "979-8-9850000-1-6", "9-798985-000016"},
    {"IsbnEan979Group11", kTypeISBNEAN, "979-11-5500-000-7", "9-791155-000007"},
    {"IsbnEan979Group12", kTypeISBNEAN, "979-12-80000-00-2", "9-791280-000002"},
    {"IsbnEanGroup65", kTypeISBNEAN, "978-65-5000-000-4", "9-786550-000004"},
    {"Issn", kTypeISSN, "0317-8471", "9-770317-847001"},
    {"IssnVariant", kTypeISSN, "0317-8471(05)", "9-770317-847056"},
    {"IssnAddOn", kTypeISSN, "0317-8471-12", "9-770317-847001-12"},
    {"IssnVariantAndAddOn", kTypeISSN, "0317-8471(05)-12", "9-770317-847056-12"},
    {"IssnOther", kTypeISSN, "0378-5955", "9-770378-595002"},
    {"IssnCheckX", kTypeISSN, "2434-561X", "9-772434-561006"},
    {"Ms7b", kTypeMS7B, "1234565", "0123-4565"},
};

void PrintTo(const ConversionCase& c, std::ostream* os) {
    *os << c.name;
}

class ConversionTest : public testing::TestWithParam<ConversionCase> {};

TEST_P(ConversionTest, BothWays) {
    const ConversionCase& c = GetParam();
    const std::unique_ptr<BarcodeProcessor> processor = MakeProcessor(c.type);
    ASSERT_NE(processor, nullptr);
    char text[BarcodeProcessor::kCodeCapacity + 1];
    ASSERT_TRUE(processor->CodeToEncoded(c.code, text, BarcodeProcessor::kCodeCapacity));
    EXPECT_STREQ(text, c.encoded);
    ASSERT_TRUE(processor->EncodedToCode(c.encoded, text, BarcodeProcessor::kCodeCapacity));
    EXPECT_STREQ(text, c.code);
    // Exactly as long as the result is enough, one less is not.
    const std::size_t codeLength = std::strlen(c.code);
    EXPECT_TRUE(processor->EncodedToCode(c.encoded, text, codeLength));
    EXPECT_FALSE(processor->EncodedToCode(c.encoded, text, codeLength - 1));
    const std::size_t encodedLength = std::strlen(c.encoded);
    EXPECT_TRUE(processor->CodeToEncoded(c.code, text, encodedLength));
    EXPECT_FALSE(processor->CodeToEncoded(c.code, text, encodedLength - 1));
}

INSTANTIATE_TEST_SUITE_P(Cases, ConversionTest, testing::ValuesIn(kConversionCases),
                         CaseName<ConversionCase>);

struct RefusedEncodedCase {
    const char* name;
    std::int32_t type;
    const char* encoded;
};

// Bars these classes do not read: another prefix, or an add-on length the
// class does not carry, which is then read as EAN-13 with all its digits.
const RefusedEncodedCase kRefusedEncodedCases[] = {
    {"IsbnOfIssnPrefix", kTypeISBN, "9-770317-847001"},
    {"IsbnOf979", kTypeISBN, "9-791090-636071"},
    {"IsbnAddOn2", kTypeISBN, "9-783161-484100-12"},
    {"IsbnEanOfOtherPrefix", kTypeISBNEAN, "5-901234-123457"},
    {"IsbnEanAddOn2", kTypeISBNEAN, "9-783161-484100-12"},
    {"IsbnEanNotEan13", kTypeISBNEAN, "9-783161-48410"},
    {"IssnOfIsbnPrefix", kTypeISSN, "9-783161-484100"},
    {"IssnAddOn5", kTypeISSN, "9-770317-847001-12345"},
    {"Ms7bFirstDigitNot0", kTypeMS7B, "5901-2344"},
    {"Ms7bNotEan8", kTypeMS7B, "0123-456"},
};

void PrintTo(const RefusedEncodedCase& c, std::ostream* os) {
    *os << c.name;
}

class RefusedEncodedTest : public testing::TestWithParam<RefusedEncodedCase> {};

TEST_P(RefusedEncodedTest, NoCode) {
    const RefusedEncodedCase& c = GetParam();
    const std::unique_ptr<BarcodeProcessor> processor = MakeProcessor(c.type);
    ASSERT_NE(processor, nullptr);
    char code[BarcodeProcessor::kCodeCapacity + 1];
    EXPECT_FALSE(processor->EncodedToCode(c.encoded, code, BarcodeProcessor::kCodeCapacity));
    EXPECT_FALSE(processor->SetEncodedCode(c.encoded));
    EXPECT_STREQ(processor->GetCode(), "");
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedEncodedTest, testing::ValuesIn(kRefusedEncodedCases),
                         CaseName<RefusedEncodedCase>);

TEST(OptionsTest, OnlyIsbnsOfferCentreAlignment) {
    for (const std::int32_t type : {kTypeISBN, kTypeISBNEAN, kTypeISSN, kTypeMS7B}) {
        SCOPED_TRACE(TypeName(type));
        const std::unique_ptr<BarcodeProcessor> processor = MakeProcessor(type);
        ASSERT_NE(processor, nullptr);
        const bool isbn = type == kTypeISBN || type == kTypeISBNEAN;
        EXPECT_EQ(processor->HasOption(kBarcodeOptionCenterAlign), isbn);
        EXPECT_FALSE(processor->HasOption(kBarcodeOptionFont));
        EXPECT_FALSE(processor->HasOption(kBarcodeOptionFontScaling));
    }
}

}  // namespace
}  // namespace StriveloTest
