#include "BarcodeProcessorISBN.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <span>
#include <string_view>

#include "BarcodeEANUPCText.h"
#include "BarcodeGS1CheckSum.h"
#include "BarcodeISBNRanges.h"
#include "BarcodeText.h"

namespace Strivelo {

namespace {

constexpr const char* kOCRBFont = "OCRB";

constexpr int kISBNDigits = 9;
constexpr const char* kDefaultRangesGroup = "0";
// A number below the first range of its group has a publisher of this many
// digits; one between two ranges takes the length of the lower one.
constexpr int kPublisherLengthBelowRanges = 2;

constexpr std::size_t kEAN13Length = 15;
constexpr int kEAN13DataDigits = 12;
constexpr std::size_t kISBNAddOnDigits = 5;
constexpr std::size_t kISSNAddOnDigits = 2;

bool IsCheckX(char c) {
    return c == 'X' || c == 'x';
}

// No add-on after the main code, or one of exactly the given digit count:
// the EAN-13 forms of the other length belong to EAN-13 alone.
bool HasAddOnOf(const char* addOn, std::size_t digits) {
    if (*addOn == '\0') {
        return true;
    }
    if (addOn[0] != '-' || std::strlen(addOn + 1) != digits) {
        return false;
    }
    return AllDigits(addOn + 1, digits);
}

// The modulo-11 check character of the first count digits of text (other
// characters skipped), weighted count + 1 down to 2; 10 is written 'X'.
char Mod11CheckCharacter(const char* text, int count) {
    int sum = 0;
    int weight = count + 1;
    for (const char* c = text; *c != '\0' && weight > 1; ++c) {
        if (IsDigit(*c)) {
            sum += DigitValue(*c) * weight--;
        }
    }
    const int check = (11 - sum % 11) % 11;
    return check == 10 ? 'X' : DigitCharacter(check);
}

struct PartLengths {
    int group = 0;
    int publisher = 0;
};

// One range "first-last" of a table string; both bounds have digits digits.
struct DigitRange {
    const char* first;
    const char* last;
    std::size_t digits;
};

// Reads the range at *text and moves *text past it; false at the end.
bool ReadRange(const char** text, DigitRange* range) {
    const char* const at = *text + std::strspn(*text, " ");
    if (*at == '\0') {
        return false;
    }
    range->digits = std::strcspn(at, "-");
    range->first = at;
    range->last = at + range->digits + 1;
    *text = range->last + range->digits;
    return true;
}

// The group's length by its first digits, as the prefix's groups are laid
// out. Digits the message gives no group are guessed as the groups of 978
// were once laid out; such a group has no rows and takes group 0's.
int GroupLength(const ISBNPrefixRanges& prefix, const char* digits) {
    DigitRange range;
    for (const char* at = prefix.groupLengths; ReadRange(&at, &range);) {
        if (std::memcmp(digits, range.first, range.digits) >= 0 &&
            std::memcmp(digits, range.last, range.digits) <= 0) {
            return static_cast<int>(range.digits);
        }
    }
    if (digits[0] <= '7') {
        return 1;
    }
    if (digits[0] == '8' || digits[1] <= '4') {
        return 2;
    }
    if (digits[1] <= '8' || digits[2] <= '5') {
        return 3;
    }
    return digits[2] <= '8' ? 4 : 5;
}

const char* FindGroupRanges(const ISBNPrefixRanges& prefix, const char* digits,
                            std::size_t groupLength) {
    for (const ISBNGroupRanges& entry : prefix.groups) {
        if (std::strlen(entry.group) == groupLength &&
            std::memcmp(entry.group, digits, groupLength) == 0) {
            return entry.ranges;
        }
    }
    return nullptr;
}

// Compares the first count digits of number (padded with zeros past its
// length) with bound: group 0's ranges, which serve the groups without
// rows, are longer than what a long group leaves.
int ComparePadded(const char* number, std::size_t length, const char* bound, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const char digit = i < length ? number[i] : '0';
        if (digit != bound[i]) {
            return digit < bound[i] ? -1 : 1;
        }
    }
    return 0;
}

int PublisherLength(const char* ranges, const char* number, std::size_t length) {
    int publisher = kPublisherLengthBelowRanges;
    DigitRange range;
    for (const char* at = ranges; ReadRange(&at, &range);) {
        if (ComparePadded(number, length, range.first, range.digits) < 0) {
            break;
        }
        publisher = static_cast<int>(range.digits);
    }
    return publisher;
}

// The table's lengths for the first nine digits of text (other characters
// skipped) under prefix; false with fewer digits.
bool FindPartLengths(const ISBNPrefixRanges& prefix, const char* text, PartLengths* parts) {
    char digits[kISBNDigits];
    int count = 0;
    for (const char* c = text; *c != '\0' && count < kISBNDigits; ++c) {
        if (IsDigit(*c)) {
            digits[count++] = *c;
        }
    }
    if (count < kISBNDigits) {
        return false;
    }
    const int group = GroupLength(prefix, digits);
    const char* ranges = FindGroupRanges(prefix, digits, static_cast<std::size_t>(group));
    if (ranges == nullptr) {
        ranges = FindGroupRanges(kISBN978, kDefaultRangesGroup, 1);
    }
    parts->group = group;
    parts->publisher = PublisherLength(ranges, digits + group, kISBNDigits - group);
    return true;
}

// At least one digit must be left for the title.
bool LeavesTitle(const PartLengths& parts) {
    return parts.group + parts.publisher < kISBNDigits;
}

// The table's lengths, when they leave a title: a reading of the bars
// hyphenates by them, so they are the one spelling of every code, also in a
// group the table has no rows for.
bool ChoosePartLengths(const char* text, const ISBNPrefixRanges& prefix, PartLengths* parts) {
    return FindPartLengths(prefix, text, parts) && LeavesTitle(*parts);
}

// The ISBN-10 part of a code: nine digits hyphenated after group and
// publisher, a hyphen and the check character; optionally an add-on of five
// digits.
constexpr std::size_t kPartLength = 13;
constexpr std::size_t kPartWithAddOnLength = 19;
constexpr std::size_t kPartCheckIndex = 12;

// How a code's digit count (hyphens not counted, an 'X' counted) tells an
// ISBN-13 from an ISBN-10; a count that fits neither, with or without its
// check character and add-on, is undecided.
enum class DigitCount { kISBN10, kISBN13, kUndecided };

DigitCount ClassifyDigitCount(const char* text) {
    const std::size_t count = static_cast<std::size_t>(std::count_if(
        text, text + std::strlen(text), [](char c) { return IsDigit(c) || IsCheckX(c); }));
    const std::size_t isbn10 = kISBNDigits + 1;
    const std::size_t isbn13 = isbn10 + 3;
    if (count == isbn10 - 1 || count == isbn10 || count == isbn10 + kISBNAddOnDigits) {
        return DigitCount::kISBN10;
    }
    if (count == isbn13 - 1 || count == isbn13 || count == isbn13 + kISBNAddOnDigits) {
        return DigitCount::kISBN13;
    }
    return DigitCount::kUndecided;
}

// Whether part[0, kPartLength) has its hyphens after group and publisher
// and before the check character, and digits everywhere else (the check
// character may be 'X' when checkMayBeX).
bool IsPartHyphenated(const char* part, const ISBNPrefixRanges& prefix, bool checkMayBeX) {
    PartLengths parts;
    if (!ChoosePartLengths(part, prefix, &parts)) {
        return false;
    }
    const std::size_t groupEnd = static_cast<std::size_t>(parts.group);
    const std::size_t publisherEnd = groupEnd + static_cast<std::size_t>(parts.publisher) + 1;
    for (std::size_t i = 0; i < kPartLength; ++i) {
        const char c = part[i];
        const bool hyphen = i == groupEnd || i == publisherEnd || i == kPartCheckIndex - 1;
        const bool check = i == kPartCheckIndex && checkMayBeX && c == 'X';
        if (hyphen ? c != '-' : !(IsDigit(c) || check)) {
            return false;
        }
    }
    return true;
}

// The part of raw hyphenated anew into out (kPartWithAddOnLength + 1 bytes),
// completed with a placeholder check character or cut back to the part
// alone or the part and a whole add-on; false for a character other than a
// digit or '-' ('x' or 'X' also as check character when checkMayBeX), or
// when group and publisher cannot be placed.
bool HyphenatePart(const char* raw, const ISBNPrefixRanges& prefix, bool checkMayBeX, char* out) {
    // The copy stops at one character past the longest part, so that a
    // sixth add-on digit is cut rather than read as complete.
    constexpr std::size_t kCopyLimit = kPartWithAddOnLength + 1;
    PartLengths parts;
    if (!ChoosePartLengths(raw, prefix, &parts)) {
        return false;
    }
    const std::size_t groupEnd = static_cast<std::size_t>(parts.group);
    const std::size_t hyphens[] = {groupEnd,
                                   groupEnd + static_cast<std::size_t>(parts.publisher) + 1,
                                   kPartCheckIndex - 1, kPartLength};
    char text[kCopyLimit + 1];
    std::size_t length = 0;
    std::size_t next = 0;
    for (const char* c = raw; *c != '\0' && length < kCopyLimit; ++c) {
        if (*c == '-') {
            continue;
        }
        if (next < std::size(hyphens) && length == hyphens[next]) {
            text[length++] = '-';
            ++next;
        }
        if (IsDigit(*c)) {
            text[length++] = *c;
        } else if (checkMayBeX && length == kPartCheckIndex && IsCheckX(*c)) {
            text[length++] = 'X';
        } else {
            return false;
        }
    }
    if (length == kPartCheckIndex - 1) {
        text[length++] = '-';
    }
    if (length == kPartCheckIndex) {
        text[length++] = '0';
    }
    length = length >= kPartWithAddOnLength ? kPartWithAddOnLength : kPartLength;
    text[length] = '\0';
    std::memcpy(out, text, length + 1);
    return true;
}

// The longest text the conversions build before a correction: twelve
// digits with a prefix, a placeholder check character and an add-on.
constexpr std::size_t kRawCapacity = 24;

// Appends the first count digits of code (other characters skipped) to raw;
// the position after the last of them, or null when code has fewer.
const char* AppendDigits(const char* code, int count, char* raw, std::size_t* length) {
    const char* c = code;
    for (int taken = 0; taken < count; ++c) {
        if (*c == '\0') {
            return nullptr;
        }
        if (IsDigit(*c)) {
            raw[(*length)++] = *c;
            ++taken;
        }
    }
    return c;
}

// When text begins with '-', appends it and up to maxDigits digits after it.
void AppendAddOn(const char* text, std::size_t maxDigits, char* raw, std::size_t* length) {
    if (text[0] != '-') {
        return;
    }
    raw[(*length)++] = '-';
    for (std::size_t k = 1; k <= maxDigits && IsDigit(text[k]); ++k) {
        raw[(*length)++] = text[k];
    }
}

// raw corrected into out by the symbol's own CorrectCode, or by that of
// EAN-13 when asEAN13.
bool CorrectInto(const BarcodeProcessorEAN13& symbol, bool asEAN13, const char* raw, char* out,
                 std::size_t capacity) {
    M7LString text(raw);
    const bool corrected =
        asEAN13 ? symbol.BarcodeProcessorEAN13::CorrectCode(text) : symbol.CorrectCode(text);
    return corrected && CopyIfFits(text.CStr(), out, capacity);
}

// The EAN-13 forms of ISBNs (978 only), ISBN-13s and ISSNs begin so.
constexpr std::string_view kISBNPrefixes[] = {"9-78"};
constexpr std::string_view kISBN13Prefixes[] = {"9-78", "9-79"};
constexpr std::string_view kISSNPrefixes[] = {"9-77"};

// The twelve data digits of a valid EAN-13 form that begins with one of
// prefixes ("9-78") and has no add-on or one of addOnDigits digits; addOn
// points at the add-on's text, "" when there is none.
bool ReadEAN13(const BarcodeProcessorEAN13& symbol, const char* encoded,
               std::span<const std::string_view> prefixes, std::size_t addOnDigits, char* digits,
               const char** addOn) {
    if (encoded == nullptr || !symbol.BarcodeProcessorEAN13::IsEncodedValid(encoded) ||
        std::none_of(prefixes.begin(), prefixes.end(), [encoded](std::string_view prefix) {
            return std::string_view(encoded).starts_with(prefix);
        })) {
        return false;
    }
    *addOn = encoded + kEAN13Length;
    std::size_t length = 0;
    AppendDigits(encoded, kEAN13DataDigits, digits, &length);
    return HasAddOnOf(*addOn, addOnDigits);
}

// The EAN-13 form of prefix, the first count digits of an ISBN code, a
// placeholder check digit and the code's add-on, when the code has a hyphen
// and a check character (a digit, or 'X' when checkMayBeX) after its digits.
bool ISBNToEAN13(const BarcodeProcessorEAN13& symbol, const char* prefix, const char* code,
                 int count, bool checkMayBeX, char* encoded, std::size_t capacity) {
    if (code == nullptr) {
        return false;
    }
    char raw[kRawCapacity + 1];
    std::size_t length = std::strlen(prefix);
    std::memcpy(raw, prefix, length);
    const char* const after = AppendDigits(code, count, raw, &length);
    if (after == nullptr || after[0] != '-' ||
        !(IsDigit(after[1]) || (checkMayBeX && IsCheckX(after[1])))) {
        return false;
    }
    raw[length++] = '-';
    raw[length++] = '0';
    AppendAddOn(after + 2, kISBNAddOnDigits, raw, &length);
    raw[length] = '\0';
    return CorrectInto(symbol, true, raw, encoded, capacity);
}

// The ISBN code of an EAN-13 form of one of prefixes: its digits from
// firstDigit on, a placeholder check character and the add-on, through the
// class's CorrectCode, which hyphenates and computes the check character.
bool ISBNFromEAN13(const BarcodeProcessorEAN13& symbol, const char* encoded,
                   std::span<const std::string_view> prefixes, int firstDigit, char* code,
                   std::size_t capacity) {
    char digits[kEAN13DataDigits];
    const char* addOn = nullptr;
    if (!ReadEAN13(symbol, encoded, prefixes, kISBNAddOnDigits, digits, &addOn)) {
        return false;
    }
    char raw[kRawCapacity + 1];
    std::size_t length = static_cast<std::size_t>(kEAN13DataDigits - firstDigit);
    std::memcpy(raw, digits + firstDigit, length);
    raw[length++] = '-';
    raw[length++] = '0';
    std::strcpy(raw + length, addOn);
    return CorrectInto(symbol, false, raw, code, capacity);
}

}  // namespace

