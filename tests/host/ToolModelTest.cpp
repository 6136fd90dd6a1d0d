#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "RuntimeScene.h"
#include "host/AiSuites.h"
#include "host/HostMessages.h"

namespace {

using runtimetest::ExpectEachRecorded;
using runtimetest::Mistake;
using runtimetest::RuntimeScene;
using standin::ViolationKind;

constexpr const char* kMeasureTool = "Mor7Lant Barcode Measure Tool";
constexpr const char* kCreateTool = "Mor7Lant Barcode Create Tool";
constexpr const char* kThirdTool = "Third Tool";
constexpr std::int32_t kToolOptions = 0x10;
constexpr host::Icon kIcon{0x1234};
constexpr host::Icon kSecondIcon{0x5678};
constexpr std::uint64_t kNeverIssuedToken = 0x7FFF0042;

const host::AiToolSuite& Tools(RuntimeScene& scene) {
    return scene.Acquire<host::AiToolSuite>(host::kAiToolSuite);
}

host::Error AddTool(RuntimeScene& scene, const char* name, std::int32_t group, std::int32_t toolset,
                    host::Tool* tool) {
    const host::ToolData data{"Barcode messen", "Tipp", kIcon, group, toolset};
    return Tools(scene).AddTool(scene.host.Plugin(), name, &data, kToolOptions, tool);
}

std::int32_t NumberOf(RuntimeScene& scene, const char* name) {
    std::int32_t number = -1;
    EXPECT_EQ(Tools(scene).GetToolNumberFromName(name, &number), host::kNoError) << name;
    return number;
}

TEST(Tools, KeepWhatTheyWereAddedWith) {
    RuntimeScene scene;
    host::Tool tool;
    ASSERT_EQ(AddTool(scene, kMeasureTool, host::kToolNew, host::kToolNew, &tool), host::kNoError);
    ASSERT_EQ(Tools(scene).SetSecondIcon(tool, kSecondIcon), host::kNoError);
    const standin::ToolRecord* record = scene.host.Tools().FindTool(kMeasureTool);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->handle, tool);
    EXPECT_EQ(record->plugin, scene.host.Plugin());
    EXPECT_EQ(record->title, "Barcode messen");
    EXPECT_EQ(record->tip, "Tipp");
    EXPECT_EQ(record->icon, kIcon);
    EXPECT_EQ(record->secondIcon, kSecondIcon);
    EXPECT_EQ(record->options, kToolOptions);
    EXPECT_EQ(record->number, NumberOf(scene, kMeasureTool));

    std::int32_t untouched = -7;
    EXPECT_EQ(Tools(scene).GetToolNumberFromName(kCreateTool, &untouched), host::kErrorNotFound);
    EXPECT_EQ(untouched, -7);
    scene.ExpectBalancedAndClean();
}

