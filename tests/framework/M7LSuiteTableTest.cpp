#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "HostChecks.h"
#include "HostScene.h"
#include "M7LSuiteTable.h"

namespace {

using frameworktest::ExpectBalancedAndClean;
using hosttest::HostScene;

constexpr host::Error kFailure = host::FourCharCode("FAIL");
constexpr host::Error kOtherFailure = host::FourCharCode("FAL2");

// The suites that the older generation asks for at a lower version.
const std::set<std::string_view> kLoweredInCs2 = {
    "ADM Dialog Suite",   "ADM Drawer Suite",  "ADM Tracker Suite",
    "AI Art Suite",       "AI Document Suite", "AI Document View Suite",
    "AI File Path Suite", "AI Path Suite",     "AI Path Style Suite",
    "AI Runtime Suite",   "AI Tool Suite",     "AI Unicode String Suite",
    "AI User Suite",      "AI Font Suite",
};

host::Generation Other(host::Generation generation) {
    return generation == host::Generation::kCs3 ? host::Generation::kCs2 : host::Generation::kCs3;
}

const M7LSuiteEntry& Row(std::string_view name) {
    for (const M7LSuiteEntry& entry : gSuiteTable) {
        if (entry.name == name) {
            return entry;
        }
    }
    throw std::invalid_argument("no suite " + std::string(name));
}

int Acquisitions(HostScene& scene, const M7LSuiteEntry& entry) {
    return scene.core.GetLedger().Acquisitions(entry.name, entry.version);
}

int Releases(HostScene& scene, const M7LSuiteEntry& entry) {
    return scene.core.GetLedger().Releases(entry.name, entry.version);
}

// Every suite acquired and released that often.
void ExpectCounts(HostScene& scene, int acquired, int released) {
    for (const M7LSuiteEntry& entry : gSuiteTable) {
        EXPECT_EQ(Acquisitions(scene, entry), acquired) << entry.name;
        EXPECT_EQ(Releases(scene, entry), released) << entry.name;
    }
}

// One acquisition and release of the table, leaving the pointers set to
// tables that are no longer held.
void Cycle(HostScene& scene) {
    ASSERT_EQ(AcquireSuites(&scene.Basic()), host::kNoError);
    ASSERT_EQ(ReleaseSuites(&scene.Basic()), host::kNoError);
}

// The pointer's name for a suite: the family word as in "Adm", the other
// words as they stand, without " Suite" and hyphens.
std::string PointerName(std::string_view suite) {
    suite.remove_suffix(std::string_view(" Suite").size());
    std::string name;
    bool familyWord = true;
    for (const char c : suite) {
        if (c == ' ') {
            familyWord = false;
        } else if (c != '-') {
            name += familyWord && !name.empty() ? static_cast<char>(std::tolower(c)) : c;
        }
    }
    return name;
}

// The parameter is the generation the table was built for, so the names of
// the tests tell the two programs apart.
class SuiteTable : public ::testing::TestWithParam<host::Generation> {
protected:
    // Each test starts with nothing held, as after "Reload".
    void SetUp() override { gSuiteNestingCounter = 0; }
};

TEST_P(SuiteTable, GivesEachPointerTheSuiteItIsNamedAfter) {
    struct Pointer {
        std::string_view name;
        const void* const* table;
    };
#define M7L_LISTED_POINTER(suite) Pointer{#suite, &s##suite.table},
    const Pointer pointers[] = {M7L_SUITE_LIST(M7L_LISTED_POINTER)};
#undef M7L_LISTED_POINTER

    HostScene scene(GetParam());
    ASSERT_EQ(AcquireSuites(&scene.Basic()), host::kNoError);
    std::set<std::string_view> named;
    for (const Pointer& pointer : pointers) {
        for (const host::SuiteVersions& suite : host::kSuiteTable) {
            if (PointerName(suite.name) != pointer.name) {
                continue;
            }
            named.insert(suite.name);
            EXPECT_EQ(scene.core.GetLedger().Acquisitions(suite.name, scene.VersionOf(suite)), 1)
                << suite.name;
            EXPECT_EQ(*pointer.table, scene.Acquire<void>(suite)) << suite.name;
            EXPECT_EQ(scene.Release(suite), host::kNoError);
        }
    }
    EXPECT_EQ(named.size(), host::kSuiteCount);
    EXPECT_EQ(ReleaseSuites(&scene.Basic()), host::kNoError);
    ExpectBalancedAndClean(scene.core);
}

TEST_P(SuiteTable, AcquiresNestedHoldsOnceAndReleasesWhenTheOuterEnds) {
    struct Step {
        const char* what;
        std::function<host::Error(const host::SpBasicSuite*)> call;
        std::uint16_t counter;
        int acquired;
        int released;
    };
    const Step steps[] = {
        {"outer message", AcquireSuites, 1, 1, 0},
        {"nested message", AcquireSuites, 2, 1, 0},
        {"nested message ends", ReleaseSuites, 1, 1, 0},
        {"outer message ends", ReleaseSuites, 0, 1, 1},
    };
    HostScene scene(GetParam());
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        EXPECT_EQ(step.call(&scene.Basic()), host::kNoError);
        EXPECT_EQ(gSuiteNestingCounter, step.counter);
        ExpectCounts(scene, step.acquired, step.released);
    }
    ExpectBalancedAndClean(scene.core);
}

