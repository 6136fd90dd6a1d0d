// Every registered symbology's layout: the total width that ComputeWidth
// stores holds the whole symbol, and the human-readable characters keep clear
// of the bars at every magnification and text scaling.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "BarcodeFourCC.h"
#include "BarcodeProcessorMixIn_BearerBarsOption.h"
#include "BarcodeProcessorMixIn_FontScaling.h"
#include "CaseName.h"
#include "Drawing.h"
#include "RecordingGenerator.h"
#include "Symbols.h"

namespace StriveloTest {
namespace {

using Strivelo::BarcodeProcessor;
using Strivelo::FourCC;
using Kind = RecordedCall::Kind;

struct LayoutCase {
    std::int32_t type;
    // Long enough to have text everywhere, with an add-on where the type
    // takes one.
    const char* code;
};

void PrintTo(const LayoutCase& c, std::ostream* os) {
    *os << TypeName(c.type) << " " << c.code;
}

const LayoutCase kLayoutCases[] = {
    {FourCC("e128"), "(01)12345678901231(10)ABC123(21)XYZ"},
    {FourCC("eCou"), "9-912345-678909 (8101)1 23456 7890(21)ABC"},
    {FourCC("uCou"), "5-12345-67890-0 (8100)1 23456"},
    {FourCC("isbe"), "978-3-16-148410-0-52495"},
    {FourCC("isbn"), "3-16-148410-X-12345"},
    {FourCC("issn"), "0317-8471(05)-12"},
    {FourCC("itff"), "10012345000017"},
    {FourCC("jan8"), "4512-3450"},
    {FourCC("janD"), "4-512345-678906-12"},
    {FourCC("ean8"), "9638-5074"},
    {FourCC("eanD"), "4-006381-333931-52495"},
    {FourCC("upca"), "0-36000-29145-2-12"},
    {FourCC("upce"), "0-12300-00045-1-12"},
    {FourCC("2of5"), "1234567890"},
    {FourCC("3of9"), "CODE 39"},
    {FourCC("c128"), "Code 128%FNC1 text"},
    {FourCC("plec"), "108"},
    {FourCC("ples"), "1234"},
    {FourCC("BePh"), "1234-566"},
    {FourCC("msiq"), "123448"},
    {FourCC("msie"), "123430"},
    {FourCC("msit"), "12344"},
    {FourCC("coda"), "A1234-$:/.+B"},
    {FourCC("codt"), "A1234-$:/.+B"},
    {FourCC("ms7b"), "1234565"},
};

class SymbolLayoutTest : public testing::TestWithParam<LayoutCase> {
protected:
    void SetUp() override {
        processor_ = MakeSymbol({.type = GetParam().type, .code = GetParam().code});
        ASSERT_NE(processor_, nullptr);
    }

    // The smallest and the largest magnification the validator accepts, to
    // a thousandth.
    std::vector<double> MagnificationLimits() {
        constexpr double kStep = 0.001;
        constexpr double kFarBeyond = 5.0;
        std::vector<double> limits;
        double m = kStep;
        for (; m < kFarBeyond && !Accepts(m); m += kStep) {
        }
        limits.push_back(m);
        for (m = kFarBeyond; m > kStep && !Accepts(m); m -= kStep) {
        }
        limits.push_back(m);
        return limits;
    }

