// Symbols made with the create tool, saved as SVG by the host, rendered at
// print resolution and read by two independent readers, zbar and zxing-cpp:
// each must read the data the symbol was made with, and a reader that does
// not know a type must not read it as something else.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "BarcodeFourCC.h"
#include "CaseName.h"
#include "PaletteScene.h"
#include "SvgWriter.h"
#include "TempFolder.h"
#include "ToolRun.h"

namespace {

using creationtest::PaletteScene;
using Strivelo::FourCC;

constexpr int kRenderDotsPerInch = 600;
// Wide and high enough for the widest and the highest symbol made at
// kSymbolOrigin.
constexpr float kPageWidthPoints = 620;
constexpr float kPageHeightPoints = 180;
constexpr host::RealPoint kSymbolOrigin{20, 50};
constexpr int kZbarFoundNothingStatus = 4;

// zbar reports add-ons only when asked, and UPC and ISBN under their own
// names rather than as the EAN-13 they are.
constexpr const char* kZbarCommand =
    "zbarimg --quiet -Sean2.enable -Sean5.enable -Supca.enable -Supce.enable -Sisbn13.enable";
// zxing-cpp 1.4 aborts on an assertion when its downscaled pass finds a
// linear symbol again, so it reads the image at its own scale only.
constexpr const char* kZxingCommand = "ZXingReader -noscale -1";

struct Case {
    const char* name;
    std::int32_t type;
    const char* code;
    const char* knownBy;  // which readers know the type
    // What each reader reads: "symbology data", one per symbol.
    std::vector<std::string> zbar;
    std::vector<std::string> zxing;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

// Neither reader knows Plessey, MSI or the Belgian pharmaceutical code (MSI
// with two checks). zbar reports Codabar's start and stop characters,
// zxing-cpp leaves them out. zbar reports an add-on as a symbol of its own;
// zxing-cpp appends it to the main symbol's data and also reports the main
// symbol alone from the lines that pass above the add-on's shorter bars. It
// looks for an add-on at most 10.5 modules after the main symbol, so it
// misses the add-on UPC places 12 modules after it (GS1 allows 9 to 12).
const Case kCases[] = {
    {"EAN8", FourCC("ean8"), "9638-5074", "zbar, zxing", {"EAN-8 96385074"}, {"EAN-8 96385074"}},
    {"EAN13",
     FourCC("eanD"),
     "4-006381-333931",
     "zbar, zxing",
     {"EAN-13 4006381333931"},
     {"EAN-13 4006381333931"}},
    {"EAN13AddOn2",
     FourCC("eanD"),
     "4-006381-333931-12",
     "zbar, zxing",
     {"EAN-13 4006381333931", "EAN-2 12"},
     {"EAN-13 4006381333931", "EAN-13 4006381333931 12"}},
    {"EAN13AddOn5",
     FourCC("eanD"),
     "4-006381-333931-54495",
     "zbar, zxing",
     {"EAN-13 4006381333931", "EAN-5 54495"},
     {"EAN-13 4006381333931", "EAN-13 4006381333931 54495"}},
    {"Code128",
     FourCC("c128"),
     "AB123456",
     "zbar, zxing",
     {"CODE-128 AB123456"},
     {"Code128 AB123456"}},
    {"UPCA",
     FourCC("upca"),
     "0-36000-29145-2",
     "zbar, zxing",
     {"UPC-A 036000291452"},
     {"UPC-A 036000291452"}},
    {"UPCAAddOn2",
     FourCC("upca"),
     "0-36000-29145-2-12",
     "zbar, zxing (not the add-on)",
     {"EAN-2 12", "UPC-A 036000291452"},
     {"UPC-A 036000291452"}},
    {"UPCE", FourCC("upce"), "0-123453-1", "zbar, zxing", {"UPC-E 01234531"}, {"UPC-E 01234531"}},
    {"UPCEAddOn2",
     FourCC("upce"),
     "0-123453-1-12",
     "zbar, zxing (not the add-on)",
     {"EAN-2 12", "UPC-E 01234531"},
     {"UPC-E 01234531"}},
    {"Interleaved2of5", FourCC("2of5"), "123456", "zbar, zxing", {"I2/5 123456"}, {"ITF 123456"}},
    {"GS1_128",
     FourCC("e128"),
     "(01)12345678901231(17)140704",
     "zbar, zxing",
     {"CODE-128 011234567890123117140704"},
     {"Code128 011234567890123117140704"}},
    {"Code39", FourCC("3of9"), "CODE39", "zbar, zxing", {"CODE-39 CODE39"}, {"Code39 CODE39"}},
    {"ITF14",
     FourCC("itff"),
     "10012345000017",
     "zbar, zxing",
     {"I2/5 10012345000017"},
     {"ITF 10012345000017"}},
    {"JAN8", FourCC("jan8"), "4512-3450", "zbar, zxing", {"EAN-8 45123450"}, {"EAN-8 45123450"}},
    {"JAN13",
     FourCC("janD"),
     "4-512345-678906",
     "zbar, zxing",
     {"EAN-13 4512345678906"},
     {"EAN-13 4512345678906"}},
    {"Plessey", FourCC("ples"), "1234", "neither", {}, {}},
    {"PlesseyCRC", FourCC("plec"), "108", "neither", {}, {}},
    {"MSIMod10", FourCC("msit"), "12344", "neither", {}, {}},
    {"MSIMod10Mod10", FourCC("msie"), "123430", "neither", {}, {}},
    {"MSIMod11Mod10", FourCC("msiq"), "123448", "neither", {}, {}},
    {"Codabar", FourCC("coda"), "A1234B", "zbar, zxing", {"Codabar A1234B"}, {"Codabar 1234"}},
    {"TraditionalCodabar",
     FourCC("codt"),
     "A1234B",
     "zbar, zxing",
     {"Codabar A1234B"},
     {"Codabar 1234"}},
    {"ISBN",
     FourCC("isbn"),
     "3-16-148410-X",
     "zbar, zxing",
     {"ISBN-13 9783161484100"},
     {"EAN-13 9783161484100"}},
    {"ISBNEAN",
     FourCC("isbe"),
     "978-3-16-148410-0",
     "zbar, zxing",
     {"ISBN-13 9783161484100"},
     {"EAN-13 9783161484100"}},
    {"ISBNEANAddOn5",
     FourCC("isbe"),
     "978-3-16-148410-0-51999",
     "zbar, zxing",
     {"EAN-5 51999", "ISBN-13 9783161484100"},
     {"EAN-13 9783161484100", "EAN-13 9783161484100 51999"}},
    {"ISBNDualNumbering",
     FourCC("isbd"),
     "978-3-16-148410-0",
     "zbar, zxing",
     {"ISBN-13 9783161484100"},
     {"EAN-13 9783161484100"}},
    {"BelgianPharma", FourCC("BePh"), "1234-566", "neither", {}, {}},
    {"ISSN",
     FourCC("issn"),
     "0317-8471",
     "zbar, zxing",
     {"EAN-13 9770317847001"},
     {"EAN-13 9770317847001"}},
    {"ISSNAddOn2",
     FourCC("issn"),
     "0317-8471-05",
     "zbar, zxing",
     {"EAN-13 9770317847001", "EAN-2 05"},
     {"EAN-13 9770317847001", "EAN-13 9770317847001 05"}},
    {"EAN13Coupon",
     FourCC("eCou"),
     "9-912345-678909 (8101)1 23456 7890",
     "zbar, zxing: both symbols",
     {"CODE-128 81011234567890", "EAN-13 9912345678909"},
     {"Code128 81011234567890", "EAN-13 9912345678909"}},
    {"UPCACoupon",
     FourCC("uCou"),
     "5-12345-67890-0 (8100)1 23456",
     "zbar, zxing: both symbols",
     {"CODE-128 8100123456", "UPC-A 512345678900"},
     {"Code128 8100123456", "UPC-A 512345678900"}},
    {"MS7B", FourCC("ms7b"), "1234565", "zbar, zxing", {"EAN-8 01234565"}, {"EAN-8 01234565"}},
};

// The symbols a reader reported, sorted and without repeats.
std::vector<std::string> Distinct(std::vector<std::string> found) {
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}

// zbar writes "SYMBOLOGY:data" per symbol and exits with 4 when it finds
// none.
std::vector<std::string> ZbarReads(const std::string& image) {
    const ToolRun run = RunTool(std::string(kZbarCommand) + " '" + image + "'");
    EXPECT_TRUE(run.status == 0 || run.status == kZbarFoundNothingStatus)
        << "zbarimg (zbar-tools, scripts/install-deps.sh) exit status " << run.status << ": "
        << run.errors;
    std::vector<std::string> found;
    std::istringstream lines(run.output);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t colon = line.find(':');
        EXPECT_NE(colon, std::string::npos) << line;
        if (colon != std::string::npos) {
            found.push_back(line.substr(0, colon) + ' ' + line.substr(colon + 1));
        }
    }
    return Distinct(found);
}

// ZXingReader writes "<image> <format> \"<data>\"" per symbol, or
// "<image> None".
std::vector<std::string> ZxingReads(const std::string& image) {
    const ToolRun run = RunTool(std::string(kZxingCommand) + " '" + image + "'");
    EXPECT_EQ(run.status, 0) << "ZXingReader (zxing-cpp-tools, scripts/install-deps.sh): "
                             << run.errors;
    std::vector<std::string> found;
    std::istringstream lines(run.output);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(image + ' ', 0) != 0) {
            ADD_FAILURE() << line;
            continue;
        }
        line.erase(0, image.size() + 1);
        const std::size_t quote = line.find(" \"");
        if (line == "None") {
            continue;
        }
        if (quote == std::string::npos || line.back() != '"') {
            ADD_FAILURE() << line;
            continue;
        }
        found.push_back(line.substr(0, quote) + ' ' +
                        line.substr(quote + 2, line.size() - quote - 3));
    }
    return Distinct(found);
}

