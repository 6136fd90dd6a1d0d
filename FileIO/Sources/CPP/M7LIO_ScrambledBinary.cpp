#include "M7LIO_ScrambledBinary.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <initializer_list>
#include <limits>

namespace {

constexpr std::uint16_t kMixPass1StartState = 4330;
constexpr std::uint16_t kMixPass2StartState = 1533;
constexpr std::uint16_t kMixPass3StartState = 2610;
constexpr std::uint32_t kKeyGeneratorStartState = 0x2C5E9A17u;
constexpr std::uint16_t kKeyChainStartState = 0x71D3u;

constexpr std::uint32_t kChainOffset = 22719u;
constexpr std::uint32_t kChainMultiplier = 12691u;

constexpr std::uint32_t kKeyGeneratorMultiplier = 1103515245u;
constexpr std::uint32_t kKeyGeneratorIncrement = 12345u;
constexpr unsigned kKeyGeneratorByteShiftBits = 16;

constexpr std::size_t kKeyBlockBytes = 16;
constexpr std::size_t kTransposeBlockBytes = 8;
constexpr std::size_t kBitsPerByte = 8;

// Prefix codes of the packed 16-bit values.
constexpr std::uint32_t kSmallValueLimit = 128;
constexpr unsigned kSmallValueBits = 7;
constexpr unsigned kLargeValueBits = 16;
constexpr std::size_t kWorstCodeBits = 2 + kLargeValueBits;

// F(s, x) of the mixing and keyed steps, computed in 32 bits so that nothing
// overflows a signed type; only the low 16 bits are kept.
std::uint16_t Advance(std::uint16_t s, std::uint8_t x) {
    return static_cast<std::uint16_t>(kChainOffset - (std::uint32_t{s} + x) * kChainMultiplier);
}

std::uint8_t High(std::uint16_t s) {
    return static_cast<std::uint8_t>(s >> kBitsPerByte);
}

// Bit i of a byte counted from the most significant bit.
constexpr std::array<std::uint8_t, kBitsPerByte> kBitFromMsb = {0x80, 0x40, 0x20, 0x10,
                                                                0x08, 0x04, 0x02, 0x01};

bool BitAt(const std::uint8_t* bytes, std::size_t bit) {
    return (bytes[bit / kBitsPerByte] & kBitFromMsb[bit % kBitsPerByte]) != 0;
}

void SetBit(std::uint8_t* bytes, std::size_t bit) {
    bytes[bit / kBitsPerByte] |= kBitFromMsb[bit % kBitsPerByte];
}

// Writes bits from the most significant end of each byte; a byte is cleared
// when the stream first touches it, and nothing is written past capacity.
class BitWriter {
public:
    BitWriter(std::uint8_t* bytes, std::size_t capacity) : bytes_(bytes), capacity_(capacity) {}

    bool Put(std::uint32_t value, unsigned bitCount) {
        for (unsigned i = bitCount; i-- > 0;) {
            if (bits_ % kBitsPerByte == 0) {
                if (bits_ / kBitsPerByte >= capacity_) {
                    return false;
                }
                bytes_[bits_ / kBitsPerByte] = 0;
            }
            if (((value >> i) & 1u) != 0) {
                SetBit(bytes_, bits_);
            }
            ++bits_;
        }
        return true;
    }

    std::size_t BytesTouched() const { return (bits_ + kBitsPerByte - 1) / kBitsPerByte; }

private:
    std::uint8_t* bytes_;
    std::size_t capacity_;
    std::size_t bits_ = 0;
};

class BitReader {
public:
    BitReader(const std::uint8_t* bytes, std::size_t byteCount)
        : bytes_(bytes), bitCount_(byteCount * kBitsPerByte) {}

    std::size_t Remaining() const { return bitCount_ - bits_; }