    std::unique_ptr<BarcodeProcessor> processor_;

private:
    bool Accepts(double magnification) {
        processor_->SetMagnification(magnification);
        return processor_->IsMagnificationValid();
    }
};

TEST_P(SymbolLayoutTest, ComputeWidthStoresTheWidthThatHoldsTheBars) {
    for (const double magnification : MagnificationLimits()) {
        SCOPED_TRACE(testing::Message() << "magnification " << magnification);
        processor_->SetMagnification(magnification);
        const double width = processor_->ComputeWidth();
        ASSERT_GT(width, 0.0);
        EXPECT_EQ(processor_->GetTotalWidth(), width);
        const Drawing drawing = Draw(*processor_);
        ASSERT_TRUE(drawing.generated);
        EXPECT_DOUBLE_EQ(processor_->GetTotalWidth(), width);
        for (const RecordedBar& bar : drawing.GetBars()) {
            EXPECT_GE(bar.left, 0.0);
            EXPECT_LE(bar.right, width);
        }
    }
    processor_->SetMagnification(0.0);
    EXPECT_LE(processor_->ComputeWidth(), 0.0);
}

// The palette lets the user scale the text up to this.
constexpr double kLargestTextScaling = 2.0;
// A character's box is the size high from its baseline and at most this
// share of the size wide (digits and capitals of the fonts in use are
// narrower).
constexpr double kCharacterWidthPerSize = 0.6;
// Boxes that only touch do not overlap.
constexpr double kTouchMm = 1e-9;

struct Box {
    double left;
    double right;
    double bottom;
    double top;
};

bool Overlap(const Box& a, const Box& b) {
    return a.left < b.right - kTouchMm && b.left < a.right - kTouchMm &&
           a.bottom < b.top - kTouchMm && b.bottom < a.top - kTouchMm;
}

// Bars and bearer bars are sent as left, right, bottom, top; characters as
// centre, baseline, size.
std::vector<Box> BoxesOf(const std::vector<RecordedCall>& calls) {
    std::vector<Box> boxes;
    for (const RecordedCall& call : calls) {
        const std::vector<double>& n = call.numbers;
        if (call.kind == Kind::kText) {
            const double half = kCharacterWidthPerSize * n[2] / 2.0;
            boxes.push_back({n[0] - half, n[0] + half, n[1], n[1] + n[2]});
        } else {
            boxes.push_back({n[0], n[1], n[2], n[3]});
        }
    }
    return boxes;
}

TEST_P(SymbolLayoutTest, NoCharacterOverlapsABar) {
    auto* const text = dynamic_cast<Strivelo::BarcodeProcessorMixIn_FontScaling*>(processor_.get());
    auto* const bearer =
        dynamic_cast<Strivelo::BarcodeProcessorMixIn_BearerBarsOption*>(processor_.get());
    for (const double magnification : MagnificationLimits()) {
        for (const double scaling : {1.0, kLargestTextScaling}) {
            for (const bool centred : {false, true}) {
                for (const bool bearerBars : {false, true}) {
                    SCOPED_TRACE(testing::Message()
                                 << "magnification " << magnification << ", scaling " << scaling
                                 << (centred ? ", centred" : "")
                                 << (bearerBars ? ", bearer bars" : ""));
                    processor_->SetMagnification(magnification);
                    if (text != nullptr) {
                        ASSERT_TRUE(text->SetFontScaling(scaling));
                        text->SetCenterAlign(centred);
                    }
                    if (bearer != nullptr) {
                        bearer->SetBearerBars(bearerBars);
                    }
                    const Drawing drawing = Draw(*processor_);
                    ASSERT_TRUE(drawing.generated);
                    const std::vector<Box> characters = BoxesOf(drawing.GetCalls(Kind::kText));
                    std::vector<Box> bars = BoxesOf(drawing.GetCalls(Kind::kBar));
                    const std::vector<Box> bearers = BoxesOf(drawing.GetCalls(Kind::kBearerBar));
                    bars.insert(bars.end(), bearers.begin(), bearers.end());
                    ASSERT_FALSE(characters.empty());
                    for (std::size_t c = 0; c < characters.size(); ++c) {
                        for (const Box& bar : bars) {
                            EXPECT_FALSE(Overlap(characters[c], bar))
                                << "character " << c << " at " << characters[c].left << ".."
                                << characters[c].right << " x " << characters[c].bottom << ".."
                                << characters[c].top << ", bar " << bar.left << ".." << bar.right
                                << " x " << bar.bottom << ".." << bar.top;
                        }
                    }
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Registered, SymbolLayoutTest, testing::ValuesIn(kLayoutCases),
                         TypeCaseName<LayoutCase>);

}  // namespace
}  // namespace StriveloTest
