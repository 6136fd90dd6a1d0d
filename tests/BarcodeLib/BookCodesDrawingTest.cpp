// Drawing ISBN, ISBN-EAN and ISSN (the number line above an EAN-13) and
// MS-7B (an EAN-8 in a stroked box with its own letters and digits).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "BarcodeProcessorEAN13.h"
#include "BarcodeProcessorMixIn_Font.h"
#include "BookCodesSupport.h"
#include "Drawing.h"
#include "Symbols.h"

namespace StriveloTest {
namespace {

using namespace Strivelo;
using Kind = RecordedCall::Kind;

constexpr double kTolerance = 1e-9;

std::size_t IndexOfFont(const Drawing& drawing, int nth) {
    const std::vector<RecordedCall>& calls = drawing.GetCalls();
    int seen = 0;
    for (std::size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].kind == Kind::kFont && seen++ == nth) {
            return i;
        }
    }
    return calls.size();
}

// The text calls from first (an index into the calls) up to the next font
// call.
std::vector<RecordedCall> TextsAfter(const Drawing& drawing, std::size_t first) {
    const std::vector<RecordedCall>& calls = drawing.GetCalls();
    std::vector<RecordedCall> texts;
    for (std::size_t i = first; i < calls.size() && calls[i].kind != Kind::kFont; ++i) {
        if (calls[i].kind == Kind::kText) {
            texts.push_back(calls[i]);
        }
    }
    return texts;
}

std::string Characters(const std::vector<RecordedCall>& texts) {
    std::string characters;
    for (const RecordedCall& text : texts) {
        characters += text.text;
    }
    return characters;
}

// Label, an empty pitch, the code: the x of the i-th character drawn.
double LineX(double first, double pitch, std::size_t i) {
    return first + pitch * static_cast<double>(i < 4 ? i : i + 1);
}

struct Rectangle {
    double left;
    double right;
    double bottom;
    double top;
};

struct LineCase {
    const char* name;
    SymbolSettings symbol;
    Rectangle frame;
    // The centre of the first character and the baseline of the line.
    double first;
    double baseline;
    double pitch;
    double size;
    // The characters of the line and, "" when there is none, of the second.
    const char* line;
    const char* second;
};