    // False when fewer than bitCount bits are left; then nothing is read.
    bool Take(unsigned bitCount, std::uint32_t& value) {
        if (Remaining() < bitCount) {
            return false;
        }
        value = 0;
        for (unsigned i = 0; i < bitCount; ++i) {
            value = (value << 1) | (BitAt(bytes_, bits_++) ? 1u : 0u);
        }
        return true;
    }

private:
    const std::uint8_t* bytes_;
    std::size_t bitCount_;
    std::size_t bits_ = 0;
};

// The count byte and then each big-endian 16-bit value as 10 (zero),
// 0 + seven bits (below 128) or 11 + sixteen bits; an odd last byte is the
// high byte of its value.
std::optional<std::size_t> Pack(const std::uint8_t* in, std::size_t n, std::uint8_t* out,
                                std::size_t capacity) {
    if (capacity < 1) {
        return std::nullopt;
    }
    out[0] = static_cast<std::uint8_t>(n);
    BitWriter writer(out + 1, capacity - 1);
    for (std::size_t i = 0; i < n; i += 2) {
        const std::uint32_t v = (std::uint32_t{in[i]} << 8) | (i + 1 < n ? in[i + 1] : 0u);
        bool ok = false;
        if (v == 0) {
            ok = writer.Put(0b10, 2);
        } else if (v < kSmallValueLimit) {
            ok = writer.Put(v, 1 + kSmallValueBits);
        } else {
            ok = writer.Put(0b11, 2) && writer.Put(v, kLargeValueBits);
        }
        if (!ok) {
            return std::nullopt;
        }
    }
    return 1 + writer.BytesTouched();
}

// Inverse of Pack. Output ends when the count (modulo 256) is reached within
// the last byte of the stream, which also finds the end of inputs of 256 bytes
// or more, or when the stream runs out.
std::optional<std::size_t> Unpack(const std::uint8_t* in, std::size_t m, std::uint8_t* out,
                                  std::size_t capacity) {
    const std::uint8_t count = in[0];
    BitReader reader(in + 1, m - 1);
    std::size_t written = 0;
    const auto atEnd = [&] {
        return static_cast<std::uint8_t>(written) == count && reader.Remaining() < kBitsPerByte;
    };
    while (!atEnd()) {
        std::uint32_t bit = 0;
        std::uint32_t v = 0;
        if (!reader.Take(1, bit)) {
            break;
        }
        if (bit == 0) {
            if (!reader.Take(kSmallValueBits, v)) {
                break;
            }
        } else {
            if (!reader.Take(1, bit)) {
                break;
            }
            if (bit == 1 && !reader.Take(kLargeValueBits, v)) {
                break;
            }
        }
        for (const std::uint8_t byte :
             {High(static_cast<std::uint16_t>(v)), static_cast<std::uint8_t>(v)}) {
            if (written == capacity) {
                return std::nullopt;
            }
            out[written++] = byte;
            if (atEnd()) {
                break;
            }
        }
    }
    return written;
}

// Each pass XORs a byte with the high byte of the state and feeds the plain
// byte (before scrambling, after unscrambling) to the state.
void MixDown(std::uint8_t* b, std::size_t m, bool undo) {
    std::uint16_t s = kMixPass1StartState;
    for (std::size_t i = m; i-- > 0;) {
        const std::uint8_t before = b[i];
        b[i] ^= High(s);
        s = Advance(s, undo ? b[i] : before);
    }
}

void MixUp(std::uint8_t* b, std::size_t m, bool undo) {
    std::uint16_t s = kMixPass2StartState;
    for (std::size_t i = 0; i < m; ++i) {
        const std::uint8_t before = b[i];
        b[i] ^= High(s);
        s = Advance(s, undo ? b[i] : before);
    }
}

// Pairs from the middle outwards; with m odd the last byte stays as it is.
void MixFromMiddle(std::uint8_t* b, std::size_t m, bool undo) {
    std::uint16_t s = kMixPass3StartState;
    const std::size_t h = m / 2;
    for (std::size_t i = 0; i < h; ++i) {
        std::uint8_t& r = b[h - 1 - i];
        std::uint8_t& c = b[h + i];
        const std::uint8_t rBefore = r;
        r ^= High(s);
        const std::uint16_t t = Advance(s, undo ? r : rBefore);
        const std::uint8_t cBefore = c;
        c ^= High(t);
        s = Advance(t, undo ? c : cBefore);
    }
}

// Blocks of 8 bytes from the start, the last one possibly shorter (k bytes).
// Output bit p of a block, in reading order, is bit p / k of input byte
// p % k; for a full block that is the 8 x 8 bit transpose, its own inverse.
void Regroup(std::uint8_t* b, std::size_t m, bool undo) {
    for (std::size_t start = 0; start < m; start += kTransposeBlockBytes) {
        const std::size_t k = std::min(kTransposeBlockBytes, m - start);
        std::array<std::uint8_t, kTransposeBlockBytes> source{};
        std::memcpy(source.data(), b + start, k);
        std::memset(b + start, 0, k);
        for (std::size_t p = 0; p < k * kBitsPerByte; ++p) {
            const std::size_t grouped = (p % k) * kBitsPerByte + p / k;
            const std::size_t read = undo ? p : grouped;
            const std::size_t write = undo ? grouped : p;
            if (BitAt(source.data(), read)) {
                SetBit(b + start, write);
            }
        }
    }
}

// Its own inverse: the key block is renewed every 16 bytes from the
// generator, the chaining state and the previous key block.
void KeyedXor(std::uint8_t* b, std::size_t m, const char* key, std::size_t keyLength) {
    std::array<std::uint8_t, kKeyBlockBytes> block{};
    for (std::size_t j = 0; j < kKeyBlockBytes; ++j) {
        block[j] = static_cast<std::uint8_t>(key[j % keyLength]);
    }
    std::uint32_t g = kKeyGeneratorStartState;
    std::uint16_t s = kKeyChainStartState;
    for (std::size_t i = 0; i < m; ++i) {
        if (i % kKeyBlockBytes == 0) {
            for (std::uint8_t& keyByte : block) {
                g = g * kKeyGeneratorMultiplier + kKeyGeneratorIncrement;
                const std::uint8_t mixed =
                    keyByte ^ static_cast<std::uint8_t>(g >> kKeyGeneratorByteShiftBits);
                keyByte = mixed ^ High(s);
                s = Advance(s, mixed);
            }
        }
        b[i] ^= block[i % kKeyBlockBytes];
    }
}

// Rounds of stride 1, 2, 4, ... below m; each byte is XORed into the one a
// stride further on, wrapping, with updates visible at once.
void ChainXor(std::uint8_t* b, std::size_t m) {
    for (std::size_t a = 1; a < m; a *= 2) {
        for (std::size_t i = 0; i < m; ++i) {
            b[(i + a) % m] ^= b[i];
        }
    }
}

void UndoChainXor(std::uint8_t* b, std::size_t m) {
    if (m < 2) {
        return;
    }
    std::size_t a = 1;
    while (a * 2 < m) {
        a *= 2;
    }
    for (; a >= 1; a /= 2) {
        for (std::size_t i = m + a - 1; i >= a; --i) {
            b[i % m] ^= b[i - a];
        }
    }
}

std::size_t KeyLength(const char* key) {
    return key == nullptr ? 0 : std::strlen(key);
}

}  // namespace

