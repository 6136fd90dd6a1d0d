#include "BarcodeProcessorUPCA.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <iterator>

#include "BarcodeEANUPCText.h"
#include "BarcodeGS1CheckSum.h"
#include "BarcodeText.h"

namespace Strivelo {

namespace {

constexpr const char* kFont = "OCRB";
// Digits of the human-readable line; the number system and the check digit
// are printed smaller, outside the bars.
constexpr double kTextSizeMm = 2.7432;
constexpr double kOuterDigitTextScale = 0.75;
constexpr double kNumberSystemCentreModules = 2.0;
constexpr int kQuietZoneModules = 9;
constexpr std::uint32_t kFirstDigitElement = 3;

// UPC-A: 9 quiet-zone modules, guard, number system and five digits of set
// A, centre guard, five digits and the check digit of set C, guard, 9
// quiet-zone modules.
constexpr EANUPCCodeForm kUPCAForm{.hyphens = {1, 7, 13, 15},
                                   .maxLength = 22,
                                   .dataDigits = 11,
                                   .lengths = {15, 18, 21},
                                   .cutToLength = true,
                                   .checkIndex = 14,
                                   .blankEndsAt = 0};
constexpr const char* kUPCAPattern = "D-DDDDD-DDDDD-D";
constexpr std::size_t kUPCALength = 15;
constexpr std::size_t kUPCACheckIndex = 14;
constexpr int kUPCATotalModules = 113;
// Where the check digit is printed, in modules from the left.
constexpr double kUPCACheckDigitCentreModules = 111.0;
constexpr double kUPCACheckDigitCentreWithAddOnModules = 108.5;

// UPC-E: 9 quiet-zone modules, guard, six digits of sets A and B (whose
// choice carries the check digit, by the parity table of ISO/IEC 15420 for
// number system 0), the 6-module special guard of ISO/IEC 15420
// space-bar-space-bar-space-bar, 9 quiet-zone modules, then the add-on.
constexpr const char* kUPCEParity[10] = {
    "BBBAAA", "BBABAA", "BBAABA", "BBAAAB", "BABBAA",
    "BAABBA", "BAAABB", "BABABA", "BABAAB", "BAABAB",
};
constexpr EANUPCCodeForm kUPCEShortForm{.hyphens = {1, 8, 10, 0},
                                        .maxLength = 13,
                                        .dataDigits = 7,
                                        .lengths = {10, 13, 0},
                                        .cutToLength = false,
                                        .checkIndex = 9,
                                        .blankEndsAt = 0};
constexpr EANUPCCodeForm kUPCELongForm{.hyphens = {1, 7, 13, 15},
                                       .maxLength = 18,
                                       .dataDigits = 11,
                                       .lengths = {15, 18, 0},
                                       .cutToLength = true,
                                       .checkIndex = 14,
                                       .blankEndsAt = 15};
constexpr const char* kUPCEShortPattern = "0-DDDDDD-D";
constexpr const char* kUPCELongPattern = "0-DDDDD-DDDDD-D";
constexpr std::size_t kUPCEShortLength = 10;
constexpr std::size_t kUPCEShortCheckIndex = 9;
constexpr std::size_t kUPCEDigitsIndex = 2;
constexpr std::size_t kUPCEDigitCount = 6;
// More digits (hyphens not counted) make a long form.
constexpr std::size_t kUPCEMaxShortDigits = 10;
constexpr std::size_t kUPCEMaxShortFormLength = 13;
constexpr int kUPCETotalModules = 69;
constexpr const char* kUPCEEndGuard = "010101";
constexpr std::uint32_t kUPCEEdges = 34;
constexpr std::uint32_t kUPCEAddOnEdges = 14;
constexpr int kUPCEModules = 51;
// The end guard's six elements are checked as a centre guard running into
// an end guard.
constexpr std::uint32_t kUPCEEndGuardElement = 27;
constexpr std::int32_t kUPCEHeightBarEdge = 4;
constexpr double kUPCECheckDigitCentreModules = 67.0;
constexpr double kUPCECheckDigitCentreWithAddOnModules = 64.5;

// The UPC-A long form "0-MMMMM-PPPPP" of six UPC-E digits, chosen by the
// last of them as the zero suppression of the GS1 General Specifications
// does: '1'-'6' name the UPC-E digit copied there, every other character is
// copied as it stands.
constexpr const char* kUPCEExpansion[10] = {
    "0-12600-00345", "0-12600-00345", "0-12600-00345", "0-12300-00045", "0-12340-00005",
    "0-12345-00006", "0-12345-00006", "0-12345-00006", "0-12345-00006", "0-12345-00006",
};
constexpr std::size_t kUPCEShortAddOnIndex = 10;
constexpr std::size_t kUPCEAddOnLength = 3;

// The UPC-A long form "0-MMMMM-PPPPP-C" of the six UPC-E digits of shortForm
// (index 2 on), followed by the short form's add-on (index 10 on) when it has
// one; longForm holds the long form's capacity. The short form's own number
// system and check digit are not read.
bool ExpandUPCE(const char* shortForm, char* longForm) {
    const char* const digits = shortForm + kUPCEDigitsIndex;
    if (!AllDigits(digits, kUPCEDigitCount)) {
        return false;
    }
    const char* const pattern = kUPCEExpansion[DigitValue(digits[kUPCEDigitCount - 1])];
    std::size_t i = 0;
    for (; pattern[i] != '\0'; ++i) {
        const char c = pattern[i];
        longForm[i] = c >= '1' && c <= '6' ? digits[c - '1'] : c;
    }
    longForm[i++] = '-';
    SetGS1CheckDigit(longForm, i);
    longForm[++i] = '\0';
    if (std::strlen(shortForm) > kUPCEShortAddOnIndex) {
        std::strncat(longForm, shortForm + kUPCEShortAddOnIndex, kUPCEAddOnLength);
    }
    return true;
}

// A UPC-E code's length ends at a blank or '(', where the display form's
// short form begins.
std::size_t UPCECodeLength(const char* encoded) {
    return std::strcspn(encoded, " (");
}

// The digits before the first character that is neither a digit nor '-'.
std::size_t LeadingDigitCount(const char* text) {
    std::size_t count = 0;
    for (; IsDigit(*text) || *text == '-'; ++text) {
        count += *text != '-' ? 1 : 0;
    }
    return count;
}

}  // namespace

bool BarcodeProcessorUPCA::MightDecode(const BarcodeEdgeView& edges) {
    if (!MightBeEAN13Bars(edges)) {
        return false;
    }
    const EAN13Bars* const bars = FindSharedEAN13Bars(edges);
    return bars == nullptr || std::all_of(std::begin(bars->letters), std::end(bars->letters),
                                          [](char letter) { return letter == 'A'; });
}

bool BarcodeProcessorUPCA::Decode(const double* edges, std::uint32_t count, bool reversed) {
    EAN13Bars bars;
    if (!DecodeEAN13Bars(edges, count, reversed, 'A', &bars) ||
        !TestCheckDigit(DigitValue(bars.right[5]))) {
        return false;
    }
    char text[kUPCALength + kAddOnCapacity + 1];
    text[0] = bars.left[0];
    text[1] = '-';
    std::memcpy(text + 2, bars.left + 1, 5);
    text[7] = '-';
    std::memcpy(text + 8, bars.right, 5);
    text[13] = '-';
    text[14] = bars.right[5];
    std::strcpy(text + kUPCALength, bars.addOn);
    return CommitMainDecoding(text, bars.moduleMm, kEAN13Edges, kEAN13HeightBarEdge);
}

bool BarcodeProcessorUPCA::Generate() {
    const double width = ComputeWidth();
    if (!(width > 0.0)) {
        return false;
    }
    const char* const code = GetEncodedCode();
    const char* const addOn = AddOnAfter(code, kUPCALength);
    const Layout layout = ComputeLayout(kTextSizeMm);
    const double module = layout.module;
    const double bottom = layout.normalBottom;
    const double top = layout.top;
    if (!BeginSymbol(layout, kFont, width, false, addOn != nullptr,
                     AddOnTextBaseline(layout.addOnReference), kQuietZoneModules) ||
        !DrawDigit('A', code[0], GetStartGuardExtension() ? 0.0 : bottom, top)) {
        return false;
    }
    const double leftBox = GetRunningX();
    if (!DrawDigits(code + 2, 5, nullptr, 'A', bottom, top) || !DrawCentreGuard(0.0, bottom, top)) {
        return false;
    }
    const double rightBox = GetRunningX();
    if (!DrawDigits(code + 8, 5, nullptr, 'C', bottom, top) ||
        !DrawDigit('C', code[kUPCACheckIndex], GetEndGuardExtension() ? 0.0 : bottom, top) ||
        !DrawEndGuard(0.0, bottom, top)) {
        return false;
    }
    SetRunningX(GetRunningX() + kQuietZoneModules * module);
    if (addOn != nullptr && !DrawAddOn(addOn, kQuietZoneModules, layout.addOnReference, false)) {
        return false;
    }
    if (!GetHumanReadable()) {
        return true;
    }
    const double outerSize = kOuterDigitTextScale * layout.textSize;
    const double checkCentre =
        addOn != nullptr ? kUPCACheckDigitCentreWithAddOnModules : kUPCACheckDigitCentreModules;
    return EmitText(kNumberSystemCentreModules * module, layout.textBaseline, outerSize, code[0]) &&
           EmitDigitTexts(layout, code + 2, 5, leftBox, layout.textSize) &&
           EmitDigitTexts(layout, code + 8, 5, rightBox, layout.textSize) &&
           EmitText(checkCentre * module, layout.textBaseline, outerSize, code[kUPCACheckIndex]);
}

double BarcodeProcessorUPCA::ComputeWidth() {
    const char* const code = GetEncodedCode();
    if (!IsEncodedValid(code)) {
        return 0.0;
    }
    return ComputeSymbolWidth(kUPCATotalModules, AddOnAfter(code, kUPCALength), kQuietZoneModules,
                              false);
}

bool BarcodeProcessorUPCA::IsEncodedValid(const char* encoded) const {
    if (encoded == nullptr || !MatchesForm(encoded, kUPCAPattern) ||
        !HasGS1CheckDigitAt(encoded, kUPCACheckIndex)) {
        return false;
    }
    const char* const addOn = AddOnAfter(encoded, kUPCALength);
    return addOn == nullptr || IsWholeAddOn(addOn);
}

// The regrouped add-on consists of digits, so it passes as it is.
bool BarcodeProcessorUPCA::CorrectCode(M7LString& code) const {
    return CorrectGroupedCode(code, kUPCAForm) == EANUPCCorrection::kCorrected;
}

bool BarcodeProcessorUPCE::MightDecode(const BarcodeEdgeView& edges) {
    const std::uint32_t count = edges.GetCount();
    return (count == kUPCEEdges || count == kUPCEEdges + kUPCEAddOnEdges) &&
           HasMainStart(edges, kUPCEEdges, kUPCEModules);
}

bool BarcodeProcessorUPCE::Decode(const double* edges, std::uint32_t count, bool reversed) {
    if (count != kUPCEEdges && count != kUPCEEdges + kUPCEAddOnEdges) {
        return false;
    }
    double module = 0.0;
    char shortForm[] = "0-000000-0";
    char letters[kUPCEDigitCount];
    if (!BeginMainDecoding(BarcodeEdgeView(edges, count, reversed), kUPCEEdges, kUPCEModules,
                           &module) ||
        !DecodeDigits(kFirstDigitElement, kUPCEDigitCount, true, 0, 0, module,
                      shortForm + kUPCEDigitsIndex, letters) ||
        !EndMainGrid(kUPCEEdges, kUPCEModules, kUPCEEndGuardElement)) {
        return false;
    }
    // The digits' sets carry the check digit of their expansion. Digits
    // that the expansion does not suppress to would be shown as others.
    int check = 0;
    while (check < 10 && std::memcmp(letters, kUPCEParity[check], kUPCEDigitCount) != 0) {
        ++check;
    }
    char longForm[kLongFormCapacity + 1];
    char addOn[kAddOnCapacity + 1];
    char display[kDisplayFormCapacity + 1];
    if (check == 10 || !ExpandsCanonically(shortForm, longForm) ||
        longForm[kUPCACheckIndex] != DigitCharacter(check) ||
        !DecodeAddOn(addOn, kUPCEEdges, count - kUPCEEdges, module)) {
        return false;
    }
    std::strcat(longForm, addOn);
    return MakeDisplayForm(longForm, display) &&
           CommitMainDecoding(display, module, kUPCEEdges, kUPCEHeightBarEdge);
}

bool BarcodeProcessorUPCE::Generate() {
    const double width = ComputeWidth();
    char longForm[kLongFormCapacity + 1];
    char digits[kUPCEDigitCount];
    char display[kDisplayFormCapacity + 1];
    if (!(width > 0.0) || !MakeLongForm(GetEncodedCode(), longForm) ||
        !SuppressZeros(longForm, digits) || !MakeDisplayForm(longForm, display)) {
        return false;
    }
    const char check = longForm[kUPCACheckIndex];
    const char* const addOn = AddOnAfter(longForm, kUPCALength);
    const Layout layout = ComputeLayout(kTextSizeMm);
    if (!BeginSymbol(layout, kFont, width, false, addOn != nullptr,
                     AddOnTextBaseline(layout.addOnReference), kQuietZoneModules)) {
        return false;
    }
    const double box = GetRunningX();
    if (!DrawDigits(digits, kUPCEDigitCount, kUPCEParity[DigitValue(check)], 0, layout.normalBottom,
                    layout.top) ||
        !DrawModules(kUPCEEndGuard, GetEndGuardExtension() ? 0.0 : layout.normalBottom,
                     layout.top)) {
        return false;
    }
    SetRunningX(GetRunningX() + kQuietZoneModules * layout.module);
    if (addOn != nullptr && !DrawAddOn(addOn, kQuietZoneModules, layout.addOnReference, false)) {
        return false;
    }
    if (GetHumanReadable()) {
        const double outerSize = kOuterDigitTextScale * layout.textSize;
        const double checkCentre =
            addOn != nullptr ? kUPCECheckDigitCentreWithAddOnModules : kUPCECheckDigitCentreModules;
        if (!EmitText(kNumberSystemCentreModules * layout.module, layout.textBaseline, outerSize,
                      '0') ||
            !EmitDigitTexts(layout, digits, kUPCEDigitCount, box, layout.textSize) ||
            !EmitText(checkCentre * layout.module, layout.textBaseline, outerSize, check)) {
            return false;
        }
    }
    return SetEncodedCode(display);
}

double BarcodeProcessorUPCE::ComputeWidth() {
    char longForm[kLongFormCapacity + 1];
    if (!MakeLongForm(GetEncodedCode(), longForm)) {
        return 0.0;
    }
    const double width = ComputeSymbolWidth(kUPCETotalModules, AddOnAfter(longForm, kUPCALength),
                                            kQuietZoneModules, false);
    return width > 0.0 ? width : 0.0;
}

bool BarcodeProcessorUPCE::IsEncodedValid(const char* encoded) const {
    if (encoded == nullptr) {
        return false;
    }
    const std::size_t length = UPCECodeLength(encoded);
    char longForm[kLongFormCapacity + 1];
    if (length == kUPCEShortLength || length == kUPCEMaxShortFormLength) {
        // A short form stands alone and must be the one its UPC-A code
        // suppresses to, so that the bars carry the digits it shows.
        return encoded[length] == '\0' && MatchesForm(encoded, kUPCEShortPattern) &&
               (length == kUPCEShortLength || IsWholeAddOn(encoded + kUPCEShortLength)) &&
               ExpandsCanonically(encoded, longForm) &&
               longForm[kUPCACheckIndex] == encoded[kUPCEShortCheckIndex];
    }
    if (length != kUPCALength && length != kUPCALength + 3) {
        return false;
    }
    if (!MatchesForm(encoded, kUPCELongPattern) || !HasGS1CheckDigitAt(encoded, kUPCACheckIndex) ||
        (length > kUPCALength && !IsAddOnValid(encoded + kUPCALength))) {
        return false;
    }
    std::memcpy(longForm, encoded, length);
    longForm[length] = '\0';
    char display[kDisplayFormCapacity + 1];
    return MakeDisplayForm(longForm, display) &&
           (encoded[length] == '\0' || std::strcmp(encoded, display) == 0);
}

// A short form whose number system is not 0, or whose digits are not those
// its UPC-A code suppresses to, is refused and left alone. A valid code
// stays as it is, so a display form keeps its short form.
bool BarcodeProcessorUPCE::CorrectCode(M7LString& code) const {
    if (IsEncodedValid(code.CStr())) {
        return true;
    }
    if (LeadingDigitCount(code.CStr()) > kUPCEMaxShortDigits) {
        return CorrectGroupedCode(code, kUPCELongForm) == EANUPCCorrection::kCorrected &&
               SuppressZeros(code.CStr(), nullptr);
    }
    char text[kEANUPCCorrectionCapacity + 1];
    if (!RegroupDigits(code.CStr(), kUPCEShortForm, text) || (text[0] != '\0' && text[0] != '0')) {
        return false;
    }
    const bool complete = HasLengthOf(text, kUPCEShortForm);
    if (complete) {
        char longForm[kLongFormCapacity + 1];
        if (!ExpandsCanonically(text, longForm)) {
            return false;
        }
        text[kUPCEShortCheckIndex] = longForm[kUPCACheckIndex];
    }
    return StoreText(code, text) && complete;
}

// The row is the first whose condition on M3, M4 and M5 holds; the code
// suppresses when the digits it leaves out are zeros, which the expansion of
// the chosen digits shows.
bool BarcodeProcessorUPCE::SuppressZeros(const char* longForm, char* digits) const {
    const char* const m = longForm + 2;
    const char* const p = longForm + 8;
    char shortForm[] = "0-000000-0";
    const auto take = [&shortForm](std::initializer_list<char> row) {
        std::copy(row.begin(), row.end(), shortForm + kUPCEDigitsIndex);
    };
    if (m[3] == '0' && m[4] == '0' && m[2] <= '2') {
        take({m[0], m[1], p[2], p[3], p[4], m[2]});
    } else if (m[3] == '0' && m[4] == '0') {
        take({m[0], m[1], m[2], p[3], p[4], '3'});
    } else if (m[4] == '0') {
        take({m[0], m[1], m[2], m[3], p[4], '4'});
    } else {
        take({m[0], m[1], m[2], m[3], m[4], p[4]});
    }
    char expanded[kLongFormCapacity + 1];
    if (!ExpandUPCE(shortForm, expanded) ||
        std::memcmp(expanded, longForm, kUPCACheckIndex - 1) != 0) {
        return false;
    }
    if (digits != nullptr) {
        std::memcpy(digits, shortForm + kUPCEDigitsIndex, kUPCEDigitCount);
    }
    return true;
}

bool BarcodeProcessorUPCE::ExpandsCanonically(const char* shortForm, char* longForm) const {
    char digits[kUPCEDigitCount];
    return ExpandUPCE(shortForm, longForm) && SuppressZeros(longForm, digits) &&
           std::memcmp(digits, shortForm + kUPCEDigitsIndex, kUPCEDigitCount) == 0;
}

bool BarcodeProcessorUPCE::MakeDisplayForm(const char* longForm, char* display) const {
    char digits[kUPCEDigitCount];
    if (!SuppressZeros(longForm, digits)) {
        return false;
    }
    const char* const addOn = AddOnAfter(longForm, kUPCALength);
    char* out = display;
    std::memcpy(out, longForm, kUPCALength);
    out += kUPCALength;
    if (addOn != nullptr) {
        std::strcpy(out, addOn);
        out += std::strlen(addOn);
    }
    std::memcpy(out, " (0-", 4);
    out += 4;
    std::memcpy(out, digits, kUPCEDigitCount);
    out += kUPCEDigitCount;
    *out++ = '-';
    *out++ = longForm[kUPCACheckIndex];
    if (addOn != nullptr) {
        std::strcpy(out, addOn);
        out += std::strlen(addOn);
    }
    *out++ = ')';
    *out = '\0';
    return true;
}

bool BarcodeProcessorUPCE::MakeLongForm(const char* encoded, char* longForm) const {
    if (!IsEncodedValid(encoded)) {
        return false;
    }
    if (std::strlen(encoded) <= kUPCEMaxShortFormLength) {
        return ExpandUPCE(encoded, longForm);
    }
    const std::size_t length = encoded[kUPCALength] == '-' ? kUPCALength + 3 : kUPCALength;
    std::memcpy(longForm, encoded, length);
    longForm[length] = '\0';
    return true;
}

}  // namespace Strivelo
