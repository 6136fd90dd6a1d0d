// ISBN, ISBN-EAN, ISSN and MS-7B against independent tools: the bars module
// for module against zint, the rendered symbol read by zxing-cpp, and zint's
// ISBN-10 check against the engine's.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>

#include "BarEdges.h"
#include "BookCodesSupport.h"
#include "M7LString.h"
#include "ZXingOracle.h"
#include "ZintOracle.h"

namespace StriveloTest {
namespace {

using namespace Strivelo;

// zint's --dump has no quiet zones, no text and no box; the engine's bars
// are compared rounded to whole modules, which takes away the engine's
// 1/13-module edge shift of digits 1, 2, 7 and 8. MS-7B has no zint type:
// its bars are the EAN-8 of its encoded form.
struct OracleCase {
    const char* name;
    std::int32_t type;
    const char* code;
    const char* zintType;
    const char* zintData;
    const char* zxingFormat;
    // The digits and, after a blank, the add-on.
    const char* zxingText;
};

const OracleCase kOracleCases[] = {
    {"Isbn", kTypeISBN, "3-16-148410-X", "ISBNX", "316148410X", "EAN-13", "9783161484100"},
    {"IsbnGroup0", kTypeISBN, "0-306-40615-2", "ISBNX", "0306406152", "EAN-13", "9780306406157"},
    {"IsbnAddOn", kTypeISBN, "3-16-148410-X-12345", "ISBNX", "316148410X+12345", "EAN-13",
     "9783161484100 12345"},
    {"IsbnEan", kTypeISBNEAN, "978-3-16-148410-0", "ISBNX", "9783161484100", "EAN-13",
     "9783161484100"},
    {"IsbnEan979", kTypeISBNEAN, "979-10-90636-07-1", "ISBNX", "9791090636071", "EAN-13",
     "9791090636071"},
    {"IsbnEan979Group8", kTypeISBNEAN, "979-8-9850000-1-6", "ISBNX", "9798985000016", "EAN-13",
     "9798985000016"},
    {"IsbnGroup600", kTypeISBN, "600-119-125-5", "ISBNX", "6001191255", "EAN-13", "9786001191251"},
    {"IsbnEanAddOn", kTypeISBNEAN, "978-3-16-148410-0-52495", "EANX", "978316148410+52495",
     "EAN-13", "9783161484100 52495"},
    {"Issn", kTypeISSN, "0317-8471", "EANX", "977031784700", "EAN-13", "9770317847001"},
    {"IssnVariant", kTypeISSN, "0317-8471(05)", "EANX", "977031784705", "EAN-13", "9770317847056"},
    {"IssnAddOn", kTypeISSN, "0317-8471-12", "EANX", "977031784700+12", "EAN-13",
     "9770317847001 12"},
    {"IssnCheckXVariantAddOn", kTypeISSN, "2434-561X(05)-12", "EANX", "977243456105+12", "EAN-13",
     "9772434561051 12"},
    {"Ms7b", kTypeMS7B, "1234565", "EANX", "0123456", "EAN-8", "01234565"},
};

void PrintTo(const OracleCase& c, std::ostream* os) {
    *os << c.name;
}

class BookOracleTest : public testing::TestWithParam<OracleCase> {};

BookDrawing DrawCase(const OracleCase& c) {
    const std::unique_ptr<BarcodeProcessor> processor = MakeBookProcessor(c.type, c.code);
    if (processor == nullptr) {
        return {};
    }
    BookDrawing drawing = DrawBook(*processor);
    EXPECT_TRUE(drawing.generated);
    return drawing;
}

TEST_P(BookOracleTest, BarsAreZintsModuleForModule) {
    const OracleCase& c = GetParam();
    const oracles::ZintSymbol zint = oracles::ZintModules(c.zintType, c.zintData);
    ASSERT_TRUE(zint.error.empty()) << zint.error;
    EXPECT_EQ(DrawCase(c).Modules(), zint.FirstRow());
}

TEST_P(BookOracleTest, ZXingReadsTheRenderedSymbol) {
    const OracleCase& c = GetParam();
    const BookDrawing drawing = DrawCase(c);
    const oracles::ZXingResult read =
        oracles::ZXingRead(RenderBars(drawing.bars, drawing.moduleMm, 3, 12, 60), c.zxingFormat);
    EXPECT_EQ(read.error, "");
    EXPECT_EQ(read.format, c.zxingFormat);
    EXPECT_EQ(read.text, c.zxingText);
}

INSTANTIATE_TEST_SUITE_P(Cases, BookOracleTest, testing::ValuesIn(kOracleCases),
                         CaseName<OracleCase>);

std::string WithoutHyphens(const std::string& text) {
    std::string digits;
    for (const char c : text) {
        if (c != '-') {
            digits += c;
        }
    }
    return digits;
}

// zint checks the ISBN-10 check character of what it encodes: it takes
// every ISBN the engine corrects and refuses the same digits with another
// check character, which the engine refuses too.
TEST(IsbnCheckOracleTest, ZintAgreesOnTheCheckCharacter) {
    for (const char* raw :
         {"316148410", "030640615", "097522980", "155860832", "207036024", "999015000", "186980000",
          "600119125", "809990000", "950990000", "655000000", "999399500", "063980000"}) {
        SCOPED_TRACE(raw);
        const std::unique_ptr<BarcodeProcessor> isbn = MakeBookProcessor(kTypeISBN);
        ASSERT_NE(isbn, nullptr);
        M7LString code(raw);
        ASSERT_TRUE(isbn->CorrectCode(code));
        const std::string corrected = code.CStr();
        EXPECT_TRUE(oracles::ZintModules("ISBNX", WithoutHyphens(corrected)).error.empty());
        std::string wrong = corrected;
        wrong.back() = wrong.back() == '0' ? '1' : '0';
        EXPECT_FALSE(oracles::ZintModules("ISBNX", WithoutHyphens(wrong)).error.empty()) << wrong;
        EXPECT_FALSE(isbn->IsCodeValid(wrong.c_str())) << wrong;
    }
}

// zint puts add-ons of either length on book and serial numbers; ISBN and
// ISBN-EAN carry only the 5-digit price add-on and ISSN only the 2-digit
// issue add-on, so such bars are an EAN-13 of the engine, not one of these.
TEST(BookOracleDifferenceTest, AddOnLengthsZintAcceptsAndTheClassesDoNot) {
    struct Difference {
        std::int32_t type;
        const char* code;
        const char* zintType;
        const char* zintData;
    };
    for (const Difference& d : {
             Difference{kTypeISBN, "3-16-148410-X-12", "ISBNX", "316148410X+12"},
             Difference{kTypeISBNEAN, "978-3-16-148410-0-12", "ISBNX", "9783161484100+12"},
             Difference{kTypeISSN, "0317-8471-12345", "EANX", "977031784700+12345"},
         }) {
        SCOPED_TRACE(d.code);
        EXPECT_TRUE(oracles::ZintModules(d.zintType, d.zintData).error.empty());
        const std::unique_ptr<BarcodeProcessor> processor = MakeBookProcessor(d.type);
        ASSERT_NE(processor, nullptr);
        EXPECT_FALSE(processor->IsCodeValid(d.code));
    }
}

}  // namespace
}  // namespace StriveloTest
