// Which font the human-readable text gets for each font a symbology asks
// for, over catalogues of installed fonts: the requested font, its other
// names, the user's replacement, the fallbacks, and the alert that tells the
// user once about a missing font.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "BarcodeDialog.h"
#include "BarcodeGenerate.h"
#include "CreationScene.h"

namespace {

using creationtest::CreationScene;
using Replacements = std::vector<std::pair<std::string, std::string>>;

constexpr double kPt = 2.8346457;
constexpr double kDigitHeightMm = 3;

standin::FontCatalogue Without(standin::FontCatalogue catalogue, const std::string& typeface) {
    std::erase_if(catalogue,
                  [&](const standin::CatalogueTypeface& t) { return t.name == typeface; });
    return catalogue;
}

standin::FontCatalogue Renamed(standin::FontCatalogue catalogue, const std::string& from,
                               const std::string& to) {
    for (standin::CatalogueTypeface& typeface : catalogue) {
        for (standin::CatalogueFont& font : typeface.styles) {
            if (font.postScriptName == from) {
                font.postScriptName = to;
            }
        }
    }
    return catalogue;
}

// Every font of the catalogue whose name is listed (all for none) with that
// ascent and descent.
standin::FontCatalogue WithMetrics(standin::FontCatalogue catalogue, float ascent, float descent,
                                   const std::vector<std::string>& fonts = {}) {
    for (standin::CatalogueTypeface& typeface : catalogue) {
        if (typeface.styles.empty()) {
            typeface.styles.push_back({typeface.name, ""});
        }
        for (standin::CatalogueFont& font : typeface.styles) {
            if (fonts.empty() ||
                std::find(fonts.begin(), fonts.end(), font.postScriptName) != fonts.end()) {
                font.metrics.ascent = ascent;
                font.metrics.descent = descent;
            }
        }
    }
    return catalogue;
}

Replacements ListOf(const BarcodeDialog& dialog) {
    Replacements list;
    for (std::size_t i = 0; dialog.GetOriginalFontName(i) != nullptr; ++i) {
        list.emplace_back(dialog.GetOriginalFontName(i), dialog.GetReplacementFontName(i));
    }
    return list;
}

TEST(FontChain, GivesTheTextAFontEveryTime) {
    const standin::FontCatalogue standard = standin::DefaultFontCatalogue();
    const standin::FontCatalogue noArial = Without(standard, "Arial");
    struct Case {
        const char* what;
        standin::FontCatalogue catalogue;
        bool palette;
        Replacements stored;
        std::vector<std::string> requested;  // one character each, by digit height
        std::vector<std::string> drawnIn;    // "" where nothing is drawn
        std::vector<std::string> alerts;
        Replacements recorded;
        // Changes the catalogue after the replacements are stored.
        standin::FontCatalogue installed = {};
    };
    const Case cases[] = {
        {"OCR-B as it is installed", standard, true, {}, {"OCRB"}, {"OCRB"}, {}, {}},
        {"OCR-B only under its dashed name",
         Renamed(standard, "OCRB", "OCR-B"),
         true,
         {},
         {"OCRB"},
         {"OCR-B"},
         {},
         {}},
        {"OCR-B only under its standard name",
         Renamed(standard, "OCRB", "OCRBStd"),
         true,
         {},
         {"OCRB"},
         {"OCRBStd"},
         {},
         {}},
        {"OCR-B only under its pitch name",
         Renamed(standard, "OCRB", "OCRB10PitchBT-Regular"),
         true,
         {},
         {"OCRB"},
         {"OCRB10PitchBT-Regular"},
         {},
         {}},
        {"OCR-B under no name",
         Without(standard, "OCRB"),
         true,
         {},
         {"OCRB", "OCRB"},
         {"ArialMT", "ArialMT"},
         {"OCRB"},
         {{"OCRB", "ArialMT"}}},
        {"a missing font",
         standard,
         true,
         {},
         {"Frutiger", "Frutiger"},
         {"ArialMT", "ArialMT"},
         {"Frutiger"},
         {{"Frutiger", "ArialMT"}}},
        {"a missing font replaced by the user",
         standard,
         true,
         {{"Frutiger", "Helvetica-Bold"}},
         {"Frutiger"},
         {"Helvetica-Bold"},
         {},
         {{"Frutiger", "Helvetica-Bold"}}},
        {"a user's replacement no longer installed",
         standard,
         true,
         {{"Frutiger", "Helvetica-Bold"}},
         {"Frutiger"},
         {"ArialMT"},
         {"Frutiger"},
         {{"Frutiger", "ArialMT"}},
         Renamed(standard, "Helvetica-Bold", "Helvetica-Black")},
        {"a missing font without a palette",
         standard,
         false,
         {},
         {"Frutiger"},
         {"Helvetica"},
         {},
         {}},
        {"a missing font and no Arial to replace it",
         noArial,
         true,
         {},
         {"Frutiger", "Frutiger", "Univers"},
         {"Helvetica", "Helvetica", "Helvetica"},
         {"Frutiger", "Univers"},
         {}},
        {"six missing fonts, each asked for twice",
         noArial,
         true,
         {},
         {"Univers", "Optima", "Futura", "Bodoni", "Garamond", "Rockwell", "Univers", "Optima",
          "Futura", "Bodoni", "Garamond", "Rockwell"},
         std::vector<std::string>(12, "Helvetica"),
         {"Univers", "Optima", "Futura", "Bodoni", "Garamond", "Rockwell"},
         {}},
        {"a missing font of a long name",
         noArial,
         true,
         {},
         {"VeryLongPostScriptName-ExtraBoldCondensedItalic",
          "VeryLongPostScriptName-ExtraBoldCondensedItalic"},
         {"Helvetica", "Helvetica"},
         {"VeryLongPostScriptName-ExtraBoldCondensedItalic"},
         {}},
        {"Helvetica asked for and missing",
         Without(standard, "Helvetica"),
         true,
         {},
         {"Helvetica"},
         {"ArialMT"},
         {"Helvetica"},
         {{"Helvetica", "ArialMT"}}},
        {"only the host's substitute",
         Without(Without(standard, "Helvetica"), "Arial"),
         false,
         {},
         {"Frutiger"},
         {"GillSans"},
         {},
         {}},
        {"Helvetica without an ascent",
         WithMetrics(standard, 0, -0.2f, {"Helvetica"}),
         false,
         {},
         {"Helvetica"},
         {"ArialMT"},
         {},
         {}},
        {"Helvetica of no height",
         WithMetrics(standard, -0.2f, -0.2f, {"Helvetica"}),
         false,
         {},
         {"Helvetica"},
         {"ArialMT"},
         {},
         {}},
        {"no font of any height",
         WithMetrics(standard, 0, 0),
         false,
         {},
         {"Helvetica"},
         {""},
         {},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CreationScene scene({{"Ebene 1"}}, c.catalogue);
        std::unique_ptr<BarcodeDialog> palette;
        if (c.palette) {
            palette = std::make_unique<BarcodeDialog>();
            gBarcodeDialog = palette.get();
            for (const auto& [original, replacement] : c.stored) {
                ASSERT_EQ(palette->SetFontReplacement(original.c_str(), replacement.c_str()),
                          host::kNoError);
            }
        }
        if (!c.installed.empty()) {
            scene.host.Fonts().SetCatalogue(c.installed);
        }
        for (std::size_t i = 0; i < c.alerts.size(); ++i) {
            scene.host.Dialogs().ExpectModal(creationtest::kMissingFontDialog).Press(host::kOkItem);
        }
        const host::Art parent = scene.Group(scene.LayerGroup());
        {
            BarcodeGenerate generator(0, 0, parent, "");
            for (std::size_t i = 0; i < c.requested.size(); ++i) {
                generator.SetFont(c.requested[i].c_str(), true);
                EXPECT_EQ(generator.AddText(static_cast<double>(i), 0, kDigitHeightMm, '1'),
                          !c.drawnIn[i].empty())
                    << i;
            }
        }
        std::vector<std::string> drawnIn;
        for (const host::Art frame : scene.Children(parent)) {
            const standin::TextCharacter& character = scene.Record(frame).text.characters.at(0);
            const auto place = scene.host.Fonts().FindFont(character.font, "test");
            ASSERT_TRUE(place.has_value());
            drawnIn.push_back(place->font.postScriptName);
        }
        std::vector<std::string> expectedDrawn = c.drawnIn;
        std::erase(expectedDrawn, "");
        EXPECT_EQ(drawnIn, expectedDrawn);
        std::vector<std::string> alerts;
        for (const standin::ModalRun& run : scene.host.Dialogs().ModalLog()) {
            alerts.push_back(run.texts.at(creationtest::kMissingFontNameItem));
        }
        EXPECT_EQ(alerts, c.alerts);
        if (palette != nullptr) {
            EXPECT_EQ(ListOf(*palette), c.recorded);
            palette.reset();
            EXPECT_EQ(gBarcodeDialog, nullptr);
        }
        scene.ExpectBalancedAndClean();
    }
}

// The digit height of the font asked for scales the font that stands in.
TEST(FontChain, ScalesTheStandInByTheFontAskedFor) {
    CreationScene scene({{"Ebene 1"}}, Renamed(standin::DefaultFontCatalogue(), "OCRB", "OCR-B"));
    const host::Art parent = scene.Group(scene.LayerGroup());
    {
        BarcodeGenerate generator(0, 0, parent, "");
        generator.SetFont("OCRB", true);
        ASSERT_TRUE(generator.AddText(0, 0, kDigitHeightMm, '1'));
    }
    const standin::TextCharacter& character =
        scene.Record(scene.Children(parent).at(0)).text.characters.at(0);
    EXPECT_EQ(character.font, scene.host.Fonts().FontNamed("OCR-B"));
    EXPECT_NEAR(character.size, 1.18 * kDigitHeightMm * kPt, 1e-4);
    scene.ExpectBalancedAndClean();
}

}  // namespace
