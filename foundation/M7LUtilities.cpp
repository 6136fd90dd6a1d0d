#include "M7LUtilities.h"

#include <array>

namespace {

constexpr std::uint32_t kCrc32Polynomial = 0xEDB88320u;
constexpr int kBitsPerByte = 8;
constexpr std::size_t kCrc32TableEntries = 256;

constexpr std::array<std::uint32_t, kCrc32TableEntries> MakeCrc32Table() {
    std::array<std::uint32_t, kCrc32TableEntries> table{};
    for (std::uint32_t n = 0; n < kCrc32TableEntries; ++n) {
        std::uint32_t remainder = n;
        for (int bit = 0; bit < kBitsPerByte; ++bit) {
            remainder =
                (remainder & 1u) != 0 ? (remainder >> 1) ^ kCrc32Polynomial : remainder >> 1;
        }
        table[n] = remainder;
    }
    return table;
}

constexpr std::array<std::uint32_t, kCrc32TableEntries> kCrc32Table = MakeCrc32Table();

// Code units below these limits take one and two UTF-8 bytes; the rest three.
constexpr char16_t kUtf8OneByteLimit = 0x80;
constexpr char16_t kUtf8TwoByteLimit = 0x800;

constexpr unsigned char kContinuationMask = 0xC0;
constexpr unsigned char kContinuationTag = 0x80;
constexpr unsigned char kTwoByteLeadMask = 0xE0;
constexpr unsigned char kTwoByteLeadTag = 0xC0;
constexpr unsigned char kThreeByteLeadMask = 0xF0;
constexpr unsigned char kThreeByteLeadTag = 0xE0;

constexpr int kUtf8Done = 0;
constexpr int kUtf8OutputFull = 1;
constexpr int kUtf8Truncated = 2;
constexpr int kUtf8Invalid = 3;

bool IsContinuation(unsigned char byte) {
    return (byte & kContinuationMask) == kContinuationTag;
}

}  // namespace

void Crc32Update(std::uint32_t* value, const void* bytes, std::size_t count) {
    const auto* data = static_cast<const unsigned char*>(bytes);
    std::uint32_t crc = *value;
    for (std::size_t i = 0; i < count; ++i) {
        crc = kCrc32Table[(crc ^ data[i]) & 0xFFu] ^ (crc >> kBitsPerByte);
    }
    *value = crc;
}

int Utf16ToUtf8(const char16_t* text, char* out, std::size_t outSize) {
    std::size_t written = 0;
    for (const char16_t* unit = text; *unit != 0; ++unit) {
        const char16_t u = *unit;
        const std::size_t needed = u < kUtf8OneByteLimit ? 1 : u < kUtf8TwoByteLimit ? 2 : 3;
        // Room for this unit's bytes and the terminator.
        if (written + needed >= outSize) {
            if (outSize > 0) {
                out[0] = 0;
            }
            return kUtf8OutputFull;
        }
        if (needed == 1) {
            out[written++] = static_cast<char>(u);
        } else if (needed == 2) {
            out[written++] = static_cast<char>(kTwoByteLeadTag | ((u >> 6) & 0x1F));
            out[written++] = static_cast<char>(kContinuationTag | (u & 0x3F));
        } else {
            out[written++] = static_cast<char>(kThreeByteLeadTag | ((u >> 12) & 0x0F));
            out[written++] = static_cast<char>(kContinuationTag | ((u >> 6) & 0x3F));
            out[written++] = static_cast<char>(kContinuationTag | (u & 0x3F));
        }
    }
    if (outSize == 0) {
        return kUtf8OutputFull;
    }
    out[written] = 0;
    return kUtf8Done;
}

int Utf8ToUtf16(const char* text, char16_t* out, std::size_t count) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    std::size_t written = 0;
    std::size_t pos = 0;
    int result = kUtf8Done;
    while (bytes[pos] != 0) {
        if (written == count) {
            result = kUtf8OutputFull;
            break;
        }
        const unsigned char lead = bytes[pos];
        std::size_t continuations = 0;
        char16_t unit = 0;
        if (lead < kUtf8OneByteLimit) {
            unit = lead;
        } else if ((lead & kTwoByteLeadMask) == kTwoByteLeadTag) {
            continuations = 1;
            unit = static_cast<char16_t>(lead & 0x1F);
        } else if ((lead & kThreeByteLeadMask) == kThreeByteLeadTag) {
            continuations = 2;
            unit = static_cast<char16_t>(lead & 0x0F);
        } else {
            result = kUtf8Invalid;
            break;
        }
        // A sequence cut off by the end of the text is told apart from one
        // holding a bad byte, so look for the end before checking the bytes.
        for (std::size_t i = 1; i <= continuations && result == kUtf8Done; ++i) {
            if (bytes[pos + i] == 0) {
                result = kUtf8Truncated;
            }
        }
        for (std::size_t i = 1; i <= continuations && result == kUtf8Done; ++i) {
            if (!IsContinuation(bytes[pos + i])) {
                result = kUtf8Invalid;
            }
            unit = static_cast<char16_t>((unit << 6) | (bytes[pos + i] & 0x3F));
        }
        if (result != kUtf8Done) {
            break;
        }
        out[written++] = unit;
        pos += 1 + continuations;
    }
    out[result == kUtf8Done ? written : 0] = 0;
    return result;
}
