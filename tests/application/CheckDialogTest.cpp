#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "ApplicationScene.h"
#include "BarcodeFourCC.h"
#include "BarcodeProfile.h"
#include "M7L_FileSpecificationNative.h"
#include "Preferences.h"
#include "StriveloSuite.h"
#include "TempFolder.h"
#include "host/HostPolicies.h"

namespace {

using apptest::ApplicationScene;
using apptest::Barcode;
using Strivelo::FourCC;

constexpr const char* kSection = "M7LCheckDialog";
constexpr std::int32_t kUPCBeforeEANEntry = 3;
constexpr std::int32_t kUPCBeforeEANEntryId = 4;

const Barcode kEan8{FourCC("ean8"), "9638-5074"};
const Barcode kUpcA{FourCC("upca"), "0-36000-29145-2"};

bool UPCBeforeEANChecked(ApplicationScene& scene) {
    for (const standin::EntrySnapshot& entry : scene.PaletteItem(apptest::kSideMenuItem).entries) {
        if (entry.id == kUPCBeforeEANEntryId) {
            return entry.checked;
        }
    }
    ADD_FAILURE() << "no entry for the symbology order";
    return false;
}

// The settings, the symbology order and the placement outlive the palette:
// what the user set comes back after a restart of the host.
TEST(CheckDialog, KeepsItsSettingsAcrossRestarts) {
    standin::PreferenceStore store;
    {
        ApplicationScene scene({.preferences = &store});
        scene.Start();
        EXPECT_TRUE(scene.Palette().GetUPCBeforeEAN());
        EXPECT_TRUE(UPCBeforeEANChecked(scene));
        scene.dialogs.ExpectModal(apptest::kReportSettingsDialog)
            .Inspect([](const standin::DialogSnapshot& dialog) {
                EXPECT_EQ(dialog.items.at(4).activeEntry, 0);
                EXPECT_EQ(dialog.items.at(6).activeEntry, 0);
                EXPECT_EQ(dialog.items.at(8).text, "VettrinReport");
                EXPECT_EQ(dialog.items.at(10).text, "");
            })
            .SelectEntry(4, 1)
            .SelectEntry(6, 4)
            .SetText(8, "Bericht_")
            .SetBoolean(9, true)
            .SetText(10, "_v2")
            .SetBoolean(11, true)
            .Press(host::kOkItem);
        ASSERT_TRUE(
            scene.dialogs.UserSelectEntry(scene.PaletteDialog(), apptest::kSideMenuItem, 2));
        ASSERT_TRUE(scene.dialogs.UserSelectEntry(scene.PaletteDialog(), apptest::kSideMenuItem,
                                                  kUPCBeforeEANEntry));
        EXPECT_FALSE(scene.Palette().GetUPCBeforeEAN());
        EXPECT_FALSE(UPCBeforeEANChecked(scene));
        scene.ExpectBalancedAndClean();
    }
    EXPECT_EQ(store.Get<bool>(kSection, "UPCBeforeEAN"), false);
    EXPECT_EQ(store.Get<std::int32_t>(kSection, "ReportMode"), 2);
    EXPECT_EQ(store.Get<std::int32_t>(kSection, "ReportUnits"), 5);
    EXPECT_EQ(store.Get<std::string>(kSection, "ReportNamePrefix"), "Bericht_");
    EXPECT_EQ(store.Get<bool>(kSection, "ReportNameUseFileName"), true);
    EXPECT_EQ(store.Get<std::string>(kSection, "ReportNamePostfix"), "_v2");
    EXPECT_EQ(store.Get<bool>(kSection, "GenerateReportOnSelect"), true);
    EXPECT_EQ(store.Find(kSection, "ProfileSpec"), nullptr);
    EXPECT_EQ(store.Get<bool>(kSection, "Visible"), true);
    EXPECT_TRUE(store.Get<host::Point>(kSection, "Location").has_value());
    EXPECT_TRUE(store.Get<host::Point>(kSection, "Size").has_value());

    ApplicationScene scene(
        {.documentPath = "/Auftrag/Etiketten.v1.ai", .showPalette = false, .preferences = &store});
    scene.Start();
    EXPECT_TRUE(scene.Palette().IsShown());
    EXPECT_FALSE(scene.Palette().GetUPCBeforeEAN());
    EXPECT_FALSE(UPCBeforeEANChecked(scene));
    scene.dialogs.ExpectModal(apptest::kReportSettingsDialog)
        .Inspect([](const standin::DialogSnapshot& dialog) {
            EXPECT_EQ(dialog.items.at(4).activeEntry, 1);
            EXPECT_EQ(dialog.items.at(6).activeEntry, 4);
            EXPECT_EQ(dialog.items.at(8).text, "Bericht_");
            EXPECT_TRUE(dialog.items.at(9).boolean);
            EXPECT_EQ(dialog.items.at(10).text, "_v2");
            EXPECT_TRUE(dialog.items.at(11).boolean);
        })
        .Press(host::kCancelItem);
    ASSERT_TRUE(scene.dialogs.UserSelectEntry(scene.PaletteDialog(), apptest::kSideMenuItem, 2));
    scene.Draw(kEan8, {100, 500});
    const TempFolder folder;
    scene.host.FileDialogs().Choose(folder / "r.html");
    scene.Press(apptest::kCheckItem);
    EXPECT_EQ(scene.host.FileDialogs().Requests().at(0).defaultName,
              "Bericht_Etiketten.v1_v2.html");
    scene.ExpectBalancedAndClean();
}

// Only a profile saved to a file is named in the preferences.
TEST(CheckDialog, NamesASavedProfileInThePreferences) {
    standin::PreferenceStore store;
    const TempFolder folder;
    const std::string profilePath = folder / "haus.bcp";
    {
        ApplicationScene scene({.preferences = &store});
        scene.Start();
        ASSERT_TRUE(
            scene.Palette().GetProfile()->SaveAs(M7L_FileSpecificationNative(profilePath.c_str())));
        scene.ExpectBalancedAndClean();
    }
    const auto spec = store.Get<host::PlatformFileSpecification>(kSection, "ProfileSpec");
    ASSERT_TRUE(spec.has_value());
    EXPECT_EQ(std::filesystem::path(spec->path), std::filesystem::path(profilePath));
}

// The suggested report name: prefix, the document's name without its last
// extension when wanted, postfix and the format's extension; a name too
// long for a file name is cut before the extension.
TEST(CheckDialog, SuggestsAReportFileName) {
    struct Case {
        const char* what;
        std::string prefix;
        bool useFileName;
        std::string postfix;
        std::int32_t mode;
        std::string document;  // empty for a document never saved
        std::string expected;
    };
    const std::string longPart(255, 'x');
    const std::string longName(250, 'd');
    const Case cases[] = {
        {"the defaults", "VettrinReport", false, "", 1, "", "VettrinReport.txt"},
        {"with the document's name", "R_", true, "_x", 2, "/a/b.c.ai", "R_b.c_x.html"},
        {"a document never saved", "R_", true, "", 3, "", "R_.xml"},
        {"a name without extension", "", true, "", 3, "/a/Etiketten", "Etiketten.xml"},
        {"a mode of no format", "R", false, "", 7, "", "R.txt"},
        {"all parts long", longPart, true, longPart, 2, "/a/" + longName + ".ai",
         longPart.substr(0, 250) + ".html"},
        {"a cut inside a character", std::string(250, 'x') + "äö", false, "", 1, "",
         std::string(250, 'x') + ".txt"},
    };
    ApplicationScene scene;
    scene.Start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        scene.Palette().SetReportName(c.prefix.c_str(), c.useFileName, c.postfix.c_str());
        scene.Palette().SetReportMode(c.mode);
        const M7L_FileSpecificationNative document =
            c.document.empty() ? M7L_FileSpecificationNative()
                               : M7L_FileSpecificationNative(c.document.c_str());
        EXPECT_EQ(scene.Palette().MakeReportFileName(document), c.expected);
    }
    scene.ExpectBalancedAndClean();
}

