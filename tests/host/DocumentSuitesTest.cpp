#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "RuntimeScene.h"
#include "StoreScene.h"
#include "host/AiArtSuites.h"
#include "host/AiSuites.h"
#include "host/AteSuites.h"
#include "host/HostMessages.h"

namespace {

using runtimetest::ExpectEachRecorded;
using runtimetest::Mistake;
using runtimetest::RuntimeScene;
using standin::ViolationKind;
using storetest::Corner;
using storetest::Rectangle;

constexpr std::size_t kPathBytes = 260;
constexpr std::size_t kNameBytes = 128;

const standin::DocumentSetup kThreeLayers{
    "/documents/labels.ai", 500, 400, {{"Ebene 1"}, {"Ebene 2"}, {"Barcodes"}}};

template <typename Suite>
const Suite& Get(RuntimeScene& scene, const host::SuiteVersions& suite) {
    return scene.Acquire<Suite>(suite);
}

const host::AiArtSuite& Art(RuntimeScene& s) {
    return Get<host::AiArtSuite>(s, host::kAiArtSuite);
}
const host::AiLayerSuite& Layers(RuntimeScene& s) {
    return Get<host::AiLayerSuite>(s, host::kAiLayerSuite);
}
const host::AiPathSuite& Paths(RuntimeScene& s) {
    return Get<host::AiPathSuite>(s, host::kAiPathSuite);
}
const host::AiFontSuite& Fonts(RuntimeScene& s) {
    return Get<host::AiFontSuite>(s, host::kAiFontSuite);
}

// The group of the current document's layer.
host::Art LayerGroup(RuntimeScene& scene, std::int32_t index = 0) {
    host::Layer layer;
    host::Art group;
    EXPECT_EQ(Layers(scene).GetNthLayer(index, &layer), host::kNoError);
    EXPECT_EQ(Art(scene).GetFirstArtOfLayer(layer, &group), host::kNoError);
    return group;
}

// A path made through the suites, as the generator makes its bars.
host::Art NewRectangle(RuntimeScene& scene, host::Art into, float left, float bottom, float right,
                       float top) {
    host::Art path;
    EXPECT_EQ(Art(scene).NewArt(host::ArtType::kPath, host::PaintOrder::kInsideOnTop, into, &path),
              host::kNoError);
    const std::vector<host::PathSegment> segments = Rectangle(left, bottom, right, top);
    EXPECT_EQ(Paths(scene).SetPathSegmentCount(path, 4), host::kNoError);
    EXPECT_EQ(Paths(scene).SetPathSegments(path, 0, 4, segments.data()), host::kNoError);
    EXPECT_EQ(Paths(scene).SetPathClosed(path, true), host::kNoError);
    return path;
}

// The framework's walk: every layer in layer order, deselecting on each.
host::Error DeselectAll(const host::AiLayerSuite& layers) {
    std::int32_t count = 0;
    if (const host::Error error = layers.CountLayers(&count)) {
        return error;
    }
    for (std::int32_t i = 0; i < count; ++i) {
        host::Layer layer;
        if (const host::Error error = layers.GetNthLayer(i, &layer)) {
            return error;
        }
        if (const host::Error error = layers.DeselectArtOnLayer(layer)) {
            return error;
        }
    }
    return host::kNoError;
}

TEST(Document, DeselectsArtOnEachLayer) {
    RuntimeScene scene;
    const standin::DocumentId document = scene.host.Documents().OpenNew(kThreeLayers);
    std::vector<host::Art> selected;
    for (std::int32_t layer = 0; layer < 3; ++layer) {
        const host::Art group = LayerGroup(scene, layer);
        const host::Art path = NewRectangle(scene, group, 0, 0, 10, 10);
        selected.push_back(path);
        EXPECT_EQ(Art(scene).SetArtUserAttr(path, host::kArtSelected, host::kArtSelected),
                  host::kNoError);
    }
    EXPECT_EQ(DeselectAll(Layers(scene)), host::kNoError);
    for (const host::Art art : selected) {
        EXPECT_FALSE(scene.host.Documents().PeekArt(art)->selected);
    }
    EXPECT_EQ(scene.host.Documents().Document(document).layers.size(), 3u);
    scene.ExpectBalancedAndClean();
}

// The document's path reaches the plug-in through a file path object that
// the plug-in makes and disposes.
TEST(Document, AnswersItsFilePathIntoAFilePathObject) {
    struct Case {
        const char* what;
        std::function<void(standin::DocumentStore&)> open;
        host::Error answer;
        bool empty;
        std::string path;
    };
    const Case cases[] = {
        {"saved document",
         [](standin::DocumentStore& d) {
             d.OpenNew({"/documents/labels.ai", 1, 1, {{"Ebene 1"}}});
         },
         host::kNoError, false, "/documents/labels.ai"},
        {"document never saved",
         [](standin::DocumentStore& d) {
             d.OpenNew({"", 1, 1, {{"A"}}});
         },
         host::kNoError, true, ""},
        {"no document", [](standin::DocumentStore&) {}, host::kErrorNoDocument, true, ""},
        {"the current of two documents",
         [](standin::DocumentStore& d) {
             d.OpenNew({"/documents/first.ai", 1, 1, {{"A"}}});
             d.OpenNew({"/documents/second.ai", 1, 1, {{"A"}}});
         },
         host::kNoError, false, "/documents/second.ai"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RuntimeScene scene;
        c.open(scene.host.Documents());
        const auto& paths = scene.Acquire<host::AiFilePathSuite>(host::kAiFilePathSuite);
        host::FilePath path;
        ASSERT_EQ(paths.NewFilePath(&path), host::kNoError);
        EXPECT_EQ(
            scene.Acquire<host::AiDocumentSuite>(host::kAiDocumentSuite).GetDocumentFilePath(path),
            c.answer);
        EXPECT_EQ(paths.IsEmpty(path), c.empty);
        char text[kPathBytes] = "untouched";
        EXPECT_EQ(paths.GetPlatformPath(path, text, sizeof text), host::kNoError);
        EXPECT_EQ(text, c.path);
        EXPECT_NE(scene.host.Imbalance(), "") << "a live file path object is held";
        EXPECT_EQ(paths.DisposeFilePath(path), host::kNoError);
        scene.ExpectBalancedAndClean();
    }
}

TEST(Document, LayerCallsWithoutADocumentFail) {
    RuntimeScene scene;
    std::int32_t count = -1;
    const auto& layers = Layers(scene);
    EXPECT_EQ(layers.CountLayers(&count), host::kErrorNoDocument);
    EXPECT_EQ(count, -1);
    scene.host.Documents().Close(scene.host.Documents().OpenNew(kThreeLayers));
    EXPECT_EQ(DeselectAll(layers), host::kErrorNoDocument);
    host::Layer layer;
    EXPECT_EQ(layers.GetCurrentLayer(&layer), host::kErrorNoDocument);
    scene.ExpectBalancedAndClean();
}

// What the readers walk: layers by index, their groups, children by first
// child and sibling in paint order, each with its kind, parent and bounds.
TEST(Document, WalksTheArtTreeInPaintOrder) {
    RuntimeScene scene;
    scene.host.Documents().OpenNew(kThreeLayers);
    const host::Art layerGroup = LayerGroup(scene, 2);
    host::Art group;
    ASSERT_EQ(Art(scene).NewArt(host::ArtType::kGroup, host::PaintOrder::kInsideOnTop, layerGroup,
                                &group),
              host::kNoError);
    const host::Art frame = NewRectangle(scene, group, 0, 0, 100, 50);
    host::Art bars;
    ASSERT_EQ(
        Art(scene).NewArt(host::ArtType::kGroup, host::PaintOrder::kInsideOnTop, group, &bars),
        host::kNoError);
    const host::Art first = NewRectangle(scene, bars, 10, 5, 11, 45);
    const host::Art second = NewRectangle(scene, bars, 13, 5, 15, 45);

    struct Step {
        host::Art art;
        host::ArtType type;
        host::Art parent;
        host::Art firstChild;
        host::Art sibling;
    };
    const Step steps[] = {
        {group, host::ArtType::kGroup, layerGroup, frame, {}},
        {frame, host::ArtType::kPath, group, {}, bars},
        {bars, host::ArtType::kGroup, group, first, {}},
        {first, host::ArtType::kPath, bars, {}, second},
        {second, host::ArtType::kPath, bars, {}, {}},
        {layerGroup, host::ArtType::kGroup, {}, group, {}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.art.token);
        host::ArtType type{};
        host::Art parent{0x77};
        host::Art child{0x77};
        host::Art sibling{0x77};
        EXPECT_EQ(Art(scene).GetArtType(step.art, &type), host::kNoError);
        EXPECT_EQ(Art(scene).GetArtParent(step.art, &parent), host::kNoError);
        EXPECT_EQ(Art(scene).GetArtFirstChild(step.art, &child), host::kNoError);
        EXPECT_EQ(Art(scene).GetArtSibling(step.art, &sibling), host::kNoError);
        EXPECT_EQ(type, step.type);
        EXPECT_EQ(parent, step.parent);
        EXPECT_EQ(child, step.firstChild);
        EXPECT_EQ(sibling, step.sibling);
    }
    host::RealRect bounds{};
    host::PathStyle unstroked{};
    ASSERT_EQ(
        Get<host::AiPathStyleSuite>(scene, host::kAiPathStyleSuite).GetCurrentPathStyle(&unstroked),
        host::kNoError);
    unstroked.strokePaint = false;
    for (const host::Art path : {frame, first, second}) {
        Get<host::AiPathStyleSuite>(scene, host::kAiPathStyleSuite).SetPathStyle(path, &unstroked);
    }
    EXPECT_EQ(Art(scene).GetArtBounds(bars, &bounds), host::kNoError);
    EXPECT_EQ(bounds, (host::RealRect{10, 45, 15, 5}));
    EXPECT_EQ(Art(scene).GetArtBounds(group, &bounds), host::kNoError);
    EXPECT_EQ(bounds, (host::RealRect{0, 50, 100, 0}));
    std::vector<host::PathSegment> read(4);
    EXPECT_EQ(Paths(scene).GetPathSegments(first, 0, 4, read.data()), host::kNoError);
    EXPECT_EQ(read, Rectangle(10, 5, 11, 45));
    scene.ExpectBalancedAndClean();
}

// The advance of OCRB's character.
host::Error AdvanceOf(RuntimeScene& scene, const char* character) {
    float horizontal = 0;
    float vertical = 0;
    return Fonts(scene).GetGlyphAdvance(scene.host.Fonts().FontNamed("OCRB"), character,
                                        &horizontal, &vertical);
}

TEST(Document, RefusesMistakesAsViolations) {
    const auto open = [](RuntimeScene& s) {
        s.host.Documents().OpenNew(kThreeLayers);
        return LayerGroup(s);
    };
    const Mistake cases[] = {
        {"file path disposed twice",
         [](RuntimeScene& s) {
             const auto& paths = s.Acquire<host::AiFilePathSuite>(host::kAiFilePathSuite);
             host::FilePath path;
             paths.NewFilePath(&path);
             paths.DisposeFilePath(path);
             return paths.DisposeFilePath(path);
         },
         ViolationKind::kDoubleFree, host::kErrorBadHandle},
        {"document path into no file path object",
         [](RuntimeScene& s) {
             s.host.Documents().OpenNew(kThreeLayers);
             return s.Acquire<host::AiDocumentSuite>(host::kAiDocumentSuite)
                 .GetDocumentFilePath(host::FilePath{});
         },
         ViolationKind::kForeignHandle, host::kErrorBadHandle},
        {"layer of a document since closed",
         [](RuntimeScene& s) {
             const standin::DocumentId document = s.host.Documents().OpenNew(kThreeLayers);
             host::Layer layer;
             Layers(s).GetNthLayer(0, &layer);
             s.host.Documents().Close(document);
             s.host.Documents().OpenNew(kThreeLayers);
             return Layers(s).DeselectArtOnLayer(layer);
         },
         ViolationKind::kStaleHandle, host::kErrorBadHandle},
        {"art of a document that is no longer current",
         [open](RuntimeScene& s) {
             const host::Art group = open(s);
             s.host.Documents().OpenNew(kThreeLayers);
             host::Art path;
             return Art(s).NewArt(host::ArtType::kPath, host::PaintOrder::kInsideOnTop, group,
                                  &path);
         },
         ViolationKind::kOtherDocument, host::kErrorBadHandle},
        {"layer index beyond the layers",
         [](RuntimeScene& s) {
             s.host.Documents().OpenNew(kThreeLayers);
             host::Layer layer;
             return Layers(s).GetNthLayer(3, &layer);
         },
         ViolationKind::kBadArgument, host::kErrorBadArgument},
        {"new art by no art",
         [open](RuntimeScene& s) {
             open(s);
             host::Art path;
             return Art(s).NewArt(host::ArtType::kPath, host::PaintOrder::kInsideOnTop, {}, &path);
         },
         ViolationKind::kForeignHandle, host::kErrorBadHandle},
        {"new text frame through the art suite",
         [open](RuntimeScene& s) {
             const host::Art group = open(s);
             host::Art art;
             return Art(s).NewArt(host::ArtType::kTextFrame, host::PaintOrder::kInsideOnTop, group,
                                  &art);
         },
         ViolationKind::kBadArgument, host::kErrorBadArgument},
        {"an attribute that is not the selection",
         [open](RuntimeScene& s) {
             const host::Art group = open(s);
             return Art(s).SetArtUserAttr(group, 2, 2);
         },
         ViolationKind::kBadArgument, host::kErrorBadArgument},
        {"segments read beyond the path",
         [open](RuntimeScene& s) {
             const host::Art path = NewRectangle(s, open(s), 0, 0, 1, 1);
             host::PathSegment segments[5];
             return Paths(s).GetPathSegments(path, 0, 5, segments);
         },
         ViolationKind::kBadArgument, host::kErrorBadArgument},
        {"a zoom beyond the host's range",
         [open](RuntimeScene& s) {
             open(s);
             const auto& views = Get<host::AiDocumentViewSuite>(s, host::kAiDocumentViewSuite);
             host::DocumentView view;
             views.GetNthDocumentView(0, &view);
             return views.SetDocumentViewZoom(view, host::kMinViewZoom / 2);
         },
         ViolationKind::kBadArgument, host::kErrorBadArgument},
        {"two characters asked for one advance", [](RuntimeScene& s) { return AdvanceOf(s, "12"); },
         ViolationKind::kBadArgument, host::kErrorBadArgument},
        {"a malformed character asked for its advance",
         [](RuntimeScene& s) { return AdvanceOf(s, "\xC3"); }, ViolationKind::kBadArgument,
         host::kErrorBadArgument},
        {"an overlong character asked for its advance",
         [](RuntimeScene& s) { return AdvanceOf(s, "\xC0\xB1"); }, ViolationKind::kBadArgument,
         host::kErrorBadArgument},
        {"text range released twice",
         [open](RuntimeScene& s) {
             const host::Art group = open(s);
             const auto& frames = Get<host::AiTextFrameSuite>(s, host::kAiTextFrameSuite);
             const auto& ranges = Get<host::AteTextRangeSuite>(s, host::kAteTextRangeSuite);
             host::Art frame;
             host::TextRange range;
             frames.NewPointText(host::PaintOrder::kInsideOnTop, group,
                                 host::TextOrientation::kHorizontal, {0, 0}, &frame);
             frames.GetTextRange(frame, &range);
             ranges.Release(range);
             return ranges.Release(range);
         },
         ViolationKind::kDoubleFree, host::kErrorBadHandle},
        {"a style with a custom colour of no document",
         [open](RuntimeScene& s) {
             const host::Art path = NewRectangle(s, open(s), 0, 0, 1, 1);
             host::PathStyle style = standin::DefaultPathStyle();
             style.fill.color = {host::ColorKind::kCustom, 0, {}, {}, {host::CustomColor{}, 0}};
             return Get<host::AiPathStyleSuite>(s, host::kAiPathStyleSuite)
                 .SetPathStyle(path, &style);
         },
         ViolationKind::kForeignHandle, host::kErrorBadHandle},
    };
    ExpectEachRecorded(cases);
}

// Finding a font by PostScript name answers 'UKFG' for a font that is not
// there, unless substitution is asked for, which answers a font anyway.
TEST(Fonts, FindByNameWithAndWithoutSubstitution) {
    struct Case {
        const char* name;
        std::int32_t technology;
        bool substitute;
        host::Error answer;
        const char* found;  // the PostScript name of the answer
    };
    const Case cases[] = {
        {"OCRB", host::kFontTechnologyAny, false, host::kNoError, "OCRB"},
        {"GillSans-Bold", host::kFontTechnologyAny, true, host::kNoError, "GillSans-Bold"},
        {"OCRBStd", host::kFontTechnologyAny, false, host::kErrorFontNotFound, nullptr},
        {"OCRBStd", host::kFontTechnologyAny, true, host::kNoError, "ArialMT"},
        {"ocrb", host::kFontTechnologyAny, false, host::kErrorFontNotFound, nullptr},
        {"OCRB", 2, false, host::kErrorFontNotFound, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.substitute ? " with" : " without"));
        RuntimeScene scene;
        const host::Font untouched{0x55};
        host::Font font = untouched;
        EXPECT_EQ(Fonts(scene).FindFont(c.name, c.technology, host::kFontScriptRoman, c.substitute,
                                        &font),
                  c.answer);
        if (c.found == nullptr) {
            EXPECT_EQ(font, untouched);
        } else {
            char name[kNameBytes] = "";
            EXPECT_EQ(Fonts(scene).GetPostScriptName(font, name, sizeof name), host::kNoError);
            EXPECT_STREQ(name, c.found);
        }
        scene.ExpectBalancedAndClean();
    }
}

// Metrics and advances in em, as the catalogue gives them; a character
// beyond the font's glyphs has no advance.
TEST(Fonts, AnswerMetricsAndAdvances) {
    standin::FontCatalogue catalogue = standin::DefaultFontCatalogue();
    standin::CatalogueFont narrow{"Narrow", "Regular"};
    narrow.metrics.ascent = 0.8f;
    narrow.advances[U'W'] = 0.9f;
    narrow.lastCharacter = 0x7F;
    catalogue.push_back({"Narrow", {narrow}});
    struct Case {
        const char* font;
        const char* character;
        host::Error answer;
        float advance;
    };
    const Case cases[] = {
        {"Helvetica", "0", host::kNoError, 0.556f},
        {"Helvetica", " ", host::kNoError, 0.278f},
        {"Helvetica", "W", host::kNoError, host::kDefaultAdvanceEm},
        {"Helvetica", "\xC3\xA9", host::kNoError, host::kDefaultAdvanceEm},
        {"Narrow", "W", host::kNoError, 0.9f},
        {"Narrow", "\xC3\xA9", host::kErrorNotFound, -1},
        {"Helvetica", "\xE2\x82\xAC", host::kErrorNotFound, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.font) + " " + c.character);
        RuntimeScene scene({.fonts = catalogue});
        const host::Font font = scene.host.Fonts().FontNamed(c.font);
        float horizontal = -1;
        float vertical = -1;
        EXPECT_EQ(Fonts(scene).GetGlyphAdvance(font, c.character, &horizontal, &vertical),
                  c.answer);
        EXPECT_EQ(horizontal, c.advance);
        EXPECT_EQ(vertical, c.answer == host::kNoError ? host::kVerticalAdvanceEm : -1);
        host::FontMetrics metrics{};
        EXPECT_EQ(Fonts(scene).GetFontMetrics(font, &metrics), host::kNoError);
        EXPECT_EQ(metrics.ascent, std::string(c.font) == "Narrow" ? 0.8f : 1.0f);
        EXPECT_EQ(metrics.descent, -0.2f);
        scene.ExpectBalancedAndClean();
    }
}

