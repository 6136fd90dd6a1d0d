#pragma once

#include <gtest/gtest.h>

#include "HostCore.h"
#include "host/HostSuites.h"
#include "host/SpSuites.h"

namespace hosttest {

// A stand-in host with one loaded plug-in, and the plug-in's way of reaching
// suites: through the basic suite of its messages.
struct HostScene {
    explicit HostScene(host::Generation generation = host::Generation::kCs3) : core(generation) {}

    const host::SpBasicSuite& Basic() const { return *core.GetBasicSuite(); }
    std::int32_t VersionOf(const host::SuiteVersions& suite) const {
        return suite.In(core.GetGeneration());
    }

    template <typename Suite>
    const Suite* Acquire(const host::SuiteVersions& suite) {
        const void* table = nullptr;
        EXPECT_EQ(Basic().AcquireSuite(suite.name, VersionOf(suite), &table), host::kNoError)
            << suite.name;
        return static_cast<const Suite*>(table);
    }
    host::Error Release(const host::SuiteVersions& suite) {
        return Basic().ReleaseSuite(suite.name, VersionOf(suite));
    }

    standin::HostCore core;
    static constexpr int kModule = 0;
    const host::PluginRef plugin = core.AddPlugin(&kModule);
};

}  // namespace hosttest