// The check mark shows the registry's order, which decides whether a UPC-A
// reads as UPC-A or as EAN-13, and so whether a type test passes.
TEST(CheckDialog, ChecksInTheSymbologyOrderItShows) {
    struct Case {
        bool stored;
        int picks;
        bool upcBeforeEan;
        std::int32_t status;
    };
    const Case cases[] = {
        {true, 0, true, 26006},
        {false, 0, false, 26007},
        {true, 1, false, 26007},
        {true, 2, true, 26006},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.stored << " " << c.picks);
        standin::PreferenceStore store;
        store.Put(kSection, "UPCBeforeEAN", c.stored);
        ApplicationScene scene({.preferences = &store});
        scene.Draw(kUpcA, {100, 500});
        scene.Start();
        for (int i = 0; i < c.picks; ++i) {
            ASSERT_TRUE(scene.dialogs.UserSelectEntry(scene.PaletteDialog(), apptest::kSideMenuItem,
                                                      kUPCBeforeEANEntry));
        }
        EXPECT_EQ(UPCBeforeEANChecked(scene), c.upcBeforeEan);
        BarcodeVettrin::BarcodeProfile* profile = scene.Palette().GetProfile();
        profile->typeTest.SetEnableTest(true);
        profile->typeTest.SetBarcodeType(FourCC("upca"));
        scene.Press(apptest::kCheckItem);
        EXPECT_EQ(scene.PaletteItem(apptest::kStatusItem).picture, c.status);
        scene.ExpectBalancedAndClean();
    }
}

