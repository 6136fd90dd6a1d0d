#include "BarcodeReportLabels.h"

#include <iterator>

#include "M7LResources.h"

namespace BarcodeVettrin {

namespace {

struct LabelString {
    int list;
    int index;
};

constexpr int kDataLabelList = 21000;
constexpr int kWordLabelList = 21020;
constexpr int kProfileLabelList = 21040;
constexpr int kDocumentLabelList = 21050;

// In the order of BarcodeReportLabel.
constexpr LabelString kLabelStrings[] = {
    {kDataLabelList, 1},     {kDataLabelList, 2},    {kDataLabelList, 3},
    {kDataLabelList, 4},     {kDataLabelList, 5},    {kDataLabelList, 6},
    {kDataLabelList, 7},     {kDataLabelList, 8},    {kDataLabelList, 9},
    {kDataLabelList, 10},    {kDataLabelList, 11},   {kDataLabelList, 12},
    {kWordLabelList, 1},     {kWordLabelList, 2},    {kWordLabelList, 3},
    {kWordLabelList, 4},     {kWordLabelList, 5},    {kWordLabelList, 6},
    {kWordLabelList, 7},     {kWordLabelList, 8},    {kWordLabelList, 9},
    {kWordLabelList, 10},    {kWordLabelList, 11},   {kWordLabelList, 12},
    {kWordLabelList, 13},    {kProfileLabelList, 1}, {kProfileLabelList, 2},
    {kProfileLabelList, 3},  {kProfileLabelList, 4}, {kDocumentLabelList, 1},
    {kDocumentLabelList, 2},
};
static_assert(std::size(kLabelStrings) == static_cast<std::size_t>(BarcodeReportLabel::kCount));

}  // namespace

void BarcodeReportLabels::Load() {
    if (*Get(BarcodeReportLabel::kType) != 0) {
        return;
    }
    for (std::size_t i = 0; i < std::size(kLabelStrings); ++i) {
        LoadResourceStringInto(labels_[i], kLabelStrings[i].list, kLabelStrings[i].index);
    }
}

const char* BarcodeReportLabels::Get(BarcodeReportLabel label) const {
    return labels_[static_cast<std::size_t>(label)].CStr();
}

BarcodeReportLabels& TextReportLabels() {
    static BarcodeReportLabels labels;
    return labels;
}

BarcodeReportLabels& HTMLReportLabels() {
    static BarcodeReportLabels labels;
    return labels;
}

void LoadTextReportLabels() {
    TextReportLabels().Load();
}

void LoadHTMLReportLabels() {
    HTMLReportLabels().Load();
}

}  // namespace BarcodeVettrin
