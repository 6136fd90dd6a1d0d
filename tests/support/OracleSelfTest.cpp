#include "ZXingOracle.h"
#include "ZintOracle.h"

#include <gmock/gmock.h>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

namespace {

using oracles::GreyImage;
using oracles::RenderModules;
using oracles::ZintModules;
using oracles::ZintSymbol;
using oracles::ZXingRead;
using oracles::ZXingResult;
using testing::HasSubstr;

// Bars of independently known structure: guard patterns, start and stop
// characters, whole add-ons.
struct RoundTrip {
    const char* name;
    const char* type;
    std::string data;
    std::vector<std::string> options;
    const char* format;
    std::string text;
    size_t width;
    const char* prefix;
    const char* suffix;
};

const char kCode128StartB[] = "11010010000";
const char kCode128Stop[] = "1100011101011";
const char kCode39Star[] = "100101101101";

// Text that zint puts all in set B: start, one character each, check, stop.
RoundTrip Code128B(const char* name, const std::string& data) {
    const size_t width = 11 * (data.size() + 3) + 2;
    return {name, "CODE128", data, {}, "Code128", data, width, kCode128StartB, kCode128Stop};
}

void PrintTo(const RoundTrip& c, std::ostream* os) {
    *os << c.name;
}

const RoundTrip kRoundTrips[] = {
    {"Ean13", "EANX", "400638133393", {}, "EAN-13", "4006381333931", 95, "101", "101"},
    // Default gap of 7, then the add-on "12": guard, 1 and 2 in set A with a
    // separator between.
    {"Ean13AddOn",
     "EANX",
     "400638133393+12",
     {},
     "EAN-13",
     "4006381333931 12",
     95 + 7 + 20,
     "101",
     "0000000"
     "1011"
     "0011001"
     "01"
     "0010011"},
    {"Ean8", "EANX", "1234567", {}, "EAN-8", "12345670", 67, "101", "101"},
    {"UpcA", "UPCA", "01234567890", {}, "UPC-A", "012345678905", 95, "101", "101"},
    {"UpcE", "UPCE", "0123456", {}, "UPC-E", "01234565", 51, "101", "010101"},
    Code128B("Code128", "Strivelo-128"),
    {"Itf14",
     "ITF14",
     "1234567890123",
     {},
     "ITF",
     "12345678901231",
     4 + 14 * 9 + 5,
     "1010",
     "11101"},
    {"Code39",
     "CODE39",
     "STRIVELO",
     {},
     "Code39",
     "STRIVELO",
     10 * 13 - 1,
     kCode39Star,
     kCode39Star},
    // --vers=1 appends the mod-43 check character: 192 mod 43 = 20 = 'K'.
    {"Code39Check",
     "CODE39",
     "STRIVELO",
     {"--vers=1"},
     "Code39",
     "STRIVELOK",
     11 * 13 - 1,
     kCode39Star,
     kCode39Star},
    // Start A, five digits of 9 modules, stop B, each 10 modules and narrow gaps.
    {"Codabar",
     "CODABAR",
     "A40156B",
     {},
     "Codabar",
     "A40156B",
     2 * 10 + 5 * 9 + 6,
     "1011001001",
     "1001001011"},
    // Must reach zint as one literal argument: neither a shell nor zint's own
    // option parsing may see it.
    Code128B("ShellMetacharacters", "\"; rm -rf / $(id) `id` | & > x '"),
    Code128B("OptionLookalike", "--barcode=EANX"),
};

class ZintToZXingTest : public testing::TestWithParam<RoundTrip> {};

TEST_P(ZintToZXingTest, BarsHaveTheirKnownShapeAndDecodeToTheData) {
    const RoundTrip& c = GetParam();
    const ZintSymbol symbol = ZintModules(c.type, c.data, c.options);
    ASSERT_EQ(symbol.error, "");
    ASSERT_EQ(symbol.rows.size(), 1u);
    const std::string& row = symbol.FirstRow();
    EXPECT_EQ(row.size(), c.width) << row;
    EXPECT_TRUE(row.starts_with(c.prefix)) << row;
    EXPECT_TRUE(row.ends_with(c.suffix)) << row;

    const GreyImage image = RenderModules(row, 2, 10, 40);
    for (const std::string& format : {std::string(c.format), std::string()}) {
        SCOPED_TRACE(format.empty() ? "any linear format" : format);
        const ZXingResult read = ZXingRead(image, format);
        EXPECT_EQ(read.error, "");
        EXPECT_EQ(read.text, c.text);
        EXPECT_EQ(read.format, c.format);
    }
}

INSTANTIATE_TEST_SUITE_P(Symbologies, ZintToZXingTest, testing::ValuesIn(kRoundTrips),
                         [](const testing::TestParamInfo<RoundTrip>& info) {
                             return std::string(info.param.name);
                         });

struct Refusal {
    const char* name;
    const char* type;
    const char* data;
    std::vector<std::string> options;
    const char* message;
};

const Refusal kRefusals[] = {
    {"BadCharacter", "EANX", "4006381333AB", {}, "Invalid character"},
    {"BadCheckDigit", "EANX_CHK", "4006381333932", {}, "Invalid check digit"},
    {"NoData", "CODE128", "", {}, "No input data"},
    {"UnknownTypeName", "NOSUCH", "1", {}, "Invalid barcode type"},
    // zint only warns and falls back to Code 128 unless warnings are errors.
    {"UnknownTypeNumber", "9999", "1", {}, "Symbology out of range"},
    {"OptionOutOfRange", "EANX", "400638133393+12", {"--addongap=99"}, "Add-on gap out of range"},
};

void PrintTo(const Refusal& c, std::ostream* os) {
    *os << c.name;
}

class ZintRefusalTest : public testing::TestWithParam<Refusal> {};

TEST_P(ZintRefusalTest, GivesZintsMessageAndNoModules) {
    const Refusal& c = GetParam();
    const ZintSymbol symbol = ZintModules(c.type, c.data, c.options);
    EXPECT_THAT(symbol.error, HasSubstr(c.message));
    EXPECT_TRUE(symbol.rows.empty());
}

INSTANTIATE_TEST_SUITE_P(BadInput, ZintRefusalTest, testing::ValuesIn(kRefusals),
                         [](const testing::TestParamInfo<Refusal>& info) {
                             return std::string(info.param.name);
                         });

void EncodeWithoutZintOnPath() {
    const char* path = std::getenv("PATH");
    const std::string saved = path != nullptr ? path : "";
    ::setenv("PATH", "/nonexistent", 1);
    ZintModules("EANX", "400638133393");
    ::setenv("PATH", saved.c_str(), 1);
}

// An expected refusal must not pass because zint is not there.
TEST(ZintOracleTest, MissingZintFailsTheTest) {
    EXPECT_NONFATAL_FAILURE(EncodeWithoutZintOnPath(), "zint not found on PATH");
}

TEST(ZXingOracleTest, FindsNothingThatIsNotThere) {
    const ZintSymbol ean13 = ZintModules("EANX", "400638133393");
    ASSERT_EQ(ean13.error, "");
    EXPECT_NE(ZXingRead(RenderModules(ean13.FirstRow(), 2, 10, 40), "Code128").error, "");
    EXPECT_NE(ZXingRead(RenderModules(std::string(95, '0'), 2, 10, 40)).error, "");
}

TEST(ZXingOracleTest, RendersDarkModulesBlackBetweenQuietZones) {
    const GreyImage image = RenderModules("110", 2, 1, 2);
    EXPECT_EQ(image.width, 10);
    EXPECT_EQ(image.height, 2);
    const std::vector<std::uint8_t> row = {255, 255, 0, 0, 0, 0, 255, 255, 255, 255};
    std::vector<std::uint8_t> both = row;
    both.insert(both.end(), row.begin(), row.end());
    EXPECT_EQ(image.pixels, both);
}

}  // namespace
