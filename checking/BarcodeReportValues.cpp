#include "BarcodeReportValues.h"

#include <cstdio>
#include <limits>

#include "BarcodeProcessor.h"
#include "BarcodeProcessorMixIn_WideNarrowOption.h"
#include "BarcodeReport.h"
#include "foundation/M7LAnsiConversion.h"

namespace BarcodeVettrin {

namespace {

// Eight hexadecimal digits and the terminator.
constexpr std::size_t kCheckSumTextBytes = 9;

constexpr char16_t kFirstAllowedControl = u'\t';
constexpr char16_t kSecondAllowedControl = u'\n';
constexpr char16_t kThirdAllowedControl = u'\r';
constexpr char16_t kFirstNonControl = 0x20;
constexpr char16_t kFirstNonCharacter = 0xFFFE;
constexpr char16_t kReplacementCharacter = 0xFFFD;
constexpr const char* kReplacementUtf8 = "\xEF\xBF\xBD";
constexpr unsigned char kFirstNonAsciiByte = 0x80;
// A UTF-16 unit takes at most three UTF-8 bytes (a surrogate pair four).
constexpr std::size_t kUtf8BytesPerUnit = 3;

bool IsXmlCharacterUnit(char16_t unit) {
    if (unit < kFirstNonControl) {
        return unit == kFirstAllowedControl || unit == kSecondAllowedControl ||
               unit == kThirdAllowedControl;
    }
    return unit < kFirstNonCharacter;
}

// Valid UTF-8 passes through the codec with the characters XML does not
// allow replaced; a text that is not valid UTF-8 keeps only its allowed
// ASCII characters.
std::string ToXmlCharacters(std::string_view text) {
    const std::string terminated(text);
    constexpr std::size_t kLongestConvertible =
        std::numeric_limits<int>::max() / kUtf8BytesPerUnit - 1;
    if (terminated.size() <= kLongestConvertible) {
        std::vector<char16_t> wide(terminated.size() + 1);
        if (AnsiToWide(terminated.c_str(), wide.data(), static_cast<int>(wide.size())) == 0) {
            for (char16_t& unit : wide) {
                if (unit != 0 && !IsXmlCharacterUnit(unit)) {
                    unit = kReplacementCharacter;
                }
            }
            std::string utf8(wide.size() * kUtf8BytesPerUnit + 1, '\0');
            if (WideToAnsi(wide.data(), utf8.data(), static_cast<int>(utf8.size())) == 0) {
                utf8.resize(std::char_traits<char>::length(utf8.c_str()));
                return utf8;
            }
        }
    }
    std::string ascii;
    for (const char c : terminated) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= kFirstNonAsciiByte || !IsXmlCharacterUnit(byte)) {
            ascii += kReplacementUtf8;
        } else {
            ascii += c;
        }
    }
    return ascii;
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
        dynamic_cast<const Strivelo::BarcodeProcessorMixIn_WideNarrowOption*>(&processor);
    if (option != nullptr && processor.HasOption(Strivelo::kBarcodeOptionWideNarrowRatio)) {
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

std::string EscapeXmlText(std::string_view text) {
    return EscapeMarkup(ToXmlCharacters(text));
}

}  // namespace BarcodeVettrin
