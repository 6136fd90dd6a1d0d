#include <gtest/gtest.h>

#include <string>

#include "DialogManager.h"
#include "StandInHost.h"
#include "host/HostMessages.h"

namespace {

struct Build {
    const char* what;
    const char* path;
    host::Generation generation;
};
const Build kBuilds[] = {
    {"CS3 build", STRIVELO_CS3_PLUGIN_PATH, host::Generation::kCs3},
    {"CS2 build", STRIVELO_CS2_PLUGIN_PATH, host::Generation::kCs2},
};

// A menu message by handle, as the host sends it; whichever item it names,
// the plug-in answers it without a mistake.
constexpr host::MenuItem kSomeMenuItem{1};

void ExpectBalancedAndClean(standin::StandInHost& host, standin::DialogManager& dialogs) {
    EXPECT_EQ(host.Imbalance(), "");
    EXPECT_EQ(dialogs.Imbalance(), "");
    for (const standin::Violation& violation : host.Core().GetViolations().All()) {
        ADD_FAILURE() << violation;
    }
}

TEST(PluginLibrary, RunsInAHostOfItsGeneration) {
    for (const Build& build : kBuilds) {
        SCOPED_TRACE(build.what);
        standin::StandInHost host({build.generation});
        standin::DialogManager& dialogs = host.Dialogs();
        std::string reason;
        ASSERT_TRUE(host.LoadLibrary(build.path, &reason)) << reason;
        ASSERT_NE(host.GetModule(), nullptr);

        ASSERT_EQ(host.Start(), host::kNoError);
        EXPECT_EQ(host.Core().GetLedger().AccessHeld(host.Plugin()), 1);
        EXPECT_EQ(host.SendMenu(kSomeMenuItem, host::kSelectorGo), host::kNoError);
        EXPECT_EQ(host.SendInterface(host::kSelectorShutdown), host::kNoError);
        EXPECT_EQ(dialogs.ModalLog().size(), 0u);
        ExpectBalancedAndClean(host, dialogs);
    }
}

// The older build asks for suite versions that a host of the newer
// generation does not serve, so it never starts and holds nothing.
TEST(PluginLibrary, OlderBuildIsRefusedByANewerHost) {
    standin::StandInHost host({host::Generation::kCs3});
    standin::DialogManager& dialogs = host.Dialogs();
    std::string reason;
    ASSERT_TRUE(host.LoadLibrary(STRIVELO_CS2_PLUGIN_PATH, &reason)) << reason;

    EXPECT_EQ(host.Start(), host::kErrorSuiteNotFound);
    EXPECT_EQ(host.Core().GetLedger().AccessHeld(host.Plugin()), 0);
    EXPECT_EQ(host.SendInterface(host::kSelectorShutdown), host::kErrorSuiteNotFound);
    EXPECT_EQ(dialogs.ModalLog().size(), 0u);
    EXPECT_FALSE(host.Core().GetViolations().Empty());
    for (const standin::Violation& violation : host.Core().GetViolations().All()) {
        EXPECT_EQ(violation.kind, standin::ViolationKind::kUnknownSuite) << violation;
    }
    host.Core().GetViolations().Clear();
    ExpectBalancedAndClean(host, dialogs);
}

}  // namespace
