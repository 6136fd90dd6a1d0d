#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "DialogBaseScene.h"
#include "M7LAIADMFontList.h"
#include "host/HostSuites.h"

namespace {

using frameworktest::DialogBaseScene;
using Entries = std::vector<std::pair<std::string, std::int32_t>>;

constexpr std::int32_t kFloatingStyle = 1;
constexpr host::Error kFailure = host::FourCharCode("font");

// Typefaces with two styles, none, and one.
standin::FontCatalogue Catalogue() {
    return {
        {"Alpha", {{"Alpha-Regular", "Regular"}, {"Alpha-Bold", "Bold"}}},
        {"Beta", {}},
        {"Gamma", {{"Gamma-Italic", "Italic"}}},
    };
}

// A palette with the two popups, made in the order the model needs; the host
// deletes them with the dialog.
class FontDialog : public M7LBaseADMDialog {
public:
    FontDialog()
        : M7LBaseADMDialog("Fonts", frameworktest::kPaletteTemplate, kFloatingStyle,
                           "M7LTestFontDialog", "", 50, 50, false) {}

    host::Error Init() override {
        const host::Error error = M7LBaseADMDialog::Init();
        new M7LAIADMFontList::FacePopUp(frameworktest::kFaceItem, this);
        new M7LAIADMFontList::StylePopUp(frameworktest::kStyleItem, this);
        return error;
    }
};

struct Popups {
    Entries faces;
    int face;
    Entries styles;
    int style;
};

Popups Read(DialogBaseScene& scene, host::Dialog dialog) {
    const standin::DialogSnapshot view = scene.dialogs.View(dialog);
    const auto entries = [](const standin::ItemSnapshot& item) {
        Entries result;
        for (const standin::EntrySnapshot& entry : item.entries) {
            result.emplace_back(entry.text, entry.id);
        }
        return result;
    };
    const standin::ItemSnapshot& faces = view.items.at(frameworktest::kFaceItem);
    const standin::ItemSnapshot& styles = view.items.at(frameworktest::kStyleItem);
    return {entries(faces), faces.activeEntry, entries(styles), styles.activeEntry};
}

// A font dialog shown; the host deletes it when it is closed.
host::Dialog ShowFontDialog() {
    auto* dialog = new FontDialog();
    dialog->Show();
    return dialog->GetDialog();
}

const Entries kFaces{{"Alpha", 0}, {"Beta", 1}, {"Gamma", 2}};
const Entries kAlphaStyles{{"Regular", 0}, {"Bold", 1}};

TEST(M7LAIADMFontList, FillsThePopupsAndFollowsTheChosenFace) {
    struct Case {
        int face;
        Entries styles;
        int style;
        const char* font;
    };
    const Case cases[] = {
        {0, kAlphaStyles, 0, "Alpha-Regular"},
        {1, {}, -1, "Beta"},
        {2, {{"Italic", 0}}, 0, "Gamma-Italic"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.font);
        DialogBaseScene scene(Catalogue());
        const host::Dialog handle = ShowFontDialog();
        ASSERT_TRUE(handle);
        const Popups shown = Read(scene, handle);
        EXPECT_EQ(shown.faces, kFaces);
        EXPECT_EQ(shown.face, 0);
        EXPECT_EQ(shown.styles, kAlphaStyles);
        EXPECT_EQ(shown.style, 0);
        // A style other than the first, which the new face must not keep.
        ASSERT_TRUE(scene.dialogs.UserSelectEntry(handle, frameworktest::kStyleItem, 1));
        ASSERT_TRUE(scene.dialogs.UserSelectEntry(handle, frameworktest::kFaceItem, c.face));
        const Popups chosen = Read(scene, handle);
        EXPECT_EQ(chosen.faces, kFaces);
        EXPECT_EQ(chosen.face, c.face);
        EXPECT_EQ(chosen.styles, c.styles);
        EXPECT_EQ(chosen.style, c.style);
        host::Font font;
        EXPECT_EQ(M7LAIADMFontList::GetSelectedFont(&font), host::kNoError);
        EXPECT_EQ(font, scene.host.Fonts().FontNamed(c.font));
        ASSERT_TRUE(scene.dialogs.Close(handle));
        scene.ExpectBalancedAndClean();
    }
}

TEST(M7LAIADMFontList, SelectsTheFaceAndStyleOfAKey) {
    struct Case {
        const char* font;
        int face;
        int style;
    };
    // Starting from Gamma Italic; an unknown key changes nothing.
    const Case cases[] = {
        {"Alpha-Bold", 0, 1},   {"Alpha-Regular", 0, 0}, {"Beta", 1, -1},
        {"Gamma-Italic", 2, 0}, {"Nowhere", 2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.font);
        DialogBaseScene scene(Catalogue());
        const host::Dialog handle = ShowFontDialog();
        ASSERT_TRUE(handle);
        const host::Font start = scene.host.Fonts().FontNamed("Gamma-Italic");
        ASSERT_EQ(M7LAIADMFontList::SelectFont(start), host::kNoError);
        EXPECT_EQ(M7LAIADMFontList::SelectFont(scene.host.Fonts().FontNamed(c.font)),
                  host::kNoError);
        const Popups selected = Read(scene, handle);
        EXPECT_EQ(selected.face, c.face);
        EXPECT_EQ(selected.style, c.style);
        host::Font font;
        EXPECT_EQ(M7LAIADMFontList::GetSelectedFont(&font), host::kNoError);
        const bool known = scene.host.Fonts().FontNamed(c.font) != host::Font{};
        EXPECT_EQ(font, known ? scene.host.Fonts().FontNamed(c.font) : start);
        ASSERT_TRUE(scene.dialogs.Close(handle));
        scene.ExpectBalancedAndClean();
    }
}

// The first failing host call ends the walk or the fill and is the answer.
TEST(M7LAIADMFontList, AnswersTheFirstFailingHostCall) {
    const char* const calls[] = {"CountTypefaces", "IndexTypefaceList", "IndexTypefaceStyleList",
                                 "GetTypefaceName"};
    for (const char* call : calls) {
        SCOPED_TRACE(call);
        DialogBaseScene scene(Catalogue());
        const host::Dialog handle = ShowFontDialog();
        ASSERT_TRUE(handle);
        const bool walks = std::string(call) != "GetTypefaceName";
        scene.host.Core().GetFaults().FailCall(host::kAiFontSuite.name, call, kFailure, 1);
        if (walks) {
            EXPECT_EQ(M7LAIADMFontList::SelectFont(scene.host.Fonts().FontNamed("Gamma-Italic")),
                      kFailure);
            EXPECT_EQ(Read(scene, handle).face, 0);
            scene.host.Core().GetFaults().FailCall(host::kAiFontSuite.name, call, kFailure, 1);
        }
        EXPECT_EQ(M7LAIADMFontList::Instance().FillFaces(), kFailure);
        EXPECT_EQ(Read(scene, handle).faces, Entries{});
        host::Font font;
        EXPECT_EQ(M7LAIADMFontList::GetSelectedFont(&font), -1);
        ASSERT_TRUE(scene.dialogs.Close(handle));
        scene.ExpectBalancedAndClean();
    }
}

// Without popups, or once their dialog is gone, there is no selection, and
// the model touches no list of a dialog that is gone.
TEST(M7LAIADMFontList, HasNoSelectionWithoutPopups) {
    DialogBaseScene scene(Catalogue());
    host::Font font;
    ASSERT_TRUE(scene.dialogs.Close(ShowFontDialog()));
    EXPECT_EQ(M7LAIADMFontList::GetSelectedFont(&font), -1);
    EXPECT_EQ(M7LAIADMFontList::SelectFont(scene.host.Fonts().FontNamed("Alpha-Bold")),
              host::kNoError);
    EXPECT_EQ(M7LAIADMFontList::Instance().FillFaces(), host::kNoError);
    scene.ExpectBalancedAndClean();
}

}  // namespace
