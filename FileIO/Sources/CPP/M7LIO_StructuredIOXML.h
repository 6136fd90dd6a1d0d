#pragma once

#include <cstddef>

// What the XML writer and reader share: the fixed scrambling key and the
// limits of the files they exchange.
inline constexpr const char* kM7LIO_XMLScrambleKey = "KQMVR";
inline constexpr std::size_t kM7LIO_XMLMaxNameChars = 127;
inline constexpr std::size_t kM7LIO_XMLMaxDepth = 16;
inline constexpr std::size_t kM7LIO_XMLMaxValueBytes = 2047;
inline constexpr std::size_t kM7LIO_XMLMaxStringBytes = 1023;
inline constexpr std::size_t kM7LIO_XMLMaxWideUnits = 1023;
inline constexpr std::size_t kM7LIO_XMLMaxBinaryBytes = 1024;
inline constexpr std::size_t kM7LIO_XMLMaxScrambledBytes = 2048;