// At magnification m the module is 0.33 m mm, the EAN-13 digits' baseline
// 4X - 2.8 m mm, the bars end at 5X + 22.85 mm; the line's text is 2.47 mm
// (times m above 1) on a pitch of 2.04 mm (likewise).
const LineCase kLineCases[] = {
    {.name = "Isbn",
     .symbol = {.type = kTypeISBN, .code = "3-16-148410-X"},
     .frame = {0.0, 40.68, -1.81, 28.29},
     .first = 4.98,
     .baseline = 25.49,
     .pitch = 2.04,
     .size = 2.47,
     .line = "ISBN3-16-148410-X",
     .second = ""},
    {.name = "IsbnLargest",
     .symbol = {.type = kTypeISBN, .code = "3-16-148410-X", .magnification = 2.0},
     .frame = {0.0, 81.36, -3.62, 33.73},
     .first = 9.96,
     .baseline = 28.13,
     .pitch = 4.08,
     .size = 4.94,
     .line = "ISBN3-16-148410-X",
     .second = ""},
    // Below magnification 1 the line keeps its size and the frame is wider
    // than the symbol.
    {.name = "IsbnSmallest",
     .symbol = {.type = kTypeISBN, .code = "3-16-148410-X", .magnification = 0.8},
     .frame = {0.0, 39.888, -1.448, 27.696},
     .first = 4.188,
     .baseline = 24.962,
     .pitch = 2.04,
     .size = 2.47,
     .line = "ISBN3-16-148410-X",
     .second = ""},
    {.name = "IsbnAddOnWiderThanLine",
     .symbol = {.type = kTypeISBN, .code = "3-16-148410-X-12345"},
     .frame = {0.0, 54.45, -1.81, 28.29},
     .first = 4.98,
     .baseline = 25.49,
     .pitch = 2.04,
     .size = 2.47,
     .line = "ISBN3-16-148410-X",
     .second = ""},
    {.name = "IsbnBarHeight",
     .symbol = {.type = kTypeISBN, .code = "3-16-148410-X", .barHeightMm = 30.0},
     .frame = {0.0, 40.68, -1.81, 35.44},
     .first = 4.98,
     .baseline = 32.64,
     .pitch = 2.04,
     .size = 2.47,
     .line = "ISBN3-16-148410-X",
     .second = ""},
    // Centred over the symbol, the line may reach past both ends.
    {.name = "IsbnEanCentred",
     .symbol = {.type = kTypeISBNEAN, .code = "978-3-16-148410-0", .centerAlign = true},
     .frame = {-3.795, 41.085, -1.81, 28.29},
     .first = -2.775,
     .baseline = 25.49,
     .pitch = 2.04,
     .size = 2.47,
     .line = "ISBN978-3-16-148410-0",
     .second = ""},
    {.name = "IsbnCentredInsideSymbol",
     .symbol =
         {.type = kTypeISBN, .code = "3-16-148410-X", .magnification = 2.0, .centerAlign = true},
     .frame = {0.0, 74.58, -3.62, 33.73},
     .first = 2.61,
     .baseline = 28.13,
     .pitch = 4.08,
     .size = 4.94,
     .line = "ISBN3-16-148410-X",
     .second = ""},
    {.name = "IsbnEanDualNumbering",
     .symbol = {.type = kTypeISBNEAN, .code = "978-3-16-148410-0", .dualNumbering = true},
     .frame = {0.0, 48.84, -1.81, 31.42},
     .first = 4.98,
     .baseline = 25.49,
     .pitch = 2.04,
     .size = 2.47,
     .line = "ISBN978-3-16-148410-0",
     .second = "ISBN3-16-148410-X"},
    {.name = "IsbnEanDualNumberingWithAddOn",
     .symbol = {.type = kTypeISBNEAN, .code = "978-3-16-148410-0-52495", .dualNumbering = true},
     .frame = {0.0, 54.45, -1.81, 31.42},
     .first = 4.98,
     .baseline = 25.49,
     .pitch = 2.04,
     .size = 2.47,
     .line = "ISBN978-3-16-148410-0",
     .second = "ISBN3-16-148410-X"},
    // A 979 number has no ISBN-10 form: one line in a frame for one.
    {.name = "IsbnEanDualNumbering979",
     .symbol = {.type = kTypeISBNEAN, .code = "979-10-90636-07-1", .dualNumbering = true},
     .frame = {0.0, 48.84, -1.81, 28.29},
     .first = 4.98,
     .baseline = 25.49,
     .pitch = 2.04,
     .size = 2.47,
     .line = "ISBN979-10-90636-07-1",
     .second = ""},
    {.name = "IsbnEanDualNumberingGroup99939",
     .symbol = {.type = kTypeISBNEAN, .code = "978-99939-950-0-5", .dualNumbering = true},
     .frame = {0.0, 48.84, -1.81, 31.42},
     .first = 4.98,
     .baseline = 25.49,
     .pitch = 2.04,
     .size = 2.47,
     .line = "ISBN978-99939-950-0-5",
     .second = "ISBN99939-950-0-2"},
    // The ISSN line begins a module earlier; variant and add-on are not in it.
    {.name = "IssnVariantAndAddOn",
     .symbol = {.type = kTypeISSN, .code = "0317-8471(05)-12"},
     .frame = {0.0, 45.54, -1.81, 28.29},
     .first = 4.65,
     .baseline = 25.49,
     .pitch = 2.04,
     .size = 2.47,
     .line = "ISSN0317-8471",
     .second = ""},
    {.name = "Issn",
     .symbol = {.type = kTypeISSN, .code = "0317-8471"},
     .frame = {0.0, 37.29, -1.81, 28.29},
     .first = 4.65,
     .baseline = 25.49,
     .pitch = 2.04,
     .size = 2.47,
     .line = "ISSN0317-8471",
     .second = ""},
};

// The frame a recorded call draws, with its stroke width.
void ExpectFrame(const RecordedCall& call, const Rectangle& frame, double stroke) {
    ASSERT_EQ(call.kind, Kind::kFrame);
    EXPECT_NEAR(call.numbers[0], frame.left, kTolerance);
    EXPECT_NEAR(call.numbers[1], frame.right, kTolerance);
    EXPECT_NEAR(call.numbers[2], frame.bottom, kTolerance);
    EXPECT_NEAR(call.numbers[3], frame.top, kTolerance);
    EXPECT_NEAR(call.numbers[4], stroke, kTolerance);
}

