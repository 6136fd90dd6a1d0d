#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "BarArtWalk.h"
#include "BarcodeArtScanner.h"
#include "CreationScene.h"

namespace {

using creationtest::Corner;
using creationtest::CreationScene;
using creationtest::Filled;
using creationtest::Gray;
using creationtest::Rectangle;
using creationtest::Stroked;

constexpr double kMm = 25.4 / 72.0;
constexpr host::Error kFailure = host::FourCharCode("FAIL");
constexpr std::uint32_t kEdgeCapacity = 300;

// n upright bars of width points, pitch apart, from x on; 100 to 200 high.
std::vector<host::Art> Ladder(CreationScene& s, host::Art into, int n, float x = 100,
                              float width = 2, float pitch = 4) {
    std::vector<host::Art> bars;
    for (int i = 0; i < n; ++i) {
        bars.push_back(s.Bar(into, x + pitch * i, 100, x + pitch * i + width, 200));
    }
    return bars;
}

// The edges a horizontal reading finds.
std::vector<double> ReadAcross(host::RealPoint from, host::RealPoint to) {
    BarcodeArtScanner scanner;
    EXPECT_EQ(scanner.Collect(from, to), host::kNoError);
    std::vector<double> edges(kEdgeCapacity);
    std::vector<double> heights(kEdgeCapacity / 2);
    edges.resize(scanner.GetEdges(edges.data(), heights.data(), kEdgeCapacity));
    return edges;
}

host::Color Cmyk(float c, float m, float y, float k) {
    host::Color color{};
    color.kind = host::ColorKind::kCmyk;
    color.cmyk = {c, m, y, k};
    return color;
}

host::Color Rgb(float r, float g, float b) {
    host::Color color{};
    color.kind = host::ColorKind::kRgb;
    color.rgb = {r, g, b};
    return color;
}

TEST(BarcodeArtScanner, ReadsOnlyAlongAnAxis) {
    struct Case {
        const char* what;
        host::RealPoint from;
        host::RealPoint to;
        host::Error result;
        std::uint32_t edges;
    };
    const Case cases[] = {
        {"a point", {150, 150}, {150, 150}, kErrorNotAxisLine, 0},
        {"slanted", {50, 140}, {300, 160}, kErrorNotAxisLine, 0},
        {"horizontal", {50, 150}, {300, 150}, host::kNoError, 10},
        {"horizontal from the right", {300, 150}, {50, 150}, host::kNoError, 10},
        {"vertical", {103, 50}, {103, 300}, host::kNoError, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CreationScene scene;
        const std::vector<host::Art> bars = Ladder(scene, scene.LayerGroup(), 5);
        BarcodeArtScanner scanner;
        // A reading first along the bars, which a refused line must forget.
        ASSERT_EQ(scanner.Collect({50, 150}, {300, 150}), host::kNoError);
        EXPECT_EQ(scanner.Collect(c.from, c.to), c.result);
        double edges[kEdgeCapacity];
        double heights[kEdgeCapacity / 2];
        EXPECT_EQ(scanner.GetEdges(edges, heights, kEdgeCapacity), c.edges);
        EXPECT_EQ(scanner.SelectBars(), host::kNoError);
        EXPECT_EQ(scene.Record(bars[0]).selected, c.edges > 0);
        scene.ExpectBalancedAndClean();
    }
}

TEST(BarcodeArtScanner, TellsDarkPaintFromLight) {
    struct Case {
        const char* what;
        std::function<host::Color(CreationScene&)> color;
        bool dark;
    };
    const auto custom = [](host::CustomColorKind kind, host::CmykValues cmyk, host::RgbValues rgb,
                           float tint) {
        return [=](CreationScene& s) {
            host::Color color{};
            color.kind = host::ColorKind::kCustom;
            color.custom = {s.store.NewCustomColor(s.document, "Spot", {kind, cmyk, rgb}), tint};
            return color;
        };
    };
    const auto fixed = [](host::Color color) { return [=](CreationScene&) { return color; }; };
    host::Color pattern{};
    pattern.kind = host::ColorKind::kPattern;
    host::Color gradient{};
    gradient.kind = host::ColorKind::kGradient;
    const Case cases[] = {
        {"grey 0.049", fixed(Gray(0.049f)), false},
        {"grey 0.05", fixed(Gray(0.05f)), true},
        {"black ink 4 %", fixed(Cmyk(0, 0, 0, 0.04f)), false},
        {"black ink 5 %", fixed(Cmyk(0, 0, 0, 0.05f)), true},
        {"cyan 5 %", fixed(Cmyk(0.05f, 0, 0, 0)), true},
        {"yellow 5 %", fixed(Cmyk(0, 0, 0.05f, 0)), true},
        {"light RGB", fixed(Rgb(0.96f, 0.96f, 0.96f)), false},
        {"one RGB channel at 0.95", fixed(Rgb(0.95f, 1, 1)), true},
        {"full black spot, tint 0.96",
         custom(host::CustomColorKind::kCmyk, {0, 0, 0, 1}, {}, 0.96f), false},
        {"full black spot, tint 0.95",
         custom(host::CustomColorKind::kCmyk, {0, 0, 0, 1}, {}, 0.95f), true},
        {"RGB spot 0.9/1/1", custom(host::CustomColorKind::kRgb, {}, {0.9f, 1, 1}, 0), true},
        {"RGB spot white", custom(host::CustomColorKind::kRgb, {}, {1, 1, 1}, 0), false},
        {"spot of another model", custom(host::CustomColorKind::kOtherModel, {1, 1, 1, 1}, {}, 0),
         false},
        {"spot the host cannot define",
         [&custom](CreationScene& s) {
             s.host.Core().GetFaults().FailCall(host::kAiCustomColorSuite.name, "GetCustomColor",
                                                kFailure);
             return custom(host::CustomColorKind::kCmyk, {0, 0, 0, 1}, {}, 0)(s);
         },
         false},
        {"pattern", fixed(pattern), true},
        {"gradient", fixed(gradient), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CreationScene scene;
        EXPECT_EQ(IsDarkColor(c.color(scene)), c.dark);
        scene.ExpectBalancedAndClean();
    }
}

TEST(BarcodeArtScanner, KnowsRectanglesAndLinesAlongTheAxes) {
    const auto handled = [](std::vector<host::PathSegment> segments, std::size_t index) {
        segments[index].out.h += 1;
        return segments;
    };
    const std::vector<host::PathSegment> closing = {Corner(0, 0), Corner(0, 10), Corner(2, 10),
                                                    Corner(2, 0), Corner(0, 0)};
    struct Case {
        const char* what;
        std::vector<host::PathSegment> segments;
        bool closed;
        std::int32_t shape;
    };
    const Case cases[] = {
        {"starting up a side", Rectangle(0, 0, 2, 10), true, kRectangleBarShape},
        {"starting along the bottom",
         {Corner(0, 0), Corner(2, 0), Corner(2, 10), Corner(0, 10)},
         true,
         kRectangleBarShape},
        {"the other way round",
         {Corner(2, 10), Corner(2, 0), Corner(0, 0), Corner(0, 10)},
         true,
         kRectangleBarShape},
        {"open", Rectangle(0, 0, 2, 10), false, kRectangleBarShape},
        {"five points closing on the first", closing, true, kRectangleBarShape},
        {"five points not closing",
         {Corner(0, 0), Corner(0, 10), Corner(2, 10), Corner(2, 0), Corner(0, 1)},
         true,
         kNoBarShape},
        {"a handle off its anchor", handled(Rectangle(0, 0, 2, 10), 2), true, kNoBarShape},
        {"a handle off the fifth anchor", handled(closing, 4), true, kNoBarShape},
        {"turned", {Corner(1, 0), Corner(0, 1), Corner(1, 2), Corner(2, 1)}, true, kNoBarShape},
        {"vertical line", {Corner(5, 0), Corner(5, 10)}, false, kLineBarShape},
        {"horizontal line", {Corner(0, 5), Corner(10, 5)}, false, kLineBarShape},
        {"a point twice", {Corner(5, 5), Corner(5, 5)}, false, kLineBarShape},
        {"slanted line", {Corner(0, 0), Corner(10, 5)}, false, kNoBarShape},
        {"curved line", handled({Corner(5, 0), Corner(5, 10)}, 0), false, kNoBarShape},
        {"three points", {Corner(0, 0), Corner(0, 10), Corner(2, 10)}, true, kNoBarShape},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CreationScene scene;
        const host::Art path =
            scene.Path(scene.LayerGroup(), c.segments, Filled(Gray(1)), c.closed);
        EXPECT_EQ(GetBarShape(path), c.shape);
        scene.ExpectBalancedAndClean();
    }
    CreationScene scene;
    const host::Art compound = scene.Make(host::ArtType::kCompoundPath, scene.LayerGroup());
    scene.Path(compound, Rectangle(0, 0, 2, 10), Filled(Gray(1)));
    EXPECT_EQ(GetBarShape(compound), kNoBarShape);
    const host::Art bar = scene.Bar(scene.LayerGroup(), 0, 0, 2, 10);
    scene.host.Core().GetFaults().FailCall(host::kAiPathSuite.name, "GetPathSegments", kFailure);
    EXPECT_EQ(GetBarShape(bar), kNoBarShape);
    scene.ExpectBalancedAndClean();
}

// Which bars of a scene a reading along y = 150 keeps, by the edges it
// gives: the number of bars and the left edge of the first (points).
struct Reading {
    std::size_t bars;
    double firstLeft;
};

TEST(BarcodeArtScanner, KeepsTheLongestUnbrokenRunCrossedByTheLine) {
    const auto white = Filled(Gray(0));
    struct Case {
        const char* what;
        std::function<void(CreationScene&)> build;
        Reading reading;
        host::RealPoint to = {1000, 150};
    };
    const Case cases[] = {
        {"bars with their digits as text in one group",
         [](CreationScene& s) {
             const host::Art group = s.Group(s.LayerGroup());
             Ladder(s, group, 3);
             s.Text(group, {100, 90}, u"12");
             Ladder(s, group, 3, 112);
             s.Text(group, {112, 90}, u"3");
         },
         {6, 100}},
        {"a white erase box behind the bars",
         [&white](CreationScene& s) {
             s.Path(s.LayerGroup(), Rectangle(90, 80, 200, 220), white);
             Ladder(s, s.LayerGroup(), 5);
         },
         {5, 100}},
        {"the line ends inside the fourth bar",
         [](CreationScene& s) { Ladder(s, s.LayerGroup(), 6); },
         {3, 100},
         {113, 150}},
        {"a bar that the line passes below breaks the run",
         [](CreationScene& s) {
             Ladder(s, s.LayerGroup(), 2);
             s.Bar(s.LayerGroup(), 108, 160, 110, 200);
             Ladder(s, s.LayerGroup(), 3, 112);
         },
         {3, 112}},
        {"a filled and stroked rectangle is passed over",
         [](CreationScene& s) {
             Ladder(s, s.LayerGroup(), 2);
             host::PathStyle both = Filled(Gray(1));
             both.strokePaint = true;
             s.Path(s.LayerGroup(), Rectangle(108, 100, 110, 200), both);
             Ladder(s, s.LayerGroup(), 3, 112);
         },
         {5, 100}},
        {"stroked dark lines are bars",
         [](CreationScene& s) {
             for (int i = 0; i < 4; ++i) {
                 const float x = 101.0f + 4.0f * i;
                 s.Path(s.LayerGroup(), {Corner(x, 100), Corner(x, 200)}, Stroked(Gray(1), 2),
                        false);
             }
         },
         {4, 100}},
        {"a filled two-point path is no bar",
         [](CreationScene& s) {
             Ladder(s, s.LayerGroup(), 2);
             s.Path(s.LayerGroup(), {Corner(109, 100), Corner(109, 200)}, Filled(Gray(1)), false);
             Ladder(s, s.LayerGroup(), 2, 112);
         },
         {4, 100}},
        {"light bars are passed over",
         [](CreationScene& s) {
             Ladder(s, s.LayerGroup(), 2);
             s.Bar(s.LayerGroup(), 108, 100, 110, 200, Gray(0.04f));
             Ladder(s, s.LayerGroup(), 2, 112);
         },
         {4, 100}},
        {"a group holding one bar through groups",
         [](CreationScene& s) {
             Ladder(s, s.LayerGroup(), 2);
             s.Bar(s.Group(s.Group(s.LayerGroup())), 108, 100, 110, 200);
             Ladder(s, s.LayerGroup(), 2, 112);
         },
         {5, 100}},
        {"a group of several pieces breaks the run",
         [](CreationScene& s) {
             Ladder(s, s.LayerGroup(), 3);
             const host::Art group = s.Group(s.LayerGroup());
             s.Text(group, {0, 0}, u"A");
             s.Text(group, {0, 0}, u"B");
             Ladder(s, s.LayerGroup(), 4, 120);
         },
         {4, 120}},
        {"a group of bars away from the line breaks the run",
         [](CreationScene& s) {
             Ladder(s, s.LayerGroup(), 2);
             const host::Art group = s.Group(s.LayerGroup());
             s.Bar(group, 108, 300, 110, 400);
             s.Bar(group, 112, 300, 114, 400);
             Ladder(s, s.LayerGroup(), 3, 120);
         },
         {3, 120}},
        {"a group of a light bar away from the line is passed over",
         [](CreationScene& s) {
             Ladder(s, s.LayerGroup(), 2);
             s.Bar(s.Group(s.LayerGroup()), 108, 300, 110, 400, Gray(0));
             Ladder(s, s.LayerGroup(), 3, 120);
         },
         {5, 100}},
        {"a placed image breaks the run",
         [](CreationScene& s) {
             Ladder(s, s.LayerGroup(), 4);
             host::Art image;
             s.store.NewPlacedImage(creationtest::kCall, host::PaintOrder::kInsideOnTop,
                                    s.LayerGroup(), {0, 10, 10, 0}, &image);
             Ladder(s, s.LayerGroup(), 3, 120);
         },
         {4, 100}},
        {"bars of a compound path",
         [](CreationScene& s) {
             const host::Art compound = s.Make(host::ArtType::kCompoundPath, s.LayerGroup());
             s.store.SetPathStyle(creationtest::kCall, compound, Filled(Gray(1)));
             Ladder(s, compound, 5);
         },
         {5, 100}},
        {"a compound path paints its bars",
         [](CreationScene& s) {
             const host::Art compound = s.Make(host::ArtType::kCompoundPath, s.LayerGroup());
             s.store.SetPathStyle(creationtest::kCall, compound, Filled(Gray(1)));
             Ladder(s, compound, 5);
             for (const host::Art bar : s.Children(compound)) {
                 s.store.SetPathStyle(creationtest::kCall, bar, Filled(Gray(0)));
             }
         },
         {5, 100}},
        {"a group holding a compound path of bars",
         [](CreationScene& s) {
             Ladder(s, s.LayerGroup(), 2);
             const host::Art compound =
                 s.Make(host::ArtType::kCompoundPath, s.Group(s.LayerGroup()));
             s.store.SetPathStyle(creationtest::kCall, compound, Filled(Gray(1)));
             Ladder(s, compound, 4, 108);
         },
         {6, 100}},
        {"a compound path of other shapes is a container",
         [](CreationScene& s) {
             Ladder(s, s.LayerGroup(), 2);
             const host::Art compound = s.Make(host::ArtType::kCompoundPath, s.LayerGroup());
             s.store.SetPathStyle(creationtest::kCall, compound, Filled(Gray(1)));
             s.Path(compound, {Corner(0, 0), Corner(5, 5), Corner(0, 9)}, Filled(Gray(1)));
             Ladder(s, compound, 3, 108);
             Ladder(s, s.LayerGroup(), 2, 120);
         },
         {3, 108}},
        {"a nested run as long as its parent's ends first",
         [](CreationScene& s) {
             Ladder(s, s.LayerGroup(), 3);
             const host::Art group = s.Group(s.LayerGroup());
             Ladder(s, group, 3, 120);
         },
         {3, 120}},
        {"of equal runs on two layers the first layer's",
         [](CreationScene& s) {
             Ladder(s, s.LayerGroup(0), 3, 200);
             Ladder(s, s.LayerGroup(1), 3, 100);
         },
         {3, 200}},
        {"a longer run on the second layer",
         [](CreationScene& s) {
             Ladder(s, s.LayerGroup(0), 3, 200);
             Ladder(s, s.LayerGroup(1), 4, 100);
         },
         {4, 100}},
        {"bars on a hidden layer",
         [](CreationScene& s) {
             Ladder(s, s.LayerGroup(0), 2, 200);
             Ladder(s, s.LayerGroup(1), 4, 100);
             s.store.SetLayerFlag(creationtest::kCall, s.Layer(1), &standin::LayerRecord::visible,
                                  false);
         },
         {2, 200}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CreationScene scene({{"Ebene 1"}, {"Ebene 2"}});
        c.build(scene);
        const std::vector<double> edges = ReadAcross({50, 150}, c.to);
        EXPECT_EQ(edges.size(), 2 * c.reading.bars);
        if (!edges.empty()) {
            EXPECT_NEAR(edges[0], c.reading.firstLeft * kMm, 1e-9);
        }
        scene.ExpectBalancedAndClean();
    }
}

TEST(BarcodeArtScanner, HandsHostErrorsBack) {
    struct Case {
        const char* suite;
        const char* function;
        host::Error result;
    };
    const Case cases[] = {
        {host::kAiLayerSuite.name, "CountLayers", kFailure},
        {host::kAiLayerSuite.name, "GetNthLayer", kFailure},
        {host::kAiLayerSuite.name, "GetLayerVisible", kFailure},
        {host::kAiArtSuite.name, "GetFirstArtOfLayer", kFailure},
        {host::kAiArtSuite.name, "GetArtFirstChild", kFailure},
        {host::kAiArtSuite.name, "GetArtSibling", kFailure},
        {host::kAiArtSuite.name, "GetArtType", kFailure},
        {host::kAiArtSuite.name, "GetArtBounds", kFailure},
        // The art tests take a failure as no bar.
        {host::kAiPathStyleSuite.name, "GetPathStyle", host::kNoError},
        {host::kAiPathSuite.name, "GetPathSegmentCount", host::kNoError},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.function);
        CreationScene scene;
        Ladder(scene, scene.LayerGroup(), 5);
        scene.host.Core().GetFaults().FailCall(c.suite, c.function, kFailure);
        BarcodeArtScanner scanner;
        EXPECT_EQ(scanner.Collect({50, 150}, {300, 150}), c.result);
        double edges[kEdgeCapacity];
        double heights[kEdgeCapacity / 2];
        scene.host.Core().GetFaults().Clear();
        EXPECT_EQ(scanner.GetEdges(edges, heights, kEdgeCapacity), 0u);
        scene.ExpectBalancedAndClean();
    }
}

TEST(BarcodeArtScanner, GivesSortedEdgesThatFitTheCaller) {
    struct Case {
        const char* what;
        std::function<void(CreationScene&)> build;
        bool vertical;
        std::uint32_t capacity;
        std::vector<double> edges;    // points
        std::vector<double> heights;  // points
    };
    const auto bars = [](std::vector<host::RealRect> rects) {
        return [=](CreationScene& s) {
            for (const host::RealRect& r : rects) {
                s.Bar(s.LayerGroup(), r.left, r.bottom, r.right, r.top);
            }
        };
    };
    // 25 mm along the line.
    constexpr float kWide = 25.0f / kMm;
    const Case cases[] = {
        {"in paint order",
         bars({{100, 200, 102, 100}, {104, 190, 107, 110}}),
         false,
         300,
         {100, 102, 104, 107},
         {100, 80}},
        {"painted from the right",
         bars({{104, 190, 107, 110}, {100, 200, 102, 100}}),
         false,
         300,
         {100, 102, 104, 107},
         {100, 80}},
        {"into a gap",
         bars({{100, 200, 102, 100}, {110, 200, 112, 100}, {105, 180, 106, 120}}),
         false,
         300,
         {100, 102, 105, 106, 110, 112},
         {100, 60, 100}},
        {"touching", bars({{100, 200, 102, 100}, {102, 200, 104, 100}}), false, 300, {}, {}},
        {"overlapping", bars({{100, 200, 103, 100}, {102, 200, 104, 100}}), false, 300, {}, {}},
        {"touching the first from before",
         bars({{104, 200, 106, 100}, {100, 200, 104, 100}}),
         false,
         300,
         {},
         {}},
        {"touching a neighbour in a gap",
         bars({{100, 200, 102, 100}, {110, 200, 112, 100}, {102, 200, 106, 100}}),
         false,
         300,
         {},
         {}},
        {"touching the next in a gap",
         bars({{100, 200, 102, 100}, {110, 200, 112, 100}, {104, 200, 110, 100}}),
         false,
         300,
         {},
         {}},
        {"overlapping a gap",
         bars({{100, 200, 102, 100}, {110, 200, 112, 100}, {101, 200, 111, 100}}),
         false,
         300,
         {},
         {}},
        {"a wide first bar is a frame",
         bars({{100, 200, 100 + kWide, 100}, {200, 200, 202, 100}, {204, 200, 206, 100}}),
         false,
         300,
         {200, 202, 204, 206},
         {100, 100}},
        {"a wide second bar is a frame",
         bars({{200, 200, 202, 100}, {100, 200, 100 + kWide, 100}, {204, 200, 206, 100}}),
         false,
         300,
         {200, 202, 204, 206},
         {100, 100}},
        {"a wide third bar is a bar",
         bars({{200, 200, 202, 100}, {204, 200, 206, 100}, {300, 200, 300 + kWide, 100}}),
         false,
         300,
         {200, 202, 204, 206, 300, 300 + kWide},
         {100, 100, 100}},
        {"lying bars read along y",
         bars({{100, 130, 300, 128}, {110, 124, 290, 120}}),
         true,
         300,
         {120, 124, 128, 130},
         {180, 200}},
        {"edges just fitting",
         bars({{100, 200, 102, 100}, {104, 190, 107, 110}}),
         false,
         4,
         {100, 102, 104, 107},
         {100, 80}},
        {"one edge too many", bars({{100, 200, 102, 100}, {104, 190, 107, 110}}), false, 3, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CreationScene scene;
        c.build(scene);
        BarcodeArtScanner scanner;
        ASSERT_EQ(c.vertical ? scanner.Collect({200, 50}, {200, 300})
                             : scanner.Collect({50, 150}, {1000, 150}),
                  host::kNoError);
        // A canary past the capacity on either array.
        std::vector<double> edges(c.capacity + 1, -1.0);
        std::vector<double> heights(c.capacity / 2 + 1, -1.0);
        const std::uint32_t count = scanner.GetEdges(edges.data(), heights.data(), c.capacity);
        ASSERT_EQ(count, c.edges.size());
        for (std::size_t i = 0; i < c.edges.size(); ++i) {
            EXPECT_NEAR(edges[i], c.edges[i] * kMm, 1e-4) << i;
        }
        for (std::size_t i = 0; i < c.heights.size(); ++i) {
            EXPECT_NEAR(heights[i], c.heights[i] * kMm, 1e-4) << i;
        }
        EXPECT_EQ(edges[c.capacity], -1.0);
        EXPECT_EQ(heights[c.capacity / 2], -1.0);
        scene.ExpectBalancedAndClean();
    }
}

TEST(BarcodeArtScanner, TakesAsManyBarsAsTheCallerHasRoomFor) {
    for (const int bars : {150, 151}) {
        SCOPED_TRACE(bars);
        CreationScene scene;
        Ladder(scene, scene.LayerGroup(), bars, 10, 1, 2);
        BarcodeArtScanner scanner;
        ASSERT_EQ(scanner.Collect({0, 150}, {1000, 150}), host::kNoError);
        std::vector<double> edges(kEdgeCapacity + 2, -1.0);
        std::vector<double> heights(kEdgeCapacity / 2 + 1, -1.0);
        EXPECT_EQ(scanner.GetEdges(edges.data(), heights.data(), kEdgeCapacity),
                  bars == 150 ? 300u : 0u);
        EXPECT_EQ(edges[kEdgeCapacity], -1.0);
        EXPECT_EQ(edges[kEdgeCapacity + 1], -1.0);
        EXPECT_EQ(heights[kEdgeCapacity / 2], -1.0);
        scene.ExpectBalancedAndClean();
    }
}

TEST(BarcodeArtScanner, SelectsTheBarsItRead) {
    CreationScene scene;
    const host::Art layer = scene.LayerGroup();
    const host::Art loose = scene.Bar(layer, 100, 100, 102, 200);
    const host::Art inner = scene.Bar(scene.Group(scene.Group(layer)), 104, 100, 106, 200);
    const host::Art compound = scene.Make(host::ArtType::kCompoundPath, layer);
    scene.store.SetPathStyle(creationtest::kCall, compound, Filled(Gray(1)));
    const std::vector<host::Art> parts = Ladder(scene, compound, 2, 108);
    const host::Art elsewhere = scene.Bar(layer, 500, 300, 502, 400);
    BarcodeArtScanner scanner;
    ASSERT_EQ(scanner.Collect({50, 150}, {1000, 150}), host::kNoError);
    EXPECT_EQ(scanner.SelectBars(), host::kNoError);
    for (const host::Art bar : {loose, inner, parts[0], parts[1]}) {
        EXPECT_TRUE(scene.Record(bar).selected);
    }
    EXPECT_FALSE(scene.Record(elsewhere).selected);
    EXPECT_FALSE(scene.Record(compound).selected);
    EXPECT_FALSE(scene.Record(scene.Record(inner).parent).selected);

    // One bar is no reading: nothing selected.
    scene.store.SetSelected(creationtest::kCall, loose, false);
    ASSERT_EQ(scanner.Collect({50, 150}, {103, 150}), host::kNoError);
    EXPECT_EQ(scanner.SelectBars(), host::kNoError);
    EXPECT_FALSE(scene.Record(loose).selected);

    ASSERT_EQ(scanner.Collect({50, 150}, {1000, 150}), host::kNoError);
    scene.host.Core().GetFaults().FailCall(host::kAiArtSuite.name, "SetArtUserAttr", kFailure);
    EXPECT_EQ(scanner.SelectBars(), kFailure);
    scene.ExpectBalancedAndClean();
}

}  // namespace
