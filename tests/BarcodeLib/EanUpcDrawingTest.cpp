// What the EAN/UPC family draws: bars, guards, add-ons, text and frame.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "BarcodeProcessorEAN13.h"
#include "BarcodeProcessorMixIn_Font.h"
#include "BarcodeProcessorUPCA.h"
#include "Drawing.h"
#include "EanUpcSupport.h"
#include "RecordingGenerator.h"
#include "Symbols.h"

namespace StriveloTest {
namespace {

using namespace Strivelo;
using Kind = RecordedCall::Kind;

const std::string kEan13Modules =
    "10100011010100111010111101111010001001011001101010100001010000101000010111010010000101100110"
    "101";
const std::string kEan8Modules =
    "1010001011010111101111010110111010101001110111001010001001011100101";
const std::string kUpcEModules = "101011001100100110111101001110101110010101111010101";
const std::string kUpcAModules =
    "10100011010011001001001101111010100011011000101010111001011100101110010111001010100001001110"
    "101";

struct ModulesCase {
    const char* name;
    std::int32_t type;
    const char* code;
    std::string modules;
};

// The add-ons: guard 1011, digits of the row's sets parted by 01.
const ModulesCase kModulesCases[] = {
    {"Ean13", kEAN13, "4-006381-333931", kEan13Modules},
    {"Ean8", kEAN8, "9638-5074", kEan8Modules},
    {"UpcEOfNumberSystemRow", kUPCE, "0-123456-5", kUpcEModules},
    {"UpcAItExpandsTo", kUPCA, "0-12345-00006-5", kUpcAModules},
    {"Ean13AddOnRowAA", kEAN13, "4-006381-333931-12",
     kEan13Modules + "0000000" + "10110011001010010011"},
    {"Ean13AddOnRowAB", kEAN13, "4-006381-333931-13",
     kEan13Modules + "0000000" + "10110011001010100001"},
    {"Ean13AddOnRowBABAA", kEAN13, "4-006381-333931-52495",
     kEan13Modules + "0000000" + "10110111001010010011010011101010001011010110001"},
    {"Ean13AddOnRowBBAAA", kEAN13, "4-006381-333931-00000",
     kEan13Modules + "0000000" + "10110100111010100111010001101010001101010001101"},
    {"UpcAAddOnTwelveModulesAway", kUPCA, "0-12345-00006-5-12",
     kUpcAModules + "000000000000" + "10110011001010010011"},
    {"UpcEAddOnTwelveModulesAway", kUPCE, "0-123456-5-12",
     kUpcEModules + "000000000000" + "10110011001010010011"},
};

class ModulesTest : public testing::TestWithParam<ModulesCase> {};

TEST_P(ModulesTest, DrawsTheKnownBars) {
    const ModulesCase& c = GetParam();
    const Drawing drawn = Draw(*MakeSymbol({.type = c.type, .code = c.code}));
    ASSERT_TRUE(drawn.generated);
    EXPECT_EQ(drawn.Modules(kEanModuleMm), c.modules);
}

INSTANTIATE_TEST_SUITE_P(Cases, ModulesTest, testing::ValuesIn(kModulesCases),
                         CaseName<ModulesCase>);

// A character of the human-readable line: its centre in modules, its size
// as a factor of the main text size, and whether it stands above the add-on.
struct TextAt {
    char character;
    double centreModules;
    double sizeFactor;
    bool addOn;
};

std::vector<TextAt> Line(const char* digits, double firstCentreModules, double pitchModules = 7,
                         bool addOn = false) {
    std::vector<TextAt> line;
    for (int j = 0; digits[j] != '\0'; ++j) {
        line.push_back({digits[j], firstCentreModules + pitchModules * j, 1.0, addOn});
    }
    return line;
}

std::vector<TextAt> Join(std::vector<std::vector<TextAt>> parts) {
    std::vector<TextAt> all;
    for (const std::vector<TextAt>& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

std::vector<TextAt> Outer(char character, double centreModules) {
    return {{character, centreModules, 0.75, false}};
}

// What every symbol of a type has in common.
struct TypeLayout {
    const char* font;
    double textSizeMm;
    double firstBarModules;
    // The bars (counted from the left) that reach down below the others.
    std::vector<int> longBars;
    int mainBars;
    bool leftMark;
};

const TypeLayout kEan13Layout{"TestFont", 2.8, 11, {0, 1, 14, 15, 28, 29}, 30, false};
const TypeLayout kEan8Layout{"TestFont", 2.8, 7, {0, 1, 10, 11, 20, 21}, 22, true};
const TypeLayout kUpcALayout{"OCRB", 2.7432, 9, {0, 1, 2, 3, 14, 15, 26, 27, 28, 29}, 30, false};
const TypeLayout kUpcELayout{"OCRB", 2.7432, 9, {0, 1, 14, 15, 16}, 17, false};

// Add-on digits are centred over their digit boxes, which begin 4 modules
// after the add-on's start and 9 apart; the EAN-13 add-on starts at 113
// modules, the UPC-A one at 116 and the UPC-E one at 72.
const std::vector<TextAt> kEan13Text =
    Join({Line("4", 3.5), Line("006381", 17.5), Line("333931", 64.5)});
const std::vector<TextAt> kEan13AddOnText = Join({Line("12", 113 + 7.5, 9, true), kEan13Text});
const std::vector<TextAt> kEan8Text = Join({Line("9638", 13.5), Line("5074", 46.5)});
const std::vector<TextAt> kUpcAText =
    Join({Outer('0', 2), Line("36000", 22.5), Line("29145", 62.5), Outer('2', 111)});
const std::vector<TextAt> kUpcAAddOnText =
    Join({Line("12345", 116 + 7.5, 9, true), Outer('0', 2), Line("36000", 22.5),
          Line("29145", 62.5), Outer('2', 108.5)});
const std::vector<TextAt> kUpcEText = Join({Outer('0', 2), Line("123453", 15.5), Outer('1', 67)});
const std::vector<TextAt> kUpcEAddOnText =
    Join({Line("12", 72 + 7.5, 9, true), Outer('0', 2), Line("123453", 15.5), Outer('1', 64.5)});

struct LayoutCase {
    const char* name;
    std::int32_t type;
    const char* code;
    const TypeLayout* layout;
    double magnification;
    double barHeightMm;
    bool scaleHeight;
    double expectedBarHeightMm;
    bool rightMark;
    // The right mark stands on the add-on's baseline.
    bool rightMarkOnAddOn;
    const std::vector<TextAt>* text;
};

const LayoutCase kLayoutCases[] = {
    {.name = "Ean13",
     .type = kEAN13,
     .code = "4-006381-333931",
     .layout = &kEan13Layout,
     .magnification = 1.0,
     .barHeightMm = 0.0,
     .scaleHeight = false,
     .expectedBarHeightMm = 22.85,
     .rightMark = true,
     .rightMarkOnAddOn = false,
     .text = &kEan13Text},
    {.name = "Ean13AddOnMagnified",
     .type = kEAN13,
     .code = "4-006381-333931-12",
     .layout = &kEan13Layout,
     .magnification = 2.0,
     .barHeightMm = 0.0,
     .scaleHeight = false,
     .expectedBarHeightMm = 22.85,
     .rightMark = true,
     .rightMarkOnAddOn = true,
     .text = &kEan13AddOnText},
    {.name = "Ean13HeightScaled",
     .type = kEAN13,
     .code = "4-006381-333931",
     .layout = &kEan13Layout,
     .magnification = 2.0,
     .barHeightMm = 0.0,
     .scaleHeight = true,
     .expectedBarHeightMm = 45.7,
     .rightMark = true,
     .rightMarkOnAddOn = false,
     .text = &kEan13Text},
    {.name = "Ean8",
     .type = kEAN8,
     .code = "9638-5074",
     .layout = &kEan8Layout,
     .magnification = 0.8,
     .barHeightMm = 0.0,
     .scaleHeight = false,
     .expectedBarHeightMm = 18.23,
     .rightMark = true,
     .rightMarkOnAddOn = false,
     .text = &kEan8Text},
    {.name = "UpcA",
     .type = kUPCA,
     .code = "0-36000-29145-2",
     .layout = &kUpcALayout,
     .magnification = 1.0,
     .barHeightMm = 30.0,
     .scaleHeight = false,
     .expectedBarHeightMm = 30.0,
     .rightMark = false,
     .rightMarkOnAddOn = true,
     .text = &kUpcAText},
    {.name = "UpcAAddOn",
     .type = kUPCA,
     .code = "0-36000-29145-2-12345",
     .layout = &kUpcALayout,
     .magnification = 1.0,
     .barHeightMm = 25.0,
     .scaleHeight = false,
     .expectedBarHeightMm = 25.0,
     .rightMark = true,
     .rightMarkOnAddOn = true,
     .text = &kUpcAAddOnText},
    {.name = "UpcE",
     .type = kUPCE,
     .code = "0-123453-1",
     .layout = &kUpcELayout,
     .magnification = 1.0,
     .barHeightMm = 0.0,
     .scaleHeight = false,
     .expectedBarHeightMm = 22.85,
     .rightMark = false,
     .rightMarkOnAddOn = true,
     .text = &kUpcEText},
    {.name = "UpcEAddOn",
     .type = kUPCE,
     .code = "0-123453-1-12",
     .layout = &kUpcELayout,
     .magnification = 1.5,
     .barHeightMm = 0.0,
     .scaleHeight = false,
     .expectedBarHeightMm = 22.85,
     .rightMark = true,
     .rightMarkOnAddOn = true,
     .text = &kUpcEAddOnText},
};

class LayoutTest : public testing::TestWithParam<LayoutCase> {
protected:
    void SetUp() override {
        const LayoutCase& c = GetParam();
        processor_ = MakeProcessor(c.type);
        if (auto* font = dynamic_cast<BarcodeProcessorMixIn_Font*>(processor_.get())) {
            font->SetFont("TestFont");
        }
        processor_->SetMagnification(c.magnification);
        processor_->SetBarHeight(c.barHeightMm);
        processor_->SetScaleHeightWithWidth(c.scaleHeight);
        processor_->SetQuietZoneMarks(true);
        ASSERT_TRUE(processor_->SetCode(c.code));
        drawn_ = Draw(*processor_);
        ASSERT_TRUE(drawn_.generated);
        x_ = 0.33 * c.magnification;
        h_ = c.expectedBarHeightMm;
        t_ = c.layout->textSizeMm * c.magnification;
        baseline_ = 5 * x_ - t_ - x_;
        addOnBaseline_ = h_ - 22.85 + 21.1 - 3 * x_ + x_;
    }

    std::unique_ptr<BarcodeProcessor> processor_;
    Drawing drawn_;
    double x_ = 0.0;
    double h_ = 0.0;
    double t_ = 0.0;
    double baseline_ = 0.0;
    double addOnBaseline_ = 0.0;
};

TEST_P(LayoutTest, FontFrameAndMarksComeFirst) {
    const LayoutCase& c = GetParam();
    ASSERT_GE(drawn_.GetCalls().size(), 3u);
    EXPECT_EQ(drawn_.GetCalls()[0].kind, Kind::kFont);
    EXPECT_EQ(drawn_.GetCalls()[0].text, c.layout->font);
    EXPECT_THAT(drawn_.GetCalls()[0].flags, testing::ElementsAre(true));
    EXPECT_EQ(drawn_.GetCalls()[1].kind, Kind::kFrame);
    EXPECT_THAT(drawn_.GetCalls()[1].numbers,
                testing::Pointwise(testing::DoubleNear(1e-9),
                                   {0.0, drawn_.totalWidthMm, baseline_ - x_, 6 * x_ + h_, 0.0}));
    const RecordedCall& marks = drawn_.GetCalls()[2];
    EXPECT_EQ(marks.kind, Kind::kQuietZoneMarks);
    EXPECT_THAT(marks.numbers, testing::Pointwise(testing::DoubleNear(1e-9),
                                                  {0.0, drawn_.totalWidthMm, baseline_,
                                                   c.rightMarkOnAddOn ? addOnBaseline_ : baseline_,
                                                   c.magnification}));
    EXPECT_THAT(marks.flags, testing::ElementsAre(c.layout->leftMark, c.rightMark));
}

TEST_P(LayoutTest, GuardBarsReachBelowTheDigitBars) {
    const LayoutCase& c = GetParam();
    const std::vector<RecordedBar> bars = drawn_.GetBars();
    ASSERT_GE(bars.size(), static_cast<std::size_t>(c.layout->mainBars));
    EXPECT_NEAR(bars[0].left, c.layout->firstBarModules * x_, 1e-9);
    for (int i = 0; i < c.layout->mainBars; ++i) {
        const bool isLong = std::find(c.layout->longBars.begin(), c.layout->longBars.end(), i) !=
                            c.layout->longBars.end();
        EXPECT_NEAR(bars[i].bottom, isLong ? 0.0 : 5 * x_, 1e-9) << "bar " << i;
        EXPECT_NEAR(bars[i].top, 5 * x_ + h_, 1e-9) << "bar " << i;
    }
    // Add-on bars hang three modules below the guards and end 1.75 mm below
    // the bars' nominal top.
    for (std::size_t i = c.layout->mainBars; i < bars.size(); ++i) {
        EXPECT_NEAR(bars[i].bottom, -3 * x_, 1e-9) << "bar " << i;
        EXPECT_NEAR(bars[i].top, h_ - 1.75 - 3 * x_, 1e-9) << "bar " << i;
    }
}

TEST_P(LayoutTest, TextIsCentredOnItsDigitBoxes) {
    const LayoutCase& c = GetParam();
    const std::vector<RecordedCall> text = drawn_.GetCalls(Kind::kText);
    ASSERT_EQ(text.size(), c.text->size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const TextAt& at = (*c.text)[i];
        EXPECT_EQ(text[i].text, std::string(1, at.character)) << i;
        const double size = at.addOn ? 2.8 * c.magnification : at.sizeFactor * t_;
        EXPECT_THAT(text[i].numbers,
                    testing::Pointwise(
                        testing::DoubleNear(1e-9),
                        {at.centreModules * x_, at.addOn ? addOnBaseline_ : baseline_, size}))
            << "character " << i << " '" << at.character << "'";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, LayoutTest, testing::ValuesIn(kLayoutCases), CaseName<LayoutCase>);

struct SymbolCase {
    const char* name;
    std::int32_t type;
    const char* code;
};

const SymbolCase kSymbolCases[] = {
    {"Ean8", kEAN8, "9638-5074"},
    {"Ean13", kEAN13, "4-006381-333931"},
    {"Ean13AddOn", kEAN13, "4-006381-333931-12345"},
    {"UpcAAddOn", kUPCA, "0-36000-29145-2-12"},
    {"UpcE", kUPCE, "0-123453-1"},
    {"UpcEAddOn", kUPCE, "0-123453-1-12"},
};

class SymbolTest : public testing::TestWithParam<SymbolCase> {};

// Also at the largest magnification, where add-on bars that hung three
// magnified modules down would leave the frame.
TEST_P(SymbolTest, EverythingStaysInsideTheFrame) {
    const SymbolCase& c = GetParam();
    for (const double m : {0.8, 1.0, 2.0}) {
        const Drawing drawn = Draw(*MakeSymbol({.type = c.type,
                                                .code = c.code,
                                                .magnification = m,
                                                .reductionMm = 0.0,
                                                .barHeightMm = 0.0}));
        const std::vector<RecordedCall> frame = drawn.GetCalls(Kind::kFrame);
        ASSERT_EQ(frame.size(), 1u);
        const double left = frame[0].numbers[0];
        const double right = frame[0].numbers[1];
        const double bottom = frame[0].numbers[2];
        const double top = frame[0].numbers[3];
        for (const RecordedBar& bar : drawn.GetBars()) {
            EXPECT_GE(bar.left, left) << m;
            EXPECT_LE(bar.right, right) << m;
            EXPECT_GE(bar.bottom, bottom) << m;
            EXPECT_LE(bar.top, top) << m;
        }
        for (const RecordedCall& text : drawn.GetCalls(Kind::kText)) {
            EXPECT_GE(text.numbers[1], bottom) << m << " '" << text.text << "'";
            EXPECT_LE(text.numbers[1] + text.numbers[2], top) << m << " '" << text.text << "'";
        }
    }
}

TEST_P(SymbolTest, FlagsLeaveOutTextMarksAndFrame) {
    const SymbolCase& c = GetParam();
    const std::unique_ptr<BarcodeProcessor> processor = MakeProcessor(c.type);
    ASSERT_TRUE(processor->SetCode(c.code));
    processor->SetQuietZoneMarks(true);
    processor->SetHumanReadable(false);
    processor->SetEmitFrame(false);
    const Drawing drawn = Draw(*processor);
    ASSERT_TRUE(drawn.generated);
    EXPECT_EQ(drawn.GetCalls(Kind::kFont).size(), 1u);
    EXPECT_EQ(drawn.GetCalls().size(), 1 + drawn.GetBars().size());
    EXPECT_EQ(drawn.Modules(kEanModuleMm),
              Draw(*MakeSymbol({.type = c.type, .code = c.code})).Modules(kEanModuleMm));
}

TEST_P(SymbolTest, StopsAtTheFirstRefusedCall) {
    const SymbolCase& c = GetParam();
    // UPC-E takes its display form only from a symbol drawn completely.
    ExpectStopsAtEachRefusedCall({.type = c.type, .code = c.code});
}

TEST_P(SymbolTest, BarWidthReductionNarrowsEveryBarOnBothSides) {
    const SymbolCase& c = GetParam();
    const Drawing plain = Draw(*MakeSymbol({.type = c.type, .code = c.code}));
    const Drawing reduced = Draw(*MakeSymbol({.type = c.type,
                                              .code = c.code,
                                              .magnification = 1.0,
                                              .reductionMm = 0.06,
                                              .barHeightMm = 0.0}));
    const std::vector<RecordedBar> plainBars = plain.GetBars();
    const std::vector<RecordedBar> reducedBars = reduced.GetBars();
    ASSERT_EQ(plainBars.size(), reducedBars.size());
    for (std::size_t i = 0; i < plainBars.size(); ++i) {
        EXPECT_NEAR(reducedBars[i].left, plainBars[i].left + 0.03, 1e-12) << i;
        EXPECT_NEAR(reducedBars[i].right, plainBars[i].right - 0.03, 1e-12) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, SymbolTest, testing::ValuesIn(kSymbolCases), CaseName<SymbolCase>);

// Leading digit 7 gives the left half the sets ABABAB, so digits 1, 7 and 0
// appear in sets A, B and C each.
struct ShiftCase {
    int digit;
    char set;
    char character;
    // The moved edge of each of the digit's bars, in thirteenths of a module:
    // the left edge in sets A and B, the right one in set C.
    int shift;
};

const ShiftCase kShiftCases[] = {
    {0, 'A', '1', 1}, {1, 'B', '1', -1}, {2, 'A', '7', -1}, {3, 'B', '7', 1}, {4, 'A', '0', 0},
    {5, 'B', '0', 0}, {6, 'C', '1', 1},  {7, 'C', '7', -1}, {8, 'C', '0', 0}, {11, 'C', '1', 1},
};

TEST(DigitEdgeShiftTest, MovesOneEdgeOfTheBarsOf1278) {
    const Drawing drawn = Draw(*MakeSymbol({.type = kEAN13, .code = "7-117700-170001"}));
    ASSERT_TRUE(drawn.generated);
    const double x = kEanModuleMm * drawn.magnification;
    const std::vector<RecordedBar> bars = drawn.GetBars();
    const auto offGrid = [x](double edge) {
        return std::lround((edge / x - std::round(edge / x)) * 13.0);
    };
    for (const ShiftCase& c : kShiftCases) {
        // Two bars per digit after the start guard, and the centre guard's
        // two before the right half.
        const std::size_t first = 2 + 2 * c.digit + (c.digit >= 6 ? 2 : 0);
        for (const std::size_t bar : {first, first + 1}) {
            const RecordedBar& b = bars[bar];
            EXPECT_EQ(offGrid(b.left), c.set == 'C' ? 0 : c.shift)
                << "digit " << c.digit << " '" << c.character << "' of set " << c.set;
            EXPECT_EQ(offGrid(b.right), c.set == 'C' ? c.shift : 0)
                << "digit " << c.digit << " '" << c.character << "' of set " << c.set;
        }
    }
}

// Only MS-7B clears guard extensions; the test class stands in for it.
class UPCAWithGuards : public BarcodeProcessorUPCA {
public:
    UPCAWithGuards(bool start, bool centre, bool end) { SetGuardExtension(start, centre, end); }
};

struct GuardCase {
    const char* name;
    bool start;
    bool centre;
    bool end;
    std::vector<int> longBars;
};

const GuardCase kGuardCases[] = {
    {"All", true, true, true, {0, 1, 2, 3, 14, 15, 26, 27, 28, 29}},
    {"NoStart", false, true, true, {14, 15, 26, 27, 28, 29}},
    {"NoCentre", true, false, true, {0, 1, 2, 3, 26, 27, 28, 29}},
    {"NoEnd", true, true, false, {0, 1, 2, 3, 14, 15}},
    {"None", false, false, false, {}},
};

class GuardExtensionTest : public testing::TestWithParam<GuardCase> {};

TEST_P(GuardExtensionTest, OuterUpcADigitsFollowTheirGuard) {
    const GuardCase& c = GetParam();
    UPCAWithGuards processor(c.start, c.centre, c.end);
    ASSERT_TRUE(processor.SetCode("0-36000-29145-2"));
    const Drawing drawn = Draw(processor);
    const std::vector<RecordedBar> bars = drawn.GetBars();
    ASSERT_EQ(bars.size(), 30u);
    std::vector<int> longBars;
    for (int i = 0; i < 30; ++i) {
        if (bars[i].bottom == 0.0) {
            longBars.push_back(i);
        }
    }
    EXPECT_EQ(longBars, c.longBars);
}

INSTANTIATE_TEST_SUITE_P(Cases, GuardExtensionTest, testing::ValuesIn(kGuardCases),
                         CaseName<GuardCase>);

TEST(GenerateTest, RefusesAnInvalidCodeAndDrawsNothing) {
    BarcodeProcessorEAN13 processor;
    RecordingGenerator generator;
    EXPECT_FALSE(processor.GenerateInto(&generator));
    ASSERT_TRUE(processor.SetCode("4-006381-333931"));
    processor.SetMagnification(0.0);
    EXPECT_FALSE(processor.GenerateInto(&generator));
    EXPECT_TRUE(generator.GetCalls().empty());
}

}  // namespace
}  // namespace StriveloTest
