#pragma once

#include <cstddef>

#include "M7LString.h"

namespace BarcodeVettrin {

enum class BarcodeReportLabel : std::size_t {
    kType,
    kCode,
    kBarWidthReduction,
    kMagnification,
    kBarHeight,
    kWideNarrowRatio,
    kMeanDeviation,
    kMaximumDeviation,
    kBarsBox,
    kEraseBox,
    kOrientation,
    kPageNumber,
    kStatusOK,
    kStatusWarning,
    kStatusError,
    kTop,
    kBottom,
    kLeft,
    kRight,
    kOrientationIllegal,
    kLeftToRight,
    kRightToLeft,
    kTopToBottom,
    kBottomToTop,
    kUnknown,
    kProfileName,
    kOverallStatus,
    kProfileSaveTime,
    kProfileCheckSum,
    kDocumentName,
    kReportGenerated,
    kCount
};

// The labels of the text and HTML reports from the string resources. A label
// whose string is missing stays empty.
class BarcodeReportLabels {
public:
    // Loads every label unless the type label is already there, so a table
    // that found no resources is tried again on the next use.
    void Load();
    const char* Get(BarcodeReportLabel label) const;

private:
    M7LString labels_[static_cast<std::size_t>(BarcodeReportLabel::kCount)];
};

// The text writer's and the HTML writer's own tables.
BarcodeReportLabels& TextReportLabels();
BarcodeReportLabels& HTMLReportLabels();
void LoadTextReportLabels();
void LoadHTMLReportLabels();

}  // namespace BarcodeVettrin
