#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "M7LErrorAlert.h"
#include "PluginResources.h"
#include "PluginScene.h"

M7LAIPlugin* CreateBarcodePlugin() {
    return frameworktest::gMadePlugin;
}

namespace {

using frameworktest::PluginScene;
using Texts = std::map<std::int32_t, std::string>;

constexpr const char* kErrorDialog = "Error";
constexpr std::int32_t kErrorDialogId = 16051;

constexpr const char* kLowMemory =
    "Der Filter kann nicht ausgeführt werden, da zuwenig Speicher (RAM) verfügbar ist.";
constexpr const char* kTooManyPoints =
    "Der Filter kann nicht ausgeführt werden, weil ein Pfad zuviele Stützpunkte enthält.";
constexpr const char* kLayerLocked =
    "Der Filter kann nicht ausgeführt werden, da eine Ebene geschützt oder unsichtbar ist.";
constexpr const char* kNoSelection = "Sie müssen zuerst einen Pfad auswählen.";
constexpr const char* kUnknown =
    "Der Filter kann nicht ausgeführt werden, da ein unbekannter Fehler auftrat.";

// Resource ids of the error list's entries that the cases overlay.
constexpr std::uint32_t kFirstCodeEntry = 16051;
constexpr std::uint32_t kSecondCodeEntry = 16053;
constexpr std::uint32_t kFourthCodeEntry = 16057;
constexpr std::uint32_t kSelectionMessage = 16060;

// The plug-in loaded, holding the suite table as inside a message.
struct HeldScene : PluginScene {
    explicit HeldScene(const std::function<void(HeldScene&)>& arrange) {
        arrange(*this);
        Load();
        gPluginRef = host.Plugin();
        AcquireSuites(host.Core().GetBasicSuite());
    }
    void Finish() {
        EXPECT_EQ(ReleaseSuites(host.Core().GetBasicSuite()), host::kNoError);
        ExpectBalancedAndClean();
    }
    void RemoveSuite(const char* name) { host.Core().GetFaults().RemoveSuite(name); }
};

void Nothing(HeldScene&) {}

// Each code finds its message in the plug-in's list, or the fallback of its
// last pair; the code is shown as a decimal number up to 17 bits, else as its
// four characters when all are printable, else as a decimal number again.
TEST(ErrorAlert, ShowsTheListedMessageAndTheCodeText) {
    struct Case {
        const char* what;
        std::function<void(HeldScene&)> arrange;
        host::Error code;
        const char* message;
        const char* codeText;
    };
    const Case cases[] = {
        {"decimal", Nothing, host::kErrorMemoryFull, kLowMemory, "-108"},
        {"second decimal, same message", Nothing, host::kErrorHostMemoryFull, kLowMemory, "271"},
        {"four characters", Nothing, host::kErrorTooManySegments, kTooManyPoints, "SEGM"},
        {"four characters further on", Nothing, host::kErrorLayerLockedOrHidden, kLayerLocked,
         "NESS"},
        {"the last listed code", Nothing, host::kErrorNoSelection, kNoSelection, "!sel"},
        {"unknown decimal", Nothing, 1234, kUnknown, "1234"},
        {"the plug-in's own code", Nothing, host::kErrorNoMemory, kUnknown, "!MEM"},
        {"highest decimal code text", Nothing, 65535, kUnknown, "65535"},
        {"lowest decimal code text", Nothing, -65536, kUnknown, "-65536"},
        {"-108 read as unsigned 16 bits matches nothing", Nothing, 65428, kUnknown, "65428"},
        {"a listed number beyond 16 bits wraps",
         [](HeldScene& s) { s.resources.ReplaceString(kSecondCodeEntry, "65807"); },
         host::kErrorHostMemoryFull, kLowMemory, "271"},
        {"a short code entry ends in zero bytes, not in an earlier entry",
         [](HeldScene& s) { s.resources.ReplaceString(kSecondCodeEntry, "AB"); },
         host::FourCharCode("AB\0\0"), kLowMemory, "1094844416"},
        {"beyond 17 bits with a zero byte", Nothing, 0x00010000, kUnknown, "65536"},
        {"below 17 bits", Nothing, -65537, kUnknown, "-65537"},
        {"a byte beyond ASCII", Nothing, static_cast<host::Error>(0xA9616263u), kUnknown,
         "-1453235613"},
        {"a list that ends early falls back on its last message",
         [](HeldScene& s) { s.resources.RemoveString(kFourthCodeEntry); }, host::kErrorNoSelection,
         kTooManyPoints, "!sel"},
        {"without the number texts, no decimal code matches",
         [](HeldScene& s) { s.RemoveSuite(host::kAiUserSuite.name); }, host::kErrorMemoryFull,
         kUnknown, "-108"},
        {"the host cannot write the number",
         [](HeldScene& s) {
             s.host.Core().GetFaults().FailCall(host::kAiUserSuite.name, "NumberToString",
                                                host::kErrorTextTooLong);
         },
         host::kErrorMemoryFull, kLowMemory, "-108"},
        {"without the number texts, four characters still match",
         [](HeldScene& s) { s.RemoveSuite(host::kAiUserSuite.name); }, host::kErrorNoSelection,
         kNoSelection, "!sel"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HeldScene scene(c.arrange);
        scene.dialogs.ExpectModal(kErrorDialog).Press(host::kOkItem);
        host::MessageHeader header = scene.Header();
        ReportPluginError(&header, c.code);
        ASSERT_EQ(scene.dialogs.ModalLog().size(), 1u);
        const standin::ModalRun& run = scene.dialogs.ModalLog()[0];
        EXPECT_EQ(run.name, kErrorDialog);
        EXPECT_EQ(run.resourceId, kErrorDialogId);
        EXPECT_EQ(run.texts, (Texts{{1, "OK"}, {2, c.message}, {3, c.codeText}}));
        EXPECT_EQ(run.result, host::kOkItem);
        EXPECT_EQ(scene.host.Platform().Beeps(), 0);
        scene.Finish();
    }
}

// Nothing for success and cancel; a beep when the dialog manager or the
// message is not there; nothing further when the dialog cannot be made.
TEST(ErrorAlert, StaysSilentOrBeepsWithoutTheDialog) {
    struct Case {
        const char* what;
        std::function<void(HeldScene&)> arrange;
        host::Error code;
        int beeps;
    };
    const Case cases[] = {
        {"success", Nothing, host::kNoError, 0},
        {"cancel", Nothing, host::kErrorCancel, 0},
        {"no basic suite", [](HeldScene& s) { s.RemoveSuite(host::kAdmBasicSuite.name); },
         host::kErrorNoSelection, 1},
        {"no dialog suite", [](HeldScene& s) { s.RemoveSuite(host::kAdmDialogSuite.name); },
         host::kErrorNoSelection, 1},
        {"the matched message is missing",
         [](HeldScene& s) { s.resources.RemoveString(kSelectionMessage); }, host::kErrorNoSelection,
         1},
        {"an empty list has no fallback",
         [](HeldScene& s) { s.resources.RemoveString(kFirstCodeEntry); }, host::kErrorNoSelection,
         1},
        {"no dialog template", [](HeldScene& s) { s.resources.RemoveDialog(kErrorDialogId); },
         host::kErrorNoSelection, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HeldScene scene(c.arrange);
        host::MessageHeader header = scene.Header();
        ReportPluginError(&header, c.code);
        EXPECT_TRUE(scene.dialogs.ModalLog().empty());
        EXPECT_EQ(scene.host.Platform().Beeps(), c.beeps);
        scene.Finish();
    }
}

TEST(FailureAlert, ShowsTheReportInTheHostsAlert) {
    constexpr std::size_t kMostChars = 511;
    const std::string longMessage(600, 'x');
    struct Case {
        const char* what;
        const char* kind;
        int errorNumber;
        const char* message;
        const char* file;
        int line;
        const char* condition;
        std::string alert;
    };
    const Case cases[] = {
        {"no condition", kFailureKindCantHappen, 7, "m", "f", 42, nullptr,
         "Can't Happen Failed Failed: errID = 7, message = m,file = f, line = 42, cond = <>"},
        {"a condition", kFailureKindAssert, -3, "Wert", "a.cpp", 9, "n > 0",
         "Assert Failed Failed: errID = -3, message = Wert,file = a.cpp, line = 9, cond = <n > 0>"},
        {"no texts at all", nullptr, 0, nullptr, nullptr, 0, nullptr,
         " Failed: errID = 0, message = ,file = , line = 0, cond = <>"},
        {"cut to its buffer", kFailureKindCantHappen, 1, longMessage.c_str(), "f", 1, nullptr,
         ("Can't Happen Failed Failed: errID = 1, message = " + longMessage).substr(0, kMostChars)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HeldScene scene(Nothing);
        EXPECT_EQ(
            ShowFailureAlert(c.kind, 1, c.errorNumber, c.message, c.file, c.line, c.condition), 0);
        EXPECT_EQ(scene.dialogs.ErrorAlerts(), std::vector<std::string>{c.alert});
        EXPECT_EQ(scene.host.Platform().Beeps(), 0);
        scene.Finish();
    }
}

TEST(FailureAlert, BeepsWithoutTheBasicSuite) {
    HeldScene scene([](HeldScene& s) { s.RemoveSuite(host::kAdmBasicSuite.name); });
    SetFailureHandler(&ShowFailureAlert);
    EXPECT_EQ(ReportCantHappen(7, "m", "f", 42), 0);
    EXPECT_TRUE(scene.dialogs.ErrorAlerts().empty());
    EXPECT_EQ(scene.host.Platform().Beeps(), 1);
    scene.Finish();
}

// A warning with a check box, as the palettes' templates have it.
constexpr std::int32_t kWarningTemplate = 16101;
constexpr std::int32_t kCheckBoxItem = 4;
constexpr const char* kSection = "DontShowWarningAgain";
constexpr const char* kKeyPrefix = "M7LAlertOnceDialogs-";

constexpr M7LDialogItemTemplate kWarningItems[] = {
    {host::kOkItem, M7LResourceItemKind::kButton, "OK", {200, 90, 270, 110}},
    {host::kCancelItem, M7LResourceItemKind::kButton, "Abbrechen", {120, 90, 190, 110}},
    {3, M7LResourceItemKind::kStaticText, "Achtung", {10, 10, 270, 50}},
    {kCheckBoxItem, M7LResourceItemKind::kCheckBox, "Nicht mehr anzeigen", {10, 60, 270, 76}},
};
constexpr M7LDialogTemplate kWarning = {
    kWarningTemplate, "Warning", "Warnung", 280, 120, kWarningItems, std::size(kWarningItems)};

// The plug-in's resources with the warning's template in place of its id's.
struct WarningResources {
    WarningResources() { overlay.ReplaceDialog(kWarning); }
    standin::ResourceOverlay overlay{*StriveloResourceModule()};
    const M7LResourceModule& module = *overlay.Module();
};

// One life of the plug-in on a preference store that outlives it: loaded,
// started and, at the end, shut down.
class StartedPlugin {
public:
    StartedPlugin(const M7LResourceModule& resources, standin::PreferenceStore& store)
        : host(standin::StandInHostOptions{.preferences = &store}) {
        gSuiteNestingCounter = 0;
        gPlugin = nullptr;
        frameworktest::gMadePlugin = &plugin;
        host.LoadInProcess(&PluginMain, &resources, &InstallPlatformObserver);
        EXPECT_EQ(host.Start(), host::kNoError);
    }
    ~StartedPlugin() {
        EXPECT_EQ(host.SendInterface(host::kSelectorShutdown), host::kNoError);
        EXPECT_EQ(gSuiteNestingCounter, 0);
        EXPECT_EQ(host.Imbalance(), "");
        EXPECT_EQ(dialogs.Imbalance(), "");
        EXPECT_EQ(dialogs.PendingModals(), 0u);
        frameworktest::ExpectBalancedAndClean(host.Core());
        SetResourceModule(nullptr);
        InstallPlatformObserver(nullptr);
        gPlugin = nullptr;
        frameworktest::gMadePlugin = nullptr;
    }

    frameworktest::RecordingPlugin plugin;
    standin::StandInHost host;
    standin::DialogManager& dialogs = host.Dialogs();
};

// The user's answer to a shown warning.
struct Answer {
    bool tick;
    std::int32_t press;
};

// One call of Show on a warning of the palette; a restart of the plug-in
// comes before it when asked. No answer: the warning must not be shown.
struct Visit {
    const char* warning;
    bool restartBefore;
    std::optional<Answer> answer;
};

TEST(AlertOnceDialog, StaysOffOnceTickedEvenAfterARestart) {
    constexpr const char* kFirst = "BarcodeTooSmall";
    constexpr const char* kSecond = "FontMissing";
    const Answer tickOk{true, host::kOkItem};
    const Answer tickCancel{true, host::kCancelItem};
    const Answer ok{false, host::kOkItem};
    const Answer cancel{false, host::kCancelItem};
    struct Case {
        const char* what;
        std::function<void(standin::PreferenceStore&)> arrange;
        std::vector<Visit> visits;
        // The stored choice of each warning; none when never written.
        std::map<std::string, std::optional<bool>> stored;
    };
    const auto none = [](standin::PreferenceStore&) {};
    const Case cases[] = {
        {"ticked and OK",
         none,
         {{kFirst, false, tickOk}, {kFirst, false, {}}, {kFirst, true, {}}},
         {{kFirst, true}}},
        {"ticked and cancelled",
         none,
         {{kFirst, false, tickCancel}, {kFirst, true, {}}},
         {{kFirst, true}}},
        {"never ticked",
         none,
         {{kFirst, false, ok}, {kFirst, false, cancel}, {kFirst, true, ok}},
         {{kFirst, std::nullopt}}},
        {"ticked after a restart",
         none,
         {{kFirst, false, ok}, {kFirst, true, tickOk}, {kFirst, true, {}}},
         {{kFirst, true}}},
        {"each warning on its own",
         none,
         {{kFirst, false, tickOk}, {kSecond, false, ok}, {kFirst, true, {}}, {kSecond, false, ok}},
         {{kFirst, true}, {kSecond, std::nullopt}}},
        {"switched off before",
         [](standin::PreferenceStore& s) {
             s.Put(kSection, std::string(kKeyPrefix) + kFirst, true);
         },
         {{kFirst, false, {}}},
         {{kFirst, true}}},
        {"a stored false shows it",
         [](standin::PreferenceStore& s) {
             s.Put(kSection, std::string(kKeyPrefix) + kFirst, false);
         },
         {{kFirst, false, ok}},
         {{kFirst, false}}},
        {"a value of another kind shows it",
         [](standin::PreferenceStore& s) { s.Put(kSection, std::string(kKeyPrefix) + kFirst, 1); },
         {{kFirst, false, tickOk}, {kFirst, false, {}}},
         {{kFirst, true}}},
    };
    const WarningResources resources;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        standin::PreferenceStore store;
        c.arrange(store);
        std::optional<StartedPlugin> life;
        life.emplace(resources.module, store);
        std::map<std::string, std::unique_ptr<M7LAlertOnceDialog>> warnings;
        for (std::size_t i = 0; i < c.visits.size(); ++i) {
            const Visit& visit = c.visits[i];
            SCOPED_TRACE(i);
            if (visit.restartBefore) {
                warnings.clear();
                life.reset();
                life.emplace(resources.module, store);
            }
            std::unique_ptr<M7LAlertOnceDialog>& warning = warnings[visit.warning];
            if (warning == nullptr) {
                warning = std::make_unique<M7LAlertOnceDialog>(visit.warning);
            }
            standin::StandInHost& host = life->host;
            const int beepsBefore = host.Platform().Beeps();
            const std::size_t runsBefore = life->dialogs.ModalLog().size();
            if (visit.answer) {
                life->dialogs.ExpectModal(visit.warning)
                    .Inspect([&host, beepsBefore](const standin::DialogSnapshot&) {
                        EXPECT_EQ(host.Platform().Beeps(), beepsBefore + 1);
                    })
                    .SetBoolean(kCheckBoxItem, visit.answer->tick)
                    .Press(visit.answer->press);
            }
            warning->Show(visit.warning, kWarningTemplate, kCheckBoxItem);
            EXPECT_EQ(host.Platform().Beeps(), beepsBefore + 1);
            const std::vector<standin::ModalRun>& log = life->dialogs.ModalLog();
            ASSERT_EQ(log.size(), runsBefore + (visit.answer ? 1 : 0));
            if (visit.answer) {
                EXPECT_EQ(log.back().name, visit.warning);
                EXPECT_EQ(log.back().resourceId, kWarningTemplate);
                EXPECT_EQ(log.back().result, visit.answer->press);
            }
        }
        warnings.clear();
        life.reset();
        for (const auto& [name, value] : c.stored) {
            EXPECT_EQ(store.Get<bool>(kSection, kKeyPrefix + name), value) << name;
        }
        const auto written = std::count_if(c.stored.begin(), c.stored.end(), [](const auto& entry) {
            return entry.second.has_value();
        });
        EXPECT_EQ(store.Size(), static_cast<std::size_t>(written));
    }
}

// Without the dialog manager the warning is only a beep.
TEST(AlertOnceDialog, BeepsWithoutTheDialogSuite) {
    HeldScene scene([](HeldScene& s) { s.RemoveSuite(host::kAdmDialogSuite.name); });
    M7LAlertOnceDialog warning("BarcodeTooSmall");
    warning.Show("BarcodeTooSmall", kWarningTemplate, kCheckBoxItem);
    EXPECT_TRUE(scene.dialogs.ModalLog().empty());
    EXPECT_EQ(scene.host.Platform().Beeps(), 1);
    scene.Finish();
}

}  // namespace
