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
#include "Drawing.h"
#include "M7LString.h"
#include "Symbols.h"
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
    {.name = "Isbn",
     .type = kTypeISBN,
     .code = "3-16-148410-X",
     .zintType = "ISBNX",
     .zintData = "316148410X",
     .zxingFormat = "EAN-13",
     .zxingText = "9783161484100"},
    {.name = "IsbnGroup0",
     .type = kTypeISBN,
     .code = "0-306-40615-2",
     .zintType = "ISBNX",
     .zintData = "0306406152",
     .zxingFormat = "EAN-13",
     .zxingText = "9780306406157"},
    {.name = "IsbnAddOn",
     .type = kTypeISBN,
     .code = "3-16-148410-X-12345",
     .zintType = "ISBNX",
     .zintData = "316148410X+12345",
     .zxingFormat = "EAN-13",
     .zxingText = "9783161484100 12345"},
    {.name = "IsbnEan",
     .type = kTypeISBNEAN,
     .code = "978-3-16-148410-0",
     .zintType = "ISBNX",
     .zintData = "9783161484100",
     .zxingFormat = "EAN-13",
     .zxingText = "9783161484100"},
    {.name = "IsbnEan979",
     .type = kTypeISBNEAN,
     .code = "979-10-90636-07-1",
     .zintType = "ISBNX",
     .zintData = "9791090636071",
     .zxingFormat = "EAN-13",
     .zxingText = "9791090636071"},
    {.name = "IsbnEan979Group8",
     .type = kTypeISBNEAN,
     .code = "979-8-9850000-1-6",
     .zintType = "ISBNX",
     .zintData = "9798985000016",
     .zxingFormat = "EAN-13",
     .zxingText = "9798985000016"},
    {.name = "IsbnGroup600",
     .type = kTypeISBN,
     .code = "600-119-125-5",
     .zintType = "ISBNX",
     .zintData = "6001191255",
     .zxingFormat = "EAN-13",
     .zxingText = "9786001191251"},
    {.name = "IsbnEanAddOn",
     .type = kTypeISBNEAN,
     .code = "978-3-16-148410-0-52495",
     .zintType = "EANX",
     .zintData = "978316148410+52495",
     .zxingFormat = "EAN-13",
     .zxingText = "9783161484100 52495"},
    {.name = "Issn",
     .type = kTypeISSN,
     .code = "0317-8471",
     .zintType = "EANX",
     .zintData = "977031784700",
     .zxingFormat = "EAN-13",
     .zxingText = "9770317847001"},
    {.name = "IssnVariant",
     .type = kTypeISSN,
     .code = "0317-8471(05)",
     .zintType = "EANX",
     .zintData = "977031784705",
     .zxingFormat = "EAN-13",
     .zxingText = "9770317847056"},
    {.name = "IssnAddOn",
     .type = kTypeISSN,
     .code = "0317-8471-12",
     .zintType = "EANX",
     .zintData = "977031784700+12",
     .zxingFormat = "EAN-13",
     .zxingText = "9770317847001 12"},
    {.name = "IssnCheckXVariantAddOn",
     .type = kTypeISSN,
     .code = "2434-561X(05)-12",
     .zintType = "EANX",
     .zintData = "977243456105+12",
     .zxingFormat = "EAN-13",
     .zxingText = "9772434561051 12"},
    {.name = "Ms7b",
     .type = kTypeMS7B,
     .code = "1234565",
     .zintType = "EANX",
     .zintData = "0123456",
     .zxingFormat = "EAN-8",
     .zxingText = "01234565"},
};

void PrintTo(const OracleCase& c, std::ostream* os) {
    *os << c.name;
}

class BookOracleTest : public testing::TestWithParam<OracleCase> {};

TEST_P(BookOracleTest, BarsAreZintsModuleForModule) {
    const OracleCase& c = GetParam();
    const oracles::ZintSymbol zint = oracles::ZintModules(c.zintType, c.zintData);
    ASSERT_TRUE(zint.error.empty()) << zint.error;
    const Drawing drawing = Draw(*MakeSymbol({.type = c.type, .code = c.code}));
    EXPECT_TRUE(drawing.generated);
    EXPECT_EQ(drawing.Modules(kBookModuleMm), zint.FirstRow());
}

TEST_P(BookOracleTest, ZXingReadsTheRenderedSymbol) {
    const OracleCase& c = GetParam();
    const Drawing drawing = Draw(*MakeSymbol({.type = c.type, .code = c.code}));
    EXPECT_TRUE(drawing.generated);
    const oracles::ZXingResult read = oracles::ZXingRead(
        RenderBars(drawing.GetBars(), kBookModuleMm * drawing.magnification, 3, 12, 60),
        c.zxingFormat);
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
        const std::unique_ptr<BarcodeProcessor> isbn = MakeProcessor(kTypeISBN);
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
        const std::unique_ptr<BarcodeProcessor> processor = MakeProcessor(d.type);
        ASSERT_NE(processor, nullptr);
        EXPECT_FALSE(processor->IsCodeValid(d.code));
    }
}

}  // namespace
}  // namespace StriveloTest
