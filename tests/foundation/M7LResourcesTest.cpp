#include "M7LResources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr int kList = 16000;
constexpr int kPlainIndex = 1;
constexpr int kEmptyIndex = 2;
constexpr int kLongIndex = 3;
constexpr int kUmlautIndex = 4;
constexpr int kMissingIndex = 5;
constexpr std::size_t kLongBytes = 2000;
constexpr std::size_t kLoadedIntoBytes = 1023;

const std::string kLongText(kLongBytes, 'x');
const char* const kUmlautText = "a\xC3\xA4\xE2\x82\xAC";  // "a", U+00E4, U+20AC

class ResourcesTest : public testing::Test {
protected:
    void SetUp() override { SetResourceModule(&module_); }
    void TearDown() override { SetResourceModule(nullptr); }

    const M7LResourceString strings_[5] = {
        {kList, "list head"},
        {kList + kPlainIndex, "Hallo"},
        {kList + kEmptyIndex, ""},
        {kList + kLongIndex, kLongText.c_str()},
        {kList + kUmlautIndex, kUmlautText},
    };
    const M7LResourceModule module_{strings_, 5};
};

TEST_F(ResourcesTest, LoadsByListPlusIndex) {
    EXPECT_EQ(GetResourceModule(), &module_);
    char buffer[32];
    EXPECT_TRUE(LoadResourceString(buffer, kList, kPlainIndex, sizeof buffer));
    EXPECT_STREQ(buffer, "Hallo");
    EXPECT_TRUE(LoadResourceString(buffer, kList + kPlainIndex, 0, sizeof buffer));
    EXPECT_STREQ(buffer, "Hallo");
    EXPECT_TRUE(LoadResourceString(buffer, kList, 0, sizeof buffer));
    EXPECT_STREQ(buffer, "list head");
}

// The loader keeps at most bufferSize - 1 bytes and never half a character.
TEST_F(ResourcesTest, TruncatesToTheBufferOnACharacterBoundary) {
    struct Case {
        int index;
        int bufferSize;
        bool result;
        const char* text;
    };
    const Case cases[] = {
        {kUmlautIndex, 7, true, kUmlautText},
        {kUmlautIndex, 6, true, "a\xC3\xA4"},
        {kUmlautIndex, 5, true, "a\xC3\xA4"},
        {kUmlautIndex, 4, true, "a\xC3\xA4"},
        {kUmlautIndex, 3, true, "a"},
        {kUmlautIndex, 2, true, "a"},
        {kUmlautIndex, 1, false, ""},
        {kPlainIndex, 2, true, "H"},
        {kEmptyIndex, 8, false, ""},
        {kMissingIndex, 8, false, ""},
        {-kList, 8, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "index " << c.index << ", size " << c.bufferSize);
        std::vector<char> buffer(static_cast<std::size_t>(c.bufferSize), '#');
        EXPECT_EQ(LoadResourceString(buffer.data(), kList, c.index, c.bufferSize), c.result);
        EXPECT_STREQ(buffer.data(), c.text);
    }
}

TEST_F(ResourcesTest, NoRoomWritesNothing) {
    char buffer[1] = {'#'};
    EXPECT_FALSE(LoadResourceString(buffer, kList, kPlainIndex, 0));
    EXPECT_EQ(buffer[0], '#');
}

TEST_F(ResourcesTest, HasResourceStringNeedsOneCharacter) {
    EXPECT_TRUE(HasResourceString(kList, kPlainIndex));
    EXPECT_TRUE(HasResourceString(kList, kLongIndex));
    EXPECT_FALSE(HasResourceString(kList, kEmptyIndex));
    EXPECT_FALSE(HasResourceString(kList, kMissingIndex));
}

TEST_F(ResourcesTest, LoadIntoAssignsTextOrLeavesTheStringUnset) {
    struct Case {
        int index;
        bool result;
        const char* text;
    };
    const std::string longKept = kLongText.substr(0, kLoadedIntoBytes);
    const Case cases[] = {
        {kPlainIndex, true, "Hallo"},
        {kLongIndex, true, longKept.c_str()},
        {kEmptyIndex, false, nullptr},
        {kMissingIndex, false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "index " << c.index);
        M7LString string("previous");
        EXPECT_EQ(LoadResourceStringInto(string, kList, c.index), c.result);
        EXPECT_TRUE(string.Equals(c.text));
    }
}

TEST(ResourcesWithoutModuleTest, LoadsFailCleanly) {
    SetResourceModule(nullptr);
    EXPECT_EQ(GetResourceModule(), nullptr);
    char buffer[8] = "#######";
    EXPECT_FALSE(LoadResourceString(buffer, kList, kPlainIndex, sizeof buffer));
    EXPECT_STREQ(buffer, "");
    EXPECT_FALSE(HasResourceString(kList, kPlainIndex));
    M7LString string("previous");
    EXPECT_FALSE(LoadResourceStringInto(string, kList, kPlainIndex));
    EXPECT_EQ(string.CStrOrNull(), nullptr);
}

}  // namespace
