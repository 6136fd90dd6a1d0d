// The EAN/UPC family against independent tools: the bars module for module
// against zint, the rendered symbol read back by zxing-cpp.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "BarEdges.h"
#include "BarcodeProcessorEAN13.h"
#include "BarcodeProcessorUPCA.h"
#include "Drawing.h"
#include "EanUpcSupport.h"
#include "Symbols.h"
#include "ZXingOracle.h"
#include "ZintOracle.h"

namespace StriveloTest {
namespace {

using namespace Strivelo;

// zint's --dump has no quiet zones and rounds nothing, so the engine's bars
// are compared after rounding to whole modules, which takes away the
// engine's 1/13-module edge shift of digits 1, 2, 7 and 8. Our add-on gaps
// are 7 modules for EAN and 12 for UPC; zint is told the UPC ones.
const std::vector<std::string> kUpcAddOnGap = {"--addongap=12"};

struct OracleCase {
    const char* name;
    std::int32_t type;
    const char* code;
    const char* zintType;
    const char* zintData;
    std::vector<std::string> zintOptions;
    const char* zxingFormat;
    // What zxing-cpp reads: the digits and, after a blank, the add-on.
    const char* zxingText;
};

const OracleCase kOracleCases[] = {
    // Every row of the leading-digit sets.
    {.name = "Ean13Leading0",
     .type = kEAN13,
     .code = "0-123456-789012",
     .zintType = "EANX",
     .zintData = "012345678901",
     .zintOptions = {},
     .zxingFormat = "EAN-13",
     .zxingText = "0123456789012"},
    {.name = "Ean13Leading1",
     .type = kEAN13,
     .code = "1-123456-789011",
     .zintType = "EANX",
     .zintData = "112345678901",
     .zintOptions = {},
     .zxingFormat = "EAN-13",
     .zxingText = "1123456789011"},
    {.name = "Ean13Leading2",
     .type = kEAN13,
     .code = "2-123456-789010",
     .zintType = "EANX",
     .zintData = "212345678901",
     .zintOptions = {},
     .zxingFormat = "EAN-13",
     .zxingText = "2123456789010"},
    {.name = "Ean13Leading3",
     .type = kEAN13,
     .code = "3-123456-789019",
     .zintType = "EANX",
     .zintData = "312345678901",
     .zintOptions = {},
     .zxingFormat = "EAN-13",
     .zxingText = "3123456789019"},
    {.name = "Ean13Leading4",
     .type = kEAN13,
     .code = "4-006381-333931",
     .zintType = "EANX",
     .zintData = "400638133393",
     .zintOptions = {},
     .zxingFormat = "EAN-13",
     .zxingText = "4006381333931"},
    {.name = "Ean13Leading5",
     .type = kEAN13,
     .code = "5-123456-789017",
     .zintType = "EANX",
     .zintData = "512345678901",
     .zintOptions = {},
     .zxingFormat = "EAN-13",
     .zxingText = "5123456789017"},
    {.name = "Ean13Leading6",
     .type = kEAN13,
     .code = "6-123456-789016",
     .zintType = "EANX",
     .zintData = "612345678901",
     .zintOptions = {},
     .zxingFormat = "EAN-13",
     .zxingText = "6123456789016"},
    {.name = "Ean13Leading7",
     .type = kEAN13,
     .code = "7-123456-789015",
     .zintType = "EANX",
     .zintData = "712345678901",
     .zintOptions = {},
     .zxingFormat = "EAN-13",
     .zxingText = "7123456789015"},
    {.name = "Ean13Leading8",
     .type = kEAN13,
     .code = "8-123456-789014",
     .zintType = "EANX",
     .zintData = "812345678901",
     .zintOptions = {},
     .zxingFormat = "EAN-13",
     .zxingText = "8123456789014"},
    {.name = "Ean13Leading9",
     .type = kEAN13,
     .code = "9-123456-789013",
     .zintType = "EANX",
     .zintData = "912345678901",
     .zintOptions = {},
     .zxingFormat = "EAN-13",
     .zxingText = "9123456789013"},
    // Every row of the 2-digit add-on, by its value modulo 4.
    {.name = "Ean13AddOnMod4Is0",
     .type = kEAN13,
     .code = "5-901234-123457-12",
     .zintType = "EANX",
     .zintData = "590123412345+12",
     .zintOptions = {},
     .zxingFormat = "EAN-13",
     .zxingText = "5901234123457 12"},
    {.name = "Ean13AddOnMod4Is1",
     .type = kEAN13,
     .code = "5-901234-123457-13",
     .zintType = "EANX",
     .zintData = "590123412345+13",
     .zintOptions = {},
     .zxingFormat = "EAN-13",
     .zxingText = "5901234123457 13"},
    {.name = "Ean13AddOnMod4Is2",
     .type = kEAN13,
     .code = "5-901234-123457-14",
     .zintType = "EANX",
     .zintData = "590123412345+14",
     .zintOptions = {},
     .zxingFormat = "EAN-13",
     .zxingText = "5901234123457 14"},
    {.name = "Ean13AddOnMod4Is3",
     .type = kEAN13,
     .code = "5-901234-123457-15",
     .zintType = "EANX",
     .zintData = "590123412345+15",
     .zintOptions = {},
     .zxingFormat = "EAN-13",
     .zxingText = "5901234123457 15"},
    // Every row of the 5-digit add-on: 0000d has the check value 3d mod 10.
    {.name = "Ean13AddOnCheck0",
     .type = kEAN13,
     .code = "5-901234-123457-00000",
     .zintType = "EANX",
     .zintData = "590123412345+00000",
     .zintOptions = {},
     .zxingFormat = "EAN-13",
     .zxingText = "5901234123457 00000"},
    {.name = "Ean13AddOnCheck7",
     .type = kEAN13,
     .code = "5-901234-123457-00009",
     .zintType = "EANX",
     .zintData = "590123412345+00009",
     .zintOptions = {},
     .zxingFormat = "EAN-13",
     .zxingText = "5901234123457 00009"},
    {.name = "Ean13AddOnCheck4",
     .type = kEAN13,
     .code = "5-901234-123457-00008",
     .zintType = "EANX",
     .zintData = "590123412345+00008",
     .zintOptions = {},
     .zxingFormat = "EAN-13",
     .zxingText = "5901234123457 00008"},
    {.name = "Ean13AddOnCheck1",
     .type = kEAN13,
     .code = "5-901234-123457-00007",
     .zintType = "EANX",
     .zintData = "590123412345+00007",
     .zintOptions = {},
     .zxingFormat = "EAN-13",
     .zxingText = "5901234123457 00007"},
    {.name = "Ean13AddOnCheck8",
     .type = kEAN13,
     .code = "5-901234-123457-00006",
     .zintType = "EANX",
     .zintData = "590123412345+00006",
     .zintOptions = {},
     .zxingFormat = "EAN-13",
     .zxingText = "5901234123457 00006"},
    {.name = "Ean13AddOnCheck5",
     .type = kEAN13,
     .code = "5-901234-123457-00005",
     .zintType = "EANX",
     .zintData = "590123412345+00005",
     .zintOptions = {},
     .zxingFormat = "EAN-13",
     .zxingText = "5901234123457 00005"},
    {.name = "Ean13AddOnCheck2",
     .type = kEAN13,
     .code = "5-901234-123457-00004",
     .zintType = "EANX",
     .zintData = "590123412345+00004",
     .zintOptions = {},
     .zxingFormat = "EAN-13",
     .zxingText = "5901234123457 00004"},
    {.name = "Ean13AddOnCheck9",
     .type = kEAN13,
     .code = "5-901234-123457-00003",
     .zintType = "EANX",
     .zintData = "590123412345+00003",
     .zintOptions = {},
     .zxingFormat = "EAN-13",
     .zxingText = "5901234123457 00003"},
    {.name = "Ean13AddOnCheck6",
     .type = kEAN13,
     .code = "5-901234-123457-00002",
     .zintType = "EANX",
     .zintData = "590123412345+00002",
     .zintOptions = {},
     .zxingFormat = "EAN-13",
     .zxingText = "5901234123457 00002"},
    {.name = "Ean13AddOnCheck3",
     .type = kEAN13,
     .code = "5-901234-123457-00001",
     .zintType = "EANX",
     .zintData = "590123412345+00001",
     .zintOptions = {},
     .zxingFormat = "EAN-13",
     .zxingText = "5901234123457 00001"},
    {.name = "Ean13AddOn52495",
     .type = kEAN13,
     .code = "4-006381-333931-52495",
     .zintType = "EANX",
     .zintData = "400638133393+52495",
     .zintOptions = {},
     .zxingFormat = "EAN-13",
     .zxingText = "4006381333931 52495"},
    {.name = "Jan13",
     .type = kJAN13,
     .code = "4-512345-678906",
     .zintType = "EANX",
     .zintData = "451234567890",
     .zintOptions = {},
     .zxingFormat = "EAN-13",
     .zxingText = "4512345678906"},
    {.name = "Ean8",
     .type = kEAN8,
     .code = "9638-5074",
     .zintType = "EANX",
     .zintData = "9638507",
     .zintOptions = {},
     .zxingFormat = "EAN-8",
     .zxingText = "96385074"},
    {.name = "Ean8Other",
     .type = kEAN8,
     .code = "0123-4565",
     .zintType = "EANX",
     .zintData = "0123456",
     .zintOptions = {},
     .zxingFormat = "EAN-8",
     .zxingText = "01234565"},
    {.name = "Jan8",
     .type = kJAN8,
     .code = "4901-2347",
     .zintType = "EANX",
     .zintData = "4901234",
     .zintOptions = {},
     .zxingFormat = "EAN-8",
     .zxingText = "49012347"},
    {.name = "UpcA",
     .type = kUPCA,
     .code = "0-36000-29145-2",
     .zintType = "UPCA",
     .zintData = "03600029145",
     .zintOptions = {},
     .zxingFormat = "UPC-A",
     .zxingText = "036000291452"},
    {.name = "UpcANumberSystem1",
     .type = kUPCA,
     .code = "1-23456-78901-2",
     .zintType = "UPCA",
     .zintData = "12345678901",
     .zintOptions = {},
     .zxingFormat = "UPC-A",
     .zxingText = "123456789012"},
    {.name = "UpcASevens",
     .type = kUPCA,
     .code = "0-77777-77777-0",
     .zintType = "UPCA",
     .zintData = "07777777777",
     .zintOptions = {},
     .zxingFormat = "UPC-A",
     .zxingText = "077777777770"},
    // zxing-cpp looks for an add-on no further than 10 modules away and
    // reads the main symbol alone.
    {.name = "UpcAAddOn2",
     .type = kUPCA,
     .code = "0-36000-29145-2-12",
     .zintType = "UPCA",
     .zintData = "03600029145+12",
     .zintOptions = kUpcAddOnGap,
     .zxingFormat = "UPC-A",
     .zxingText = "036000291452"},
    {.name = "UpcAAddOn5",
     .type = kUPCA,
     .code = "0-36000-29145-2-52495",
     .zintType = "UPCA",
     .zintData = "03600029145+52495",
     .zintOptions = kUpcAddOnGap,
     .zxingFormat = "UPC-A",
     .zxingText = "036000291452"},
    // Each row of the zero suppression.
    {.name = "UpcELast1",
     .type = kUPCE,
     .code = "0-425261-4",
     .zintType = "UPCE",
     .zintData = "0425261",
     .zintOptions = {},
     .zxingFormat = "UPC-E",
     .zxingText = "04252614"},
    {.name = "UpcELast1Other",
     .type = kUPCE,
     .code = "0-654321-7",
     .zintType = "UPCE",
     .zintData = "0654321",
     .zintOptions = {},
     .zxingFormat = "UPC-E",
     .zxingText = "06543217"},
    {.name = "UpcELast3",
     .type = kUPCE,
     .code = "0-123453-1",
     .zintType = "UPCE",
     .zintData = "0123453",
     .zintOptions = {},
     .zxingFormat = "UPC-E",
     .zxingText = "01234531"},
    {.name = "UpcELast4",
     .type = kUPCE,
     .code = "0-123404-8",
     .zintType = "UPCE",
     .zintData = "0123404",
     .zintOptions = {},
     .zxingFormat = "UPC-E",
     .zxingText = "01234048"},
    {.name = "UpcELast5",
     .type = kUPCE,
     .code = "0-999995-4",
     .zintType = "UPCE",
     .zintData = "0999995",
     .zintOptions = {},
     .zxingFormat = "UPC-E",
     .zxingText = "09999954"},
    {.name = "UpcELast6",
     .type = kUPCE,
     .code = "0-123456-5",
     .zintType = "UPCE",
     .zintData = "0123456",
     .zintOptions = {},
     .zxingFormat = "UPC-E",
     .zxingText = "01234565"},
    {.name = "UpcELongForm",
     .type = kUPCE,
     .code = "0-12300-00045-1",
     .zintType = "UPCE",
     .zintData = "0123453",
     .zintOptions = {},
     .zxingFormat = "UPC-E",
     .zxingText = "01234531"},
    {.name = "UpcEAddOn",
     .type = kUPCE,
     .code = "0-123453-1-12",
     .zintType = "UPCE",
     .zintData = "0123453+12",
     .zintOptions = kUpcAddOnGap,
     .zxingFormat = "UPC-E",
     .zxingText = "01234531"},
};

void PrintTo(const OracleCase& c, std::ostream* os) {
    *os << c.name;
}

class OracleTest : public testing::TestWithParam<OracleCase> {};

TEST_P(OracleTest, BarsAreZintsModuleForModule) {
    const OracleCase& c = GetParam();
    const oracles::ZintSymbol zint = oracles::ZintModules(c.zintType, c.zintData, c.zintOptions);
    ASSERT_TRUE(zint.error.empty()) << zint.error;
    const Drawing drawn = Draw(*MakeSymbol({.type = c.type, .code = c.code}));
    ASSERT_TRUE(drawn.generated);
    EXPECT_EQ(drawn.Modules(kEanModuleMm), zint.FirstRow());
}

TEST_P(OracleTest, ZXingReadsTheRenderedSymbol) {
    const OracleCase& c = GetParam();
    const Drawing drawn = Draw(*MakeSymbol({.type = c.type, .code = c.code}));
    ASSERT_TRUE(drawn.generated);
    const oracles::ZXingResult read = oracles::ZXingRead(
        RenderBars(drawn.GetBars(), (kEanModuleMm * drawn.magnification), 3, 12, 60),
        c.zxingFormat);
    EXPECT_EQ(read.error, "");
    EXPECT_EQ(read.format, c.zxingFormat);
    EXPECT_EQ(read.text, c.zxingText);
}

INSTANTIATE_TEST_SUITE_P(Cases, OracleTest, testing::ValuesIn(kOracleCases), CaseName<OracleCase>);

// zint refuses a UPC-E whose digits are not those its UPC-A code
// suppresses to, and so does the engine, while zxing-cpp reads such bars
// (sets BBBAAA carry the check digit 0 of 0-12300-00000) as 01230040. The
// engine's decoding refuses them, so it never reports a short form that the
// display form contradicts.
TEST(OracleDifferenceTest, NonCanonicalUpcEIsRefusedWhereZXingReadsIt) {
    EXPECT_FALSE(oracles::ZintModules("UPCE", "0123004").error.empty());
    EXPECT_FALSE(BarcodeProcessorUPCE().IsCodeValid("0-123004-0"));
    const std::string modules = std::string("101") + "0110011" + "0011011" + "0100001" + "0001101" +
                                "0001101" + "0100011" + "010101";
    const oracles::ZXingResult read =
        oracles::ZXingRead(oracles::RenderModules(modules, 3, 12, 60), "UPC-E");
    EXPECT_EQ(read.text, "01230040");
    const std::vector<double> edges = EdgesFromBars(BarsFromModules(modules, kEanModuleMm));
    BarcodeProcessorUPCE processor;
    EXPECT_FALSE(processor.DecodeEdges(edges.data(), static_cast<std::uint32_t>(edges.size())));
}

}  // namespace
}  // namespace StriveloTest