// The line above the bars: "ISBN" or "ISSN", an empty pitch and the code,
// in OCRB on a pitch that follows the text size. The frame around symbol and
// lines is always sent; the EAN-13 symbol under them sends none of its own.
class NumberLineDrawing {
public:
    struct Lines {
        const char* label;
        const char* code;
        std::size_t codeCount;
        // The ISBN-10 form of the second line, or null; the frame holds the
        // lines there are.
        const char* second;
        bool centred;
        // Where the line begins when not centred.
        int startModules;
    };

    template <typename Symbol>
    static bool Draw(Symbol& symbol, const Lines& lines);

private:
    static constexpr std::size_t kLabelLength = 4;
    // The label and the empty pitch after it.
    static constexpr std::size_t kLabelPitches = kLabelLength + 1;
    static constexpr double kTextSizeMm = 2.47;
    static constexpr double kPitchPerTextSize = 2.04 / 2.47;
    static constexpr double kEAN13TextSizeMm = 2.8;
    // The first baseline lies this far above the bars, the second one a text
    // size and this much above the first; the frame keeps one module around.
    static constexpr int kLineGapModules = 3;
    static constexpr int kLineSpacingModules = 2;
    static constexpr int kFrameMarginModules = 1;
    // An uncentred line's frame reaches this many modules past its pitches.
    static constexpr int kFrameLineModules = 12;
};

