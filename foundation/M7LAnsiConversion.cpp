#include "M7LAnsiConversion.h"

#include <cstring>

namespace {

constexpr int kConversionOk = 0;
constexpr int kConversionFailed = 1;

constexpr char32_t kFirstSupplementary = 0x10000;
constexpr char16_t kHighSurrogateFirst = 0xD800;
constexpr char16_t kLowSurrogateFirst = 0xDC00;
constexpr char16_t kSurrogateLast = 0xDFFF;

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

template <typename Unit>
int Fail(Unit* out, int capacity) {
    if (out != nullptr && capacity > 0) {
        out[0] = 0;
    }
    return kConversionFailed;
}

}  // namespace

// The accepted second-byte ranges exclude overlong forms, encoded surrogates
// and values above U+10FFFF.
int DecodeUtf8(std::string_view text, char32_t& codePoint) {
    if (text.empty()) {
        return 0;
    }
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    int length = 0;
    unsigned char secondMin = 0x80;
    unsigned char secondMax = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
        secondMin = lead == 0xE0 ? 0xA0 : 0x80;
        secondMax = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
        secondMin = lead == 0xF0 ? 0x90 : 0x80;
        secondMax = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < static_cast<std::size_t>(length)) {
        return 0;
    }
    const auto second = static_cast<unsigned char>(text[1]);
    if (second < secondMin || second > secondMax) {
        return 0;
    }
    for (int i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (!IsContinuation(byte)) {
            return 0;
        }
        codePoint = (codePoint << 6) | (byte & 0x3F);
    }
    return length;
}

int EncodeUtf8(char32_t codePoint, char* out) {
    const int length = codePoint < 0x80 ? 1 : codePoint < 0x800 ? 2 : codePoint < 0x10000 ? 3 : 4;
    if (length == 1) {
        out[0] = static_cast<char>(codePoint);
        return 1;
    }
    static constexpr unsigned char kLeadMarks[] = {0, 0, 0xC0, 0xE0, 0xF0};
    out[0] = static_cast<char>(kLeadMarks[length] | (codePoint >> (6 * (length - 1))));
    for (int i = 1; i < length; ++i) {
        out[i] = static_cast<char>(0x80 | ((codePoint >> (6 * (length - 1 - i))) & 0x3F));
    }
    return length;
}

int AnsiToWide(const char* text, char16_t* out, int capacity) {
    if (text == nullptr || out == nullptr || capacity <= 0) {
        return Fail(out, capacity);
    }
    int written = 0;
    while (*text != 0) {
        char32_t codePoint = 0;
        const int length =
            DecodeUtf8(std::string_view(text, ::strnlen(text, kMaxUtf8SequenceBytes)), codePoint);
        if (length == 0) {
            return Fail(out, capacity);
        }
        const int units = codePoint >= kFirstSupplementary ? 2 : 1;
        if (written + units >= capacity) {
            return Fail(out, capacity);
        }
        if (units == 2) {
            const char32_t offset = codePoint - kFirstSupplementary;
            out[written++] = static_cast<char16_t>(kHighSurrogateFirst + (offset >> 10));
            out[written++] = static_cast<char16_t>(kLowSurrogateFirst + (offset & 0x3FF));
        } else {
            out[written++] = static_cast<char16_t>(codePoint);
        }
        text += length;
    }
    out[written] = 0;
    return kConversionOk;
}

int WideToAnsi(const char16_t* text, char* out, int capacity) {
    if (text == nullptr || out == nullptr || capacity <= 0) {
        return Fail(out, capacity);
    }
    int written = 0;
    while (*text != 0) {
        char32_t codePoint = *text;
        int consumed = 1;
        if (codePoint >= kHighSurrogateFirst && codePoint <= kSurrogateLast) {
            const char16_t low = text[1];
            if (codePoint >= kLowSurrogateFirst || low < kLowSurrogateFirst ||
                low > kSurrogateLast) {
                return Fail(out, capacity);
            }
            codePoint = kFirstSupplementary + ((codePoint - kHighSurrogateFirst) << 10) +
                        (low - kLowSurrogateFirst);
            consumed = 2;
        }
        char sequence[kMaxUtf8SequenceBytes];
        const int length = EncodeUtf8(codePoint, sequence);
        if (written + length >= capacity) {
            return Fail(out, capacity);
        }
        for (int i = 0; i < length; ++i) {
            out[written++] = sequence[i];
        }
        text += consumed;
    }
    out[written] = 0;
    return kConversionOk;
}
