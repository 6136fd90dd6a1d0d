// The plug-in object before its start-up completed: every operation but
// start-up answers 0 and leaves the host and the plug-in's state alone.
#include <gtest/gtest.h>

#include "BarcodeDialog.h"
#include "BarcodeFourCC.h"
#include "BarcodePlugin.h"
#include "BarcodeProcessorRegistry.h"
#include "CheckDialog.h"
#include "CreationScene.h"
#include "M7LSuiteProperty.h"

namespace {

TEST(BarcodePlugin, DoesNothingBeforeItsStartup) {
    creationtest::CreationScene scene;
    BarcodePlugin plugin;
    const host::MessageHeader header{scene.host.Plugin(), scene.host.Core().GetBasicSuite()};
    host::InterfaceMessage interface { header };
    host::NotifierMessage notifier{};
    notifier.header = header;
    host::AccessMessage access{};
    access.header = header;

    EXPECT_EQ(plugin.PostStartup(&interface), host::kNoError);
    EXPECT_EQ(plugin.ApplicationStarted(&notifier), host::kNoError);
    EXPECT_EQ(plugin.About(), host::kNoError);
    EXPECT_EQ(plugin.Unload(&access), host::kNoError);
    EXPECT_EQ(plugin.Reload(&access), host::kNoError);
    EXPECT_EQ(plugin.Shutdown(&interface), host::kNoError);

    EXPECT_EQ(gBarcodeDialog, nullptr);
    EXPECT_EQ(gCheckDialog, nullptr);
    EXPECT_TRUE(scene.dialogs.Dialogs().empty());
    EXPECT_TRUE(scene.dialogs.ModalLog().empty());
    // Shutdown left the symbologies registered.
    EXPECT_NE(Strivelo::CreateByType(Strivelo::FourCC("ean8")), nullptr);
    // Nothing was published.
    const void* suite = nullptr;
    EXPECT_EQ(header.basic->AcquireSuite(kStriveloSuiteName, kStriveloSuiteVersion, &suite),
              host::kErrorSuiteNotFound);
    EXPECT_EQ(scene.host.Core().GetViolations().Count(standin::ViolationKind::kUnknownSuite), 1u);
    scene.host.Core().GetViolations().Clear();
    scene.ExpectBalancedAndClean();
}

}  // namespace