// The generator's text through the suites: a point text frame, its empty
// range given a font and a size, one character inserted after it, every
// reference released; then brought up to date and outlined above the frame.
TEST(Document, DrawsAndOutlinesPointText) {
    RuntimeScene scene;
    scene.host.Documents().OpenNew(kThreeLayers);
    const host::Art group = LayerGroup(scene);
    const auto& frames = Get<host::AiTextFrameSuite>(scene, host::kAiTextFrameSuite);
    const auto& features = Get<host::AteCharFeaturesSuite>(scene, host::kAteCharFeaturesSuite);
    const auto& ranges = Get<host::AteTextRangeSuite>(scene, host::kAteTextRangeSuite);
    const auto& textFonts = Get<host::AteFontSuite>(scene, host::kAteFontSuite);
    host::Font key;
    ASSERT_EQ(Fonts(scene).FindFont("OCRB", host::kFontTechnologyAny, host::kFontScriptRoman, false,
                                    &key),
              host::kNoError);
    for (const char16_t character : {u'4', u'\u00E9'}) {
        host::Art frame;
        host::TextRange range;
        host::CharFeatures set;
        host::TextFont font;
        ASSERT_EQ(frames.NewPointText(host::PaintOrder::kInsideOnTop, group,
                                      host::TextOrientation::kHorizontal, {10, 20}, &frame),
                  host::kNoError);
        ASSERT_EQ(frames.GetTextRange(frame, &range), host::kNoError);
        ASSERT_EQ(features.New(&set), host::kNoError);
        ASSERT_EQ(Fonts(scene).GetTextFont(key, &font), host::kNoError);
        ASSERT_EQ(features.SetFont(set, font), host::kNoError);
        ASSERT_EQ(features.SetFontSize(set, 8.5f), host::kNoError);
        ASSERT_EQ(ranges.SetLocalCharFeatures(range, set), host::kNoError);
        ASSERT_EQ(ranges.InsertAfter(range, &character, 1), host::kNoError);
        EXPECT_EQ(textFonts.Release(font), host::kNoError);
        EXPECT_EQ(features.Release(set), host::kNoError);
        EXPECT_EQ(ranges.Release(range), host::kNoError);
        const standin::ArtRecord& record = *scene.host.Documents().PeekArt(frame);
        ASSERT_EQ(record.text.characters.size(), 1u);
        EXPECT_EQ(record.text.characters[0].unit, character);
        EXPECT_EQ(record.text.characters[0].font, key);
        EXPECT_EQ(record.text.characters[0].size, 8.5f);
    }
    host::Art frame;
    ASSERT_EQ(Art(scene).GetArtFirstChild(group, &frame), host::kNoError);
    host::Art outline;
    ASSERT_EQ(Get<host::AiDocumentSuite>(scene, host::kAiDocumentSuite).BringArtUpToDate(),
              host::kNoError);
    ASSERT_EQ(frames.CreateOutline(frame, &outline), host::kNoError);
    host::Art next;
    ASSERT_EQ(Art(scene).GetArtSibling(frame, &next), host::kNoError);
    EXPECT_EQ(next, outline);
    host::Art glyph;
    host::Art path;
    host::ArtType type{};
    ASSERT_EQ(Art(scene).GetArtFirstChild(outline, &glyph), host::kNoError);
    ASSERT_EQ(Art(scene).GetArtFirstChild(glyph, &path), host::kNoError);
    ASSERT_EQ(Art(scene).GetArtType(path, &type), host::kNoError);
    EXPECT_EQ(type, host::ArtType::kPath);
    EXPECT_EQ(Art(scene).DisposeArt(frame), host::kNoError);
    scene.ExpectBalancedAndClean();
}

