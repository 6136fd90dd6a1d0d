#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BarcodeGenerate.h"
#include "CreationScene.h"

namespace {

using creationtest::Corner;
using creationtest::CreationScene;
using creationtest::Gray;

constexpr double kPt = 2.8346457;
constexpr float kOriginX = 100;
constexpr float kOriginY = 200;
constexpr host::Error kFailure = host::FourCharCode("FAIL");
constexpr const char* kParameters =
    "(4.0) type = EAN-13, code = 4-006381-333931, bwr = 0.0000, mag = 1.0000, shm = 0";

// A current style unlike every style the generator sets, so that what it
// leaves alone shows.
host::PathStyle CurrentStyle() {
    host::PathStyle style = standin::DefaultPathStyle();
    style.fill = {creationtest::Gray(0.3f), true};
    style.stroke.color = creationtest::Gray(0.6f);
    style.stroke.width = 5;
    style.stroke.join = host::LineJoin::kRound;
    style.stroke.cap = host::LineCap::kRound;
    style.stroke.miterLimit = 7;
    style.stroke.dash = {2, 2, {3, 4}};
    return style;
}

// A scene whose current layer holds the group a symbol goes into, and a
// generator over it at (100, 200).
struct GeneratorScene : CreationScene {
    GeneratorScene() {
        store.SetCurrentPathStyle(document, CurrentStyle());
        parent = Group(LayerGroup());
        generator = std::make_unique<BarcodeGenerate>(kOriginX, kOriginY, parent, kParameters);
    }

    // The generator goes, with what it does then.
    void Finish() { generator.reset(); }

    // The art of the parent group of the type, in paint order.
    std::vector<host::Art> ChildrenOfType(host::ArtType type) const {
        std::vector<host::Art> found;
        for (const host::Art art : Children(parent)) {
            if (Record(art).type == type) {
                found.push_back(art);
            }
        }
        return found;
    }
    host::Art BarsGroup() const { return ChildrenOfType(host::ArtType::kGroup).at(0); }

    host::Art parent;
    std::unique_ptr<BarcodeGenerate> generator;
};

std::vector<host::RealPoint> Anchors(const standin::ArtRecord& path) {
    std::vector<host::RealPoint> anchors;
    for (const host::PathSegment& segment : path.segments) {
        EXPECT_EQ(segment.in, segment.anchor);
        EXPECT_EQ(segment.out, segment.anchor);
        EXPECT_TRUE(segment.corner);
        anchors.push_back(segment.anchor);
    }
    return anchors;
}

void ExpectPoints(const std::vector<host::RealPoint>& actual,
                  const std::vector<host::RealPoint>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        EXPECT_NEAR(actual[i].h, expected[i].h, 1e-4) << i;
        EXPECT_NEAR(actual[i].v, expected[i].v, 1e-4) << i;
    }
}

host::PathStyle BarStyle() {
    host::PathStyle style = CurrentStyle();
    style.fillPaint = true;
    style.fill = {Gray(1), true};
    style.strokePaint = false;
    style.stroke.color = Gray(1);
    style.stroke.overprint = true;
    style.stroke.width = 1;
    style.stroke.dash.count = 0;
    style.stroke.dash.offset = 0;
    style.stroke.cap = host::LineCap::kButt;
    style.stroke.join = host::LineJoin::kMiter;
    style.stroke.miterLimit = 3;
    return style;
}

host::PathStyle FrameStyle(bool filled, float strokeWidth, float miterLimit) {
    host::PathStyle style = CurrentStyle();
    style.fillPaint = filled;
    style.fill = {Gray(0), false};
    style.strokePaint = strokeWidth != 1.0f;
    style.stroke.color = Gray(1);
    style.stroke.width = strokeWidth;
    style.stroke.miterLimit = miterLimit;
    return style;
}

host::PathStyle MarkStyle() {
    host::PathStyle style = CurrentStyle();
    style.fillPaint = true;
    style.fill = {Gray(1), true};
    style.strokePaint = false;
    return style;
}

