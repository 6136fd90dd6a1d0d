#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "RuntimeScene.h"
#include "TestPluginLibrary.h"
#include "host/AiSuites.h"
#include "host/HostMessages.h"

namespace {

using runtimetest::RuntimeScene;

constexpr host::Error kAnswer = host::FourCharCode("Answ");
constexpr host::Error kInnerAnswer = host::FourCharCode("Innr");
constexpr const char* kTestNotifierType = "Test Notifier";
constexpr std::size_t kPropertyBlockBytes = 48;

struct Sent {
    std::string caller;
    std::string selector;
    int depth;
    host::Error result;
};

std::vector<Sent> SentMessages(standin::StandInHost& host) {
    std::vector<Sent> sent;
    for (const standin::SentMessage& message : host.Messages()) {
        EXPECT_TRUE(message.returned) << message.caller << "/" << message.selector;
        sent.push_back({message.caller, message.selector, message.depth, message.result});
    }
    return sent;
}

void ExpectSent(standin::StandInHost& host, const std::vector<Sent>& expected) {
    const std::vector<Sent> sent = SentMessages(host);
    ASSERT_EQ(sent.size(), expected.size());
    for (std::size_t i = 0; i < sent.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(sent[i].caller, expected[i].caller);
        EXPECT_EQ(sent[i].selector, expected[i].selector);
        EXPECT_EQ(sent[i].depth, expected[i].depth);
        EXPECT_EQ(sent[i].result, expected[i].result);
    }
}

host::Notifier AddNotifier(RuntimeScene& scene, const char* name, const char* type) {
    host::Notifier notifier;
    EXPECT_EQ(scene.Acquire<host::AiNotifierSuite>(host::kAiNotifierSuite)
                  .AddNotifier(scene.host.Plugin(), name, type, &notifier),
              host::kNoError);
    return notifier;
}

host::MenuItem AddMenuItem(RuntimeScene& scene, const char* name) {
    const host::MenuItemData data{host::kMenuGroupToolPalettes, name};
    host::MenuItem item;
    EXPECT_EQ(scene.Acquire<host::AiMenuSuite>(host::kAiMenuSuite)
                  .AddMenuItem(scene.host.Plugin(), name, &data, 0, &item),
              host::kNoError);
    return item;
}

host::Tool AddTool(RuntimeScene& scene, const char* name) {
    const host::ToolData data{name, name, {}, host::kToolNew, host::kToolNew};
    host::Tool tool;
    EXPECT_EQ(scene.Acquire<host::AiToolSuite>(host::kAiToolSuite)
                  .AddTool(scene.host.Plugin(), name, &data, 0, &tool),
              host::kNoError);
    return tool;
}

TEST(Loading, InProcessHandsThePluginItsReferenceBasicSuiteAndModule) {
    RuntimeScene scene;
    host::Access held;
    scene.script = [&](const char* caller, const char* selector, void* message) {
        const auto& header = *static_cast<const host::MessageHeader*>(message);
        EXPECT_EQ(header.plugin, scene.host.Plugin());
        EXPECT_EQ(header.basic, scene.host.Core().GetBasicSuite());
        const auto& access = scene.Acquire<host::SpAccessSuite>(host::kSpAccessSuite);
        if (header.basic->IsEqual(selector, host::kSelectorStartup)) {
            host::Access mine;
            host::Module module = nullptr;
            EXPECT_EQ(access.GetPluginAccess(header.plugin, &mine), host::kNoError);
            EXPECT_EQ(access.GetPlatformResourceAccess(mine, &module), host::kNoError);
            EXPECT_EQ(module, &RuntimeScene::kModule);
            return access.AcquirePlugin(header.plugin, &held);
        }
        EXPECT_STREQ(caller, host::kCallerInterface);
        return access.ReleasePlugin(held);
    };
    ASSERT_TRUE(scene.host.Plugin());
    EXPECT_EQ(scene.host.GetModule(), &RuntimeScene::kModule);
    ASSERT_EQ(scene.host.SendInterface(host::kSelectorStartup), host::kNoError);
    EXPECT_EQ(scene.host.Core().GetLedger().AccessHeld(scene.host.Plugin()), 1);
    ASSERT_EQ(scene.host.SendInterface(host::kSelectorShutdown), host::kNoError);
    scene.ExpectBalancedAndClean();
}

TEST(Loading, LoadsALibraryWithDlopen) {
    standin::StandInHost host;
    std::string reason;
    ASSERT_TRUE(host.LoadLibrary(STRIVELO_TEST_PLUGIN_PATH, &reason)) << reason;
    ASSERT_NE(host.GetModule(), nullptr);

    ASSERT_EQ(host.Start(), host::kNoError);
    const standin::MenuItemRecord* item = host.Menus().FindItem(testlibrary::kMenuItemName);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->plugin, host.Plugin());
    EXPECT_EQ(item->group, host::kMenuGroupToolPalettes);
    EXPECT_EQ(item->text, testlibrary::kMenuItemText);
    EXPECT_EQ(item->options, testlibrary::kMenuItemOptions);
    EXPECT_EQ(host.Core().GetLedger().AccessHeld(host.Plugin()), 1);

