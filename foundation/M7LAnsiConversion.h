#pragma once

#include <string_view>

// Conversions between the system's 8-bit code page and UTF-16. On this
// platform the 8-bit code page is UTF-8, so both are a strict UTF-8/UTF-16
// codec (surrogate pairs combined). The output is always terminated; a text
// that does not fit or is not well-formed gives an empty output and a
// non-zero result, so a path is never silently cut or altered.
int AnsiToWide(const char* text, char16_t* out, int capacity);
int WideToAnsi(const char16_t* text, char* out, int capacity);

// The one well-formed UTF-8 sequence at the start of text: its length, with
// its code point; 0 for an ill-formed sequence or one cut off by the end of
// text (overlong forms, encoded surrogates and values above U+10FFFF are
// ill-formed).
int DecodeUtf8(std::string_view text, char32_t& codePoint);
// Writes the UTF-8 form of a code point up to U+10FFFF (at most
// kMaxUtf8SequenceBytes bytes, no terminator) and answers its length.
inline constexpr int kMaxUtf8SequenceBytes = 4;
int EncodeUtf8(char32_t codePoint, char* out);
