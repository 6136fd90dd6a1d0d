#include "BarcodeReportValues.h"

#include <cstdio>

#include "BarcodeProcessor.h"
#include "BarcodeProcessorMixIn_WideNarrowOption.h"
#include "BarcodeReport.h"
#include "M7LIO_StructuredIOXML.h"

namespace BarcodeVettrin {

namespace {

// Eight hexadecimal digits and the terminator.
constexpr std::size_t kCheckSumTextBytes = 9;

// Text with & < > and the double quote replaced by their entities.
std::string EscapeMarkup(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

}  // namespace

std::string FormatCheckSum(std::int32_t checkSum) {
    char text[kCheckSumTextBytes];
    std::snprintf(text, sizeof text, "%8x", static_cast<unsigned int>(checkSum));
    return text;
}

std::vector<BarcodeMeasuredValue> MeasureForReport(const BarcodeReport& report,
                                                   const Strivelo::BarcodeProcessor& processor) {
    std::vector<BarcodeMeasuredValue> values = {
        {BarcodeReportLabel::kBarWidthReduction, "BarWidthReduction",
         report.FormatLengthFine(processor.GetBarWidthReduction())},
        {BarcodeReportLabel::kMagnification, "Magnification",
         report.FormatPercent(processor.GetMagnification())},
        {BarcodeReportLabel::kBarHeight, "BarHeight",
         report.FormatLength(processor.GetBarHeight())},
    };
    const auto* option =
        Strivelo::FindOptionMixIn<Strivelo::BarcodeProcessorMixIn_WideNarrowOption>(
            processor, Strivelo::kBarcodeOptionWideNarrowRatio);
    if (option != nullptr) {
        values.push_back({BarcodeReportLabel::kWideNarrowRatio, "WideNarrowRatio",
                          report.FormatNumber(option->GetWideNarrowRatio())});
    }
    double maximum = 0.0;
    const double mean = processor.ComputeDeviation(&maximum);
    values.push_back(
        {BarcodeReportLabel::kMeanDeviation, "MeanDeviation", report.FormatLengthFine(mean)});
    values.push_back({BarcodeReportLabel::kMaximumDeviation, "MaximumDeviation",
                      report.FormatLengthFine(maximum)});
    return values;
}

BarcodeOrientationNames NameOrientation(std::uint32_t orientationClass) {
    using Strivelo::BarcodeProcessor;
    switch (orientationClass) {
        case BarcodeProcessor::kOrientationSideBySideAscending:
            return {BarcodeReportLabel::kLeftToRight, "LeftToRight"};
        case BarcodeProcessor::kOrientationStackedAscending:
            return {BarcodeReportLabel::kBottomToTop, "BottomToTop"};
        case BarcodeProcessor::kOrientationSideBySideDescending:
            return {BarcodeReportLabel::kRightToLeft, "RightToLeft"};
        case BarcodeProcessor::kOrientationStackedDescending:
            return {BarcodeReportLabel::kTopToBottom, "TopToBottom"};
        default:
            return {BarcodeReportLabel::kOrientationIllegal, "Illegal"};
    }
}

std::string EscapeXmlText(std::string_view text) {
    return EscapeMarkup(ReplaceNonXmlCharacters(text));
}

}  // namespace BarcodeVettrin
