#include "M7LAnsiConversion.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

constexpr int kRoomyCapacity = 64;
constexpr char kSentinel = 'x';
constexpr char16_t kWideSentinel = u'x';

struct PairCase {
    const char* utf8;
    std::u16string utf16;
};

// Each UTF-8 length boundary, the largest scalar value and a text mixing them.
const PairCase kPairs[] = {
    {"", u""},
    {"Pr\xC3\xBC"
     "fprofil",
     u"Pr\u00FCfprofil"},
    {"\x7F\xC2\x80", u"\u007F\u0080"},
    {"\xDF\xBF\xE0\xA0\x80", u"\u07FF\u0800"},
    {"\xEF\xBF\xBF", u"\uFFFF"},
    {"\xF0\x90\x80\x80", u"\U00010000"},
    {"a\xF0\x9F\x98\x80z", u"a\U0001F600z"},
    {"\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
};

TEST(AnsiConversionTest, ConvertsBothWaysWithSurrogatePairs) {
    for (const PairCase& c : kPairs) {
        SCOPED_TRACE(c.utf8);
        char16_t wide[kRoomyCapacity];
        ASSERT_EQ(AnsiToWide(c.utf8, wide, kRoomyCapacity), 0);
        EXPECT_EQ(std::u16string(wide), c.utf16);

        char narrow[kRoomyCapacity];
        ASSERT_EQ(WideToAnsi(c.utf16.c_str(), narrow, kRoomyCapacity), 0);
        EXPECT_EQ(std::string(narrow), c.utf8);
    }
}

// Capacities count the terminator: an exact fit converts, one unit less (also
// when only half of a surrogate pair would fit) gives a terminated empty text.
TEST(AnsiConversionTest, TooSmallCapacityGivesEmptyOutputAndFailure) {
    struct Case {
        const char* utf8;
        int units;
        int bytes;
    };
    const Case cases[] = {
        {"Pr\xC3\xBC"
         "f",
         5, 6},
        {"a\xF0\x9F\x98\x80", 4, 6},
        {"", 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        std::u16string wide(kRoomyCapacity, kWideSentinel);
        EXPECT_EQ(AnsiToWide(c.utf8, wide.data(), c.units), 0);
        std::string narrow(kRoomyCapacity, kSentinel);
        EXPECT_EQ(WideToAnsi(wide.c_str(), narrow.data(), c.bytes), 0);
        EXPECT_STREQ(narrow.c_str(), c.utf8);

        if (c.units > 1) {
            std::u16string shortWide(kRoomyCapacity, kWideSentinel);
            EXPECT_NE(AnsiToWide(c.utf8, shortWide.data(), c.units - 1), 0);
            EXPECT_EQ(shortWide[0], u'\0');
            std::string shortNarrow(kRoomyCapacity, kSentinel);
            EXPECT_NE(WideToAnsi(wide.c_str(), shortNarrow.data(), c.bytes - 1), 0);
            EXPECT_EQ(shortNarrow[0], '\0');
        }
    }
    char16_t untouched = kWideSentinel;
    EXPECT_NE(AnsiToWide("a", &untouched, 0), 0);
    EXPECT_EQ(untouched, kWideSentinel);
}

TEST(AnsiConversionTest, RejectsIllFormedUtf8) {
    const char* const cases[] = {
        "\x80",              // continuation without a lead byte
        "\xC0\xAF",          // overlong '/'
        "\xE0\x80\xAF",      // overlong '/' in three bytes
        "\xF0\x80\x80\xAF",  // overlong '/' in four bytes
        "\xED\xA0\x80",      // an encoded surrogate
        "\xF4\x90\x80\x80",  // above U+10FFFF
        "\xF5\x80\x80\x80",  // lead byte that never occurs
        "ok\xE2\x82",        // truncated at the end
        "\xE2\x82z",         // truncated before a plain character
    };
    for (const char* text : cases) {
        SCOPED_TRACE(testing::PrintToString(std::string(text)));
        std::u16string wide(kRoomyCapacity, kWideSentinel);
        EXPECT_NE(AnsiToWide(text, wide.data(), kRoomyCapacity), 0);
        EXPECT_EQ(wide[0], u'\0');
    }
}

// A view ends where it ends, even when the bytes after it would complete the
// sequence; the XML reader decodes views of its input this way.
TEST(AnsiConversionTest, DecodeStopsAtTheEndOfItsView) {
    const std::string_view euro = "\xE2\x82\xAC!";
    char32_t codePoint = 0;
    for (std::size_t length = 0; length < 3; ++length) {
        EXPECT_EQ(DecodeUtf8(euro.substr(0, length), codePoint), 0) << length;
    }
    EXPECT_EQ(DecodeUtf8(euro, codePoint), 3);
    EXPECT_EQ(codePoint, U'\u20AC');
}

TEST(AnsiConversionTest, RejectsLoneSurrogates) {
    const std::u16string cases[] = {
        std::u16string(1, char16_t{0xD83D}),
        std::u16string{char16_t{0xD83D}, u'a'},
        std::u16string{u'a', char16_t{0xDE00}},
        std::u16string{char16_t{0xDE00}, char16_t{0xD83D}},
    };
    for (const std::u16string& text : cases) {
        SCOPED_TRACE(testing::PrintToString(text));
        std::string narrow(kRoomyCapacity, kSentinel);
        EXPECT_NE(WideToAnsi(text.c_str(), narrow.data(), kRoomyCapacity), 0);
        EXPECT_EQ(narrow[0], '\0');
    }
}

}  // namespace