    EXPECT_EQ(host.SendMenu(testlibrary::kMenuItemName, host::kSelectorGo), testlibrary::kGoAnswer);
    EXPECT_EQ(host.Platform().Beeps(), 1);
    EXPECT_EQ(host.Platform().CurrentCursor(), testlibrary::kCursorId);

    EXPECT_EQ(host.SendInterface(host::kSelectorShutdown), host::kNoError);
    ExpectSent(host, {
                         {host::kCallerProperties, host::kSelectorAcquire, 0, 0},
                         {host::kCallerInterface, host::kSelectorStartup, 0, 0},
                         {host::kCallerMenu, host::kSelectorGo, 0, testlibrary::kGoAnswer},
                         {host::kCallerInterface, host::kSelectorShutdown, 0, 0},
                     });
    EXPECT_EQ(host.Imbalance(), "");
    EXPECT_TRUE(host.Core().GetViolations().Empty())
        << testing::PrintToString(host.Core().GetViolations().All());
}

TEST(Loading, RefusesWhatIsNoPluginLibrary) {
    const char* const paths[] = {"/nonexistent/strivelo-plugin.so", "libm.so.6"};
    for (const char* path : paths) {
        SCOPED_TRACE(path);
        standin::StandInHost host;
        std::string reason;
        EXPECT_FALSE(host.LoadLibrary(path, &reason));
        EXPECT_NE(reason, "");
        EXPECT_FALSE(host.Plugin());
        EXPECT_THROW(host.SendInterface(host::kSelectorStartup), std::logic_error);
        EXPECT_TRUE(host.LoadLibrary(STRIVELO_TEST_PLUGIN_PATH, &reason)) << reason;
    }
}

TEST(Loading, TakesOnePluginPerHost) {
    RuntimeScene scene;
    EXPECT_THROW(
        scene.host.LoadInProcess([](const char*, const char*, void*) { return 0; }, nullptr),
        std::logic_error);
    scene.ExpectBalancedAndClean();
}

// Every message gets caller, selector and notifier type in buffers of its
// own, which read as the text during the call and as something else after.
TEST(Messages, CarryTheirTextsInFreshBuffers) {
    RuntimeScene scene;
    const host::Notifier notifier = AddNotifier(scene, "Fresh", kTestNotifierType);
    const host::MenuItem item = AddMenuItem(scene, "Fresh Item");
    const host::Tool tool = AddTool(scene, "Fresh Tool");

    struct Seen {
        const char* pointer;
        std::string text;
    };
    std::vector<Seen> seen;
    scene.script = [&](const char* caller, const char* selector, void* message) {
        seen.push_back({caller, caller});
        seen.push_back({selector, selector});
        if (std::strcmp(caller, host::kCallerNotifier) == 0) {
            const char* type = static_cast<const host::NotifierMessage*>(message)->type;
            seen.push_back({type, type});
        }
        return 0;
    };
    const std::function<void()> sends[] = {
        [&] { scene.host.SendInterface(host::kSelectorStartup); },
        [&] { scene.host.SendAccess(host::kSelectorReload); },
        [&] {
            host::PropertiesMessage property{};
            scene.host.SendProperties(host::kSelectorAcquire, property);
        },
        [&] { scene.host.SendMenu(item, host::kSelectorGo); },
        [&] { scene.host.Notify(kTestNotifierType); },
        [&] { scene.host.SendTool(tool, host::kSelectorMouseDown); },
    };
    for (int round = 0; round < 2; ++round) {
        for (const auto& send : sends) {
            send();
        }
    }
    ASSERT_EQ(seen.size(), 2 * (2 * std::size(sends) + 1));

    const std::set<const void*> constants{
        host::kCallerInterface, host::kCallerAccess,   host::kCallerProperties,
        host::kCallerMenu,      host::kCallerNotifier, host::kCallerTool,
        host::kSelectorStartup, host::kSelectorReload, host::kSelectorAcquire,
        host::kSelectorGo,      host::kSelectorNotify, host::kSelectorMouseDown,
        kTestNotifierType,
    };
    std::set<const void*> pointers;
    for (const Seen& s : seen) {
        SCOPED_TRACE(s.text);
        EXPECT_TRUE(pointers.insert(s.pointer).second) << "a buffer was handed out twice";
        EXPECT_FALSE(constants.contains(s.pointer)) << "the host's own constant was handed out";
        EXPECT_NE(std::string(s.pointer), s.text) << "the text is still readable after its message";
    }
    EXPECT_TRUE(notifier);
    scene.ExpectBalancedAndClean();
}

