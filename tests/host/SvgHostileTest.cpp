#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "SvgScene.h"

namespace {

using svgtest::SvgScene;

constexpr const char* kOwn = R"(xmlns:s="urn:x-strivelo:svg")";

std::string File(const std::string& body, const std::string& root = R"(width="10" height="10")") {
    return R"(<svg xmlns="http://www.w3.org/2000/svg" )" + root + ">" + body + "</svg>";
}

std::string Repeat(const std::string& text, std::size_t times) {
    std::string repeated;
    for (std::size_t i = 0; i < times; ++i) {
        repeated += text;
    }
    return repeated;
}

// The file opens nothing: the scene's own document stays the only one, and
// current.
void ExpectNothingOpened(const SvgScene& scene, const standin::SvgOpened& opened) {
    EXPECT_FALSE(opened.document);
    EXPECT_EQ(scene.store.OpenDocuments(), std::vector<standin::DocumentId>{scene.document});
    EXPECT_EQ(scene.store.Current(), scene.document);
}

// Files that break the rules or the limits fail with a message naming the
// problem, and open nothing.
TEST(SvgHostile, FailsCleanlyAndOpensNothing) {
    struct Case {
        const char* what;
        std::string file;
        std::string error;  // a part of the message
        standin::SvgLimits limits = {};
    };
    const std::string laughs = R"(<!DOCTYPE svg [<!ENTITY lol "lol">)"
                               R"(<!ENTITY lol2 "&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;">)"
                               R"(<!ENTITY lol3 "&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;">]>)";
    const std::vector<Case> cases = {
        {"a billion laughs", laughs + File("<text>&lol3;</text>"), "the entity reference &lol;"},
        {"an external entity",
         R"(<!DOCTYPE svg [<!ENTITY x SYSTEM "file:///etc/passwd">]>)" + File("<text>&x;</text>"),
         "the entity reference &x;"},
        {"an entity in an attribute",
         R"(<!DOCTYPE svg [<!ENTITY w "10">]>)" + File(R"(<rect width="&w;" height="1"/>)"),
         "the entity reference &w;"},
        {"an undeclared entity", File("<text>&nbsp;</text>"), "the entity reference &nbsp;"},
        {"a parameter entity",
         R"(<!DOCTYPE svg [<!ENTITY % p SYSTEM "file:///etc/passwd"> %p;]>)" + File(""),
         "not well-formed XML"},
        {"elements nested one deeper than the limit",
         File(Repeat("<g>", host::kMaxSvgNestingDepth) + Repeat("</g>", host::kMaxSvgNestingDepth)),
         "elements nested deeper than 256"},
        {"elements nested a hundred thousand deep where nothing is read",
         File(Repeat("<defs>", 100000) + Repeat("</defs>", 100000)),
         "elements nested deeper than 256"},
        {"a number past a float's range", File(R"(<rect width="1e39" height="1"/>)"),
         R"(width="1e39": not a length)"},
        {"coordinates past the host's range",
         File(R"(<rect transform='scale(1e30)' width="1e10" height="1"/>)"),
         "a value out of the host's range"},
        {"a long value, shown by its start",
         File(R"(<rect height="1" width=")" + std::string(10000, '9') + R"("/>)"),
         R"(width=")" + std::string(40, '9') + R"(...": not a length)"},
        {"NaN for a length", File(R"(<rect width="NaN" height="1"/>)"),
         R"(width="NaN": not a length)"},
        {"NaN in path data", File(R"(<path d="M NaN 0"/>)"),
         "path data at offset 2: a number missing or out of range"},
        {"infinity in a transform", File(R"(<g transform='scale(inf)'/>)"),
         "transform=\"scale(inf)\": not a transform list"},
        {"a page without a size", R"(<svg xmlns="http://www.w3.org/2000/svg"/>)",
         "the page has no size"},
        {"a page of negative size", File("", R"(width="-5" height="10")"),
         R"(width="-5": not a positive length)"},
        {"a colour the reader does not know",
         File(R"(<rect fill="darkblue" width="1" height="1"/>)"),
         R"(fill="darkblue": not a colour the reader takes)"},
        {"a relative length", File(R"(<rect width="50%" height="1"/>)"),
         R"(width="50%": not a length)"},
        {"a rect of negative size", File(R"(<rect width="-1" height="1"/>)"),
         "a rect of negative size"},
        {"a negative stroke width", File(R"(<line stroke-width="-1"/>)"),
         R"(stroke-width="-1": not a length of zero or more)"},
        {"more dash lengths than the host holds",
         File(R"(<line stroke-dasharray="1 2 3 4 5 6 7"/>)"), "not a list of at most 6 lengths"},
        {"a path of more segments than the host holds",
         File(R"(<polyline points=")" + Repeat("1 1 ", 32001) + R"("/>)"),
         "a path of more than 32000 segments"},
        {"path data of more segments than the host holds",
         File(R"(<path d="M0 0)" + Repeat(" L1 1", 32000) + R"("/>)"), "more than 32000 segments"},
        {"a tag without a name", File(R"(<g )" + std::string(kOwn) + R"(><s:tag value="v"/></g>)"),
         "a tag without a name"},
        {"a paint the host does not have",
         File(R"(<rect )" + std::string(kOwn) + R"( s:fill="purple 1" width="1" height="1"/>)"),
         R"(fill="purple 1": not a paint of the host's)"},
        {"a custom colour that is not defined",
         File(R"(<rect )" + std::string(kOwn) + R"( s:fill="custom 0 0.5" width="1" height="1"/>)"),
         "not a paint of the host's"},
        {"a compound path's path of several subpaths",
         File(R"(<path )" + std::string(kOwn) +
              R"( s:art="compound-path"><s:path d="M0 0 L1 1 Z z"/></path>)"),
         "a path of a compound path with several subpaths"},
        {"no XML", "barcode", "not well-formed XML"},
        {"an empty file", "", "the file is empty"},
        {"bytes that the declared encoding cannot read",
         R"(<?xml version="1.0" encoding="Shift_JIS"?>)" +
             File(std::string("<text>\x82\x00\x00\x00</text>", 17)),
         "not well-formed XML"},
        {"binary bytes", std::string("\x00\xff\xfe<svg", 7), "not well-formed XML"},
        {"a cut file", File("<rect").substr(0, 60), "not well-formed XML"},
        {"another root element", "<html/>", "the root element <html> is no <svg>"},
        {"more segments than allowed",
         File(R"(<rect width="1" height="1"/><rect width="1" height="1"/><line/>)"),
         "more than 8 segments",
         {.segments = 8}},
        {"more art than allowed", File("<g/><g/><g/>"), "more than 2 pieces of art", {.art = 2}},
        {"a larger file than allowed",
         File(Repeat(" ", 100)),
         "larger than 100 bytes",
         {.fileBytes = 100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SvgScene scene;
        const standin::SvgOpened opened = scene.OpenFile(c.file, c.limits);
        EXPECT_NE(opened.error.find(c.error), std::string::npos) << opened.error;
        ExpectNothingOpened(scene, opened);
        scene.ExpectNoViolations();
    }
}

// Within the limits, files load; a missing attribute takes SVG's initial
// value.
TEST(SvgHostile, LoadsUpToTheLimits) {
    struct Case {
        const char* what;
        std::string file;
        std::size_t art;  // of the first layer
        standin::SvgLimits limits = {};
    };
    const std::vector<Case> cases = {
        {"elements nested to the limit",
         File(Repeat("<g>", host::kMaxSvgNestingDepth - 1) +
              Repeat("</g>", host::kMaxSvgNestingDepth - 1)),
         1},
        {"as many segments as allowed",
         File(R"(<rect width="1" height="1"/><rect width="1" height="1"/>)"),
         2,
         {.segments = 8}},
        {"as much art as allowed", File("<g/><g/>"), 2, {.art = 2}},
        {"a file as large as allowed",
         File(Repeat(" ", 100 - File("").size())),
         0,
         {.fileBytes = 100}},
        {"a path of as many segments as the host holds",
         File(R"(<polyline points=")" + Repeat("1 1 ", 32000) + R"("/>)"), 1},
        {"shapes without their attributes", File("<rect/><line/><polyline/><path/><text/><image/>"),
         5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SvgScene scene;
        const standin::SvgOpened opened = scene.OpenFile(c.file, c.limits);
        ASSERT_EQ(opened.error, "");
        EXPECT_EQ(scene.TopArt(opened.document).size(), c.art);
        scene.ExpectNoViolations();
    }
}

// Ten megabytes of paths load as as many paths.
TEST(SvgHostile, LoadsTenMegabytesOfPaths) {
    SvgScene scene;
    const std::string path = R"(<path d="M0 0)" + Repeat(" L1 1 L2 0", 25) + R"("/>)";
    constexpr std::size_t kFileBytes = 10'000'000;
    const std::size_t paths = kFileBytes / path.size();
    const standin::SvgOpened opened = scene.OpenFile(File(Repeat(path, paths)));
    ASSERT_EQ(opened.error, "");
    EXPECT_EQ(scene.TopArt(opened.document).size(), paths);
    scene.ExpectNoViolations();
}

// The policy's file size: a file of that size is read, one byte more is
// refused before it is parsed.
TEST(SvgHostile, ReadsFilesUpToTheLargestSize) {
    SvgScene scene;
    const std::string start = R"(<svg xmlns="http://www.w3.org/2000/svg" width="1" height="1">)";
    const std::string end = "</svg>";
    const std::string filler = Repeat(" ", 1000) + "<desc/>";
    std::string file = start;
    while (file.size() + filler.size() + end.size() <= host::kMaxSvgFileBytes) {
        file += filler;
    }
    file += std::string(host::kMaxSvgFileBytes - file.size() - end.size(), ' ') + end;
    const std::string path = scene.folder / "largest.svg";
    WriteFile(path, file);
    const standin::SvgOpened opened = scene.Open(path);
    ASSERT_EQ(opened.error, "");
    scene.store.Close(opened.document);
    std::filesystem::resize_file(path, host::kMaxSvgFileBytes + 1);
    const standin::SvgOpened tooLarge = scene.Open(path);
    EXPECT_EQ(tooLarge.error, "the file is larger than 67108864 bytes");
    ExpectNothingOpened(scene, tooLarge);
    scene.ExpectNoViolations();
}

}  // namespace
