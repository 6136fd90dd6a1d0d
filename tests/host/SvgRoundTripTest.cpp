#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "DocumentForm.h"
#include "SvgScene.h"
#include "ToolRun.h"

namespace {

using storetest::Corner;
using storetest::kCall;
using storetest::Rectangle;
using svgtest::Cmyk;
using svgtest::Custom;
using svgtest::Gray;
using svgtest::Rgb;
using svgtest::SvgScene;

constexpr host::PaintOrder kOnTop = host::PaintOrder::kInsideOnTop;

host::PathSegment Smooth(host::RealPoint anchor, host::RealPoint in, host::RealPoint out) {
    return {anchor, in, out, false};
}

host::PathSegment Curved(host::RealPoint anchor, host::RealPoint in, host::RealPoint out) {
    return {anchor, in, out, true};
}

// Builds art into a scene's document through the store.
class Builder {
public:
    explicit Builder(SvgScene& scene) : s_(scene) {}

    host::Art Layer(std::size_t index = 0) const { return s_.LayerGroup(index); }

    host::Art Make(host::ArtType type, host::Art into) { return s_.Make(type, kOnTop, into); }
    host::Art Path(host::Art into, std::vector<host::PathSegment> segments, bool closed,
                   const host::PathStyle& style = svgtest::BarStyle()) {
        const host::Art path = s_.MakePath(into, std::move(segments), closed);
        EXPECT_EQ(s_.store.SetPathStyle(kCall, path, style), host::kNoError);
        return path;
    }
    host::Art Text(host::Art into, host::TextOrientation orientation, host::RealPoint anchor,
                   const std::vector<std::pair<std::u16string, standin::TextFeatures>>& runs,
                   const host::Color& color = Gray(1.0f)) {
        host::Art frame;
        EXPECT_EQ(s_.store.NewPointText(kCall, kOnTop, into, orientation, anchor, &frame),
                  host::kNoError);
        std::size_t at = 0;
        for (const auto& [text, features] : runs) {
            EXPECT_EQ(s_.store.InsertText(kCall, frame, at, text, features), host::kNoError);
            at += text.size();
        }
        EXPECT_EQ(s_.store.SetTextColor(kCall, frame, color), host::kNoError);
        return frame;
    }
    host::CustomColor Color(std::string name, host::CustomColorKind kind, host::CmykValues cmyk,
                            host::RgbValues rgb) {
        host::CustomColorDefinition definition{};
        definition.kind = kind;
        definition.cmyk = kind == host::CustomColorKind::kCmyk ? cmyk : host::CmykValues{};
        definition.rgb = kind == host::CustomColorKind::kRgb ? rgb : host::RgbValues{};
        return s_.store.NewCustomColor(s_.document, std::move(name), definition);
    }
    void Tag(host::Art art, const std::string& name, std::string type, std::string value) {
        EXPECT_EQ(s_.store.SetTag(kCall, art, name, {std::move(type), std::move(value)}),
                  host::kNoError);
    }
    host::Font Font(const char* name) const { return s_.fonts.FontNamed(name); }
    standin::DocumentStore& Store() { return s_.store; }

private:
    SvgScene& s_;
};

struct Case {
    const char* what;
    std::vector<standin::LayerSetup> layers;
    std::function<void(Builder&)> build;
};

const std::vector<standin::LayerSetup> kOneLayer = {{"Ebene 1"}};

const std::vector<Case>& Cases() {
    static const std::vector<Case> cases = {
        {"bars as the generator draws them", kOneLayer,
         [](Builder& b) {
             const host::Art group = b.Make(host::ArtType::kGroup, b.Layer());
             b.Path(group, Rectangle(10.5f, 20.25f, 11.85f, 93.7f), true);
             b.Path(group, Rectangle(0.1f, 1e-7f, 0.3f, 123456.79f), true);
         }},
        {"an open path with handles at both ends and between", kOneLayer,
         [](Builder& b) {
             b.Path(b.Layer(),
                    {Curved({0, 0}, {-1, 2}, {3, 4}), Curved({10, 10}, {7, 8}, {13, 9}),
                     Curved({20, 0}, {18, 3}, {25, -2})},
                    false);
         }},
        {"a closed curve whose closing segment has handles", kOneLayer,
         [](Builder& b) {
             b.Path(b.Layer(),
                    {Curved({0, 0}, {-3, -3}, {3, 0}), Curved({10, 0}, {10, 0}, {12, 5}),
                     Curved({5, 10}, {8, 12}, {2, 10})},
                    true);
         }},
        {"closed paths whose last anchor lies on the first", kOneLayer,
         [](Builder& b) {
             std::vector<host::PathSegment> rectangle = Rectangle(1, 2, 3, 4);
             rectangle.push_back(rectangle.front());
             b.Path(b.Layer(), rectangle, true);
             b.Path(
                 b.Layer(),
                 {Corner(0, 0), Curved({10, 0}, {10, 0}, {10, 3}), Curved({0, 0}, {4, 4}, {0, 0})},
                 true);
             b.Path(b.Layer(), {Corner(5, 5), Corner(5, 5)}, true);
         }},
        {"smooth points and single points", kOneLayer,
         [](Builder& b) {
             b.Path(b.Layer(), {Smooth({0, 0}, {-1, 0}, {1, 0}), Corner(4, 4)}, false);
             b.Path(b.Layer(), {Curved({7, 7}, {6, 8}, {8, 6})}, true);
             b.Path(b.Layer(), {Smooth({9, 9}, {9, 9}, {9, 9})}, false);
         }},
        {"paths without segments, open and closed", kOneLayer,
         [](Builder& b) {
             b.Path(b.Layer(), {}, false);
             b.Path(b.Layer(), {}, true);
         }},
        {"fill and stroke off keep their colours", kOneLayer,
         [](Builder& b) {
             host::PathStyle style = standin::DefaultPathStyle();
             style.fillPaint = false;
             style.fill = {Rgb(0.25f, 0.5f, 0.75f), true};
             style.strokePaint = false;
             style.stroke.color = Cmyk(0.1f, 0.2f, 0.3f, 0.4f);
             style.stroke.overprint = true;
             b.Path(b.Layer(), Rectangle(0, 0, 1, 1), true, style);
         }},
        {"grey, CMYK, RGB, pattern and gradient paints with overprint", kOneLayer,
         [](Builder& b) {
             const host::Color paints[] = {Gray(0.123456789f), Cmyk(1, 0, 0.5f, 0.25f),
                                           Rgb(1, 1.0f / 3, 0),
                                           svgtest::OfKind(host::ColorKind::kPattern),
                                           svgtest::OfKind(host::ColorKind::kGradient)};
             for (const host::Color& paint : paints) {
                 host::PathStyle style = standin::DefaultPathStyle();
                 style.fill = {paint, true};
                 style.stroke.color = paint;
                 b.Path(b.Layer(), Rectangle(0, 0, 1, 1), true, style);
             }
         }},
        {"custom colours of every model with tints", kOneLayer,
         [](Builder& b) {
             const host::CustomColor spot =
                 b.Color("Schmuckfarbe <1> & \"2\"", host::CustomColorKind::kCmyk,
                         {0.9f, 0.1f, 0, 0.05f}, {});
             const host::CustomColor screen =
                 b.Color("Bildschirm", host::CustomColorKind::kRgb, {}, {0.2f, 0.4f, 0.6f});
             const host::CustomColor lab =
                 b.Color("Lab", host::CustomColorKind::kOtherModel, {}, {});
             b.Color("unbenutzt", host::CustomColorKind::kCmyk, {0, 0, 0, 1}, {});
             host::PathStyle style = standin::DefaultPathStyle();
             style.fill.color = Custom(spot, 0.96f);
             style.stroke.color = Custom(screen, 0);
             b.Path(b.Layer(), Rectangle(0, 0, 1, 1), true, style);
             b.Text(b.Layer(), host::TextOrientation::kHorizontal, {1, 1}, {{u"X", {}}},
                    Custom(lab, 0.5f));
         }},
        {"stroke widths, caps, joins, miter limits and dashes", kOneLayer,
         [](Builder& b) {
             for (int variant = 0; variant < 3; ++variant) {
                 host::PathStyle style = standin::DefaultPathStyle();
                 style.stroke.width = 0.85f + variant;
                 style.stroke.cap = static_cast<host::LineCap>(variant);
                 style.stroke.join = static_cast<host::LineJoin>(2 - variant);
                 style.stroke.miterLimit = 3.0f + variant;
                 style.stroke.dash.count = variant * 3;
                 style.stroke.dash.offset = variant == 1 ? 0.5f : 0;
                 for (int i = 0; i < style.stroke.dash.count; ++i) {
                     style.stroke.dash.lengths[i] = 0.1f * (i + 1);
                 }
                 b.Path(b.Layer(), {Corner(0, 0), Corner(0, 10)}, false, style);
             }
             // A style of zeros: no width, no miter limit.
             b.Path(b.Layer(), {Corner(0, 0), Corner(0, 10)}, false, host::PathStyle{});
         }},
        {"nested groups, opacity and every blend mode", kOneLayer,
         [](Builder& b) {
             host::Art into = b.Layer();
             for (int mode = 0; mode <= static_cast<int>(host::kLastBlendMode); ++mode) {
                 into = b.Make(host::ArtType::kGroup, into);
                 EXPECT_EQ(b.Store().SetBlendMode(kCall, into, static_cast<host::BlendMode>(mode)),
                           host::kNoError);
                 EXPECT_EQ(b.Store().SetOpacity(kCall, into, 0.1 + 0.2 * (mode % 4)),
                           host::kNoError);
             }
             b.Path(into, Rectangle(0, 0, 1, 1), true);
             b.Make(host::ArtType::kGroup, b.Layer());
         }},
        {"tags on every kind of art and on the layer's group", kOneLayer,
         [](Builder& b) {
             const host::Art group = b.Make(host::ArtType::kGroup, b.Layer());
             const host::Art frame = b.Path(group, Rectangle(0, 0, 5, 5), true);
             b.Tag(frame, "Mor7LantBarcodeParameters", "string",
                   "(4.0) type = EAN-13, code = 4-006381-333931, bwr = 0.0000, mag = 1.0000, shm = "
                   "0");
             b.Tag(frame, "zeichen", "", "& < > \" ' \t\n\r ü 🙂 end ");
             b.Tag(group, "leer", "string", "");
             b.Tag(b.Layer(), "Ebene", "string", "eigene");
             b.Tag(b.Text(group, host::TextOrientation::kHorizontal, {0, 0}, {{u"1", {}}}), "text",
                   "t", "v");
             host::Art image;
             EXPECT_EQ(b.Store().NewPlacedImage(kCall, kOnTop, group, {1, 4, 3, 2}, &image),
                       host::kNoError);
             b.Tag(image, "bild", "t", "v");
             b.Tag(b.Make(host::ArtType::kLegacyText, group), "alt", "t", "v");
             b.Tag(b.Make(host::ArtType::kCompoundPath, group), "verbund", "t", "v");
         }},
        {"compound paths with children of their own", kOneLayer,
         [](Builder& b) {
             const host::Art compound = b.Make(host::ArtType::kCompoundPath, b.Layer());
             host::PathStyle style = standin::DefaultPathStyle();
             style.fill.color = Gray(0.5f);
             EXPECT_EQ(b.Store().SetPathStyle(kCall, compound, style), host::kNoError);
             EXPECT_EQ(b.Store().SetOpacity(kCall, compound, 0.5), host::kNoError);
             b.Path(compound, Rectangle(0, 0, 10, 10), true);
             const host::Art curved =
                 b.Path(compound, {Curved({2, 2}, {1, 3}, {3, 1}), Curved({4, 4}, {3, 5}, {5, 3})},
                        false, standin::DefaultPathStyle());
             b.Tag(curved, "kind", "t", "v");
             b.Path(compound, {}, true);
             b.Make(host::ArtType::kCompoundPath, b.Layer());
         }},
        {"text features, orientation and characters", kOneLayer,
         [](Builder& b) {
             b.Text(b.Layer(), host::TextOrientation::kHorizontal, {12.5f, 700.25f},
                    {{u"  4 ", {b.Font("OCRB"), 8.5f}},
                     {u"006381", {b.Font("Helvetica"), 12}},
                     {u"\t\n\r<&>\"", {b.Font("GillSans-Bold"), 0.1f}},
                     {u"ÄÖü€\U0001F642 ", {standin::TextFeatures{}}}},
                    Rgb(0.1f, 0.2f, 0.3f));
             b.Text(b.Layer(), host::TextOrientation::kVertical, {-5, -5},
                    {{u"ABC", {b.Font("ArialMT"), 30}}});
             b.Text(b.Layer(), host::TextOrientation::kHorizontal, {0, 0}, {});
         }},
        {"placed images and legacy text", kOneLayer,
         [](Builder& b) {
             host::Art image;
             EXPECT_EQ(b.Store().NewPlacedImage(kCall, kOnTop, b.Layer(), {-1.5f, 2e10f, 3.25f, -7},
                                                &image),
                       host::kNoError);
             EXPECT_EQ(b.Store().SetOpacity(kCall, image, 0.30000000000000004), host::kNoError);
             b.Make(host::ArtType::kLegacyText, b.Layer());
         }},
        {"layers: hidden, locked, current, named with mark-up",
         {{"Hintergrund"}, {"Gesperrt"}, {"<Barcodes> & \"Text\""}, {""}},
         [](Builder& b) {
             b.Path(b.Layer(0), Rectangle(0, 0, 1, 1), true);
             b.Path(b.Layer(2), Rectangle(2, 2, 3, 3), true);
             // Art goes onto layers that can take it; the flags come last.
             const auto layer = [&](std::size_t index) {
                 return b.Store().PeekArt(b.Layer(index))->layer;
             };
             b.Store().SetCurrentLayer(layer(2));
             using standin::LayerRecord;
             for (const auto& [index, flag] :
                  {std::pair(0, &LayerRecord::visible), std::pair(1, &LayerRecord::editable),
                   std::pair(2, &LayerRecord::visible), std::pair(2, &LayerRecord::editable)}) {
                 EXPECT_EQ(b.Store().SetLayerFlag(kCall, layer(index), flag, false),
                           host::kNoError);
             }
         }},
        {"extreme coordinates", kOneLayer,
         [](Builder& b) {
             const float big = std::numeric_limits<float>::max();
             const float tiny = std::numeric_limits<float>::denorm_min();
             b.Path(b.Layer(), {Corner(-big, big), Corner(tiny, -tiny), Corner(-0.0f, 0.0f)},
                    false);
         }},
    };
    return cases;
}

// A document saved as SVG opens as the same document, and saving that gives
// the same file.
TEST(SvgRoundTrip, OpensOurOwnDocumentAsItWasSaved) {
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.what);
        SvgScene scene(c.layers);
        Builder builder(scene);
        c.build(builder);
        const std::string path = scene.Save(scene.document);
        const standin::SvgOpened opened = scene.Open(path);
        ASSERT_EQ(opened.error, "");
        EXPECT_EQ(opened.skippedElements, 0u);
        EXPECT_EQ(scene.store.Current(), opened.document);
        EXPECT_EQ(scene.store.Document(opened.document).filePath, path);
        const documentform::DocumentForm saved = documentform::FormOf(scene.store, scene.document);
        const documentform::DocumentForm read = documentform::FormOf(scene.store, opened.document);
        EXPECT_EQ(documentform::FirstDifference(saved, read), "");
        EXPECT_EQ(ReadFile(scene.Save(opened.document, "again.svg")), ReadFile(path));
        scene.ExpectNoViolations();
    }
}

