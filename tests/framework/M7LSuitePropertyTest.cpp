#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string_view>
#include <vector>

#include "HostChecks.h"
#include "HostScene.h"
#include "M7LSuiteProperty.h"

namespace {

using frameworktest::ExpectBalancedAndClean;
using hosttest::HostScene;

constexpr std::int32_t kVendor = host::FourCharCode("ADBE");
constexpr std::int32_t kExported = host::FourCharCode("expt");
constexpr std::int32_t kOtherKey = host::FourCharCode("impt");
constexpr std::int32_t kOtherVendor = host::FourCharCode("M7Lx");
constexpr std::int32_t kUntouchedWord = 7;
constexpr std::size_t kForeignBlockSize = 8;

class SuiteProperty : public ::testing::TestWithParam<host::Generation> {
protected:
    void TearDown() override { ExpectBalancedAndClean(scene.core); }

    host::PropertiesMessage Message(std::int32_t vendor, std::int32_t key) {
        return {{scene.plugin, &scene.Basic()}, vendor, key, 0, &untouched, kUntouchedWord};
    }

    std::vector<standin::BlockInfo> LiveBlocks() { return scene.core.GetLedger().LiveBlocks(); }

    HostScene scene{GetParam()};
    int untouched = 0;
};

std::int32_t WordAt(const void* block, std::size_t offset) {
    std::int32_t word;
    std::memcpy(&word, static_cast<const std::byte*>(block) + offset, sizeof(word));
    return word;
}

TEST_P(SuiteProperty, ListsTheStriveloSuiteInAZeroPaddedBlock) {
    host::PropertiesMessage message = Message(kVendor, kExported);
    ASSERT_EQ(PublishSuiteProperty(&message), host::kNoError);

    const std::vector<standin::BlockInfo> blocks = LiveBlocks();
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0].size, 48u);
    EXPECT_EQ(blocks[0].debugName, "properties");
    ASSERT_EQ(message.property, blocks[0].address);
    EXPECT_EQ(message.propertyWord, 0);

    struct Word {
        std::size_t offset;
        std::int32_t value;
    };
    const Word words[] = {
        {0, kVendor}, {4, kExported}, {8, 0}, {12, 32}, {16, 1}, {20, 24}, {44, 1},
    };
    for (const Word& word : words) {
        EXPECT_EQ(WordAt(message.property, word.offset), word.value) << "offset " << word.offset;
    }
    // The name with its NUL, then zero up to the version.
    constexpr std::string_view kNameField("M7L Strivelo Suite\0\0", 20);
    EXPECT_EQ(std::string_view(static_cast<const char*>(message.property) + 24, kNameField.size()),
              kNameField);

    EXPECT_EQ(FreeSuiteProperty(&message), host::kNoError);
    EXPECT_TRUE(LiveBlocks().empty());
}

