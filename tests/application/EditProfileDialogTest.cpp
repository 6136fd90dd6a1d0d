#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ApplicationScene.h"
#include "BarcodeFourCC.h"
#include "BarcodeProfile.h"
#include "M7L_FileSpecificationNative.h"
#include "TempFolder.h"

namespace {

using apptest::ApplicationScene;
using BarcodeVettrin::BarcodeProfile;
using Strivelo::FourCC;

constexpr std::int32_t kEditProfileEntry = 0;
constexpr std::int32_t kNameItem = 4;
constexpr std::int32_t kLoadItem = 5;
constexpr std::int32_t kSaveItem = 6;
constexpr std::int32_t kSaveAsItem = 7;
constexpr std::int32_t kCountItem = 16;
constexpr std::int32_t kTypeTestItem = 19;
constexpr std::int32_t kTypeItem = 20;
constexpr std::int32_t kReductionTestItem = 21;
constexpr std::int32_t kReductionItem = 23;
constexpr std::int32_t kReductionFixItem = 24;
constexpr std::int32_t kMinimumMagnificationItem = 26;
constexpr std::int32_t kMaximumMagnificationItem = 29;
constexpr std::int32_t kDeviationTestItem = 39;
constexpr std::int32_t kDeviationFixItem = 42;
constexpr std::int32_t kOverprintTestItem = 44;
constexpr std::int32_t kOverprintFixItem = 46;

constexpr double kValueTolerance = 1e-6;

M7L_FileSpecificationNative Spec(const std::string& path) {
    return M7L_FileSpecificationNative(path.c_str());
}

// Opens the profile editor from the palette's side menu; it runs against
// the script.
void EditProfile(ApplicationScene& scene) {
    ASSERT_TRUE(scene.dialogs.UserSelectEntry(scene.PaletteDialog(), apptest::kSideMenuItem,
                                              kEditProfileEntry));
}

// A profile saved to path, named name, of the type.
void SaveProfile(const std::string& path, const char* name, std::int32_t type = 0) {
    BarcodeProfile profile;
    profile.SetProfileName(name);
    profile.typeTest.SetBarcodeType(type);
    ASSERT_TRUE(profile.SaveAs(Spec(path)));
}

// OK without an edit leaves a saved profile as it was: values that make a
// trip through the dialog's units are not written back.
TEST(EditProfileDialog, OKWithoutEditsChangesNothing) {
    struct Case {
        const char* what;
        std::function<void(BarcodeProfile&)> set;
    };
    const Case cases[] = {
        {"the default profile", [](BarcodeProfile&) {}},
        {"magnification 80 to 120 %",
         [](BarcodeProfile& p) {
             p.magnificationTest.SetEnableTest(true);
             p.magnificationTest.SetMinimumMagnification(0.8);
             p.magnificationTest.SetMaximumMagnification(1.2);
         }},
        {"bar heights 10 to 25 mm",
         [](BarcodeProfile& p) {
             p.barHeightTest.SetMinimumBarHeight(10.0);
             p.barHeightTest.SetMaximumBarHeight(25.0);
         }},
        {"a deviation of 0.00005 mm",
         [](BarcodeProfile& p) { p.deviationTest.SetDeviation(5e-5); }},
        {"a type the popup does not list",
         [](BarcodeProfile& p) { p.typeTest.SetBarcodeType(FourCC("isbd")); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ApplicationScene scene;
        scene.Start();
        const TempFolder folder;
        BarcodeProfile* profile = scene.Palette().GetProfile();
        c.set(*profile);
        ASSERT_TRUE(profile->SaveAs(Spec(folder / "p.bcp")));
        const std::string saveTime = profile->GetProfileSaveTime();
        const std::int32_t checkSum = profile->GetProfileCheckSum();
        BarcodeProfile before;
        ASSERT_TRUE(before.Load(Spec(folder / "p.bcp")));
        scene.dialogs.ExpectModal(apptest::kProfileDialog).Press(host::kOkItem);

        EditProfile(scene);

        ASSERT_EQ(scene.Palette().GetProfile(), profile);
        EXPECT_FALSE(profile->IsModified());
        EXPECT_EQ(profile->GetProfileSaveTime(), saveTime);
        EXPECT_EQ(profile->GetProfileCheckSum(), checkSum);
        EXPECT_EQ(profile->typeTest.GetBarcodeType(), before.typeTest.GetBarcodeType());
        EXPECT_EQ(profile->deviationTest.GetDeviation(), before.deviationTest.GetDeviation());
        scene.ExpectBalancedAndClean();
    }
}

// What the user changes goes into the profile in its own units.
TEST(EditProfileDialog, WritesTheEditsIntoTheProfile) {
    ApplicationScene scene;
    scene.Start();
    scene.dialogs.ExpectModal(apptest::kProfileDialog)
        .SetText(kNameItem, "Faltschachtel")
        .SetBoolean(kTypeTestItem, true)
        .SelectEntry(kTypeItem, 3)
        .SetBoolean(kReductionTestItem, true)
        .SetBoolean(kReductionFixItem, true)
        .SetNumber(kReductionItem, 1.0f)
        .SetNumber(kMinimumMagnificationItem, 80.0f)
        .SetNumber(kMaximumMagnificationItem, 120.0f)
        .SetNumber(kCountItem, 3.0f)
        .Press(host::kOkItem);

    EditProfile(scene);

    const BarcodeProfile& profile = *scene.Palette().GetProfile();
    EXPECT_STREQ(profile.GetProfileName(), "Faltschachtel");
    EXPECT_TRUE(profile.typeTest.GetEnableTest());
    EXPECT_EQ(profile.typeTest.GetBarcodeType(), FourCC("upca"));
    EXPECT_TRUE(profile.barWidthReductionTest.GetEnableFix());
    EXPECT_NEAR(profile.barWidthReductionTest.GetBarWidthReduction(), 0.35277778, kValueTolerance);
    EXPECT_NEAR(profile.magnificationTest.GetMinimumMagnification(), 0.8, kValueTolerance);
    EXPECT_NEAR(profile.magnificationTest.GetMaximumMagnification(), 1.2, kValueTolerance);
    EXPECT_EQ(profile.countTest.GetNrOfBarcodesInDocument(), 3);
    const standin::DialogSnapshot palette = scene.ViewPalette();
    EXPECT_EQ(palette.items.at(apptest::kProfileNameItem).text, "Faltschachtel");
    EXPECT_TRUE(palette.items.at(apptest::kProfileNameItem).enabled);
    EXPECT_TRUE(palette.items.at(apptest::kFixesItem).enabled);
    scene.ExpectBalancedAndClean();
}

// A test's fix can be chosen only while the test is on; turned off, the
// fix keeps what it was.
TEST(EditProfileDialog, EnablesAFixWhileItsTestIsOn) {
    struct Case {
        std::int32_t test;
        std::int32_t fix;
        std::function<bool(const BarcodeProfile&)> fixOf;
    };
    const Case cases[] = {
        {kReductionTestItem, kReductionFixItem,
         [](const BarcodeProfile& p) { return p.barWidthReductionTest.GetEnableFix(); }},
        {kDeviationTestItem, kDeviationFixItem,
         [](const BarcodeProfile& p) { return p.deviationTest.GetEnableFix(); }},
        {kOverprintTestItem, kOverprintFixItem,
         [](const BarcodeProfile& p) { return p.overprintTest.GetEnableFix(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.test);
        ApplicationScene scene;
        scene.Start();
        const auto fixEnabled = [&c](bool enabled) {
            return [&c, enabled](const standin::DialogSnapshot& dialog) {
                EXPECT_EQ(dialog.items.at(c.fix).enabled, enabled);
            };
        };
        scene.dialogs.ExpectModal(apptest::kProfileDialog)
            .Inspect(fixEnabled(false))
            .SetBoolean(c.test, true)
            .Inspect(fixEnabled(true))
            .SetBoolean(c.fix, true)
            .SetBoolean(c.test, false)
            .Inspect(fixEnabled(false))
            .Press(host::kOkItem);
        EditProfile(scene);
        EXPECT_TRUE(c.fixOf(*scene.Palette().GetProfile()));
        scene.ExpectBalancedAndClean();
    }
}

// The popup shows the profile's type where it lists it, and keeps its
// selection for a type it does not list.
TEST(EditProfileDialog, ShowsTheProfilesTypeInThePopup) {
    struct Case {
        std::int32_t type;
        int entry;
    };
    const Case cases[] = {{FourCC("ean8"), 0},
                          {FourCC("upca"), 3},
                          {FourCC("ms7b"), 26},
                          {FourCC("isbd"), 0},
                          {FourCC("----"), 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        ApplicationScene scene;
        scene.Start();
        scene.Palette().GetProfile()->typeTest.SetBarcodeType(c.type);
        scene.dialogs.ExpectModal(apptest::kProfileDialog)
            .Inspect([&c](const standin::DialogSnapshot& dialog) {
                EXPECT_EQ(dialog.items.at(kTypeItem).activeEntry, c.entry);
            })
            .Press(host::kCancelItem);
        EditProfile(scene);
        scene.ExpectBalancedAndClean();
    }
}

// Whatever the user does with files, the palette ends with one profile,
// the one handed to it, and no other profile is left behind.
TEST(EditProfileDialog, HandsOverTheProfileItOwns) {
    struct Case {
        const char* what;
        std::function<void(ApplicationScene&, standin::ModalExpectation&, const TempFolder&)> act;
        const char* paletteProfile;  // the name the palette's profile has at the end
        bool samePaletteProfile;
    };
    const Case cases[] = {
        {"Cancel",
         [](ApplicationScene&, standin::ModalExpectation& e, const TempFolder&) {
             e.Press(host::kCancelItem);
         },
         "Untitled", true},
        {"OK",
         [](ApplicationScene&, standin::ModalExpectation& e, const TempFolder&) {
             e.Press(host::kOkItem);
         },
         "Untitled", true},
        {"load, Cancel",
         [](ApplicationScene& s, standin::ModalExpectation& e, const TempFolder& f) {
             s.host.FileDialogs().Choose(f / "a.bcp");
             e.Press(kLoadItem).Press(host::kCancelItem);
         },
         "Untitled", true},
        {"load, OK",
         [](ApplicationScene& s, standin::ModalExpectation& e, const TempFolder& f) {
             s.host.FileDialogs().Choose(f / "a.bcp");
             e.Press(kLoadItem).Press(host::kOkItem);
         },
         "A", false},
        {"load a file that is no profile, OK",
         [](ApplicationScene& s, standin::ModalExpectation& e, const TempFolder& f) {
             s.host.FileDialogs().Choose(f / "broken.bcp");
             s.dialogs.ExpectModal(apptest::kErrorDialog).Press(host::kOkItem);
             e.Press(kLoadItem).SetText(kNameItem, "Neu").Press(host::kOkItem);
         },
         "Neu", true},
        {"load A, save, load B, Cancel",
         [](ApplicationScene& s, standin::ModalExpectation& e, const TempFolder& f) {
             s.host.FileDialogs().Choose(f / "a.bcp");
             s.host.FileDialogs().Choose(f / "b.bcp");
             e.Press(kLoadItem)
                 .SetText(kNameItem, "A2")
                 .Press(kSaveItem)
                 .Press(kLoadItem)
                 .Press(host::kCancelItem);
         },
         "A2", false},
        {"save without a file, the file dialog cancelled, Cancel",
         [](ApplicationScene& s, standin::ModalExpectation& e, const TempFolder&) {
             s.host.FileDialogs().Cancel();
             e.SetText(kNameItem, "Neu").Press(kSaveItem).Press(host::kCancelItem);
         },
         "Neu", true},
        {"save as, OK",
         [](ApplicationScene& s, standin::ModalExpectation& e, const TempFolder& f) {
             s.host.FileDialogs().Choose(f / "c.bcp");
             e.SetText(kNameItem, "C").Press(kSaveAsItem).Press(host::kOkItem);
         },
         "C", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ApplicationScene scene;
        scene.Start();
        const TempFolder folder;
        SaveProfile(folder / "a.bcp", "A");
        SaveProfile(folder / "b.bcp", "B");
        std::ofstream(folder / "broken.bcp") << "<?xml version=\"1.0\"?><Unsinn/>";
        const BarcodeProfile* before = scene.Palette().GetProfile();
        c.act(scene, scene.dialogs.ExpectModal(apptest::kProfileDialog), folder);

        EditProfile(scene);

        EXPECT_STREQ(scene.Palette().GetProfile()->GetProfileName(), c.paletteProfile);
        EXPECT_EQ(scene.Palette().GetProfile() == before, c.samePaletteProfile);
        scene.ExpectBalancedAndClean();
    }
}

// Saving writes what the dialog shows, to the profile's own file or to the
// one the user chooses under a name made from the profile's.
TEST(EditProfileDialog, SavesWhatTheDialogShows) {
    struct Case {
        const char* what;
        std::string name;
        bool loaded;
        std::string defaultName;  // of the save dialog, none without one
    };
    const Case cases[] = {
        {"a new name to the profile's file", "Umbenannt", true, ""},
        {"a profile without a file", "Neu", false, "Neu.bcp"},
        {"a long name", std::string(200, 'n'), false, std::string(123, 'n') + ".bcp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ApplicationScene scene;
        scene.Start();
        const TempFolder folder;
        const std::string path = folder / "a.bcp";
        if (c.loaded) {
            SaveProfile(path, "A");
            scene.host.FileDialogs().Choose(path);
        } else {
            scene.host.FileDialogs().Choose(path);
        }
        standin::ModalExpectation& expectation = scene.dialogs.ExpectModal(apptest::kProfileDialog);
        if (c.loaded) {
            expectation.Press(kLoadItem);
        }
        expectation.SetText(kNameItem, c.name).Press(kSaveItem).Press(host::kCancelItem);

        EditProfile(scene);

        BarcodeProfile saved;
        ASSERT_TRUE(saved.Load(Spec(path)));
        EXPECT_EQ(saved.GetProfileName(), c.name);
        const auto& requests = scene.host.FileDialogs().Requests();
        if (c.defaultName.empty()) {
            EXPECT_EQ(requests.size(), 1u);
        } else {
            ASSERT_EQ(requests.size(), 1u);
            EXPECT_TRUE(requests[0].save);
            EXPECT_EQ(requests[0].message, "select save profile file");
            EXPECT_EQ(requests[0].defaultName, c.defaultName);
            EXPECT_EQ(requests[0].filters,
                      (std::vector<std::pair<std::string, std::string>>{
                          {"Barcode Vettrin Profiles (*.bcp)", "*.bcp"}, {"All Files", "*.*"}}));
        }
        scene.ExpectBalancedAndClean();
    }
}

// A profile that cannot be written is told, and the file on the disk stays.
TEST(EditProfileDialog, TellsASaveThatFailed) {
    ApplicationScene scene;
    scene.Start();
    const TempFolder folder;
    scene.host.FileDialogs().Choose((folder.Path() / "kein Ordner" / "p.bcp").string());
    scene.dialogs.ExpectModal(apptest::kProfileDialog).Press(kSaveAsItem).Press(host::kCancelItem);
    scene.dialogs.ExpectModal(apptest::kErrorDialog).Press(host::kOkItem);
    EditProfile(scene);
    EXPECT_FALSE(std::filesystem::exists(folder / "kein Ordner"));
    ASSERT_EQ(scene.dialogs.ModalLog().size(), 2u);
    EXPECT_EQ(scene.dialogs.ModalLog()[1].texts.at(3), "SAVE");
    scene.ExpectBalancedAndClean();
}

}  // namespace
