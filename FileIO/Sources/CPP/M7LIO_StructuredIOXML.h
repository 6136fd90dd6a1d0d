#pragma once

#include <cstddef>

#include "M7LIO_ScrambledBinary.h"

// What the XML writer and reader share: the fixed scrambling key and the
// limits of the files they exchange. The writer refuses what the reader
// could not take back, so every file it writes reads back whole.
inline constexpr const char* kM7LIO_XMLScrambleKey = "KQMVR";
inline constexpr std::size_t kM7LIO_XMLMaxNameChars = 127;
inline constexpr std::size_t kM7LIO_XMLMaxDepthLevels = 16;
inline constexpr std::size_t kM7LIO_XMLMaxValueBytes = 2047;
inline constexpr std::size_t kM7LIO_XMLMaxStringBytes = 1023;
inline constexpr std::size_t kM7LIO_XMLMaxWideUnits = 1023;
inline constexpr std::size_t kM7LIO_XMLMaxBinaryBytes = 1024;
// A scrambled value is decoded like a binary value before it is unscrambled,
// so its scrambled form obeys the same limit.
inline constexpr std::size_t kM7LIO_XMLMaxScrambledBytes = kMaxScrambledInputBytes;
static_assert(kM7LIO_XMLMaxScrambledBytes <= kM7LIO_XMLMaxBinaryBytes);
