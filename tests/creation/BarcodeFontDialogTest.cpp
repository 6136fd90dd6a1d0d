// The font replacements' dialog over the palette's replacements: what it
// lists, what changing the popups, choosing another row and deleting one
// do to the palette, and what the next barcode's text is set in.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "BarcodeFontDialog.h"
#include "BarcodeFourCC.h"
#include "PaletteScene.h"

namespace {

using creationtest::PaletteScene;
using Replacements = std::vector<std::pair<std::string, std::string>>;
using Strivelo::FourCC;

constexpr const char* kDialog = "BarcodeFontDialog";
constexpr std::int32_t kList = BarcodeFontDialog::kListItem;
constexpr std::int32_t kFace = BarcodeFontDialog::kFaceItem;
constexpr std::int32_t kStyle = BarcodeFontDialog::kStyleItem;
constexpr std::int32_t kDelete = BarcodeFontDialog::kDeleteItem;
// Typefaces of the default catalogue, by their place in the face popup.
constexpr int kArial = 0;
constexpr int kGillSans = 1;
constexpr int kHelvetica = 2;
constexpr int kBold = 1;

Replacements ListOf(const BarcodeDialog& palette) {
    Replacements list;
    for (std::size_t i = 0; palette.GetOriginalFontName(i) != nullptr; ++i) {
        list.emplace_back(palette.GetOriginalFontName(i), palette.GetReplacementFontName(i));
    }
    return list;
}

// The texts the list's rows drew with their boxes, one line per row: its
// original font, its replacement's typeface and style, and "*" for the
// selected row.
std::vector<std::string> RowsDrawn(const standin::DialogSnapshot& view) {
    std::vector<std::string> rows;
    for (const standin::EntrySnapshot& entry : view.items.at(kList).entries) {
        std::string row;
        for (const std::string& line : entry.drawn) {
            if (line.starts_with("text ")) {
                row += (row.empty() ? "" : " | ") + line.substr(5);
            }
        }
        if (std::find(entry.drawn.begin(), entry.drawn.end(), "color 2") != entry.drawn.end()) {
            row += " *";
        }
        rows.push_back(row);
    }
    return rows;
}

// Opens the dialog from the palette's options menu.
void OpenDialog(PaletteScene& scene) {
    EXPECT_TRUE(scene.Menu(9));
}

TEST(BarcodeFontDialog, ListsEachReplacementWithItsTypefaceAndStyle) {
    PaletteScene scene;
    BarcodeDialog& palette = scene.MakePalette();
    for (const auto& [original, replacement] : Replacements{{"Frutiger", "Arial-BoldMT"},
                                                            {"Symbol", "Pictographs"},
                                                            {"Univers", "Helvetica"},
                                                            {"Optima", "ArialMT"}}) {
        ASSERT_EQ(palette.SetFontReplacement(original.c_str(), replacement.c_str()),
                  host::kNoError);
    }
    // A replacement no longer installed ends the list.
    standin::FontCatalogue catalogue = standin::DefaultFontCatalogue();
    std::erase_if(catalogue, [](const auto& typeface) { return typeface.name == "Helvetica"; });
    scene.host.Fonts().SetCatalogue(catalogue);
    std::vector<std::string> listed;
    int face = -1;
    int style = -1;
    scene.dialogs.ExpectModal(kDialog)
        .Inspect([&](const standin::DialogSnapshot& view) {
            face = view.items.at(kFace).activeEntry;
            style = view.items.at(kStyle).activeEntry;
        })
        .SelectEntry(kList, 0)
        .Inspect([&](const standin::DialogSnapshot& view) { listed = RowsDrawn(view); })
        .Press(host::kOkItem);
    OpenDialog(scene);
    EXPECT_EQ(listed, (std::vector<std::string>{"5 2 70 15 Frutiger | 73 2 300 15 Arial Bold *",
                                                "5 2 70 15 Symbol | 73 2 300 15 Pictographs "}));
    EXPECT_EQ(face, kArial);
    EXPECT_EQ(style, kBold);
    EXPECT_EQ(scene.dialogs.ModalLog().back().result, 0);
    scene.Shutdown();
    scene.ExpectBalancedAndClean();
}

// A font chosen in the popups is the selected row's replacement at once;
// choosing another row keeps it for the row left and shows the other row's.
TEST(BarcodeFontDialog, StoresThePopupsFontForItsRow) {
    PaletteScene scene;
    BarcodeDialog& palette = scene.MakePalette();
    ASSERT_EQ(palette.SetFontReplacement("Frutiger", "ArialMT"), host::kNoError);
    ASSERT_EQ(palette.SetFontReplacement("Univers", "Helvetica"), host::kNoError);
    Replacements afterFace;
    Replacements afterStyle;
    int shownFace = -1;
    std::vector<std::string> rows;
    scene.dialogs.ExpectModal(kDialog)
        .SelectEntry(kFace, kGillSans)
        .Inspect([&](const standin::DialogSnapshot&) { afterFace = ListOf(palette); })
        .SelectEntry(kStyle, kBold)
        .Inspect([&](const standin::DialogSnapshot&) { afterStyle = ListOf(palette); })
        .SelectEntry(kList, 1)
        .Inspect([&](const standin::DialogSnapshot& view) {
            shownFace = view.items.at(kFace).activeEntry;
            rows = RowsDrawn(view);
        })
        .SelectEntry(kFace, kArial)
        .Press(host::kOkItem);
    OpenDialog(scene);
    EXPECT_EQ(afterFace, (Replacements{{"Frutiger", "GillSans"}, {"Univers", "Helvetica"}}));
    EXPECT_EQ(afterStyle, (Replacements{{"Frutiger", "GillSans-Bold"}, {"Univers", "Helvetica"}}));
    EXPECT_EQ(shownFace, kHelvetica);
    EXPECT_EQ(rows,
              (std::vector<std::string>{"5 2 70 15 Frutiger | 73 2 300 15 Gill Sans Bold",
                                        "5 2 70 15 Univers | 73 2 300 15 Helvetica Regular *"}));
    EXPECT_EQ(ListOf(palette),
              (Replacements{{"Frutiger", "GillSans-Bold"}, {"Univers", "ArialMT"}}));
    scene.Shutdown();
    scene.ExpectBalancedAndClean();
}

// Deleting removes the selected replacement from the palette; the row
// selected next keeps its own font.
TEST(BarcodeFontDialog, DeletesTheSelectedReplacement) {
    struct Case {
        const char* what;
        std::function<void(standin::ModalExpectation&)> act;
        Replacements left;
    };
    const Case cases[] = {
        {"the first of two",
         [](standin::ModalExpectation& e) { e.Press(kDelete); },
         {{"Univers", "Helvetica-Bold"}}},
        {"the second of two",
         [](standin::ModalExpectation& e) { e.SelectEntry(kList, 1).Press(kDelete); },
         {{"Frutiger", "ArialMT"}}},
        {"both", [](standin::ModalExpectation& e) { e.Press(kDelete).Press(kDelete); }, {}},
        {"once more than there are",
         [](standin::ModalExpectation& e) { e.Press(kDelete).Press(kDelete).Press(kDelete); },
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PaletteScene scene;
        BarcodeDialog& palette = scene.MakePalette();
        ASSERT_EQ(palette.SetFontReplacement("Frutiger", "ArialMT"), host::kNoError);
        ASSERT_EQ(palette.SetFontReplacement("Univers", "Helvetica-Bold"), host::kNoError);
        standin::ModalExpectation& expectation = scene.dialogs.ExpectModal(kDialog);
        c.act(expectation);
        expectation.Press(host::kOkItem);
        OpenDialog(scene);
        EXPECT_EQ(ListOf(palette), c.left);
        EXPECT_EQ(scene.View().items.at(BarcodeDialog::kSideMenuItem).entries.at(9).enabled,
                  !c.left.empty());
        scene.Shutdown();
        scene.ExpectBalancedAndClean();
    }
}

// What the dialog changes is the font the next barcode's text is set in: a
// missing font the user replaced, and again the alert once the replacement
// is deleted.
TEST(BarcodeFontDialog, ChangesTheFontOfTheNextBarcode) {
    standin::FontCatalogue catalogue = standin::DefaultFontCatalogue();
    std::erase_if(catalogue, [](const auto& typeface) { return typeface.name == "OCRB"; });
    PaletteScene scene({{"Ebene 1"}}, catalogue);
    ASSERT_TRUE(scene.Ready(FourCC("ean8"), "9638-5074"));
    ASSERT_TRUE(scene.Toggle(BarcodeDialog::kOcrbItem));
    // The fonts of each barcode's text, in the order made.
    std::vector<std::vector<std::string>> fonts;
    const auto click = [&] {
        ASSERT_EQ(scene.Click({100, 100 + 150 * static_cast<float>(fonts.size())}), host::kNoError);
        std::vector<std::string> used;
        for (const host::Art part : scene.Children(scene.Children(scene.LayerGroup()).back())) {
            const standin::ArtRecord& record = scene.Record(part);
            if (record.type == host::ArtType::kTextFrame) {
                const auto font =
                    scene.host.Fonts().FindFont(record.text.characters.at(0).font, "test");
                used.push_back(font ? font->font.postScriptName : "");
            }
        }
        std::sort(used.begin(), used.end());
        used.erase(std::unique(used.begin(), used.end()), used.end());
        fonts.push_back(used);
    };
    scene.dialogs.ExpectModal(creationtest::kMissingFontDialog).Press(host::kOkItem);
    click();
    scene.dialogs.ExpectModal(kDialog)
        .SelectEntry(kFace, kHelvetica)
        .SelectEntry(kStyle, kBold)
        .Press(host::kOkItem);
    OpenDialog(scene);
    click();
    scene.dialogs.ExpectModal(kDialog).Press(kDelete).Press(host::kOkItem);
    OpenDialog(scene);
    scene.dialogs.ExpectModal(creationtest::kMissingFontDialog).Press(host::kOkItem);
    click();
    using Fonts = std::vector<std::string>;
    EXPECT_EQ(fonts, (std::vector<Fonts>{{"ArialMT"}, {"Helvetica-Bold"}, {"ArialMT"}}));
    scene.Shutdown();
    scene.ExpectBalancedAndClean();
}

}  // namespace
