#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <exception>
#include <map>
#include <string>
#include <vector>

#include "DialogManager.h"
#include "HostChecks.h"
#include "M7LAIPlugin.h"
#include "M7LAIWrappers.h"
#include "M7LFailure.h"
#include "M7LPlatform.h"
#include "M7LPluginMain.h"
#include "M7LResources.h"
#include "M7LSuiteTable.h"
#include "PluginResources.h"
#include "StandInHost.h"
#include "StriveloResources.h"

namespace frameworktest {

// The plug-in object the tests' factory makes: records each operation, with
// whether the suite table was held during it, and answers or throws what the
// test set.
class RecordingPlugin : public M7LAIPlugin {
public:
    std::vector<std::string> log;
    std::map<std::string, host::Error> answers;
    std::map<std::string, std::exception_ptr> throws;
    // Per operation: whether the suite table was held during it.
    std::vector<bool> held;

    host::Error Startup(host::InterfaceMessage*) override { return Record("Startup"); }
    host::Error ApplicationStarted(host::NotifierMessage*) override {
        return Record("ApplicationStarted");
    }
    host::Error ApplicationStartedDone(host::NotifierMessage*) override {
        return Record("ApplicationStartedDone");
    }
    host::Error Shutdown(host::InterfaceMessage*) override { return Record("Shutdown"); }
    host::Error About() override { return Record("About"); }
    host::Error PostStartup(host::InterfaceMessage*) override { return Record("PostStartup"); }
    host::Error Reload(host::AccessMessage*) override { return Record("Reload"); }
    host::Error Unload(host::AccessMessage*) override { return Record("Unload"); }

private:
    host::Error Record(const std::string& operation) {
        log.push_back(operation);
        held.push_back(gSuiteNestingCounter > 0);
        if (throws.contains(operation)) {
            std::rethrow_exception(throws.at(operation));
        }
        return answers.contains(operation) ? answers.at(operation) : host::kNoError;
    }
};

// The object CreateBarcodePlugin hands out, or null to fail as when memory
// runs out; and how often it was asked. The entry's tests' factory throws
// gFactoryThrows when it is set.
inline RecordingPlugin* gMadePlugin = nullptr;
inline int gFactoryCalls = 0;
inline std::exception_ptr gFactoryThrows;

// A menu item of the family's windows or filters group, answering Go with
// a set code.
class FamilyMenuItem : public M7LAIWrapperMenuItem {
public:
    FamilyMenuItem(const host::MessageHeader& message, const char* name, bool filters,
                   std::int32_t listId, std::int32_t index, host::Error* answer)
        : answer_(answer) {
        result = filters ? AddMenuItemToFiltersGroup(message, name, listId, index, &handle_)
                         : AddMenuItemToWindowsGroup(message, name, listId, index, &handle_);
        Register();
    }
    host::Error Go(host::MenuMessage*) override {
        heldDuringGo.push_back(gSuiteNestingCounter > 0);
        return *answer_;
    }
    host::Error Update(host::MenuMessage*) override { return host::kNoError; }

    host::Error result;
    std::vector<bool> heldDuringGo;

private:
    host::Error* answer_;
};

// The framework's entry loaded in-process into a stand-in host with its
// dialog manager, over the plug-in's resources (overlaid as a test needs).
// Each scene starts the process-wide state afresh.
class PluginScene {
public:
    explicit PluginScene(bool withPlugin = true) {
        gSuiteNestingCounter = 0;
        gPlugin = nullptr;
        gFactoryCalls = 0;
        gFactoryThrows = nullptr;
        gMadePlugin = withPlugin ? &plugin : nullptr;
    }
    ~PluginScene() {
        DeleteAllMenuItems();
        DeleteAllTools();
        DeleteAllNotifiers();
        SetResourceModule(nullptr);
        SetFailureHandler(nullptr);
        InstallPlatformObserver(nullptr);
        gPlugin = nullptr;
        gMadePlugin = nullptr;
    }

    void Load() { host.LoadInProcess(&PluginMain, resources.Module(), &InstallPlatformObserver); }

    host::MessageHeader Header() { return {host.Plugin(), host.Core().GetBasicSuite()}; }

    int Outstanding(const char* suite) {
        const host::SuiteVersions* versions = nullptr;
        for (const host::SuiteVersions& s : host::kSuiteTable) {
            if (std::string(s.name) == suite) {
                versions = &s;
            }
        }
        const std::int32_t version = versions->In(host.Core().GetGeneration());
        return host.Core().GetLedger().Acquisitions(suite, version) -
               host.Core().GetLedger().Releases(suite, version);
    }

    void ExpectBalancedAndClean() {
        EXPECT_EQ(gSuiteNestingCounter, 0);
        EXPECT_EQ(host.Imbalance(), "");
        EXPECT_EQ(dialogs.Imbalance(), "");
        EXPECT_EQ(dialogs.PendingModals(), 0u);
        frameworktest::ExpectBalancedAndClean(host.Core());
    }

    RecordingPlugin plugin;
    standin::ResourceOverlay resources{*StriveloResourceModule()};
    standin::StandInHost host;
    standin::DialogManager& dialogs = host.Dialogs();
};

}  // namespace frameworktest