// The plug-in's notifiers hear documents open, change and close, in that
// order; a message that leaves the documents as they were sends no change.
TEST(Document, SendsTheDocumentNotifiers) {
    RuntimeScene scene;
    std::vector<std::string> heard;
    std::function<void()> onMenu;
    scene.script = [&](const char* caller, const char* selector, void* message) {
        if (std::strcmp(caller, host::kCallerNotifier) == 0) {
            heard.push_back(static_cast<host::NotifierMessage*>(message)->type);
        } else if (std::strcmp(caller, host::kCallerMenu) == 0 &&
                   std::strcmp(selector, host::kSelectorGo) == 0) {
            onMenu();
        }
        return 0;
    };
    const auto& notifiers = Get<host::AiNotifierSuite>(scene, host::kAiNotifierSuite);
    host::Notifier notifier;
    for (const char* type : {host::kDocumentOpenedNotifier, host::kDocumentChangedNotifier,
                             host::kDocumentClosedNotifier}) {
        ASSERT_EQ(notifiers.AddNotifier(scene.host.Plugin(), type, type, &notifier),
                  host::kNoError);
    }
    const standin::DocumentId document = scene.host.Documents().OpenNew(kThreeLayers);
    const host::Art group = LayerGroup(scene);
    const host::Art path = NewRectangle(scene, group, 0, 0, 1, 1);
    struct Step {
        const char* what;
        std::function<void()> act;
        bool changes;
    };
    const Step steps[] = {
        {"nothing", [] {}, false},
        {"selects", [&] { Art(scene).SetArtUserAttr(path, host::kArtSelected, 1); }, true},
        {"selects what is selected",
         [&] { Art(scene).SetArtUserAttr(path, host::kArtSelected, 1); }, false},
        {"deselects", [&] { DeselectAll(Layers(scene)); }, true},
        {"makes and disposes",
         [&] { Art(scene).DisposeArt(NewRectangle(scene, group, 0, 0, 2, 2)); }, false},
        {"makes", [&] { NewRectangle(scene, group, 0, 0, 2, 2); }, true},
    };
    std::vector<std::string> expected{host::kDocumentOpenedNotifier};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        onMenu = step.act;
        ASSERT_EQ(scene.host.SendMenu(host::MenuItem{}, host::kSelectorGo), host::kNoError);
        if (step.changes) {
            expected.push_back(host::kDocumentChangedNotifier);
        }
        EXPECT_EQ(heard, expected);
    }
    scene.host.Documents().Close(document);
    expected.push_back(host::kDocumentClosedNotifier);
    EXPECT_EQ(heard, expected);
    scene.ExpectBalancedAndClean();
}