// Everything the cases make, in one document, renders without a complaint.
TEST(SvgRoundTrip, RendersWithoutErrors) {
    SvgScene scene({{"Ebene 1"}, {"Versteckt", false, true}});
    Builder builder(scene);
    for (const Case& c : Cases()) {
        if (c.layers.size() == 1) {
            c.build(builder);
        }
    }
    const std::string path = scene.Save(scene.document);
    const ToolRun run = RunTool("rsvg-convert --format=png --output='" +
                                scene.folder / "document.png" + "' '" + path + "'");
    EXPECT_EQ(run.status, 0) << "rsvg-convert (librsvg2-bin, scripts/install-deps.sh)";
    EXPECT_EQ(run.errors, "");
    EXPECT_TRUE(std::filesystem::file_size(scene.folder / "document.png") > 0);
    scene.ExpectNoViolations();
}

// What SVG cannot carry is refused, and the file that was there stays.
TEST(SvgRoundTrip, RefusesWhatSvgCannotCarryAndKeepsTheFile) {
    struct Refusal {
        const char* what;
        std::function<void(Builder&)> build;
        std::string error;
    };
    const Refusal refusals[] = {
        {"a point that is not a number",
         [](Builder& b) { b.Path(b.Layer(), {Corner(std::nanf(""), 0)}, false); },
         "a path point that is not finite"},
        {"an infinite stroke width",
         [](Builder& b) {
             host::PathStyle style = standin::DefaultPathStyle();
             style.stroke.width = std::numeric_limits<float>::infinity();
             b.Path(b.Layer(), Rectangle(0, 0, 1, 1), true, style);
         },
         "a value that is not a finite number"},
        {"a control character in a text",
         [](Builder& b) {
             b.Text(b.Layer(), host::TextOrientation::kHorizontal, {0, 0}, {{u"A\x01", {}}});
         },
         "a text holding a character XML forbids"},
        {"half a surrogate pair in a text",
         [](Builder& b) {
             b.Text(b.Layer(), host::TextOrientation::kHorizontal, {0, 0},
                    {{std::u16string(1, char16_t{0xD83D}), {}}});
         },
         "a text holding a character XML forbids"},
        {"a tag value that is not UTF-8",
         [](Builder& b) { b.Tag(b.Layer(), "kaputt", "string", "\xC3("); },
         "a text that is not UTF-8 or holds a character XML forbids"},
        {"art nested deeper than a file may be",
         [](Builder& b) {
             host::Art into = b.Layer();
             for (std::size_t depth = 3; depth <= host::kMaxSvgNestingDepth + 1; ++depth) {
                 into = b.Make(host::ArtType::kGroup, into);
             }
         },
         "art nested deeper than 256 elements"},
    };
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.what);
        SvgScene scene;
        Builder builder(scene);
        refusal.build(builder);
        const std::string path = scene.folder / "document.svg";
        WriteFile(path, "old");
        EXPECT_EQ(standin::SaveSvgDocument(scene.store, scene.fonts, scene.document, path),
                  "the document cannot be written as SVG: " + refusal.error);
        EXPECT_EQ(ReadFile(path), "old");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scene.folder.Path()),
                                std::filesystem::directory_iterator()),
                  1);
        scene.ExpectNoViolations();
    }
}

