#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "BarEdges.h"
#include "BarcodeFourCC.h"
#include "BarcodeProcessor2of5.h"
#include "BarcodeProcessor3of9.h"
#include "BarcodeProcessorMixIn_Font.h"
#include "BarcodeProcessorMixIn_WideNarrowOption.h"
#include "DecodedState.h"
#include "Drawing.h"
#include "Symbols.h"
#include "WideNarrowCases.h"

namespace StriveloTest {
namespace {

using Strivelo::BarcodeProcessor;
using Strivelo::FourCC;
using Strivelo::kBarcodeType2of5;
using Strivelo::kBarcodeType3of9;
using Strivelo::kBarcodeTypeITF14;
using testing::DoubleNear;
using testing::ElementsAre;
using testing::Pointwise;
using Kind = RecordedCall::Kind;

std::vector<double> Numbers(const Box& box) {
    return {box.left, box.right, box.bottom, box.top};
}

class BeginDecodeCounter {
public:
    int begun = 0;

protected:
    ~BeginDecodeCounter() = default;
};

// Counts its BeginDecode calls, which come with the first allocation of a
// decoding.
template <typename Symbology>
class Counting final : public Symbology, public BeginDecodeCounter {
public:
    bool BeginDecode(const double* edges, std::uint32_t count) override {
        ++begun;
        return Symbology::BeginDecode(edges, count);
    }
};

std::unique_ptr<BarcodeProcessor> MakeCounting(std::int32_t type) {
    switch (type) {
        case kBarcodeType2of5:
            return std::make_unique<Counting<Strivelo::BarcodeProcessor2of5>>();
        case kBarcodeTypeITF14:
            return std::make_unique<Counting<Strivelo::BarcodeProcessorITF14>>();
        case kBarcodeType3of9:
            return std::make_unique<Counting<Strivelo::BarcodeProcessor3of9>>();
        default:
            ADD_FAILURE() << "not a wide/narrow type: " << TypeName(type);
            return nullptr;
    }
}

int BeginDecodeCalls(const BarcodeProcessor& processor) {
    return dynamic_cast<const BeginDecodeCounter&>(processor).begun;
}

}  // namespace

TEST_P(WideNarrowWidthTest, ComputesTotalWidthAndDefaultHeight) {
    const WidthCase& c = GetParam();
    const auto processor = MakeSymbol(c.symbol);
    EXPECT_NEAR(processor->ComputeWidth(), c.totalWidthMm, 1e-9);
    EXPECT_NEAR(processor->GetTotalWidth(), c.totalWidthMm, 1e-9);
    const std::vector<RecordedBar> bars = Draw(*processor).GetBars();
    ASSERT_FALSE(bars.empty());
    EXPECT_NEAR(bars.front().top, c.defaultHeightMm, 1e-9);
    // The default height passes the height check.
    processor->SetBarHeight(bars.front().top);
    EXPECT_TRUE(processor->IsBarHeightValid());
}

TEST_P(WideNarrowLayoutTest, PlacesFrameBearerBarsAndText) {
    const LayoutCase& c = GetParam();
    const auto processor = MakeSymbol(c.symbol);
    ASSERT_TRUE(dynamic_cast<Strivelo::BarcodeProcessorMixIn_Font&>(*processor).SetFont("Courier"));
    const Drawing drawing = Draw(*processor);
    ASSERT_TRUE(drawing.generated);
    const std::vector<RecordedCall>& calls = drawing.GetCalls();
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[0].kind, Kind::kFont);
    EXPECT_EQ(calls[0].text, "Courier");
    EXPECT_THAT(calls[0].flags, ElementsAre(false));

    const std::vector<RecordedCall> frames = drawing.GetCalls(Kind::kFrame);
    ASSERT_EQ(frames.size(), c.frameBox ? 1u : 0u);
    if (c.frameBox) {
        EXPECT_EQ(calls[1].kind, Kind::kFrame);
        std::vector<double> expected = Numbers(*c.frameBox);
        expected.push_back(0.0);
        EXPECT_THAT(frames[0].numbers, Pointwise(DoubleNear(1e-9), expected));
    }

