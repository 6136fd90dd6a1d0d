#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "DialogManager.h"
#include "HostChecks.h"
#include "M7LAIWrappers.h"
#include "M7LPlatform.h"
#include "M7LSuiteTable.h"
#include "PluginResources.h"
#include "StandInHost.h"
#include "StriveloResources.h"
#include "host/AiSuites.h"

namespace frameworktest {

// The tools' texts and icons in the scene's resources.
inline constexpr std::int32_t kToolList = 16010;
inline constexpr std::int32_t kToolIcon = 16050;
inline constexpr std::int32_t kToolIconImages = 5;

// What the recording wrappers did, in order: "<name> <operation>", and
// "~<name>" when deleted.
using Log = std::vector<std::string>;

// Names an object in the log, answers its operations with a set code and
// logs its deletion.
class Recording {
public:
    Recording(std::string name, Log& log, host::Error answer)
        : name_(std::move(name)), log_(log), answer_(answer) {}
    ~Recording() { log_.push_back("~" + name_); }
    Recording(const Recording&) = delete;
    Recording& operator=(const Recording&) = delete;

protected:
    host::Error Record(const char* operation) {
        log_.push_back(name_ + " " + operation);
        return answer_;
    }

    std::string name_;

private:
    Log& log_;
    host::Error answer_;
};

class RecordingMenuItem : public M7LAIWrapperMenuItem, private Recording {
public:
    // Adds its item to "Tool Palettes" and registers itself.
    RecordingMenuItem(const host::MessageHeader& message, std::string name, Log& log,
                      host::Error answer)
        : Recording(std::move(name), log, answer) {
        const host::MenuItemData data{host::kMenuGroupToolPalettes, name_.c_str()};
        sAiMenu->AddMenuItem(message.plugin, name_.c_str(), &data, 0, &handle_);
        Register();
    }

    host::Error Go(host::MenuMessage*) override { return Record("Go"); }
    host::Error Update(host::MenuMessage*) override { return Record("Update"); }
};

class RecordingNotifier : public M7LAIWrapperNotifier, private Recording {
public:
    RecordingNotifier(const host::MessageHeader& message, const std::string& name, const char* type,
                      Log& log, host::Error answer)
        : M7LAIWrapperNotifier(message, name.c_str(), type), Recording(name, log, answer) {}

    host::Error Notify(host::NotifierMessage*) override { return Record("Notify"); }
};

class RecordingTool : public M7LAIWrapperTool, private Recording {
public:
    static constexpr M7LToolResources kResources{kToolList, 1, 2, kToolIcon, 1};

    RecordingTool(const host::MessageHeader& message, const std::string& name, Log& log,
                  host::Error answer, M7LToolPlacement placement = {},
                  const M7LToolResources& resources = kResources)
        : M7LAIWrapperTool(message, name.c_str(), resources, 0, placement),
          Recording(name, log, answer) {}

    host::Error EditOptions(host::ToolMessage*) override { return Record("EditOptions"); }
    host::Error TrackCursor(host::ToolMessage*) override { return Record("TrackCursor"); }
    host::Error MouseDown(host::ToolMessage*) override { return Record("MouseDown"); }
    host::Error MouseDrag(host::ToolMessage*) override { return Record("MouseDrag"); }
    host::Error MouseUp(host::ToolMessage*) override { return Record("MouseUp"); }
    host::Error Select(host::ToolMessage*) override { return Record("Select"); }
    host::Error Deselect(host::ToolMessage*) override { return Record("Deselect"); }
};

// A stand-in host with its dialog manager, and a plug-in linked into the
// test whose entry holds the suite table around each message and hands
// menu, notifier and tool messages to the wrappers. The scene holds the
// table as start-up does, so wrappers can be made between messages.
class WrapperScene {
public:
    WrapperScene() {
        resources.ReplaceString(kToolList + 1, "Werkzeug").ReplaceString(kToolList + 2, "Tipp");
        host.LoadInProcess(&Main, resources.Module(), &InstallPlatformObserver);
        gSuiteNestingCounter = 0;
        EXPECT_EQ(AcquireSuites(host.Core().GetBasicSuite()), host::kNoError);
    }
    ~WrapperScene() { Finish(); }

    host::MessageHeader Header() { return {host.Plugin(), host.Core().GetBasicSuite()}; }

    // Deletes every wrapper, releases the table and checks the host's books.
    void ExpectBalancedAndClean() {
        Finish();
        EXPECT_EQ(host.Imbalance(), "");
        EXPECT_EQ(dialogs.Imbalance(), "");
        frameworktest::ExpectBalancedAndClean(host.Core());
    }

    standin::ResourceOverlay resources{*StriveloResourceModule()};
    standin::StandInHost host;
    standin::DialogManager& dialogs = host.Dialogs();

private:
    static int Main(const char* caller, const char* selector, void* message) {
        const host::MessageHeader& header = *static_cast<host::MessageHeader*>(message);
        if (const host::Error error = AcquireSuites(header.basic)) {
            ReleaseSuites(header.basic);
            return error;
        }
        host::Error result = host::kNoError;
        if (header.basic->IsEqual(caller, host::kCallerMenu)) {
            result = DispatchMenuMessage(selector, static_cast<host::MenuMessage*>(message));
        } else if (header.basic->IsEqual(caller, host::kCallerNotifier)) {
            result =
                DispatchNotifierMessage(selector, static_cast<host::NotifierMessage*>(message));
        } else if (header.basic->IsEqual(caller, host::kCallerTool)) {
            result = DispatchToolMessage(selector, static_cast<host::ToolMessage*>(message));
        }
        ReleaseSuites(header.basic);
        return result;
    }

    void Finish() {
        if (finished_) {
            return;
        }
        finished_ = true;
        DeleteAllMenuItems();
        DeleteAllTools();
        DeleteAllNotifiers();
        EXPECT_EQ(ReleaseSuites(host.Core().GetBasicSuite()), host::kNoError);
        InstallPlatformObserver(nullptr);
    }

    bool finished_ = false;
};

}  // namespace frameworktest