// A new group; the create tool joining its group in the same or a toolset of
// its own; a third tool joining that group through either tool, in a toolset
// of its own or in a tool's toolset.
TEST(Tools, JoinTheGroupAndToolsetTheyAreGiven) {
    enum class Tool { kMeasure, kCreate, kNew };
    struct Case {
        const char* what;
        Tool createToolset;
        Tool thirdGroup;
        Tool thirdToolset;
        // The tool whose toolset each ends in.
        Tool createEndsIn;
        Tool thirdEndsIn;
    };
    const Case cases[] = {
        {"all in one toolset", Tool::kMeasure, Tool::kCreate, Tool::kCreate, Tool::kMeasure,
         Tool::kMeasure},
        {"create tool in a toolset of its own", Tool::kNew, Tool::kCreate, Tool::kCreate,
         Tool::kCreate, Tool::kCreate},
        {"third tool in a toolset of its own", Tool::kNew, Tool::kCreate, Tool::kNew, Tool::kCreate,
         Tool::kNew},
        {"third tool in the create tool's toolset, through the group's first tool", Tool::kNew,
         Tool::kMeasure, Tool::kCreate, Tool::kCreate, Tool::kCreate},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RuntimeScene scene;
        const auto number = [&scene](Tool tool) {
            return tool == Tool::kMeasure  ? NumberOf(scene, kMeasureTool)
                   : tool == Tool::kCreate ? NumberOf(scene, kCreateTool)
                                           : host::kToolNew;
        };
        host::Tool tool;
        ASSERT_EQ(AddTool(scene, kMeasureTool, host::kToolNew, host::kToolNew, &tool), 0);
        ASSERT_EQ(
            AddTool(scene, kCreateTool, number(Tool::kMeasure), number(c.createToolset), &tool), 0);
        ASSERT_EQ(AddTool(scene, kThirdTool, number(c.thirdGroup), number(c.thirdToolset), &tool),
                  0);

        const standin::ToolModel& model = scene.host.Tools();
        const standin::ToolRecord& measure = *model.FindTool(kMeasureTool);
        const standin::ToolRecord& create = *model.FindTool(kCreateTool);
        const standin::ToolRecord& third = *model.FindTool(kThirdTool);
        const auto toolsetOf = [&](Tool tool, const standin::ToolRecord& own) {
            return tool == Tool::kMeasure  ? measure.toolset
                   : tool == Tool::kCreate ? create.toolset
                                           : own.number;
        };
        EXPECT_NE(create.number, measure.number);
        EXPECT_EQ(measure.group, measure.number);
        EXPECT_EQ(measure.toolset, measure.number);
        EXPECT_EQ(create.group, measure.group);
        EXPECT_EQ(third.group, measure.group);
        EXPECT_EQ(create.toolset, toolsetOf(c.createEndsIn, create));
        EXPECT_EQ(third.toolset, toolsetOf(c.thirdEndsIn, third));
        EXPECT_NE(third.toolset == create.toolset, c.thirdEndsIn == Tool::kNew);
        scene.ExpectBalancedAndClean();
    }
}

TEST(Tools, RefuseMistakesAsViolations) {
    const Mistake cases[] = {
        {"existing toolset in a new group",
         [](RuntimeScene& s) {
             host::Tool tool;
             AddTool(s, kMeasureTool, host::kToolNew, host::kToolNew, &tool);
             return AddTool(s, kCreateTool, host::kToolNew, NumberOf(s, kMeasureTool), &tool);
         },
         ViolationKind::kBadArgument, host::kErrorBadArgument},
        {"group of no tool",
         [](RuntimeScene& s) {
             host::Tool tool;
             return AddTool(s, kCreateTool, 99, host::kToolNew, &tool);
         },
         ViolationKind::kBadArgument, host::kErrorBadArgument},
        {"toolset of another group",
         [](RuntimeScene& s) {
             host::Tool tool;
             AddTool(s, kMeasureTool, host::kToolNew, host::kToolNew, &tool);
             AddTool(s, kThirdTool, host::kToolNew, host::kToolNew, &tool);
             return AddTool(s, kCreateTool, NumberOf(s, kMeasureTool), NumberOf(s, kThirdTool),
                            &tool);
         },
         ViolationKind::kBadArgument, host::kErrorBadArgument},
        {"tool name twice",
         [](RuntimeScene& s) {
             host::Tool tool;
             AddTool(s, kMeasureTool, host::kToolNew, host::kToolNew, &tool);
             return AddTool(s, kMeasureTool, host::kToolNew, host::kToolNew, &tool);
         },
         ViolationKind::kBadArgument, host::kErrorBadArgument},
        {"tool without a title",
         [](RuntimeScene& s) {
             const host::ToolData data{nullptr, "Tipp", kIcon, host::kToolNew, host::kToolNew};
             host::Tool tool;
             return Tools(s).AddTool(s.host.Plugin(), kMeasureTool, &data, 0, &tool);
         },
         ViolationKind::kBadArgument, host::kErrorBadArgument},
        {"second icon of a tool never issued",
         [](RuntimeScene& s) {
             return Tools(s).SetSecondIcon(host::Tool{kNeverIssuedToken}, kSecondIcon);
         },
         ViolationKind::kForeignHandle, host::kErrorBadHandle},
    };
    ExpectEachRecorded(cases);
}