void PrintTo(const LineCase& c, std::ostream* os) {
    *os << c.name;
}

class LineLayoutTest : public testing::TestWithParam<LineCase> {};

TEST_P(LineLayoutTest, FrameAndLines) {
    const LineCase& c = GetParam();
    const std::unique_ptr<BarcodeProcessor> processor = MakeSymbol(c.symbol);
    ASSERT_NE(processor, nullptr);
    const Drawing drawing = Draw(*processor);
    ASSERT_TRUE(drawing.generated);
    // One frame, the first call, stroke 0.
    ASSERT_EQ(drawing.GetCalls(Kind::kFrame).size(), 1u);
    ExpectFrame(drawing.GetCalls().front(), c.frame, 0.0);
    // The lines, in OCRB, after the first font call.
    const std::size_t font = IndexOfFont(drawing, 0);
    ASSERT_LT(font, drawing.GetCalls().size());
    EXPECT_EQ(drawing.GetCalls()[font].text, "OCRB");
    const std::vector<RecordedCall> texts = TextsAfter(drawing, font + 1);
    const std::string line = c.line;
    const std::string second = c.second;
    ASSERT_EQ(Characters(texts), line + second);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "character " << i);
        const bool first = i < line.size();
        const std::size_t index = first ? i : i - line.size();
        const double baseline =
            first ? c.baseline : c.baseline + c.size + 2 * kBookModuleMm * drawing.magnification;
        EXPECT_NEAR(texts[i].numbers[0], LineX(c.first, c.pitch, index), kTolerance);
        EXPECT_NEAR(texts[i].numbers[1], baseline, kTolerance);
        EXPECT_NEAR(texts[i].numbers[2], c.size, kTolerance);
    }
    EXPECT_FALSE(processor->GetEmitFrame());
}

// Under the lines the EAN-13 symbol of the encoded form, in OCRB whatever
// font was chosen, without a frame of its own.
TEST_P(LineLayoutTest, SymbolIsTheEan13OfTheEncodedForm) {
    const LineCase& c = GetParam();
    const std::unique_ptr<BarcodeProcessor> processor = MakeSymbol(c.symbol);
    ASSERT_NE(processor, nullptr);
    if (auto* font = dynamic_cast<BarcodeProcessorMixIn_Font*>(processor.get())) {
        font->SetFont("Helvetica");
    }
    const Drawing drawing = Draw(*processor);
    ASSERT_TRUE(drawing.generated);
    char encoded[BarcodeProcessor::kCodeCapacity + 1];
    ASSERT_TRUE(
        processor->CodeToEncoded(c.symbol.code.c_str(), encoded, BarcodeProcessor::kCodeCapacity));
    BarcodeProcessorEAN13 ean13;
    ASSERT_TRUE(ean13.SetCode(encoded));
    ean13.SetMagnification(c.symbol.magnification.value_or(1.0));
    ean13.SetBarHeight(c.symbol.barHeightMm.value_or(0.0));
    ean13.SetFont("OCRB");
    ean13.SetEmitFrame(false);
    const Drawing expected = Draw(ean13);
    ASSERT_TRUE(expected.generated);
    const std::size_t symbol = IndexOfFont(drawing, 1);
    const std::vector<RecordedCall>& calls = drawing.GetCalls();
    const std::vector<RecordedCall>& wanted = expected.GetCalls();
    ASSERT_EQ(calls.size() - symbol, wanted.size());
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "call " << i);
        const RecordedCall& got = calls[symbol + i];
        const RecordedCall& want = wanted[i];
        EXPECT_EQ(got.kind, want.kind);
        EXPECT_EQ(got.text, want.text);
        EXPECT_EQ(got.flags, want.flags);
        ASSERT_EQ(got.numbers.size(), want.numbers.size());
        for (std::size_t k = 0; k < want.numbers.size(); ++k) {
            EXPECT_NEAR(got.numbers[k], want.numbers[k], kTolerance);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, LineLayoutTest, testing::ValuesIn(kLineCases), CaseName<LineCase>);