template <typename Symbol>
bool NumberLineDrawing::Draw(Symbol& symbol, const Lines& lines) {
    if (!symbol.IsEncodedValid(symbol.GetEncodedCode())) {
        return false;
    }
    symbol.SetEmitFrame(false);
    const double width = symbol.ComputeWidth();
    if (!(width > 0.0)) {
        return false;
    }
    const auto layout = symbol.ComputeLayout(kEAN13TextSizeMm);
    const double module = layout.module;
    const double size = kTextSizeMm * std::max(symbol.GetMagnification(), 1.0);
    const double pitch = kPitchPerTextSize * size;
    const double length = static_cast<double>(kLabelPitches + lines.codeCount) * pitch;
    double left = 0.0;
    double right = std::max(length + kFrameLineModules * module, width);
    double start = lines.startModules * module;
    if (lines.centred) {
        start = (width - length) / 2.0;
        left = std::min(0.0, start);
        right = std::max(width, (width + length) / 2.0);
    }
    const double baseline = layout.top + kLineGapModules * module;
    const double secondBaseline = baseline + size + kLineSpacingModules * module;
    const double top =
        (lines.second != nullptr ? secondBaseline : baseline) + size + kFrameMarginModules * module;
    const auto line = [&](const char* text, std::size_t count, double y) {
        const double first = start + pitch / 2.0;
        for (std::size_t j = 0; j < kLabelLength; ++j) {
            if (!symbol.EmitText(first + static_cast<double>(j) * pitch, y, size, lines.label[j])) {
                return false;
            }
        }
        for (std::size_t j = 0; j < count; ++j) {
            const double x = first + static_cast<double>(kLabelPitches + j) * pitch;
            if (!symbol.EmitText(x, y, size, text[j])) {
                return false;
            }
        }
        return true;
    };
    return symbol.EmitFrame(left, right, layout.textBaseline - kFrameMarginModules * module, top,
                            0.0) &&
           symbol.EmitFont(kOCRBFont, true) && line(lines.code, lines.codeCount, baseline) &&
           (lines.second == nullptr || line(lines.second, kPartLength, secondBaseline)) &&
           symbol.SetFont(kOCRBFont) && symbol.BarcodeProcessorEAN13::Generate();
}

