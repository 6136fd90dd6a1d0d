#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "DialogManager.h"
#include "HostChecks.h"
#include "M7LAIWrappers.h"
#include "M7LPlatform.h"
#include "M7LPluginMain.h"
#include "M7LResources.h"
#include "M7LSuiteTable.h"
#include "StandInHost.h"

namespace frameworktest {

// The one template of the scene's resources.
inline constexpr std::int32_t kPaletteTemplate = 300;
inline constexpr std::int32_t kMissingTemplate = 4711;
inline constexpr std::int32_t kPaletteWidth = 200;
inline constexpr std::int32_t kPaletteHeight = 120;
inline constexpr std::int32_t kTextItem = 3;
inline constexpr std::int32_t kFaceItem = 4;
inline constexpr std::int32_t kStyleItem = 5;
inline constexpr std::int32_t kNumberItem = 6;
inline constexpr std::int32_t kNumberPrecision = 2;

inline constexpr M7LDialogItemTemplate kPaletteItems[] = {
    {host::kOkItem, M7LResourceItemKind::kButton, "OK", {120, 90, 190, 110}},
    {host::kCancelItem, M7LResourceItemKind::kButton, "Abbrechen", {40, 90, 110, 110}},
    {kTextItem, M7LResourceItemKind::kTextEdit, "Text", {10, 10, 190, 26}},
    {kFaceItem, M7LResourceItemKind::kPopup, "", {10, 30, 190, 46}},
    {kStyleItem, M7LResourceItemKind::kPopup, "", {10, 50, 190, 66}},
    {kNumberItem, M7LResourceItemKind::kNumberEdit, "1", {10, 70, 190, 86}, 0, kNumberPrecision},
};

inline constexpr M7LDialogTemplate kTemplates[] = {
    {kPaletteTemplate, "Palette", "Palette", kPaletteWidth, kPaletteHeight, kPaletteItems,
     std::size(kPaletteItems)},
};

inline constexpr M7LResourceModule kDialogModule = {nullptr, 0, kTemplates, std::size(kTemplates)};

// A stand-in host with its dialog manager and a plug-in over the scene's
// templates, holding the suite table as start-up does, with the plug-in
// reference that the framework shows dialogs for.
class DialogBaseScene {
public:
    // A store given outlives the scene, as across restarts of the plug-in;
    // other resources than the scene's may be given.
    explicit DialogBaseScene(standin::FontCatalogue fonts = standin::DefaultFontCatalogue(),
                             standin::PreferenceStore* store = nullptr,
                             const M7LResourceModule* resources = &kDialogModule)
        : host(standin::StandInHostOptions{.preferences = store, .fonts = std::move(fonts)}) {
        host.LoadInProcess(&Main, resources, &InstallPlatformObserver);
        gPluginRef = host.Plugin();
        gSuiteNestingCounter = 0;
        EXPECT_EQ(AcquireSuites(host.Core().GetBasicSuite()), host::kNoError);
    }
    ~DialogBaseScene() { Finish(); }

    standin::PreferenceStore& Store() { return host.Preferences().Store(); }

    // Releases the table and checks the host's books: every dialog gone,
    // every modal expected ran, nothing held, no mistake.
    void ExpectBalancedAndClean() {
        Finish();
        EXPECT_EQ(host.Imbalance(), "");
        EXPECT_EQ(dialogs.Imbalance(), "");
        EXPECT_EQ(dialogs.PendingModals(), 0u);
        frameworktest::ExpectBalancedAndClean(host.Core());
    }

    standin::StandInHost host;
    standin::DialogManager& dialogs = host.Dialogs();

private:
    // Menu and tool messages reach the wrappers made meanwhile; the table is
    // held all along.
    static int Main(const char* caller, const char* selector, void* message) {
        const host::SpBasicSuite* basic = static_cast<host::MessageHeader*>(message)->basic;
        if (basic->IsEqual(caller, host::kCallerMenu)) {
            return DispatchMenuMessage(selector, static_cast<host::MenuMessage*>(message));
        }
        if (basic->IsEqual(caller, host::kCallerTool)) {
            return DispatchToolMessage(selector, static_cast<host::ToolMessage*>(message));
        }
        return host::kNoError;
    }

    void Finish() {
        if (finished_) {
            return;
        }
        finished_ = true;
        EXPECT_EQ(ReleaseSuites(host.Core().GetBasicSuite()), host::kNoError);
        InstallPlatformObserver(nullptr);
        gPluginRef = {};
    }

    bool finished_ = false;
};

}  // namespace frameworktest