class ForeignReaders : public testing::TestWithParam<Case> {};

TEST_P(ForeignReaders, ReadOurSavedSymbols) {
    const Case& c = GetParam();
    SCOPED_TRACE(c.knownBy);
    PaletteScene scene;
    const standin::DocumentId page =
        scene.store.OpenNew({"", kPageWidthPoints, kPageHeightPoints, {{"Ebene 1"}}});
    ASSERT_TRUE(scene.Ready(c.type, c.code));
    ASSERT_EQ(scene.Click(kSymbolOrigin), host::kNoError);
    ASSERT_EQ(scene.Beeps(), 0);
    ASSERT_EQ(scene.Modals(), std::vector<std::int32_t>{});

    const TempFolder folder;
    const std::string svg = folder / "symbol.svg";
    const std::string png = folder / "symbol.png";
    ASSERT_EQ(standin::SaveSvgDocument(scene.store, scene.host.Fonts(), page, svg), "");
    const std::string dpi = std::to_string(kRenderDotsPerInch);
    const ToolRun render =
        RunTool("rsvg-convert --dpi-x=" + dpi + " --dpi-y=" + dpi +
                " --background-color=white --format=png --output='" + png + "' '" + svg + "'");
    ASSERT_EQ(render.status, 0) << "rsvg-convert (librsvg2-bin, scripts/install-deps.sh): "
                                << render.errors;

    EXPECT_EQ(ZbarReads(png), Distinct(c.zbar));
    EXPECT_EQ(ZxingReads(png), Distinct(c.zxing));
    scene.Shutdown();
    scene.ExpectBalancedAndClean();
}

INSTANTIATE_TEST_SUITE_P(EveryType, ForeignReaders, testing::ValuesIn(kCases),
                         StriveloTest::CaseName<Case>);

}  // namespace
