#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ApplicationScene.h"
#include "BarcodeFourCC.h"
#include "host/HostPolicies.h"

namespace {

using apptest::ApplicationScene;
using Strivelo::FourCC;

constexpr const char* kCheckReadout = "Check Readout";
constexpr const char* kHide = "Pavrello Vettrin ausblenden";
constexpr const char* kShow = "Pavrello Vettrin einblenden";
constexpr std::uint32_t kHideText = 26001;

// Where the host shows the checking side's menu items and which document
// events it tells the plug-in.
TEST(CheckMenus, AreInTheFamilyGroupsAndHearTheDocumentEvents) {
    ApplicationScene scene;
    scene.Start();
    struct Item {
        const char* name;
        const char* group;
        const char* text;
    };
    const Item items[] = {
        {kCheckReadout, "Orvanex Pavrello Windows Group", kShow},
        {"Filter Change BWR", "Orvanex Pavrello Filters Group", "Balkenbreiten-Reduktion ändern"},
        {"Filter Fix Deviation", "Orvanex Pavrello Filters Group",
         "Korrektur der Barcode Abweichung"},
    };
    for (const Item& item : items) {
        SCOPED_TRACE(item.name);
        const standin::MenuItemRecord* record = scene.host.Menus().FindItem(item.name);
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(record->group, item.group);
        EXPECT_EQ(record->texts.front(), item.text);
    }
    std::vector<std::pair<std::string, std::string>> notifiers;
    for (const standin::NotifierRecord& notifier : scene.host.Notifiers().Notifiers()) {
        notifiers.emplace_back(notifier.name, notifier.type);
    }
    EXPECT_EQ(notifiers, (std::vector<std::pair<std::string, std::string>>{
                             {"CheckDocNotifier", host::kDocumentOpenedNotifier},
                             {"CheckChangeDocNotifier", host::kDocumentChangedNotifier},
                             {"CheckCloseDocNotifier", host::kDocumentClosedNotifier},
                             {"ApplicationStartedNotifier", host::kApplicationStartedNotifier},
                         }));
    scene.ExpectBalancedAndClean();
}

// "Check Readout" shows and hides the palette; afterwards its text names
// what choosing it does next.
TEST(CheckMenus, CheckReadoutShowsAndHidesThePalette) {
    enum class Palette { kNone, kShown, kHidden };
    struct Case {
        const char* what;
        Palette palette;
        bool hideTextMissing;
        host::Error goResult;
        bool shownAfterGo;
        const char* textAfterGo;  // null: Go sets no text
        const char* textAfterUpdate;
    };
    const Case cases[] = {
        {"no palette", Palette::kNone, false, host::kNoError, false, nullptr, kShow},
        {"shown palette", Palette::kShown, false, host::kNoError, false, kShow, kShow},
        {"hidden palette", Palette::kHidden, false, host::kNoError, true, kHide, kHide},
        {"hidden palette, no text to hide it", Palette::kHidden, true, host::kErrorNotFound, true,
         nullptr, kShow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ApplicationScene scene({.makePalette = c.palette != Palette::kNone});
        if (c.hideTextMissing) {
            scene.resources.RemoveString(kHideText);
        }
        scene.Start();
        if (c.palette == Palette::kHidden) {
            scene.Palette().Show(false);
        }
        const std::size_t texts = scene.host.Menus().FindItem(kCheckReadout)->texts.size();
        if (c.goResult != host::kNoError) {
            scene.dialogs.ExpectModal(apptest::kErrorDialog).Press(host::kOkItem);
        }

        EXPECT_EQ(scene.host.SendMenu(kCheckReadout, host::kSelectorGo), c.goResult);

        const standin::MenuItemRecord* item = scene.host.Menus().FindItem(kCheckReadout);
        if (c.palette != Palette::kNone) {
            EXPECT_EQ(scene.Palette().IsShown(), c.shownAfterGo);
        }
        if (c.textAfterGo != nullptr) {
            ASSERT_EQ(item->texts.size(), texts + 1);
            EXPECT_EQ(item->text, c.textAfterGo);
        } else {
            EXPECT_EQ(item->texts.size(), texts);
        }
        if (c.hideTextMissing) {
            scene.dialogs.ExpectModal(apptest::kErrorDialog).Press(host::kOkItem);
        }
        EXPECT_EQ(scene.host.SendMenu(kCheckReadout, host::kSelectorUpdate),
                  c.hideTextMissing ? host::kErrorNotFound : host::kNoError);
        EXPECT_EQ(scene.host.Menus().FindItem(kCheckReadout)->text, c.textAfterUpdate);
        scene.ExpectBalancedAndClean();
    }
}

// Any document opened, changed or closed leaves the palette without the
// results of its last check; without a palette nothing happens.
TEST(CheckMenus, DocumentEventsEmptyThePalette) {
    const char* const types[] = {host::kDocumentOpenedNotifier, host::kDocumentChangedNotifier,
                                 host::kDocumentClosedNotifier};
    for (const char* type : types) {
        SCOPED_TRACE(type);
        ApplicationScene scene;
        scene.Draw({FourCC("ean8"), "9638-5074"}, {100, 500});
        scene.Start();
        scene.Palette().GetProfile()->countTest.SetEnableTest(true);
        scene.Press(apptest::kCheckItem);
        ASSERT_EQ(scene.PaletteItem(apptest::kListItem).entries.size(), 1u);
        ASSERT_TRUE(scene.PaletteItem(apptest::kStatusItem).enabled);

        EXPECT_EQ(scene.host.Notify(type), std::vector<host::Error>{host::kNoError});

        const standin::DialogSnapshot palette = scene.ViewPalette();
        EXPECT_TRUE(palette.items.at(apptest::kListItem).entries.empty());
        EXPECT_EQ(palette.items.at(apptest::kCountItem).text, "0");
        for (const std::int32_t item : {apptest::kSelectItem, apptest::kReportItem,
                                        apptest::kTransferItem, apptest::kStatusItem}) {
            EXPECT_FALSE(palette.items.at(item).enabled) << item;
        }
        EXPECT_FALSE(scene.Palette().SelectListedBarcode());
        scene.ExpectBalancedAndClean();

        ApplicationScene withoutPalette({.makePalette = false});
        withoutPalette.Start();
        EXPECT_EQ(withoutPalette.host.Notify(type), std::vector<host::Error>{host::kNoError});
        withoutPalette.ExpectBalancedAndClean();
    }
}

// The About dialog needs neither palette.
TEST(CheckMenus, TheAboutDialogShowsWithoutPalettes) {
    ApplicationScene scene({.makePalette = false});
    scene.Start();
    scene.dialogs.ExpectModal("About Dialog").Press(host::kOkItem);
    EXPECT_EQ(scene.host.SendInterface(host::kSelectorAbout), host::kNoError);
    ASSERT_EQ(scene.dialogs.ModalLog().size(), 1u);
    EXPECT_EQ(scene.dialogs.ModalLog()[0].resourceId, 17005);
    EXPECT_EQ(scene.dialogs.ModalLog()[0].texts.at(202), "Orvanex Pavrello 1.5");
    scene.ExpectBalancedAndClean();
}

}  // namespace
