#include "BarcodeProcessorCode128.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "BarcodeProcessorDataGenerator.h"
#include "BarcodeText.h"
#include "M7LFailure.h"
#include "M7LUtilities.h"

namespace Strivelo {

namespace {

using Code128 = BarcodeProcessorCode128;

constexpr unsigned char kFnc1 = Code128::kFnc1;
constexpr unsigned char kFnc2 = Code128::kFnc2;
constexpr unsigned char kFnc3 = Code128::kFnc3;
constexpr unsigned char kFnc4 = Code128::kFnc4;
constexpr unsigned char kShift = Code128::kShift;
constexpr unsigned char kCodeA = Code128::kCodeA;
constexpr unsigned char kCodeB = Code128::kCodeB;
constexpr unsigned char kCodeC = Code128::kCodeC;
constexpr unsigned char kStop = Code128::kStop;

}  // namespace

// ISO/IEC 15417 symbol character table. Rows 103-105 are the start
// characters, 106 the stop character less its 2-module termination bar.
constexpr std::array<Code128Symbol, kCode128SymbolCount> Code128SymbolTable = {{
    {' ', ' ', 0, {2, 1, 2, 2, 2, 2}},             // 0
    {'!', '!', 0, {2, 2, 2, 1, 2, 2}},             // 1
    {'"', '"', 0, {2, 2, 2, 2, 2, 1}},             // 2
    {'#', '#', 0, {1, 2, 1, 2, 2, 3}},             // 3
    {'$', '$', 0, {1, 2, 1, 3, 2, 2}},             // 4
    {'%', '%', 0, {1, 3, 1, 2, 2, 2}},             // 5
    {'&', '&', 0, {1, 2, 2, 2, 1, 3}},             // 6
    {'\'', '\'', 0, {1, 2, 2, 3, 1, 2}},           // 7
    {'(', '(', 0, {1, 3, 2, 2, 1, 2}},             // 8
    {')', ')', 0, {2, 2, 1, 2, 1, 3}},             // 9
    {'*', '*', 0, {2, 2, 1, 3, 1, 2}},             // 10
    {'+', '+', 0, {2, 3, 1, 2, 1, 2}},             // 11
    {',', ',', 0, {1, 1, 2, 2, 3, 2}},             // 12
    {'-', '-', 0, {1, 2, 2, 1, 3, 2}},             // 13
    {'.', '.', 0, {1, 2, 2, 2, 3, 1}},             // 14
    {'/', '/', 0, {1, 1, 3, 2, 2, 2}},             // 15
    {'0', '0', 0, {1, 2, 3, 1, 2, 2}},             // 16
    {'1', '1', 0, {1, 2, 3, 2, 2, 1}},             // 17
    {'2', '2', 0, {2, 2, 3, 2, 1, 1}},             // 18
    {'3', '3', 0, {2, 2, 1, 1, 3, 2}},             // 19
    {'4', '4', 0, {2, 2, 1, 2, 3, 1}},             // 20
    {'5', '5', 0, {2, 1, 3, 2, 1, 2}},             // 21
    {'6', '6', 0, {2, 2, 3, 1, 1, 2}},             // 22
    {'7', '7', 0, {3, 1, 2, 1, 3, 1}},             // 23
    {'8', '8', 0, {3, 1, 1, 2, 2, 2}},             // 24
    {'9', '9', 0, {3, 2, 1, 1, 2, 2}},             // 25
    {':', ':', 0, {3, 2, 1, 2, 2, 1}},             // 26
    {';', ';', 0, {3, 1, 2, 2, 1, 2}},             // 27
    {'<', '<', 0, {3, 2, 2, 1, 1, 2}},             // 28
    {'=', '=', 0, {3, 2, 2, 2, 1, 1}},             // 29
    {'>', '>', 0, {2, 1, 2, 1, 2, 3}},             // 30
    {'?', '?', 0, {2, 1, 2, 3, 2, 1}},             // 31
    {'@', '@', 0, {2, 3, 2, 1, 2, 1}},             // 32
    {'A', 'A', 0, {1, 1, 1, 3, 2, 3}},             // 33
    {'B', 'B', 0, {1, 3, 1, 1, 2, 3}},             // 34
    {'C', 'C', 0, {1, 3, 1, 3, 2, 1}},             // 35
    {'D', 'D', 0, {1, 1, 2, 3, 1, 3}},             // 36
    {'E', 'E', 0, {1, 3, 2, 1, 1, 3}},             // 37
    {'F', 'F', 0, {1, 3, 2, 3, 1, 1}},             // 38
    {'G', 'G', 0, {2, 1, 1, 3, 1, 3}},             // 39
    {'H', 'H', 0, {2, 3, 1, 1, 1, 3}},             // 40
    {'I', 'I', 0, {2, 3, 1, 3, 1, 1}},             // 41
    {'J', 'J', 0, {1, 1, 2, 1, 3, 3}},             // 42
    {'K', 'K', 0, {1, 1, 2, 3, 3, 1}},             // 43
    {'L', 'L', 0, {1, 3, 2, 1, 3, 1}},             // 44
    {'M', 'M', 0, {1, 1, 3, 1, 2, 3}},             // 45
    {'N', 'N', 0, {1, 1, 3, 3, 2, 1}},             // 46
    {'O', 'O', 0, {1, 3, 3, 1, 2, 1}},             // 47
    {'P', 'P', 0, {3, 1, 3, 1, 2, 1}},             // 48
    {'Q', 'Q', 0, {2, 1, 1, 3, 3, 1}},             // 49
    {'R', 'R', 0, {2, 3, 1, 1, 3, 1}},             // 50
    {'S', 'S', 0, {2, 1, 3, 1, 1, 3}},             // 51
    {'T', 'T', 0, {2, 1, 3, 3, 1, 1}},             // 52
    {'U', 'U', 0, {2, 1, 3, 1, 3, 1}},             // 53
    {'V', 'V', 0, {3, 1, 1, 1, 2, 3}},             // 54
    {'W', 'W', 0, {3, 1, 1, 3, 2, 1}},             // 55
    {'X', 'X', 0, {3, 3, 1, 1, 2, 1}},             // 56
    {'Y', 'Y', 0, {3, 1, 2, 1, 1, 3}},             // 57
    {'Z', 'Z', 0, {3, 1, 2, 3, 1, 1}},             // 58
    {'[', '[', 0, {3, 3, 2, 1, 1, 1}},             // 59
    {'\\', '\\', 0, {3, 1, 4, 1, 1, 1}},           // 60
    {']', ']', 0, {2, 2, 1, 4, 1, 1}},             // 61
    {'^', '^', 0, {4, 3, 1, 1, 1, 1}},             // 62
    {'_', '_', 0, {1, 1, 1, 2, 2, 4}},             // 63
    {0x00, '`', 0, {1, 1, 1, 4, 2, 2}},            // 64
    {0x01, 'a', 0, {1, 2, 1, 1, 2, 4}},            // 65
    {0x02, 'b', 0, {1, 2, 1, 4, 2, 1}},            // 66
    {0x03, 'c', 0, {1, 4, 1, 1, 2, 2}},            // 67
    {0x04, 'd', 0, {1, 4, 1, 2, 2, 1}},            // 68
    {0x05, 'e', 0, {1, 1, 2, 2, 1, 4}},            // 69
    {0x06, 'f', 0, {1, 1, 2, 4, 1, 2}},            // 70
    {0x07, 'g', 0, {1, 2, 2, 1, 1, 4}},            // 71
    {0x08, 'h', 0, {1, 2, 2, 4, 1, 1}},            // 72
    {0x09, 'i', 0, {1, 4, 2, 1, 1, 2}},            // 73
    {0x0A, 'j', 0, {1, 4, 2, 2, 1, 1}},            // 74
    {0x0B, 'k', 0, {2, 4, 1, 2, 1, 1}},            // 75
    {0x0C, 'l', 0, {2, 2, 1, 1, 1, 4}},            // 76
    {0x0D, 'm', 0, {4, 1, 3, 1, 1, 1}},            // 77
    {0x0E, 'n', 0, {2, 4, 1, 1, 1, 2}},            // 78
    {0x0F, 'o', 0, {1, 3, 4, 1, 1, 1}},            // 79
    {0x10, 'p', 0, {1, 1, 1, 2, 4, 2}},            // 80
    {0x11, 'q', 0, {1, 2, 1, 1, 4, 2}},            // 81
    {0x12, 'r', 0, {1, 2, 1, 2, 4, 1}},            // 82
    {0x13, 's', 0, {1, 1, 4, 2, 1, 2}},            // 83
    {0x14, 't', 0, {1, 2, 4, 1, 1, 2}},            // 84
    {0x15, 'u', 0, {1, 2, 4, 2, 1, 1}},            // 85
    {0x16, 'v', 0, {4, 1, 1, 2, 1, 2}},            // 86
    {0x17, 'w', 0, {4, 2, 1, 1, 1, 2}},            // 87
    {0x18, 'x', 0, {4, 2, 1, 2, 1, 1}},            // 88
    {0x19, 'y', 0, {2, 1, 2, 1, 4, 1}},            // 89
    {0x1A, 'z', 0, {2, 1, 4, 1, 2, 1}},            // 90
    {0x1B, '{', 0, {4, 1, 2, 1, 2, 1}},            // 91
    {0x1C, '|', 0, {1, 1, 1, 1, 4, 3}},            // 92
    {0x1D, '}', 0, {1, 1, 1, 3, 4, 1}},            // 93
    {0x1E, '~', 0, {1, 3, 1, 1, 4, 1}},            // 94
    {0x1F, 0x7F, 0, {1, 1, 4, 1, 1, 3}},           // 95
    {kFnc3, kFnc3, 0, {1, 1, 4, 3, 1, 1}},         // 96
    {kFnc2, kFnc2, 0, {4, 1, 1, 1, 1, 3}},         // 97
    {kShift, kShift, 0, {4, 1, 1, 3, 1, 1}},       // 98
    {kCodeC, kCodeC, 0, {1, 1, 3, 1, 4, 1}},       // 99
    {kCodeB, kFnc4, kCodeB, {1, 1, 4, 1, 3, 1}},   // 100
    {kFnc4, kCodeA, kCodeA, {3, 1, 1, 1, 4, 1}},   // 101
    {kFnc1, kFnc1, kFnc1, {4, 1, 1, 1, 3, 1}},     // 102
    {kCodeA, kCodeA, kCodeA, {2, 1, 1, 4, 1, 2}},  // 103
    {kCodeB, kCodeB, kCodeB, {2, 1, 1, 2, 1, 4}},  // 104
    {kCodeC, kCodeC, kCodeC, {2, 1, 1, 2, 3, 2}},  // 105
    {kStop, kStop, kStop, {2, 3, 3, 1, 1, 1}},     // 106
}};

namespace {

constexpr const char* kName = "Code-128";

constexpr int kSymbolModules = 11;
constexpr int kTerminationBarModules = 2;
constexpr int kCheckModulus = 103;
// Set C values below this are digit pairs.
constexpr int kDigitPairValues = 100;
// CODE A, CODE B and CODE C have these values in every set that has them.
constexpr int kCodeAValue = 101;
constexpr int kCodeBValue = 100;
constexpr int kCodeCValue = 99;
constexpr int kMinElementModules = 1;
constexpr int kMaxElementModules = 4;
// Edge-to-similar-edge distances span two elements.
constexpr int kMinPairModules = 2;
constexpr int kMaxPairModules = 7;
// t1 + t3 and t2 + t4 of a symbol character stay below this.
constexpr int kOppositePairsLimitModules = 10;
constexpr double kBarModulesToleranceModules = 1.75;
// The stop character's last space and the termination bar.
constexpr int kTerminationPairModules =
    Code128SymbolTable[Code128::kStopValue].widths.back() + kTerminationBarModules;
// Start, check and stop.
constexpr std::uint32_t kMinSymbolCount = 3;

// A digit run of this length goes to set C; at the start of the text this
// many fewer digits suffice.
constexpr std::size_t kSetCRunDigits = 6;
constexpr std::size_t kSetCStartBonusDigits = 2;

constexpr int kQuietZoneModules = 10;
constexpr double kMinQuietZoneMm = 2.54;
constexpr double kBearerBarModules = 2.0;
constexpr double kTextSizePerScalingMm = 4.0;
constexpr double kCenteredPitchPerScalingMm = 2.0;
// The magnification is the module width in millimetres.
constexpr double kNominalModuleMm = 1.0;
constexpr double kMinModuleMm = 0.25;
constexpr double kMaxModuleMm = 2.0;
constexpr double kMaxBarWidthReductionModules = 0.25;
constexpr double kBarHeightTolerance = 1.005;
// Few steps suffice after the closed-form estimate; the bound only guards
// resolutions so large that adding one unit changes nothing.
constexpr int kMaxFitSteps = 4;

struct MinimumBarHeight {
    double fromModuleMm;
    double heightMm;
};

// Also the default height; from the largest module down.
constexpr MinimumBarHeight kMinimumBarHeights[] = {
    {.fromModuleMm = 1.2, .heightMm = 38.2},
    {.fromModuleMm = 1.0, .heightMm = 32.0},
    {.fromModuleMm = 0.8, .heightMm = 25.4},
};
constexpr double kSmallModuleMinimumBarHeightMm = 20.0;

double MinimumBarHeightMm(double moduleMm) {
    for (const MinimumBarHeight& row : kMinimumBarHeights) {
        if (moduleMm >= row.fromModuleMm) {
            return row.heightMm;
        }
    }
    return kSmallModuleMinimumBarHeightMm;
}

enum class CodeSet { kNone, kA, kB, kC };

constexpr unsigned char Column(const Code128Symbol& symbol, CodeSet set) {
    switch (set) {
        case CodeSet::kA:
            return symbol.setA;
        case CodeSet::kB:
            return symbol.setB;
        case CodeSet::kC:
            return symbol.setC;
        case CodeSet::kNone:
            break;
    }
    return 0;
}

constexpr unsigned char kFirstPrintable = 0x20;
// "%FNC" and the function's number.
constexpr char kFunctionEscapePrefix[] = "%FNC";
constexpr std::size_t kFunctionEscapePrefixLength = sizeof kFunctionEscapePrefix - 1;
constexpr std::size_t kFunctionEscapeLength = kFunctionEscapePrefixLength + 1;
// '%' and two hexadecimal digits.
constexpr std::size_t kControlEscapeLength = 3;

char UpperCase(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The spelling a reading of the bars gives back, as far as typed shows it:
// raw control characters become their escapes, escapes are upper-cased and a
// '%' at the end, a percent sign of its own, becomes "%%". What is no escape
// stays as it is, for the validation to refuse.
std::string NormalSpelling(const std::string& typed) {
    std::string text;
    for (std::size_t p = 0; p < typed.size(); ++p) {
        const auto byte = static_cast<unsigned char>(typed[p]);
        if (byte < kFirstPrintable) {
            text += '%';
            text += kHexDigits[byte >> 4];
            text += kHexDigits[byte & 0x0F];
        } else if (byte != '%') {
            text += typed[p];
        } else if (p + 1 == typed.size() || typed[p + 1] == '%') {
            text += "%%";
            ++p;
        } else {
            const std::size_t length =
                UpperCase(typed[p + 1]) == 'F' ? kFunctionEscapeLength : kControlEscapeLength;
            const std::size_t end = std::min(p + length, typed.size());
            text += '%';
            while (p + 1 < end) {
                text += UpperCase(typed[++p]);
            }
        }
    }
    return text;
}

// ---- Encoding ----

// The characters of a code text as NextCodeChar reads them. Each symbol
// value carries at most two characters, so a longer text cannot fit.
struct CodeChars {
    static constexpr std::size_t kCapacity = 2 * Code128::kMaxSymbolValues;
    std::array<int, kCapacity> chars{};
    std::size_t count = 0;
};

bool ReadCodeChars(const char* text, CodeChars& out) {
    const std::size_t length = std::strlen(text);
    for (std::size_t p = 0; p < length; ++p) {
        const int c = Code128::NextCodeChar(text, length, &p);
        if (c == Code128::kInvalidCodeChar || out.count == CodeChars::kCapacity) {
            return false;
        }
        out.chars[out.count++] = c;
    }
    return true;
}

struct Segment {
    CodeSet set;
    std::size_t length;
};

// The code set and length of the segment starting at begin: four leading
// digits or six elsewhere go to set C in pairs; control characters need set
// A, lower case and FNC2-FNC4 set B; everything else stays in the current set
// (A when there is none, or after set C).
Segment FindSegment(const CodeChars& text, std::size_t begin, CodeSet current) {
    const std::size_t startBonus = begin == 0 ? kSetCStartBonusDigits : 0;
    const CodeSet carried = current == CodeSet::kB ? CodeSet::kB : CodeSet::kA;
    // Examined characters, digits, length of the digit run, FNC1 counted as
    // digits.
    std::size_t examined = 0;
    std::size_t digits = 0;
    std::size_t run = 0;
    std::size_t fnc1Digits = 0;
    const auto setC = [&](std::size_t length) {
        // An odd number of real digits leaves the last one to the next segment.
        return Segment{CodeSet::kC, (digits - fnc1Digits) % 2 == 0 ? length : length - 1};
    };
    for (std::size_t i = begin; i < text.count; ++i) {
        const int c = text.chars[i];
        ++examined;
        // An FNC1 between digit pairs goes into set C with them.
        const bool fnc1Digit = c == kFnc1 && (digits - fnc1Digits) % 2 == 0;
        if (IsDigit(c) || fnc1Digit) {
            fnc1Digits += fnc1Digit ? 1 : 0;
            ++digits;
            ++run;
            if (run == kSetCRunDigits && run != examined) {
                return {carried, examined - run};
            }
            continue;
        }
        run = 0;
        if (digits == examined - 1 && digits + startBonus >= kSetCRunDigits) {
            return setC(digits);
        }
        if (c < 0x20) {
            return {CodeSet::kA, examined};
        }
        // FNC1 belongs to every set and so continues like 0x20-0x5F.
        if (c >= 0x60 && c != kFnc1) {
            return {CodeSet::kB, examined};
        }
    }
    if (digits == examined && digits + startBonus >= kSetCRunDigits) {
        return setC(examined);
    }
    return {carried, examined};
}

class ValueWriter {
public:
    explicit ValueWriter(Code128::SymbolValues& values) : values_(values) {}

    bool Put(int value) {
        if (count_ == values_.size()) {
            return false;
        }
        values_[count_++] = static_cast<std::uint8_t>(value);
        return true;
    }
    std::size_t Count() const { return count_; }

private:
    Code128::SymbolValues& values_;
    std::size_t count_ = 0;
};

int StartValue(CodeSet set) {
    return set == CodeSet::kA ? Code128::kStartA
                              : (set == CodeSet::kB ? Code128::kStartB : Code128::kStartC);
}

int CodeChangeValue(CodeSet set) {
    return set == CodeSet::kA ? kCodeAValue : (set == CodeSet::kB ? kCodeBValue : kCodeCValue);
}

// The symbol value of each character or function code in each code set: the
// first value whose column holds it, as a search of the table from value 0
// finds it.
constexpr std::size_t kColumnEntries = 256;
constexpr std::size_t kCodeSets = 4;
constexpr std::uint8_t kNoValue = 0xFF;
using ValueByColumn = std::array<std::array<std::uint8_t, kColumnEntries>, kCodeSets>;

constexpr ValueByColumn kValueByColumn = [] {
    static_assert(kCode128SymbolCount < kNoValue);
    ValueByColumn table{};
    for (std::size_t set = 0; set < kCodeSets; ++set) {
        table[set].fill(kNoValue);
        for (std::size_t value = Code128SymbolTable.size(); value-- > 0;) {
            const unsigned char c = Column(Code128SymbolTable[value], static_cast<CodeSet>(set));
            table[set][c] = static_cast<std::uint8_t>(value);
        }
    }
    return table;
}();

int FindValue(CodeSet set, int c) {
    if (c < 0 || static_cast<std::size_t>(c) >= kColumnEntries) {
        return -1;
    }
    const std::uint8_t value =
        kValueByColumn[static_cast<std::size_t>(set)][static_cast<std::size_t>(c)];
    return value == kNoValue ? -1 : value;
}

bool EncodeSegment(const CodeChars& text, std::size_t begin, const Segment& segment,
                   ValueWriter& out) {
    const std::size_t end = begin + segment.length;
    for (std::size_t i = begin; i < end; ++i) {
        const int c = text.chars[i];
        int value = -1;
        if (segment.set != CodeSet::kC) {
            value = FindValue(segment.set, c);
        } else if (c == kFnc1) {
            value = FindValue(CodeSet::kC, c);
        } else if (i + 1 < end && IsDigit(c) && IsDigit(text.chars[i + 1])) {
            value = (c - '0') * 10 + (text.chars[i + 1] - '0');
            ++i;
        }
        if (value < 0 || !out.Put(value)) {
            return false;
        }
    }
    return true;
}

// ---- Decoding ----

// The four edge-to-similar-edge distances of the symbol character at edge e
// in whole modules, which no bar width reduction changes. Edges is the
// caller's view or the decoding's measured array.
template <typename Edges>
bool MeasureSums(const Edges& measured, std::uint32_t e, double module, std::uint8_t* sums) {
    for (std::uint32_t j = 0; j < 4; ++j) {
        const double pair = RoundHalfAwayFromZero((measured[e + j + 2] - measured[e + j]) / module);
        if (!(pair >= kMinPairModules && pair <= kMaxPairModules)) {
            return false;
        }
        sums[j] = static_cast<std::uint8_t>(pair);
    }
    return true;
}

// The ideal edges e + 1 to e + 6 of the symbol character of value at edge e.
void PlaceSymbol(int value, std::uint32_t e, double module, double* ideal) {
    const auto& widths = Code128SymbolTable[static_cast<std::size_t>(value)].widths;
    for (std::uint32_t k = 0; k < widths.size(); ++k) {
        ideal[e + k + 1] = ideal[e + k] + widths[k] * module;
    }
}

// The three bars of the symbol character at e in modules of its own width.
template <typename Edges>
double MeasuredBarModules(const Edges& measured, std::uint32_t e) {
    const double bars = (measured[e + 1] - measured[e]) + (measured[e + 3] - measured[e + 2]) +
                        (measured[e + 5] - measured[e + 4]);
    return bars / (measured[e + 6] - measured[e]) * kSymbolModules;
}

// Symbol values by their first five element widths, each 1 to 4 modules: the
// sixth makes the eleven modules every symbol character has.
constexpr int kLookupWidths = 5;
constexpr std::size_t kWidthChoices = kMaxElementModules - kMinElementModules + 1;
constexpr std::size_t kLookupSize = [] {
    std::size_t size = 1;
    for (int i = 0; i < kLookupWidths; ++i) {
        size *= kWidthChoices;
    }
    return size;
}();
constexpr std::int8_t kNoSymbolValue = -1;

// The index of widths[0, kLookupWidths); kLookupSize for a width out of range.
constexpr std::size_t LookupIndex(const int* widths) {
    std::size_t index = 0;
    for (int i = 0; i < kLookupWidths; ++i) {
        if (widths[i] < kMinElementModules || widths[i] > kMaxElementModules) {
            return kLookupSize;
        }
        index = index * kWidthChoices + static_cast<std::size_t>(widths[i] - kMinElementModules);
    }
    return index;
}

constexpr std::array<std::int8_t, kLookupSize> kValueByWidths = [] {
    std::array<std::int8_t, kLookupSize> table{};
    table.fill(kNoSymbolValue);
    for (std::size_t value = 0; value < Code128SymbolTable.size(); ++value) {
        const auto& w = Code128SymbolTable[value].widths;
        const int widths[kLookupWidths] = {w[0], w[1], w[2], w[3], w[4]};
        const std::size_t index = LookupIndex(widths);
        if (w[0] + w[1] + w[2] + w[3] + w[4] + w[5] != kSymbolModules || index == kLookupSize ||
            w[5] < kMinElementModules || w[5] > kMaxElementModules ||
            table[index] != kNoSymbolValue) {
            throw "every symbol character has its own widths, eleven modules in all";
        }
        table[index] = static_cast<std::int8_t>(value);
    }
    return table;
}();

// The value whose widths the sums give, -1 for none or when the measured bars
// disagree with it.
int FindSymbolValue(const std::uint8_t* sums, double measuredBarModules) {
    if (sums[0] + sums[2] >= kOppositePairsLimitModules ||
        sums[1] + sums[3] >= kOppositePairsLimitModules) {
        return -1;
    }
    for (int bar1 = kMinElementModules; bar1 <= kMaxElementModules; ++bar1) {
        const int space1 = sums[0] - bar1;
        const int bar2 = sums[1] - space1;
        const int space2 = sums[2] - bar2;
        const int bar3 = sums[3] - space2;
        const int space3 = kSymbolModules - (bar1 + space1 + bar2 + space2 + bar3);
        const int widths[kLookupWidths] = {bar1, space1, bar2, space2, bar3};
        const std::size_t index = LookupIndex(widths);
        if (space3 < kMinElementModules || space3 > kMaxElementModules || index == kLookupSize ||
            kValueByWidths[index] == kNoSymbolValue) {
            continue;
        }
        const double expected = bar1 + bar2 + bar3;
        return std::fabs(measuredBarModules - expected) <= kBarModulesToleranceModules
                   ? kValueByWidths[index]
                   : -1;
    }
    return -1;
}

// Symbol characters, the stop included, of a symbol of count edges: 6 edges
// each and the termination bar.
std::uint32_t SymbolCount(std::uint32_t count) {
    return (count / 2 - 1) / 3;
}

// Every start character and the termination bar are 2 modules wide, so the
// centres of the first and the last bar lie 11 modules a symbol character
// apart.
double SymbolModule(const BarcodeEdgeView& view, std::uint32_t symbols) {
    const std::uint32_t count = view.GetCount();
    return ((view[count - 2] + view[count - 1]) - (view[0] + view[1])) / 2.0 /
           (kSymbolModules * symbols);
}

// Whether the caller's view begins with a start character and ends in a
// termination bar that makes, with the stop character's last space, the
// modules of the two in the stop character's width: judged before anything
// is copied.
bool HasStartAndTermination(const BarcodeEdgeView& view, std::uint32_t symbols, double module) {
    std::uint8_t sums[4] = {};
    if (!MeasureSums(view, 0, module, sums)) {
        return false;
    }
    const int start = FindSymbolValue(sums, MeasuredBarModules(view, 0));
    if (start < Code128::kStartA || start > Code128::kStartC) {
        return false;
    }
    const std::uint32_t stopEnd = 6 * symbols;
    const double stopModule = (view[stopEnd] - view[stopEnd - 6]) / kSymbolModules;
    return RoundHalfAwayFromZero((view[stopEnd + 1] - view[stopEnd - 1]) / stopModule) ==
           kTerminationPairModules;
}

// Turns the symbol values of a decoding into the code text, checking the
// start, check and stop characters on the way.
class SymbolReader {
public:
    explicit SymbolReader(std::uint32_t symbolCount) : symbolCount_(symbolCount) {}

    bool Read(std::uint32_t position, int value) {
        if (position == 0) {
            set_ = value == Code128::kStartA
                       ? CodeSet::kA
                       : (value == Code128::kStartB ? CodeSet::kB : CodeSet::kC);
            sum_ = value;
            return value >= Code128::kStartA && value <= Code128::kStartC;
        }
        if (position + 2 == symbolCount_) {
            return !shiftPending_ && value == sum_ % kCheckModulus;
        }
        if (position + 1 == symbolCount_) {
            return value == Code128::kStopValue;
        }
        sum_ += static_cast<int>(position) * value;
        const Code128Symbol& symbol = Code128SymbolTable[static_cast<std::size_t>(value)];
        if (shiftPending_) {
            // The one character after SHIFT is read in the other of sets A
            // and B; a set change or another SHIFT has no text and fails.
            shiftPending_ = false;
            return AppendCharacter(Column(symbol, set_ == CodeSet::kA ? CodeSet::kB : CodeSet::kA));
        }
        if (set_ == CodeSet::kC && value < kDigitPairValues) {
            return Append('0' + value / 10) && Append('0' + value % 10);
        }
        const unsigned char c = Column(symbol, set_);
        if (value >= Code128::kStartA) {
            return false;
        }
        switch (c) {
            case kCodeA:
                set_ = CodeSet::kA;
                return true;
            case kCodeB:
                set_ = CodeSet::kB;
                return true;
            case kCodeC:
                set_ = CodeSet::kC;
                return true;
            case kShift:
                shiftPending_ = true;
                return true;
            default:
                return AppendCharacter(c);
        }
    }

    const char* GetText() const { return text_; }

private:
    // In the escaped form that the encoder reads back to the same character.
    bool AppendCharacter(unsigned char c) {
        if (c < kFirstPrintable) {
            return Append('%') && Append(kHexDigits[c >> 4]) && Append(kHexDigits[c & 0xF]);
        }
        if (c == '%') {
            return Append('%') && Append('%');
        }
        if (c < 0x80) {
            return Append(static_cast<char>(c));
        }
        if (c >= kFnc1 && c <= kFnc4) {
            return Append('%') && Append('F') && Append('N') && Append('C') &&
                   Append(static_cast<char>('1' + (c - kFnc1)));
        }
        return false;
    }

    bool Append(int c) {
        if (length_ == BarcodeProcessor::kCodeCapacity) {
            return false;
        }
        text_[length_++] = static_cast<char>(c);
        text_[length_] = '\0';
        return true;
    }

    std::uint32_t symbolCount_;
    CodeSet set_ = CodeSet::kNone;
    int sum_ = 0;
    bool shiftPending_ = false;
    char text_[BarcodeProcessor::kCodeCapacity + 1] = {};
    std::size_t length_ = 0;
};

}  // namespace

std::int32_t BarcodeProcessorCode128::GetType() const {
    return kBarcodeTypeCode128;
}

const char* BarcodeProcessorCode128::GetName() const {
    return kName;
}

bool BarcodeProcessorCode128::BeginDecode(const double* /*edges*/, std::uint32_t count) {
    const std::size_t needed = count >= 2 ? std::size_t{(count / 2 - 1) / 3} * 4 : 0;
    return decodeBuffer_.Reserve(needed);
}

bool BarcodeProcessorCode128::EndDecode() {
    decodeBuffer_.Free();
    return true;
}

bool BarcodeProcessorCode128::MightDecode(const BarcodeEdgeView& edges) {
    const std::uint32_t count = edges.GetCount();
    if (count % 2 != 0 || (count / 2) % 3 != 1) {
        return false;
    }
    const std::uint32_t symbols = SymbolCount(count);
    if (symbols < kMinSymbolCount) {
        return false;
    }
    const double module = SymbolModule(edges, symbols);
    return module > 0.0 && std::isfinite(module) && HasStartAndTermination(edges, symbols, module);
}

BarcodeProcessorCode128::SharedReading<BarcodeProcessorCode128::SymbolReading>&
BarcodeProcessorCode128::GetSharedReading(bool reversed) {
    thread_local SharedReading<SymbolReading> readings[2];
    return readings[reversed ? 1 : 0];
}

bool BarcodeProcessorCode128::Decode(const double* edges, std::uint32_t count, bool reversed) {
    const BarcodeEdgeView view(edges, count, reversed);
    if (!MightDecode(view)) {
        return false;
    }
    return DecodeSharing(
        GetSharedReading(reversed), edges, count,
        [&](SymbolReading* reading) { return ReadSymbols(view, reading); },
        [this](const SymbolReading& reading, DecodingMeasures* shared) {
            return CommitSymbols(reading, shared);
        });
}

bool BarcodeProcessorCode128::CommitSymbols(const SymbolReading& reading,
                                            DecodingMeasures* shared) {
    return CommitDecoding(WholeSymbolResult(reading.text, reading.moduleMm, kNominalModuleMm),
                          shared);
}

bool BarcodeProcessorCode128::ReadSymbols(const BarcodeEdgeView& view, SymbolReading* reading) {
    if (!PrepareDecoding(view)) {
        return false;
    }
    const std::uint32_t count = view.GetCount();
    const std::uint32_t symbols = SymbolCount(count);
    const double module = SymbolModule(view, symbols);
    std::uint8_t* const sums = decodeBuffer_.GetFor(std::size_t{symbols} * 4);
    if (sums == nullptr) {
        return false;
    }
    BarcodeEdgeList& decoding = GetDecodingEdges();
    const double* const measured = decoding.GetMeasured();
    double* const ideal = decoding.GetIdeal();
    for (std::uint32_t i = 0; i < symbols; ++i) {
        if (!MeasureSums(measured, 6 * i, module, &sums[4 * i])) {
            return false;
        }
    }
    const std::uint32_t termination = 6 * symbols;
    if (RoundHalfAwayFromZero((measured[termination + 1] - measured[termination - 1]) / module) !=
        kTerminationPairModules) {
        return false;
    }
    ideal[0] = measured[0];
    SymbolReader reader(symbols);
    for (std::uint32_t i = 0; i < symbols; ++i) {
        const int value = FindSymbolValue(&sums[4 * i], MeasuredBarModules(measured, 6 * i));
        if (value < 0 || !reader.Read(i, value)) {
            return false;
        }
        PlaceSymbol(value, 6 * i, module, ideal);
    }
    ideal[termination + 1] = ideal[termination] + kTerminationBarModules * module;
    reading->moduleMm = module;
    return CopyIfFits(reader.GetText(), reading->text, kCodeCapacity);
}

bool BarcodeProcessorCode128::Generate() {
    const Encodation& encodation = Encode(GetEncodedCode());
    const std::size_t count = encodation.count;
    const SymbolValues values = encodation.values;
    if (count == 0) {
        return false;
    }
    const double module = GetMagnification();
    SetModuleWidth(module);
    if (!(module > 0.0) || !EmitFont(GetFont(), false)) {
        return false;
    }
    const double quietZone = QuietZoneMm(module);
    const double width = (kSymbolModules * count + kTerminationBarModules) * module + 2 * quietZone;
    SetTotalWidth(width);
    double baseline = -TextSizeMm() - module;
    const double barHeight = GetBarHeight() != 0.0 ? GetBarHeight() : MinimumBarHeightMm(module);
    double left = 0.0;
    double right = width;
    double bottom = baseline - module;
    double top = barHeight + module;
    const double bearerBar = kBearerBarModules * module;
    baseline += ReserveBearerBars(&left, &right, &bottom, &top, bearerBar);
    if ((GetEmitFrame() && !EmitFrame(left, right, bottom, top, 0.0)) ||
        (GetHumanReadable() && !EmitQuietZoneMarks(0.0, width, baseline, baseline, true, true))) {
        return false;
    }
    SetRunningX(quietZone);
    for (std::size_t i = 0; i < count; ++i) {
        if (!EmitSymbol(values[i], 0.0, barHeight)) {
            return false;
        }
    }
    const double x = GetRunningX();
    if (!EmitBar(x, x + kTerminationBarModules * module, 0.0, barHeight)) {
        return false;
    }
    SetRunningX(x + kTerminationBarModules * module);
    if (!EmitBearerBars(0.0, width, quietZone, quietZone, 0.0, barHeight, bearerBar,
                        GetGenerator())) {
        return false;
    }
    if (!GetHumanReadable()) {
        return true;
    }
    // Escaped control and function characters have no printed form.
    const char* const code = GetEncodedCode();
    const std::size_t length = std::strlen(code);
    char printed[kCodeCapacity];
    std::size_t printedCount = 0;
    for (std::size_t p = 0; p < length && printedCount < kCodeCapacity; ++p) {
        const int c = NextCodeChar(code, length, &p);
        if (c >= 0x20 && c <= 0x7F) {
            printed[printedCount++] = static_cast<char>(c);
        }
    }
    return EmitTextLine(printed, printedCount, quietZone, baseline);
}

double BarcodeProcessorCode128::ComputeWidth() {
    const std::size_t count = Encode(GetEncodedCode()).count;
    if (count == 0) {
        return 0.0;
    }
    const double module = GetMagnification();
    SetModuleWidth(module);
    if (!(module > 0.0)) {
        return -1.0;
    }
    const double width =
        (kSymbolModules * count + kTerminationBarModules) * module + 2 * QuietZoneMm(module);
    SetTotalWidth(width);
    return width;
}

bool BarcodeProcessorCode128::IsEncodedValid(const char* encoded) const {
    return encoded != nullptr && Encode(encoded).count != 0;
}

// The limit of symbol values keeps the text within kCodeCapacity.
bool BarcodeProcessorCode128::CorrectCode(M7LString& code) const {
    const std::string text = NormalSpelling(code.CStr());
    if (text.size() > kCodeCapacity || !IsEncodedValid(text.c_str())) {
        return false;
    }
    return StoreText(code, text.c_str());
}

bool BarcodeProcessorCode128::IsBarWidthReductionValid() const {
    return std::fabs(GetBarWidthReduction()) <= kMaxBarWidthReductionModules * GetMagnification();
}

bool BarcodeProcessorCode128::IsMagnificationValid() const {
    const double module = GetMagnification();
    return module >= kMinModuleMm && module <= kMaxModuleMm;
}

bool BarcodeProcessorCode128::IsBarHeightValid() const {
    return kBarHeightTolerance * GetBarHeight() >= MinimumBarHeightMm(GetMagnification());
}

// Steps the unit count down to the largest and up to the smallest module,
// starting from the nearest bound so that only a step or two remain.
bool BarcodeProcessorCode128::FitToResolution(double deviceUnitsPerMm) {
    const double r = deviceUnitsPerMm;
    if (!(r > 0.0) || !std::isfinite(r)) {
        return false;
    }
    double units = std::max(1.0, RoundHalfAwayFromZero(GetMagnification() * r));
    units = std::min(units, std::floor(kMaxModuleMm * r) + 1.0);
    for (int step = 0; step < kMaxFitSteps && units > 1.0 && units / r > kMaxModuleMm; ++step) {
        units -= 1.0;
    }
    if (units / r < kMinModuleMm) {
        units = std::max(units, std::ceil(kMinModuleMm * r) - 1.0);
    }
    for (int step = 0; step < kMaxFitSteps && units / r < kMinModuleMm; ++step) {
        units += 1.0;
    }
    const double module = units / r;
    if (!(module >= kMinModuleMm && module <= kMaxModuleMm)) {
        return false;
    }
    SetMagnification(module);
    return true;
}

bool BarcodeProcessorCode128::HasOption(std::int32_t optionCode) const {
    return optionCode == kBarcodeOptionFont || optionCode == kBarcodeOptionCenterAlign ||
           optionCode == kBarcodeOptionFontScaling || optionCode == kBarcodeOptionBearerBars ||
           optionCode == kBarcodeOptionBearerBarEndBars;
}

int BarcodeProcessorCode128::NextCodeChar(const char* text, std::size_t length,
                                          std::size_t* position) {
    const std::size_t p = *position;
    const unsigned char c = static_cast<unsigned char>(text[p]);
    if (c >= 0x80 || c < kFirstPrintable || (c == '%' && p + 1 == length)) {
        return kInvalidCodeChar;
    }
    if (c != '%') {
        return c;
    }
    if (text[p + 1] == '%') {
        *position = p + 1;
        return '%';
    }
    const std::size_t rest = length - p;
    if (rest >= kFunctionEscapeLength &&
        std::memcmp(text + p, kFunctionEscapePrefix, kFunctionEscapePrefixLength) == 0) {
        const char number = text[p + kFunctionEscapePrefixLength];
        if (number < '1' || number > '4') {
            return kInvalidCodeChar;
        }
        *position = p + kFunctionEscapeLength - 1;
        return kFnc1 + (number - '1');
    }
    // Only control characters may be escaped.
    const char high = text[p + 1];
    if (rest >= kControlEscapeLength && (high == '0' || high == '1') &&
        HexValue(text[p + 2]) >= 0) {
        *position = p + kControlEscapeLength - 1;
        return (high - '0') * 16 + HexValue(text[p + 2]);
    }
    return kInvalidCodeChar;
}

std::size_t BarcodeProcessorCode128::EncodeSymbolValues(const char* text, SymbolValues& values) {
    CodeChars chars;
    if (text == nullptr || !ReadCodeChars(text, chars) || chars.count == 0) {
        return 0;
    }
    ValueWriter out(values);
    CodeSet current = CodeSet::kNone;
    for (std::size_t begin = 0; begin < chars.count;) {
        const Segment segment = FindSegment(chars, begin, current);
        if (segment.set != current &&
            !out.Put(current == CodeSet::kNone ? StartValue(segment.set)
                                               : CodeChangeValue(segment.set))) {
            return 0;
        }
        if (!EncodeSegment(chars, begin, segment, out)) {
            return 0;
        }
        current = segment.set;
        begin += segment.length;
    }
    int sum = values[0];
    for (std::size_t i = 1; i < out.Count(); ++i) {
        sum += static_cast<int>(i) * values[i];
    }
    if (!out.Put(sum % kCheckModulus) || !out.Put(kStopValue)) {
        return 0;
    }
    return out.Count();
}

// A text too long to keep is encoded every time; EncodeSymbolValues
// refuses it anyway.
const BarcodeProcessorCode128::Encodation& BarcodeProcessorCode128::Encode(const char* text) const {
    if (encodation_.known && std::strcmp(encodation_.text, text) == 0) {
        return encodation_;
    }
    const std::size_t length = std::strlen(text);
    encodation_.count = EncodeSymbolValues(text, encodation_.values);
    encodation_.known = length <= kCodeCapacity;
    if (encodation_.known) {
        std::memcpy(encodation_.text, text, length + 1);
    }
    return encodation_;
}

double BarcodeProcessorCode128::QuietZoneMm(double moduleMm) {
    return std::max(kQuietZoneModules * moduleMm, kMinQuietZoneMm);
}

double BarcodeProcessorCode128::TextSizeMm() const {
    return kTextSizePerScalingMm * GetFontScaling();
}

bool BarcodeProcessorCode128::EmitTextLine(const char* characters, std::size_t count,
                                           double quietZoneMm, double baselineMm) {
    return BarcodeProcessor::EmitTextLine(
        characters, count,
        {.quietZoneMm = quietZoneMm,
         .baselineMm = baselineMm,
         .sizeMm = TextSizeMm(),
         .centred = GetCenterAlign(),
         .centredPitchMm = kCenteredPitchPerScalingMm * GetFontScaling()});
}

bool BarcodeProcessorCode128::EmitSymbol(std::uint8_t value, double bottom, double top) {
    if (value >= Code128SymbolTable.size()) {
        ReportCantHappen(0, "Code 128 symbol value out of range", __FILE__, __LINE__);
        return false;
    }
    const std::array<std::uint8_t, 6>& widths = Code128SymbolTable[value].widths;
    const double start = GetRunningX();
    const double module = GetModuleWidth();
    int modules = 0;
    for (std::size_t bar = 0; bar < widths.size(); bar += 2) {
        if (!EmitBar(start + modules * module, start + (modules + widths[bar]) * module, bottom,
                     top)) {
            return false;
        }
        modules += widths[bar] + widths[bar + 1];
    }
    SetRunningX(start + kSymbolModules * module);
    return true;
}

}  // namespace Strivelo
