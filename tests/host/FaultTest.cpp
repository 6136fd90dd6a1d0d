#include <gtest/gtest.h>

#include <functional>

#include "HostScene.h"

namespace {

using hosttest::HostScene;

constexpr host::Error kInjected = host::FourCharCode("FAIL");
constexpr std::size_t kBlockBytes = 16;
constexpr const char* kPublishedName = "Own Suite";

struct Case {
    const char* what;
    std::function<void(standin::Faults&)> inject;
    std::function<host::Error(HostScene&)> call;
    host::Error answer;
    // What else must hold once the call failed.
    std::function<void(HostScene&)> check;
};

host::Error AllocateBlock(HostScene& s) {
    int untouched = 0;
    host::Block block = &untouched;
    const host::Error error = s.Acquire<host::SpBlocksSuite>(host::kSpBlocksSuite)
                                  ->AllocateBlock(kBlockBytes, "test", &block);
    EXPECT_TRUE(error == host::kNoError || block == &untouched);
    return error;
}

host::Error AcquireMenuSuite(HostScene& s) {
    const void* untouched = &s;
    const void* table = untouched;
    const host::Error error =
        s.Basic().AcquireSuite(host::kAiMenuSuite.name, s.VersionOf(host::kAiMenuSuite), &table);
    EXPECT_TRUE(error == host::kNoError || table == untouched);
    return error;
}

void NothingHeld(HostScene& s) {
    EXPECT_EQ(
        s.core.GetLedger().Acquisitions(host::kAiMenuSuite.name, s.VersionOf(host::kAiMenuSuite)),
        0);
    EXPECT_TRUE(s.core.GetLedger().LiveBlocks().empty());
}

// An injected failure is answered as arranged, holds nothing, leaves the
// caller's result alone and is no violation.
TEST(Faults, FailTheCallsTheyAreInjectedInto) {
    const Case cases[] = {
        {"missing suite", [](standin::Faults& f) { f.RemoveSuite(host::kAiMenuSuite.name); },
         AcquireMenuSuite, host::kErrorSuiteNotFound,
         [](HostScene& s) {
             NothingHeld(s);
             s.Acquire<void>(host::kAiToolSuite);
         }},
        {"failing acquisition",
         [](standin::Faults& f) {
             f.FailCall(host::kSpBasicSuite.name, "AcquireSuite", host::kErrorNoMemory);
         },
         AcquireMenuSuite, host::kErrorNoMemory, NothingHeld},
        {"failing release",
         [](standin::Faults& f) { f.FailRelease(host::kAiMenuSuite.name, kInjected); },
         [](HostScene& s) {
             s.Acquire<void>(host::kAiMenuSuite);
             return s.Release(host::kAiMenuSuite);
         },
         kInjected,
         [](HostScene& s) {
             EXPECT_FALSE(s.core.GetLedger().Balanced());
             s.core.GetFaults().Clear();
             EXPECT_EQ(s.Release(host::kAiMenuSuite), host::kNoError);
         }},
        {"failing block allocation",
         [](standin::Faults& f) {
             f.FailCall(host::kSpBlocksSuite.name, "AllocateBlock", host::kErrorNoMemory);
         },
         AllocateBlock, host::kErrorNoMemory, NothingHeld},
        {"allocation failing once",
         [](standin::Faults& f) {
             f.FailCall(host::kSpBlocksSuite.name, "AllocateBlock", kInjected, 1);
         },
         AllocateBlock, kInjected, [](HostScene& s) { EXPECT_EQ(AllocateBlock(s), 0); }},
        {"failing access",
         [](standin::Faults& f) {
             f.FailCall(host::kSpAccessSuite.name, "GetPluginAccess", kInjected);
         },
         [](HostScene& s) {
             host::Access access;
             return s.Acquire<host::SpAccessSuite>(host::kSpAccessSuite)
                 ->GetPluginAccess(s.plugin, &access);
         },
         kInjected, NothingHeld},
        {"refused publication",
         [](standin::Faults& f) { f.FailCall(host::kSpSuitesSuite.name, "AddSuite", kInjected); },
         [](HostScene& s) {
             static const int table = 0;
             return s.Acquire<host::SpSuitesSuite>(host::kSpSuitesSuite)
                 ->AddSuite({}, s.plugin, kPublishedName, 1, 1, &table, nullptr);
         },
         kInjected,
         [](HostScene& s) { EXPECT_EQ(s.core.FindPublished(kPublishedName, 1), nullptr); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HostScene scene;
        c.inject(scene.core.GetFaults());
        EXPECT_EQ(c.call(scene), c.answer);
        c.check(scene);
        EXPECT_TRUE(scene.core.GetViolations().Empty())
            << testing::PrintToString(scene.core.GetViolations().All());
    }
}

}  // namespace