// A press of a tool opens the undo journal: undoing in the drag and the
// release removes the feedback line, and the layer the press made visible
// and editable is hidden and locked again; the document after the release
// is the one before the press. Outside a press nothing is undone.
TEST(Document, UndoesWhatAToolPressChanged) {
    RuntimeScene scene;
    scene.host.Documents().OpenNew({"", 500, 400, {{"Ebene 1"}, {"Gesperrt", false, false}}});
    standin::DocumentStore& store = scene.host.Documents();
    const standin::DocumentId document = store.Current();
    store.SetCurrentLayer(store.Document(document).layers[1]);
    host::RealPoint start{};
    // The measure tool's feedback line from the press to the cursor.
    const auto drawLine = [&](host::RealPoint end) {
        host::Layer layer;
        host::Art group;
        host::Art line;
        Layers(scene).GetCurrentLayer(&layer);
        Layers(scene).SetLayerVisible(layer, true);
        Layers(scene).SetLayerEditable(layer, true);
        Art(scene).GetFirstArtOfLayer(layer, &group);
        EXPECT_EQ(
            Art(scene).NewArt(host::ArtType::kPath, host::PaintOrder::kInsideOnTop, group, &line),
            host::kNoError);
        const host::PathSegment segments[] = {Corner(start.h, start.v), Corner(end.h, end.v)};
        Paths(scene).SetPathSegmentCount(line, 2);
        Paths(scene).SetPathSegments(line, 0, 2, segments);
    };
    const auto& undo = Get<host::AiUndoSuite>(scene, host::kAiUndoSuite);
    scene.script = [&](const char* caller, const char* selector, void* message) {
        if (std::strcmp(caller, host::kCallerTool) != 0) {
            return 0;
        }
        const host::RealPoint cursor = static_cast<host::ToolMessage*>(message)->cursor;
        if (std::strcmp(selector, host::kSelectorMouseDown) == 0) {
            start = cursor;
            drawLine(cursor);
        } else if (std::strcmp(selector, host::kSelectorMouseDrag) == 0) {
            undo.UndoChanges();
            drawLine(cursor);
        } else if (std::strcmp(selector, host::kSelectorMouseUp) == 0) {
            undo.UndoChanges();
        }
        return 0;
    };
    const host::Art kept = NewRectangle(scene, LayerGroup(scene, 0), 0, 0, 5, 5);
    const storetest::Content before = storetest::Snapshot(store, document);
    const host::Tool tool{};
    ASSERT_EQ(scene.host.SendTool(tool, host::kSelectorMouseDown, {10, 10}), host::kNoError);
    for (const float h : {20.0f, 30.0f, 40.0f}) {
        ASSERT_EQ(scene.host.SendTool(tool, host::kSelectorMouseDrag, {h, 10}), host::kNoError);
        EXPECT_EQ(store.PeekArt(LayerGroup(scene, 1))->children.size(), 1u);
        EXPECT_TRUE(store.PeekLayer(store.Document(document).layers[1])->editable);
    }
    ASSERT_EQ(scene.host.SendTool(tool, host::kSelectorMouseUp, {40, 10}), host::kNoError);
    EXPECT_TRUE(storetest::Snapshot(store, document) == before);

    Art(scene).SetArtUserAttr(kept, host::kArtSelected, host::kArtSelected);
    EXPECT_EQ(undo.UndoChanges(), host::kNoError);
    EXPECT_TRUE(store.PeekArt(kept)->selected);
    scene.ExpectBalancedAndClean();
}