// The chevron at size 2 from (x, y), mirrored with direction -1.
std::vector<host::RealPoint> Chevron(double x, double y, double direction) {
    const double points[7][2] = {{1.5, 2.8}, {0, 1.4},   {1.5, 0},  {1.5, 0.3},
                                 {0.3, 1.4}, {1.5, 2.5}, {1.5, 2.8}};
    std::vector<host::RealPoint> chevron;
    for (const auto& p : points) {
        chevron.push_back({static_cast<float>(kOriginX + (x + direction * 2 * p[0]) * kPt),
                           static_cast<float>(kOriginY + (y + 2 * p[1]) * kPt)});
    }
    return chevron;
}

TEST(BarcodeGenerate, DrawsEachPartAtItsPlaceInItsStyle) {
    struct Part {
        std::vector<host::RealPoint> anchors;
        host::PathStyle style;
    };
    struct Case {
        const char* what;
        std::function<bool(BarcodeGenerate&)> draw;  // after the frame, unless it draws one
        bool inBarsGroup;                            // else the paths of the parent group
        std::vector<Part> parts;
    };
    const std::vector<host::RealPoint> bar = {
        {100, 200}, {100, 228.346457f}, {101.41732285f, 228.346457f}, {101.41732285f, 200}};
    const std::vector<host::RealPoint> box = {{100 - 2 * kPt, 200 - 3 * kPt},
                                              {100 - 2 * kPt, 200 + 30 * kPt},
                                              {100 + 40 * kPt, 200 + 30 * kPt},
                                              {100 + 40 * kPt, 200 - 3 * kPt}};
    const Part frame{box, FrameStyle(true, 1, 7)};
    const auto marks = [](bool left, bool right) {
        return [=](BarcodeGenerate& g) {
            return g.AddFrame(-2, 40, -3, 30, 0) &&
                   g.AddQuietZoneMarks(1, 30, -2, 4, 2, left, right);
        };
    };
    const Case cases[] = {
        {"a bar",
         [](BarcodeGenerate& g) {
             return g.AddFrame(-2, 40, -3, 30, 0) && g.AddBar(0, 0.5, 0, 10);
         },
         true,
         {{bar, BarStyle()}}},
        {"a bearer bar",
         [](BarcodeGenerate& g) {
             return g.AddFrame(-2, 40, -3, 30, 0) && g.AddBearerBar(0, 0.5, 0, 10);
         },
         true,
         {{bar, BarStyle()}}},
        {"the frame as an erase box",
         [](BarcodeGenerate& g) { return g.AddFrame(-2, 40, -3, 30, 0); },
         false,
         {frame}},
        {"the frame without erase box, stroked",
         [](BarcodeGenerate& g) {
             g.SetNoEraseBox(true);
             return g.AddFrame(-2, 40, -3, 30, 0.5);
         },
         false,
         {{box, FrameStyle(false, 0.5 * kPt, 10)}}},
        {"the left quiet-zone mark",
         marks(true, false),
         false,
         {frame, {Chevron(1, -2, 1), MarkStyle()}}},
        {"the right quiet-zone mark",
         marks(false, true),
         false,
         {frame, {Chevron(30, 4, -1), MarkStyle()}}},
        {"both quiet-zone marks",
         marks(true, true),
         false,
         {frame, {Chevron(1, -2, 1), MarkStyle()}, {Chevron(30, 4, -1), MarkStyle()}}},
        {"no quiet-zone mark", marks(false, false), false, {frame}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GeneratorScene scene;
        EXPECT_TRUE(c.draw(*scene.generator));
        const std::vector<host::Art> made = c.inBarsGroup
                                                ? scene.Children(scene.BarsGroup())
                                                : scene.ChildrenOfType(host::ArtType::kPath);
        ASSERT_EQ(made.size(), c.parts.size());
        for (std::size_t i = 0; i < made.size(); ++i) {
            SCOPED_TRACE(i);
            const standin::ArtRecord& path = scene.Record(made[i]);
            EXPECT_TRUE(path.closed);
            EXPECT_TRUE(path.selected);
            ExpectPoints(Anchors(path), c.parts[i].anchors);
            EXPECT_EQ(path.style, c.parts[i].style);
        }
        scene.Finish();
        scene.ExpectBalancedAndClean();
    }
}

TEST(BarcodeGenerate, MakesTheTaggedFrameBeforeTheBars) {
    GeneratorScene scene;
    // Art selected before goes unselected; none is made until the frame is.
    const host::Art earlier = scene.Bar(scene.LayerGroup(), 0, 0, 1, 1);
    scene.store.SetSelected(creationtest::kCall, earlier, true);
    host::RealPoint start{};
    host::RealPoint end{};
    EXPECT_FALSE(scene.generator->GetMeasuringLine(&start, &end));
    EXPECT_FALSE(scene.generator->AddBar(0, 0.5, 0, 10));
    EXPECT_FALSE(scene.generator->AddBearerBar(0, 0.5, 0, 10));
    EXPECT_TRUE(scene.Children(scene.parent).empty());

    // The line runs across the frame, through its middle until bars come,
    // then through the middle of the band every bar spans; bearer bars
    // leave it.
    ASSERT_TRUE(scene.generator->AddFrame(-1, 30, -2, 25, 0));
    EXPECT_FALSE(scene.Record(earlier).selected);
    const auto expectLine = [&](double bottom, double top) {
        ASSERT_TRUE(scene.generator->GetMeasuringLine(&start, &end));
        const float middle = static_cast<float>(kOriginY + (bottom + top) * 1.4173229);
        EXPECT_EQ(start, (host::RealPoint{static_cast<float>(kOriginX - kPt), middle}));
        EXPECT_EQ(end, (host::RealPoint{static_cast<float>(kOriginX + 30 * kPt), middle}));
    };
    expectLine(-2, 25);
    ASSERT_TRUE(scene.generator->AddBar(0, 0.5, 0, 10));
    expectLine(0, 10);
    ASSERT_TRUE(scene.generator->AddBar(1, 1.5, 2, 12));
    ASSERT_TRUE(scene.generator->AddBearerBar(0, 30, -3, -1));
    expectLine(2, 10);

    const std::vector<host::Art> parts = scene.Children(scene.parent);
    ASSERT_EQ(parts.size(), 2u);
    const standin::ArtRecord& frame = scene.Record(parts[0]);
    EXPECT_EQ(frame.type, host::ArtType::kPath);
    ASSERT_EQ(frame.tags.size(), 1u);
    EXPECT_EQ(frame.tags.at("Mor7LantBarcodeParameters"), (standin::Tag{"string", kParameters}));
    EXPECT_EQ(scene.Record(parts[1]).type, host::ArtType::kGroup);
    EXPECT_EQ(scene.Children(parts[1]).size(), 3u);
    scene.Finish();
    scene.ExpectBalancedAndClean();
}

// The parameters go into the tag as they are, whatever they hold.
TEST(BarcodeGenerate, TagsTheParametersByteForByte) {
    for (const std::string& parameters :
         {std::string(), std::string("%s %d %%"), std::string("Grüße"), std::string(600, 'x')}) {
        SCOPED_TRACE(parameters);
        CreationScene scene;
        const host::Art parent = scene.Group(scene.LayerGroup());
        {
            BarcodeGenerate generator(0, 0, parent, parameters.c_str());
            ASSERT_TRUE(generator.AddFrame(0, 10, 0, 10, 0));
        }
        EXPECT_EQ(scene.Record(scene.Children(parent)[0]).tags.at(BarcodeGenerate::kParametersTag),
                  (standin::Tag{"string", parameters}));
        scene.ExpectBalancedAndClean();
    }
}

TEST(BarcodeGenerate, StopsAtTheFirstHostCallThatFails) {
    struct Case {
        const char* suite;
        const char* function;
        bool inFrame;  // else in the bar after it
        std::size_t frameParts;
        bool lineKnown;
        std::size_t bars;
    };
    const Case cases[] = {
        {host::kAiLayerSuite.name, "DeselectArtOnLayer", true, 0, false, 0},
        {host::kAiArtSuite.name, "NewArt", true, 0, false, 0},
        {host::kAiArtSuite.name, "SetArtUserAttr", true, 1, false, 0},
        {host::kAiPathSuite.name, "SetPathSegments", true, 1, false, 0},
        {host::kAiPathStyleSuite.name, "GetCurrentPathStyle", true, 1, false, 0},
        {host::kAiTagSuite.name, "SetArtTag", true, 1, false, 0},
        {host::kAiArtSuite.name, "NewArt", false, 2, true, 0},
        {host::kAiArtSuite.name, "SetArtUserAttr", false, 2, true, 1},
        {host::kAiPathSuite.name, "SetPathClosed", false, 2, true, 1},
        {host::kAiPathStyleSuite.name, "SetPathStyle", false, 2, true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.function) + (c.inFrame ? " in the frame" : " in the bar"));
        GeneratorScene scene;
        standin::Faults& faults = scene.host.Core().GetFaults();
        if (c.inFrame) {
            faults.FailCall(c.suite, c.function, kFailure);
        }
        EXPECT_EQ(scene.generator->AddFrame(-1, 30, -2, 25, 0), !c.inFrame);
        faults.FailCall(c.suite, c.function, kFailure);
        EXPECT_FALSE(scene.generator->AddBar(0, 0.5, 0, 10));
        faults.Clear();
        EXPECT_EQ(scene.Children(scene.parent).size(), c.frameParts);
        host::RealPoint start;
        host::RealPoint end;
        EXPECT_EQ(scene.generator->GetMeasuringLine(&start, &end), c.lineKnown);
        if (c.lineKnown) {
            EXPECT_EQ(scene.Children(scene.BarsGroup()).size(), c.bars);
        }
        scene.Finish();
        scene.ExpectBalancedAndClean();
    }
}