// With the default height scaled, bars and line grow together.
TEST(ScaledLineTest, LineStaysThreeModulesAboveScaledBars) {
    for (const std::int32_t type : {kTypeISBN, kTypeISBNEAN, kTypeISSN}) {
        const char* const code = type == kTypeISBN      ? "3-16-148410-X"
                                 : type == kTypeISBNEAN ? "978-3-16-148410-0"
                                                        : "0317-8471";
        for (const double m : {0.8, 1.0, 1.5, 2.0}) {
            SCOPED_TRACE(testing::Message() << TypeName(type) << " m " << m);
            const std::unique_ptr<BarcodeProcessor> processor = MakeSymbol(
                {.type = type, .code = code, .magnification = m, .scaleHeightWithWidth = true});
            ASSERT_NE(processor, nullptr);
            const Drawing drawing = Draw(*processor);
            ASSERT_TRUE(drawing.generated);
            double barTop = 0.0;
            for (const RecordedBar& bar : drawing.GetBars()) {
                barTop = std::max(barTop, bar.top);
            }
            const double module = kBookModuleMm * m;
            EXPECT_NEAR(barTop, 5 * module + 22.85 * m, kTolerance);
            const std::vector<RecordedCall> texts =
                TextsAfter(drawing, IndexOfFont(drawing, 0) + 1);
            ASSERT_FALSE(texts.empty());
            EXPECT_NEAR(texts.front().numbers[1] - barTop, 3 * module, kTolerance);
        }
    }
}

// Where the box's characters are centred: the letters and the first of
// the digits with their pitch.
struct BoxTexts {
    double letterM;
    double firstDigit;
    double pitch;
    double letterS;
};

struct BoxCase {
    const char* name;
    SymbolSettings symbol;
    Rectangle frame;
    double stroke;
    BoxTexts x;
    double baseline;
    double size;
};

// The box stands 1.97 m mm left and right of the EAN-8 symbol (81 modules)
// and half of 0.98 mm (scaled with the bar height) less half a module
// beyond the frame EAN-8 would draw; the digits fill the 61 modules
// between the outer guards.
const BoxCase kBoxCases[] = {
    {.name = "Nominal",
     .symbol = {.type = kTypeMS7B, .code = "1234565"},
     .frame = {-1.97, 28.70, -2.135, 20.535},
     .stroke = 0.33,
     .x = {-0.485, 4.737857142857143, 2.875714285714286, 27.215},
     .baseline = -1.48,
     .size = 2.8},
    {.name = "Largest",
     .symbol = {.type = kTypeMS7B, .code = "1234565", .magnification = 2.0},
     .frame = {-3.94, 57.40, -3.78, 22.35},
     .stroke = 0.66,
     .x = {-1.30, 9.475714285714286, 5.751428571428572, 54.76},
     .baseline = -2.96,
     .size = 5.6},
    {.name = "LargestScaledHeight",
     .symbol =
         {.type = kTypeMS7B, .code = "1234565", .magnification = 2.0, .scaleHeightWithWidth = true},
     .frame = {-3.94, 57.40, -4.27, 41.07},
     .stroke = 0.66,
     .x = {-1.30, 9.475714285714286, 5.751428571428572, 54.76},
     .baseline = -2.96,
     .size = 5.6},
};

void PrintTo(const BoxCase& c, std::ostream* os) {
    *os << c.name;
}

class Ms7bLayoutTest : public testing::TestWithParam<BoxCase> {};

