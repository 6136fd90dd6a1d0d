#pragma once

#include "BarcodeLabelledReport.h"

namespace BarcodeVettrin {

// The HTML report: the sections of the text report as an HTML fragment (no
// head or body), with bold and italic emphasis, line breaks and horizontal
// rules, every line ending in LF. Inserted texts are escaped.
class BarcodeHTMLReport : public BarcodeLabelledReport {
private:
    const BarcodeLabelledStyle& GetStyle() const override;
    BarcodeReportLabels& GetLabels() const override;
};

}  // namespace BarcodeVettrin
