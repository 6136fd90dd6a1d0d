// Every registered symbology drawn through the generator into a document
// and read back from the art along the line the generator remembers: the
// art is what the engine asked for, and reads as the symbol it was made
// from.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "BarcodeEdgeView.h"
#include "BarcodeGenerate.h"
#include "BarcodeProcessorMixIn_BearerBarsOption.h"
#include "BarcodeProcessorMixIn_Font.h"
#include "BarcodeProcessorMixIn_FontScaling.h"
#include "BarcodeProcessorMixIn_WideNarrowOption.h"
#include "BarcodeProcessorRegistry.h"
#include "CaseName.h"
#include "CreationScene.h"
#include "RecordingGenerator.h"
#include "SymbolArt.h"
#include "SymbolSettings.h"

namespace {

using creationtest::CreationScene;
using creationtest::DrawnSymbol;
using creationtest::DrawOptions;
using creationtest::Sample;
using Strivelo::BarcodeProcessor;
using StriveloTest::RecordedCall;
using StriveloTest::SymbolSettings;

constexpr double kPt = 2.8346457;
constexpr float kPointTolerance = 1e-3f;

// One way of drawing: the options and what the generator is told, for the
// symbologies that have the option a row needs (none: all).
struct Drawing {
    const char* name;
    SymbolSettings options;
    DrawOptions draw;
    std::int32_t option = 0;
    const char* font = "Helvetica";
};

std::vector<Drawing> Drawings() {
    const auto with = [](auto change) {
        SymbolSettings options;
        change(options);
        return options;
    };
    return {
        {"nominal", {}, {}},
        {"bars 0.05 mm narrower", with([](SymbolSettings& o) { o.reductionMm = 0.05; }), {}},
        {"bars 0.03 mm wider", with([](SymbolSettings& o) { o.reductionMm = -0.03; }), {}},
        {"at 80 %", with([](SymbolSettings& o) { o.magnification = 0.8; }), {}},
        {"at 200 %", with([](SymbolSettings& o) { o.magnification = 2.0; }), {}},
        {"bearer bars",
         with([](SymbolSettings& o) { o.bearerBars = true; }),
         {},
         Strivelo::kBarcodeOptionBearerBars},
        {"bearer bars closed by end bars",
         with([](SymbolSettings& o) {
             o.bearerBars = true;
             o.bearerBarEndBars = true;
         }),
         {},
         Strivelo::kBarcodeOptionBearerBarEndBars},
        {"quiet-zone marks", with([](SymbolSettings& o) { o.quietZoneMarks = true; }), {}},
        {"no erase box", {}, {.noEraseBox = true}},
        {"text as outlines", {}, {.outlines = true}},
        {"centred text",
         with([](SymbolSettings& o) { o.centerAlign = true; }),
         {},
         Strivelo::kBarcodeOptionCenterAlign},
        {"ratio 2",
         with([](SymbolSettings& o) { o.wideNarrowRatio = 2.0; }),
         {},
         Strivelo::kBarcodeOptionWideNarrowRatio},
        {"ratio 3",
         with([](SymbolSettings& o) { o.wideNarrowRatio = 3.0; }),
         {},
         Strivelo::kBarcodeOptionWideNarrowRatio},
        {"bars 30 mm high", with([](SymbolSettings& o) { o.barHeightMm = 30; }), {}},
        {"height growing with the width",
         with([](SymbolSettings& o) {
             o.magnification = 1.5;
             o.scaleHeightWithWidth = true;
         }),
         {}},
        {"OCR-B text", {}, {}, Strivelo::kBarcodeOptionFont, "OCRB"},
    };
}

// The bars and bearer bars the engine asked for, in points.
std::vector<std::vector<host::RealPoint>> BarsAskedFor(const StriveloTest::RecordingGenerator& g,
                                                       host::RealPoint origin) {
    std::vector<std::vector<host::RealPoint>> bars;
    for (const RecordedCall& call : g.GetCalls()) {
        if (call.kind != RecordedCall::Kind::kBar && call.kind != RecordedCall::Kind::kBearerBar) {
            continue;
        }
        const auto point = [&](double x, double y) {
            return host::RealPoint{static_cast<float>(origin.h + x * kPt),
                                   static_cast<float>(origin.v + y * kPt)};
        };
        const std::vector<double>& n = call.numbers;  // left, right, bottom, top
        bars.push_back(
            {point(n[0], n[2]), point(n[0], n[3]), point(n[1], n[3]), point(n[1], n[2])});
    }
    return bars;
}

std::size_t MarksAskedFor(const StriveloTest::RecordingGenerator& g) {
    std::size_t marks = 0;
    for (const RecordedCall& call : g.GetCalls(RecordedCall::Kind::kQuietZoneMarks)) {
        marks += (call.flags[0] ? 1 : 0) + (call.flags[1] ? 1 : 0);
    }
    return marks;
}

// Checks the art of a drawn symbol against what the engine asked for.
void ExpectArtAskedFor(const CreationScene& scene, const DrawnSymbol& symbol,
                       const StriveloTest::RecordingGenerator& asked, const Drawing& drawing) {
    const std::vector<host::Art> parts = scene.Children(symbol.group);
    ASSERT_GE(parts.size(), 2u);
    const standin::ArtRecord& frame = scene.Record(parts[0]);
    EXPECT_EQ(frame.type, host::ArtType::kPath);
    EXPECT_EQ(frame.tags.at(BarcodeGenerate::kParametersTag).value, drawing.draw.parameters);
    EXPECT_EQ(frame.style.fillPaint, !drawing.draw.noEraseBox);
    const std::vector<std::vector<host::RealPoint>> bars = BarsAskedFor(asked, drawing.draw.origin);
    const std::vector<host::Art> drawn = scene.Children(parts[1]);
    ASSERT_EQ(drawn.size(), bars.size());
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const standin::ArtRecord& bar = scene.Record(drawn[i]);
        ASSERT_EQ(bar.segments.size(), 4u);
        for (std::size_t j = 0; j < 4; ++j) {
            EXPECT_NEAR(bar.segments[j].anchor.h, bars[i][j].h, kPointTolerance) << i;
            EXPECT_NEAR(bar.segments[j].anchor.v, bars[i][j].v, kPointTolerance) << i;
        }
        EXPECT_TRUE(bar.style.fillPaint && bar.style.fill.overprint && !bar.style.strokePaint);
        EXPECT_EQ(bar.style.fill.color, creationtest::Gray(1));
    }
    std::map<host::ArtType, std::size_t> kinds;
    for (std::size_t i = 2; i < parts.size(); ++i) {
        ++kinds[scene.Record(parts[i]).type];
    }
    const std::size_t texts = asked.GetCalls(RecordedCall::Kind::kText).size();
    EXPECT_EQ(kinds[host::ArtType::kPath], MarksAskedFor(asked));
    EXPECT_EQ(kinds[host::ArtType::kTextFrame], drawing.draw.outlines ? 0 : texts);
    EXPECT_EQ(kinds[host::ArtType::kGroup], drawing.draw.outlines ? texts : 0);
}