TEST_P(Ms7bLayoutTest, BoxLettersAndDigits) {
    const BoxCase& c = GetParam();
    const std::unique_ptr<BarcodeProcessor> processor = MakeSymbol(c.symbol);
    ASSERT_NE(processor, nullptr);
    const Drawing drawing = Draw(*processor);
    ASSERT_TRUE(drawing.generated);
    const std::vector<RecordedCall> frames = drawing.GetCalls(Kind::kFrame);
    ASSERT_EQ(frames.size(), 1u);
    ExpectFrame(frames.front(), c.frame, c.stroke);
    // Each text with the font it is drawn in.
    std::string font;
    std::string characters;
    std::vector<double> xs;
    for (const RecordedCall& call : drawing.GetCalls()) {
        if (call.kind == Kind::kFont) {
            font = call.text;
        } else if (call.kind == Kind::kText) {
            characters += call.text;
            xs.push_back(call.numbers[0]);
            EXPECT_EQ(font, call.text == "M" || call.text == "S" ? "OCRB" : "GillSans-Bold")
                << call.text;
            EXPECT_NEAR(call.numbers[1], c.baseline, kTolerance);
            EXPECT_NEAR(call.numbers[2], c.size, kTolerance);
        }
    }
    ASSERT_EQ(characters, "M1234565S");
    EXPECT_NEAR(xs.front(), c.x.letterM, kTolerance);
    for (std::size_t j = 0; j < 7; ++j) {
        EXPECT_NEAR(xs[1 + j], c.x.firstDigit + c.x.pitch * static_cast<double>(j), kTolerance)
            << j;
    }
    EXPECT_NEAR(xs.back(), c.x.letterS, kTolerance);
    EXPECT_TRUE(drawing.GetCalls(Kind::kQuietZoneMarks).empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, Ms7bLayoutTest, testing::ValuesIn(kBoxCases), CaseName<BoxCase>);

// The centre guard is as short as the digits' bars, the outer guards reach
// the bottom; the processor keeps these settings, and a second drawing is
// the same.
TEST(Ms7bDrawingTest, ShortCentreGuardAndSettingsKept) {
    const std::unique_ptr<BarcodeProcessor> processor =
        MakeSymbol({.type = kTypeMS7B, .code = "1234565", .humanReadable = true});
    ASSERT_NE(processor, nullptr);
    const Drawing drawing = Draw(*processor);
    ASSERT_TRUE(drawing.generated);
    const std::vector<RecordedBar> bars = drawing.GetBars();
    ASSERT_EQ(bars.size(), 22u);
    const double normalBottom = 5 * kBookModuleMm;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const bool outerGuard = i < 2 || i >= 20;
        EXPECT_NEAR(bars[i].bottom, outerGuard ? 0.0 : normalBottom, kTolerance) << i;
    }
    EXPECT_FALSE(processor->GetHumanReadable());
    EXPECT_FALSE(processor->GetEmitFrame());
    const Drawing again = Draw(*processor);
    ASSERT_EQ(again.GetCalls().size(), drawing.GetCalls().size());
    for (std::size_t i = 0; i < again.GetCalls().size(); ++i) {
        EXPECT_EQ(again.GetCalls()[i].numbers, drawing.GetCalls()[i].numbers) << i;
    }
}

struct DrawnCase {
    const char* name;
    SymbolSettings symbol;
};

const DrawnCase kDrawnCases[] = {
    {"Isbn", {.type = kTypeISBN, .code = "3-16-148410-X-12345"}},
    {"IsbnEanDualNumbering",
     {.type = kTypeISBNEAN, .code = "978-3-16-148410-0", .dualNumbering = true}},
    {"Issn", {.type = kTypeISSN, .code = "0317-8471(05)-12"}},
    {"Ms7b", {.type = kTypeMS7B, .code = "1234565"}},
};

void PrintTo(const DrawnCase& c, std::ostream* os) {
    *os << c.name;
}

class GenerateFailureTest : public testing::TestWithParam<DrawnCase> {};

TEST_P(GenerateFailureTest, StopsAtTheFirstRefusedCall) {
    ExpectStopsAtEachRefusedCall(GetParam().symbol);
}

TEST_P(GenerateFailureTest, NothingDrawnWithoutAModule) {
    const DrawnCase& c = GetParam();
    const std::unique_ptr<BarcodeProcessor> processor = MakeSymbol(c.symbol);
    ASSERT_NE(processor, nullptr);
    processor->SetMagnification(0.0);
    const Drawing drawing = Draw(*processor);
    EXPECT_FALSE(drawing.generated);
    EXPECT_TRUE(drawing.GetCalls().empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, GenerateFailureTest, testing::ValuesIn(kDrawnCases),
                         CaseName<DrawnCase>);

}  // namespace
}  // namespace StriveloTest
