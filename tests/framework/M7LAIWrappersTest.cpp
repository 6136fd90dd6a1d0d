#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "M7LAIWrappers.h"
#include "WrapperScene.h"

namespace {

using frameworktest::kToolIcon;
using frameworktest::kToolIconImages;
using frameworktest::kToolList;
using frameworktest::Log;
using frameworktest::RecordingMenuItem;
using frameworktest::RecordingNotifier;
using frameworktest::RecordingTool;
using frameworktest::WrapperScene;

constexpr const char* kTestNotifierType = "Test Notifier";
constexpr host::Error kRefused = host::FourCharCode("NOPE");
constexpr std::int32_t kCursorId = 16002;

// Every selector a wrapper knows, a few it must not take for one, and the
// operation each kind runs for it ("" for none).
struct SelectorCase {
    const char* selector;
    const char* menuOperation;
    const char* notifierOperation;
    const char* toolOperation;
};
constexpr SelectorCase kSelectors[] = {
    {"AI Go", "Go", "", ""},
    {"AI Update", "Update", "", ""},
    {"AI Notify", "", "Notify", ""},
    {"AI Edit Options", "", "", "EditOptions"},
    {"AI Track Cursor", "", "", "TrackCursor"},
    {"AI Mouse Down", "", "", "MouseDown"},
    {"AI Mouse Drag", "", "", "MouseDrag"},
    {"AI Mouse Up", "", "", "MouseUp"},
    {"AI Select", "", "", "Select"},
    {"AI Deselect", "", "", "Deselect"},
    {"AI Go ", "", "", ""},
    {"AI Gox", "", "", ""},
    {"AI", "", "", ""},
    {"", "", "", ""},
    {"ai go", "", "", ""},
};

// Two objects of each kind; a message for each object's handle with each
// selector reaches that object's operation and no other's.
TEST(WrapperDispatch, RoutesEachSelectorToTheObjectOfTheHandle) {
    WrapperScene scene;
    Log log;
    const host::MessageHeader header = scene.Header();
    struct Target {
        std::string name;
        host::Error answer;
        std::function<host::Error(const char* selector)> send;
        const char* SelectorCase::*operation;
    };
    auto* menuA = MakeWrapper<RecordingMenuItem>(header, "Menu A", log, host::FourCharCode("MnuA"));
    auto* menuB = MakeWrapper<RecordingMenuItem>(header, "Menu B", log, host::FourCharCode("MnuB"));
    auto* notifierA = MakeWrapper<RecordingNotifier>(header, "Notifier A", kTestNotifierType, log,
                                                     host::FourCharCode("NtfA"));
    auto* notifierB = MakeWrapper<RecordingNotifier>(header, "Notifier B", kTestNotifierType, log,
                                                     host::FourCharCode("NtfB"));
    auto* toolA = MakeWrapper<RecordingTool>(header, "Tool A", log, host::FourCharCode("TolA"));
    auto* toolB = MakeWrapper<RecordingTool>(header, "Tool B", log, host::FourCharCode("TolB"));
    ASSERT_TRUE(menuA && menuB && notifierA && notifierB && toolA && toolB);

    const auto notify = [&](host::Notifier notifier, const char* selector) {
        host::NotifierMessage message{{}, notifier, kTestNotifierType, nullptr};
        return scene.host.Send(host::kCallerNotifier, selector, message, notifier.token);
    };
    const Target targets[] = {
        {"Menu A", host::FourCharCode("MnuA"),
         [&](const char* s) { return scene.host.SendMenu(menuA->GetHandle(), s); },
         &SelectorCase::menuOperation},
        {"Menu B", host::FourCharCode("MnuB"),
         [&](const char* s) { return scene.host.SendMenu(menuB->GetHandle(), s); },
         &SelectorCase::menuOperation},
        {"Notifier A", host::FourCharCode("NtfA"),
         [&](const char* s) { return notify(notifierA->GetHandle(), s); },
         &SelectorCase::notifierOperation},
        {"Notifier B", host::FourCharCode("NtfB"),
         [&](const char* s) { return notify(notifierB->GetHandle(), s); },
         &SelectorCase::notifierOperation},
        {"Tool A", host::FourCharCode("TolA"),
         [&](const char* s) { return scene.host.SendTool(toolA->GetHandle(), s); },
         &SelectorCase::toolOperation},
        {"Tool B", host::FourCharCode("TolB"),
         [&](const char* s) { return scene.host.SendTool(toolB->GetHandle(), s); },
         &SelectorCase::toolOperation},
    };
    for (const Target& target : targets) {
        for (const SelectorCase& c : kSelectors) {
            SCOPED_TRACE(target.name + " / \"" + c.selector + "\"");
            log.clear();
            const std::string operation = c.*target.operation;
            const host::Error result = target.send(c.selector);
            if (operation.empty()) {
                EXPECT_EQ(result, host::kNoError);
                EXPECT_EQ(log, Log{});
            } else {
                EXPECT_EQ(result, target.answer);
                EXPECT_EQ(log, Log{target.name + " " + operation});
            }
        }
    }
    scene.ExpectBalancedAndClean();
}

TEST(WrapperDispatch, AnswersZeroForAHandleNoObjectIsRegisteredWith) {
    WrapperScene scene;
    Log log;
    ASSERT_NE(MakeWrapper<RecordingMenuItem>(scene.Header(), "Registered", log, kRefused), nullptr);
    const host::MenuItemData data{host::kMenuGroupToolPalettes, "Unregistered"};
    host::MenuItem unregistered;
    ASSERT_EQ(sAiMenu->AddMenuItem(scene.host.Plugin(), "Unregistered", &data, 0, &unregistered),
              host::kNoError);
    EXPECT_EQ(scene.host.SendMenu(unregistered, host::kSelectorGo), host::kNoError);
    EXPECT_EQ(log, Log{});
    scene.ExpectBalancedAndClean();
}

// A wrapper the host refused is deleted again and is in no registry.
TEST(WrapperRegistration, DeletesAWrapperTheHostRefused) {
    struct Case {
        const char* what;
        const char* name;
        host::Error refusal;                                         // 0: success without a handle
        std::function<bool(const host::MessageHeader&, Log&)> make;  // made?
    };
    const auto menu = [](const char* name) {
        return [name](const host::MessageHeader& h, Log& log) {
            return MakeWrapper<RecordingMenuItem>(h, name, log, 0) != nullptr;
        };
    };
    const auto notifier = [](const char* name) {
        return [name](const host::MessageHeader& h, Log& log) {
            return MakeWrapper<RecordingNotifier>(h, name, kTestNotifierType, log, 0) != nullptr;
        };
    };
    const auto tool = [](const char* name) {
        return [name](const host::MessageHeader& h, Log& log) {
            return MakeWrapper<RecordingTool>(h, name, log, 0) != nullptr;
        };
    };
    const Case cases[] = {
        {"menu item refused", "Menu", kRefused, menu("Menu")},
        {"menu item without a handle", "Menu", host::kNoError, menu("Menu")},
        {"notifier refused", "Notifier", kRefused, notifier("Notifier")},
        {"notifier without a handle", "Notifier", host::kNoError, notifier("Notifier")},
        {"tool refused", "Tool", kRefused, tool("Tool")},
        {"tool without a handle", "Tool", host::kNoError, tool("Tool")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WrapperScene scene;
        scene.host.Core().GetFaults().RefuseRegistration(c.name, c.refusal);
        Log log;
        EXPECT_FALSE(c.make(scene.Header(), log));
        EXPECT_EQ(log, Log{std::string("~") + c.name});
        EXPECT_TRUE(MenuItemRegistry().empty());
        EXPECT_TRUE(NotifierRegistry().empty());
        EXPECT_TRUE(ToolRegistry().empty());
        scene.ExpectBalancedAndClean();
    }
}

// How the host places a tool, and what AddHostTool answers when a step fails.
TEST(WrapperRegistration, AddsToolsWithTheirTextsIconsAndPlacement) {
    constexpr std::int32_t kGroupToolNumber = standin::ToolModel::kFirstToolNumber;
    constexpr std::int32_t kNewToolNumber = kGroupToolNumber + 1;
    constexpr M7LToolResources kUsable{kToolList, 1, 2, kToolIcon, 1};
    struct Case {
        const char* what;
        M7LToolPlacement placement;
        M7LToolResources resources;
        const char* failingCall;  // of "AI Tool Suite", or null
        host::Error result;
        bool added;
        std::int32_t group;
        std::int32_t toolset;
    };
    const Case cases[] = {
        {"a new group", {}, kUsable, nullptr, 0, true, kNewToolNumber, kNewToolNumber},
        {"the group tool's toolset",
         {"Group Tool", false},
         kUsable,
         nullptr,
         0,
         true,
         kGroupToolNumber,
         kGroupToolNumber},
        {"a new toolset in the group",
         {"Group Tool", true},
         kUsable,
         nullptr,
         0,
         true,
         kGroupToolNumber,
         kNewToolNumber},
        {"an unknown group tool",
         {"No Such Tool", false},
         kUsable,
         nullptr,
         host::kErrorNotFound,
         false,
         0,
         0},
        {"an unusable first icon",
         {},
         {kToolList, 1, 2, kToolIcon, kToolIconImages},
         nullptr,
         host::kErrorUnusableIcon,
         false,
         0,
         0},
        {"a missing icon resource",
         {},
         {kToolList, 1, 2, kToolIcon + 1, 1},
         nullptr,
         host::kErrorUnusableIcon,
         false,
         0,
         0},
        {"AddTool fails", {}, kUsable, "AddTool", kRefused, false, 0, 0},
        {"the second icon is refused",
         {},
         kUsable,
         "SetSecondIcon",
         kRefused,
         true,
         kNewToolNumber,
         kNewToolNumber},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WrapperScene scene;
        Log log;
        ASSERT_NE(MakeWrapper<RecordingTool>(scene.Header(), "Group Tool", log, 0), nullptr);
        if (c.failingCall != nullptr) {
            scene.host.Core().GetFaults().FailCall(host::kAiToolSuite.name, c.failingCall,
                                                   kRefused);
        }
        host::Tool tool;
        EXPECT_EQ(AddHostTool(scene.Header(), "New Tool", c.resources, 0, c.placement, &tool),
                  c.result);
        const standin::ToolRecord* record = scene.host.Tools().FindTool("New Tool");
        EXPECT_EQ(record != nullptr, c.added);
        EXPECT_EQ(bool(tool), c.added);
        if (record != nullptr) {
            EXPECT_EQ(record->handle, tool);
            EXPECT_EQ(record->title, "Werkzeug");
            EXPECT_EQ(record->tip, "Tipp");
            EXPECT_EQ(record->group, c.group);
            EXPECT_EQ(record->toolset, c.toolset);
            EXPECT_TRUE(record->icon);
            EXPECT_EQ(bool(record->secondIcon), c.result == host::kNoError);
        }
        scene.ExpectBalancedAndClean();
    }
}

// The host shows a tool whose second icon it refused, so the tool is
// registered and gets its messages.
TEST(WrapperRegistration, RegistersAToolWhoseSecondIconWasRefused) {
    WrapperScene scene;
    scene.host.Core().GetFaults().FailCall(host::kAiToolSuite.name, "SetSecondIcon", kRefused);
    Log log;
    RecordingTool* tool = MakeWrapper<RecordingTool>(scene.Header(), "Tool", log, kRefused);
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(scene.host.SendTool("Tool", host::kSelectorMouseDown), kRefused);
    EXPECT_EQ(log, Log{"Tool MouseDown"});
    scene.ExpectBalancedAndClean();
}

// At shutdown: menu items, then tools, then notifiers, each in registration
// order, whatever order they were made in; the host keeps its objects.
TEST(WrapperDeletion, DeletesByKindInRegistrationOrder) {
    WrapperScene scene;
    Log log;
    const host::MessageHeader header = scene.Header();
    MakeWrapper<RecordingNotifier>(header, "N1", kTestNotifierType, log, 0);
    MakeWrapper<RecordingTool>(header, "T1", log, 0);
    auto* menu = MakeWrapper<RecordingMenuItem>(header, "M1", log, kRefused);
    MakeWrapper<RecordingNotifier>(header, "N2", kTestNotifierType, log, 0);
    MakeWrapper<RecordingMenuItem>(header, "M2", log, 0);
    MakeWrapper<RecordingTool>(header, "T2", log, 0);
    ASSERT_NE(menu, nullptr);
    const host::MenuItem formerItem = menu->GetHandle();

    DeleteAllMenuItems();
    DeleteAllTools();
    DeleteAllNotifiers();
    EXPECT_EQ(log, (Log{"~M1", "~M2", "~T1", "~T2", "~N1", "~N2"}));
    EXPECT_TRUE(MenuItemRegistry().empty());
    EXPECT_TRUE(NotifierRegistry().empty());
    EXPECT_TRUE(ToolRegistry().empty());

    log.clear();
    EXPECT_EQ(scene.host.SendMenu(formerItem, host::kSelectorGo), host::kNoError);
    EXPECT_EQ(scene.host.Notify(kTestNotifierType), (std::vector<host::Error>{0, 0}));
    EXPECT_EQ(log, Log{});
    EXPECT_EQ(scene.host.Menus().Items().size(), 2u);
    EXPECT_EQ(scene.host.Tools().Tools().size(), 2u);
    EXPECT_EQ(scene.host.Notifiers().Notifiers().size(), 2u);
    scene.ExpectBalancedAndClean();
}

TEST(ToolCursor, BecomesTheCurrentCursorUnlessTheModuleIsNotFound) {
    struct Case {
        const char* what;
        const char* failingCall;  // of "SP Access Suite", or null
        std::int32_t cursor;
    };
    const Case cases[] = {
        {"module found", nullptr, kCursorId},
        {"no plug-in access", "GetPluginAccess", standin::PlatformRecorder::kNoCursor},
        {"no resource access", "GetPlatformResourceAccess", standin::PlatformRecorder::kNoCursor},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WrapperScene scene;
        if (c.failingCall != nullptr) {
            scene.host.Core().GetFaults().FailCall(host::kSpAccessSuite.name, c.failingCall,
                                                   kRefused);
        }
        SetToolCursor(scene.host.Plugin(), kCursorId);
        EXPECT_EQ(scene.host.Platform().CurrentCursor(), c.cursor);
        scene.ExpectBalancedAndClean();
    }
}

}  // namespace
