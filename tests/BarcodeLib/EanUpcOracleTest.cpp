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
#include "EanUpcSupport.h"
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
    {"Ean13Leading0",
     kEAN13,
     "0-123456-789012",
     "EANX",
     "012345678901",
     {},
     "EAN-13",
     "0123456789012"},
    {"Ean13Leading1",
     kEAN13,
     "1-123456-789011",
     "EANX",
     "112345678901",
     {},
     "EAN-13",
     "1123456789011"},
    {"Ean13Leading2",
     kEAN13,
     "2-123456-789010",
     "EANX",
     "212345678901",
     {},
     "EAN-13",
     "2123456789010"},
    {"Ean13Leading3",
     kEAN13,
     "3-123456-789019",
     "EANX",
     "312345678901",
     {},
     "EAN-13",
     "3123456789019"},
    {"Ean13Leading4",
     kEAN13,
     "4-006381-333931",
     "EANX",
     "400638133393",
     {},
     "EAN-13",
     "4006381333931"},
    {"Ean13Leading5",
     kEAN13,
     "5-123456-789017",
     "EANX",
     "512345678901",
     {},
     "EAN-13",
     "5123456789017"},
    {"Ean13Leading6",
     kEAN13,
     "6-123456-789016",
     "EANX",
     "612345678901",
     {},
     "EAN-13",
     "6123456789016"},
    {"Ean13Leading7",
     kEAN13,
     "7-123456-789015",
     "EANX",
     "712345678901",
     {},
     "EAN-13",
     "7123456789015"},
    {"Ean13Leading8",
     kEAN13,
     "8-123456-789014",
     "EANX",
     "812345678901",
     {},
     "EAN-13",
     "8123456789014"},
    {"Ean13Leading9",
     kEAN13,
     "9-123456-789013",
     "EANX",
     "912345678901",
     {},
     "EAN-13",
     "9123456789013"},
    // Every row of the 2-digit add-on, by its value modulo 4.
    {"Ean13AddOnMod4Is0",
     kEAN13,
     "5-901234-123457-12",
     "EANX",
     "590123412345+12",
     {},
     "EAN-13",
     "5901234123457 12"},
    {"Ean13AddOnMod4Is1",
     kEAN13,
     "5-901234-123457-13",
     "EANX",
     "590123412345+13",
     {},
     "EAN-13",
     "5901234123457 13"},
    {"Ean13AddOnMod4Is2",
     kEAN13,
     "5-901234-123457-14",
     "EANX",
     "590123412345+14",
     {},
     "EAN-13",
     "5901234123457 14"},
    {"Ean13AddOnMod4Is3",
     kEAN13,
     "5-901234-123457-15",
     "EANX",
     "590123412345+15",
     {},
     "EAN-13",
     "5901234123457 15"},
    // Every row of the 5-digit add-on: 0000d has the check value 3d mod 10.
    {"Ean13AddOnCheck0",
     kEAN13,
     "5-901234-123457-00000",
     "EANX",
     "590123412345+00000",
     {},
     "EAN-13",
     "5901234123457 00000"},
    {"Ean13AddOnCheck7",
     kEAN13,
     "5-901234-123457-00009",
     "EANX",
     "590123412345+00009",
     {},
     "EAN-13",
     "5901234123457 00009"},
    {"Ean13AddOnCheck4",
     kEAN13,
     "5-901234-123457-00008",
     "EANX",
     "590123412345+00008",
     {},
     "EAN-13",
     "5901234123457 00008"},
    {"Ean13AddOnCheck1",
     kEAN13,
     "5-901234-123457-00007",
     "EANX",
     "590123412345+00007",
     {},
     "EAN-13",
     "5901234123457 00007"},
    {"Ean13AddOnCheck8",
     kEAN13,
     "5-901234-123457-00006",
     "EANX",
     "590123412345+00006",
     {},
     "EAN-13",
     "5901234123457 00006"},
    {"Ean13AddOnCheck5",
     kEAN13,
     "5-901234-123457-00005",
     "EANX",
     "590123412345+00005",
     {},
     "EAN-13",
     "5901234123457 00005"},
    {"Ean13AddOnCheck2",
     kEAN13,
     "5-901234-123457-00004",
     "EANX",
     "590123412345+00004",
     {},
     "EAN-13",
     "5901234123457 00004"},
    {"Ean13AddOnCheck9",
     kEAN13,
     "5-901234-123457-00003",
     "EANX",
     "590123412345+00003",
     {},
     "EAN-13",
     "5901234123457 00003"},
    {"Ean13AddOnCheck6",
     kEAN13,
     "5-901234-123457-00002",
     "EANX",
     "590123412345+00002",
     {},
     "EAN-13",
     "5901234123457 00002"},
    {"Ean13AddOnCheck3",
     kEAN13,
     "5-901234-123457-00001",
     "EANX",
     "590123412345+00001",
     {},
     "EAN-13",
     "5901234123457 00001"},
    {"Ean13AddOn52495",
     kEAN13,
     "4-006381-333931-52495",
     "EANX",
     "400638133393+52495",
     {},
     "EAN-13",
     "4006381333931 52495"},
    {"Jan13", kJAN13, "4-512345-678906", "EANX", "451234567890", {}, "EAN-13", "4512345678906"},
    {"Ean8", kEAN8, "9638-5074", "EANX", "9638507", {}, "EAN-8", "96385074"},
    {"Ean8Other", kEAN8, "0123-4565", "EANX", "0123456", {}, "EAN-8", "01234565"},
    {"Jan8", kJAN8, "4901-2347", "EANX", "4901234", {}, "EAN-8", "49012347"},
    {"UpcA", kUPCA, "0-36000-29145-2", "UPCA", "03600029145", {}, "UPC-A", "036000291452"},
    {"UpcANumberSystem1",
     kUPCA,
     "1-23456-78901-2",
     "UPCA",
     "12345678901",
     {},
     "UPC-A",
     "123456789012"},
    {"UpcASevens", kUPCA, "0-77777-77777-0", "UPCA", "07777777777", {}, "UPC-A", "077777777770"},
    // zxing-cpp looks for an add-on no further than 10 modules away and
    // reads the main symbol alone.
    {"UpcAAddOn2", kUPCA, "0-36000-29145-2-12", "UPCA", "03600029145+12", kUpcAddOnGap, "UPC-A",
     "036000291452"},
    {"UpcAAddOn5", kUPCA, "0-36000-29145-2-52495", "UPCA", "03600029145+52495", kUpcAddOnGap,
     "UPC-A", "036000291452"},
    // Each row of the zero suppression.
    {"UpcELast1", kUPCE, "0-425261-4", "UPCE", "0425261", {}, "UPC-E", "04252614"},
    {"UpcELast1Other", kUPCE, "0-654321-7", "UPCE", "0654321", {}, "UPC-E", "06543217"},
    {"UpcELast3", kUPCE, "0-123453-1", "UPCE", "0123453", {}, "UPC-E", "01234531"},
    {"UpcELast4", kUPCE, "0-123404-8", "UPCE", "0123404", {}, "UPC-E", "01234048"},
    {"UpcELast5", kUPCE, "0-999995-4", "UPCE", "0999995", {}, "UPC-E", "09999954"},
    {"UpcELast6", kUPCE, "0-123456-5", "UPCE", "0123456", {}, "UPC-E", "01234565"},
    {"UpcELongForm", kUPCE, "0-12300-00045-1", "UPCE", "0123453", {}, "UPC-E", "01234531"},
    {"UpcEAddOn", kUPCE, "0-123453-1-12", "UPCE", "0123453+12", kUpcAddOnGap, "UPC-E", "01234531"},
};