bool BarcodeProcessorISBNBase::HasOption(std::int32_t optionCode) const {
    return optionCode == kBarcodeOptionCenterAlign;
}

bool BarcodeProcessorISBNBase::GenerateWithLine(std::size_t lineCount, const char* secondLine) {
    constexpr int kLineStartModules = 12;
    return NumberLineDrawing::Draw(*this, {.label = "ISBN",
                                           .code = GetCode(),
                                           .codeCount = lineCount,
                                           .second = secondLine,
                                           .centred = GetCenterAlign(),
                                           .startModules = kLineStartModules});
}

namespace {

constexpr const char* kPrefix978 = "978";
constexpr const char* kPrefix979 = "979";
constexpr std::size_t kPrefixLength = 3;
constexpr int kPrefixDigits = 3;
constexpr int kISBN13DataDigits = kEAN13DataDigits;
constexpr std::size_t kISBN13Length = 17;
constexpr std::size_t kISBN13CheckIndex = 16;

bool HasISBN13Prefix(const char* text) {
    return std::strncmp(text, kPrefix978, kPrefixLength) == 0 ||
           std::strncmp(text, kPrefix979, kPrefixLength) == 0;
}

// The ranges of a code that begins with prefix 978 or 979.
const ISBNPrefixRanges& RangesOf(const char* prefixed) {
    return std::strncmp(prefixed, kPrefix979, kPrefixLength) == 0 ? kISBN979 : kISBN978;
}

bool FindLengths(const ISBNPrefixRanges& prefix, const char* text, int* groupLength,
                 int* publisherLength) {
    PartLengths parts;
    if (text == nullptr || !ChoosePartLengths(text, prefix, &parts)) {
        return false;
    }
    *groupLength = parts.group;
    *publisherLength = parts.publisher;
    return true;
}

}  // namespace

