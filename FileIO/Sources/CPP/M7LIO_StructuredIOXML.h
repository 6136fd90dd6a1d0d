#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "M7LIO_ScrambledBinary.h"

// What the XML writer and reader share: the fixed scrambling key, the limits
// of the files they exchange and the characters XML allows. The writer
// refuses what the reader could not take back, and writes back whole
// whatever the reader takes.
inline constexpr const char* kM7LIO_XMLScrambleKey = "KQMVR";
inline constexpr std::size_t kM7LIO_XMLMaxNameChars = 127;
inline constexpr std::size_t kM7LIO_XMLMaxDepthLevels = 16;
// Unescaped string and attribute-string values.
inline constexpr std::size_t kM7LIO_XMLMaxStringBytes = 1023;
// The UTF-8 form of a wide string value, and its UTF-16 units.
inline constexpr std::size_t kM7LIO_XMLMaxWideBytes = 2047;
inline constexpr std::size_t kM7LIO_XMLMaxWideUnits = 1023;
// The longest entity the writer puts for one character: "&quot;".
inline constexpr std::size_t kM7LIO_XMLLongestEntityBytes = 6;
// A value as it stands in the file: room for the longest value with every
// character escaped.
inline constexpr std::size_t kM7LIO_XMLMaxValueBytes =
    kM7LIO_XMLLongestEntityBytes * kM7LIO_XMLMaxWideBytes;
inline constexpr std::size_t kM7LIO_XMLMaxBinaryBytes = 1024;
// A scrambled value is decoded like a binary value before it is unscrambled,
// so its scrambled form obeys the same limit.
inline constexpr std::size_t kM7LIO_XMLMaxScrambledBytes = kMaxScrambledInputBytes;
static_assert(kM7LIO_XMLMaxScrambledBytes <= kM7LIO_XMLMaxBinaryBytes);

// A character XML 1.0 allows in a document.
bool IsXmlCharacter(char32_t character);
// Well-formed UTF-8 holding only characters XML 1.0 allows.
bool IsXmlText(std::string_view text);
// An XML 1.0 name.
bool IsXmlName(std::string_view name);
// The text with every byte that does not start a well-formed UTF-8
// sequence, and every character XML 1.0 forbids, replaced by U+FFFD.
std::string ReplaceNonXmlCharacters(std::string_view text);
