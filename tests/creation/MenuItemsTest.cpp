// The barcode palette's menu item, which shows and hides the palette and
// names what it does next, and the About menu item.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "AboutWindowMenu.h"
#include "BarcodeWindowMenu.h"
#include "M7LAIPlugin.h"
#include "M7LPluginMain.h"
#include "PaletteScene.h"

namespace {

using creationtest::PaletteScene;

constexpr const char* kShow = "Pavrello anzeigen";
constexpr const char* kHide = "Pavrello ausblenden";

std::string TextOf(PaletteScene& scene, const char* item) {
    return scene.host.Menus().FindItem(item)->text;
}

TEST(BarcodeWindowMenu, ShowsOrHidesThePaletteAndNamesTheNextAction) {
    enum class Palette { kNone, kShown, kHidden, kClosedByItsBox };
    struct Case {
        const char* what;
        Palette palette;
        const char* updated;
        bool shownAfterGo;
        const char* afterGo;
    };
    const Case cases[] = {
        {"no palette", Palette::kNone, kShow, false, kShow},
        {"shown", Palette::kShown, kHide, false, kShow},
        {"hidden", Palette::kHidden, kShow, true, kHide},
        {"closed by its close box", Palette::kClosedByItsBox, kShow, true, kHide},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PaletteScene scene;
        scene.MakeMenus();
        EXPECT_EQ(TextOf(scene, BarcodeWindowMenu::kName), kShow);
        if (c.palette != Palette::kNone) {
            scene.MakePalette().Show(c.palette == Palette::kShown);
        }
        if (c.palette == Palette::kClosedByItsBox) {
            scene.Palette().Show(true);
            ASSERT_TRUE(scene.dialogs.UserClose(scene.PaletteDialog()));
        }
        EXPECT_EQ(scene.host.SendMenu(BarcodeWindowMenu::kName, host::kSelectorUpdate),
                  host::kNoError);
        EXPECT_EQ(TextOf(scene, BarcodeWindowMenu::kName), c.updated);
        EXPECT_EQ(scene.host.SendMenu(BarcodeWindowMenu::kName, host::kSelectorGo), host::kNoError);
        EXPECT_EQ(gBarcodeDialog != nullptr && gBarcodeDialog->IsVisible(), c.shownAfterGo);
        EXPECT_EQ(TextOf(scene, BarcodeWindowMenu::kName), c.afterGo);
        scene.Shutdown();
        scene.ExpectBalancedAndClean();
    }
}

// A text that cannot be loaded is the result; the palette was shown all the
// same, and the item keeps its text.
TEST(BarcodeWindowMenu, AnswersATextItCannotLoad) {
    PaletteScene scene;
    scene.resources.RemoveString(BarcodeWindowMenu::kTextList + BarcodeWindowMenu::kHideText);
    scene.MakeMenus();
    scene.MakePalette().Show(false);
    EXPECT_EQ(scene.host.SendMenu(BarcodeWindowMenu::kName, host::kSelectorGo),
              host::kErrorNotFound);
    EXPECT_TRUE(scene.Palette().IsVisible());
    EXPECT_EQ(TextOf(scene, BarcodeWindowMenu::kName), kShow);
    EXPECT_EQ(scene.host.SendMenu(BarcodeWindowMenu::kName, host::kSelectorUpdate),
              host::kErrorNotFound);
    scene.Shutdown();
    scene.ExpectBalancedAndClean();
}

// The plug-in object that counts its About.
class AboutPlugin : public M7LAIPlugin {
public:
    host::Error About() override {
        ++abouts;
        return host::kErrorCancel;
    }
    int abouts = 0;
};

TEST(AboutWindowMenu, AsksThePluginForItsAbout) {
    for (const bool withPlugin : {true, false}) {
        SCOPED_TRACE(withPlugin ? "a plug-in object" : "none yet");
        PaletteScene scene;
        AboutPlugin plugin;
        gPlugin = withPlugin ? &plugin : nullptr;
        scene.MakeMenus();
        EXPECT_EQ(TextOf(scene, AboutWindowMenu::kName), "Über Pavrello...");
        EXPECT_EQ(scene.host.SendMenu(AboutWindowMenu::kName, host::kSelectorGo), host::kNoError);
        EXPECT_EQ(scene.host.SendMenu(AboutWindowMenu::kName, host::kSelectorUpdate),
                  host::kNoError);
        EXPECT_EQ(plugin.abouts, withPlugin ? 1 : 0);
        EXPECT_EQ(TextOf(scene, AboutWindowMenu::kName), "Über Pavrello...");
        gPlugin = nullptr;
        scene.Shutdown();
        scene.ExpectBalancedAndClean();
    }
}

}  // namespace
