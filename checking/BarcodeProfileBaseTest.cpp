#include "BarcodeProfileBaseTest.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "BarcodeFourCC.h"
#include "BarcodeProcessor.h"
#include "BarcodeProcessorMixIn_WideNarrowOption.h"
#include "BarcodeProfile.h"
#include "M7LIO_StructuredIOXML.h"
#include "M7LUtilities.h"

namespace BarcodeVettrin {

using Strivelo::FourCC;

namespace {

// Measured values closer than this to a setting count as equal to it (mm, or
// a plain factor).
constexpr double kTolerance = 0.0002;

constexpr const char* kTrueText = "true";
constexpr const char* kFalseText = "false";
constexpr std::size_t kTypeCodeBytes = 4;
constexpr int kBitsPerByte = 8;
// Every decimal digit of an int32, a sign and the NUL.
constexpr std::size_t kIntegerTextBytes = std::numeric_limits<std::int32_t>::digits10 + 3;

bool IsWithinTolerance(double difference) {
    return -kTolerance < difference && difference < kTolerance;
}

// A bound of 0 does not apply.
bool IsNotBelowMinimum(double value, double minimum) {
    return minimum == 0.0 || value >= minimum || IsWithinTolerance(value - minimum);
}

bool IsNotAboveMaximum(double value, double maximum) {
    return maximum == 0.0 || value <= maximum || IsWithinTolerance(value - maximum);
}

CheckMessageList Finding(std::int32_t severity, std::int32_t messageId) {
    return {CheckMessage{severity, messageId}};
}

CheckMessageList Failure(std::int32_t messageId) {
    return Finding(kCheckStatusFailed, messageId);
}

// The symbologies whose code texts carry hyphens at fixed places, which the
// pattern need not repeat.
bool SkipsHyphens(std::int32_t type) {
    return type == FourCC("ean8") || type == FourCC("eanD") || type == FourCC("upca");
}

const char* SkipHyphens(const char* text) {
    while (*text == '-') {
        ++text;
    }
    return text;
}

// '*' stands for exactly one character, so the pattern is as long as the
// code apart from skipped hyphens.
bool MatchesPattern(std::int32_t type, const char* pattern, const char* code) {
    const bool skipHyphens = SkipsHyphens(type);
    for (;;) {
        if (skipHyphens) {
            pattern = SkipHyphens(pattern);
            code = SkipHyphens(code);
        }
        if (*pattern == 0 || *code == 0) {
            return *pattern == 0 && *code == 0;
        }
        if (*pattern != '*' && *pattern != *code) {
            return false;
        }
        ++pattern;
        ++code;
    }
}

// The letters of a type code up to its first zero byte.
void TypeCodeToText(std::int32_t type, char (&text)[kTypeCodeBytes + 1]) {
    const auto bits = static_cast<std::uint32_t>(type);
    for (std::size_t i = 0; i < kTypeCodeBytes; ++i) {
        text[i] = static_cast<char>(bits >> (kBitsPerByte * (kTypeCodeBytes - 1 - i)));
    }
    text[kTypeCodeBytes] = 0;
}

// The first four bytes, first byte most significant; a shorter text counts
// its missing bytes as 0.
std::int32_t TextToTypeCode(const char* text) {
    std::uint32_t bits = 0;
    bool ended = false;
    for (std::size_t i = 0; i < kTypeCodeBytes; ++i) {
        ended = ended || text[i] == 0;
        bits = (bits << kBitsPerByte) | (ended ? 0u : static_cast<unsigned char>(text[i]));
    }
    return static_cast<std::int32_t>(bits);
}

}  // namespace

BarcodeProfileBaseTest::BarcodeProfileBaseTest(BarcodeProfile* owner) : owner_(owner) {}

BarcodeProfileBaseTest::~BarcodeProfileBaseTest() = default;

BarcodeProfileBaseTest& BarcodeProfileBaseTest::operator=(const BarcodeProfileBaseTest& other) {
    enableTest_ = other.enableTest_;
    enableFix_ = other.enableFix_;
    return *this;
}

bool BarcodeProfileBaseTest::BeginDocument() {
    return true;
}

bool BarcodeProfileBaseTest::EndDocument() {
    return true;
}

M7LIO_StructuredIOR* BarcodeProfileBaseTest::BeginElement(const char* /*name*/, int /*extra*/) {
    return this;
}

M7LIO_StructuredIOR* BarcodeProfileBaseTest::EndElement() {
    return this;
}

bool BarcodeProfileBaseTest::PutString(const char* /*name*/, const char* /*text*/) {
    return false;
}

bool BarcodeProfileBaseTest::PutWideString(const char* /*name*/, const char16_t* /*text*/) {
    return false;
}

bool BarcodeProfileBaseTest::PutInteger(const char* /*name*/, std::int32_t /*value*/) {
    return false;
}

bool BarcodeProfileBaseTest::PutReal(const char* /*name*/, double /*value*/) {
    return false;
}

// Loading stores directly: a setter would mark the profile modified and
// empty the save time just read.
bool BarcodeProfileBaseTest::PutBoolean(const char* name, bool value) {
    if (IsName(name, kEnableTestName)) {
        enableTest_ = value;
        return true;
    }
    if (IsName(name, kEnableFixName)) {
        enableFix_ = value;
        return true;
    }
    return false;
}

bool BarcodeProfileBaseTest::PutAttributeString(const char* /*name*/, const char* /*text*/) {
    return false;
}

bool BarcodeProfileBaseTest::PutBinary(const char* /*name*/, const std::uint8_t* /*bytes*/,
                                       std::size_t /*count*/) {
    return false;
}

bool BarcodeProfileBaseTest::PutScrambledBinary(const char* /*name*/, const std::uint8_t* /*bytes*/,
                                                std::size_t /*count*/) {
    return false;
}

int BarcodeProfileBaseTest::GetKindCode() const {
    return 2;
}

int BarcodeProfileBaseTest::TypeOf(const char* name) const {
    return IsName(name, kEnableTestName) || IsName(name, kEnableFixName) ? kM7LIO_Boolean
                                                                         : kM7LIO_Unknown;
}

std::int32_t BarcodeProfileBaseTest::GetTestID() const {
    return FourCC("base");
}

std::int32_t BarcodeProfileBaseTest::BeginCheck() {
    return 0;
}

CheckMessageList BarcodeProfileBaseTest::CheckBarcode(BarcodeCheckRecord& /*record*/) {
    return {};
}

CheckMessageList BarcodeProfileBaseTest::CheckDocument() {
    return {};
}

void BarcodeProfileBaseTest::AddSettingsToCheckSum(std::uint32_t* /*crc*/) const {}

bool BarcodeProfileBaseTest::ProduceSettings(M7LIO_StructuredIOR* /*receiver*/) {
    return true;
}

bool BarcodeProfileBaseTest::Produce(M7LIO_StructuredIOR* receiver, const char* elementName) {
    M7LIO_StructuredIOR* const element =
        receiver != nullptr ? receiver->OpenElement(elementName, 0) : nullptr;
    if (element == nullptr) {
        return false;
    }
    bool ok = element->PutBoolean(kEnableTestName, enableTest_);
    ok = element->PutBoolean(kEnableFixName, enableFix_) && ok;
    ok = ProduceSettings(element) && ok;
    ok = element->CloseElement() != nullptr && ok;
    return ok;
}

CheckMessageList BarcodeProfileBaseTest::RunCheckBarcode(BarcodeCheckRecord& record) {
    if (!enableTest_ || record.GetProcessor() == nullptr) {
        return {};
    }
    return CheckBarcode(record);
}

CheckMessageList BarcodeProfileBaseTest::RunCheckDocument() {
    if (!enableTest_) {
        return {};
    }
    return CheckDocument();
}

void BarcodeProfileBaseTest::UpdateCheckSum(std::uint32_t* crc) const {
    const auto id = static_cast<std::uint32_t>(GetTestID());
    std::uint8_t idBytes[kTypeCodeBytes];
    for (std::size_t i = 0; i < kTypeCodeBytes; ++i) {
        idBytes[i] = static_cast<std::uint8_t>(id >> (kBitsPerByte * (kTypeCodeBytes - 1 - i)));
    }
    Crc32Update(crc, idBytes, sizeof idBytes);
    AddBooleanToCheckSum(crc, enableTest_);
    if (enableTest_) {
        AddBooleanToCheckSum(crc, enableFix_);
        AddSettingsToCheckSum(crc);
    }
}

int BarcodeProfileBaseTest::SetEnableTest(bool enable) {
    return ChangeSetting(enableTest_, enable);
}

int BarcodeProfileBaseTest::SetEnableFix(bool enable) {
    return ChangeSetting(enableFix_, enable);
}

bool BarcodeProfileBaseTest::FormatReal(double value, char (&text)[kRealTextBytes]) {
    text[0] = 0;
    if (!std::isfinite(value)) {
        return false;
    }
    const std::to_chars_result r =
        std::to_chars(text, text + sizeof text - 1, value, std::chars_format::fixed, kRealDecimals);
    if (r.ec != std::errc{}) {
        return false;
    }
    *r.ptr = 0;
    return true;
}

int BarcodeProfileBaseTest::ChangeSetting(bool& setting, bool value) {
    return owner_->ChangeSetting(setting == value, [&] { setting = value; });
}

int BarcodeProfileBaseTest::ChangeSetting(std::int32_t& setting, std::int32_t value) {
    return owner_->ChangeSetting(setting == value, [&] { setting = value; });
}

int BarcodeProfileBaseTest::ChangeSetting(double& setting, double value) {
    return owner_->ChangeSetting(setting == value, [&] { setting = value; });
}

int BarcodeProfileBaseTest::ChangeSetting(M7LString& setting, const char* value) {
    const char* const text = value != nullptr ? value : "";
    return owner_->ChangeSetting(std::strcmp(setting.CStr(), text) == 0,
                                 [&] { setting.Assign(text); });
}

bool BarcodeProfileBaseTest::IsName(const char* name, const char* settingName) {
    return name != nullptr && std::strcmp(name, settingName) == 0;
}

void BarcodeProfileBaseTest::AddTextToCheckSum(std::uint32_t* crc, const char* text) {
    Crc32Update(crc, text, std::strlen(text));
}

void BarcodeProfileBaseTest::AddBooleanToCheckSum(std::uint32_t* crc, bool value) {
    AddTextToCheckSum(crc, value ? kTrueText : kFalseText);
}

void BarcodeProfileBaseTest::AddIntegerToCheckSum(std::uint32_t* crc, std::int32_t value) {
    char text[kIntegerTextBytes];
    const std::to_chars_result r = std::to_chars(text, text + sizeof text, value);
    Crc32Update(crc, text, static_cast<std::size_t>(r.ptr - text));
}

// A value without a decimal form adds nothing; it can be neither saved nor
// loaded.
void BarcodeProfileBaseTest::AddRealToCheckSum(std::uint32_t* crc, double value) {
    char text[kRealTextBytes];
    FormatReal(value, text);
    AddTextToCheckSum(crc, text);
}

// ---------------------------------------------------------------------------

BarcodeProfileRangeTest::BarcodeProfileRangeTest(BarcodeProfile* owner, const Range& range)
    : BarcodeProfileBaseTest(owner),
      range_(&range),
      minimum_(range.defaultMinimum),
      maximum_(range.defaultMaximum) {}

bool BarcodeProfileRangeTest::PutReal(const char* name, double value) {
    if (IsName(name, range_->minimumName)) {
        minimum_ = value;
        return true;
    }
    if (IsName(name, range_->maximumName)) {
        maximum_ = value;
        return true;
    }
    return BarcodeProfileBaseTest::PutReal(name, value);
}

int BarcodeProfileRangeTest::TypeOf(const char* name) const {
    if (IsName(name, range_->minimumName) || IsName(name, range_->maximumName)) {
        return kM7LIO_Real;
    }
    return BarcodeProfileBaseTest::TypeOf(name);
}

CheckMessageList BarcodeProfileRangeTest::CheckBarcode(BarcodeCheckRecord& record) {
    double value = 0.0;
    if (!MeasureValue(record, value)) {
        return {};
    }
    if (!IsNotBelowMinimum(value, minimum_)) {
        return Failure(range_->belowMessage);
    }
    if (!IsNotAboveMaximum(value, maximum_)) {
        return Failure(range_->aboveMessage);
    }
    return {};
}

void BarcodeProfileRangeTest::AddSettingsToCheckSum(std::uint32_t* crc) const {
    AddRealToCheckSum(crc, minimum_);
    AddRealToCheckSum(crc, maximum_);
}

bool BarcodeProfileRangeTest::ProduceSettings(M7LIO_StructuredIOR* receiver) {
    const bool minimumOk = receiver->PutReal(range_->minimumName, minimum_);
    const bool maximumOk = receiver->PutReal(range_->maximumName, maximum_);
    return minimumOk && maximumOk;
}

// ---------------------------------------------------------------------------

std::int32_t BarcodeProfileAllEqualTest::GetTestID() const {
    return FourCC("aequ");
}

std::int32_t BarcodeProfileAllEqualTest::BeginCheck() {
    firstType_ = 0;
    firstCode_.Assign("");
    allEqual_ = true;
    return 0;
}

CheckMessageList BarcodeProfileAllEqualTest::CheckBarcode(BarcodeCheckRecord& record) {
    if (!allEqual_) {
        return {};
    }
    const Strivelo::BarcodeProcessor& processor = *record.GetProcessor();
    if (firstType_ == 0) {
        firstType_ = processor.GetType();
        firstCode_.Assign(processor.GetCode());
    } else if (processor.GetType() != firstType_ ||
               std::strcmp(processor.GetCode(), firstCode_.CStr()) != 0) {
        allEqual_ = false;
    }
    return {};
}

CheckMessageList BarcodeProfileAllEqualTest::CheckDocument() {
    return allEqual_ ? CheckMessageList{} : Failure(kCheckMessageNotAllEqual);
}

// ---------------------------------------------------------------------------

int BarcodeProfileCountTest::SetNrOfBarcodesInDocument(std::int32_t count) {
    return ChangeSetting(expectedCount_, count);
}

bool BarcodeProfileCountTest::PutInteger(const char* name, std::int32_t value) {
    if (IsName(name, kCountName)) {
        expectedCount_ = value;
        return true;
    }
    return BarcodeProfileBaseTest::PutInteger(name, value);
}

int BarcodeProfileCountTest::TypeOf(const char* name) const {
    return IsName(name, kCountName) ? kM7LIO_Integer : BarcodeProfileBaseTest::TypeOf(name);
}

std::int32_t BarcodeProfileCountTest::GetTestID() const {
    return FourCC("coun");
}

std::int32_t BarcodeProfileCountTest::BeginCheck() {
    count_ = 0;
    return 0;
}

CheckMessageList BarcodeProfileCountTest::CheckBarcode(BarcodeCheckRecord& record) {
    if (!record.IsCounted()) {
        record.MarkCounted();
        ++count_;
    }
    return {};
}

CheckMessageList BarcodeProfileCountTest::CheckDocument() {
    if (count_ < expectedCount_) {
        return Failure(kCheckMessageFewerBarcodes);
    }
    if (count_ > expectedCount_) {
        return Failure(kCheckMessageMoreBarcodes);
    }
    return {};
}

void BarcodeProfileCountTest::AddSettingsToCheckSum(std::uint32_t* crc) const {
    AddIntegerToCheckSum(crc, expectedCount_);
}

bool BarcodeProfileCountTest::ProduceSettings(M7LIO_StructuredIOR* receiver) {
    return receiver->PutInteger(kCountName, expectedCount_);
}

// ---------------------------------------------------------------------------

int BarcodeProfileTypeTest::SetBarcodeType(std::int32_t type) {
    return ChangeSetting(type_, type);
}

// A text whose first four bytes cut a UTF-8 sequence gives a type code the
// file cannot hold, so it is refused rather than loaded and never saved.
bool BarcodeProfileTypeTest::PutString(const char* name, const char* text) {
    if (IsName(name, kTypeName)) {
        const std::int32_t type = TextToTypeCode(text != nullptr ? text : "");
        char letters[kTypeCodeBytes + 1];
        TypeCodeToText(type, letters);
        if (!IsXmlText(letters)) {
            return false;
        }
        type_ = type;
        return true;
    }
    return BarcodeProfileBaseTest::PutString(name, text);
}

int BarcodeProfileTypeTest::TypeOf(const char* name) const {
    return IsName(name, kTypeName) ? kM7LIO_String : BarcodeProfileBaseTest::TypeOf(name);
}

std::int32_t BarcodeProfileTypeTest::GetTestID() const {
    return FourCC("type");
}

CheckMessageList BarcodeProfileTypeTest::CheckBarcode(BarcodeCheckRecord& record) {
    return record.GetProcessor()->GetType() != type_ ? Failure(kCheckMessageType)
                                                     : CheckMessageList{};
}

void BarcodeProfileTypeTest::AddSettingsToCheckSum(std::uint32_t* crc) const {
    AddIntegerToCheckSum(crc, type_);
}

bool BarcodeProfileTypeTest::ProduceSettings(M7LIO_StructuredIOR* receiver) {
    char text[kTypeCodeBytes + 1];
    TypeCodeToText(type_, text);
    return receiver->PutString(kTypeName, text);
}

// ---------------------------------------------------------------------------

int BarcodeProfileCodeTest::SetBarcodeCode(const char* pattern) {
    return ChangeSetting(pattern_, pattern);
}

bool BarcodeProfileCodeTest::PutString(const char* name, const char* text) {
    if (IsName(name, kCodeName)) {
        pattern_.Assign(text != nullptr ? text : "");
        return true;
    }
    return BarcodeProfileBaseTest::PutString(name, text);
}

int BarcodeProfileCodeTest::TypeOf(const char* name) const {
    return IsName(name, kCodeName) ? kM7LIO_String : BarcodeProfileBaseTest::TypeOf(name);
}

std::int32_t BarcodeProfileCodeTest::GetTestID() const {
    return FourCC("code");
}

CheckMessageList BarcodeProfileCodeTest::CheckBarcode(BarcodeCheckRecord& record) {
    const Strivelo::BarcodeProcessor& processor = *record.GetProcessor();
    return MatchesPattern(processor.GetType(), pattern_.CStr(), processor.GetCode())
               ? CheckMessageList{}
               : Failure(kCheckMessageCode);
}

void BarcodeProfileCodeTest::AddSettingsToCheckSum(std::uint32_t* crc) const {
    AddTextToCheckSum(crc, pattern_.CStr());
}

bool BarcodeProfileCodeTest::ProduceSettings(M7LIO_StructuredIOR* receiver) {
    return receiver->PutString(kCodeName, pattern_.CStr());
}

// ---------------------------------------------------------------------------

int BarcodeProfileBarWidthReductionTest::SetBarWidthReduction(double mm) {
    return ChangeSetting(reductionMm_, mm);
}

bool BarcodeProfileBarWidthReductionTest::PutReal(const char* name, double value) {
    if (IsName(name, kReductionName)) {
        reductionMm_ = value;
        return true;
    }
    return BarcodeProfileBaseTest::PutReal(name, value);
}

int BarcodeProfileBarWidthReductionTest::TypeOf(const char* name) const {
    return IsName(name, kReductionName) ? kM7LIO_Real : BarcodeProfileBaseTest::TypeOf(name);
}

std::int32_t BarcodeProfileBarWidthReductionTest::GetTestID() const {
    return FourCC("bwre");
}

CheckMessageList BarcodeProfileBarWidthReductionTest::CheckBarcode(BarcodeCheckRecord& record) {
    if (IsWithinTolerance(record.GetProcessor()->GetBarWidthReduction() - reductionMm_)) {
        return {};
    }
    if (!CanFix(record.GetDeltaBarDriver() != nullptr)) {
        return Failure(kCheckMessageBarWidthReduction);
    }
    record.SetNewBarWidthReduction(reductionMm_);
    return Finding(kCheckStatusFixed, kCheckMessageBarWidthReduction);
}

void BarcodeProfileBarWidthReductionTest::AddSettingsToCheckSum(std::uint32_t* crc) const {
    AddRealToCheckSum(crc, reductionMm_);
}

bool BarcodeProfileBarWidthReductionTest::ProduceSettings(M7LIO_StructuredIOR* receiver) {
    return receiver->PutReal(kReductionName, reductionMm_);
}

// ---------------------------------------------------------------------------

namespace {

constexpr double kDefaultMinimumBarHeightMm = 10.0;
constexpr double kDefaultMaximumBarHeightMm = 25.0;
constexpr double kDefaultMinimumMagnification = 1.0;
constexpr double kDefaultMaximumMagnification = 1.0;
constexpr double kDefaultMinimumWideNarrowRatio = 2.0;
constexpr double kDefaultMaximumWideNarrowRatio = 3.0;

}  // namespace

const BarcodeProfileRangeTest::Range BarcodeProfileBarHeightTest::kRange = {
    "MinimumBarHeight",         "MaximumBarHeight",          kDefaultMinimumBarHeightMm,
    kDefaultMaximumBarHeightMm, kCheckMessageBarHeightBelow, kCheckMessageBarHeightAbove};

const BarcodeProfileRangeTest::Range BarcodeProfileMagnificationTest::kRange = {
    "MinimumMagnification",       "MaximumMagnification",          kDefaultMinimumMagnification,
    kDefaultMaximumMagnification, kCheckMessageMagnificationBelow, kCheckMessageMagnificationAbove};

const BarcodeProfileRangeTest::Range BarcodeProfileWideNarrowRatioTest::kRange = {
    "MinimumWideNarrowRatio",          "MaximumWideNarrowRatio",
    kDefaultMinimumWideNarrowRatio,    kDefaultMaximumWideNarrowRatio,
    kCheckMessageWideNarrowRatioBelow, kCheckMessageWideNarrowRatioAbove};

BarcodeProfileBarHeightTest::BarcodeProfileBarHeightTest(BarcodeProfile* owner)
    : BarcodeProfileRangeTest(owner, kRange) {}

std::int32_t BarcodeProfileBarHeightTest::GetTestID() const {
    return FourCC("hght");
}

bool BarcodeProfileBarHeightTest::MeasureValue(const BarcodeCheckRecord& record,
                                               double& value) const {
    value = record.GetProcessor()->GetBarHeight();
    return true;
}

BarcodeProfileMagnificationTest::BarcodeProfileMagnificationTest(BarcodeProfile* owner)
    : BarcodeProfileRangeTest(owner, kRange) {}

std::int32_t BarcodeProfileMagnificationTest::GetTestID() const {
    return FourCC("magn");
}

bool BarcodeProfileMagnificationTest::MeasureValue(const BarcodeCheckRecord& record,
                                                   double& value) const {
    value = record.GetProcessor()->GetMagnification();
    return true;
}

BarcodeProfileWideNarrowRatioTest::BarcodeProfileWideNarrowRatioTest(BarcodeProfile* owner)
    : BarcodeProfileRangeTest(owner, kRange) {}

std::int32_t BarcodeProfileWideNarrowRatioTest::GetTestID() const {
    return FourCC("wnra");
}

// Only symbologies of two element widths have a ratio.
bool BarcodeProfileWideNarrowRatioTest::MeasureValue(const BarcodeCheckRecord& record,
                                                     double& value) const {
    const auto* const option =
        Strivelo::FindOptionMixIn<Strivelo::BarcodeProcessorMixIn_WideNarrowOption>(
            *record.GetProcessor(), Strivelo::kBarcodeOptionWideNarrowRatio);
    if (option == nullptr) {
        return false;
    }
    value = option->GetWideNarrowRatio();
    return true;
}

// ---------------------------------------------------------------------------

int BarcodeProfileDeviationTest::SetDeviation(double mm) {
    return ChangeSetting(deviationMm_, mm);
}

bool BarcodeProfileDeviationTest::PutReal(const char* name, double value) {
    if (IsName(name, kDeviationName)) {
        deviationMm_ = value;
        return true;
    }
    return BarcodeProfileBaseTest::PutReal(name, value);
}

int BarcodeProfileDeviationTest::TypeOf(const char* name) const {
    return IsName(name, kDeviationName) ? kM7LIO_Real : BarcodeProfileBaseTest::TypeOf(name);
}

std::int32_t BarcodeProfileDeviationTest::GetTestID() const {
    return FourCC("devi");
}

// No tolerance: a deviation equal to the setting passes.
CheckMessageList BarcodeProfileDeviationTest::CheckBarcode(BarcodeCheckRecord& record) {
    if (!(record.GetProcessor()->GetMaxDeviation() > deviationMm_)) {
        return {};
    }
    if (!CanFix(record.GetDeltaBarDriver() != nullptr)) {
        return Failure(kCheckMessageDeviation);
    }
    record.RequestRegenerate();
    return Finding(kCheckStatusFixed, kCheckMessageDeviation);
}

void BarcodeProfileDeviationTest::AddSettingsToCheckSum(std::uint32_t* crc) const {
    AddRealToCheckSum(crc, deviationMm_);
}

bool BarcodeProfileDeviationTest::ProduceSettings(M7LIO_StructuredIOR* receiver) {
    return receiver->PutReal(kDeviationName, deviationMm_);
}

// ---------------------------------------------------------------------------

namespace {

constexpr double kFullInk = 1.0;

}  // namespace

std::int32_t BarcodeProfileOneColorTest::GetTestID() const {
    return FourCC("scol");
}

CheckMessageList BarcodeProfileOneColorTest::CheckBarcode(BarcodeCheckRecord& record) {
    const std::vector<double>& colors = record.GetColors();
    return colors.size() == 1 && colors.front() == kFullInk ? CheckMessageList{}
                                                            : Failure(kCheckMessageNotOneColor);
}

// ---------------------------------------------------------------------------

int BarcodeProfileOverprintTest::SetOverprintOnly(bool overprintOnly) {
    return ChangeSetting(overprintOnly_, overprintOnly);
}

bool BarcodeProfileOverprintTest::PutBoolean(const char* name, bool value) {
    if (IsName(name, kOverprintOnlyName)) {
        overprintOnly_ = value;
        return true;
    }
    return BarcodeProfileBaseTest::PutBoolean(name, value);
}

int BarcodeProfileOverprintTest::TypeOf(const char* name) const {
    return IsName(name, kOverprintOnlyName) ? kM7LIO_Boolean : BarcodeProfileBaseTest::TypeOf(name);
}

std::int32_t BarcodeProfileOverprintTest::GetTestID() const {
    return FourCC("over");
}

CheckMessageList BarcodeProfileOverprintTest::CheckBarcode(BarcodeCheckRecord& record) {
    std::int32_t messageId = 0;
    switch (record.GetOverprintState()) {
        case kOverprintStateNormalOverprint:
            return {};
        case kOverprintStateMultiply:
            if (!overprintOnly_) {
                return {};
            }
            messageId = kCheckMessageNotOverprint;
            break;
        default:
            messageId = kCheckMessageInvalidOverprint;
            break;
    }
    if (!CanFix(record.GetChangeColorDriver() != nullptr)) {
        return Failure(messageId);
    }
    record.SetColorAction(kColorActionOverprint);
    return Finding(kCheckStatusFixed, messageId);
}

void BarcodeProfileOverprintTest::AddSettingsToCheckSum(std::uint32_t* crc) const {
    AddBooleanToCheckSum(crc, overprintOnly_);
}

bool BarcodeProfileOverprintTest::ProduceSettings(M7LIO_StructuredIOR* receiver) {
    return receiver->PutBoolean(kOverprintOnlyName, overprintOnly_);
}

}  // namespace BarcodeVettrin
