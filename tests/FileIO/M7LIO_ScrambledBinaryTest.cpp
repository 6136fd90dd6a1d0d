#include "M7LIO_ScrambledBinary.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr const char* kKey = "KQMVR";
constexpr std::size_t kLongestTestedInputBytes = 300;

// Scrambles into a buffer of exactly the worst-case size, so that ASan sees
// any write past it.
std::optional<Bytes> Scramble(const Bytes& in, const char* key = kKey) {
    Bytes out(ScrambledCapacityFor(in.size()));
    const std::optional<std::size_t> m =
        ScrambleBinaryValue(in.data(), in.size(), key, out.data(), out.size());
    if (!m) {
        return std::nullopt;
    }
    out.resize(*m);
    return out;
}

std::optional<Bytes> Unscramble(const Bytes& in, std::size_t capacity, const char* key = kKey) {
    Bytes out(capacity);
    const std::optional<std::size_t> n =
        UnscrambleBinaryValue(in.data(), in.size(), key, out.data(), out.size());
    if (!n) {
        return std::nullopt;
    }
    out.resize(*n);
    return out;
}

Bytes RandomBytes(std::mt19937& rng, std::size_t n) {
    std::uniform_int_distribution<int> byte(0, 255);
    Bytes b(n);
    for (std::uint8_t& x : b) {
        x = static_cast<std::uint8_t>(byte(rng));
    }
    return b;
}

Bytes Repeating(const Bytes& pattern, std::size_t n) {
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i) {
        b[i] = pattern[i % pattern.size()];
    }
    return b;
}

std::size_t AllZeroScrambledBytes(std::size_t n) {
    const std::size_t values = (n + 1) / 2;
    return 1 + (2 * values + 7) / 8;
}

TEST(ScrambledBinary, RoundTripsEveryLengthAndKindOfData) {
    std::mt19937 rng(1107);
    for (std::size_t n = 0; n <= kLongestTestedInputBytes; ++n) {
        const struct {
            const char* kind;
            Bytes data;
        } cases[] = {
            {"random", RandomBytes(rng, n)},
            {"zeros", Bytes(n, 0)},
            {"edge bytes", Repeating({0x00, 0x7F, 0x80, 0xFF}, n)},
            {"all 0xFF", Bytes(n, 0xFF)},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << c.kind << ", n = " << n);
            const std::optional<Bytes> scrambled = Scramble(c.data);
            ASSERT_TRUE(scrambled.has_value());
            EXPECT_LE(scrambled->size(), ScrambledCapacityFor(n));
            EXPECT_EQ(Unscramble(*scrambled, n), c.data);
        }
    }
}

TEST(ScrambledBinary, LengthFollowsThePackedCodes) {
    const std::optional<Bytes> empty = Scramble({});
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(empty->size(), 1u);
    EXPECT_EQ(Unscramble(*empty, 0), Bytes{});

    for (std::size_t n = 0; n <= kLongestTestedInputBytes; ++n) {
        SCOPED_TRACE(testing::Message() << "n = " << n);
        // Pairs of zero cost two bits; values of 128 and above the most, so
        // that all 0xFF fills the worst case exactly.
        EXPECT_EQ(Scramble(Bytes(n, 0))->size(), AllZeroScrambledBytes(n));
        EXPECT_EQ(Scramble(Bytes(n, 0xFF))->size(), ScrambledCapacityFor(n));
    }
}

TEST(ScrambledBinary, OneByteOrTheKeyChangesTheScrambledForm) {
    std::mt19937 rng(7);
    const Bytes original = RandomBytes(rng, 40);
    const Bytes scrambled = *Scramble(original);
    for (std::size_t i = 0; i < original.size(); ++i) {
        Bytes changed = original;
        changed[i] ^= 0x01;
        EXPECT_NE(Scramble(changed), scrambled) << "byte " << i;
    }
    EXPECT_NE(Scramble(original, "KQMVS"), scrambled);
    EXPECT_NE(Unscramble(scrambled, original.size(), "KQMVS"), original);
}

TEST(ScrambledBinary, RefusesAnEmptyKeyAndOverlongInput) {
    const Bytes data = {1, 2, 3};
    EXPECT_EQ(Scramble(data, ""), std::nullopt);
    EXPECT_EQ(Scramble(data, nullptr), std::nullopt);
    const Bytes scrambled = *Scramble(data);
    EXPECT_EQ(Unscramble(scrambled, 16, ""), std::nullopt);
    EXPECT_EQ(Unscramble(Bytes(kMaxScrambledInputBytes + 1, 0x55), 16 * 1024), std::nullopt);
}

TEST(ScrambledBinary, ScrambleFailsWhenTheOutputIsOneByteShort) {
    std::mt19937 rng(3);
    for (const std::size_t n : {0u, 1u, 2u, 9u, 64u, 255u}) {
        SCOPED_TRACE(testing::Message() << "n = " << n);
        const Bytes data = RandomBytes(rng, n);
        const std::size_t m = Scramble(data)->size();
        Bytes exact(m);
        EXPECT_EQ(ScrambleBinaryValue(data.data(), n, kKey, exact.data(), m), m);
        Bytes shortOut(m - 1);
        EXPECT_EQ(ScrambleBinaryValue(data.data(), n, kKey, shortOut.data(), m - 1), std::nullopt);
    }
}

// Damaged or hostile input must stay inside both buffers; ASan checks the
// reads of the exact-size input and the writes into the exact-size output.
TEST(ScrambledBinary, HostileInputStaysWithinItsBuffers) {
    constexpr std::size_t kOutputCapacityBytes = 1024;
    std::mt19937 rng(42);
    std::size_t refused = 0;
    for (std::size_t m = 1; m <= kMaxScrambledInputBytes; ++m) {
        const std::optional<Bytes> restored = Unscramble(RandomBytes(rng, m), kOutputCapacityBytes);
        if (restored) {
            EXPECT_LE(restored->size(), kOutputCapacityBytes) << "m = " << m;
        } else {
            ++refused;
        }
    }
    // Random codes average about nine bits per two bytes, so the longer
    // buffers expand past the output and must have been refused.
    EXPECT_GT(refused, 0u);
}

TEST(ScrambledBinary, UnscrambleReportsAnOutputThatDoesNotFit) {
    constexpr std::size_t kZeroBytes = 1000;
    const Bytes scrambled = *Scramble(Bytes(kZeroBytes, 0));
    ASSERT_LT(scrambled.size(), kZeroBytes / 4);
    EXPECT_EQ(Unscramble(scrambled, kZeroBytes - 1), std::nullopt);
    EXPECT_EQ(Unscramble(scrambled, kZeroBytes), Bytes(kZeroBytes, 0));
}

}  // namespace
