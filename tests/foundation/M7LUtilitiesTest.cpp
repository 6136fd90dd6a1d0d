#include "M7LUtilities.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr char kFill = '#';
constexpr char16_t kWideFill = u'#';

TEST(Utf16ToUtf8Test, EncodesEachUnitAndNeedsRoomForTheWholeText) {
    struct Case {
        std::u16string text;
        std::string utf8;
    };
    const Case cases[] = {
        {u"", ""},
        {u"A", "A"},
        {u"\u007F", "\x7F"},
        {u"\u0080", "\xC2\x80"},
        {u"\u07FF", "\xDF\xBF"},
        {u"\u0800", "\xE0\xA0\x80"},
        {u"\uFFFF", "\xEF\xBF\xBF"},
        {u"\U0001F600", "\xED\xA0\xBD\xED\xB8\x80"},  // each surrogate by itself
        {u"a\u00FC\u20AC", "a\xC3\xBC\xE2\x82\xAC"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "bytes " << c.utf8.size());
        // Exactly the bytes and the NUL; a heap buffer of that size lets the
        // sanitizer see any write past it.
        std::vector<char> exact(c.utf8.size() + 1, kFill);
        EXPECT_EQ(Utf16ToUtf8(c.text.c_str(), exact.data(), exact.size()), 0);
        EXPECT_EQ(std::string(exact.data()), c.utf8);

        std::vector<char> oneShort(c.utf8.size(), kFill);
        EXPECT_EQ(Utf16ToUtf8(c.text.c_str(), oneShort.data(), oneShort.size()), 1);
        if (!oneShort.empty()) {
            EXPECT_EQ(oneShort[0], 0);
        }
    }
}

TEST(Utf8ToUtf16Test, DecodesSequencesAndReportsEveryFailure) {
    struct Case {
        const char* name;
        std::string utf8;
        std::size_t count;
        int result;
        std::u16string text;
    };
    const Case cases[] = {
        {"empty", "", 0, 0, u""},
        {"one byte", "A~", 2, 0, u"A~"},
        {"two bytes", "\xC2\x80\xDF\xBF", 2, 0, u"\u0080\u07FF"},
        {"three bytes", "\xE0\xA0\x80\xEF\xBF\xBF", 2, 0, u"\u0800\uFFFF"},
        {"surrogates by themselves", "\xED\xA0\xBD\xED\xB8\x80", 2, 0, u"\U0001F600"},
        {"over-long form", "\xC1\xBF", 1, 0, u"\u007F"},
        {"four-byte lead", "\xF0\x9F\x98\x80", 4, 3, u""},
        {"lone continuation", "\x80", 1, 3, u""},
        {"bad continuation", "a\xC2\x41", 3, 3, u""},
        {"cut after two of three", "a\xE2\x82", 3, 2, u""},
        {"cut after one of two", "a\xC3", 3, 2, u""},
        {"exactly count units", "abc", 3, 0, u"abc"},
        {"count units and more input", "abcd", 3, 1, u""},
        {"full before a bad byte", "abc\x80", 3, 1, u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<char16_t> out(c.count + 1, kWideFill);
        EXPECT_EQ(Utf8ToUtf16(c.utf8.c_str(), out.data(), c.count), c.result);
        EXPECT_EQ(std::u16string(out.data()), c.text);
    }
}

TEST(Crc32Test, GivesTheStandardCheckValueWhenTheCallerInverts) {
    constexpr std::uint32_t kStart = 0xFFFFFFFFu;
    constexpr std::uint32_t kCheckValue = 0xCBF43926u;
    const char* text = "123456789";

    std::uint32_t whole = kStart;
    Crc32Update(&whole, text, std::strlen(text));
    EXPECT_EQ(~whole, kCheckValue);

    std::uint32_t pieces = kStart;
    Crc32Update(&pieces, text, 4);
    Crc32Update(&pieces, text + 4, 0);
    Crc32Update(&pieces, text + 4, 5);
    EXPECT_EQ(pieces, whole);
}

TEST(Crc32Test, DoesNotInvertOnItsOwn) {
    std::uint32_t value = 0;
    const unsigned char zero = 0;
    Crc32Update(&value, &zero, 1);
    EXPECT_EQ(value, 0u);
}

TEST(RoundHalfAwayFromZeroTest, RoundsHalvesAwayAndKeepsLargeIntegers) {
    const double k2To52 = std::ldexp(1.0, 52);
    const double k2To53 = std::ldexp(1.0, 53);
    struct Case {
        double value;
        double rounded;
    };
    const Case cases[] = {
        {0.0, 0.0},
        {0.5, 1.0},
        {-0.5, -1.0},
        {2.5, 3.0},
        {-2.5, -3.0},
        {2.4999, 2.0},
        {-2.4999, -2.0},
        {0.49999999999999994, 0.0},  // x + 0.5 rounds up to 1 here
        {k2To52 - 0.5, k2To52},
        {k2To52, k2To52},  // f + 0.5 rounds to f here
        {-k2To52, -k2To52},
        {k2To52 + 1.0, k2To52 + 1.0},
        {k2To53 + 2.0, k2To53 + 2.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hexfloat << c.value);
        EXPECT_EQ(RoundHalfAwayFromZero(c.value), c.rounded);
    }
}

// The decoders compare rounded widths for equality, so the result must be
// std::round's to the bit, the sign of a zero, infinities and NaN included.
TEST(RoundHalfAwayFromZeroTest, MatchesStdRoundBitForBit) {
    std::vector<double> values = {-0.0,
                                  -0.3,
                                  std::nextafter(0.5, 0.0),
                                  std::nextafter(-0.5, 0.0),
                                  std::ldexp(1.0, 62) + 2048.0,
                                  -std::ldexp(1.0, 63),
                                  HUGE_VAL,
                                  -HUGE_VAL,
                                  std::nan("")};
    constexpr int kSteps = 4000;
    constexpr double kStep = 0.0625 / 3.0;
    for (int i = -kSteps; i <= kSteps; ++i) {
        values.push_back(i * kStep);
        values.push_back(std::nextafter(i * 0.5, 0.0));
    }
    for (const double value : values) {
        SCOPED_TRACE(testing::Message() << std::hexfloat << value);
        const double expected = std::round(value);
        const double rounded = RoundHalfAwayFromZero(value);
        if (std::isnan(expected)) {
            EXPECT_TRUE(std::isnan(rounded));
        } else {
            EXPECT_EQ(rounded, expected);
            EXPECT_EQ(std::signbit(rounded), std::signbit(expected));
        }
    }
}

}  // namespace
