#include "BarcodeProcessorEAN13.h"

#include <algorithm>
#include <cstring>

#include "BarcodeEANUPCText.h"
#include "BarcodeText.h"

namespace Strivelo {

namespace {

// Sets of the six left-half digits of an EAN-13 by its leading digit, which
// ISO/IEC 15420 encodes in their choice.
constexpr const char* kLeadingDigitParity[10] = {
    "AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB",
    "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA",
};

constexpr double kTextSizeMm = 2.8;
constexpr std::uint32_t kFirstDigitElement = 3;

// EAN-8: 7 quiet-zone modules, guard, four digits of set A, centre guard,
// four of set C, guard, 7 quiet-zone modules.
constexpr EANUPCCodeForm kEAN8Form{.hyphens = {4, 0, 0, 0},
                                   .maxLength = 10,
                                   .dataDigits = 7,
                                   .lengths = {9, 0, 0},
                                   .cutToLength = true,
                                   .checkIndex = 8,
                                   .blankEndsAt = 0};
constexpr const char* kEAN8Pattern = "DDDD-DDDD";
constexpr std::size_t kEAN8CheckIndex = 8;
constexpr std::uint32_t kEAN8Edges = 44;
constexpr int kEAN8Modules = 67;
constexpr int kEAN8TotalModules = 81;
constexpr int kEAN8QuietZoneModules = 7;
constexpr std::uint32_t kEAN8CentreElement = 19;
constexpr std::uint32_t kEAN8RightElement = 24;
constexpr std::int32_t kEAN8HeightBarEdge = 4;

// EAN-13: 11 quiet-zone modules, guard, six digits of sets A and B (whose
// choice carries the leading digit), centre guard, six of set C, guard, 7
// quiet-zone modules, then the add-on.
constexpr EANUPCCodeForm kEAN13Form{.hyphens = {1, 8, 15, 0},
                                    .maxLength = 22,
                                    .dataDigits = 12,
                                    .lengths = {15, 18, 21},
                                    .cutToLength = true,
                                    .checkIndex = 14,
                                    .blankEndsAt = 0};
constexpr const char* kEAN13Pattern = "D-DDDDDD-DDDDDD";
constexpr std::size_t kEAN13Length = 15;
constexpr std::size_t kEAN13CheckIndex = 14;
constexpr int kEAN13TotalModules = 113;
constexpr int kEAN13LeftQuietZoneModules = 11;
constexpr int kEAN13RightQuietZoneModules = 7;

// Turns the prefix of a regrouped code into 45 or 49: a first digit other
// than 4 becomes 4, a second one that is neither 5 nor 9 becomes 5 below 7
// and 9 from 7 on.
void ForceJANPrefix(M7LString& code, std::size_t secondIndex) {
    char* const text = code.Buffer();
    if (text == nullptr) {
        return;
    }
    text[0] = '4';
    if (std::strlen(text) > secondIndex) {
        char& second = text[secondIndex];
        if (second != '5' && second != '9') {
            second = second < '7' ? '5' : '9';
        }
    }
}

// The EAN correction, the prefix forced on its result, and the correction
// again for the check digit. A text refused for its characters is left alone
// rather than given a prefix.
template <typename Correct>
bool CorrectWithJANPrefix(M7LString& code, std::size_t secondIndex, Correct correct) {
    if (correct(code) == EANUPCCorrection::kRefused) {
        return false;
    }
    ForceJANPrefix(code, secondIndex);
    return correct(code) == EANUPCCorrection::kCorrected;
}

bool HasJANPrefix(const char* encoded, std::size_t secondIndex) {
    return encoded[0] == '4' && (encoded[secondIndex] == '5' || encoded[secondIndex] == '9');
}

// What HasJANPrefix asks of an EAN-13 form.
constexpr std::string_view kJAN13Prefixes[] = {"4-5", "4-9"};

// The leading digit that the sets of the left half carry; 10 for none.
int LeadingDigit(const char* letters) {
    int leading = 0;
    while (leading < 10 && std::memcmp(letters, kLeadingDigitParity[leading], 6) != 0) {
        ++leading;
    }
    return leading;
}

}  // namespace

bool BarcodeProcessorEAN8::MightDecode(const BarcodeEdgeView& edges) {
    return edges.GetCount() == kEAN8Edges && HasMainStart(edges, kEAN8Edges, kEAN8Modules);
}

bool BarcodeProcessorEAN8::Decode(const double* edges, std::uint32_t count, bool reversed) {
    if (count != kEAN8Edges) {
        return false;
    }
    double module = 0.0;
    char text[kEAN8CheckIndex + 2];
    if (!BeginMainDecoding(BarcodeEdgeView(edges, count, reversed), kEAN8Edges, kEAN8Modules,
                           &module) ||
        !DecodeDigits(kFirstDigitElement, 4, true, 'A', 7, module, text, nullptr) ||
        !DecodeDigits(kEAN8RightElement, 4, false, 0, 3, module, text + 5, nullptr) ||
        !EndMainGrid(kEAN8Edges, kEAN8Modules, kEAN8CentreElement) ||
        !TestCheckDigit(DigitValue(text[kEAN8CheckIndex]))) {
        return false;
    }
    text[4] = '-';
    text[kEAN8CheckIndex + 1] = '\0';
    return CommitMainDecoding(text, module, kEAN8Edges, kEAN8HeightBarEdge);
}

bool BarcodeProcessorEAN8::Generate() {
    const double width = ComputeWidth();
    if (!(width > 0.0)) {
        return false;
    }
    const char* const code = GetEncodedCode();
    const Layout layout = ComputeLayout(kTextSizeMm);
    double leftBox = 0.0;
    double rightBox = 0.0;
    if (!BeginSymbol(layout, GetFont(), width, true, true, layout.textBaseline,
                     kEAN8QuietZoneModules) ||
        !DrawHalves(layout, code, "AAAA", code + 5, 4, &leftBox, &rightBox)) {
        return false;
    }
    return !GetHumanReadable() || (EmitDigitTexts(layout, code, 4, leftBox, layout.textSize) &&
                                   EmitDigitTexts(layout, code + 5, 4, rightBox, layout.textSize));
}

double BarcodeProcessorEAN8::ComputeWidth() {
    if (!IsEncodedValid(GetEncodedCode())) {
        return 0.0;
    }
    return ComputeSymbolWidth(kEAN8TotalModules, nullptr, kEAN8QuietZoneModules, true);
}

bool BarcodeProcessorEAN8::IsEncodedValid(const char* encoded) const {
    return encoded != nullptr && std::strlen(encoded) == kEAN8CheckIndex + 1 &&
           MatchesForm(encoded, kEAN8Pattern) && HasGS1CheckDigitAt(encoded, kEAN8CheckIndex);
}

bool BarcodeProcessorEAN8::CorrectCode(M7LString& code) const {
    return CorrectGroupedCode(code, kEAN8Form) == EANUPCCorrection::kCorrected;
}

bool BarcodeProcessorEAN8::HasOption(std::int32_t optionCode) const {
    return optionCode == kBarcodeOptionFont;
}

bool BarcodeProcessorEAN13::Decode(const double* edges, std::uint32_t count, bool reversed) {
    EAN13Bars bars;
    if (!DecodeEAN13Bars(edges, count, reversed, 0, &bars)) {
        return false;
    }
    const int leading = LeadingDigit(bars.letters);
    if (leading == 10) {
        return false;
    }
    AddCheckDigit(leading, 12);
    if (!TestCheckDigit(DigitValue(bars.right[5]))) {
        return false;
    }
    char text[kEAN13Length + kAddOnCapacity + 1];
    text[0] = DigitCharacter(leading);
    text[1] = '-';
    std::memcpy(text + 2, bars.left, 6);
    text[8] = '-';
    std::memcpy(text + 9, bars.right, 6);
    std::strcpy(text + kEAN13Length, bars.addOn);
    return CommitMainDecoding(text, bars.moduleMm, kEAN13Edges, kEAN13HeightBarEdge);
}

bool BarcodeProcessorEAN13::AcceptsLeftHalf(const EAN13Bars& bars) const {
    return HasEncodedPrefix(bars, GetEncodedPrefixes());
}

bool BarcodeProcessorEAN13::MightBeMember(const BarcodeEdgeView& edges,
                                          std::span<const std::string_view> prefixes) {
    if (!MightBeEAN13Bars(edges)) {
        return false;
    }
    const EAN13Bars* const bars = FindSharedEAN13Bars(edges);
    return bars == nullptr || HasEncodedPrefix(*bars, prefixes);
}

// The leading digit, a hyphen and the left half begin the encoded form.
bool BarcodeProcessorEAN13::HasEncodedPrefix(const EAN13Bars& bars,
                                             std::span<const std::string_view> prefixes) {
    if (prefixes.empty()) {
        return true;
    }
    const int leading = LeadingDigit(bars.letters);
    if (leading == 10) {
        return false;
    }
    char begin[2 + sizeof bars.left];
    begin[0] = DigitCharacter(leading);
    begin[1] = '-';
    std::memcpy(begin + 2, bars.left, sizeof bars.left);
    const std::string_view beginning(begin, sizeof begin);
    return std::any_of(prefixes.begin(), prefixes.end(), [beginning](std::string_view prefix) {
        return beginning.starts_with(prefix);
    });
}

bool BarcodeProcessorEAN13::Generate() {
    const double width = ComputeWidth();
    if (!(width > 0.0)) {
        return false;
    }
    const char* const code = GetEncodedCode();
    const char* const addOn = AddOnAfter(code, kEAN13Length);
    const Layout layout = ComputeLayout(kTextSizeMm);
    const double rightMarkY =
        addOn != nullptr ? AddOnTextBaseline(layout.addOnReference) : layout.textBaseline;
    double leftBox = 0.0;
    double rightBox = 0.0;
    if (!BeginSymbol(layout, GetFont(), width, false, true, rightMarkY,
                     kEAN13LeftQuietZoneModules) ||
        !DrawHalves(layout, code + 2, kLeadingDigitParity[DigitValue(code[0])], code + 9, 6,
                    &leftBox, &rightBox)) {
        return false;
    }
    SetRunningX(GetRunningX() + kEAN13RightQuietZoneModules * layout.module);
    if (addOn != nullptr &&
        !DrawAddOn(addOn, kEAN13RightQuietZoneModules, layout.addOnReference, true)) {
        return false;
    }
    return !GetHumanReadable() || (EmitDigitTexts(layout, code, 1, 0.0, layout.textSize) &&
                                   EmitDigitTexts(layout, code + 2, 6, leftBox, layout.textSize) &&
                                   EmitDigitTexts(layout, code + 9, 6, rightBox, layout.textSize));
}

double BarcodeProcessorEAN13::ComputeWidth() {
    const char* const code = GetEncodedCode();
    if (!IsEncodedValid(code)) {
        return 0.0;
    }
    return ComputeSymbolWidth(kEAN13TotalModules, AddOnAfter(code, kEAN13Length),
                              kEAN13RightQuietZoneModules, true);
}

bool BarcodeProcessorEAN13::IsEncodedValid(const char* encoded) const {
    if (encoded == nullptr || !MatchesForm(encoded, kEAN13Pattern) ||
        !HasGS1CheckDigitAt(encoded, kEAN13CheckIndex)) {
        return false;
    }
    const char* const addOn = AddOnAfter(encoded, kEAN13Length);
    return addOn == nullptr || IsWholeAddOn(addOn);
}

// The regrouped add-on consists of digits, so it passes as it is.
bool BarcodeProcessorEAN13::CorrectCode(M7LString& code) const {
    return CorrectGroupedCode(code, kEAN13Form) == EANUPCCorrection::kCorrected;
}

bool BarcodeProcessorEAN13::HasOption(std::int32_t optionCode) const {
    return optionCode == kBarcodeOptionFont;
}

bool BarcodeProcessorJAN8::IsEncodedValid(const char* encoded) const {
    return BarcodeProcessorEAN8::IsEncodedValid(encoded) && HasJANPrefix(encoded, 1);
}

bool BarcodeProcessorJAN8::CorrectCode(M7LString& code) const {
    return CorrectWithJANPrefix(
        code, 1, [](M7LString& text) { return CorrectGroupedCode(text, kEAN8Form); });
}

bool BarcodeProcessorJAN13::IsEncodedValid(const char* encoded) const {
    return BarcodeProcessorEAN13::IsEncodedValid(encoded) && HasJANPrefix(encoded, 2);
}

std::span<const std::string_view> BarcodeProcessorJAN13::EncodedPrefixes() {
    return kJAN13Prefixes;
}

bool BarcodeProcessorJAN13::CorrectCode(M7LString& code) const {
    return CorrectWithJANPrefix(
        code, 2, [](M7LString& text) { return CorrectGroupedCode(text, kEAN13Form); });
}

}  // namespace Strivelo