// The message records as the plug-in reads them.
TEST(Messages, FillTheirRecords) {
    RuntimeScene scene;
    const host::MenuItem item = AddMenuItem(scene, "Record Item");
    const host::Tool tool = AddTool(scene, "Record Tool");
    const host::Notifier notifier = AddNotifier(scene, "Record", kTestNotifierType);
    int notifierData = 0;
    constexpr host::RealPoint kCursor{12.5f, -3.25f};

    struct Case {
        const char* what;
        std::function<host::Error()> send;
        std::function<void(void* message)> check;
    };
    const Case cases[] = {
        {"menu", [&] { return scene.host.SendMenu(item, host::kSelectorUpdate); },
         [&](void* m) { EXPECT_EQ(static_cast<host::MenuMessage*>(m)->menuItem, item); }},
        {"notifier", [&] { return scene.host.Notify(kTestNotifierType, &notifierData).at(0); },
         [&](void* m) {
             const auto& message = *static_cast<host::NotifierMessage*>(m);
             EXPECT_EQ(message.notifier, notifier);
             EXPECT_STREQ(message.type, kTestNotifierType);
             EXPECT_EQ(message.data, &notifierData);
         }},
        {"tool with shift",
         [&] {
             return scene.host.SendTool(tool, host::kSelectorMouseUp, kCursor,
                                        host::kModifierShift);
         },
         [&](void* m) {
             const auto& message = *static_cast<host::ToolMessage*>(m);
             EXPECT_EQ(message.tool, tool);
             EXPECT_EQ(message.cursor.h, kCursor.h);
             EXPECT_EQ(message.cursor.v, kCursor.v);
             EXPECT_EQ(message.modifiers, host::kModifierShift);
         }},
        {"properties",
         [&] {
             host::PropertiesMessage property{
                 {}, host::kPropertyVendor, host::kPropertyExportedSuites, 0, nullptr, -1};
             const host::Error error = scene.host.SendProperties(host::kSelectorAcquire, property);
             EXPECT_EQ(property.property, &notifierData);
             EXPECT_EQ(property.propertyWord, 0);
             return error;
         },
         [&](void* m) {
             auto& message = *static_cast<host::PropertiesMessage*>(m);
             EXPECT_EQ(message.vendor, host::kPropertyVendor);
             EXPECT_EQ(message.key, host::kPropertyExportedSuites);
             EXPECT_EQ(message.id, 0);
             message.property = &notifierData;
             message.propertyWord = 0;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        scene.script = [&](const char*, const char*, void* message) {
            const auto& header = *static_cast<const host::MessageHeader*>(message);
            EXPECT_EQ(header.plugin, scene.host.Plugin());
            EXPECT_EQ(header.basic, scene.host.Core().GetBasicSuite());
            c.check(message);
            return kAnswer;
        };
        EXPECT_EQ(c.send(), kAnswer);
    }
    scene.ExpectBalancedAndClean();
}

// A menu command that causes a notification: the notifier message is sent
// and answered inside the menu message, whose texts stay intact meanwhile.
TEST(Messages, MayReenterThePlugin) {
    RuntimeScene scene;
    const host::MenuItem item = AddMenuItem(scene, "Reentry Item");
    AddNotifier(scene, "Reentry", kTestNotifierType);
    AddNotifier(scene, "Second Reentry", kTestNotifierType);
    scene.script = [&](const char* caller, const char* selector, void*) {
        if (std::strcmp(caller, host::kCallerNotifier) == 0) {
            return kInnerAnswer;
        }
        EXPECT_EQ(scene.host.Notify(kTestNotifierType),
                  (std::vector<host::Error>{kInnerAnswer, kInnerAnswer}));
        EXPECT_STREQ(caller, host::kCallerMenu);
        EXPECT_STREQ(selector, host::kSelectorGo);
        EXPECT_FALSE(scene.host.Messages().front().returned);
        return kAnswer;
    };
    EXPECT_EQ(scene.host.SendMenu(item, host::kSelectorGo), kAnswer);
    ExpectSent(scene.host, {
                               {host::kCallerMenu, host::kSelectorGo, 0, kAnswer},
                               {host::kCallerNotifier, host::kSelectorNotify, 1, kInnerAnswer},
                               {host::kCallerNotifier, host::kSelectorNotify, 1, kInnerAnswer},
                           });
    EXPECT_EQ(scene.host.Messages()[0].object, item.token);
    scene.ExpectBalancedAndClean();
}

// The launch: the export list is asked for and handed back, then "Startup",
// then the application-started notification; a failure ends it there.
TEST(Start, SendsTheLaunchSequenceUntilAFailure) {
    constexpr host::Error kFailure = host::FourCharCode("Fail");
    struct Case {
        const char* what;
        const char* failingSelector;  // the message that answers kFailure, or null
        std::vector<Sent> sent;
    };
    const Case cases[] = {
        {"all succeed",
         nullptr,
         {{host::kCallerProperties, host::kSelectorAcquire, 0, 0},
          {host::kCallerProperties, host::kSelectorRelease, 0, 0},
          {host::kCallerInterface, host::kSelectorStartup, 0, 0},
          {host::kCallerNotifier, host::kSelectorNotify, 0, 0}}},
        {"property refused",
         host::kSelectorAcquire,
         {{host::kCallerProperties, host::kSelectorAcquire, 0, kFailure}}},
        {"start-up failing",
         host::kSelectorStartup,
         {{host::kCallerProperties, host::kSelectorAcquire, 0, 0},
          {host::kCallerProperties, host::kSelectorRelease, 0, 0},
          {host::kCallerInterface, host::kSelectorStartup, 0, kFailure}}},
        {"notification failing",
         host::kSelectorNotify,
         {{host::kCallerProperties, host::kSelectorAcquire, 0, 0},
          {host::kCallerProperties, host::kSelectorRelease, 0, 0},
          {host::kCallerInterface, host::kSelectorStartup, 0, 0},
          {host::kCallerNotifier, host::kSelectorNotify, 0, kFailure}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RuntimeScene scene;
        const auto& blocks = scene.Acquire<host::SpBlocksSuite>(host::kSpBlocksSuite);
        scene.script = [&](const char* caller, const char* selector, void* message) {
            if (c.failingSelector != nullptr && std::strcmp(selector, c.failingSelector) == 0) {
                return kFailure;
            }
            auto* property = static_cast<host::PropertiesMessage*>(message);
            if (std::strcmp(caller, host::kCallerProperties) != 0) {
                if (std::strcmp(selector, host::kSelectorStartup) == 0) {
                    AddNotifier(scene, "Started", host::kApplicationStartedNotifier);
                }
                return 0;
            }
            if (std::strcmp(selector, host::kSelectorAcquire) == 0) {
                return blocks.AllocateBlock(kPropertyBlockBytes, "properties", &property->property);
            }
            return blocks.FreeBlock(property->property);
        };
        EXPECT_EQ(scene.host.Start(), c.failingSelector == nullptr ? 0 : kFailure);
        ExpectSent(scene.host, c.sent);
        scene.ExpectBalancedAndClean();
    }
}

}  // namespace

// A suite is used only while the plug-in holds it: a call after the last
// release is recorded (and still served), a call while one acquisition is
// left is not. The same for a suite of the runtime and one of the plug-in
// system.
TEST(Suites, RecordCallsWhileTheSuiteIsNotHeld) {
    struct Case {
        const char* what;
        const host::SuiteVersions* suite;
        int acquisitions;
        std::function<void(const void* table)> call;
    };
    const auto countGroups = [](const void* table) {
        std::int32_t count = 0;
        static_cast<const host::AiMenuSuite*>(table)->CountMenuGroups(&count);
    };
    const auto allocateAndFree = [](const void* table) {
        const auto* blocks = static_cast<const host::SpBlocksSuite*>(table);
        host::Block block = nullptr;
        if (blocks->AllocateBlock(1, "late", &block) == host::kNoError) {
            blocks->FreeBlock(block);
        }
    };
    const Case cases[] = {
        {"menu suite, released", &host::kAiMenuSuite, 1, countGroups},
        {"menu suite, held once more", &host::kAiMenuSuite, 2, countGroups},
        {"blocks suite, released", &host::kSpBlocksSuite, 1, allocateAndFree},
        {"blocks suite, held once more", &host::kSpBlocksSuite, 2, allocateAndFree},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RuntimeScene scene;
        const std::int32_t version = c.suite->In(scene.host.Core().GetGeneration());
        const void* table = nullptr;
        for (int i = 0; i < c.acquisitions; ++i) {
            ASSERT_EQ(scene.Basic().AcquireSuite(c.suite->name, version, &table), host::kNoError);
        }
        ASSERT_EQ(scene.Basic().ReleaseSuite(c.suite->name, version), host::kNoError);
        c.call(table);
        const auto& all = scene.host.Core().GetViolations().All();
        const bool released = c.acquisitions == 1;
        const auto notHeld =
            scene.host.Core().GetViolations().Count(standin::ViolationKind::kSuiteNotHeld);
        EXPECT_EQ(notHeld, released ? all.size() : 0u) << testing::PrintToString(all);
        EXPECT_EQ(notHeld > 0, released);
        if (!released) {
            scene.Basic().ReleaseSuite(c.suite->name, version);
        }
        scene.host.Core().GetViolations().Clear();
        scene.ExpectBalancedAndClean();
    }
}