// Art that just fits the nesting limit saves and opens again.
TEST(SvgRoundTrip, SavesArtNestedToTheLimit) {
    SvgScene scene;
    Builder builder(scene);
    host::Art into = builder.Layer();
    // The root and the layer's group come first; a path's tag is one deeper.
    for (std::size_t depth = 3; depth < host::kMaxSvgNestingDepth - 1; ++depth) {
        into = builder.Make(host::ArtType::kGroup, into);
    }
    builder.Tag(builder.Path(into, Rectangle(0, 0, 1, 1), true), "tief", "t", "v");
    const standin::SvgOpened opened = scene.Open(scene.Save(scene.document));
    ASSERT_EQ(opened.error, "");
    EXPECT_EQ(documentform::FirstDifference(documentform::FormOf(scene.store, scene.document),
                                            documentform::FormOf(scene.store, opened.document)),
              "");
    scene.ExpectNoViolations();
}

// A save into a folder that is not there fails and writes nothing.
TEST(SvgRoundTrip, ReportsAFolderThatCannotBeWritten) {
    SvgScene scene;
    const std::string error = standin::SaveSvgDocument(scene.store, scene.fonts, scene.document,
                                                       scene.folder / "missing/document.svg");
    EXPECT_NE(error.find("cannot create a file beside"), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(scene.folder / "missing"));
    scene.ExpectNoViolations();
}

}  // namespace