bool BarcodeProcessorISBNBase::FindISBNPartLengths(const char* text, int* groupLength,
                                                   int* publisherLength) {
    return FindLengths(kISBN978, text, groupLength, publisherLength);
}

bool BarcodeProcessorISBNBase::FindISBNPartLengths(const char* prefix, const char* text,
                                                   int* groupLength, int* publisherLength) {
    return prefix != nullptr && HasISBN13Prefix(prefix) &&
           FindLengths(RangesOf(prefix), text, groupLength, publisherLength);
}

bool BarcodeProcessorISBN::EncodedToCode(const char* encoded, char* code,
                                         std::size_t capacity) const {
    return ISBNFromEAN13(*this, encoded, kISBNPrefixes, kPrefixDigits, code, capacity);
}

std::span<const std::string_view> BarcodeProcessorISBN::EncodedPrefixes() {
    return kISBNPrefixes;
}

bool BarcodeProcessorISBN::CodeToEncoded(const char* code, char* encoded,
                                         std::size_t capacity) const {
    return ISBNToEAN13(*this, kPrefix978, code, kISBNDigits, true, encoded, capacity);
}

bool BarcodeProcessorISBN::Generate() {
    return GenerateWithLine(kPartLength, nullptr);
}

bool BarcodeProcessorISBN::IsCodeValid(const char* code) const {
    if (code == nullptr) {
        return false;
    }
    const std::size_t length = std::strlen(code);
    return (length == kPartLength || length == kPartWithAddOnLength) &&
           IsPartHyphenated(code, kISBN978, true) &&
           code[kPartCheckIndex] == Mod11CheckCharacter(code, kISBNDigits) &&
           (length == kPartLength || IsWholeAddOn(code + kPartLength));
}

