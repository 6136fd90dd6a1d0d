#include "BarcodeReport.h"

#include <charconv>
#include <limits>

namespace BarcodeVettrin {

namespace {

struct ReportUnit {
    // Report units per millimetre, kept in single precision on purpose: the
    // widened float decides the last printed digit.
    float factor;
    int decimals;
};

constexpr ReportUnit kReportUnits[kBarcodeUnitCount] = {
    {1.0f, 2}, {0.1f, 3}, {0.03937008f, 3}, {2.8346457f, 2}, {39.370079f, 1},
};

constexpr int kFineExtraDecimals = 2;
constexpr int kRatioDecimals = 3;
constexpr double kPercentPerRatio = 100.0;
constexpr int kMostDecimals = 3 + kFineExtraDecimals;
// The largest double in fixed notation: its integral digits, a sign, the
// point and the decimals.
constexpr std::size_t kFixedTextBytes =
    std::numeric_limits<double>::max_exponent10 + 1 + 2 + kMostDecimals;

// "%.*f" in the "C" locale, whatever numeric locale the host set.
std::string FormatFixed(double value, int decimals) {
    char buffer[kFixedTextBytes];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return result.ec == std::errc() ? std::string(buffer, result.ptr) : std::string();
}

int UnitSlot(int unitIndex) {
    return unitIndex >= 0 && unitIndex < kBarcodeUnitCount ? unitIndex : kBarcodeUnitMillimetre;
}

}  // namespace

BarcodeReport::~BarcodeReport() = default;

bool BarcodeReport::WriteReportInfo(const BarcodeReportInfo& /*info*/) {
    return true;
}

bool BarcodeReport::WriteProfileInfo(const BarcodeProfile& /*profile*/) {
    return true;
}

bool BarcodeReport::WriteBarcodeData(const BarcodeCheckRecord& /*record*/) {
    return true;
}

bool BarcodeReport::WriteBarcodeMessages(const CheckMessageList& /*messages*/) {
    return true;
}

bool BarcodeReport::WriteOverallMessages(const CheckMessageList& /*messages*/,
                                         std::int32_t /*overallStatus*/) {
    return true;
}

bool BarcodeReport::WriteSeparator() {
    return true;
}

bool BarcodeReport::IsReady() const {
    return true;
}

bool BarcodeReport::BeginDocument() {
    return true;
}

bool BarcodeReport::EndDocument() {
    return true;
}

bool BarcodeReport::BeginBarcode() {
    return true;
}

bool BarcodeReport::EndBarcode() {
    return true;
}

const std::string& BarcodeReport::GetText() {
    if (!IsReady()) {
        text_.clear();
    }
    return text_;
}

std::string BarcodeReport::FormatPercent(double value) const {
    return FormatFixed(value * kPercentPerRatio, kRatioDecimals) + " %";
}

std::string BarcodeReport::FormatNumber(double value) const {
    return FormatFixed(value, kRatioDecimals);
}

std::string BarcodeReport::FormatLength(double mm) const {
    return FormatLengthWith(mm, 0);
}

std::string BarcodeReport::FormatLengthFine(double mm) const {
    return FormatLengthWith(mm, kFineExtraDecimals);
}

// The unit's name is appended, never part of a format.
std::string BarcodeReport::FormatLengthWith(double mm, int extraDecimals) const {
    const int slot = UnitSlot(unitIndex_);
    const ReportUnit& unit = kReportUnits[slot];
    return FormatFixed(mm * static_cast<double>(unit.factor), unit.decimals + extraDecimals) + " " +
           GetUnitName(slot);
}

}  // namespace BarcodeVettrin
