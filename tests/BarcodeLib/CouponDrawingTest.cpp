// What the coupons draw: the layout of the two parts and the extension's
// text line, and stopping at the first refused call.
#include <gtest/gtest.h>

#include <cstddef>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "BarcodeProcessorEAN13Coupon.h"
#include "CouponTestSupport.h"
#include "Drawing.h"
#include "Symbols.h"

namespace StriveloTest {
namespace {

using Strivelo::BarcodeProcessor;
using Kind = RecordedCall::Kind;

struct GeometryCase {
    const char* name;
    std::int32_t type;
    const char* code;
    double magnification;
    double barHeightMm;
    bool scaleHeight;
    double reductionMm;
    // Expected, mm.
    double mainWidth;
    double totalWidth;
    double extensionFirstBarLeft;
    double extensionBottom;
    double top;
    double frameBottom;
    double frameTop;
    const char* text;
    double textX;
    double textPitch;
    double textSize;
    double textBaseline;
};

void PrintTo(const GeometryCase& c, std::ostream* os) {
    *os << c.name;
}

// X = 0.33 m, main 113 X, extension (11 v + 2) X and two quiet zones of
// max(10 X, 2.54); the extension from (w1, 5 X); t = 2.7432 m on the
// baseline 5 X - t - X; characters of 0.9 t, 5.6 X apart, centred over the
// extension: x0 = w1 + (w2 - n 5.6 X + 5.6 X) / 2.
const GeometryCase kGeometryCases[] = {
    {.name = "Ean13AtMagnification1",
     .type = kEAN13CouponType,
     .code = "9-912345-678909 (8100)1 23456",
     .magnification = 1.0,
     .barHeightMm = 0.0,
     .scaleHeight = false,
     .reductionMm = 0.0,
     .mainWidth = 37.29,
     .totalWidth = 77.22,
     .extensionFirstBarLeft = 40.59,
     .extensionBottom = 1.65,
     .top = 24.5,
     .frameBottom = -1.7532,
     .frameTop = 24.83,
     .text = "(8100)1 23456",
     .textX = 46.167,
     .textPitch = 1.848,
     .textSize = 2.46888,
     .textBaseline = -1.4232},
    // The default height 22.85 m; half the reduction on each bar side.
    {.name = "UpcAScaledHeightNarrowed",
     .type = kUPCACouponType,
     .code = "5-12345-67890-0 (8101)1 23456 7890",
     .magnification = 2.0,
     .barHeightMm = 0.0,
     .scaleHeight = true,
     .reductionMm = 0.1,
     .mainWidth = 74.58,
     .totalWidth = 168.96,
     .extensionFirstBarLeft = 81.23,
     .extensionBottom = 3.3,
     .top = 49.0,
     .frameBottom = -3.5064,
     .frameTop = 49.66,
     .text = "(8101)1 23456 7890",
     .textX = 90.354,
     .textPitch = 3.696,
     .textSize = 4.93776,
     .textBaseline = -2.8464},
    {.name = "Ean13GivenHeightWidened",
     .type = kEAN13CouponType,
     .code = "9-900000-000004 (8102)12",
     .magnification = 0.8,
     .barHeightMm = 30.0,
     .scaleHeight = false,
     .reductionMm = -0.04,
     .mainWidth = 29.832,
     .totalWidth = 55.968,
     .extensionFirstBarLeft = 32.452,
     .extensionBottom = 1.32,
     .top = 31.32,
     .frameBottom = -1.40256,
     .frameTop = 31.584,
     .text = "(8102)12",
     .textX = 37.7256,
     .textPitch = 1.4784,
     .textSize = 1.975104,
     .textBaseline = -1.13856},
};

class CouponGeometryTest : public testing::TestWithParam<GeometryCase> {};

TEST_P(CouponGeometryTest, PartsFrameAndTextLine) {
    const GeometryCase& c = GetParam();
    const std::unique_ptr<BarcodeProcessor> coupon = MakeSymbol({.type = c.type,
                                                                 .code = c.code,
                                                                 .magnification = c.magnification,
                                                                 .reductionMm = c.reductionMm});
    coupon->SetBarHeight(c.barHeightMm);
    coupon->SetScaleHeightWithWidth(c.scaleHeight);
    const Drawing drawing = Draw(*coupon);
    ASSERT_TRUE(drawing.generated);
    EXPECT_NEAR(coupon->GetTotalWidth(), c.totalWidth, 1e-9);
    const CouponBars bars = SplitAtExtension(drawing);

    const std::vector<RecordedCall> frames = drawing.GetCalls(Kind::kFrame);
    ASSERT_EQ(frames.size(), 1u);
    const std::vector<double> frame{0.0, c.totalWidth, c.frameBottom, c.frameTop, 0.0};
    for (std::size_t i = 0; i < frame.size(); ++i) {
        EXPECT_NEAR(frames[0].numbers[i], frame[i], 1e-9) << i;
    }

    // The main symbol from the origin: its start guard after 11 or 9
    // quiet-zone modules, reaching down to 0.
    ASSERT_FALSE(bars.main.empty());
    const double leftQuietZone = (c.type == kEAN13CouponType ? 11 : 9) * bars.moduleMm;
    EXPECT_NEAR(bars.main.front().left, leftQuietZone + c.reductionMm / 2, 1e-9);
    EXPECT_NEAR(bars.main.front().bottom, 0.0, 1e-9);
    for (const RecordedBar& bar : bars.main) {
        EXPECT_NEAR(bar.top, c.top, 1e-9);
        EXPECT_LT(bar.right, c.mainWidth);
    }
    // The extension: start C's 2-module bar first, every bar from 5 X.
    ASSERT_FALSE(bars.extension.empty());
    const RecordedBar& first = bars.extension.front();
    EXPECT_NEAR(first.left, c.extensionFirstBarLeft, 1e-9);
    EXPECT_NEAR(first.right - first.left, 2 * bars.moduleMm - c.reductionMm, 1e-9);
    for (const RecordedBar& bar : bars.extension) {
        EXPECT_NEAR(bar.bottom, c.extensionBottom, 1e-9);
        EXPECT_NEAR(bar.top, c.top, 1e-9);
    }

    // The text line comes last, after the coupon's font.
    const std::string text = c.text;
    const std::vector<RecordedCall>& calls = drawing.GetCalls();
    ASSERT_GE(calls.size(), text.size() + 1);
    const std::size_t line = calls.size() - text.size();
    EXPECT_EQ(calls[line - 1].kind, Kind::kFont);
    EXPECT_EQ(calls[line - 1].flags, std::vector<bool>{true});
    for (std::size_t i = 0; i < text.size(); ++i) {
        const RecordedCall& call = calls[line + i];
        ASSERT_EQ(call.kind, Kind::kText);
        EXPECT_EQ(call.text, std::string(1, text[i]));
        EXPECT_NEAR(call.numbers[0], c.textX + i * c.textPitch, 1e-9) << i;
        EXPECT_NEAR(call.numbers[1], c.textBaseline, 1e-9);
        EXPECT_NEAR(call.numbers[2], c.textSize, 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, CouponGeometryTest, testing::ValuesIn(kGeometryCases),
                         CaseName<GeometryCase>);

// The calls in order, runs of one kind as the kind's letter and the count.
std::string CallSummary(const std::vector<RecordedCall>& calls) {
    static constexpr char kLetters[] = {'B', 'b', 'F', 'T', 'Q', 'f'};
    std::string summary;
    for (std::size_t i = 0; i < calls.size();) {
        std::size_t end = i;
        while (end < calls.size() && calls[end].kind == calls[i].kind) {
            ++end;
        }
        summary += kLetters[static_cast<int>(calls[i].kind)] + std::to_string(end - i) + " ";
        i = end;
    }
    return summary;
}

struct SequenceCase {
    const char* name;
    std::int32_t type;
    const char* code;
    bool humanReadable;
    bool frame;
    bool quietZoneMarks;
    // F frame, f font, B bars, T text, Q quiet-zone marks.
    const char* summary;
    // The fonts in order: the main symbol's, the extension's (which draws no
    // text), the text line's.
    std::vector<std::string> fonts;
};

void PrintTo(const SequenceCase& c, std::ostream* os) {
    *os << c.name;
}

// The main symbol draws its 30 bars and its digits (13 for EAN-13, 12 for
// UPC-A), the extension (8100) 28 bars; the coupon's flags change only the
// frame. The text line shows the extension as the code holds it, 13
// characters with its blank. The EAN-13 coupon was given the font "Univers".
const SequenceCase kSequenceCases[] = {
    {.name = "Ean13",
     .type = kEAN13CouponType,
     .code = "9-912345-678909 (8100)1 23456",
     .humanReadable = true,
     .frame = true,
     .quietZoneMarks = false,
     .summary = "F1 f1 B30 T13 f1 B28 f1 T13 ",
     .fonts = {"Univers", "", "Univers"}},
    {.name = "Ean13FlagsOff",
     .type = kEAN13CouponType,
     .code = "9-912345-678909 (8100)1 23456",
     .humanReadable = false,
     .frame = false,
     .quietZoneMarks = false,
     .summary = "f1 B30 T13 f1 B28 f1 T13 ",
     .fonts = {"Univers", "", "Univers"}},
    // A mark at the main symbol's right end would fall into the extension.
    {.name = "Ean13QuietZoneMarksOn",
     .type = kEAN13CouponType,
     .code = "9-912345-678909 (8100)1 23456",
     .humanReadable = true,
     .frame = true,
     .quietZoneMarks = true,
     .summary = "F1 f1 B30 T13 f1 B28 f1 T13 ",
     .fonts = {"Univers", "", "Univers"}},
    {.name = "UpcA",
     .type = kUPCACouponType,
     .code = "5-12345-67890-0 (8100)1 23456",
     .humanReadable = true,
     .frame = true,
     .quietZoneMarks = false,
     .summary = "F1 f1 B30 T12 f1 B28 f1 T13 ",
     .fonts = {"OCRB", "", "OCRB"}},
};

class CouponSequenceTest : public testing::TestWithParam<SequenceCase> {};

TEST_P(CouponSequenceTest, MainThenExtensionThenTextLine) {
    const SequenceCase& c = GetParam();
    const std::unique_ptr<BarcodeProcessor> coupon = MakeSymbol({.type = c.type, .code = c.code});
    if (auto* font = dynamic_cast<Strivelo::BarcodeProcessorMixIn_Font*>(coupon.get())) {
        ASSERT_TRUE(font->SetFont("Univers"));
    }
    coupon->SetHumanReadable(c.humanReadable);
    coupon->SetEmitFrame(c.frame);
    coupon->SetQuietZoneMarks(c.quietZoneMarks);
    const Drawing drawing = Draw(*coupon);
    ASSERT_TRUE(drawing.generated);
    EXPECT_EQ(CallSummary(drawing.GetCalls()), c.summary);
    std::vector<std::string> fonts;
    for (const RecordedCall& call : drawing.GetCalls(Kind::kFont)) {
        fonts.push_back(call.text);
    }
    EXPECT_EQ(fonts, c.fonts);
}

INSTANTIATE_TEST_SUITE_P(Cases, CouponSequenceTest, testing::ValuesIn(kSequenceCases),
                         CaseName<SequenceCase>);

TEST(CouponGenerateTest, StopsAtTheFirstRefusedCall) {
    ExpectStopsAtEachRefusedCall(
        {.type = kEAN13CouponType, .code = "9-912345-678909 (8100)1 23456(21)A"});
    ExpectStopsAtEachRefusedCall(
        {.type = kUPCACouponType, .code = "5-12345-67890-0 (8101)1 23456 7890"});
}

TEST(CouponGenerateTest, DrawsNothingWithoutAUsableCode) {
    EXPECT_FALSE(Draw(*MakeProcessor(kEAN13CouponType)).generated);
    const std::unique_ptr<BarcodeProcessor> coupon = MakeSymbol(
        {.type = kUPCACouponType, .code = "5-12345-67890-0 (8100)1 23456", .magnification = 0.0});
    const Drawing drawing = Draw(*coupon);
    EXPECT_FALSE(drawing.generated);
    EXPECT_TRUE(drawing.GetCalls().empty());
}

}  // namespace
}  // namespace StriveloTest