// The union of the bars' bounds of a barcode Draw drew.
host::RealRect BarsBounds(ApplicationScene& scene, host::Art barcode) {
    host::RealRect united{};
    bool first = true;
    for (const host::Art bar : scene.Record(scene.BarsOf(barcode)).children) {
        host::RealRect bounds{};
        EXPECT_EQ(scene.store.Bounds(apptest::kCall, bar, &bounds), host::kNoError);
        united = first ? bounds
                       : host::RealRect{std::min(united.left, bounds.left),
                                        std::max(united.top, bounds.top),
                                        std::max(united.right, bounds.right),
                                        std::min(united.bottom, bounds.bottom)};
        first = false;
    }
    return united;
}

// The listed barcode picked shows alone selected, in the middle of the
// view, filling 300 points of it as far as the host zooms.
TEST(CheckDialog, ShowsTheListedBarcode) {
    struct Case {
        const char* what;
        float scale;
        int quarters;
        bool wide;  // its width decides the zoom, else its height
        bool clamped;
    };
    const Case cases[] = {
        {"upright", 1.0f, 0, true, false},
        {"lying", 1.0f, 1, false, false},
        {"tiny", 0.05f, 0, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ApplicationScene scene;
        const host::Art other = scene.Draw(kUpcA, {100, 1200});
        const host::RealPoint origin{300, 500};
        const host::Art shown = scene.Draw(kEan8, origin);
        scene.MovePoints(shown, [&](host::RealPoint p) {
            return host::RealPoint{origin.h + (p.h - origin.h) * c.scale,
                                   origin.v + (p.v - origin.v) * c.scale};
        });
        scene.Turn(shown, origin, c.quarters);
        scene.Start();
        scene.Press(apptest::kCheckItem);
        EXPECT_FALSE(scene.Palette().SelectListedBarcode());
        ASSERT_TRUE(scene.dialogs.UserSelectEntry(scene.PaletteDialog(), apptest::kListItem, 1));

        scene.Press(apptest::kSelectItem);

        for (const host::Art bar : scene.Record(scene.BarsOf(shown)).children) {
            EXPECT_TRUE(scene.Record(bar).selected);
        }
        for (const host::Art bar : scene.Record(scene.BarsOf(other)).children) {
            EXPECT_FALSE(scene.Record(bar).selected);
        }
        const host::RealRect bounds = BarsBounds(scene, shown);
        const standin::ViewRecord& view =
            *scene.store.FindView(scene.store.Document(scene.document).views.at(0), apptest::kCall);
        EXPECT_FLOAT_EQ(view.centre.h, (bounds.left + bounds.right) / 2);
        EXPECT_FLOAT_EQ(view.centre.v, (bounds.top + bounds.bottom) / 2);
        const double extent = c.wide ? bounds.right - bounds.left : bounds.top - bounds.bottom;
        EXPECT_NEAR(view.zoom, c.clamped ? host::kMaxViewZoom : 300.0 / extent, 1e-6);
        scene.ExpectBalancedAndClean();
    }
}

// The listed barcode picked goes through the plug-in's suite, along its
// middle line across the bars; nothing goes without a pick.
TEST(CheckDialog, TransfersTheListedBarcodeThroughThePublishedSuite) {
    ApplicationScene scene;
    const host::Art upright = scene.Draw(kEan8, {100, 1200});
    const host::Art lying = scene.Draw(kUpcA, {300, 500});
    scene.Turn(lying, {300, 500}, 1);
    scene.Start();
    scene.Press(apptest::kCheckItem);
    standin::Ledger& ledger = scene.host.Core().GetLedger();
    const int acquired = ledger.Acquisitions(kStriveloSuiteName, kStriveloSuiteVersion);

    scene.Palette().TransferListedBarcode();
    EXPECT_TRUE(apptest::gTransfers.empty());
    EXPECT_EQ(ledger.Acquisitions(kStriveloSuiteName, kStriveloSuiteVersion), acquired);

    for (const int row : {1, 0}) {
        ASSERT_TRUE(scene.dialogs.UserSelectEntry(scene.PaletteDialog(), apptest::kListItem, row));
        scene.Press(apptest::kTransferItem);
    }
    ASSERT_EQ(apptest::gTransfers.size(), 2u);
    const host::RealRect across = BarsBounds(scene, lying);
    const float middleH = (across.left + across.right) / 2;
    EXPECT_EQ(apptest::gTransfers[0].from, (host::RealPoint{middleH, across.top}));
    EXPECT_EQ(apptest::gTransfers[0].to, (host::RealPoint{middleH, across.bottom}));
    const host::RealRect along = BarsBounds(scene, upright);
    const float middleV = (along.top + along.bottom) / 2;
    EXPECT_EQ(apptest::gTransfers[1].from, (host::RealPoint{along.left, middleV}));
    EXPECT_EQ(apptest::gTransfers[1].to, (host::RealPoint{along.right, middleV}));
    EXPECT_EQ(ledger.Acquisitions(kStriveloSuiteName, kStriveloSuiteVersion), acquired + 2);
    scene.ExpectBalancedAndClean();
}

// Without the plug-in's suite there is no transfer: its button stays
// disabled whatever is found.
TEST(CheckDialog, HasNoTransferWithoutThePublishedSuite) {
    ApplicationScene scene;
    scene.host.Core().GetFaults().RemoveSuite(kStriveloSuiteName);
    scene.Draw(kEan8, {100, 500});
    scene.Start();
    EXPECT_FALSE(scene.PaletteItem(apptest::kTransferItem).enabled);
    scene.Press(apptest::kCheckItem);
    EXPECT_TRUE(scene.PaletteItem(apptest::kSelectItem).enabled);
    EXPECT_FALSE(scene.PaletteItem(apptest::kTransferItem).enabled);
    scene.ExpectBalancedAndClean();
}

// A palette the user sizes keeps its list filling it and the count and
// status on its bottom.
TEST(CheckDialog, LaysItsItemsOutWhenSized) {
    struct Case {
        std::int32_t width;
        std::int32_t height;
    };
    const Case cases[] = {{300, 400}, {260, 200}, {200, 150}};
    ApplicationScene scene;
    scene.Start();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        ASSERT_TRUE(scene.dialogs.UserResize(scene.PaletteDialog(), c.width, c.height));
        const standin::DialogSnapshot palette = scene.ViewPalette();
        const host::Rect list = palette.items.at(apptest::kListItem).bounds;
        EXPECT_EQ(list.right - list.left, c.width - 8);
        EXPECT_EQ(list.bottom - list.top, c.height - 63);
        const host::Rect status = palette.items.at(apptest::kStatusItem).bounds;
        EXPECT_EQ(status.right, c.width - 16);
        EXPECT_EQ(status.bottom, c.height);
        for (const std::int32_t item : {apptest::kCountItem, 10}) {
            EXPECT_EQ(palette.items.at(item).bounds.bottom, c.height) << item;
        }
    }
    scene.ExpectBalancedAndClean();
}

// Closed by the host before the plug-in shuts down, the palette goes the
// same way as when the plug-in deletes it: settings and placement kept.
TEST(CheckDialog, ClosedByTheHostKeepsItsSettings) {
    standin::PreferenceStore store;
    ApplicationScene scene({.preferences = &store});
    scene.Start();
    scene.Palette().SetReportMode(3);
    ASSERT_TRUE(scene.dialogs.Close(scene.PaletteDialog()));
    EXPECT_EQ(gCheckDialog, nullptr);
    EXPECT_EQ(store.Get<std::int32_t>(kSection, "ReportMode"), 3);
    EXPECT_EQ(store.Get<bool>(kSection, "Visible"), true);
    scene.ExpectBalancedAndClean();
}

}  // namespace