TEST_P(SuiteTable, AcquiresAllOthersWhenSuitesFailAndAnswersTheLastFailure) {
    struct Case {
        const char* what;
        std::vector<std::string_view> missing;
        // The first acquisition, of the first row, fails with another code.
        bool firstFails;
    };
    const Case cases[] = {
        {"first row missing", {"ADM Basic Suite"}, false},
        {"a text engine suite missing", {"ATE Story Suite"}, false},
        {"last row missing", {"SP Suites Suite"}, false},
        {"two missing", {"ADM Dialog Suite", "AI Font Suite"}, false},
        {"the first row fails, a later one is missing", {"AI Tool Suite"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HostScene scene(GetParam());
        Cycle(scene);
        std::set<std::string_view> failing(c.missing.begin(), c.missing.end());
        for (const std::string_view name : c.missing) {
            scene.core.GetFaults().RemoveSuite(name);
        }
        if (c.firstFails) {
            scene.core.GetFaults().FailCall(host::kSpBasicSuite.name, "AcquireSuite", kFailure, 1);
            failing.insert(gSuiteTable.front().name);
        }

        EXPECT_EQ(AcquireSuites(&scene.Basic()), host::kErrorSuiteNotFound);
        EXPECT_EQ(gSuiteNestingCounter, 1);
        for (const M7LSuiteEntry& entry : gSuiteTable) {
            const bool failed = failing.contains(entry.name);
            EXPECT_EQ(*entry.target == nullptr, failed) << entry.name;
            EXPECT_EQ(Acquisitions(scene, entry), failed ? 1 : 2) << entry.name;
        }

        EXPECT_EQ(ReleaseSuites(&scene.Basic()), host::kNoError);
        EXPECT_EQ(gSuiteNestingCounter, 0);
        ExpectBalancedAndClean(scene.core);
    }
}

TEST_P(SuiteTable, ReleasesAllOthersWhenReleasesFailAndAnswersTheFirstFailure) {
    struct FailingRelease {
        std::string_view name;
        host::Error code;
    };
    struct Case {
        const char* what;
        std::vector<FailingRelease> failing;  // in the order they are arranged
        host::Error result;
    };
    const Case cases[] = {
        {"one", {{"AI Menu Suite", kFailure}}, kFailure},
        {"two, arranged against table order",
         {{"SP Blocks Suite", kOtherFailure}, {"AI Layer Suite", kFailure}},
         kFailure},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HostScene scene(GetParam());
        ASSERT_EQ(AcquireSuites(&scene.Basic()), host::kNoError);
        for (const FailingRelease& release : c.failing) {
            scene.core.GetFaults().FailRelease(release.name, release.code);
        }

        EXPECT_EQ(ReleaseSuites(&scene.Basic()), c.result);
        EXPECT_EQ(gSuiteNestingCounter, 0);
        std::set<std::string_view> failing;
        for (const FailingRelease& release : c.failing) {
            failing.insert(release.name);
        }
        for (const M7LSuiteEntry& entry : gSuiteTable) {
            EXPECT_EQ(Releases(scene, entry), failing.contains(entry.name) ? 0 : 1) << entry.name;
        }

        scene.core.GetFaults().Clear();
        for (const FailingRelease& release : c.failing) {
            const M7LSuiteEntry& entry = Row(release.name);
            EXPECT_EQ(scene.Basic().ReleaseSuite(entry.name, entry.version), host::kNoError);
        }
        ExpectBalancedAndClean(scene.core);
    }
}

TEST_P(SuiteTable, ReleaseWithNothingHeldDoesNothingAndStaysAtZero) {
    HostScene scene(GetParam());
    Cycle(scene);
    for (int call = 0; call < 2; ++call) {
        EXPECT_EQ(ReleaseSuites(&scene.Basic()), host::kNoError);
        EXPECT_EQ(gSuiteNestingCounter, 0);
    }
    ExpectCounts(scene, 1, 1);

    // Still at 0, so the next message acquires afresh.
    EXPECT_EQ(AcquireSuites(&scene.Basic()), host::kNoError);
    ExpectCounts(scene, 2, 1);
    EXPECT_EQ(ReleaseSuites(&scene.Basic()), host::kNoError);
    ExpectBalancedAndClean(scene.core);
}

TEST_P(SuiteTable, IsRefusedTheFourteenLoweredSuitesByAHostOfTheOtherGeneration) {
    HostScene scene(Other(GetParam()));
    EXPECT_EQ(AcquireSuites(&scene.Basic()), host::kErrorSuiteNotFound);
    std::set<std::string_view> refused;
    for (const M7LSuiteEntry& entry : gSuiteTable) {
        if (*entry.target == nullptr) {
            refused.insert(entry.name);
        }
    }
    EXPECT_EQ(refused, kLoweredInCs2);
    EXPECT_EQ(scene.core.GetViolations().Count(standin::ViolationKind::kUnknownSuite),
              kLoweredInCs2.size());
    EXPECT_EQ(scene.core.GetViolations().All().size(), kLoweredInCs2.size());
    scene.core.GetViolations().Clear();

    EXPECT_EQ(ReleaseSuites(&scene.Basic()), host::kNoError);
    ExpectBalancedAndClean(scene.core);
}

INSTANTIATE_TEST_SUITE_P(Table, SuiteTable, ::testing::Values(kSuiteGeneration),
                         frameworktest::GenerationName);

}  // namespace
