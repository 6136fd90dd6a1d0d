#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>

#include "HostScene.h"
#include "host/AiSuites.h"

namespace {

using hosttest::HostScene;
using standin::ViolationKind;

constexpr std::int32_t kPublishedVersion = 1;
constexpr const char* kPublishedName = "M7L Strivelo Suite";

struct LoweredVersion {
    std::int32_t cs3;
    std::int32_t cs2;
};

// The suites that the older generation asks for at a lower version.
const std::map<std::string, LoweredVersion> kLoweredInCs2 = {
    {"ADM Dialog Suite", {10, 9}},   {"ADM Drawer Suite", {6, 3}},
    {"ADM Tracker Suite", {2, 1}},   {"AI Art Suite", {13, 12}},
    {"AI Document Suite", {10, 9}},  {"AI Document View Suite", {9, 8}},
    {"AI File Path Suite", {2, 1}},  {"AI Path Suite", {7, 6}},
    {"AI Path Style Suite", {9, 8}}, {"AI Runtime Suite", {9, 8}},
    {"AI Tool Suite", {10, 9}},      {"AI Unicode String Suite", {6, 5}},
    {"AI User Suite", {8, 7}},       {"AI Font Suite", {3, 2}},
};

host::Generation Other(host::Generation generation) {
    return generation == host::Generation::kCs3 ? host::Generation::kCs2 : host::Generation::kCs3;
}

TEST(SuiteTable, HoldsTheFourFamiliesInTableOrder) {
    struct Run {
        std::string_view prefix;
        std::size_t rows;
    };
    const Run runs[] = {{"ADM ", 10}, {"AI ", 22}, {"ATE ", 78}, {"SP ", 6}};
    std::size_t row = 0;
    for (const Run& run : runs) {
        for (std::size_t i = 0; i < run.rows; ++i, ++row) {
            ASSERT_LT(row, host::kSuiteTable.size());
            EXPECT_TRUE(std::string_view(host::kSuiteTable[row].name).starts_with(run.prefix))
                << "row " << row << ": " << host::kSuiteTable[row].name;
        }
    }
    EXPECT_EQ(row, host::kSuiteTable.size());

    std::set<std::string> names;
    for (const host::SuiteVersions& suite : host::kSuiteTable) {
        EXPECT_TRUE(names.insert(suite.name).second) << "twice: " << suite.name;
    }
}

TEST(SuiteTable, DiffersBetweenGenerationsInTheFourteenLoweredVersionsOnly) {
    std::map<std::string, LoweredVersion> lowered;
    for (const host::SuiteVersions& suite : host::kSuiteTable) {
        if (suite.cs3 != suite.cs2) {
            lowered[suite.name] = {suite.cs3, suite.cs2};
        }
        if (std::string_view(suite.name).starts_with("ATE ")) {
            EXPECT_EQ(suite.cs3, 1) << suite.name;
        }
    }
    ASSERT_EQ(lowered.size(), kLoweredInCs2.size());
    for (const auto& [name, versions] : kLoweredInCs2) {
        ASSERT_TRUE(lowered.contains(name)) << name;
        EXPECT_EQ(lowered[name].cs3, versions.cs3) << name;
        EXPECT_EQ(lowered[name].cs2, versions.cs2) << name;
    }
}

class CatalogueAtGeneration : public testing::TestWithParam<host::Generation> {};

TEST_P(CatalogueAtGeneration, ServesEverySuiteAsADistinctTable) {
    HostScene scene(GetParam());
    std::set<const void*> tables;
    for (const host::SuiteVersions& suite : host::kSuiteTable) {
        const void* table = scene.Acquire<void>(suite);
        EXPECT_NE(table, nullptr) << suite.name;
        EXPECT_TRUE(tables.insert(table).second) << "shared table: " << suite.name;
    }
    for (const host::SuiteVersions& suite : host::kSuiteTable) {
        EXPECT_EQ(scene.core.GetLedger().Acquisitions(suite.name, scene.VersionOf(suite)), 1);
        EXPECT_EQ(scene.Release(suite), host::kNoError) << suite.name;
    }
    EXPECT_TRUE(scene.core.GetLedger().Balanced()) << scene.core.GetLedger().Imbalance();
    EXPECT_TRUE(scene.core.GetViolations().Empty());
}

TEST_P(CatalogueAtGeneration, RefusesTheOtherGenerationsVersions) {
    HostScene scene(GetParam());
    int refused = 0;
    for (const host::SuiteVersions& suite : host::kSuiteTable) {
        const std::int32_t other = suite.In(Other(GetParam()));
        if (other == scene.VersionOf(suite)) {
            continue;
        }
        const void* untouched = &refused;
        const void* table = untouched;
        EXPECT_EQ(scene.Basic().AcquireSuite(suite.name, other, &table), host::kErrorSuiteNotFound)
            << suite.name;
        EXPECT_EQ(table, untouched) << suite.name;
        ++refused;
    }
    EXPECT_EQ(refused, static_cast<int>(kLoweredInCs2.size()));
    EXPECT_EQ(scene.core.GetViolations().Count(ViolationKind::kUnknownSuite), kLoweredInCs2.size());
    EXPECT_TRUE(scene.core.GetLedger().Suites().empty());
}

INSTANTIATE_TEST_SUITE_P(BothGenerations, CatalogueAtGeneration,
                         testing::Values(host::Generation::kCs3, host::Generation::kCs2),
                         [](const testing::TestParamInfo<host::Generation>& info) {
                             return info.param == host::Generation::kCs3 ? "Cs3" : "Cs2";
                         });

TEST(Catalogue, ServesAProvidedTableInPlaceOfTheDummy) {
    HostScene scene;
    const host::AiMenuSuite menus{};
    scene.core.Provide(host::kAiMenuSuite.name, &menus);
    EXPECT_EQ(scene.Acquire<host::AiMenuSuite>(host::kAiMenuSuite), &menus);
    EXPECT_EQ(scene.Release(host::kAiMenuSuite), host::kNoError);
    EXPECT_THROW(scene.core.Provide("AI Nonexistent Suite", &menus), std::invalid_argument);
    EXPECT_THROW(scene.core.Provide(host::kAiMenuSuite.name, nullptr), std::invalid_argument);
}

TEST(Catalogue, ServesAPublishedSuiteAtItsApiVersionOnly) {
    HostScene scene;
    const auto* suites = scene.Acquire<host::SpSuitesSuite>(host::kSpSuitesSuite);
    const int table = 0;
    host::SuiteRef added;
    ASSERT_EQ(
        suites->AddSuite({}, scene.plugin, kPublishedName, kPublishedVersion, 1, &table, &added),
        host::kNoError);
    EXPECT_TRUE(added);

    const void* served = nullptr;
    const std::string name = kPublishedName;  // a fresh buffer: found by text
    EXPECT_EQ(scene.Basic().AcquireSuite(name.c_str(), kPublishedVersion, &served), host::kNoError);
    EXPECT_EQ(served, &table);
    EXPECT_EQ(scene.Basic().ReleaseSuite(name.c_str(), kPublishedVersion), host::kNoError);
    EXPECT_EQ(scene.Basic().AcquireSuite(kPublishedName, kPublishedVersion + 1, &served),
              host::kErrorSuiteNotFound);
    EXPECT_EQ(scene.core.GetViolations().Count(ViolationKind::kUnknownSuite), 1u);
    EXPECT_EQ(scene.Release(host::kSpSuitesSuite), host::kNoError);
    EXPECT_TRUE(scene.core.GetLedger().Balanced()) << scene.core.GetLedger().Imbalance();
}

// The published suite's table lives in a block until the host quits, so
// that block does not unbalance the ledger.
TEST(Catalogue, TakesOverAPublishedTableBlock) {
    HostScene scene;
    const auto* blocks = scene.Acquire<host::SpBlocksSuite>(host::kSpBlocksSuite);
    const auto* suites = scene.Acquire<host::SpSuitesSuite>(host::kSpSuitesSuite);
    host::Block table = nullptr;
    ASSERT_EQ(blocks->AllocateBlock(sizeof(void (*)()), "StriveloSuite", &table), host::kNoError);
    ASSERT_EQ(
        suites->AddSuite({}, scene.plugin, kPublishedName, kPublishedVersion, 1, table, nullptr),
        host::kNoError);
    scene.Release(host::kSpBlocksSuite);
    scene.Release(host::kSpSuitesSuite);

    EXPECT_TRUE(scene.core.GetLedger().Balanced()) << scene.core.GetLedger().Imbalance();
    ASSERT_EQ(scene.core.GetLedger().LiveBlocks().size(), 1u);
    EXPECT_EQ(scene.core.GetLedger().LiveBlocks()[0].holder, kPublishedName);
}

TEST(Catalogue, ComparesTextsNotAddresses) {
    HostScene scene;
    struct Case {
        const char* left;
        const char* right;
        bool equal;
    };
    const Case cases[] = {
        {"AI Go", "AI Go", true},
        {"AI Go", "AI Go ", false},
        {"AI Go", "AI Update", false},
        {"", "", true},
    };
    for (const Case& c : cases) {
        const std::string left = c.left;
        const std::string right = c.right;
        EXPECT_EQ(scene.Basic().IsEqual(left.c_str(), right.c_str()), c.equal)
            << '"' << c.left << "\" \"" << c.right << '"';
    }
}

}  // namespace
