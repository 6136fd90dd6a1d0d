#include <gtest/gtest.h>

#include <vector>

#include "RuntimeScene.h"
#include "host/AiSuites.h"
#include "host/HostMessages.h"

namespace {

using runtimetest::RuntimeScene;

constexpr const char* kOpened = "AI Document Opened Notifier";
constexpr const char* kChanged = "AI Document Changed Notifier";

TEST(Notifiers, BroadcastToEveryRegistrationOfTheTypeInOrder) {
    RuntimeScene scene;
    const auto& notifiers = scene.Acquire<host::AiNotifierSuite>(host::kAiNotifierSuite);
    struct Added {
        const char* name;
        const char* type;
        host::Notifier handle;
    };
    Added added[] = {
        {"CheckDocNotifier", kOpened, {}},
        {"CheckChangeDocNotifier", kChanged, {}},
        {"SecondOpenedNotifier", kOpened, {}},
    };
    for (Added& a : added) {
        ASSERT_EQ(notifiers.AddNotifier(scene.host.Plugin(), a.name, a.type, &a.handle),
                  host::kNoError);
    }
    std::vector<host::Notifier> reached;
    scene.script = [&](const char*, const char*, void* message) {
        const auto& nm = *static_cast<const host::NotifierMessage*>(message);
        reached.push_back(nm.notifier);
        return static_cast<int>(reached.size());
    };

    struct Case {
        const char* type;
        std::vector<host::Notifier> reached;
    };
    const Case cases[] = {
        {kOpened, {added[0].handle, added[2].handle}},
        {kChanged, {added[1].handle}},
        {"AI Document Closed Notifier", {}},
        {"AI Document", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        reached.clear();
        const std::vector<host::Error> results = scene.host.Notify(c.type);
        EXPECT_EQ(reached, c.reached);
        std::vector<host::Error> answers;
        for (std::size_t i = 1; i <= c.reached.size(); ++i) {
            answers.push_back(static_cast<host::Error>(i));
        }
        EXPECT_EQ(results, answers);
    }
    ASSERT_EQ(scene.host.Notifiers().Notifiers().size(), std::size(added));
    EXPECT_EQ(scene.host.Notifiers().Notifiers()[1].name, "CheckChangeDocNotifier");
    EXPECT_EQ(scene.host.Notifiers().Notifiers()[1].plugin, scene.host.Plugin());
    scene.ExpectBalancedAndClean();
}

// A notifier added while its type is broadcast hears only the next one.
TEST(Notifiers, AddedDuringABroadcastHearTheNextOne) {
    RuntimeScene scene;
    const auto& notifiers = scene.Acquire<host::AiNotifierSuite>(host::kAiNotifierSuite);
    host::Notifier first;
    host::Notifier second;
    ASSERT_EQ(notifiers.AddNotifier(scene.host.Plugin(), "First", kOpened, &first), 0);
    scene.script = [&](const char*, const char*, void*) {
        if (!second) {
            return notifiers.AddNotifier(scene.host.Plugin(), "Second", kOpened, &second);
        }
        return 0;
    };
    EXPECT_EQ(scene.host.Notify(kOpened).size(), 1u);
    EXPECT_EQ(scene.host.Notify(kOpened).size(), 2u);
    scene.ExpectBalancedAndClean();
}

}  // namespace