std::size_t ScrambledCapacityFor(std::size_t n) {
    const std::size_t values = n / 2 + n % 2;
    if (values > (std::numeric_limits<std::size_t>::max() - (kBitsPerByte - 1)) / kWorstCodeBits) {
        return std::numeric_limits<std::size_t>::max();
    }
    return 1 + (values * kWorstCodeBits + kBitsPerByte - 1) / kBitsPerByte;
}

std::optional<std::size_t> ScrambleBinaryValue(const std::uint8_t* in, std::size_t n,
                                               const char* key, std::uint8_t* out,
                                               std::size_t capacity) {
    const std::size_t keyLength = KeyLength(key);
    if (keyLength == 0) {
        return std::nullopt;
    }
    const std::optional<std::size_t> packed = Pack(in, n, out, capacity);
    if (!packed) {
        return std::nullopt;
    }
    const std::size_t m = *packed;
    MixDown(out, m, false);
    MixUp(out, m, false);
    MixFromMiddle(out, m, false);
    Regroup(out, m, false);
    KeyedXor(out, m, key, keyLength);
    Regroup(out, m, false);
    ChainXor(out, m);
    return m;
}

std::optional<std::size_t> UnscrambleBinaryValue(const std::uint8_t* in, std::size_t m,
                                                 const char* key, std::uint8_t* out,
                                                 std::size_t capacity) {
    const std::size_t keyLength = KeyLength(key);
    if (keyLength == 0 || m > kMaxScrambledInputBytes) {
        return std::nullopt;
    }
    if (m == 0) {
        return 0;
    }
    std::array<std::uint8_t, kMaxScrambledInputBytes> work;
    std::memcpy(work.data(), in, m);
    UndoChainXor(work.data(), m);
    Regroup(work.data(), m, true);
    KeyedXor(work.data(), m, key, keyLength);
    Regroup(work.data(), m, true);
    MixFromMiddle(work.data(), m, true);
    MixUp(work.data(), m, true);
    MixDown(work.data(), m, true);
    return Unpack(work.data(), m, out, capacity);
}
