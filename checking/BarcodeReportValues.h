#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "BarcodeReportLabels.h"

namespace Strivelo {
class BarcodeProcessor;
}

namespace BarcodeVettrin {

class BarcodeReport;

// What the three report writers share about the values of a report.

// The checksum as "%8x": lower-case hexadecimal, padded with blanks.
std::string FormatCheckSum(std::int32_t checkSum);

// A measured value of one barcode with its label and its XML element name.
struct BarcodeMeasuredValue {
    BarcodeReportLabel label;
    const char* elementName;
    std::string text;
};

// In report order: bar width reduction, magnification, bar height, the
// wide/narrow ratio when the symbology has that option, mean and maximum
// deviation, each formatted in the report's units.
std::vector<BarcodeMeasuredValue> MeasureForReport(const BarcodeReport& report,
                                                   const Strivelo::BarcodeProcessor& processor);

// The names of an orientation class, "Illegal" for a class that is none of
// the four reading directions.
struct BarcodeOrientationNames {
    BarcodeReportLabel label;
    const char* keyword;
};
BarcodeOrientationNames NameOrientation(std::uint32_t orientationClass);

// Text with & < > and the double quote replaced by their entities, and
// what XML does not allow (ill-formed UTF-8, control characters other than
// tab, line feed and carriage return, U+FFFE and U+FFFF) replaced by U+FFFD,
// so that the text is valid UTF-8 XML and HTML.
std::string EscapeXmlText(std::string_view text);

}  // namespace BarcodeVettrin
