#include "BarcodeHTMLReport.h"

namespace BarcodeVettrin {

namespace {

constexpr const char* kEmphasisStart = "<b><i>";
constexpr const char* kEncodingLine = "<meta charset=\"utf-8\">\n";

constexpr BarcodeLabelledStyle kHTMLStyle = {
    .lineEnd = "<br>\n",
    .boldStart = "<b>",
    .boldEnd = "<br></b>\n",
    .messageStart = kEmphasisStart,
    .messageEnd = "</i></b><br>\n",
    .emphasisStart = kEmphasisStart,
    .emphasisEnd = "</i></b>\n",
    .separator = "<hr>\n",
    .escapeMarkup = true,
};

}  // namespace

bool BarcodeHTMLReport::BeginDocument() {
    Append(kEncodingLine);
    return true;
}

const BarcodeLabelledStyle& BarcodeHTMLReport::GetStyle() const {
    return kHTMLStyle;
}

BarcodeReportLabels& BarcodeHTMLReport::GetLabels() const {
    return HTMLReportLabels();
}

}  // namespace BarcodeVettrin
