#pragma once

#include "BarcodeLabelledReport.h"

namespace BarcodeVettrin {

// The plain-text report: labelled lines ending in CR LF, separators of 56
// dashes, texts copied as they are.
class BarcodeTextReport : public BarcodeLabelledReport {
private:
    const BarcodeLabelledStyle& GetStyle() const override;
    BarcodeReportLabels& GetLabels() const override;
};

}  // namespace BarcodeVettrin