TEST(BarcodeGenerate, CentresEachCharacterInItsFont) {
    struct Case {
        const char* what;
        std::function<void(BarcodeGenerate&)> font;
        char character;
        const char* fontName;
        double scale;    // of the size given, to the font size
        double advance;  // of the character in em
        double dy;       // mm
    };
    constexpr double kSize = 2;
    // The default metrics: ascent 1, descent -0.2.
    constexpr double kBySize = 1 / 1.2;
    const auto font = [](const char* name, bool byHeight) {
        return [=](BarcodeGenerate& g) { g.SetFont(name, byHeight); };
    };
    const Case cases[] = {
        {"a digit by its height", [](BarcodeGenerate&) {}, '4', "Helvetica", 1.42, 0.556, 0},
        {"a digit by its font size", font(nullptr, false), '4', "Helvetica", kBySize, 0.556,
         kBySize * -0.2 * kSize},
        {"a Latin-1 letter", font(nullptr, true), '\xE9', "Helvetica", 1.42, 0.6, 0},
        {"OCR-B", font("OCRB", true), '7', "OCRB", 1.18, 0.6, 0},
        {"Arial", font("ArialMT", true), '7', "ArialMT", 1.35, 0.556, 0},
        {"Gill Sans bold", font("GillSans-Bold", true), '7', "GillSans-Bold", 1.29, 0.556, 0},
        {"a font of no known digit height", font("Helvetica-Bold", true), '7', "Helvetica-Bold", 1,
         0.556, 0},
        {"an empty name keeps the font",
         [](BarcodeGenerate& g) {
             g.SetFont("OCRB", true);
             g.SetFont("", true);
         },
         '7', "OCRB", 1.18, 0.6, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GeneratorScene scene;
        c.font(*scene.generator);
        ASSERT_TRUE(scene.generator->AddText(10, 5, kSize, c.character));
        const std::vector<host::Art> frames = scene.ChildrenOfType(host::ArtType::kTextFrame);
        ASSERT_EQ(frames.size(), 1u);
        const standin::ArtRecord& frame = scene.Record(frames[0]);
        const double dx = kSize * c.scale * c.advance / 2;
        EXPECT_NEAR(frame.text.anchor.h, kOriginX + (10 - dx) * kPt, 1e-4);
        EXPECT_NEAR(frame.text.anchor.v, kOriginY + (5 - c.dy) * kPt, 1e-4);
        EXPECT_EQ(frame.text.orientation, host::TextOrientation::kHorizontal);
        ASSERT_EQ(frame.text.characters.size(), 1u);
        const standin::TextCharacter& character = frame.text.characters[0];
        EXPECT_EQ(character.unit, static_cast<char16_t>(static_cast<unsigned char>(c.character)));
        EXPECT_EQ(character.font, scene.host.Fonts().FontNamed(c.fontName));
        EXPECT_NEAR(character.size, c.scale * kSize * kPt, 1e-4);
        EXPECT_TRUE(frame.selected);
        scene.Finish();
        scene.ExpectBalancedAndClean();
    }
}

// A failing host call leaves no character drawn and every text engine
// object released.
TEST(BarcodeGenerate, DrawsNoCharacterWhenTheHostFails) {
    struct Case {
        const char* suite;
        const char* function;
        bool frameMade;
    };
    const Case cases[] = {
        {host::kAiFontSuite.name, "FindFont", false},
        {host::kAiFontSuite.name, "GetFontMetrics", false},
        {host::kAiFontSuite.name, "GetGlyphAdvance", false},
        {host::kAiTextFrameSuite.name, "NewPointText", false},
        {host::kAiTextFrameSuite.name, "GetTextRange", true},
        {host::kAteCharFeaturesSuite.name, "New", true},
        {host::kAiFontSuite.name, "GetTextFont", true},
        {host::kAteCharFeaturesSuite.name, "SetFont", true},
        {host::kAteCharFeaturesSuite.name, "SetFontSize", true},
        {host::kAteTextRangeSuite.name, "SetLocalCharFeatures", true},
        {host::kAteTextRangeSuite.name, "InsertAfter", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.function);
        GeneratorScene scene;
        scene.host.Core().GetFaults().FailCall(c.suite, c.function, kFailure);
        EXPECT_FALSE(scene.generator->AddText(10, 5, 2, '4'));
        const std::vector<host::Art> frames = scene.ChildrenOfType(host::ArtType::kTextFrame);
        ASSERT_EQ(frames.size(), c.frameMade ? 1u : 0u);
        if (c.frameMade) {
            EXPECT_FALSE(scene.Record(frames[0]).selected);
        }
        scene.host.Core().GetFaults().Clear();
        scene.Finish();
        scene.ExpectBalancedAndClean();
    }
}

TEST(BarcodeGenerate, TurnsItsTextIntoOutlinesWhenItGoes) {
    struct Case {
        const char* what;
        bool outlines;
        const char* failing;  // the host call that fails, or null
        std::vector<host::ArtType> parts;
    };
    using T = host::ArtType;
    const Case cases[] = {
        {"outlines",
         true,
         nullptr,
         {T::kPath, T::kGroup, T::kPath, T::kGroup, T::kGroup, T::kGroup}},
        {"live text",
         false,
         nullptr,
         {T::kPath, T::kGroup, T::kPath, T::kTextFrame, T::kTextFrame, T::kTextFrame}},
        {"outlines refused",
         true,
         "CreateOutline",
         {T::kPath, T::kGroup, T::kPath, T::kTextFrame, T::kTextFrame, T::kTextFrame}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GeneratorScene scene;
        scene.generator->SetCreateOutlines(c.outlines);
        ASSERT_TRUE(scene.generator->AddFrame(-2, 40, -3, 30, 0));
        ASSERT_TRUE(scene.generator->AddBar(1, 2, 0, 20));
        ASSERT_TRUE(scene.generator->AddQuietZoneMarks(1, 30, -2, 4, 1, true, false));
        for (const char digit : {'1', '2', '3'}) {
            ASSERT_TRUE(scene.generator->AddText(5, -2, 2, digit));
        }
        scene.store.DeselectLayer(creationtest::kCall, scene.Layer());
        if (c.failing != nullptr) {
            scene.host.Core().GetFaults().FailCall(host::kAiTextFrameSuite.name, c.failing,
                                                   kFailure);
        }
        scene.Finish();
        std::vector<host::ArtType> parts;
        for (const host::Art part : scene.Children(scene.parent)) {
            parts.push_back(scene.Record(part).type);
        }
        EXPECT_EQ(parts, c.parts);
        if (c.outlines && c.failing == nullptr) {
            for (std::size_t i = 3; i < 6; ++i) {
                const host::Art outline = scene.Children(scene.parent)[i];
                ASSERT_EQ(scene.Children(outline).size(), 1u);
                for (const host::Art glyph : scene.Children(outline)) {
                    for (const host::Art path : scene.Children(glyph)) {
                        EXPECT_TRUE(scene.Record(path).selected);
                    }
                }
            }
        }
        scene.host.Core().GetFaults().Clear();
        scene.ExpectBalancedAndClean();
    }
}

}  // namespace
