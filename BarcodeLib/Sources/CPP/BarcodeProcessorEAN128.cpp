#include "BarcodeProcessorEAN128.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>

#include "BarcodeText.h"

namespace Strivelo {

namespace {

constexpr const char* kName = "EAN-128";

// Application identifiers of the GS1 General Specifications with their data
// lengths; GS1 lists 423 as n3+n..12 and 8008 as n8+n..4, so both are of
// variable length up to 15 and 12 characters. No AI is a prefix of another, so a text matches one
// row at most.
constexpr EAN128AIRow EAN128AITable[] = {
    // first, last, max data length, predefined length, extra digit, may be shorter
    {"00", "00", 18, true, false, false},      {"01", "02", 14, true, false, false},
    {"10", "10", 20, false, false, true},      {"11", "13", 6, true, false, false},
    {"15", "15", 6, true, false, false},       {"17", "17", 6, true, false, false},
    {"20", "20", 2, true, false, false},       {"21", "21", 20, false, false, true},
    {"22", "22", 29, false, false, true},      {"23", "23", 19, false, false, true},
    {"240", "241", 30, false, false, true},    {"250", "251", 30, false, false, true},
    {"253", "253", 30, false, false, true},    {"30", "30", 8, false, false, true},
    {"310", "316", 6, true, true, false},      {"320", "337", 6, true, true, false},
    {"340", "357", 6, true, true, false},      {"360", "369", 6, true, true, false},
    {"37", "37", 8, false, false, true},       {"390", "390", 15, false, true, true},
    {"391", "391", 18, false, true, true},     {"392", "392", 15, false, true, true},
    {"393", "393", 18, false, true, true},     {"400", "401", 30, false, false, true},
    {"402", "402", 17, false, false, false},   {"403", "403", 30, false, false, true},
    {"410", "415", 13, true, false, false},    {"420", "420", 20, false, false, true},
    {"421", "421", 12, false, false, true},    {"422", "422", 3, false, false, false},
    {"423", "423", 15, false, false, true},    {"424", "426", 3, false, false, false},
    {"7001", "7001", 13, false, false, false}, {"7002", "7002", 30, false, false, true},
    {"8001", "8001", 14, false, false, false}, {"8002", "8002", 20, false, false, true},
    {"8003", "8004", 30, false, false, true},  {"8005", "8005", 6, false, false, false},
    {"8006", "8006", 18, false, false, false}, {"8007", "8007", 30, false, false, true},
    {"8008", "8008", 12, false, false, true},  {"8018", "8018", 18, false, false, false},
    {"8020", "8020", 25, false, false, true},  {"8100", "8100", 6, false, false, false},
    {"8101", "8101", 10, false, false, false}, {"8102", "8102", 2, false, false, false},
    {"90", "99", 30, false, false, true},
};

// Every AI has two to four digits, the extra digit included.
constexpr std::size_t kMinAIDigits = 2;
constexpr std::size_t kMaxAIDigits = 4;
constexpr std::size_t kTwoDigitPrefixes = 100;

constexpr int NumberOf(const char* digits, std::size_t count) {
    int number = 0;
    for (std::size_t i = 0; i < count; ++i) {
        number = number * 10 + DigitValue(digits[i]);
    }
    return number;
}

constexpr std::size_t LengthOf(const char* text) {
    std::size_t length = 0;
    while (text[length] != '\0') {
        ++length;
    }
    return length;
}

// A row's AI digits as numbers: between digit strings of one length the
// byte order is the numeric one.
struct AIKey {
    std::size_t digits;
    std::size_t aiLength;
    int first;
    int last;
};

constexpr std::size_t kAIRows = std::size(EAN128AITable);

constexpr std::array<AIKey, kAIRows> kAIKeys = [] {
    std::array<AIKey, kAIRows> keys{};
    for (std::size_t r = 0; r < kAIRows; ++r) {
        const EAN128AIRow& row = EAN128AITable[r];
        const std::size_t digits = LengthOf(row.first);
        const std::size_t aiLength = digits + (row.extraDigit ? 1 : 0);
        if (LengthOf(row.last) != digits || digits < kMinAIDigits || aiLength > kMaxAIDigits) {
            throw "every row's AIs have two to four digits, first and last alike";
        }
        for (std::size_t i = 0; i < digits; ++i) {
            if (!IsDigit(row.first[i]) || !IsDigit(row.last[i])) {
                throw "AIs are digits";
            }
        }
        keys[r] = {.digits = digits,
                   .aiLength = aiLength,
                   .first = NumberOf(row.first, digits),
                   .last = NumberOf(row.last, digits)};
    }
    return keys;
}();

// The rows an AI beginning with each two digits may match, as a range of the
// table; a row outside it has other leading digits.
struct RowRange {
    std::size_t begin = kAIRows;
    std::size_t end = 0;
};

constexpr std::array<RowRange, kTwoDigitPrefixes> kRowsByPrefix = [] {
    std::array<RowRange, kTwoDigitPrefixes> ranges{};
    for (std::size_t r = 0; r < kAIRows; ++r) {
        const AIKey& key = kAIKeys[r];
        int scale = 1;
        for (std::size_t i = kMinAIDigits; i < key.digits; ++i) {
            scale *= 10;
        }
        for (int prefix = key.first / scale; prefix <= key.last / scale; ++prefix) {
            RowRange& range = ranges[static_cast<std::size_t>(prefix)];
            range.begin = std::min(range.begin, r);
            range.end = std::max(range.end, r + 1);
        }
    }
    return ranges;
}();

constexpr char kSeparator[] = "%FNC1";
constexpr std::size_t kSeparatorLength = sizeof kSeparator - 1;
// Data after an unknown AI is copied up to the next separator; the text that
// results is no valid user code.
constexpr std::size_t kUnknownFieldLimit = 4096;

// The human-readable line is laid out on a module of 1.016 mm per unit of
// magnification, and dropped below the lower bearer bar.
constexpr double kTextModulePerMagnificationMm = 1.016;
constexpr double kBearerBarTextDropPerMagnificationMm = 2.032;

// Control characters would read back as escapes and bytes of 0x80 and more
// have no symbol character, so data holds printable ASCII only.
bool IsDataCharacter(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x20 && byte < 0x80;
}

bool StartsWith(const char* text, std::size_t length, const char* prefix, std::size_t count) {
    return count <= length && std::memcmp(text, prefix, count) == 0;
}

// Writes at most capacity characters and keeps the text terminated.
class BoundedText {
public:
    BoundedText(char* out, std::size_t capacity) : out_(out), capacity_(capacity) {
        out_[0] = '\0';
    }

