#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "BarEdges.h"
#include "DecodedState.h"
#include "Drawing.h"
#include "ParameterCase.h"
#include "PlesseyCodabarTestSupport.h"
#include "Symbols.h"
#include "ZintOracle.h"

namespace StriveloTest {
namespace {

using Strivelo::BarcodeProcessor;
using Strivelo::FourCC;

// The bit cell at magnification 1.
constexpr double kCellMm = 1.016;

// Belgium-Pharma's two forms: the user's "DDDD-DDC" and the bars' eight
// digits.
struct FormCase {
    const char* name;
    bool toEncoded;
    const char* input;
    std::size_t capacity;
    const char* output;
};

const FormCase kFormCases[] = {
    {"UserToEncoded", true, "1234-566", 255, "12345666"},
    {"UserToEncodedExactCapacity", true, "1234-566", 8, "12345666"},
    {"UserToEncodedCapacityShort", true, "1234-566", 7, nullptr},
    {"UserWrongCheckStillMapped", true, "1234-567", 255, "12345674"},
    {"UserWithoutHyphen", true, "1234X566", 255, nullptr},
    {"UserHyphenElsewhere", true, "123-4566", 255, nullptr},
    {"UserTooLong", true, "1234-5666", 255, nullptr},
    {"UserTooShort", true, "1234-56", 255, nullptr},
    {"UserLetter", true, "1234-56a", 255, nullptr},
    {"EncodedToUser", false, "12345666", 255, "1234-566"},
    {"EncodedToUserExactCapacity", false, "12345666", 8, "1234-566"},
    {"EncodedToUserCapacityShort", false, "12345666", 7, nullptr},
    {"EncodedSevenDigits", false, "1234566", 255, nullptr},
    {"EncodedNineDigits", false, "123456660", 255, nullptr},
    {"EncodedLetter", false, "1234566A", 255, nullptr},
};

class BelgPharmaFormTest : public testing::TestWithParam<FormCase> {};

TEST_P(BelgPharmaFormTest, MapsOnlyTheExactForm) {
    const FormCase& c = GetParam();
    const std::unique_ptr<BarcodeProcessor> processor = MakeProcessor(kBePh);
    char out[BarcodeProcessor::kCodeCapacity + 1] = "untouched";
    const bool mapped = c.toEncoded ? processor->CodeToEncoded(c.input, out, c.capacity)
                                    : processor->EncodedToCode(c.input, out, c.capacity);
    ASSERT_EQ(mapped, c.output != nullptr);
    if (mapped) {
        EXPECT_STREQ(out, c.output);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, BelgPharmaFormTest, testing::ValuesIn(kFormCases),
                         CaseName<FormCase>);

TEST(BelgPharmaFormTest, CodeIsTheUserFormWithACorrectCheck) {
    const std::unique_ptr<BarcodeProcessor> processor = MakeProcessor(kBePh);
    EXPECT_TRUE(processor->IsCodeValid("1234-566"));
    EXPECT_FALSE(processor->IsCodeValid("1234-567"));
    EXPECT_FALSE(processor->IsCodeValid("12345666"));
    ASSERT_TRUE(processor->SetEncodedCode("12345666"));
    EXPECT_STREQ(processor->GetCode(), "1234-566");
    EXPECT_FALSE(processor->SetEncodedCode("1234566"));
    EXPECT_STREQ(processor->GetCode(), "1234-566");
}

// Limits at magnification 1: widening 0.42745098 x 1.016 / 2 = 0.2171451 mm,
// narrowing 0.174509804 x 1.016 / 2 = 0.0886510 mm; twice that at 2.
const std::vector<ParameterCase> kParameterCases = {
    {.name = "Nominal",
     .symbol = {.magnification = 1.0, .reductionMm = 0.0, .barHeightMm = 8.382},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true},
    {.name = "SmallestMagnification",
     .symbol = {.magnification = 0.625, .reductionMm = 0.0, .barHeightMm = 8.382},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true},
    {.name = "BelowSmallestMagnification",
     .symbol = {.magnification = 0.624, .reductionMm = 0.0, .barHeightMm = 8.382},
     .magnificationValid = false,
     .reductionValid = true,
     .heightValid = true},
    {.name = "LargestMagnification",
     .symbol = {.magnification = 2.0, .reductionMm = 0.0, .barHeightMm = 8.382},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true},
    {.name = "AboveLargestMagnification",
     .symbol = {.magnification = 2.001, .reductionMm = 0.0, .barHeightMm = 8.382},
     .magnificationValid = false,
     .reductionValid = true,
     .heightValid = true},
    {.name = "NarrowingAtLimit",
     .symbol = {.magnification = 1.0, .reductionMm = 0.0886509, .barHeightMm = 8.382},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true},
    {.name = "NarrowingBeyondLimit",
     .symbol = {.magnification = 1.0, .reductionMm = 0.0886511, .barHeightMm = 8.382},
     .magnificationValid = true,
     .reductionValid = false,
     .heightValid = true},
    {.name = "WideningAtLimit",
     .symbol = {.magnification = 1.0, .reductionMm = -0.217145, .barHeightMm = 8.382},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true},
    {.name = "WideningBeyondLimit",
     .symbol = {.magnification = 1.0, .reductionMm = -0.217146, .barHeightMm = 8.382},
     .magnificationValid = true,
     .reductionValid = false,
     .heightValid = true},
    {.name = "NarrowingScalesWithMagnification",
     .symbol = {.magnification = 2.0, .reductionMm = 0.177301, .barHeightMm = 8.382},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true},
    {.name = "WideningScalesWithMagnification",
     .symbol = {.magnification = 2.0, .reductionMm = -0.434291, .barHeightMm = 8.382},
     .magnificationValid = true,
     .reductionValid = false,
     .heightValid = true},
    {.name = "HeightWithinTolerance",
     .symbol = {.magnification = 1.0, .reductionMm = 0.0, .barHeightMm = 8.3403},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true},
    {.name = "HeightBelowTolerance",
     .symbol = {.magnification = 1.0, .reductionMm = 0.0, .barHeightMm = 8.3402},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = false},
    {.name = "HeightDoesNotScale",
     .symbol = {.magnification = 2.0, .reductionMm = 0.0, .barHeightMm = 8.3403},
     .magnificationValid = true,
     .reductionValid = true,
     .heightValid = true},
};

// The family's limits, the same for each of its symbologies.
INSTANTIATE_TEST_SUITE_P(Plessey, ParameterCaseTest,
                         testing::ValuesIn(OfType(kParameterCases, kPles)),
                         CaseName<ParameterCase>);
INSTANTIATE_TEST_SUITE_P(Msi, ParameterCaseTest, testing::ValuesIn(OfType(kParameterCases, kMsit)),
                         CaseName<ParameterCase>);
INSTANTIATE_TEST_SUITE_P(BelgPharma, ParameterCaseTest,
                         testing::ValuesIn(OfType(kParameterCases, kBePh)),
                         CaseName<ParameterCase>);

TEST(PlesseyOptionTest, OffersFontAndCentring) {
    for (const std::int32_t type : {kPlec, kPles, kBePh, kMsiq, kMsie, kMsit}) {
        const std::unique_ptr<BarcodeProcessor> processor = MakeProcessor(type);
        EXPECT_TRUE(processor->HasOption(FourCC("FONT"))) << TypeName(type);
        EXPECT_TRUE(processor->HasOption(FourCC("FCAL"))) << TypeName(type);
        for (const std::int32_t other :
             {FourCC("FSCL"), FourCC("W2NR"), FourCC("BBAR"), FourCC("BEBB")}) {
            EXPECT_FALSE(processor->HasOption(other)) << TypeName(type) << " " << TypeName(other);
        }
    }
}

// Plessey "0": start 1101, data 0000, stop 1001 and the closing bar, one bar
// at the start of every cell from the 4X quiet zone on.
TEST(PlesseyGeometryTest, ZeroHasItsKnownBars) {
    const std::unique_ptr<BarcodeProcessor> processor = MakeSymbol({.type = kPles, .code = "0"});
    const std::vector<RecordedBar> bars = Draw(*processor).GetBars();
    ASSERT_EQ(bars.size(), 13u);
    const double expected[][2] = {{4.064, 4.6457098}, {5.080, 5.6617098}, {6.096, 6.2733020},
                                  {7.112, 7.6937098}, {8.128, 8.3053020}, {16.256, 16.8377098}};
    const std::size_t indices[] = {0, 1, 2, 3, 4, 12};
    for (std::size_t i = 0; i < std::size(indices); ++i) {
        EXPECT_NEAR(bars[indices[i]].left, expected[i][0], 1e-6) << "bar " << indices[i];
        EXPECT_NEAR(bars[indices[i]].right, expected[i][1], 1e-6) << "bar " << indices[i];
        EXPECT_EQ(bars[indices[i]].bottom, 0.0);
        EXPECT_NEAR(bars[indices[i]].top, 8.382, 1e-12);
    }
    EXPECT_NEAR(processor->GetTotalWidth(), 20.32, 1e-9);
    EXPECT_NEAR(processor->ComputeWidth(), 20.32, 1e-9);
}

// One letter per bar: wide for a 1 bit.
std::string BarBits(const std::vector<RecordedBar>& bars, double cellMm) {
    std::string bits;
    for (const RecordedBar& bar : bars) {
        bits += bar.right - bar.left > cellMm / 2.0 ? '1' : '0';
    }
    return bits;
}

TEST(PlesseyGeometryTest, MsiWritesBitsMostSignificantFirst) {
    const std::unique_ptr<BarcodeProcessor> processor =
        MakeSymbol({.type = kMsit, .code = "12345674", .magnification = 0.8});
    const std::vector<RecordedBar> bars = Draw(*processor).GetBars();
    EXPECT_EQ(BarBits(bars, 0.8 * kCellMm),
              "1"
              "0001"
              "0010"
              "0011"
              "0100"
              "0101"
              "0110"
              "0111"
              "0100"
              "00");
    EXPECT_NEAR(processor->GetTotalWidth(), 43 * 0.8 * kCellMm, 1e-9);
}

TEST(PlesseyGenerateTest, RefusesWithoutAUsableModule) {
    const std::unique_ptr<BarcodeProcessor> processor =
        MakeSymbol({.type = kMsit, .code = "12344", .magnification = 0.0});
    const Drawing drawing = Draw(*processor);
    EXPECT_FALSE(drawing.generated);
    EXPECT_TRUE(drawing.GetCalls().empty());
    EXPECT_EQ(processor->ComputeWidth(), -1.0);
}

TEST(PlesseyDecodeTest, OneCharacterNeedsTwentySixEdges) {
    const std::vector<double> edges = EdgesFromBars(
        Draw(*MakeSymbol({.type = kPles, .code = "1", .magnification = 1.5, .reductionMm = 0.05}))
            .GetBars(),
        {.offsetMm = 20.0});
    ASSERT_EQ(edges.size(), 26u);
    const std::unique_ptr<BarcodeProcessor> reader = MakeProcessor(kPles);
    EXPECT_FALSE(reader->DecodeEdges(edges.data(), 24));
    EXPECT_TRUE(MeasuredEdges(*reader).empty());
    ASSERT_TRUE(reader->DecodeEdges(edges.data(), 26));
    EXPECT_STREQ(reader->GetCode(), "1");
    EXPECT_NEAR(reader->GetMagnification(), 1.5, 1e-12);
    EXPECT_NEAR(reader->GetBarWidthReduction(), 0.05, 1e-12);
    EXPECT_NEAR(reader->GetMaxDeviation(), 0.0, 1e-12);
    EXPECT_EQ(reader->GetHeightBarEdge(), 0);
    std::int32_t first = -1, last = -1;
    ASSERT_TRUE(reader->GetSymbolEdgeRange(&first, &last));
    EXPECT_EQ(first, 0);
    EXPECT_EQ(last, 25);
}

struct NibbleCase {
    const char* name;
    // Which of the four data bars of Plessey "0" are drawn wide.
    const char* bits;
    const char* code;
};

// Bits in drawing order, least significant first; values above 9 spell
// hexadecimal letters, which no class here accepts.
const NibbleCase kNibbleCases[] = {
    {"Five", "1010", "5"},
    {"Nine", "1001", "9"},
    {"Ten", "0101", nullptr},
    {"Fifteen", "1111", nullptr},
};

class PlesseyNibbleTest : public testing::TestWithParam<NibbleCase> {};

TEST_P(PlesseyNibbleTest, ReadsDigitsOnly) {
    const NibbleCase& c = GetParam();
    std::vector<RecordedBar> bars = Draw(*MakeSymbol({.type = kPles, .code = "0"})).GetBars();
    for (int i = 0; i < 4; ++i) {
        if (c.bits[i] == '1') {
            RecordedBar& bar = bars[4 + i];
            bar.right = bar.left + 0.57254902 * kCellMm;
        }
    }
    const std::vector<double> edges = EdgesFromBars(bars);
    const std::unique_ptr<BarcodeProcessor> reader = MakeProcessor(kPles);
    ASSERT_EQ(reader->DecodeEdges(edges.data(), 26), c.code != nullptr);
    EXPECT_STREQ(reader->GetCode(), c.code == nullptr ? "" : c.code);
}

INSTANTIATE_TEST_SUITE_P(Cases, PlesseyNibbleTest, testing::ValuesIn(kNibbleCases),
                         CaseName<NibbleCase>);

struct ForeignCase {
    const char* name;
    std::int32_t drawnType;
    const char* code;
    std::int32_t readerType;
};

// Bars of one symbology that another of the family must not read.
const ForeignCase kForeignCases[] = {
    {"Mod10ReadAsMod10Mod10", kMsit, "12344", kMsiq},
    {"Mod10Mod10ReadAsMod11", kMsiq, "123448", kMsie},
    {"SevenDigitMod10ReadAsBelgPharma", kMsit, "1234566", kBePh},
    {"NineDigitMod10Mod10ReadAsBelgPharma", kMsiq, "123456741", kBePh},
    {"PlesseyReadAsPlesseyCrc", kPles, "1234", kPlec},
    {"MsiReadAsPlessey", kMsit, "12344", kPles},
    {"PlesseyReadAsMsi", kPles, "1234", kMsit},
};

class PlesseyForeignTest : public testing::TestWithParam<ForeignCase> {};

TEST_P(PlesseyForeignTest, IsNotRead) {
    const ForeignCase& c = GetParam();
    const std::vector<double> edges =
        EdgesFromBars(Draw(*MakeSymbol({.type = c.drawnType, .code = c.code})).GetBars());
    const std::unique_ptr<BarcodeProcessor> reader = MakeProcessor(c.readerType);
    EXPECT_FALSE(reader->DecodeEdges(edges.data(), static_cast<std::uint32_t>(edges.size())));
    EXPECT_STREQ(reader->GetCode(), "");
    EXPECT_EQ(reader->GetBarWidthReduction(), 0.0);
    EXPECT_EQ(reader->GetMagnification(), 1.0);
}

INSTANTIATE_TEST_SUITE_P(Cases, PlesseyForeignTest, testing::ValuesIn(kForeignCases),
                         CaseName<ForeignCase>);

// The refused reading has the same edge count and gets as far as the code;
// it must leave everything of the earlier one.
TEST(PlesseyDecodeTest, RefusedReadingLeavesTheProcessorAlone) {
    const std::vector<double> good = EdgesFromBars(
        Draw(*MakeSymbol({.type = kPlec, .code = "108", .magnification = 1.2, .reductionMm = 0.03}))
            .GetBars());
    const std::vector<double> wrongCheck = EdgesFromBars(
        Draw(
            *MakeSymbol({.type = kPles, .code = "109", .magnification = 0.7, .reductionMm = -0.05}))
            .GetBars(),
        {.backwards = true, .offsetMm = 40.0});
    ASSERT_EQ(good.size(), wrongCheck.size());
    const std::unique_ptr<BarcodeProcessor> reader = MakeProcessor(kPlec);
    ASSERT_TRUE(reader->DecodeEdges(good.data(), static_cast<std::uint32_t>(good.size())));
    const std::vector<double> measured = MeasuredEdges(*reader);
    const std::vector<double> ideal = IdealEdges(*reader);
    const double reduction = reader->GetBarWidthReduction();
    const double deviation = reader->GetMeanDeviation();
    EXPECT_FALSE(
        reader->DecodeEdges(wrongCheck.data(), static_cast<std::uint32_t>(wrongCheck.size())));
    EXPECT_STREQ(reader->GetCode(), "108");
    EXPECT_EQ(reader->GetBarWidthReduction(), reduction);
    EXPECT_NEAR(reader->GetMagnification(), 1.2, 1e-12);
    EXPECT_EQ(MeasuredEdges(*reader), measured);
    EXPECT_EQ(IdealEdges(*reader), ideal);
    EXPECT_EQ(reader->GetMeanDeviation(), deviation);
    EXPECT_FALSE(reader->IsReadReversed());
}

// zint draws MSI with a bit cell of three modules, a 1 bit two dark modules
// and a 0 bit one. Ours are 0.5725 and 0.1745 of the cell, which round to the
// same modules at a third of the cell, start and stop bars included.
struct MsiZintCase {
    const char* name;
    std::int32_t type;
    const char* code;
    double magnification;
    const char* zintData;
    const char* zintVersion;
};

const MsiZintCase kMsiZintCases[] = {
    {"Mod10", kMsit, "12344", 1.0, "1234", "--vers=1"},
    {"Mod10SevenDigits", kMsit, "12345674", 0.625, "1234567", "--vers=1"},
    {"Mod10Nines", kMsit, "99999999990", 2.0, "9999999999", "--vers=1"},
    {"Mod10Mod10", kMsiq, "12345666", 1.0, "123456", "--vers=2"},
    {"Mod10Mod10SevenDigits", kMsiq, "123456741", 1.0, "1234567", "--vers=2"},
    {"Mod11Mod10", kMsie, "123430", 1.0, "1234", "--vers=4"},
    {"Mod11Mod10Nines", kMsie, "999999999959", 1.5, "9999999999", "--vers=4"},
    {"BelgPharma", kBePh, "1234-566", 1.0, "123456", "--vers=2"},
    // zint writes a mod 11 check of 10 as the two digits "10"; our MSI-Mod11
    // has no check for "2211" (CorrectCode refuses it), but the same bars are
    // a valid MSI-Mod10 symbol.
    {"Mod11OfTenIsMod10Here", kMsit, "2211100", 1.0, "2211", "--vers=4"},
};

class MsiZintTest : public testing::TestWithParam<MsiZintCase> {};

TEST_P(MsiZintTest, BarsEqualZintsModules) {
    const MsiZintCase& c = GetParam();
    const std::vector<RecordedBar> bars =
        Draw(*MakeSymbol({.type = c.type, .code = c.code, .magnification = c.magnification}))
            .GetBars();
    const oracles::ZintSymbol zint =
        oracles::ZintModules("MSI_PLESSEY", c.zintData, {c.zintVersion});
    ASSERT_TRUE(zint.error.empty()) << zint.error;
    EXPECT_EQ(ModuleString(bars, c.magnification * kCellMm / 3.0), zint.FirstRow());
}

INSTANTIATE_TEST_SUITE_P(Cases, MsiZintTest, testing::ValuesIn(kMsiZintCases),
                         CaseName<MsiZintCase>);

// zint's Plessey cell is four modules, a 1 bit three dark modules and a 0 bit
// one, and it always appends the published 8-bit CRC as two hexadecimal
// characters. Our bars are 0.5725 and 0.1745 of the cell and Plessey-CRC's
// two checks are decimal digits of its own 16-bit CRC. So the start and data
// cells are compared bit for bit, zint's check cells are read into the row
// beside our code (they agree only by chance, as for "0"), and the stop bars
// by their widths: zint spaces the stop's narrow bars irregularly, we keep
// one bar a cell.
struct PlesseyZintCase {
    const char* name;
    std::int32_t type;
    const char* code;
    const char* zintData;
    const char* zintChecks;
};

const PlesseyZintCase kPlesseyZintCases[] = {
    {"Digit", kPles, "1", "1", "73"},
    {"TenDigits", kPles, "0123456789", "0123456789", "5D"},
    {"CrcDigit", kPlec, "108", "1", "73"},
    {"CrcZeroAgrees", kPlec, "000", "0", "00"},
    {"CrcTenDigits", kPlec, "012345678946", "0123456789", "5D"},
};

constexpr int kZintPlesseyCellModules = 4;

// The bits of zint's regular cells, '?' for a cell of another shape.
std::string ZintPlesseyBits(const std::string& row, std::size_t cells) {
    std::string bits;
    for (std::size_t i = 0; i < cells; ++i) {
        const std::string cell = row.substr(i * kZintPlesseyCellModules, kZintPlesseyCellModules);
        bits += cell == "1110" ? '1' : cell == "1000" ? '0' : '?';
    }
    return bits;
}

// Four bits a character, least significant first.
std::string PlesseyCharacters(const std::string& bits) {
    std::string characters;
    for (std::size_t i = 0; i + 4 <= bits.size(); i += 4) {
        int value = 0;
        for (int j = 0; j < 4; ++j) {
            value |= (bits[i + j] == '1') << j;
        }
        characters += "0123456789ABCDEF"[value];
    }
    return characters;
}

class PlesseyZintTest : public testing::TestWithParam<PlesseyZintCase> {};

TEST_P(PlesseyZintTest, StartAndDataEqualZintsCells) {
    const PlesseyZintCase& c = GetParam();
    const std::vector<RecordedBar> bars =
        Draw(*MakeSymbol({.type = c.type, .code = c.code})).GetBars();
    const oracles::ZintSymbol zint = oracles::ZintModules("PLESSEY", c.zintData);
    ASSERT_TRUE(zint.error.empty()) << zint.error;
    const std::string& row = zint.FirstRow();
    const std::size_t dataLength = std::string(c.zintData).size();
    const std::size_t zintCells = 4 + 4 * (dataLength + 2);
    const std::string zintBits = ZintPlesseyBits(row, zintCells);
    const std::string ourBits = BarBits(bars, kCellMm);
    const std::size_t dataCells = 4 + 4 * dataLength;
    EXPECT_EQ(ourBits.substr(0, dataCells), zintBits.substr(0, dataCells));
    for (std::size_t i = 0; i < bars.size(); ++i) {
        EXPECT_NEAR(bars[i].left, 4 * kCellMm + i * kCellMm, 1e-9) << "bar " << i;
    }
    EXPECT_EQ(PlesseyCharacters(zintBits.substr(4)).substr(dataLength), c.zintChecks);
    // The bars of the stop and the closing bar, every other run.
    const std::string zintRuns = RunLetters(row.substr(zintCells * kZintPlesseyCellModules), 2);
    std::string zintStop;
    for (std::size_t i = 0; i < zintRuns.size(); i += 2) {
        zintStop += zintRuns[i];
    }
    EXPECT_EQ(zintStop, "WNNWW");
    std::string ourStop;
    for (const char bit : ourBits.substr(ourBits.size() - zintStop.size())) {
        ourStop += bit == '1' ? 'W' : 'N';
    }
    EXPECT_EQ(ourStop, zintStop);
}

INSTANTIATE_TEST_SUITE_P(Cases, PlesseyZintTest, testing::ValuesIn(kPlesseyZintCases),
                         CaseName<PlesseyZintCase>);

}  // namespace
}  // namespace StriveloTest