class GeneratorRoundTrip : public testing::TestWithParam<Sample> {
protected:
    // A processor of the sample drawn the way of the row; null when the row's
    // option is not the symbology's or its parameters are not legal.
    static std::unique_ptr<BarcodeProcessor> Make(const Sample& sample, const Drawing& drawing) {
        std::unique_ptr<BarcodeProcessor> processor = Strivelo::CreateByType(sample.type);
        EXPECT_NE(processor, nullptr);
        EXPECT_TRUE(processor->SetCode(sample.code));
        if ((drawing.option != 0 && !processor->HasOption(drawing.option)) ||
            !StriveloTest::ApplySettings(*processor, drawing.options) ||
            !processor->ValidateParameters()) {
            return nullptr;
        }
        if (auto* font = dynamic_cast<Strivelo::BarcodeProcessorMixIn_Font*>(processor.get())) {
            font->SetFont(drawing.font);
        }
        return processor;
    }
};

TEST_P(GeneratorRoundTrip, DrawsWhatTheEngineAsksAndReadsBackAlongItsLine) {
    const Sample& sample = GetParam();
    int drawn = 0;
    for (const Drawing& drawing : Drawings()) {
        CreationScene scene;
        std::unique_ptr<BarcodeProcessor> processor = Make(sample, drawing);
        if (processor == nullptr) {
            continue;
        }
        SCOPED_TRACE(drawing.name);
        ++drawn;
        StriveloTest::RecordingGenerator asked;
        ASSERT_TRUE(processor->GenerateInto(&asked));
        const DrawnSymbol symbol =
            creationtest::DrawSymbol(scene, scene.LayerGroup(), *processor, drawing.draw);
        ASSERT_TRUE(symbol.drawn);
        ExpectArtAskedFor(scene, symbol, asked, drawing);

        std::unique_ptr<BarcodeProcessor> reading =
            creationtest::ReadAlong(symbol.lineStart, symbol.lineEnd);
        ASSERT_NE(reading, nullptr);
        EXPECT_EQ(StriveloTest::TypeName(reading->GetType()),
                  StriveloTest::TypeName(sample.identifiedAs));
        reading = creationtest::CandidateOfType(std::move(reading), sample.type);
        EXPECT_EQ(creationtest::ReadingFault(reading.get(), *processor), "");
        scene.ExpectBalancedAndClean();
    }
    EXPECT_GE(drawn, 10);
}

// A quarter turn makes the bars lie; a vertical line reads them.
TEST_P(GeneratorRoundTrip, ReadsTheSymbolTurnedAlongAVerticalLine) {
    const Sample& sample = GetParam();
    CreationScene scene;
    std::unique_ptr<BarcodeProcessor> processor = Make(sample, Drawings()[0]);
    ASSERT_NE(processor, nullptr);
    const DrawnSymbol symbol = creationtest::DrawSymbol(scene, scene.LayerGroup(), *processor);
    ASSERT_TRUE(symbol.drawn);
    const host::RealPoint centre{300, 300};
    creationtest::Rotate(scene, symbol.group, centre);
    const host::RealPoint from = creationtest::Rotated(symbol.lineStart, centre);
    const host::RealPoint to = creationtest::Rotated(symbol.lineEnd, centre);
    ASSERT_EQ(from.h, to.h);
    std::unique_ptr<BarcodeProcessor> reading =
        creationtest::CandidateOfType(creationtest::ReadAlong(from, to), sample.type);
    EXPECT_EQ(creationtest::ReadingFault(reading.get(), *processor), "");
    scene.ExpectBalancedAndClean();
}

INSTANTIATE_TEST_SUITE_P(EveryType, GeneratorRoundTrip, testing::ValuesIn(creationtest::kSamples),
                         StriveloTest::TypeCaseName<Sample>);

}  // namespace
