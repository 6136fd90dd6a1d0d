// The measure tool: the line it shows while dragging, what the document is
// after the release, and what a reading puts into the palette.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "BarcodeFourCC.h"
#include "BarcodeProcessorRegistry.h"
#include "MeasureTool.h"
#include "PaletteScene.h"
#include "SymbolArt.h"

namespace {

using creationtest::PaletteScene;
using Strivelo::BarcodeProcessor;
using Strivelo::FourCC;

constexpr double kPointsPerMm = 72 / 25.4;
constexpr host::Error kInjected = host::FourCharCode("FAIL");

std::unique_ptr<BarcodeProcessor> Processor(std::int32_t type, const char* code) {
    std::unique_ptr<BarcodeProcessor> processor = Strivelo::CreateByType(type);
    EXPECT_TRUE(processor->SetCode(code));
    return processor;
}

// Every layer and every piece of art of the document, in tree order.
struct Content {
    std::vector<standin::LayerRecord> layers;
    std::vector<standin::ArtRecord> art;
    bool operator==(const Content&) const = default;
};

Content ContentOf(PaletteScene& scene) {
    Content content;
    const std::function<void(host::Art)> collect = [&](host::Art art) {
        content.art.push_back(scene.Record(art));
        for (const host::Art child : scene.Children(art)) {
            collect(child);
        }
    };
    for (const host::Layer layer : scene.store.Document(scene.document).layers) {
        content.layers.push_back(*scene.store.PeekLayer(layer));
        collect(scene.store.PeekLayer(layer)->group);
    }
    return content;
}

// A pressed and dragged line leaves the document as it was, on any current
// layer; it shows one line while dragging, along the axis the drag went
// further.
TEST(MeasureTool, ShowsOneLineWhileDraggingAndLeavesNoTrace) {
    struct Case {
        const char* what;
        bool visible;
        bool editable;
        std::vector<host::RealPoint> drags;  // from (100, 100)
        host::RealPoint lineEnd;
        int beeps;
    };
    const Case cases[] = {
        {"a click", true, true, {}, {100, 100}, 0},
        {"right and down as far", true, true, {{130, 70}}, {100, 70}, 1},
        {"further right than down", true, true, {{140, 90}}, {140, 100}, 1},
        {"straight up", true, true, {{100, 105}}, {100, 105}, 1},
        {"dragged on", true, true, {{120, 140}, {180, 110}}, {180, 100}, 1},
        {"on a hidden layer", false, true, {{140, 100}}, {140, 100}, 1},
        {"on a locked layer", true, false, {{140, 100}}, {140, 100}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PaletteScene scene({{"Ebene 1", c.visible, c.editable}});
        scene.MakePalette();
        scene.MakeTools();
        const Content before = ContentOf(scene);
        const host::RealPoint start{100, 100};
        ASSERT_EQ(scene.host.SendTool(MeasureTool::kName, host::kSelectorMouseDown, start),
                  host::kNoError);
        for (const host::RealPoint drag : c.drags) {
            ASSERT_EQ(scene.host.SendTool(MeasureTool::kName, host::kSelectorMouseDrag, drag),
                      host::kNoError);
        }
        const std::vector<host::Art> shown = scene.Children(scene.LayerGroup());
        ASSERT_EQ(shown.size(), 1u);
        const standin::ArtRecord& line = scene.Record(shown[0]);
        ASSERT_EQ(line.segments.size(), 2u);
        EXPECT_EQ(line.segments[0], creationtest::Corner(start.h, start.v));
        EXPECT_EQ(line.segments[1], creationtest::Corner(c.lineEnd.h, c.lineEnd.v));
        EXPECT_TRUE(line.closed);
        EXPECT_FALSE(line.style.fillPaint);
        EXPECT_TRUE(line.style.strokePaint);
        EXPECT_EQ(line.style.stroke.color, creationtest::Gray(1));
        EXPECT_EQ(line.style.stroke.width, 1.0f);
        const std::string code = scene.ShownCode();
        EXPECT_EQ(scene.host.SendTool(MeasureTool::kName, host::kSelectorMouseUp, c.lineEnd),
                  host::kNoError);
        EXPECT_TRUE(ContentOf(scene) == before);
        EXPECT_EQ(scene.Beeps(), c.beeps);
        EXPECT_EQ(scene.ShownCode(), c.beeps == 0 ? code : "");
        scene.Shutdown();
        scene.ExpectBalancedAndClean();
    }
}

// A reading puts the symbol into the palette with its deviations and the
// height of the bar its symbology names, and selects its bars: only them,
// or with shift held besides what was selected.
TEST(MeasureTool, ReadsTheSymbolIntoThePaletteAndSelectsItsBars) {
    for (const bool shift : {false, true}) {
        SCOPED_TRACE(shift ? "with shift" : "without shift");
        PaletteScene scene;
        scene.MakePalette();
        scene.MakeTools();
        const std::unique_ptr<BarcodeProcessor> made = Processor(FourCC("eanD"), "4-006381-333931");
        const host::RealPoint origin{100, 300};
        const std::vector<host::Art> bars =
            creationtest::DrawBars(scene, scene.LayerGroup(), *made, origin);
        // Each bar of a height of its own, all across the line.
        for (std::size_t i = 0; i < bars.size(); ++i) {
            std::vector<host::PathSegment> segments = scene.Record(bars[i]).segments;
            segments[1].anchor.v = segments[2].anchor.v = origin.v + 40 + static_cast<float>(i);
            segments[1].in = segments[1].out = segments[1].anchor;
            segments[2].in = segments[2].out = segments[2].anchor;
            ASSERT_EQ(scene.store.SetSegments(creationtest::kCall, bars[i], 0, segments),
                      host::kNoError);
        }
        const host::Art earlier = scene.Bar(scene.LayerGroup(), 10, 10, 12, 50);
        scene.store.SetSelected(creationtest::kCall, earlier, true);
        const host::RealPoint from{50, 320};
        const host::RealPoint to{300, 320};
        std::unique_ptr<BarcodeProcessor> expected = creationtest::ReadAlong(from, to);
        ASSERT_NE(expected, nullptr);
        ASSERT_GE(expected->GetHeightBarEdge(), 0);

        ASSERT_EQ(scene.Drag(from, to, shift ? host::kModifierShift : 0), host::kNoError);
        EXPECT_EQ(scene.ShownType(), FourCC("eanD"));
        EXPECT_EQ(scene.ShownCode(), "4-006381-333931");
        const standin::DialogSnapshot view = scene.View();
        const host::Art heightBar =
            bars.at(static_cast<std::size_t>(expected->GetHeightBarEdge()) / 2);
        host::RealRect box{};
        scene.store.Bounds(creationtest::kCall, heightBar, &box);
        EXPECT_NEAR(view.items.at(BarcodeDialog::kBarHeightItem).number, box.top - box.bottom,
                    1e-3);
        const auto& maxDeviation = view.items.at(BarcodeDialog::kMaxDeviationItem);
        const auto& meanDeviation = view.items.at(BarcodeDialog::kMeanDeviationItem);
        EXPECT_TRUE(maxDeviation.visible && meanDeviation.visible);
        EXPECT_NEAR(maxDeviation.number, expected->GetMaxDeviation() * kPointsPerMm, 1e-6);
        EXPECT_NEAR(meanDeviation.number, expected->GetMeanDeviation() * kPointsPerMm, 1e-6);
        EXPECT_EQ(view.bounds.bottom - view.bounds.top - host::kDialogTitleBarHeight,
                  BarcodeDialog::kHeightWithDeviation);
        for (const host::Art bar : bars) {
            EXPECT_TRUE(scene.Record(bar).selected);
        }
        EXPECT_EQ(scene.Record(earlier).selected, shift);
        EXPECT_EQ(scene.Beeps(), 0);
        scene.Shutdown();
        scene.ExpectBalancedAndClean();
    }
}

// A line that reads nothing empties the code field with a beep; a failing
// host call is the result, with nothing read.
TEST(MeasureTool, ToldWhenItReadsNothing) {
    struct Case {
        const char* what;
        host::RealPoint from;
        host::RealPoint to;
        std::function<void(PaletteScene&)> arrange;
        host::Error result;
        int beeps;
        bool cleared;
    };
    const auto none = [](PaletteScene&) {};
    const auto failing = [](const host::SuiteVersions& suite, const char* function) {
        return [&suite, function](PaletteScene& s) {
            s.host.Core().GetFaults().FailCall(suite.name, function, kInjected);
        };
    };
    const Case cases[] = {
        {"a line across nothing", {50, 100}, {300, 100}, none, host::kNoError, 1, true},
        {"a line ending among the bars", {50, 320}, {150, 320}, none, host::kNoError, 1, true},
        {"a line through the bars lengthwise",
         {120, 250},
         {120, 400},
         none,
         host::kNoError,
         1,
         true},
        {"undo refused",
         {50, 320},
         {300, 320},
         failing(host::kAiUndoSuite, "UndoChanges"),
         kInjected,
         0,
         false},
        {"bars that cannot be measured",
         {50, 320},
         {300, 320},
         failing(host::kAiArtSuite, "GetArtBounds"),
         kInjected,
         0,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PaletteScene scene;
        ASSERT_TRUE(scene.Ready(FourCC("c128"), "AB123456"));
        creationtest::DrawSymbol(scene, scene.LayerGroup(),
                                 *Processor(FourCC("eanD"), "4-006381-333931"),
                                 {.origin = {100, 300}});
        scene.host.SendTool(MeasureTool::kName, host::kSelectorMouseDown, c.from);
        scene.host.SendTool(MeasureTool::kName, host::kSelectorMouseDrag, c.to);
        c.arrange(scene);
        EXPECT_EQ(scene.host.SendTool(MeasureTool::kName, host::kSelectorMouseUp, c.to), c.result);
        scene.host.Core().GetFaults().Clear();
        EXPECT_EQ(scene.Beeps(), c.beeps);
        EXPECT_EQ(scene.ShownCode(), c.cleared ? "" : "AB123456");
        EXPECT_EQ(scene.ShownType(), FourCC("c128"));
        scene.Shutdown();
        scene.ExpectBalancedAndClean();
    }
}

// Before the palette exists a reading still selects the bars, and the
// symbol read goes.
TEST(MeasureTool, ReadsWithoutAPalette) {
    PaletteScene scene;
    scene.MakeTools();
    const creationtest::DrawnSymbol symbol = creationtest::DrawSymbol(
        scene, scene.LayerGroup(), *Processor(FourCC("eanD"), "4-006381-333931"));
    scene.store.DeselectLayer(creationtest::kCall, scene.Layer());
    ASSERT_EQ(scene.Drag(symbol.lineStart, symbol.lineEnd), host::kNoError);
    const std::vector<host::Art> bars = scene.Children(scene.Children(symbol.group).at(1));
    ASSERT_FALSE(bars.empty());
    for (const host::Art bar : bars) {
        EXPECT_TRUE(scene.Record(bar).selected);
    }
    EXPECT_EQ(scene.Beeps(), 0);
    scene.Shutdown();
    scene.ExpectBalancedAndClean();
}

}  // namespace
