#include "BarcodeTextReport.h"

namespace BarcodeVettrin {

namespace {

constexpr const char* kLineEnd = "\r\n";

constexpr BarcodeLabelledStyle kTextStyle = {
    .lineEnd = kLineEnd,
    .boldStart = "",
    .boldEnd = kLineEnd,
    .messageStart = "",
    .messageEnd = kLineEnd,
    .emphasisStart = "",
    .emphasisEnd = "",
    .separator = "--------------------------------------------------------\r\n",
    .escapeMarkup = false,
};

}  // namespace

const BarcodeLabelledStyle& BarcodeTextReport::GetStyle() const {
    return kTextStyle;
}

BarcodeReportLabels& BarcodeTextReport::GetLabels() const {
    return TextReportLabels();
}

}  // namespace BarcodeVettrin