// The regrouped add-on consists of digits, so it passes as it is.
bool BarcodeProcessorISBN::CorrectCode(M7LString& code) const {
    char part[kPartWithAddOnLength + 1];
    if (ClassifyDigitCount(code.CStr()) == DigitCount::kISBN13 ||
        !HyphenatePart(code.CStr(), kISBN978, true, part)) {
        return false;
    }
    part[kPartCheckIndex] = Mod11CheckCharacter(part, kISBNDigits);
    return StoreText(code, part);
}

bool BarcodeProcessorISBNEAN::EncodedToCode(const char* encoded, char* code,
                                            std::size_t capacity) const {
    return ISBNFromEAN13(*this, encoded, kISBN13Prefixes, 0, code, capacity);
}

std::span<const std::string_view> BarcodeProcessorISBNEAN::EncodedPrefixes() {
    return kISBN13Prefixes;
}

bool BarcodeProcessorISBNEAN::CodeToEncoded(const char* code, char* encoded,
                                            std::size_t capacity) const {
    return ISBNToEAN13(*this, "", code, kISBN13DataDigits, false, encoded, capacity);
}

// Every valid 978 number has its ISBN-10 form: both hyphenate by the same
// table.
bool BarcodeProcessorISBNEAN::Generate() {
    const bool dual = dualNumbering_ && std::strncmp(GetCode(), kPrefix978, kPrefixLength) == 0;
    char isbn10[kCodeCapacity + 1];
    if (dual && !BarcodeProcessorISBN().EncodedToCode(GetEncodedCode(), isbn10, kCodeCapacity)) {
        return false;
    }
    return GenerateWithLine(kISBN13Length, dual ? isbn10 : nullptr);
}

bool BarcodeProcessorISBNEAN::IsCodeValid(const char* code) const {
    if (code == nullptr) {
        return false;
    }
    const std::size_t length = std::strlen(code);
    return (length == kISBN13Length || length == kISBN13Length + kISBNAddOnDigits + 1) &&
           HasISBN13Prefix(code) && code[kPrefixLength] == '-' &&
           IsPartHyphenated(code + kPrefixLength + 1, RangesOf(code), false) &&
           HasGS1CheckDigitAt(code, kISBN13CheckIndex) &&
           (length == kISBN13Length || IsWholeAddOn(code + kISBN13Length));
}

