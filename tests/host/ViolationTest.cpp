#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "HandleTable.h"
#include "HostScene.h"

namespace {

using hosttest::HostScene;
using standin::ViolationKind;

constexpr std::size_t kBlockBytes = 16;
constexpr std::uint64_t kNeverIssuedToken = 0x7FFF0042;

host::Block NewBlock(HostScene& scene) {
    host::Block block = nullptr;
    scene.Acquire<host::SpBlocksSuite>(host::kSpBlocksSuite)
        ->AllocateBlock(kBlockBytes, "test", &block);
    return block;
}

const host::SpAccessSuite& AccessSuite(HostScene& scene) {
    return *scene.Acquire<host::SpAccessSuite>(host::kSpAccessSuite);
}

const host::SpSuitesSuite& SuitesSuite(HostScene& scene) {
    return *scene.Acquire<host::SpSuitesSuite>(host::kSpSuitesSuite);
}

struct Case {
    const char* what;
    std::function<host::Error(HostScene&)> act;
    ViolationKind kind;
    host::Error answer;
};

// Each mistake is answered with an error and recorded exactly once; nothing
// crashes.
TEST(Violations, AreRecordedForEveryKindOfMistake) {
    static const int kTable = 0;
    const Case cases[] = {
        {"release of a suite never acquired",
         [](HostScene& s) { return s.Release(host::kAiMenuSuite); },
         ViolationKind::kReleaseNotAcquired, host::kErrorNotAcquired},
        {"one release more than acquisitions",
         [](HostScene& s) {
             s.Acquire<void>(host::kAiMenuSuite);
             s.Release(host::kAiMenuSuite);
             return s.Release(host::kAiMenuSuite);
         },
         ViolationKind::kReleaseNotAcquired, host::kErrorNotAcquired},
        {"release at another version than acquired",
         [](HostScene& s) {
             s.Acquire<void>(host::kSpBlocksSuite);
             return s.Basic().ReleaseSuite(host::kSpBlocksSuite.name,
                                           s.VersionOf(host::kSpBlocksSuite) - 1);
         },
         ViolationKind::kReleaseNotAcquired, host::kErrorNotAcquired},
        {"plug-in access released but only looked up",
         [](HostScene& s) {
             host::Access access;
             AccessSuite(s).GetPluginAccess(s.plugin, &access);
             return AccessSuite(s).ReleasePlugin(access);
         },
         ViolationKind::kReleaseNotAcquired, host::kErrorNotAcquired},
        {"block freed twice",
         [](HostScene& s) {
             const host::Block block = NewBlock(s);
             s.Acquire<host::SpBlocksSuite>(host::kSpBlocksSuite)->FreeBlock(block);
             return s.Acquire<host::SpBlocksSuite>(host::kSpBlocksSuite)->FreeBlock(block);
         },
         ViolationKind::kDoubleFree, host::kErrorBadHandle},
        {"address inside a block",
         [](HostScene& s) {
             auto* inside = static_cast<char*>(NewBlock(s)) + 1;
             return s.Acquire<host::SpBlocksSuite>(host::kSpBlocksSuite)->FreeBlock(inside);
         },
         ViolationKind::kForeignHandle, host::kErrorBadHandle},
        {"null block freed",
         [](HostScene& s) {
             return s.Acquire<host::SpBlocksSuite>(host::kSpBlocksSuite)->FreeBlock(nullptr);
         },
         ViolationKind::kForeignHandle, host::kErrorBadHandle},
        {"plug-in reference never issued",
         [](HostScene& s) {
             host::Access access;
             return AccessSuite(s).AcquirePlugin(host::PluginRef{kNeverIssuedToken}, &access);
         },
         ViolationKind::kForeignHandle, host::kErrorBadHandle},
        {"access of no plug-in",
         [](HostScene& s) {
             host::Module module;
             return AccessSuite(s).GetPlatformResourceAccess(host::Access{}, &module);
         },
         ViolationKind::kForeignHandle, host::kErrorBadHandle},
        {"plug-in reference kept from another host",
         [](HostScene& s) {
             host::PluginRef kept;
             {
                 standin::HostCore other(host::Generation::kCs3);
                 kept = other.AddPlugin(nullptr);
             }
             host::Access access;
             return AccessSuite(s).GetPluginAccess(kept, &access);
         },
         ViolationKind::kStaleHandle, host::kErrorBadHandle},
        {"suite name not served",
         [](HostScene& s) {
             const void* table = nullptr;
             return s.Basic().AcquireSuite("AI Nonexistent Suite", 1, &table);
         },
         ViolationKind::kUnknownSuite, host::kErrorSuiteNotFound},
        {"null result of an acquisition",
         [](HostScene& s) {
             return s.Basic().AcquireSuite(host::kAiMenuSuite.name, s.VersionOf(host::kAiMenuSuite),
                                           nullptr);
         },
         ViolationKind::kBadArgument, host::kErrorBadArgument},
        {"null text compared",
         [](HostScene& s) {
             return s.Basic().IsEqual(nullptr, "AI Go") ? host::kNoError : host::kErrorBadArgument;
         },
         ViolationKind::kBadArgument, host::kErrorBadArgument},
        {"suite published twice",
         [](HostScene& s) {
             SuitesSuite(s).AddSuite({}, s.plugin, "Own Suite", 1, 1, &kTable, nullptr);
             return SuitesSuite(s).AddSuite({}, s.plugin, "Own Suite", 1, 1, &kTable, nullptr);
         },
         ViolationKind::kBadArgument, host::kErrorBadArgument},
        {"suite of the table published",
         [](HostScene& s) {
             return SuitesSuite(s).AddSuite({}, s.plugin, host::kAiArtSuite.name, 1, 1, &kTable,
                                            nullptr);
         },
         ViolationKind::kBadArgument, host::kErrorBadArgument},
        {"suite published to a list",
         [](HostScene& s) {
             return SuitesSuite(s).AddSuite(host::SuiteList{kNeverIssuedToken}, s.plugin,
                                            "Own Suite", 1, 1, &kTable, nullptr);
         },
         ViolationKind::kForeignHandle, host::kErrorBadHandle},
        {"stub of an unloaded suite reached",
         [](HostScene& s) {
             s.Basic().Undefined();
             return host::kNoError;
         },
         ViolationKind::kUndefinedCalled, host::kNoError},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HostScene scene;
        EXPECT_EQ(c.act(scene), c.answer);
        const auto& all = scene.core.GetViolations().All();
        ASSERT_EQ(all.size(), 1u) << testing::PrintToString(all);
        EXPECT_EQ(all[0].kind, c.kind) << all[0];
    }
}

struct Record {
    int value;
};
using Table = standin::HandleTable<host::Item, Record>;

struct HandleCase {
    const char* what;
    // Prepares the table and gives the handle to check.
    std::function<host::Item(Table&)> prepare;
    bool retire;  // retire the handle rather than find it
    ViolationKind kind;
};

TEST(HandleTable, RefusesHandlesThatAreNotLive) {
    const auto destroyed = [](Table& t) {
        const host::Item item = t.Issue({1});
        t.Retire(item, "setup");
        return item;
    };
    const auto destroyedAndReused = [destroyed](Table& t) {
        const host::Item item = destroyed(t);
        t.Issue({2});
        return item;
    };
    const HandleCase cases[] = {
        {"destroyed object", destroyed, false, ViolationKind::kStaleHandle},
        {"destroyed twice", destroyed, true, ViolationKind::kDoubleFree},
        {"destroyed object whose slot is reused", destroyedAndReused, false,
         ViolationKind::kStaleHandle},
        {"destroyed again after its slot is reused", destroyedAndReused, true,
         ViolationKind::kStaleHandle},
        {"null handle", [](Table&) { return host::Item{}; }, false, ViolationKind::kForeignHandle},
        {"beyond every slot",
         [](Table& t) {
             t.Issue({1});
             return host::Item{kNeverIssuedToken};
         },
         false, ViolationKind::kForeignHandle},
        {"handle of another table",
         [](Table& t) {
             standin::Violations elsewhere;
             Table other(elsewhere, "item");
             t.Issue({1});
             return other.Issue({1});
         },
         false, ViolationKind::kStaleHandle},
    };
    for (const HandleCase& c : cases) {
        SCOPED_TRACE(c.what);
        standin::Violations violations;
        Table table(violations, "item");
        const host::Item item = c.prepare(table);
        violations.Clear();
        if (c.retire) {
            EXPECT_FALSE(table.Retire(item, "check"));
        } else {
            EXPECT_EQ(table.Find(item, "check"), nullptr);
        }
        ASSERT_EQ(violations.All().size(), 1u);
        EXPECT_EQ(violations.All()[0].kind, c.kind) << violations.All()[0];
    }
}

TEST(HandleTable, FindsLiveObjectsAfterSlotReuse) {
    standin::Violations violations;
    Table table(violations, "item");
    const host::Item first = table.Issue({1});
    const host::Item second = table.Issue({2});
    ASSERT_TRUE(table.Retire(first, "destroy"));
    const host::Item third = table.Issue({3});
    EXPECT_NE(third, first);
    ASSERT_NE(table.Find(second, "find"), nullptr);
    ASSERT_NE(table.Find(third, "find"), nullptr);
    EXPECT_EQ(table.Find(second, "find")->value, 2);
    EXPECT_EQ(table.Find(third, "find")->value, 3);
    EXPECT_EQ(table.LiveCount(), 2u);
    EXPECT_TRUE(violations.Empty());
}

}  // namespace