// The host's standard file dialogs answer what the user chooses, record
// what they showed, and cancel one nobody expected.
TEST(FileDialogs, AnswerFromTheQueueAndRecordTheDialog) {
    const host::FileFilter filters[] = {{"Text Files (*.txt)", "*.txt"}, {"All Files", "*.*"}};
    struct Case {
        const char* what;
        std::function<void(standin::FileDialogAnswerer&)> queue;
        bool save;
        host::Error answer;
        std::string path;
        std::size_t violations;
    };
    const std::string longPath = "/" + std::string(host::kPlatformFileSpecificationBytes, 'x');
    const Case cases[] = {
        {"a report chosen", [](auto& a) { a.Choose("/reports/r.txt"); }, true, host::kNoError,
         "/reports/r.txt", 0},
        {"a profile opened", [](auto& a) { a.Choose("/profiles/p.bcp"); }, false, host::kNoError,
         "/profiles/p.bcp", 0},
        {"cancelled", [](auto& a) { a.Cancel(); }, true, host::kErrorCancel, "untouched", 0},
        {"a path too long for the record", [&longPath](auto& a) { a.Choose(longPath); }, true,
         host::kErrorTextTooLong, "untouched", 0},
        {"nobody expected it", [](auto&) {}, false, host::kErrorCancel, "untouched", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RuntimeScene scene;
        c.queue(scene.host.FileDialogs());
        const auto& user = Get<host::AiUserSuite>(scene, host::kAiUserSuite);
        host::PlatformFileSpecification chosen{"untouched"};
        const auto dialog = c.save ? user.PutFileDialog : user.GetFileDialog;
        EXPECT_EQ(dialog("select report file", filters, 2, "report.txt", &chosen), c.answer);
        EXPECT_EQ(chosen.path, c.path);
        const std::vector<standin::FileDialogRequest>& requests =
            scene.host.FileDialogs().Requests();
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests[0].save, c.save);
        EXPECT_EQ(requests[0].message, "select report file");
        EXPECT_EQ(requests[0].defaultName, "report.txt");
        EXPECT_EQ(requests[0].filters, (std::vector<std::pair<std::string, std::string>>{
                                           {"Text Files (*.txt)", "*.txt"}, {"All Files", "*.*"}}));
        EXPECT_EQ(scene.host.Core().GetViolations().Count(ViolationKind::kUnexpectedModal),
                  c.violations);
        scene.host.Core().GetViolations().Clear();
        scene.ExpectBalancedAndClean();
    }
}

}  // namespace
