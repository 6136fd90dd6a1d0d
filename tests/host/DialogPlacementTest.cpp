#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "DialogScene.h"

namespace {

using dialogtest::DialogScene;

constexpr std::int32_t kLeft = 100;
constexpr std::int32_t kTop = 200;
constexpr std::int32_t kDockCode = 0x10201;
constexpr std::size_t kGroupBytes = 64;

host::Rect Bounds(DialogScene& scene, host::Dialog dialog) {
    host::Rect bounds{};
    scene.dialog_->GetBoundsRect(dialog, &bounds);
    return bounds;
}

void ExpectBounds(const host::Rect& bounds, std::int32_t left, std::int32_t top, std::int32_t right,
                  std::int32_t bottom) {
    EXPECT_EQ(bounds.left, left);
    EXPECT_EQ(bounds.top, top);
    EXPECT_EQ(bounds.right, right);
    EXPECT_EQ(bounds.bottom, bottom);
}

// A dialog's bounds hold its content and a title bar of 31 points; a size
// saved as (width, height - 31) and set again gives the same bounds.
TEST(DialogPlacement, ASavedSizeComesBackExactly) {
    struct Case {
        std::int32_t width;
        std::int32_t height;
    };
    const Case cases[] = {{300, 469}, {0, 0}, {dialogtest::kKindsWidth, dialogtest::kKindsHeight}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        DialogScene scene(&dialogtest::TestModule());
        const host::Dialog dialog = scene.Floating(dialogtest::kKindsDialog);
        ExpectBounds(Bounds(scene, dialog), 0, 0, dialogtest::kKindsWidth,
                     dialogtest::kKindsHeight + host::kDialogTitleBarHeight);
        scene.dialog_->Move(dialog, kLeft, kTop);
        scene.dialog_->Size(dialog, c.width, c.height);
        const host::Rect sized = Bounds(scene, dialog);
        ExpectBounds(sized, kLeft, kTop, kLeft + c.width,
                     kTop + c.height + host::kDialogTitleBarHeight);
        scene.dialog_->Size(dialog, sized.right - sized.left,
                            sized.bottom - sized.top - host::kDialogTitleBarHeight);
        ExpectBounds(Bounds(scene, dialog), sized.left, sized.top, sized.right, sized.bottom);
        scene.dialog_->Move(dialog, 0, 0);
        ExpectBounds(Bounds(scene, dialog), 0, 0, c.width, c.height + host::kDialogTitleBarHeight);
        scene.dialog_->Destroy(dialog);
        scene.ExpectCleanEnd();
    }
}

TEST(DialogPlacement, ANegativeSizeIsRefused) {
    DialogScene scene(&dialogtest::TestModule());
    const host::Dialog dialog = scene.Floating(dialogtest::kKindsDialog);
    scene.dialog_->Size(dialog, -99, -99);
    ExpectBounds(Bounds(scene, dialog), 0, 0, dialogtest::kKindsWidth,
                 dialogtest::kKindsHeight + host::kDialogTitleBarHeight);
    scene.ExpectOneViolation(standin::ViolationKind::kBadArgument, "ADM Dialog Suite Size");
    scene.dialog_->Destroy(dialog);
    scene.ExpectCleanEnd();
}

// A floating dialog opens hidden; the plug-in shows and hides it.
TEST(DialogPlacement, ShowAndHide) {
    DialogScene scene(&dialogtest::TestModule());
    const host::Dialog dialog = scene.Floating(dialogtest::kKindsDialog);
    EXPECT_FALSE(scene.dialog_->IsVisible(dialog));
    scene.dialog_->Show(dialog, true);
    EXPECT_TRUE(scene.dialog_->IsVisible(dialog));
    EXPECT_TRUE(scene.dialogs.View(dialog).visible);
    scene.dialog_->Show(dialog, false);
    EXPECT_FALSE(scene.dialog_->IsVisible(dialog));
    scene.dialog_->Destroy(dialog);
    scene.ExpectCleanEnd();
}

// Each dialog has its dock group and code; an undocked one answers "" and
// -1, or fails when the host is told to.
TEST(DialogPlacement, DockGroupsPerDialog) {
    struct Case {
        const char* what;
        const char* group;  // set when not null
        bool failUndocked;
        std::size_t size;
        host::Error answer;
        const char* groupSeen;
        std::int32_t codeSeen;
    };
    const Case cases[] = {
        {"undocked", nullptr, false, kGroupBytes, host::kNoError, "", host::kDockCodeUndocked},
        {"undocked, the query failing", nullptr, true, kGroupBytes, host::kErrorNotFound, "keep",
         7},
        {"docked", "Strivelo Gruppe", false, kGroupBytes, host::kNoError, "Strivelo Gruppe",
         kDockCode},
        {"docked, the query failing for undocked ones", "Strivelo Gruppe", true, kGroupBytes,
         host::kNoError, "Strivelo Gruppe", kDockCode},
        {"a group name without room", "Strivelo Gruppe", false, 8, host::kErrorTextTooLong, "keep",
         7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DialogScene scene(&dialogtest::TestModule());
        scene.dialogs.FailGroupQueryWhenUndocked(c.failUndocked);
        const host::Dialog dialog = scene.Floating(dialogtest::kKindsDialog);
        const host::Dialog other = scene.Floating(dialogtest::kKindsDialog);
        if (c.group != nullptr) {
            EXPECT_EQ(scene.group_->SetDialogGroupInfo(dialog, c.group, kDockCode), host::kNoError);
        }
        char group[kGroupBytes] = "keep";
        std::int32_t code = 7;
        EXPECT_EQ(scene.group_->GetDialogGroupInfo(dialog, group, c.size, &code), c.answer);
        EXPECT_STREQ(group, c.groupSeen);
        EXPECT_EQ(code, c.codeSeen);
        EXPECT_EQ(scene.dialogs.View(other).dockCode, host::kDockCodeUndocked);
        scene.dialog_->Destroy(dialog);
        scene.dialog_->Destroy(other);
        scene.ExpectCleanEnd();
    }
}

TEST(DialogPlacement, TheScreenAsTheTestSetsIt) {
    DialogScene scene;
    host::Rect screen{};
    scene.basic_->GetScreenDimensions(&screen);
    EXPECT_GT(screen.right - screen.left, 0);
    EXPECT_GT(screen.bottom - screen.top, 0);
    scene.dialogs.SetScreen({0, 0, 800, 600});
    scene.basic_->GetScreenDimensions(&screen);
    ExpectBounds(screen, 0, 0, 800, 600);
    scene.ExpectCleanEnd();
}

std::vector<std::string> gNotified;
const DialogScene* gScene = nullptr;

void RecordDialogNotify(host::Dialog dialog, host::AdmNotifier notifier) {
    gScene->dialog_->DefaultNotify(dialog, notifier);
    gNotified.push_back(dialogtest::TypeOf(*gScene, notifier));
}

// A dialog is never smaller than its minimum size, and hears "ADM Bounds
// Changed Notifier" whenever its size changes, whoever changes it. Steps on
// one shown dialog of 240 x 200.
TEST(DialogPlacement, MinimumSizeAndBoundsChanged) {
    struct Step {
        const char* what;
        std::function<void(DialogScene&, host::Dialog)> act;
        std::int32_t width;
        std::int32_t height;
        std::size_t notified;  // so far
    };
    const Step steps[] = {
        {"a larger minimum width",
         [](DialogScene& s, host::Dialog d) { s.dialog_->SetMinWidth(d, 300); }, 300, 200, 1},
        {"a smaller minimum height",
         [](DialogScene& s, host::Dialog d) { s.dialog_->SetMinHeight(d, 100); }, 300, 200, 1},
        {"sized below the minimum",
         [](DialogScene& s, host::Dialog d) { s.dialog_->Size(d, 100, 50); }, 300, 100, 2},
        {"sized to its size", [](DialogScene& s, host::Dialog d) { s.dialog_->Size(d, 300, 100); },
         300, 100, 2},
        {"moved", [](DialogScene& s, host::Dialog d) { s.dialog_->Move(d, 10, 20); }, 300, 100, 2},
        {"resized by the user",
         [](DialogScene& s, host::Dialog d) { EXPECT_TRUE(s.dialogs.UserResize(d, 400, 80)); }, 400,
         100, 3},
    };
    DialogScene scene(&dialogtest::TestModule());
    gScene = &scene;
    gNotified.clear();
    const host::Dialog dialog = scene.Shown(dialogtest::kKindsDialog);
    scene.dialog_->SetNotifyProc(dialog, &RecordDialogNotify);
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act(scene, dialog);
        host::Rect local{};
        scene.dialog_->GetLocalRect(dialog, &local);
        ExpectBounds(local, 0, 0, step.width, step.height);
        const host::Rect bounds = Bounds(scene, dialog);
        EXPECT_EQ(bounds.right - bounds.left, step.width);
        EXPECT_EQ(bounds.bottom - bounds.top, step.height + host::kDialogTitleBarHeight);
        EXPECT_EQ(gNotified.size(), step.notified);
    }
    EXPECT_EQ(gNotified, std::vector<std::string>(3, host::kAdmBoundsChangedNotifier));
    const standin::DialogSnapshot view = scene.dialogs.View(dialog);
    EXPECT_EQ(view.minWidth, 300);
    EXPECT_EQ(view.minHeight, 100);
    EXPECT_EQ(view.defaults.notify, 3);
    scene.dialog_->SetMinHeight(dialog, -1);
    scene.ExpectOneViolation(standin::ViolationKind::kBadArgument, "ADM Dialog Suite SetMinHeight");
    scene.dialog_->Destroy(dialog);
    scene.ExpectCleanEnd();
}

// The user's close box hides a palette, which stays for the plug-in to show
// again; the user reaches neither a hidden palette's close box nor its size.
TEST(DialogPlacement, TheCloseBoxHidesAPalette) {
    DialogScene scene(&dialogtest::TestModule());
    const host::Dialog dialog = scene.Shown(dialogtest::kKindsDialog);
    EXPECT_TRUE(scene.dialogs.UserClose(dialog));
    EXPECT_FALSE(scene.dialog_->IsVisible(dialog));
    EXPECT_EQ(scene.dialogs.FindDialog("Palette"), dialog);
    EXPECT_FALSE(scene.dialogs.UserClose(dialog));
    EXPECT_FALSE(scene.dialogs.UserResize(dialog, 300, 300));
    scene.dialog_->Show(dialog, true);
    EXPECT_TRUE(scene.dialogs.View(dialog).visible);
    scene.dialog_->Destroy(dialog);
    scene.ExpectCleanEnd();
}

}  // namespace
