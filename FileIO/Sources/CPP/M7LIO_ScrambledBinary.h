#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

// Keyed scrambling of binary values: the bytes are packed with a short
// prefix code, mixed, transposed and XORed with a keyed stream. Equal inputs
// under equal keys give equal outputs; there is no integrity check, so a
// wrong key or damaged data unscrambles to other bytes.

// The largest scrambled length of n input bytes.
std::size_t ScrambledCapacityFor(std::size_t n);

// The scrambled length, or nothing when it does not fit into capacity bytes
// or the key is empty.
std::optional<std::size_t> ScrambleBinaryValue(const std::uint8_t* in, std::size_t n,
                                               const char* key, std::uint8_t* out,
                                               std::size_t capacity);

// The number of bytes restored, or nothing when they do not fit into
// capacity bytes, the input exceeds kMaxScrambledInputBytes or the key is
// empty.
inline constexpr std::size_t kMaxScrambledInputBytes = 1024;
std::optional<std::size_t> UnscrambleBinaryValue(const std::uint8_t* in, std::size_t m,
                                                 const char* key, std::uint8_t* out,
                                                 std::size_t capacity);