    const std::vector<RecordedCall> bearerBars = drawing.GetCalls(Kind::kBearerBar);
    ASSERT_EQ(bearerBars.size(), c.bearers.size());
    for (std::size_t i = 0; i < bearerBars.size(); ++i) {
        EXPECT_THAT(bearerBars[i].numbers, Pointwise(DoubleNear(1e-9), Numbers(c.bearers[i]))) << i;
    }

    for (const RecordedBar& bar : drawing.GetBars()) {
        EXPECT_EQ(bar.bottom, 0.0);
        EXPECT_NEAR(bar.top, c.barTop, 1e-9);
    }

    const std::vector<RecordedCall> texts = drawing.GetCalls(Kind::kText);
    ASSERT_EQ(texts.size(), c.textX.size());
    std::string line;
    const double module = NominalModule(c.symbol.type) * drawing.magnification;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        line += texts[i].text;
        EXPECT_THAT(texts[i].numbers,
                    Pointwise(DoubleNear(1e-9), {c.textX[i], c.textY, c.textSize}))
            << i;
        // Text of any size stays below the bars and their bearer bar.
        EXPECT_LE(texts[i].numbers[1] + texts[i].numbers[2], -module + 1e-12);
    }
    EXPECT_EQ(line, c.textLine);
    EXPECT_TRUE(drawing.GetCalls(Kind::kQuietZoneMarks).empty());
}

TEST_P(WideNarrowBarsTest, DrawsTheElements) {
    const BarsCase& c = GetParam();
    const std::vector<RecordedBar> bars = Draw(*MakeSymbol(c.symbol)).GetBars();
    ASSERT_EQ(bars.size(), c.bars.size());
    for (std::size_t i = 0; i < bars.size(); ++i) {
        EXPECT_THAT(std::vector<double>({bars[i].left, bars[i].right}),
                    Pointwise(DoubleNear(1e-9), c.bars[i]))
            << i;
    }
    // A reduction takes half of itself from either side of every bar.
    SymbolSettings reduced = c.symbol;
    reduced.reductionMm = 0.04;
    const std::vector<RecordedBar> narrower = Draw(*MakeSymbol(reduced)).GetBars();
    ASSERT_EQ(narrower.size(), c.bars.size());
    for (std::size_t i = 0; i < narrower.size(); ++i) {
        EXPECT_NEAR(narrower[i].left, c.bars[i][0] + 0.02, 1e-9) << i;
        EXPECT_NEAR(narrower[i].right, c.bars[i][1] - 0.02, 1e-9) << i;
    }
}

TEST_P(WideNarrowGenerateFailureTest, StopsAtTheFirstRefusedCall) {
    const GenerateFailureCase& c = GetParam();
    SymbolSettings everything = c.symbol;
    everything.bearerBars = true;
    everything.bearerBarEndBars = true;
    everything.quietZoneMarks = true;
    ASSERT_EQ(Draw(*MakeSymbol(everything)).GetCalls().size(), c.calls);
    ExpectStopsAtEachRefusedCall(everything);
}

TEST_P(WideNarrowKnownModulesTest, Decodes) {
    const KnownModulesCase& c = GetParam();
    const std::vector<double> edges = EdgesFromBars(BarsFromModules(c.modules, c.moduleMm));
    const auto processor = MakeProcessor(c.type);
    ASSERT_TRUE(processor->DecodeEdges(edges.data(), static_cast<std::uint32_t>(edges.size())));
    const DecodedState state = DecodedState::Of(*processor);
    EXPECT_EQ(state.code, c.code);
    EXPECT_FALSE(state.reversed);
    EXPECT_NEAR(state.magnification, c.moduleMm / NominalModule(c.type), 1e-12);
    EXPECT_NEAR(state.ratio, c.ratio, 1e-12);
    EXPECT_EQ(state.heightBarEdge, 0);
    EXPECT_EQ(state.firstSymbolEdge, 0);
    EXPECT_EQ(state.lastSymbolEdge, static_cast<std::int32_t>(edges.size()) - 1);
}

