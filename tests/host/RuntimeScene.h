#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "M7LResourceFormat.h"
#include "StandInHost.h"
#include "host/HostPlatform.h"
#include "host/HostSuites.h"
#include "host/SpSuites.h"

namespace runtimetest {

// What the plug-in linked into the test does with a message.
using Script = std::function<int(const char* caller, const char* selector, void* message)>;

// A stand-in host with a plug-in of the test loaded in-process: its
// PluginMain runs the scene's script (0 for every message until a test sets
// one), and its platform layer is the observer the host installed.
class RuntimeScene {
public:
    // The plug-in's resources: the tools' cursors.
    static constexpr std::int32_t kMeasureCursor = 16001;
    static constexpr std::int32_t kCreateCursor = 16002;
    static constexpr M7LResourceCursor kCursors[] = {{kMeasureCursor}, {kCreateCursor}};
    static constexpr M7LResourceModule kModule{.strings = nullptr,
                                               .stringCount = 0,
                                               .cursors = kCursors,
                                               .cursorCount = std::size(kCursors)};

    explicit RuntimeScene(standin::StandInHostOptions options = {}) : host(std::move(options)) {
        previous_ = active_;
        active_ = this;
        host.LoadInProcess(&PluginMain, &kModule, &InstallObserver);
    }
    ~RuntimeScene() { active_ = previous_; }
    RuntimeScene(const RuntimeScene&) = delete;
    RuntimeScene& operator=(const RuntimeScene&) = delete;

    const host::SpBasicSuite& Basic() { return *host.Core().GetBasicSuite(); }

    // The suite as the plug-in reaches it; released by ExpectBalancedAndClean.
    template <typename Suite>
    const Suite& Acquire(const host::SuiteVersions& suite) {
        const void* table = nullptr;
        const std::int32_t version = suite.In(host.Core().GetGeneration());
        EXPECT_EQ(Basic().AcquireSuite(suite.name, version, &table), host::kNoError) << suite.name;
        acquired_.emplace_back(suite.name, version);
        return *static_cast<const Suite*>(table);
    }

    // How every test ends: everything released, nothing held, no mistake.
    void ExpectBalancedAndClean() {
        for (const auto& [name, version] : acquired_) {
            EXPECT_EQ(Basic().ReleaseSuite(name.c_str(), version), host::kNoError) << name;
        }
        acquired_.clear();
        EXPECT_EQ(host.Imbalance(), "");
        for (const standin::Violation& violation : host.Core().GetViolations().All()) {
            ADD_FAILURE() << violation;
        }
    }

    static const host::PlatformObserver* Observer() { return observer_; }

    standin::StandInHost host;
    Script script;

private:
    static int PluginMain(const char* caller, const char* selector, void* message) {
        return active_->script ? active_->script(caller, selector, message) : 0;
    }
    static void InstallObserver(const host::PlatformObserver* observer) { observer_ = observer; }

    inline static RuntimeScene* active_ = nullptr;
    inline static const host::PlatformObserver* observer_ = nullptr;
    RuntimeScene* previous_ = nullptr;
    std::vector<std::pair<std::string, std::int32_t>> acquired_;
};

// A mistake of the plug-in: the call answers the error and the host records
// exactly one violation of the kind.
struct Mistake {
    const char* what;
    std::function<host::Error(RuntimeScene&)> act;
    standin::ViolationKind kind;
    host::Error answer;
};

template <std::size_t kCount>
void ExpectEachRecorded(const Mistake (&cases)[kCount]) {
    for (const Mistake& c : cases) {
        SCOPED_TRACE(c.what);
        RuntimeScene scene;
        EXPECT_EQ(c.act(scene), c.answer);
        const auto& all = scene.host.Core().GetViolations().All();
        ASSERT_EQ(all.size(), 1u) << testing::PrintToString(all);
        EXPECT_EQ(all[0].kind, c.kind) << all[0];
    }
}

}  // namespace runtimetest
