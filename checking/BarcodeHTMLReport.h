#pragma once

#include "BarcodeLabelledReport.h"

namespace BarcodeVettrin {

// The HTML report: the sections of the text report as an HTML fragment (no
// head or body), with bold and italic emphasis, line breaks and horizontal
// rules, every line ending in LF. Inserted texts are escaped. Its first line
// declares the encoding, UTF-8, which browsers would not assume.
class BarcodeHTMLReport : public BarcodeLabelledReport {
public:
    bool BeginDocument() override;

private:
    const BarcodeLabelledStyle& GetStyle() const override;
    BarcodeReportLabels& GetLabels() const override;
};

}  // namespace BarcodeVettrin