// The digit count tells an ISBN-10 (which gets prefix 978) from an ISBN-13;
// where it cannot, a text beginning with 978 or 979 is an ISBN-13.
bool BarcodeProcessorISBNEAN::CorrectCode(M7LString& code) const {
    const char* const text = code.CStr();
    if (std::strlen(text) < kPrefixLength) {
        return false;
    }
    const bool prefixed = HasISBN13Prefix(text);
    const DigitCount count = ClassifyDigitCount(text);
    const bool isbn13 =
        count == DigitCount::kISBN13 || (count == DigitCount::kUndecided && prefixed);
    if (isbn13 && !prefixed) {
        return false;
    }
    char full[kPrefixLength + 1 + kPartWithAddOnLength + 1];
    std::memcpy(full, isbn13 ? text : kPrefix978, kPrefixLength);
    full[kPrefixLength] = '-';
    const char* const raw = !isbn13                      ? text
                            : text[kPrefixLength] == '-' ? text + kPrefixLength + 1
                                                         : text + kPrefixLength;
    if (!HyphenatePart(raw, RangesOf(full), false, full + kPrefixLength + 1)) {
        return false;
    }
    SetGS1CheckDigit(full, kISBN13CheckIndex);
    return StoreText(code, full);
}

namespace {

constexpr const char* kISSNMainForm = "DDDD-DDD";
constexpr int kISSNDigits = 7;
constexpr std::size_t kISSNLength = 9;
constexpr std::size_t kISSNHyphenIndex = 4;
constexpr std::size_t kISSNCheckIndex = 8;
// "(VV)" after the check character; an add-on "-DD" after it or after the
// variant.
constexpr const char* kISSNVariantForm = "(DD)";
// The bars of a code without variant carry variant 00, so a reading never
// writes this one.
constexpr const char* kISSNNoVariant = "(00)";
constexpr std::size_t kISSNVariantIndex = 9;
constexpr std::size_t kISSNVariantCloseIndex = 12;
constexpr std::size_t kISSNVariantLength = 13;
constexpr std::size_t kISSNAddOnLength = 3;
constexpr int kISSNDataDigitsIndex = 3;
constexpr int kISSNVariantDigitsIndex = kISSNDataDigitsIndex + kISSNDigits;

bool IsNoVariant(const char* code) {
    return std::strncmp(code + kISSNVariantIndex, kISSNNoVariant,
                        kISSNVariantLength - kISSNVariantIndex) == 0;
}

// The length a regrouped ISSN is cut back to: the ISSN, with the variant when
// it is complete, and with the add-on when it has both digits.
std::size_t CutISSN(std::size_t length, bool variant) {
    const std::size_t main =
        variant && length >= kISSNVariantLength ? kISSNVariantLength : kISSNLength;
    if (length >= main + kISSNAddOnLength) {
        return main + kISSNAddOnLength;
    }
    return length >= main ? main : length;
}

}  // namespace

bool BarcodeProcessorISSN::EncodedToCode(const char* encoded, char* code,
                                         std::size_t capacity) const {
    char digits[kEAN13DataDigits];
    const char* addOn = nullptr;
    if (!ReadEAN13(*this, encoded, kISSNPrefixes, kISSNAddOnDigits, digits, &addOn)) {
        return false;
    }
    char raw[kRawCapacity + 1];
    std::size_t length = kISSNDigits;
    std::memcpy(raw, digits + kISSNDataDigitsIndex, length);
    raw[length++] = '0';
    const char* const variant = digits + kISSNVariantDigitsIndex;
    if (variant[0] != '0' || variant[1] != '0') {
        raw[length++] = '(';
        raw[length++] = variant[0];
        raw[length++] = variant[1];
        raw[length++] = ')';
    }
    std::strcpy(raw + length, addOn);
    return CorrectInto(*this, false, raw, code, capacity);
}

std::span<const std::string_view> BarcodeProcessorISSN::EncodedPrefixes() {
    return kISSNPrefixes;
}

