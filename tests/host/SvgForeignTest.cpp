#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "SvgScene.h"
#include "ToolRun.h"

namespace {

using storetest::kCall;
using svgtest::SvgScene;

constexpr float kTolerancePoints = 1e-3f;

void ExpectRect(const host::RealRect& expected, const host::RealRect& actual) {
    EXPECT_NEAR(actual.left, expected.left, kTolerancePoints);
    EXPECT_NEAR(actual.top, expected.top, kTolerancePoints);
    EXPECT_NEAR(actual.right, expected.right, kTolerancePoints);
    EXPECT_NEAR(actual.bottom, expected.bottom, kTolerancePoints);
}

void ExpectPoint(const host::RealPoint& expected, const host::RealPoint& actual) {
    EXPECT_NEAR(actual.h, expected.h, kTolerancePoints);
    EXPECT_NEAR(actual.v, expected.v, kTolerancePoints);
}

// Dark as the bar scanner sees grey.
bool DarkGray(const host::Color& color) {
    constexpr float kDarkGray = 0.05f;
    return color.kind == host::ColorKind::kGray && color.gray > kDarkGray;
}

bool NoHandles(const host::PathSegment& segment) {
    return segment.in == segment.anchor && segment.out == segment.anchor;
}

// A bar the bar scanner takes: a dark filled axis-parallel rectangle drawn
// from its left-bottom corner up, or a dark stroked vertical line.
enum class BarShape { kRectangle, kLine };

bool IsBar(const standin::ArtRecord& art, BarShape shape) {
    const host::PathStyle& style = art.style;
    const std::vector<host::PathSegment>& s = art.segments;
    if (art.type != host::ArtType::kPath || !std::all_of(s.begin(), s.end(), NoHandles)) {
        return false;
    }
    if (shape == BarShape::kRectangle) {
        return style.fillPaint && !style.strokePaint && DarkGray(style.fill.color) && art.closed &&
               s.size() == 4 && s[0].anchor.h == s[1].anchor.h && s[1].anchor.v == s[2].anchor.v &&
               s[2].anchor.h == s[3].anchor.h && s[3].anchor.v == s[0].anchor.v &&
               s[0].anchor.h < s[2].anchor.h && s[0].anchor.v < s[1].anchor.v;
    }
    return style.strokePaint && !style.fillPaint && DarkGray(style.stroke.color) && !art.closed &&
           s.size() == 2 && s[0].anchor.h == s[1].anchor.h &&
           style.stroke.cap == host::LineCap::kButt;
}

// Barcodes other programs made open with one path per bar, in the shape
// the bar scanner takes, where the program put them on the page.
TEST(SvgForeign, OpensOtherProgramsBarcodesAsBars) {
    struct Case {
        const char* what;
        std::string command;  // writing the file named by its last word
        BarShape shape;
        std::size_t bars;
        host::RealRect firstBar;
        host::RealRect lastBar;
    };
    // zint: pixels, filled rects in a group with the fill; the page is
    // 0.75 pt per pixel, the bars hang from its top. GNU barcode: lines
    // stroked with the bar's width, points on every coordinate.
    const Case cases[] = {
        {"zint EAN-13",
         "zint --filetype=svg -b 13 -d 590123412345 -o",
         BarShape::kRectangle,
         30,
         {16.5f, 87.75f, 18, 5.25f},
         {157.5f, 87.75f, 159, 5.25f}},
        {"zint Code 128",
         "zint --filetype=svg -b 20 -d Code128 -o",
         BarShape::kRectangle,
         31,
         {0, 89.25f, 3, 14.25f},
         {165, 89.25f, 168, 14.25f}},
        {"zint Interleaved 2 of 5",
         "zint --filetype=svg -b 3 -d 123456 -o",
         BarShape::kRectangle,
         19,
         {0, 89.25f, 1.5f, 14.25f},
         {93, 89.25f, 94.5f, 14.25f}},
        {"GNU barcode EAN-13",
         "barcode -e ean13 -b 590123412345 -S -o",
         BarShape::kLine,
         30,
         {19.075f, 90, 19.925f, 15},
         {113.075f, 90, 113.925f, 15}},
        {"GNU barcode Code 128",
         "barcode -e 128 -b Code128 -S -o",
         BarShape::kLine,
         31,
         {10.075f, 90, 11.925f, 20},
         {120.075f, 90, 121.925f, 20}},
        {"GNU barcode Interleaved 2 of 5",
         "barcode -e i25 -c -b 123456 -S -o",
         BarShape::kLine,
         19,
         {10.075f, 90, 10.925f, 15},
         {72.075f, 90, 72.925f, 15}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SvgScene scene;
        const std::string path = scene.folder / "barcode.svg";
        const ToolRun run = RunTool(c.command + " '" + path + "'");
        ASSERT_EQ(run.status, 0) << run.errors << " (scripts/install-deps.sh installs the tool)";
        const standin::SvgOpened opened = scene.Open(path);
        ASSERT_EQ(opened.error, "");
        EXPECT_EQ(opened.skippedElements, 0u);
        std::vector<host::Art> bars;
        std::function<void(host::Art)> walk = [&](host::Art art) {
            const standin::ArtRecord& record = *scene.store.PeekArt(art);
            if (IsBar(record, c.shape)) {
                bars.push_back(art);
            }
            for (const host::Art child : record.children) {
                walk(child);
            }
        };
        for (const host::Layer layer : scene.store.Document(opened.document).layers) {
            walk(scene.store.PeekLayer(layer)->group);
        }
        ASSERT_EQ(bars.size(), c.bars);
        host::RealRect first{};
        host::RealRect last{};
        EXPECT_EQ(scene.store.Bounds(kCall, bars.front(), &first), host::kNoError);
        EXPECT_EQ(scene.store.Bounds(kCall, bars.back(), &last), host::kNoError);
        ExpectRect(c.firstBar, first);
        ExpectRect(c.lastBar, last);
        scene.ExpectNoViolations();
    }
}

// The root of a small file, a page of 100 by 100 points.
std::string File(const std::string& body,
                 const std::string& root = R"(width="100pt" height="100pt")") {
    return R"(<svg xmlns="http://www.w3.org/2000/svg" )" + root + ">" + body + "</svg>";
}

// The rules of the reader, one file each: what the art of the first layer
// then is.
TEST(SvgForeign, ReadsWhatSvgSays) {
    struct Case {
        const char* what;
        std::string file;
        std::function<void(SvgScene&, standin::DocumentId)> check;
    };
    const auto only = [](SvgScene& s, standin::DocumentId id) -> const standin::ArtRecord& {
        const std::vector<host::Art> art = s.TopArt(id);
        EXPECT_EQ(art.size(), 1u);
        return s.Record(art.at(0));
    };
    const auto bounds = [](SvgScene& s, host::Art art) {
        host::RealRect rect{};
        EXPECT_EQ(s.store.Bounds(kCall, art, &rect), host::kNoError);
        return rect;
    };
    const auto anchors = [](const standin::ArtRecord& art) {
        std::vector<host::RealPoint> points;
        for (const host::PathSegment& segment : art.segments) {
            points.push_back(segment.anchor);
        }
        return points;
    };
    const auto page = [](float width, float height) {
        return [=](SvgScene& s, standin::DocumentId id) {
            EXPECT_NEAR(s.store.Document(id).width, width, kTolerancePoints);
            EXPECT_NEAR(s.store.Document(id).height, height, kTolerancePoints);
        };
    };
    const Case cases[] = {
        {"width and height in pixels", File("", R"(width="400" height="200px")"), page(300, 150)},
        {"in points, picas and inches", File("", R"(width="10pc" height="2in")"), page(120, 144)},
        {"in millimetres and centimetres", File("", R"(width="25.4mm" height="2.54cm")"),
         page(72, 72)},
        {"from the viewBox", File("", R"(viewBox="0 0 40 20")"), page(30, 15)},
        {"a rect: four corners from the left-bottom one, y up",
         File(R"(<rect x="10" y="20" width="30" height="40"/>)"),
         [=](SvgScene& s, standin::DocumentId id) {
             const standin::ArtRecord& rect = only(s, id);
             EXPECT_TRUE(rect.closed);
             EXPECT_EQ(anchors(rect),
                       (std::vector<host::RealPoint>{{7.5f, 55}, {7.5f, 85}, {30, 85}, {30, 55}}));
             EXPECT_TRUE(rect.style.fillPaint);
             EXPECT_EQ(rect.style.fill.color, svgtest::Gray(1.0f));
             EXPECT_FALSE(rect.style.strokePaint);
         }},
        {"a viewBox scales and moves the user space",
         File(R"(<rect x="10" y="10" width="20" height="10"/>)",
              R"(width="200pt" height="100pt" viewBox="0 0 100 50")"),
         [=](SvgScene& s, standin::DocumentId id) {
             ExpectRect({20, 80, 60, 60}, bounds(s, s.TopArt(id).at(0)));
         }},
        {"and is centred where its shape differs from the page's",
         File(R"(<rect width="100" height="100"/>)",
              R"(width="200pt" height="100pt" viewBox="0 0 100 100")"),
         [=](SvgScene& s, standin::DocumentId id) {
             ExpectRect({50, 100, 150, 0}, bounds(s, s.TopArt(id).at(0)));
         }},
        {"transforms of groups and elements compose",
         File(
             R"(<g transform='translate(10 20) scale(2)'><rect transform='rotate(90)' width="4" height="2"/></g>)",
             R"(width="100" height="100" viewBox="0 0 100 100" preserveAspectRatio="none")"),
         [=](SvgScene& s, standin::DocumentId id) {
             const host::Art group = s.TopArt(id).at(0);
             const standin::ArtRecord& rect = s.Record(s.Children(group).at(0));
             // User (x, y) maps to (10 - 2y, 20 + 2x), then to points.
             const std::vector<host::RealPoint> expected = {
                 {4.5f, 60}, {7.5f, 60}, {7.5f, 54}, {4.5f, 54}};
             for (std::size_t i = 0; i < expected.size(); ++i) {
                 ExpectPoint(expected[i], rect.segments.at(i).anchor);
             }
         }},
        {"a matrix and a skew",
         File(
             R"(<line transform='matrix(1 0 0 1 5 5) skewX(45)' x1="0" y1="0" x2="0" y2="10" stroke="black"/>)",
             R"(width="100" height="100" viewBox="0 0 100 100" preserveAspectRatio="none")"),
         [=](SvgScene& s, standin::DocumentId id) {
             const standin::ArtRecord& line = only(s, id);
             ExpectPoint({3.75f, 71.25f}, line.segments.at(0).anchor);
             ExpectPoint({11.25f, 63.75f}, line.segments.at(1).anchor);
         }},
        {"groups hand on their properties; style wins over attributes",
         File(
             R"(<g fill="red" stroke="#00f" stroke-width="2"><g style="fill: #0f0"><rect fill="blue" width="1" height="1"/></g></g>)"),
         [=](SvgScene& s, standin::DocumentId id) {
             const host::Art inner = s.Children(s.TopArt(id).at(0)).at(0);
             const standin::ArtRecord& rect = s.Record(s.Children(inner).at(0));
             EXPECT_EQ(rect.style.fill.color, svgtest::Rgb(0, 0, 1));
             EXPECT_TRUE(rect.style.strokePaint);
             EXPECT_EQ(rect.style.stroke.color, svgtest::Rgb(0, 0, 1));
             EXPECT_EQ(rect.style.stroke.width, 1.5f);
         }},
        {"a line: open, stroked, not filled, with its cap",
         File(
             R"(<line x1="10" y1="0" x2="10" y2="40" stroke="black" stroke-width="4" stroke-linecap="square"/>)"),
         [=](SvgScene& s, standin::DocumentId id) {
             const standin::ArtRecord& line = only(s, id);
             EXPECT_FALSE(line.closed);
             EXPECT_EQ(anchors(line), (std::vector<host::RealPoint>{{7.5f, 100}, {7.5f, 70}}));
             EXPECT_FALSE(line.style.fillPaint);
             EXPECT_TRUE(line.style.strokePaint);
             EXPECT_EQ(line.style.stroke.width, 3.0f);
             EXPECT_EQ(line.style.stroke.cap, host::LineCap::kProjecting);
         }},
        {"polylines stay open, polygons close",
         File(R"(<polyline points="0,0 4,0 4,4"/><polygon points="0 0, 4 0 4 4"/>)",
              R"(width="100" height="100" viewBox="0 0 100 100" preserveAspectRatio="none")"),
         [=](SvgScene& s, standin::DocumentId id) {
             const std::vector<host::Art> art = s.TopArt(id);
             ASSERT_EQ(art.size(), 2u);
             EXPECT_FALSE(s.Record(art[0]).closed);
             EXPECT_TRUE(s.Record(art[1]).closed);
             EXPECT_EQ(anchors(s.Record(art[1])),
                       (std::vector<host::RealPoint>{{0, 75}, {3, 75}, {3, 72}}));
         }},
        {"path lines, relative and absolute, close",
         File(R"(<path d="M10 10 h10 v10 H10 z"/>)",
              R"(width="100" height="100" viewBox="0 0 100 100" preserveAspectRatio="none")"),
         [=](SvgScene& s, standin::DocumentId id) {
             const standin::ArtRecord& path = only(s, id);
             EXPECT_TRUE(path.closed);
             EXPECT_EQ(anchors(path), (std::vector<host::RealPoint>{
                                          {7.5f, 67.5f}, {15, 67.5f}, {15, 60}, {7.5f, 60}}));
         }},
        {"curves keep their handles; a quadratic one becomes cubic",
         File(R"(<path d="M0 0 C 1 2 3 4 5 6 S 9 9 10 10 Q 13 10 13 13 T 16 16"/>)",
              R"(width="100" height="100" viewBox="0 0 100 100" preserveAspectRatio="none")"),
         [=](SvgScene& s, standin::DocumentId id) {
             const standin::ArtRecord& path = only(s, id);
             ASSERT_EQ(path.segments.size(), 5u);
             // Points (x, y) become (0.75 x, 75 - 0.75 y).
             const auto at = [](float x, float y) {
                 return host::RealPoint{0.75f * x, 75 - 0.75f * y};
             };
             ExpectPoint(at(1, 2), path.segments[0].out);
             ExpectPoint(at(3, 4), path.segments[1].in);
             ExpectPoint(at(7, 8), path.segments[1].out);  // the reflection
             ExpectPoint(at(12, 10), path.segments[2].out);
             ExpectPoint(at(13, 11), path.segments[3].in);
             ExpectPoint(at(14, 16), path.segments[4].in);
             ExpectPoint(at(16, 16), path.segments[4].anchor);
         }},
        {"an arc ends where it says, on its circle",
         File(R"(<path d="M0 10 A 10 10 0 0 1 20 10"/>)",
              R"(width="100" height="100" viewBox="0 0 100 100" preserveAspectRatio="none")"),
         [=](SvgScene& s, standin::DocumentId id) {
             const standin::ArtRecord& path = only(s, id);
             ASSERT_EQ(path.segments.size(), 3u);
             // Half a circle around (10, 10) through (10, 0).
             ExpectPoint({7.5f, 75}, path.segments[1].anchor);
             ExpectPoint({15, 67.5f}, path.segments[2].anchor);
         }},
        {"several subpaths make a compound path",
         File(R"(<path fill="gray" d="M0 0 L4 0 L4 4 Z m1 1 l1 0 l0 1 z M9 9 L9 10"/>)"),
         [=](SvgScene& s, standin::DocumentId id) {
             const standin::ArtRecord& compound = only(s, id);
             EXPECT_EQ(compound.type, host::ArtType::kCompoundPath);
             const std::vector<host::Art> children = compound.children;
             ASSERT_EQ(children.size(), 3u);
             EXPECT_TRUE(s.Record(children[0]).closed);
             EXPECT_TRUE(s.Record(children[1]).closed);
             EXPECT_FALSE(s.Record(children[2]).closed);
             EXPECT_EQ(s.Record(children[1]).segments.at(0).anchor,
                       (host::RealPoint{0.75f, 99.25f}));
             EXPECT_EQ(s.Record(children[1]).style, compound.style);
             EXPECT_EQ(compound.style.fill.color,
                       svgtest::Gray(static_cast<float>(1 - 128 / 255.0)));
         }},
        {"colours: short and long hex, rgb(), percentages, keywords",
         File(
             R"(<rect width="1" height="1" fill="#f00"/><rect width="1" height="1" fill="#00FF00"/>)"
             R"(<rect width="1" height="1" fill='rgb(0, 0, 255)'/><rect width="1" height="1" fill='rgb(100%,100%,100%)'/>)"
             R"(<rect width="1" height="1" fill="silver"/><rect width="1" height="1" fill="none" stroke="teal"/>)"),
         [=](SvgScene& s, standin::DocumentId id) {
             const std::vector<host::Art> art = s.TopArt(id);
             ASSERT_EQ(art.size(), 6u);
             EXPECT_EQ(s.Record(art[0]).style.fill.color, svgtest::Rgb(1, 0, 0));
             EXPECT_EQ(s.Record(art[1]).style.fill.color, svgtest::Rgb(0, 1, 0));
             EXPECT_EQ(s.Record(art[2]).style.fill.color, svgtest::Rgb(0, 0, 1));
             EXPECT_EQ(s.Record(art[3]).style.fill.color, svgtest::Gray(0));
             EXPECT_EQ(s.Record(art[4]).style.fill.color,
                       svgtest::Gray(static_cast<float>(1 - 192 / 255.0)));
             EXPECT_FALSE(s.Record(art[5]).style.fillPaint);
             EXPECT_EQ(
                 s.Record(art[5]).style.stroke.color,
                 svgtest::Rgb(0, static_cast<float>(128 / 255.0), static_cast<float>(128 / 255.0)));
         }},
        {"opacity times the fill opacity",
         File(R"(<g fill-opacity="0.5"><rect width="1" height="1" opacity="0.5"/></g>)"),
         [=](SvgScene& s, standin::DocumentId id) {
             const host::Art group = s.TopArt(id).at(0);
             EXPECT_EQ(s.Record(group).opacity, 1.0);
             EXPECT_EQ(s.Record(s.Children(group).at(0)).opacity, 0.25);
         }},
        {"text: a point text frame with the font and size; white space collapses",
         File(R"(<text x="10" y="20" font-family="'No Such Font', Helvetica" font-size="16">
                   4 <tspan font-family="OCRB" font-size="8pt">006</tspan>  381 </text>)",
              R"(width="100" height="100" viewBox="0 0 100 100" preserveAspectRatio="none")"),
         [=](SvgScene& s, standin::DocumentId id) {
             const standin::ArtRecord& text = only(s, id);
             EXPECT_EQ(text.type, host::ArtType::kTextFrame);
             ExpectPoint({7.5f, 60}, text.text.anchor);
             std::u16string units;
             for (const standin::TextCharacter& character : text.text.characters) {
                 units += character.unit;
             }
             EXPECT_EQ(units, u"4 006 381");
             EXPECT_EQ(text.text.characters.at(0).font, s.fonts.FontNamed("Helvetica"));
             EXPECT_EQ(text.text.characters.at(0).size, 12.0f);
             EXPECT_EQ(text.text.characters.at(2).font, s.fonts.FontNamed("OCRB"));
             EXPECT_EQ(text.text.characters.at(2).size, 8.0f);
         }},
        {"text-anchor moves the frame back by the text's advance",
         File(
             R"(<text x="40" y="20" font-family="OCRB" font-size="10pt" text-anchor="middle">12</text>)"
             R"(<text x="40" y="20" font-family="OCRB" font-size="10pt" text-anchor="end">12</text>)",
             R"(width="100" height="100" viewBox="0 0 100 100" preserveAspectRatio="none")"),
         [=](SvgScene& s, standin::DocumentId id) {
             const std::vector<host::Art> art = s.TopArt(id);
             ASSERT_EQ(art.size(), 2u);
             // Two characters of 0.6 em at 10 pt.
             EXPECT_NEAR(s.Record(art[0]).text.anchor.h, 30 - 6, kTolerancePoints);
             EXPECT_NEAR(s.Record(art[1]).text.anchor.h, 30 - 12, kTolerancePoints);
         }},
        {"an image becomes a placed image",
         File(R"(<image x="10" y="10" width="20" height="40" href="picture.png"/>)",
              R"(width="100" height="100" viewBox="0 0 100 100" preserveAspectRatio="none")"),
         [=](SvgScene& s, standin::DocumentId id) {
             const standin::ArtRecord& image = only(s, id);
             EXPECT_EQ(image.type, host::ArtType::kPlacedImage);
             ExpectRect({7.5f, 67.5f, 22.5f, 37.5f}, image.imageBounds);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SvgScene scene;
        const standin::DocumentId id = scene.OpenText(c.file);
        if (id) {
            c.check(scene, id);
            EXPECT_EQ(scene.store.Document(id).layers.size(), 1u);
            EXPECT_EQ(scene.store.PeekLayer(scene.store.Document(id).layers[0])->name,
                      host::kSvgLayerName);
        }
        scene.ExpectNoViolations();
    }
}

// What the reader does not draw is left out: descriptions without a word,
// anything else counted once with what it holds.
TEST(SvgForeign, CountsTheElementsItSkips) {
    struct Case {
        const char* what;
        std::string body;
        std::size_t skipped;
        std::size_t art;
    };
    const Case cases[] = {
        {"descriptions and comments",
         "<title>t</title><desc>d</desc><metadata><x/></metadata><!-- c -->", 0, 0},
        {"shapes the reader does not take",
         R"(<circle r="5"/><ellipse rx="1" ry="2"/><use href="#a"/><rect width="1" height="1"/>)",
         3, 1},
        {"definitions with what they hold",
         R"(<defs><rect id="a" width="1" height="1"/><g/></defs>)", 1, 0},
        {"another namespace",
         R"(<x:thing xmlns:x="urn:other"><rect width="1" height="1"/></x:thing>)", 1, 0},
        {"art that is not displayed", R"(<g display="none"><rect width="1" height="1"/></g>)", 1,
         0},
        {"a rect of no width", R"(<rect width="0" height="1"/><rect height="1"/>)", 2, 0},
        {"text with no paint", R"(<text fill="none">x</text>)", 1, 0},
        {"a span outside text", R"(<tspan>x</tspan>)", 1, 0},
        {"children of a shape", R"(<rect width="1" height="1"><animate/><title>t</title></rect>)",
         1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SvgScene scene;
        const standin::SvgOpened opened = scene.OpenFile(File(c.body));
        ASSERT_EQ(opened.error, "");
        EXPECT_EQ(opened.skippedElements, c.skipped);
        EXPECT_EQ(scene.TopArt(opened.document).size(), c.art);
        scene.ExpectNoViolations();
    }
}

}  // namespace
