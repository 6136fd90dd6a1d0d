#include <gtest/gtest.h>

#include <string>

#include "ApplicationScene.h"

namespace {

using apptest::ApplicationScene;

constexpr std::int32_t kReportSettingsEntry = 2;
constexpr std::int32_t kModeItem = 4;
constexpr std::int32_t kUnitsItem = 6;
constexpr std::int32_t kPrefixItem = 8;
constexpr std::int32_t kUseFileNameItem = 9;
constexpr std::int32_t kPostfixItem = 10;
constexpr std::int32_t kGenerateItem = 11;

void EditReportSettings(ApplicationScene& scene) {
    ASSERT_TRUE(scene.dialogs.UserSelectEntry(scene.PaletteDialog(), apptest::kSideMenuItem,
                                              kReportSettingsEntry));
}

// The dialog shows the palette's format and unit, the first entry for a
// value it does not list, and OK writes back what it shows.
TEST(ReportSettingsDialog, ShowsAndWritesTheFormatAndUnit) {
    struct Case {
        std::int32_t mode;
        std::int32_t units;
        int modeEntry;
        int unitsEntry;
        std::int32_t modeAfter;
        std::int32_t unitsAfter;
    };
    const Case cases[] = {
        {2, 4, 1, 3, 2, 4},
        {0, 9, 0, 0, 1, 1},
        {3, 1, 2, 0, 3, 1},
        {-1, 5, 0, 4, 1, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mode << " " << c.units);
        ApplicationScene scene;
        scene.Start();
        scene.Palette().SetReportMode(c.mode);
        scene.Palette().SetReportUnits(c.units);
        scene.dialogs.ExpectModal(apptest::kReportSettingsDialog)
            .Inspect([&c](const standin::DialogSnapshot& dialog) {
                EXPECT_EQ(dialog.items.at(kModeItem).activeEntry, c.modeEntry);
                EXPECT_EQ(dialog.items.at(kUnitsItem).activeEntry, c.unitsEntry);
                for (const std::int32_t label : {3, 5, 7}) {
                    EXPECT_EQ(dialog.items.at(label).font, host::kFontPalette) << label;
                }
            })
            .Press(host::kOkItem);
        EditReportSettings(scene);
        EXPECT_EQ(scene.Palette().GetReportMode(), c.modeAfter);
        EXPECT_EQ(scene.Palette().GetReportUnits(), c.unitsAfter);
        scene.ExpectBalancedAndClean();
    }
}

// Cancel leaves every setting; OK takes the name parts as typed, a part
// longer than 255 bytes cut to them.
TEST(ReportSettingsDialog, TakesTheEditsOnlyOnOK) {
    for (const bool ok : {false, true}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        ApplicationScene scene;
        scene.Start();
        scene.Palette().SetReportName("R_", false, "_x");
        scene.dialogs.ExpectModal(apptest::kReportSettingsDialog)
            .SelectEntry(kModeItem, 2)
            .SelectEntry(kUnitsItem, 1)
            .SetText(kPrefixItem, std::string(300, 'p'))
            .SetBoolean(kUseFileNameItem, true)
            .SetText(kPostfixItem, "_v")
            .SetBoolean(kGenerateItem, true)
            .Press(ok ? host::kOkItem : host::kCancelItem);
        EditReportSettings(scene);
        const CheckDialog& palette = scene.Palette();
        EXPECT_EQ(palette.GetReportMode(), ok ? 3 : 1);
        EXPECT_EQ(palette.GetReportUnits(), ok ? 2 : 1);
        EXPECT_EQ(palette.GetReportNamePrefix(), ok ? std::string(255, 'p') : "R_");
        EXPECT_EQ(palette.GetReportNameUseFileName(), ok);
        EXPECT_EQ(palette.GetReportNamePostfix(), std::string(ok ? "_v" : "_x"));
        EXPECT_EQ(palette.GetGenerateReportOnSelect(), ok);
        scene.ExpectBalancedAndClean();
    }
}

}  // namespace
