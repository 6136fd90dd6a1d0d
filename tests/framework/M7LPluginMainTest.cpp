#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <exception>
#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "M7LFailure.h"
#include "M7LPluginMain.h"
#include "M7LResources.h"
#include "PluginScene.h"
#include "WrapperScene.h"
#include "host/AiSuites.h"

M7LAIPlugin* CreateBarcodePlugin() {
    ++frameworktest::gFactoryCalls;
    if (frameworktest::gFactoryThrows) {
        std::rethrow_exception(frameworktest::gFactoryThrows);
    }
    return frameworktest::gMadePlugin;
}

namespace {

using frameworktest::FamilyMenuItem;
using frameworktest::PluginScene;
using Log = std::vector<std::string>;

constexpr host::Error kFailure = host::FourCharCode("FAIL");
constexpr const char* kOneSuite = "AI Menu Suite";
constexpr const char* kErrorDialog = "Error";
constexpr std::int32_t kErrorDialogId = 16051;
constexpr std::int32_t kItemList = 26000;

// One message to a plug-in that has not started, so that every suite it
// acquires must be released by its end.
TEST(PluginMainDispatch, AnswersAlertsAndReleasesPerMessage) {
    struct Case {
        const char* what;
        std::function<host::Error(PluginScene&, host::MenuItem item)> send;
        const char* operation;  // of the plug-in object, or null
        host::Error answer;     // of the operation or the menu item
        host::Error result;
        bool alert;
        bool suitesAcquired;
        bool itemGoes;  // the menu item's Go runs
    };
    const auto menu = [](const char* selector) {
        return [selector](PluginScene& s, host::MenuItem item) {
            return s.host.SendMenu(item, selector);
        };
    };
    const auto interface = [](const char* selector) {
        return
            [selector](PluginScene& s, host::MenuItem) { return s.host.SendInterface(selector); };
    };
    const auto access = [](const char* selector) {
        return [selector](PluginScene& s, host::MenuItem) { return s.host.SendAccess(selector); };
    };
    const Case cases[] = {
        {"menu succeeds", menu(host::kSelectorGo), nullptr, 0, 0, false, true, true},
        {"menu cancelled", menu(host::kSelectorGo), nullptr, host::kErrorCancel, host::kErrorCancel,
         false, true, true},
        {"menu misses a suite", menu(host::kSelectorGo), nullptr, host::kErrorSuiteNotFound,
         host::kErrorSuiteNotFound, false, true, true},
        {"menu fails", menu(host::kSelectorGo), nullptr, host::kErrorNoMemory, host::kErrorNoMemory,
         true, true, true},
        {"menu of no handle",
         [](PluginScene& s, host::MenuItem) {
             return s.host.SendMenu(host::MenuItem{0xBAD}, host::kSelectorGo);
         },
         nullptr, kFailure, 0, false, true, false},
        {"unknown caller",
         [](PluginScene& s, host::MenuItem) {
             host::InterfaceMessage message{};
             return s.host.Send("AI Something", host::kSelectorGo, message);
         },
         nullptr, 0, 0, false, true, false},
        {"about fails", interface(host::kSelectorAbout), "About", kFailure, 0, false, true, false},
        {"unknown interface selector", interface("Other"), nullptr, 0, 0, false, true, false},
        {"unload fails", access(host::kSelectorUnload), "Unload", kFailure, 0, false, false, false},
        {"reload fails", access(host::kSelectorReload), "Reload", kFailure, kFailure, false, false,
         false},
        {"unknown access selector", access("Other"), nullptr, 0, 0, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PluginScene scene;
        scene.Load();
        host::Error answer = c.answer;
        if (c.operation != nullptr) {
            scene.plugin.answers[c.operation] = c.answer;
        }
        ASSERT_EQ(AcquireSuites(&scene.host.Core().GetBasicSuite()[0]), host::kNoError);
        FamilyMenuItem* item =
            MakeWrapper<FamilyMenuItem>(scene.Header(), "Item", false, kItemList, 1, &answer);
        ASSERT_EQ(ReleaseSuites(scene.host.Core().GetBasicSuite()), host::kNoError);
        ASSERT_NE(item, nullptr);
        if (c.alert) {
            scene.dialogs.ExpectModal(kErrorDialog).Press(host::kOkItem);
        }
        const int acquiredBefore =
            scene.host.Core().GetLedger().Acquisitions(kOneSuite, host::kAiMenuSuite.cs3);

        EXPECT_EQ(c.send(scene, item->GetHandle()), c.result);
        EXPECT_EQ(scene.dialogs.ModalLog().size(), c.alert ? 1u : 0u);
        if (c.alert) {
            EXPECT_EQ(scene.dialogs.ModalLog()[0].resourceId, kErrorDialogId);
        }
        EXPECT_EQ(scene.host.Core().GetLedger().Acquisitions(kOneSuite, host::kAiMenuSuite.cs3) -
                      acquiredBefore,
                  c.suitesAcquired ? 1 : 0);
        EXPECT_EQ(scene.plugin.log, c.operation ? Log{c.operation} : Log{});
        if (c.operation != nullptr) {
            EXPECT_EQ(scene.plugin.held, std::vector<bool>{c.suitesAcquired});
        }
        EXPECT_EQ(item->heldDuringGo, c.itemGoes ? std::vector<bool>{true} : std::vector<bool>{});
        scene.ExpectBalancedAndClean();
    }
}

// The first message of any kind makes the plug-in object, once; a property
// request acquires no suite of the table.
TEST(PluginMainDispatch, MakesThePluginObjectOnTheFirstMessage) {
    PluginScene scene;
    scene.Load();
    host::PropertiesMessage property{
        {}, host::kPropertyVendor, host::kPropertyExportedSuites, 0, nullptr, 0};
    ASSERT_EQ(scene.host.SendProperties(host::kSelectorAcquire, property), host::kNoError);
    EXPECT_EQ(gPlugin, &scene.plugin);
    EXPECT_NE(property.property, nullptr);
    EXPECT_EQ(scene.Outstanding(kOneSuite), 0);
    EXPECT_EQ(scene.host.Core().GetLedger().Acquisitions(kOneSuite, host::kAiMenuSuite.cs3), 0);
    ASSERT_EQ(scene.host.SendProperties(host::kSelectorRelease, property), host::kNoError);
    EXPECT_EQ(scene.host.SendInterface("Other"), host::kNoError);
    EXPECT_EQ(frameworktest::gFactoryCalls, 1);
    scene.ExpectBalancedAndClean();
}

// Without a plug-in object, the messages that need it answer '!MEM'; the
// factory is asked again by each message.
TEST(PluginMainDispatch, AnswersNoMemoryWithoutAPluginObject) {
    struct Case {
        const char* what;
        std::function<host::Error(PluginScene&)> send;
        host::Error result;
        bool alert;
    };
    const Case cases[] = {
        {"startup", [](PluginScene& s) { return s.host.SendInterface(host::kSelectorStartup); },
         host::kErrorNoMemory, true},
        {"shutdown", [](PluginScene& s) { return s.host.SendInterface(host::kSelectorShutdown); },
         host::kErrorNoMemory, true},
        {"about", [](PluginScene& s) { return s.host.SendInterface(host::kSelectorAbout); }, 0,
         false},
        {"reload", [](PluginScene& s) { return s.host.SendAccess(host::kSelectorReload); },
         host::kErrorNoMemory, false},
        {"unload", [](PluginScene& s) { return s.host.SendAccess(host::kSelectorUnload); },
         host::kErrorNoMemory, false},
        {"application started",
         [](PluginScene& s) {
             EXPECT_EQ(AcquireSuites(s.host.Core().GetBasicSuite()), host::kNoError);
             EXPECT_NE(MakeWrapper<ApplicationStartedNotifier>(s.Header()), nullptr);
             EXPECT_EQ(ReleaseSuites(s.host.Core().GetBasicSuite()), host::kNoError);
             return s.host.Notify(host::kApplicationStartedNotifier).at(0);
         },
         host::kErrorNoMemory, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PluginScene scene(false);
        scene.Load();
        if (c.alert) {
            scene.dialogs.ExpectModal(kErrorDialog).Press(host::kOkItem);
        }
        EXPECT_EQ(c.send(scene), c.result);
        EXPECT_EQ(gPlugin, nullptr);
        EXPECT_EQ(scene.host.Core().GetLedger().AccessHeld(scene.host.Plugin()), 0);
        scene.ExpectBalancedAndClean();
    }
}

// What the plug-in's code throws stays inside the plug-in: running out of
// memory answers '!MEM' as that code's answer would; anything else goes to
// the failure report and answers the internal failure. Either way the
// message gives back what it took, and shutdown gives back what start-up
// took.
TEST(PluginMainDispatch, KeepsExceptionsAwayFromTheHost) {
    const auto kaputt = std::make_exception_ptr(std::runtime_error("kaputt"));
    const auto outOfMemory = std::make_exception_ptr(std::bad_alloc());
    constexpr const char* kKaputtReport = "message = kaputt,";
    struct Case {
        const char* what;
        bool started;         // before the message
        const char* thrower;  // the plug-in object's operation, or null for the factory
        std::exception_ptr exception;
        std::function<host::Error(PluginScene&)> send;
        host::Error result;
        bool errorAlert;     // the error dialog for the result
        const char* report;  // in the failure report, or null for none
    };
    const auto interface = [](const char* selector) {
        return [selector](PluginScene& s) { return s.host.SendInterface(selector); };
    };
    const auto access = [](const char* selector) {
        return [selector](PluginScene& s) { return s.host.SendAccess(selector); };
    };
    const Case cases[] = {
        {"the factory runs out of memory", false, nullptr, outOfMemory, interface("Other"),
         host::kErrorNoMemory, false, nullptr},
        {"startup runs out of memory", false, "Startup", outOfMemory,
         interface(host::kSelectorStartup), host::kErrorNoMemory, true, nullptr},
        {"startup throws", false, "Startup", kaputt, interface(host::kSelectorStartup),
         kErrorInternalFailure, false, kKaputtReport},
        {"startup throws what is no exception class", false, "Startup", std::make_exception_ptr(7),
         interface(host::kSelectorStartup), kErrorInternalFailure, false,
         "message = an exception of unknown type,"},
        {"about throws", true, "About", kaputt, interface(host::kSelectorAbout),
         kErrorInternalFailure, false, kKaputtReport},
        {"unload runs out of memory", true, "Unload", outOfMemory, access(host::kSelectorUnload),
         host::kErrorNoMemory, false, nullptr},
        {"reload throws", true, "Reload", kaputt, access(host::kSelectorReload),
         kErrorInternalFailure, false, kKaputtReport},
        {"shutdown throws", true, "Shutdown", kaputt, interface(host::kSelectorShutdown), 0, false,
         kKaputtReport},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PluginScene scene;
        scene.Load();
        if (c.started) {
            ASSERT_EQ(scene.host.Start(), host::kNoError);
        }
        if (c.thrower != nullptr) {
            scene.plugin.throws[c.thrower] = c.exception;
        } else {
            frameworktest::gFactoryThrows = c.exception;
        }
        if (c.errorAlert) {
            scene.dialogs.ExpectModal(kErrorDialog).Press(host::kOkItem);
        }

        EXPECT_EQ(c.send(scene), c.result);
        EXPECT_EQ(scene.dialogs.ModalLog().size(), c.errorAlert ? 1u : 0u);
        if (c.report != nullptr) {
            EXPECT_THAT(scene.dialogs.ErrorAlerts(),
                        testing::ElementsAre(testing::AllOf(
                            testing::StartsWith("Can't Happen Failed Failed: errID = 0, "),
                            testing::HasSubstr(c.report))));
        } else {
            EXPECT_TRUE(scene.dialogs.ErrorAlerts().empty());
        }

        scene.plugin.throws.clear();
        frameworktest::gFactoryThrows = nullptr;
        // Once more after the shutdown case, which must give back nothing twice.
        EXPECT_EQ(scene.host.SendInterface(host::kSelectorShutdown), host::kNoError);
        EXPECT_EQ(scene.host.Core().GetLedger().AccessHeld(scene.host.Plugin()), 0);
        scene.ExpectBalancedAndClean();
    }
}

TEST(PluginLifecycle, StartsUpAndShutsDownInOrder) {
    PluginScene scene;
    scene.Load();
    ASSERT_EQ(scene.host.Start(), host::kNoError);
    EXPECT_EQ(scene.plugin.log,
              (Log{"Startup", "PostStartup", "ApplicationStarted", "ApplicationStartedDone"}));
    EXPECT_EQ(GetResourceModule(), scene.resources.Module());
    EXPECT_EQ(scene.host.Core().GetLedger().AccessHeld(scene.host.Plugin()), 1);
    EXPECT_EQ(gSuiteNestingCounter, 1);
    EXPECT_EQ(scene.Outstanding(kOneSuite), 1);
    ASSERT_EQ(NotifierRegistry().size(), 1u);
    EXPECT_EQ(scene.host.Notifiers().Notifiers().at(0).name, kApplicationStartedNotifierName);

    // The failure handler shows the report in the host's alert.
    ReportCantHappen(7, "m", "f", 42);
    EXPECT_EQ(
        scene.dialogs.ErrorAlerts(),
        std::vector<std::string>{"Can't Happen Failed Failed: errID = 7, message = m,file = f, "
                                 "line = 42, cond = <>"});

    // Messages between start-up and shutdown acquire nothing afresh.
    EXPECT_EQ(scene.host.SendInterface("Other"), host::kNoError);
    EXPECT_EQ(scene.host.Core().GetLedger().Acquisitions(kOneSuite, host::kAiMenuSuite.cs3), 1);

    // Wrappers as the application makes them, deleted by kind at shutdown.
    Log deleted;
    const host::MessageHeader header = scene.Header();
    MakeWrapper<frameworktest::RecordingNotifier>(header, "N", "Test Notifier", deleted, 0);
    MakeWrapper<frameworktest::RecordingTool>(header, "T", deleted, 0);
    MakeWrapper<frameworktest::RecordingMenuItem>(header, "M", deleted, 0);
    ASSERT_EQ(deleted, Log{});

    scene.plugin.log.clear();
    ASSERT_EQ(scene.host.SendInterface(host::kSelectorShutdown), host::kNoError);
    EXPECT_EQ(scene.plugin.log, Log{"Shutdown"});
    EXPECT_EQ(deleted, (Log{"~M", "~T", "~N"}));
    EXPECT_TRUE(MenuItemRegistry().empty());
    EXPECT_TRUE(ToolRegistry().empty());
    EXPECT_TRUE(NotifierRegistry().empty());
    EXPECT_EQ(scene.host.Core().GetLedger().AccessHeld(scene.host.Plugin()), 0);
    ReportCantHappen(7, "m", "f", 42);
    EXPECT_EQ(scene.dialogs.ErrorAlerts().size(), 1u);
    scene.ExpectBalancedAndClean();
}

TEST(PluginLifecycle, TellsThePluginOfTheStartedApplicationOnlyUntilAFailure) {
    PluginScene scene;
    scene.plugin.answers["ApplicationStarted"] = kFailure;
    scene.Load();
    ASSERT_EQ(scene.host.SendInterface(host::kSelectorStartup), host::kNoError);
    scene.dialogs.ExpectModal(kErrorDialog).Press(host::kOkItem);
    EXPECT_EQ(scene.host.Notify(host::kApplicationStartedNotifier),
              std::vector<host::Error>{kFailure});
    EXPECT_EQ(scene.plugin.log, (Log{"Startup", "PostStartup", "ApplicationStarted"}));
    ASSERT_EQ(scene.host.SendInterface(host::kSelectorShutdown), host::kNoError);
    scene.ExpectBalancedAndClean();
}

// Irregular lives: whatever happens, the counter never wraps and nothing is
// released that start-up did not take.
TEST(PluginLifecycle, ShutsDownAfterIrregularStartups) {
    struct Case {
        const char* what;
        std::function<void(PluginScene&)> arrange;
        host::Error startup;
        bool startupAlert;
        Log startupLog;
        bool reload;
        host::Error shutdown;
        int forgottenHolds;  // acquisitions of a suite that no release matches
    };
    const Case cases[] = {
        {"regular", [](PluginScene&) {}, 0, false, {"Startup", "PostStartup"}, false, 0, 0},
        {"startup fails",
         [](PluginScene& s) { s.plugin.answers["Startup"] = kFailure; },
         kFailure,
         true,
         {"Startup"},
         false,
         0,
         0},
        {"reload between", [](PluginScene&) {}, 0, false, {"Startup", "PostStartup"}, true, 0, 1},
        {"a missing suite",
         [](PluginScene& s) { s.host.Core().GetFaults().RemoveSuite("ATE Story Suite"); },
         host::kErrorSuiteNotFound,
         false,
         {},
         false,
         host::kErrorSuiteNotFound,
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PluginScene scene;
        c.arrange(scene);
        scene.Load();
        if (c.startupAlert) {
            scene.dialogs.ExpectModal(kErrorDialog).Press(host::kOkItem);
        }
        EXPECT_EQ(scene.host.SendInterface(host::kSelectorStartup), c.startup);
        EXPECT_EQ(scene.plugin.log, c.startupLog);
        if (c.reload) {
            EXPECT_EQ(scene.host.SendAccess(host::kSelectorReload), host::kNoError);
            EXPECT_EQ(gSuiteNestingCounter, 0);
        }
        EXPECT_EQ(scene.host.SendInterface(host::kSelectorShutdown), c.shutdown);
        EXPECT_EQ(gSuiteNestingCounter, 0);
        EXPECT_EQ(scene.host.Core().GetLedger().AccessHeld(scene.host.Plugin()), 0);
        EXPECT_EQ(scene.Outstanding(kOneSuite), c.forgottenHolds);
        EXPECT_TRUE(scene.host.Core().GetViolations().Empty())
            << testing::PrintToString(scene.host.Core().GetViolations().All());
        if (c.forgottenHolds == 0) {
            scene.ExpectBalancedAndClean();
        }
    }
}

// Items of the plug-in family's groups, made during start-up as the
// application does.
TEST(FamilyMenuGroups, FileItemsUnderTheFamilyGroups) {
    constexpr const char* kWindowsGroup = "Orvanex Pavrello Windows Group";
    constexpr const char* kFiltersGroup = "Orvanex Pavrello Filters Group";
    constexpr std::size_t kLongGroupNameChars = 300;
    struct Item {
        const char* name;
        bool filters;
    };
    struct Case {
        const char* what;
        std::function<void(PluginScene&)> arrange;
        std::vector<Item> items;
        // Family groups made by the plug-in: name, host group, title.
        std::vector<std::vector<std::string>> groups;
    };
    const Case cases[] = {
        {"one windows item",
         [](PluginScene&) {},
         {{"W1", false}},
         {{kWindowsGroup, host::kMenuGroupToolPalettes, "Orvanex Pavrello"}}},
        {"two items of each",
         [](PluginScene&) {},
         {{"W1", false}, {"F1", true}, {"W2", false}, {"F2", true}},
         {{kWindowsGroup, host::kMenuGroupToolPalettes, "Orvanex Pavrello"},
          {kFiltersGroup, host::kMenuGroupFilterUtilities, "Orvanex Pavrello"}}},
        {"the group exists already",
         [](PluginScene& s) { s.host.Menus().AddHostGroup(kWindowsGroup); },
         {{"W1", false}},
         {}},
        {"a host group's name is longer than any of ours",
         [](PluginScene& s) { s.host.Menus().AddHostGroup(std::string(kLongGroupNameChars, 'G')); },
         {{"W1", false}},
         {{kWindowsGroup, host::kMenuGroupToolPalettes, "Orvanex Pavrello"}}},
        {"the group exists after a long-named one",
         [](PluginScene& s) {
             s.host.Menus().AddHostGroup(std::string(kLongGroupNameChars, 'G'));
             s.host.Menus().AddHostGroup(kWindowsGroup);
         },
         {{"W1", false}},
         {}},
        {"no family names",
         [](PluginScene& s) { s.resources.RemoveString(16998).RemoveString(16999); },
         {{"W1", false}, {"F1", true}},
         {{"Mor7Lant PluginFamily Windows Group", host::kMenuGroupToolPalettes, ""},
          {"Mor7Lant PluginFamily Filters Group", host::kMenuGroupFilterUtilities, ""}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PluginScene scene;
        scene.resources.ReplaceString(kItemList + 1, "Eintrag");
        c.arrange(scene);
        scene.Load();
        host::Error answer = 0;
        ASSERT_EQ(scene.host.SendInterface(host::kSelectorStartup), host::kNoError);
        for (const Item& item : c.items) {
            auto* made = MakeWrapper<FamilyMenuItem>(scene.Header(), item.name, item.filters,
                                                     kItemList, 1, &answer);
            ASSERT_NE(made, nullptr) << item.name;
            EXPECT_EQ(made->result, host::kNoError);
        }
        std::vector<std::vector<std::string>> groups;
        for (const standin::MenuItemRecord& record : scene.host.Menus().Items()) {
            if (!record.submenu.empty()) {
                EXPECT_EQ(record.submenu, record.name);
                EXPECT_EQ(record.options, 0);
                groups.push_back({record.name, record.group, record.text});
            }
        }
        EXPECT_EQ(groups, c.groups);
        for (const Item& item : c.items) {
            const standin::MenuItemRecord* record = scene.host.Menus().FindItem(item.name);
            ASSERT_NE(record, nullptr);
            EXPECT_EQ(record->text, "Eintrag");
            EXPECT_EQ(record->options, 1);
            const standin::MenuGroupRecord* group = scene.host.Menus().FindGroup(record->group);
            ASSERT_NE(group, nullptr);
            EXPECT_EQ(group->parentItem, c.groups.empty() ? "" : group->name);
        }
        ASSERT_EQ(scene.host.SendInterface(host::kSelectorShutdown), host::kNoError);
        scene.ExpectBalancedAndClean();
    }
}

TEST(FamilyMenuGroups, GivesNoItemWhenTheHostRefusesIt) {
    struct Case {
        const char* what;
        const char* refused;
    };
    const Case cases[] = {
        {"the group's item", "Orvanex Pavrello Windows Group"},
        {"the item", "W1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PluginScene scene;
        scene.host.Core().GetFaults().RefuseRegistration(c.refused, kFailure);
        scene.Load();
        ASSERT_EQ(scene.host.SendInterface(host::kSelectorStartup), host::kNoError);
        host::Error answer = 0;
        host::MenuItem item;
        EXPECT_EQ(AddMenuItemToWindowsGroup(scene.Header(), "W1", kItemList, 1, &item), kFailure);
        EXPECT_FALSE(item);
        EXPECT_EQ(MakeWrapper<FamilyMenuItem>(scene.Header(), "W1", false, kItemList, 1, &answer),
                  nullptr);
        ASSERT_EQ(scene.host.SendInterface(host::kSelectorShutdown), host::kNoError);
        scene.ExpectBalancedAndClean();
    }
}

}  // namespace