TEST_P(SuiteProperty, BuildsNothingForOtherProperties) {
    struct Case {
        const char* what;
        std::int32_t vendor;
        std::int32_t key;
    };
    const Case cases[] = {
        {"other key", kVendor, kOtherKey},
        {"other vendor", kOtherVendor, kExported},
        {"no key", kVendor, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host::PropertiesMessage message = Message(c.vendor, c.key);
        EXPECT_EQ(PublishSuiteProperty(&message), host::kNoError);
        EXPECT_TRUE(LiveBlocks().empty());
        EXPECT_EQ(message.property, &untouched);
        EXPECT_EQ(message.propertyWord, kUntouchedWord);
    }
}

TEST_P(SuiteProperty, FreesOnlyTheBlockItBuiltAndOnlyOnce) {
    host::PropertiesMessage published = Message(kVendor, kExported);
    ASSERT_EQ(PublishSuiteProperty(&published), host::kNoError);
    const auto* blocks = scene.Acquire<host::SpBlocksSuite>(host::kSpBlocksSuite);
    host::Block foreign = nullptr;
    ASSERT_EQ(blocks->AllocateBlock(kForeignBlockSize, "foreign", &foreign), host::kNoError);

    struct Case {
        const char* what;
        std::int32_t vendor;
        std::int32_t key;
        void* property;
    };
    const Case cases[] = {
        {"a block it did not build", kVendor, kExported, foreign},
        {"no block", kVendor, kExported, nullptr},
        {"no block of the host's", kVendor, kExported, &untouched},
        {"its block, for another key", kVendor, kOtherKey, published.property},
        {"its block, for another vendor", kOtherVendor, kExported, published.property},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host::PropertiesMessage message = Message(c.vendor, c.key);
        message.property = c.property;
        EXPECT_EQ(FreeSuiteProperty(&message), host::kNoError);
        EXPECT_EQ(LiveBlocks().size(), 2u);
    }

    EXPECT_EQ(FreeSuiteProperty(&published), host::kNoError);
    ASSERT_EQ(LiveBlocks().size(), 1u);
    EXPECT_EQ(LiveBlocks()[0].address, foreign);
    EXPECT_EQ(FreeSuiteProperty(&published), host::kNoError);

    EXPECT_EQ(blocks->FreeBlock(foreign), host::kNoError);
    EXPECT_EQ(scene.Release(host::kSpBlocksSuite), host::kNoError);
}

// Two requests before any release: each gets a block of its own, and each
// release frees exactly the block it hands back, in either order.
TEST_P(SuiteProperty, GivesEachRequestItsOwnBlock) {
    struct Case {
        const char* what;
        std::size_t firstFreed;
    };
    const Case cases[] = {
        {"the first freed first", 0},
        {"the second freed first", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host::PropertiesMessage messages[] = {Message(kVendor, kExported),
                                              Message(kVendor, kExported)};
        for (host::PropertiesMessage& message : messages) {
            ASSERT_EQ(PublishSuiteProperty(&message), host::kNoError);
        }
        ASSERT_EQ(LiveBlocks().size(), 2u);
        ASSERT_NE(messages[0].property, messages[1].property);

        host::PropertiesMessage& freed = messages[c.firstFreed];
        const void* kept = messages[1 - c.firstFreed].property;
        EXPECT_EQ(FreeSuiteProperty(&freed), host::kNoError);
        ASSERT_EQ(LiveBlocks().size(), 1u);
        EXPECT_EQ(LiveBlocks()[0].address, kept);
        EXPECT_EQ(FreeSuiteProperty(&freed), host::kNoError);
        EXPECT_EQ(LiveBlocks().size(), 1u);

        EXPECT_EQ(FreeSuiteProperty(&messages[1 - c.firstFreed]), host::kNoError);
        EXPECT_TRUE(LiveBlocks().empty());
    }
}

TEST_P(SuiteProperty, AnswersTheBlocksSuitesFailuresAndBuildsNothing) {
    struct Case {
        const char* what;
        std::function<void(standin::Faults&)> inject;
        host::Error result;
    };
    const Case cases[] = {
        {"blocks suite missing",
         [](standin::Faults& faults) { faults.RemoveSuite(host::kSpBlocksSuite.name); },
         host::kErrorSuiteNotFound},
        {"allocation fails",
         [](standin::Faults& faults) {
             faults.FailCall(host::kSpBlocksSuite.name, "AllocateBlock", host::kErrorNoMemory);
         },
         host::kErrorNoMemory},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.inject(scene.core.GetFaults());
        host::PropertiesMessage message = Message(kVendor, kExported);
        EXPECT_EQ(PublishSuiteProperty(&message), c.result);
        EXPECT_TRUE(LiveBlocks().empty());
        EXPECT_EQ(message.property, &untouched);
        EXPECT_EQ(message.propertyWord, kUntouchedWord);
        scene.core.GetFaults().Clear();
    }
}

TEST_P(SuiteProperty, KeepsItsBlockWhenTheBlocksSuiteIsMissingAtRelease) {
    host::PropertiesMessage message = Message(kVendor, kExported);
    ASSERT_EQ(PublishSuiteProperty(&message), host::kNoError);

    scene.core.GetFaults().RemoveSuite(host::kSpBlocksSuite.name);
    EXPECT_EQ(FreeSuiteProperty(&message), host::kErrorSuiteNotFound);
    EXPECT_EQ(LiveBlocks().size(), 1u);

    scene.core.GetFaults().Clear();
    EXPECT_EQ(FreeSuiteProperty(&message), host::kNoError);
    EXPECT_TRUE(LiveBlocks().empty());
}

INSTANTIATE_TEST_SUITE_P(HostGenerations, SuiteProperty,
                         ::testing::Values(host::Generation::kCs3, host::Generation::kCs2),
                         frameworktest::GenerationName);

}  // namespace