void PrintTo(const OracleCase& c, std::ostream* os) {
    *os << c.name;
}

class OracleTest : public testing::TestWithParam<OracleCase> {};

TEST_P(OracleTest, BarsAreZintsModuleForModule) {
    const OracleCase& c = GetParam();
    const oracles::ZintSymbol zint = oracles::ZintModules(c.zintType, c.zintData, c.zintOptions);
    ASSERT_TRUE(zint.error.empty()) << zint.error;
    const Drawn drawn = DrawEanUpc(c.type, c.code);
    ASSERT_TRUE(drawn.generated);
    EXPECT_EQ(drawn.Modules(), zint.FirstRow());
}

TEST_P(OracleTest, ZXingReadsTheRenderedSymbol) {
    const OracleCase& c = GetParam();
    const Drawn drawn = DrawEanUpc(c.type, c.code);
    ASSERT_TRUE(drawn.generated);
    const oracles::ZXingResult read =
        oracles::ZXingRead(RenderBars(drawn.bars, drawn.moduleMm, 3, 12, 60), c.zxingFormat);
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
    const std::vector<double> edges = EdgesFromBars(BarsFromModules(modules));
    BarcodeProcessorUPCE processor;
    EXPECT_FALSE(processor.DecodeEdges(edges.data(), static_cast<std::uint32_t>(edges.size())));
}

}  // namespace
}  // namespace StriveloTest
