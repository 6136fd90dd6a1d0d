#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "DialogScene.h"
#include "PlatformRecorder.h"
#include "PluginResources.h"

namespace {

using dialogtest::DialogScene;

constexpr std::int32_t kErrorList = 16050;
constexpr std::int32_t kFamilyList = 16997;
constexpr std::int32_t kToolIcons = 16050;
constexpr std::size_t kEntryBytes = 256;
constexpr host::Error kInjected = host::FourCharCode("FAIL");

struct Loaded {
    bool found;
    std::string text;
};

Loaded Load(DialogScene& scene, std::int32_t list, std::int32_t index,
            std::size_t size = kEntryBytes) {
    char text[kEntryBytes] = "untouched";
    const bool found = scene.basic_->GetIndexString(scene.plugin, list, index, text, size);
    return {found, text};
}

struct ErrorPair {
    std::string code;
    std::string message;
};

// The error list as the plug-in walks it: from entry 1 on, a code and its
// message, up to the first entry that is not there.
std::vector<ErrorPair> WalkErrorList(DialogScene& scene) {
    std::vector<ErrorPair> pairs;
    for (std::int32_t index = 1;; index += 2) {
        const Loaded code = Load(scene, kErrorList, index);
        if (!code.found || code.text.empty()) {
            return pairs;
        }
        pairs.push_back({code.text, Load(scene, kErrorList, index + 1).text});
    }
}

const std::vector<ErrorPair> kErrorPairs = {
    {"-108", "Der Filter kann nicht ausgeführt werden, da zuwenig Speicher (RAM) verfügbar ist."},
    {"271", "Der Filter kann nicht ausgeführt werden, da zuwenig Speicher (RAM) verfügbar ist."},
    {"SEGM", "Der Filter kann nicht ausgeführt werden, weil ein Pfad zuviele Stützpunkte enthält."},
    {"NESS",
     "Der Filter kann nicht ausgeführt werden, da eine Ebene geschützt oder unsichtbar ist."},
    {"!sel", "Sie müssen zuerst einen Pfad auswählen."},
    {"<Others>", "Der Filter kann nicht ausgeführt werden, da ein unbekannter Fehler auftrat."},
};

bool operator==(const ErrorPair& a, const ErrorPair& b) {
    return a.code == b.code && a.message == b.message;
}

void PrintTo(const ErrorPair& pair, std::ostream* out) {
    *out << pair.code << ": " << pair.message;
}

TEST(AdmBasic, TheErrorListOfThePluginsResources) {
    DialogScene scene;
    EXPECT_EQ(WalkErrorList(scene), kErrorPairs);
    EXPECT_FALSE(Load(scene, kErrorList, 0).found);
    EXPECT_EQ(Load(scene, kErrorList, 13).text, "");
    scene.ExpectCleanEnd();
}

TEST(AdmBasic, TheFamilyGroupNames) {
    DialogScene scene;
    for (const std::int32_t index : {1, 2}) {
        EXPECT_TRUE(Load(scene, kFamilyList, index).found);
        EXPECT_EQ(Load(scene, kFamilyList, index).text, "Orvanex Pavrello");
    }
    EXPECT_FALSE(Load(scene, kFamilyList, 3).found);
    scene.ExpectCleanEnd();
}

// An entry is cut to the buffer like the platform's loader cuts it, never in
// the middle of a character.
TEST(AdmBasic, EntriesAreCutOnACharacterBoundary) {
    DialogScene scene;
    struct Case {
        std::size_t size;
        const char* text;
    };
    const Case cases[] = {{1, ""}, {6, "Sie m"}, {7, "Sie m"}, {8, "Sie mü"}};
    for (const Case& c : cases) {
        const Loaded loaded = Load(scene, kErrorList, 10, c.size);
        EXPECT_TRUE(loaded.found) << c.size;
        EXPECT_EQ(loaded.text, c.text) << c.size;
    }
    scene.ExpectCleanEnd();
}

// An overlay reaches the paths where an entry cannot be loaded, or holds
// another text.
TEST(AdmBasic, AnOverlayRemovesOrReplacesEntries) {
    struct Case {
        const char* what;
        std::function<void(standin::ResourceOverlay&)> overlay;
        std::function<void(DialogScene&)> check;
    };
    const Case cases[] = {
        {"first family name removed",
         [](standin::ResourceOverlay& o) { o.RemoveString(kFamilyList + 1); },
         [](DialogScene& s) {
             EXPECT_EQ(Load(s, kFamilyList, 1).found, false);
             EXPECT_EQ(Load(s, kFamilyList, 1).text, "");
             EXPECT_EQ(Load(s, kFamilyList, 2).text, "Orvanex Pavrello");
         }},
        {"first family name replaced",
         [](standin::ResourceOverlay& o) { o.ReplaceString(kFamilyList + 1, "Andere Familie"); },
         [](DialogScene& s) { EXPECT_EQ(Load(s, kFamilyList, 1).text, "Andere Familie"); }},
        {"the <Others> code removed",
         [](standin::ResourceOverlay& o) { o.RemoveString(kErrorList + 11); },
         [](DialogScene& s) {
             EXPECT_EQ(WalkErrorList(s),
                       std::vector<ErrorPair>(kErrorPairs.begin(), kErrorPairs.end() - 1));
         }},
        {"a pair added after the list",
         [](standin::ResourceOverlay& o) {
             o.ReplaceString(kErrorList + 13, "1234").ReplaceString(kErrorList + 14, "Neu");
         },
         [](DialogScene& s) {
             std::vector<ErrorPair> longer = kErrorPairs;
             longer.push_back({"1234", "Neu"});
             EXPECT_EQ(WalkErrorList(s), longer);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        standin::ResourceOverlay overlay(*StriveloResourceModule());
        c.overlay(overlay);
        DialogScene scene(overlay.Module());
        c.check(scene);
        scene.ExpectCleanEnd();
    }
}

// Alerts are recorded in order. Where the plug-in cannot reach the dialog
// manager it beeps instead, which the platform recorder counts.
TEST(AdmBasic, ErrorAlertsAndBeeps) {
    DialogScene scene;
    standin::PlatformRecorder platform(scene.core.GetViolations());
    const auto alertOrBeep = [&scene](const char* text) {
        const void* suite = nullptr;
        const std::int32_t version = host::kAdmBasicSuite.In(scene.core.GetGeneration());
        if (scene.sp->AcquireSuite(host::kAdmBasicSuite.name, version, &suite) != host::kNoError) {
            standin::PlatformRecorder::Observer()->Beep();
            return;
        }
        static_cast<const host::AdmBasicSuite*>(suite)->ErrorAlert(text);
        scene.sp->ReleaseSuite(host::kAdmBasicSuite.name, version);
    };
    alertOrBeep("Can't Happen Failed Failed: errID = 7");
    alertOrBeep("zweite Meldung");
    scene.core.GetFaults().RemoveSuite(host::kAdmBasicSuite.name);
    alertOrBeep("nicht gezeigt");
    EXPECT_EQ(
        scene.dialogs.ErrorAlerts(),
        (std::vector<std::string>{"Can't Happen Failed Failed: errID = 7", "zweite Meldung"}));
    EXPECT_EQ(platform.Beeps(), 1);

    scene.basic_->ErrorAlert(nullptr);
    scene.ExpectOneViolation(standin::ViolationKind::kBadArgument, "ADM Basic Suite ErrorAlert");
    EXPECT_EQ(scene.dialogs.ErrorAlerts().size(), 2u);
    scene.ExpectCleanEnd();
}

// Tool icons: an image of an icon resource that is there, or an icon of
// the unusable type.
TEST(AdmIcons, FromThePluginsResources) {
    standin::ResourceOverlay withoutIcons(*StriveloResourceModule());
    withoutIcons.RemoveIcon(kToolIcons);
    struct Case {
        const M7LResourceModule* module;
        std::int32_t id;
        std::int32_t index;
        std::int32_t type;
    };
    const Case cases[] = {
        {StriveloResourceModule(), kToolIcons, 0, host::kIconTypeResource},
        {StriveloResourceModule(), kToolIcons, 1, host::kIconTypeResource},
        {StriveloResourceModule(), kToolIcons, 4, host::kIconTypeResource},
        {StriveloResourceModule(), kToolIcons, 5, host::kIconTypeUnusable},
        {StriveloResourceModule(), kToolIcons, -1, host::kIconTypeUnusable},
        {StriveloResourceModule(), dialogtest::kMissingDialog, 0, host::kIconTypeUnusable},
        {withoutIcons.Module(), kToolIcons, 1, host::kIconTypeUnusable},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.id << "/" << c.index);
        DialogScene scene(c.module);
        const host::Icon icon = scene.icon_->GetFromResource(
            scene.plugin, "Mor7Lant Barcode Measure Tool", c.id, c.index);
        EXPECT_TRUE(icon);
        EXPECT_EQ(scene.icon_->GetType(icon), c.type);
        scene.ExpectCleanEnd();
    }
}

TEST(AdmIcons, AnIconNeverGivenIsAViolation) {
    DialogScene scene;
    EXPECT_EQ(scene.icon_->GetType(host::Icon{}), host::kIconTypeUnusable);
    scene.ExpectOneViolation(standin::ViolationKind::kForeignHandle, "ADM Icon Suite GetType");
    scene.ExpectCleanEnd();
}

// Injected failures: the call gives nothing and no violation is recorded.
TEST(DialogFaults, InjectedFailuresGiveNothing) {
    struct Case {
        const char* suite;
        const char* function;
        std::function<void(DialogScene&)> call;
    };
    const Case cases[] = {
        {"ADM Basic Suite", "GetIndexString",
         [](DialogScene& s) {
             EXPECT_FALSE(Load(s, kFamilyList, 1).found);
             EXPECT_EQ(Load(s, kFamilyList, 1).text, "");
         }},
        {"ADM Dialog Suite", "Create",
         [](DialogScene& s) { EXPECT_FALSE(s.Floating(dialogtest::kErrorDialog, "Error")); }},
        {"ADM Dialog Suite", "Modal",
         [](DialogScene& s) {
             EXPECT_EQ(s.dialog_->Modal(s.plugin, "Error", dialogtest::kErrorDialog, 0, nullptr,
                                        nullptr, 0),
                       host::kNoDialogItem);
         }},
        {"ADM Dialog Group Suite", "GetDialogGroupInfo",
         [](DialogScene& s) {
             const host::Dialog dialog = s.Floating(dialogtest::kErrorDialog, "Error");
             char group[8];
             std::int32_t code = 0;
             EXPECT_EQ(s.group_->GetDialogGroupInfo(dialog, group, sizeof group, &code), kInjected);
             s.dialog_->Destroy(dialog);
         }},
        {"ADM Icon Suite", "GetFromResource",
         [](DialogScene& s) {
             EXPECT_FALSE(s.icon_->GetFromResource(s.plugin, "Tool", kToolIcons, 1));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.function);
        DialogScene scene;
        scene.core.GetFaults().FailCall(c.suite, c.function, kInjected);
        c.call(scene);
        EXPECT_TRUE(scene.dialogs.ModalLog().empty());
        scene.ExpectCleanEnd();
    }
}

}  // namespace
