#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "RuntimeScene.h"
#include "host/AiSuites.h"

namespace {

using runtimetest::ExpectEachRecorded;
using runtimetest::Mistake;
using runtimetest::RuntimeScene;
using standin::ViolationKind;

// The font list's name buffers.
constexpr std::size_t kNameBytes = 512;

struct WalkedFont {
    std::string typeface;
    std::string style;
    host::Font key;
};

struct WalkedTypeface {
    std::int32_t styleCount;
    std::vector<WalkedFont> fonts;
};

// The catalogue as the font list walks it: every typeface, and each of its
// styles, or style index 0 when it reports none.
std::vector<WalkedTypeface> Walk(const host::AiFontSuite& fonts) {
    std::vector<WalkedTypeface> walked;
    std::int32_t typefaces = 0;
    EXPECT_EQ(fonts.CountTypefaces(&typefaces), host::kNoError);
    for (std::int32_t i = 0; i < typefaces; ++i) {
        host::Typeface typeface;
        WalkedTypeface entry{};
        EXPECT_EQ(fonts.IndexTypefaceList(i, &typeface), host::kNoError);
        EXPECT_EQ(fonts.CountTypefaceStyles(typeface, &entry.styleCount), host::kNoError);
        for (std::int32_t j = 0; j < std::max(entry.styleCount, 1); ++j) {
            WalkedFont font;
            char typefaceName[kNameBytes];
            char styleName[kNameBytes];
            EXPECT_EQ(fonts.IndexTypefaceStyleList(typeface, j, &font.key), host::kNoError);
            EXPECT_EQ(fonts.GetTypefaceName(font.key, typefaceName, sizeof typefaceName), 0);
            EXPECT_EQ(fonts.GetStyleName(font.key, styleName, sizeof styleName), 0);
            font.typeface = typefaceName;
            font.style = styleName;
            entry.fonts.push_back(font);
        }
        walked.push_back(entry);
    }
    return walked;
}

TEST(Fonts, WalkTypefacesAndStylesByIndex) {
    struct Expected {
        std::string typeface;
        std::int32_t styleCount;
        std::vector<std::string> styles;
    };
    const Expected expected[] = {
        {"Arial", 2, {"Regular", "Bold"}},
        {"Gill Sans", 2, {"Regular", "Bold"}},
        {"Helvetica", 2, {"Regular", "Bold"}},
        {"OCRB", 1, {"Regular"}},
        {"Pictographs", 0, {""}},
    };
    RuntimeScene scene;
    const std::vector<WalkedTypeface> walked =
        Walk(scene.Acquire<host::AiFontSuite>(host::kAiFontSuite));
    ASSERT_EQ(walked.size(), std::size(expected));
    for (std::size_t i = 0; i < walked.size(); ++i) {
        SCOPED_TRACE(expected[i].typeface);
        EXPECT_EQ(walked[i].styleCount, expected[i].styleCount);
        ASSERT_EQ(walked[i].fonts.size(), expected[i].styles.size());
        for (std::size_t j = 0; j < walked[i].fonts.size(); ++j) {
            EXPECT_EQ(walked[i].fonts[j].typeface, expected[i].typeface);
            EXPECT_EQ(walked[i].fonts[j].style, expected[i].styles[j]);
        }
    }
    scene.ExpectBalancedAndClean();
}

// Keys compare equal for the same font however it is reached, so a
// selection can be matched against the walk.
TEST(Fonts, GiveEachFontOneKey) {
    struct Case {
        const char* postScriptName;
        std::size_t typeface;
        std::size_t style;
    };
    const Case cases[] = {
        {"ArialMT", 0, 0}, {"GillSans-Bold", 1, 1}, {"Helvetica", 2, 0},
        {"OCRB", 3, 0},    {"Pictographs", 4, 0},
    };
    RuntimeScene scene;
    const auto& fonts = scene.Acquire<host::AiFontSuite>(host::kAiFontSuite);
    const std::vector<WalkedTypeface> first = Walk(fonts);
    const std::vector<WalkedTypeface> second = Walk(fonts);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.postScriptName);
        const host::Font key = scene.host.Fonts().FontNamed(c.postScriptName);
        EXPECT_TRUE(key);
        EXPECT_EQ(first[c.typeface].fonts[c.style].key, key);
        EXPECT_EQ(second[c.typeface].fonts[c.style].key, key);
    }
    EXPECT_FALSE(scene.host.Fonts().FontNamed("Courier"));
    scene.ExpectBalancedAndClean();
}

TEST(Fonts, FollowACatalogueChangedForTheTest) {
    const standin::FontCatalogue catalogue{{"OCRB", {{"OCRB", "Regular"}}}, {"Symbolic", {}}};
    RuntimeScene scene({.fonts = catalogue});
    const auto& fonts = scene.Acquire<host::AiFontSuite>(host::kAiFontSuite);
    ASSERT_EQ(Walk(fonts).size(), 2u);

    const host::Font old = scene.host.Fonts().FontNamed("OCRB");
    scene.host.Fonts().SetCatalogue({{"Helvetica", {{"Helvetica", "Regular"}}}});
    const std::vector<WalkedTypeface> walked = Walk(fonts);
    ASSERT_EQ(walked.size(), 1u);
    EXPECT_EQ(walked[0].fonts[0].typeface, "Helvetica");
    scene.ExpectBalancedAndClean();

    char name[kNameBytes] = "untouched";
    EXPECT_EQ(fonts.GetTypefaceName(old, name, sizeof name), host::kErrorBadHandle);
    EXPECT_STREQ(name, "untouched");
    EXPECT_EQ(scene.host.Core().GetViolations().Count(ViolationKind::kStaleHandle), 1u);
}

const host::AiFontSuite& Fonts(RuntimeScene& scene) {
    return scene.Acquire<host::AiFontSuite>(host::kAiFontSuite);
}

// The font of a typeface's style index, with typeface index 4 the one
// without styles.
host::Error StyleFont(RuntimeScene& scene, std::int32_t typefaceIndex, std::int32_t style) {
    host::Typeface typeface;
    host::Font font;
    Fonts(scene).IndexTypefaceList(typefaceIndex, &typeface);
    return Fonts(scene).IndexTypefaceStyleList(typeface, style, &font);
}

host::Error Typeface(RuntimeScene& scene, std::int32_t index) {
    host::Typeface typeface;
    return Fonts(scene).IndexTypefaceList(index, &typeface);
}

TEST(Fonts, RefuseIndexesBeyondTheCatalogue) {
    const Mistake cases[] = {
        {"typeface after the last", [](RuntimeScene& s) { return Typeface(s, 5); },
         ViolationKind::kBadArgument, host::kErrorBadArgument},
        {"negative typeface", [](RuntimeScene& s) { return Typeface(s, -1); },
         ViolationKind::kBadArgument, host::kErrorBadArgument},
        {"style after the last", [](RuntimeScene& s) { return StyleFont(s, 0, 2); },
         ViolationKind::kBadArgument, host::kErrorBadArgument},
        {"second style of a typeface without styles",
         [](RuntimeScene& s) { return StyleFont(s, 4, 1); }, ViolationKind::kBadArgument,
         host::kErrorBadArgument},
    };
    ExpectEachRecorded(cases);
}

}  // namespace
