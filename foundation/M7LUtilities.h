#pragma once

#include <cmath>
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

// The nearest integral value, halves away from zero: std::round's result,
// inline because the decoders round every element they measure.
inline double RoundHalfAwayFromZero(double value) {
    // From 2^52 on every double is integral; infinities and NaN pass too.
    constexpr double kFirstIntegralOnly = 4503599627370496.0;
    const double magnitude = std::fabs(value);
    if (!(magnitude < kFirstIntegralOnly)) {
        return value;
    }
    // Truncating and subtracting are exact below 2^52.
    const double whole = static_cast<double>(static_cast<std::int64_t>(magnitude));
    return std::copysign(magnitude - whole >= 0.5 ? whole + 1.0 : whole, value);
}
