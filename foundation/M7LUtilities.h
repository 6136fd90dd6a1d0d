#pragma once

#include <cstddef>
#include <cstdint>

// Continues a reflected CRC-32 (polynomial 0xEDB88320) from *value over the
// bytes; no inversion before or after, the caller chooses start and end.
void Crc32Update(std::uint32_t* value, const void* bytes, std::size_t count);

// Each UTF-16 unit is encoded by itself (surrogates are not combined); the
// matched decoder below reads those forms back. 0 when done, 1 when the
// output (outSize bytes including the NUL) is too small; then it is emptied.
int Utf16ToUtf8(const char16_t* text, char* out, std::size_t outSize);

// out holds count units plus the terminating zero unit. 0 when done, 1 when
// the output is full, 2 for a sequence cut off by the end of the text, 3 for
// an invalid byte; the output is emptied on every failure.
int Utf8ToUtf16(const char* text, char16_t* out, std::size_t count);

// The nearest integral value, halves away from zero.
double RoundHalfAwayFromZero(double value);