bool BarcodeProcessorISSN::CodeToEncoded(const char* code, char* encoded,
                                         std::size_t capacity) const {
    if (code == nullptr) {
        return false;
    }
    char raw[kRawCapacity + 1];
    std::size_t length = 3;
    std::memcpy(raw, "977", length);
    const char* after = AppendDigits(code, kISSNDigits, raw, &length);
    if (after == nullptr || !(IsDigit(after[0]) || IsCheckX(after[0]))) {
        return false;
    }
    ++after;
    if (after[0] == '(') {
        if (after[1] == '\0' || after[2] == '\0' || after[3] != ')') {
            return false;
        }
        raw[length++] = after[1];
        raw[length++] = after[2];
        after += std::strlen(kISSNVariantForm);
    } else {
        raw[length++] = '0';
        raw[length++] = '0';
    }
    raw[length++] = '0';
    AppendAddOn(after, kISSNAddOnDigits, raw, &length);
    raw[length] = '\0';
    return CorrectInto(*this, true, raw, encoded, capacity);
}

bool BarcodeProcessorISSN::Generate() {
    constexpr int kLineStartModules = 11;
    return NumberLineDrawing::Draw(*this, {.label = "ISSN",
                                           .code = GetCode(),
                                           .codeCount = kISSNLength,
                                           .second = nullptr,
                                           .centred = false,
                                           .startModules = kLineStartModules});
}

bool BarcodeProcessorISSN::IsCodeValid(const char* code) const {
    if (code == nullptr) {
        return false;
    }
    const std::size_t length = std::strlen(code);
    const bool variant =
        length == kISSNVariantLength || length == kISSNVariantLength + kISSNAddOnLength;
    if (!(length == kISSNLength || length == kISSNLength + kISSNAddOnLength || variant) ||
        !MatchesForm(code, kISSNMainForm) ||
        code[kISSNCheckIndex] != Mod11CheckCharacter(code, kISSNDigits) ||
        (variant &&
         (!MatchesForm(code + kISSNVariantIndex, kISSNVariantForm) || IsNoVariant(code)))) {
        return false;
    }
    return length == kISSNLength || length == kISSNVariantLength ||
           IsWholeAddOn(code + length - kISSNAddOnLength);
}

// '-', '(' and ')' are placed anew: a '(' where the variant may begin starts
// it, anything else there begins the add-on; variant 00 is dropped. The
// regrouped add-on consists of digits, so it passes as it is.
bool BarcodeProcessorISSN::CorrectCode(M7LString& code) const {
    constexpr std::size_t kCopyLimit = kISSNVariantLength + kISSNAddOnLength + 1;
    char text[kCopyLimit + 1];
    std::size_t length = 0;
    bool variant = false;
    for (const char* c = code.CStr(); *c != '\0' && length < kCopyLimit; ++c) {
        if (*c == '(' && length == kISSNVariantIndex) {
            text[length++] = '(';
            variant = true;
            continue;
        }
        if (*c == '(' || *c == ')' || *c == '-') {
            continue;
        }
        if (variant && length == kISSNVariantCloseIndex) {
            text[length++] = ')';
        }
        if (length == kISSNHyphenIndex || length == kISSNVariantIndex ||
            length == kISSNVariantLength) {
            text[length++] = '-';
        }
        if (IsDigit(*c)) {
            text[length++] = *c;
        } else if (length == kISSNCheckIndex && IsCheckX(*c)) {
            text[length++] = 'X';
        } else {
            return false;
        }
    }
    if (variant && length == kISSNVariantCloseIndex) {
        text[length++] = ')';
    }
    if (length == kISSNCheckIndex) {
        text[length++] = '0';
    }
    length = CutISSN(length, variant);
    text[length] = '\0';
    if (variant && length >= kISSNVariantLength && IsNoVariant(text)) {
        std::memmove(text + kISSNVariantIndex, text + kISSNVariantLength,
                     length - kISSNVariantLength + 1);
        length -= kISSNVariantLength - kISSNVariantIndex;
    }
    if (length < kISSNLength) {
        StoreText(code, text);
        return false;
    }
    text[kISSNCheckIndex] = Mod11CheckCharacter(text, kISSNDigits);
    return StoreText(code, text);
}

bool BarcodeProcessorISSN::HasOption(std::int32_t /*optionCode*/) const {
    return false;
}

}  // namespace Strivelo