// Beyond the 16-bit counts of a narrower token: every object keeps its own
// token however many live at once, and a token kept through many makes and
// destroys in the same slot never finds a later object.
TEST(HandleTable, NeverGivesATokenToASecondObject) {
    constexpr int kObjects = 70000;
    standin::Violations violations;
    Table table(violations, "item");
    std::vector<host::Item> live;
    for (int i = 0; i < kObjects; ++i) {
        live.push_back(table.Issue({i}));
    }
    for (int i = 0; i < kObjects; ++i) {
        ASSERT_NE(table.Peek(live[i]), nullptr) << i;
        ASSERT_EQ(table.Peek(live[i])->value, i);
    }
    std::vector<host::Item> kept;
    for (int i = 0; i < kObjects; ++i) {
        kept.push_back(table.Issue({-i}));
        ASSERT_TRUE(table.Retire(kept.back(), "destroy"));
    }
    const host::Item last = table.Issue({kObjects});
    for (const host::Item item : kept) {
        ASSERT_EQ(table.Peek(item), nullptr) << item.token;
    }
    EXPECT_EQ(table.Peek(last)->value, kObjects);
    EXPECT_EQ(table.Find(kept.front(), "kept"), nullptr);
    ASSERT_EQ(violations.All().size(), 1u);
    EXPECT_EQ(violations.All()[0].kind, ViolationKind::kStaleHandle);
}