    bool Put(const char* text, std::size_t count) {
        if (count > capacity_ - length_) {
            return false;
        }
        std::memcpy(out_ + length_, text, count);
        length_ += count;
        out_[length_] = '\0';
        return true;
    }
    bool Put(char c) { return Put(&c, 1); }

private:
    char* out_;
    std::size_t capacity_;
    std::size_t length_ = 0;
};

struct Field {
    const char* ai;
    std::size_t aiLength;
    const char* data;
    std::size_t dataLength;
};

// Calls visit for every "(" AI ")" data field of a user code; false at the
// first field that breaks the rules of its AI, or when visit refuses.
template <typename Visit>
bool ForEachField(const char* code, Visit visit) {
    const std::size_t length = std::strlen(code);
    for (std::size_t p = 0; p < length;) {
        if (code[p] != '(') {
            return false;
        }
        const EAN128AIRow* row = nullptr;
        const std::size_t aiLength =
            BarcodeProcessorEAN128::FindAI(code + p + 1, length - p - 1, &row);
        const std::size_t close = p + 1 + aiLength;
        if (aiLength == 0 || close >= length || code[close] != ')') {
            return false;
        }
        std::size_t end = close + 1;
        while (end < length && code[end] != '(') {
            ++end;
        }
        const std::size_t dataLength = end - close - 1;
        if (dataLength > row->maxDataLength ||
            (dataLength < row->maxDataLength && !row->mayBeShorter) ||
            !visit(Field{code + p + 1, aiLength, code + close + 1, dataLength})) {
            return false;
        }
        p = end;
    }
    return true;
}

}  // namespace

std::int32_t BarcodeProcessorEAN128::GetType() const {
    return kBarcodeTypeEAN128;
}

const char* BarcodeProcessorEAN128::GetName() const {
    return kName;
}

// Each field is cut at its AI's maximum length or at a separator.
bool BarcodeProcessorEAN128::EncodedToCode(const char* encoded, char* code,
                                           std::size_t capacity) const {
    if (encoded == nullptr || code == nullptr) {
        return false;
    }
    const std::size_t length = std::strlen(encoded);
    if (!StartsWith(encoded, length, kSeparator, kSeparatorLength)) {
        return false;
    }
    BoundedText out(code, capacity);
    for (std::size_t p = kSeparatorLength; p < length;) {
        const EAN128AIRow* row = nullptr;
        const std::size_t aiLength = FindAI(encoded + p, length - p, &row);
        std::size_t limit = kUnknownFieldLimit;
        if (aiLength != 0) {
            if (!out.Put('(') || !out.Put(encoded + p, aiLength) || !out.Put(')')) {
                return false;
            }
            p += aiLength;
            limit = row->maxDataLength;
        }
        for (std::size_t copied = 0; p < length && copied < limit; ++copied) {
            if (encoded[p] != '%') {
                if (!out.Put(encoded[p])) {
                    return false;
                }
                ++p;
                continue;
            }
            if (StartsWith(encoded + p, length - p, kSeparator, kSeparatorLength)) {
                p += kSeparatorLength;
                break;
            }
            // "%%" is the only escape that data can hold.
            if (encoded[p + 1] != '%' || !out.Put('%')) {
                return false;
            }
            p += 2;
        }
    }
    return true;
}

bool BarcodeProcessorEAN128::CodeToEncoded(const char* code, char* encoded,
                                           std::size_t capacity) const {
    if (code == nullptr || encoded == nullptr) {
        return false;
    }
    BoundedText out(encoded, capacity);
    bool separate = false;
    return out.Put(kSeparator, kSeparatorLength) && ForEachField(code, [&](const Field& field) {
               if (separate && !out.Put(kSeparator, kSeparatorLength)) {
                   return false;
               }
               separate = NeedsSeparatorAfter(field.ai, field.aiLength);
               if (!out.Put(field.ai, field.aiLength)) {
                   return false;
               }
               for (std::size_t i = 0; i < field.dataLength; ++i) {
                   if (!IsDataCharacter(field.data[i]) || (field.data[i] == '%' && !out.Put('%')) ||
                       !out.Put(field.data[i])) {
                       return false;
                   }
               }
               return true;
           });
}

// The encoded form must make Code 128 symbol values too.
bool BarcodeProcessorEAN128::IsCodeValid(const char* code) const {
    return code != nullptr && code[0] != '\0' && BarcodeProcessorCode128::IsCodeValid(code);
}

bool BarcodeProcessorEAN128::CorrectCode(M7LString& code) const {
    return IsCodeValid(code.CStr());
}

// Code 128 draws frame, bars and bearer bars with the encoded code; the text
// line shows the user code with its parentheses.
bool BarcodeProcessorEAN128::Generate() {
    if (!IsCodeValid(GetCode())) {
        return false;
    }
    const bool humanReadable = GetHumanReadable();
    SetHumanReadable(false);
    const bool drawn = BarcodeProcessorCode128::Generate();
    SetHumanReadable(humanReadable);
    const double textModule = kTextModulePerMagnificationMm * GetMagnification();
    if (!drawn || !(textModule > 0.0)) {
        return false;
    }
    if (!humanReadable) {
        return true;
    }
    double baseline = -TextSizeMm() - textModule;
    if (GetBearerBars()) {
        baseline -= kBearerBarTextDropPerMagnificationMm * GetMagnification();
    }
    const char* const code = GetCode();
    return EmitTextLine(code, std::strlen(code), QuietZoneMm(textModule), baseline);
}

std::size_t BarcodeProcessorEAN128::FindAI(const char* text, std::size_t length,
                                           const EAN128AIRow** row) {
    if (text == nullptr) {
        return 0;
    }
    std::size_t leadingDigits = 0;
    while (leadingDigits < length && leadingDigits < kMaxAIDigits && IsDigit(text[leadingDigits])) {
        ++leadingDigits;
    }
    if (leadingDigits < kMinAIDigits) {
        return 0;
    }
    const RowRange& range = kRowsByPrefix[static_cast<std::size_t>(NumberOf(text, kMinAIDigits))];
    for (std::size_t r = range.begin; r < range.end; ++r) {
        const AIKey& key = kAIKeys[r];
        if (key.aiLength > leadingDigits) {
            continue;
        }
        const int number = NumberOf(text, key.digits);
        if (number >= key.first && number <= key.last) {
            if (row != nullptr) {
                *row = &EAN128AITable[r];
            }
            return key.aiLength;
        }
    }
    return 0;
}

bool BarcodeProcessorEAN128::NeedsSeparatorAfter(const char* ai, std::size_t length) {
    const EAN128AIRow* row = nullptr;
    const std::size_t found = FindAI(ai, length, &row);
    return found == 0 || found != length || !row->predefinedLength;
}

}  // namespace Strivelo
