#include "BarcodeProcessorMS7B.h"

#include <cstring>

#include "BarcodeText.h"

namespace Strivelo {

namespace {

constexpr std::size_t kCodeLength = 7;
// "0", three digits, '-', four digits.
constexpr const char* kEncodedForm = "0DDD-DDDD";
constexpr std::size_t kEncodedLength = 9;
constexpr std::size_t kEncodedHyphenIndex = 4;
constexpr std::size_t kEncodedCapacity = 31;

constexpr double kTextSizeMm = 2.8;
constexpr const char* kLetterFont = "OCRB";
constexpr const char* kDigitFont = "GillSans-Bold";
// The box stands this far (times the magnification) left and right of the
// symbol, and the letters this far inside it.
constexpr double kBoxMarginMm = 1.97;
constexpr double kLetterInsetMm = 0.33;
// Above and below the symbol the box keeps half of this (scaled with the
// bar height) less half a module.
constexpr double kBoxHeightAllowanceMm = 0.98;
constexpr int kSymbolModules = 81;
// The digits fill the modules from the end of the start guard to the start
// of the end guard; the letters are centred in the quiet zones.
constexpr int kDigitsStartModules = 10;
constexpr int kDigitsEndModules = 71;
constexpr double kLeftLetterModules = 3.5;
constexpr double kRightLetterModules = 77.5;

}  // namespace

bool BarcodeProcessorMS7B::EncodedToCode(const char* encoded, char* code,
                                         std::size_t capacity) const {
    if (encoded == nullptr || capacity < kCodeLength || std::strlen(encoded) != kEncodedLength ||
        !MatchesForm(encoded, kEncodedForm)) {
        return false;
    }
    std::memcpy(code, encoded + 1, kEncodedHyphenIndex - 1);
    std::memcpy(code + kEncodedHyphenIndex - 1, encoded + kEncodedHyphenIndex + 1,
                kEncodedLength - kEncodedHyphenIndex - 1);
    code[kCodeLength] = '\0';
    return true;
}

bool BarcodeProcessorMS7B::CodeToEncoded(const char* code, char* encoded,
                                         std::size_t capacity) const {
    if (code == nullptr || capacity < kEncodedLength || std::strlen(code) < kCodeLength) {
        return false;
    }
    encoded[0] = '0';
    std::memcpy(encoded + 1, code, kEncodedHyphenIndex - 1);
    encoded[kEncodedHyphenIndex] = '-';
    std::memcpy(encoded + kEncodedHyphenIndex + 1, code + kEncodedHyphenIndex - 1,
                kEncodedLength - kEncodedHyphenIndex - 1);
    encoded[kEncodedLength] = '\0';
    return true;
}

bool BarcodeProcessorMS7B::Generate() {
    const char* const code = GetCode();
    if (!IsCodeValid(code)) {
        return false;
    }
    SetHumanReadable(false);
    SetGuardExtension(true, false, true);
    SetEmitFrame(false);
    const Layout layout = ComputeLayout(kTextSizeMm);
    const double module = layout.module;
    if (!(module > 0.0)) {
        return false;
    }
    const double a = kBoxMarginMm * GetMagnification();
    const double b = (kBoxHeightAllowanceMm * layout.barHeight / kEAN8BarHeightMm - module) / 2.0;
    const double y = layout.textBaseline;
    const double size = layout.textSize;
    if (!EmitFrame(-a, kSymbolModules * module + a, y - module - b, layout.top + module + b,
                   module) ||
        !BarcodeProcessorEAN8::Generate() || !EmitFont(kLetterFont, true) ||
        !EmitText(kLeftLetterModules * module - a + kLetterInsetMm, y, size, 'M') ||
        !EmitFont(kDigitFont, true)) {
        return false;
    }
    const double pitch = (kDigitsEndModules - kDigitsStartModules) * module / kCodeLength;
    for (std::size_t j = 0; j < kCodeLength; ++j) {
        const double x =
            kDigitsStartModules * module + pitch / 2.0 + static_cast<double>(j) * pitch;
        if (!EmitText(x, y, size, code[j])) {
            return false;
        }
    }
    return EmitFont(kLetterFont, true) &&
           EmitText(kRightLetterModules * module + a - kLetterInsetMm, y, size, 'S');
}

bool BarcodeProcessorMS7B::IsCodeValid(const char* code) const {
    char encoded[kEncodedCapacity + 1];
    return code != nullptr && std::strlen(code) == kCodeLength &&
           CodeToEncoded(code, encoded, kEncodedCapacity) &&
           BarcodeProcessorEAN8::IsEncodedValid(encoded);
}

bool BarcodeProcessorMS7B::CorrectCode(M7LString& code) const {
    constexpr std::size_t kMaxDigits = kCodeLength + 1;
    char digits[kMaxDigits + 1];
    std::size_t count = 0;
    for (const char* c = code.CStr(); *c != '\0' && count < kMaxDigits; ++c) {
        if (IsDigit(*c)) {
            digits[count++] = *c;
        } else if (*c != '-') {
            return false;
        }
    }
    if (count == kCodeLength - 1) {
        digits[count++] = '0';
    }
    if (count > kCodeLength) {
        count = kCodeLength;
    }
    digits[count] = '\0';
    char encoded[kEncodedCapacity + 1];
    if (!CodeToEncoded(digits, encoded, kEncodedCapacity)) {
        return false;
    }
    M7LString ean8(encoded);
    char corrected[kCodeLength + 1];
    return BarcodeProcessorEAN8::CorrectCode(ean8) &&
           EncodedToCode(ean8.CStr(), corrected, kCodeLength) && StoreText(code, corrected);
}

bool BarcodeProcessorMS7B::HasOption(std::int32_t /*optionCode*/) const {
    return false;
}

}  // namespace Strivelo
