#include "BarcodeProcessorEAN13Coupon.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "BarcodeProcessorBase1.h"
#include "BarcodeText.h"

namespace Strivelo {

namespace {

// Both inner symbols are laid out on the EAN/UPC module; the extension's
// magnification is that module in millimetres.
constexpr double kModuleWidthMm = BarcodeProcessorBase1::kModuleWidthMm;
constexpr double kDefaultBarHeightMm = BarcodeProcessorBase1::kEAN13BarHeightMm;
// The main symbol's code without an add-on, "D-DDDDDD-DDDDDD" or
// "D-DDDDD-DDDDD-C".
constexpr std::size_t kMainCodeLength = 15;
// The extension's bars begin where the main symbol's digit bars do, above
// the guard bars' descent.
constexpr int kExtensionRiseModules = 5;
// The extension's quiet zone as Code 128 draws it.
constexpr int kExtensionQuietZoneModules = 10;
constexpr double kExtensionMinQuietZoneMm = 2.54;
// The text line under the extension: a UPC text size, characters a little
// smaller at a fixed pitch, centred over the extension.
constexpr double kTextSizePerMagnificationMm = 2.7432;
constexpr double kExtensionTextScale = 0.9;
constexpr double kExtensionTextPitchModules = 5.6;
constexpr const char* kUPCATextFont = "OCRB";

constexpr char kBlank = ' ';
// A coupon AI: four digits, six characters in parentheses.
constexpr std::size_t kAIDigits = 4;
constexpr std::size_t kAILength = kAIDigits + 2;
constexpr char kSerialAI[] = "(21)";
constexpr std::size_t kSerialAILength = sizeof kSerialAI - 1;

// The coupon fields an extension begins with (the coupon application
// identifiers of the GS1 General Specifications), their data digits. A serial
// number may follow the first two; 8102 carries exactly two digits and
// nothing after them, and data too short for it becomes a single "0",
// which it refuses. For reading, CorrectCode puts a blank after the
// characters at blankAfter inside the field's data (0 for none).
struct CouponField {
    const char* ai;
    // The field with its data, in characters.
    std::size_t length;
    bool serialMayFollow;
    std::size_t blankAfter[2];
};

constexpr CouponField kCouponFields[] = {
    {.ai = "(8100)", .length = 12, .serialMayFollow = true, .blankAfter = {6, 0}},
    {.ai = "(8101)", .length = 16, .serialMayFollow = true, .blankAfter = {6, 11}},
    {.ai = "(8102)", .length = 8, .serialMayFollow = false, .blankAfter = {0, 0}},
};

// The field the extension begins with, with its AI in parentheses or, when
// parenthesised is false, as bare digits.
const CouponField* FindCouponField(const char* extension, bool parenthesised) {
    for (const CouponField& field : kCouponFields) {
        const char* const ai = parenthesised ? field.ai : field.ai + 1;
        const std::size_t length = parenthesised ? kAILength : kAIDigits;
        if (std::strncmp(extension, ai, length) == 0) {
            return &field;
        }
    }
    return nullptr;
}

// The coupon field's data are digits.
bool HasDigitData(const char* extension, const CouponField& field) {
    const std::size_t end = std::min(std::strlen(extension), field.length);
    return AllDigits(extension + kAILength, end - kAILength);
}

// Whatever follows the coupon field must be a non-empty serial number.
bool IsSerialAfterField(const char* extension, const CouponField& field) {
    const std::size_t length = std::strlen(extension);
    if (length <= field.length) {
        return true;
    }
    return field.serialMayFollow &&
           std::strncmp(extension + field.length, kSerialAI, kSerialAILength) == 0 &&
           length > field.length + kSerialAILength;
}

// The extension with the field's blanks, each inside the field's data and
// never at its end.
std::string SpacedExtension(const std::string& extension, const CouponField& field) {
    const std::size_t dataEnd = std::min(extension.find('(', 1), extension.size());
    std::string spaced;
    for (std::size_t i = 0; i < extension.size(); ++i) {
        spaced += extension[i];
        if (i >= kAILength && i + 1 < dataEnd &&
            (i == field.blankAfter[0] || i == field.blankAfter[1])) {
            spaced += kBlank;
        }
    }
    return spaced;
}

// A coupon field's extension with its blanks; any other one as it is.
std::string SpacedExtension(const char* extension) {
    const CouponField* const field = FindCouponField(extension, true);
    return field != nullptr ? SpacedExtension(extension, *field) : std::string(extension);
}

bool ReplaceCode(M7LString& code, const std::string& text) {
    return text.size() <= BarcodeProcessor::kCodeCapacity && StoreText(code, text.c_str());
}

}  // namespace

// The blanks must be those a reading puts in, so that the same bars have one
// spelling.
bool BarcodeProcessorCoupon::IsEncodedValid(const char* encoded) const {
    CouponParts parts;
    if (encoded == nullptr || !SplitCouponCode(encoded, &parts) ||
        std::strlen(parts.main) != kMainCodeLength || !MainSymbol().IsCodeValid(parts.main) ||
        !HasNumberSystem(parts.main)) {
        return false;
    }
    const CouponField* const field = FindCouponField(parts.extension, true);
    return field != nullptr && HasDigitData(parts.extension, *field) &&
           IsSerialAfterField(parts.extension, *field) && extension_.IsCodeValid(parts.extension) &&
           std::string(parts.main) + kBlank + SpacedExtension(parts.extension, *field) == encoded;
}

bool BarcodeProcessorCoupon::CorrectCode(M7LString& code) const {
    CouponParts parts;
    if (!SplitCouponCode(code.CStr(), &parts)) {
        return false;
    }
    ShapeMainPart(parts.main);
    M7LString main(parts.main);
    if (!MainSymbol().CorrectCode(main)) {
        return false;
    }
    std::string extension = parts.extension;
    if (extension.empty()) {
        // No coupon without its extension; the corrected main part is left.
        ReplaceCode(code, main.CStr());
        return false;
    }
    const CouponField* field = FindCouponField(parts.extension, true);
    if (field == nullptr) {
        field = FindCouponField(parts.extension, false);
        if (field == nullptr) {
            return false;
        }
        extension = std::string(field->ai) + extension.substr(kAIDigits);
    }
    if (!field->serialMayFollow) {
        if (extension.size() >= field->length) {
            extension.resize(field->length);
        } else {
            extension = std::string(field->ai) + "0";
        }
    }
    return ReplaceCode(code,
                       main.CStr() + std::string(1, kBlank) + SpacedExtension(extension, *field)) &&
           IsCodeValid(code.CStr());
}

double BarcodeProcessorCoupon::ComputeWidth() {
    CouponParts parts;
    double mainWidth = 0.0;
    double extensionWidth = 0.0;
    if (!PrepareInnerSymbols(&parts, &mainWidth, &extensionWidth)) {
        return 0.0;
    }
    SetModuleWidth(kModuleWidthMm * GetMagnification());
    if (mainWidth < 0.0 || extensionWidth < 0.0) {
        return -1.0;
    }
    SetTotalWidth(mainWidth + extensionWidth);
    return mainWidth + extensionWidth;
}

// The main symbol keeps its own digits (its human-readable flag stays on);
// a quiet-zone mark after it would fall between the two parts.
bool BarcodeProcessorCoupon::Generate() {
    CouponParts parts;
    double mainWidth = 0.0;
    double extensionWidth = 0.0;
    if (!PrepareInnerSymbols(&parts, &mainWidth, &extensionWidth) || !(mainWidth > 0.0) ||
        !(extensionWidth > 0.0)) {
        return false;
    }
    const double m = GetMagnification();
    const double module = kModuleWidthMm * m;
    SetModuleWidth(module);
    if (!(module > 0.0)) {
        return false;
    }
    const double width = mainWidth + extensionWidth;
    SetTotalWidth(width);
    double barHeight = GetBarHeight();
    if (barHeight == 0.0) {
        barHeight = kDefaultBarHeightMm * (GetScaleHeightWithWidth() ? m : 1.0);
    }
    const double rise = kExtensionRiseModules * module;
    const double textSize = kTextSizePerMagnificationMm * m;
    const double baseline = rise - textSize - module;
    if (GetEmitFrame() &&
        !EmitFrame(0.0, width, baseline - module, barHeight + rise + module, 0.0)) {
        return false;
    }
    const char* const font = PassTextFont();
    if (font == nullptr) {
        return false;
    }
    BarcodeProcessor& main = MainSymbol();
    PassMainParameters(barHeight);
    main.SetEmitFrame(false);
    main.SetHumanReadable(true);
    main.SetQuietZoneMarks(false);
    main.SetOrigin(0.0, 0.0);
    if (!main.GenerateInto(GetGenerator())) {
        return false;
    }
    extension_.SetEmitFrame(false);
    extension_.SetHumanReadable(false);
    extension_.SetQuietZoneMarks(false);
    extension_.SetOrigin(mainWidth, rise);
    extension_.SetBarHeight(barHeight);
    extension_.SetBarWidthReduction(GetBarWidthReduction());
    if (!extension_.GenerateInto(GetGenerator()) || !EmitFont(font, true)) {
        return false;
    }
    // The extension's text as the code holds it, blanks and parentheses
    // included, whether or not the human-readable flag is set.
    const char* const text = GetEncodedCode() + parts.extensionText;
    const std::size_t count = std::strlen(text);
    const double pitch = kExtensionTextPitchModules * module;
    double x = mainWidth + (extensionWidth - count * pitch + pitch) / 2.0;
    for (std::size_t i = 0; i < count; ++i, x += pitch) {
        if (!EmitText(x, baseline, kExtensionTextScale * textSize, text[i])) {
            return false;
        }
    }
    return true;
}

// The decoded text is only spaced out, never corrected: a main symbol
// without the coupon's number system or an extension without a coupon field
// is no coupon.
// A main symbol and an extension of a whole number of Code 128 characters.
bool BarcodeProcessorCoupon::MightDecode(const BarcodeEdgeView& edges) {
    const std::uint32_t count = edges.GetCount();
    return count > kMainEdges && count % 2 == 0 && ((count - kMainEdges) / 2) % 3 == 1;
}

bool BarcodeProcessorCoupon::Decode(const double* edges, std::uint32_t count, bool reversed) {
    const BarcodeEdgeView view(edges, count, reversed);
    if (!MightDecode(view)) {
        return false;
    }
    // The main symbol comes first in reading order; in the caller's list
    // that is its end when the reading walks the list backwards.
    const std::uint32_t extensionEdges = count - kMainEdges;
    const bool fromEnd = view.IsCallerOrderReversed();
    BarcodeProcessor& main = MainSymbol();
    if (!main.Decode(fromEnd ? edges + extensionEdges : edges, kMainEdges, reversed) ||
        !extension_.Decode(fromEnd ? edges : edges + kMainEdges, extensionEdges, reversed)) {
        return false;
    }
    const std::string text =
        std::string(main.GetCode()) + kBlank + SpacedExtension(extension_.GetCode());
    if (!IsEncodedValid(text.c_str())) {
        return false;
    }
    const double m = main.GetMagnification();
    const double mainModule = kModuleWidthMm * m;
    const double mainWidth = main.GetWidth();
    const double extensionWidth = extension_.GetWidth();
    std::uint32_t mainCount = 0;
    std::uint32_t extensionCount = 0;
    const double* const mainIdeal = main.GetIdealEdges(&mainCount);
    const double* const extensionIdeal = extension_.GetIdealEdges(&extensionCount);
    if (mainCount != kMainEdges || extensionCount != extensionEdges || !PrepareDecoding(view)) {
        return false;
    }
    // The extension's first bar lies where Generate puts it: after the main
    // symbol (less its left quiet zone) and the extension's quiet zone.
    const double offset =
        mainWidth - form_.leftQuietZoneModules * mainModule +
        std::max(kExtensionQuietZoneModules * mainModule, kExtensionMinQuietZoneMm);
    double* const ideal = GetDecodingEdges().GetIdeal();
    std::copy(mainIdeal, mainIdeal + kMainEdges, ideal);
    for (std::uint32_t i = 0; i < extensionEdges; ++i) {
        ideal[kMainEdges + i] = extensionIdeal[i] + offset;
    }
    // The main symbol's indices count in its own reading order, which is
    // the coupon's for its first edges.
    const auto inReadingOrder = [&main](std::int32_t callerIndex) {
        return callerIndex < 0 ? callerIndex
                               : static_cast<std::int32_t>(main.ToCallerEdgeIndex(
                                     static_cast<std::uint32_t>(callerIndex)));
    };
    std::int32_t first = -1;
    std::int32_t last = -1;
    main.GetSymbolEdgeRange(&first, &last);
    DecodeResult result;
    result.encodedCode = text.c_str();
    result.magnification = m;
    result.moduleWidthMm = mainModule;
    result.reductionEdgeCount = count;
    result.fitIdealEdges = true;
    result.heightBarEdge = inReadingOrder(main.GetHeightBarEdge());
    result.firstSymbolEdge = inReadingOrder(first);
    result.lastSymbolEdge = inReadingOrder(last);
    if (!CommitDecoding(result)) {
        return false;
    }
    SetTotalWidth(mainWidth + extensionWidth);
    return true;
}

bool BarcodeProcessorCoupon::IsBarWidthReductionValid() const {
    PassMainParameters(GetBarHeight());
    return MainSymbol().IsBarWidthReductionValid();
}

bool BarcodeProcessorCoupon::IsMagnificationValid() const {
    PassMainParameters(GetBarHeight());
    return MainSymbol().IsMagnificationValid();
}

bool BarcodeProcessorCoupon::IsBarHeightValid() const {
    PassMainParameters(GetBarHeight());
    return MainSymbol().IsBarHeightValid();
}

bool BarcodeProcessorCoupon::SplitCouponCode(const char* text, CouponParts* parts) const {
    const std::size_t length = std::strlen(text);
    std::size_t mainEnd = std::strcspn(text, " (");
    if (mainEnd == length) {
        // Digits, not characters, so that hyphens typed in the main part
        // keep the whole of it.
        mainEnd = 0;
        for (std::size_t digits = 0; mainEnd < length && digits < form_.digits; ++mainEnd) {
            digits += IsDigit(text[mainEnd]) ? 1 : 0;
        }
    }
    if (mainEnd > kPartCapacity) {
        return false;
    }
    std::memcpy(parts->main, text, mainEnd);
    parts->main[mainEnd] = '\0';
    parts->extensionText = text[mainEnd] == kBlank ? mainEnd + 1 : mainEnd;
    std::size_t extensionLength = 0;
    for (const char* c = text + parts->extensionText; *c != '\0'; ++c) {
        if (*c == kBlank) {
            continue;
        }
        if (extensionLength == kPartCapacity) {
            return false;
        }
        parts->extension[extensionLength++] = *c;
    }
    parts->extension[extensionLength] = '\0';
    return true;
}

void BarcodeProcessorCoupon::ShapeMainPart(char* main) const {
    const char* forced = form_.numberSystem;
    std::size_t digits = 0;
    for (char* c = main; *c != '\0'; ++c) {
        if (!IsDigit(*c)) {
            continue;
        }
        if (*forced != '\0') {
            *c = *forced++;
        }
        if (++digits == form_.digits) {
            c[1] = '\0';
            return;
        }
    }
}

bool BarcodeProcessorCoupon::HasNumberSystem(const char* main) const {
    const char* wanted = form_.numberSystem;
    for (const char* c = main; *wanted != '\0'; ++c) {
        if (*c == '\0' || (IsDigit(*c) && *c != *wanted++)) {
            return false;
        }
    }
    return true;
}

bool BarcodeProcessorCoupon::PrepareInnerSymbols(CouponParts* parts, double* mainWidth,
                                                 double* extensionWidth) {
    const char* const code = GetEncodedCode();
    if (!IsEncodedValid(code) || !SplitCouponCode(code, parts)) {
        return false;
    }
    BarcodeProcessor& main = MainSymbol();
    main.SetMagnification(GetMagnification());
    extension_.SetMagnification(ExtensionModuleMm());
    if (!main.SetCode(parts->main) || !extension_.SetCode(parts->extension)) {
        return false;
    }
    *mainWidth = main.GetWidth();
    *extensionWidth = extension_.GetWidth();
    return true;
}

void BarcodeProcessorCoupon::PassMainParameters(double barHeightMm) const {
    BarcodeProcessor& main = MainSymbol();
    main.SetBarHeight(barHeightMm);
    main.SetBarWidthReduction(GetBarWidthReduction());
    main.SetMagnification(GetMagnification());
    main.SetScaleHeightWithWidth(GetScaleHeightWithWidth());
}

double BarcodeProcessorCoupon::ExtensionModuleMm() const {
    return kModuleWidthMm * GetMagnification();
}

BarcodeProcessorEAN13Coupon::BarcodeProcessorEAN13Coupon()
    : BarcodeProcessorCoupon(
          MainForm{.digits = 13, .numberSystem = "99", .leftQuietZoneModules = 11}) {}

bool BarcodeProcessorEAN13Coupon::HasOption(std::int32_t optionCode) const {
    return optionCode == kBarcodeOptionFont;
}

const char* BarcodeProcessorEAN13Coupon::PassTextFont() {
    return main_.SetFont(GetFont()) ? GetFont() : nullptr;
}

BarcodeProcessorUPCACoupon::BarcodeProcessorUPCACoupon()
    : BarcodeProcessorCoupon(
          MainForm{.digits = 12, .numberSystem = "5", .leftQuietZoneModules = 9}) {}

const char* BarcodeProcessorUPCACoupon::PassTextFont() {
    return kUPCATextFont;
}

}  // namespace Strivelo