// Each of the seven selectors reaches the plug-in for the tool, with the
// point and the modifier word.
TEST(Tools, ReceiveTheSevenSelectorsWithPointAndModifiers) {
    const char* const selectors[] = {
        host::kSelectorEditOptions, host::kSelectorTrackCursor, host::kSelectorMouseDown,
        host::kSelectorMouseDrag,   host::kSelectorMouseUp,     host::kSelectorSelect,
        host::kSelectorDeselect,
    };
    constexpr std::uint32_t kModifiers[] = {0, host::kModifierShift};
    RuntimeScene scene;
    host::Tool tool;
    ASSERT_EQ(AddTool(scene, kMeasureTool, host::kToolNew, host::kToolNew, &tool), 0);
    float h = 0;
    for (const char* selector : selectors) {
        for (const std::uint32_t modifiers : kModifiers) {
            SCOPED_TRACE(std::string(selector) + " " + std::to_string(modifiers));
            const host::RealPoint point{h += 1.5f, -h};
            bool reached = false;
            scene.script = [&](const char* caller, const char* sent, void* message) {
                const auto& tm = *static_cast<const host::ToolMessage*>(message);
                EXPECT_STREQ(caller, host::kCallerTool);
                EXPECT_STREQ(sent, selector);
                EXPECT_EQ(tm.tool, tool);
                EXPECT_EQ(tm.cursor.h, point.h);
                EXPECT_EQ(tm.cursor.v, point.v);
                EXPECT_EQ(tm.modifiers, modifiers);
                reached = true;
                return 0;
            };
            EXPECT_EQ(scene.host.SendTool(kMeasureTool, selector, point, modifiers), 0);
            EXPECT_TRUE(reached);
        }
    }
    EXPECT_THROW(scene.host.SendTool(kCreateTool, host::kSelectorMouseDown), std::invalid_argument);
    scene.ExpectBalancedAndClean();
}

// The cursor a tool sets through the platform observer is the current one.
TEST(Tools, LeaveTheCursorTheyLastSet) {
    constexpr std::int32_t kMeasureCursor = RuntimeScene::kMeasureCursor;
    constexpr std::int32_t kCreateCursor = RuntimeScene::kCreateCursor;
    RuntimeScene scene;
    EXPECT_EQ(scene.host.Platform().CurrentCursor(), standin::PlatformRecorder::kNoCursor);
    ASSERT_NE(RuntimeScene::Observer(), nullptr);
    RuntimeScene::Observer()->SetCursor(&RuntimeScene::kModule, kMeasureCursor);
    RuntimeScene::Observer()->SetCursor(&RuntimeScene::kModule, kCreateCursor);
    RuntimeScene::Observer()->Beep();
    EXPECT_EQ(scene.host.Platform().CurrentCursor(), kCreateCursor);
    EXPECT_EQ(scene.host.Platform().Cursors(),
              (std::vector<std::int32_t>{kMeasureCursor, kCreateCursor}));
    EXPECT_EQ(scene.host.Platform().Beeps(), 1);
    scene.ExpectBalancedAndClean();

    const int otherModule = 0;
    RuntimeScene::Observer()->SetCursor(&otherModule, kMeasureCursor);
    EXPECT_EQ(scene.host.Platform().CurrentCursor(), kCreateCursor);
    EXPECT_EQ(scene.host.Core().GetViolations().Count(ViolationKind::kForeignHandle), 1u);

    // A cursor id the plug-in's resources do not have.
    RuntimeScene::Observer()->SetCursor(&RuntimeScene::kModule, kCreateCursor + 1);
    EXPECT_EQ(scene.host.Platform().CurrentCursor(), kCreateCursor);
    EXPECT_EQ(scene.host.Core().GetViolations().Count(ViolationKind::kBadArgument), 1u);
}

}  // namespace
