#include "Ledger.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "HostScene.h"

namespace {

using hosttest::HostScene;

constexpr std::size_t kPropertyBlockBytes = 48;

TEST(Ledger, BalancesNestedAcquisitionsOnlyWhenAllAreReleased) {
    HostScene scene;
    standin::Ledger& ledger = scene.core.GetLedger();
    const std::int32_t version = scene.VersionOf(host::kAiToolSuite);
    scene.Acquire<void>(host::kAiToolSuite);
    scene.Acquire<void>(host::kAiToolSuite);
    ASSERT_EQ(scene.Release(host::kAiToolSuite), host::kNoError);
    EXPECT_FALSE(ledger.Balanced());
    EXPECT_NE(ledger.Imbalance().find(host::kAiToolSuite.name), std::string::npos)
        << ledger.Imbalance();
    ASSERT_EQ(scene.Release(host::kAiToolSuite), host::kNoError);
    EXPECT_TRUE(ledger.Balanced()) << ledger.Imbalance();
    EXPECT_EQ(ledger.Acquisitions(host::kAiToolSuite.name, version), 2);
    EXPECT_EQ(ledger.Releases(host::kAiToolSuite.name, version), 2);
}

TEST(Ledger, CountsPluginAccessAcquiredNotLookedUp) {
    HostScene scene;
    const auto* access = scene.Acquire<host::SpAccessSuite>(host::kSpAccessSuite);
    host::Access mine;
    ASSERT_EQ(access->GetPluginAccess(scene.plugin, &mine), host::kNoError);
    EXPECT_EQ(scene.core.GetLedger().AccessHeld(scene.plugin), 0);

    host::Access held;
    ASSERT_EQ(access->AcquirePlugin(scene.plugin, &held), host::kNoError);
    ASSERT_EQ(access->AcquirePlugin(scene.plugin, &held), host::kNoError);
    ASSERT_EQ(access->ReleasePlugin(held), host::kNoError);
    EXPECT_EQ(scene.core.GetLedger().AccessHeld(scene.plugin), 1);
    EXPECT_NE(scene.core.GetLedger().Imbalance().find("access held 1 times"), std::string::npos);

    ASSERT_EQ(access->ReleasePlugin(held), host::kNoError);
    scene.Release(host::kSpAccessSuite);
    EXPECT_TRUE(scene.core.GetLedger().Balanced()) << scene.core.GetLedger().Imbalance();
    EXPECT_TRUE(scene.core.GetViolations().Empty());
}

TEST(Ledger, HandsBackThePluginsModule) {
    HostScene scene;
    const auto* access = scene.Acquire<host::SpAccessSuite>(host::kSpAccessSuite);
    host::Access mine;
    host::Module module = nullptr;
    ASSERT_EQ(access->GetPluginAccess(scene.plugin, &mine), host::kNoError);
    ASSERT_EQ(access->GetPlatformResourceAccess(mine, &module), host::kNoError);
    EXPECT_EQ(module, &HostScene::kModule);
    scene.Release(host::kSpAccessSuite);
}

TEST(Ledger, KeepsLiveBlocksPoisonedAndNamed) {
    HostScene scene;
    const auto* blocks = scene.Acquire<host::SpBlocksSuite>(host::kSpBlocksSuite);
    host::Block block = nullptr;
    ASSERT_EQ(blocks->AllocateBlock(kPropertyBlockBytes, "properties", &block), host::kNoError);
    ASSERT_NE(block, nullptr);
    const auto* bytes = static_cast<const std::byte*>(block);
    for (std::size_t i = 0; i < kPropertyBlockBytes; ++i) {
        ASSERT_EQ(bytes[i], standin::Ledger::kNewBlockPoison) << "byte " << i;
    }

    standin::Ledger& ledger = scene.core.GetLedger();
    ASSERT_EQ(ledger.LiveBlocks().size(), 1u);
    EXPECT_EQ(ledger.LiveBlocks()[0].address, block);
    EXPECT_EQ(ledger.LiveBlocks()[0].size, kPropertyBlockBytes);
    EXPECT_EQ(ledger.LiveBlocks()[0].debugName, "properties");
    scene.Release(host::kSpBlocksSuite);
    EXPECT_NE(ledger.Imbalance().find("properties"), std::string::npos) << ledger.Imbalance();

    ASSERT_EQ(blocks->FreeBlock(block), host::kNoError);
    EXPECT_TRUE(ledger.LiveBlocks().empty());
    EXPECT_TRUE(ledger.Balanced()) << ledger.Imbalance();
}

// A freed address is never handed out again, so freeing it a second time is
// caught instead of freeing someone else's block.
TEST(Ledger, NeverReusesAFreedAddress) {
    HostScene scene;
    const auto* blocks = scene.Acquire<host::SpBlocksSuite>(host::kSpBlocksSuite);
    host::Block first = nullptr;
    host::Block second = nullptr;
    ASSERT_EQ(blocks->AllocateBlock(kPropertyBlockBytes, "first", &first), host::kNoError);
    ASSERT_EQ(blocks->FreeBlock(first), host::kNoError);
    ASSERT_EQ(blocks->AllocateBlock(kPropertyBlockBytes, "second", &second), host::kNoError);
    EXPECT_NE(first, second);

    EXPECT_EQ(blocks->FreeBlock(first), host::kErrorBadHandle);
    ASSERT_EQ(scene.core.GetLedger().LiveBlocks().size(), 1u);
    EXPECT_EQ(scene.core.GetLedger().LiveBlocks()[0].address, second);
    EXPECT_EQ(blocks->FreeBlock(second), host::kNoError);
    scene.Release(host::kSpBlocksSuite);
}

}  // namespace