TEST_P(WideNarrowDecodeFailureTest, LeavesTheProcessorAsItWas) {
    const FailingEdgesCase& c = GetParam();
    const auto processor = MakeCounting(c.decoded.type);
    ASSERT_NE(processor, nullptr);
    EdgeOptions backwards;
    backwards.backwards = true;
    backwards.offsetMm = 300.0;
    const std::vector<double> decoded =
        EdgesFromBars(Draw(*MakeSymbol(c.decoded)).GetBars(), backwards);
    ASSERT_TRUE(processor->DecodeEdges(decoded.data(), static_cast<std::uint32_t>(decoded.size())));
    const DecodedState before = DecodedState::Of(*processor);
    ASSERT_TRUE(before.reversed);
    const int begun = BeginDecodeCalls(*processor);

    EXPECT_FALSE(
        processor->DecodeEdges(c.edges.data(), static_cast<std::uint32_t>(c.edges.size())));
    EXPECT_EQ(BeginDecodeCalls(*processor) == begun, c.cheap);
    EXPECT_EQ(DecodedState::Of(*processor), before);
}

TEST_P(WideNarrowFitTest, RoundsToWholeDeviceUnits) {
    const FitCase& c = GetParam();
    const auto processor = MakeProcessor(c.type);
    auto& option = dynamic_cast<Strivelo::BarcodeProcessorMixIn_WideNarrowOption&>(*processor);
    processor->SetMagnification(c.magnification);
    ASSERT_TRUE(option.SetWideNarrowRatio(c.ratio));
    EXPECT_EQ(processor->FitToResolution(c.unitsPerModule / NominalModule(c.type)), c.fitted);
    if (c.fitted) {
        EXPECT_NEAR(processor->GetMagnification(), c.fittedMagnification, 1e-9);
        EXPECT_NEAR(option.GetWideNarrowRatio(), c.fittedRatio, 1e-9);
        EXPECT_TRUE(processor->ValidateParameters());
    } else {
        EXPECT_EQ(option.GetWideNarrowRatio(), c.ratio);
        EXPECT_TRUE(processor->GetMagnification() == c.magnification ||
                    c.magnification != c.magnification);
    }
}

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct NoModuleCase {
    SymbolSettings symbol;
    double width;
};

// Interleaved 2 of 5 answers -1 for a module that is not positive, Code 39 0.
TEST(WideNarrowNoModuleTest, NoWidthAndNothingDrawn) {
    const NoModuleCase cases[] = {
        {{.type = kBarcodeType2of5, .code = "1234"}, -1.0},
        {{.type = kBarcodeTypeITF14, .code = "12345678901231"}, -1.0},
        {{.type = kBarcodeType3of9, .code = "A"}, 0.0},
    };
    for (const NoModuleCase& c : cases) {
        for (const double magnification : {0.0, -1.0, kNaN}) {
            SymbolSettings symbol = c.symbol;
            symbol.magnification = magnification;
            const auto processor = MakeSymbol(symbol);
            EXPECT_EQ(processor->ComputeWidth(), c.width) << symbol.code << " " << magnification;
            const Drawing drawing = Draw(*processor);
            EXPECT_FALSE(drawing.generated);
            EXPECT_TRUE(drawing.GetCalls().empty());
        }
        EXPECT_EQ(MakeProcessor(c.symbol.type)->ComputeWidth(), 0.0);
    }
}

TEST(WideNarrowHasOptionTest, ITF14OffersAllButTheBearerBarSwitch) {
    struct OptionCase {
        char option[5];
        bool plain;
        bool itf14;
    };
    const OptionCase cases[] = {
        {"FONT", true, true}, {"FCAL", true, true}, {"FSCL", true, true},   {"BBAR", true, false},
        {"BEBB", true, true}, {"W2NR", true, true}, {"SCAL", false, false},
    };
    for (const OptionCase& c : cases) {
        const std::int32_t option = FourCC(c.option);
        EXPECT_EQ(MakeProcessor(kBarcodeType2of5)->HasOption(option), c.plain) << c.option;
        EXPECT_EQ(MakeProcessor(kBarcodeType3of9)->HasOption(option), c.plain) << c.option;
        EXPECT_EQ(MakeProcessor(kBarcodeTypeITF14)->HasOption(option), c.itf14) << c.option;
    }
}

}  // namespace
}  // namespace StriveloTest
