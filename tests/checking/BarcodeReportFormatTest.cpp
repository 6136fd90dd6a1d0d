#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "BarcodeReport.h"
#include "NumericLocale.h"
#include "StriveloResources.h"

namespace {

using BarcodeVettrin::BarcodeReport;

enum class Formatter { kLength, kLengthFine, kPercent, kNumber };

struct FormatCase {
    double value;
    Formatter formatter;
    int unit;
    const char* text;
};

// The unit factors are single precision; the rows from 0.045 on print a
// different last digit with double factors.
constexpr FormatCase kFormatCases[] = {
    {12.3456, Formatter::kLength, BarcodeVettrin::kBarcodeUnitMillimetre, "12.35 mm"},
    {12.3456, Formatter::kLength, BarcodeVettrin::kBarcodeUnitCentimetre, "1.235 cm"},
    {12.3456, Formatter::kLength, BarcodeVettrin::kBarcodeUnitInch, "0.486 Zoll"},
    {12.3456, Formatter::kLength, BarcodeVettrin::kBarcodeUnitPoint, "35.00 Punkt"},
    {12.3456, Formatter::kLength, BarcodeVettrin::kBarcodeUnitMil, "486.0 mil"},
    {12.3456, Formatter::kLengthFine, BarcodeVettrin::kBarcodeUnitMillimetre, "12.3456 mm"},
    {-0.0123, Formatter::kLengthFine, BarcodeVettrin::kBarcodeUnitMillimetre, "-0.0123 mm"},
    {0.8, Formatter::kPercent, BarcodeVettrin::kBarcodeUnitMillimetre, "80.000 %"},
    {2.5, Formatter::kNumber, BarcodeVettrin::kBarcodeUnitMillimetre, "2.500"},
    {25.4, Formatter::kLength, BarcodeVettrin::kBarcodeUnitInch, "1.000 Zoll"},
    {25.4, Formatter::kLength, BarcodeVettrin::kBarcodeUnitPoint, "72.00 Punkt"},
    {25.4, Formatter::kLengthFine, BarcodeVettrin::kBarcodeUnitMil, "1000.000 mil"},
    {0.045, Formatter::kLength, BarcodeVettrin::kBarcodeUnitCentimetre, "0.005 cm"},
    {0.0127, Formatter::kLength, BarcodeVettrin::kBarcodeUnitInch, "0.000 Zoll"},
    {5.0035, Formatter::kLengthFine, BarcodeVettrin::kBarcodeUnitPoint, "14.1832 Punkt"},
    {13.1072, Formatter::kLengthFine, BarcodeVettrin::kBarcodeUnitMil, "516.032 mil"},
    {1.0, Formatter::kPercent, BarcodeVettrin::kBarcodeUnitMil, "100.000 %"},
    {1234.5678, Formatter::kNumber, BarcodeVettrin::kBarcodeUnitPoint, "1234.568"},
    {12.3456, Formatter::kLength, -1, "12.35 mm"},
    {12.3456, Formatter::kLength, BarcodeVettrin::kBarcodeUnitCount, "12.35 mm"},
};

std::string Format(const BarcodeReport& report, Formatter formatter, double value) {
    switch (formatter) {
        case Formatter::kLength:
            return report.FormatLength(value);
        case Formatter::kLengthFine:
            return report.FormatLengthFine(value);
        case Formatter::kPercent:
            return report.FormatPercent(value);
        case Formatter::kNumber:
            return report.FormatNumber(value);
    }
    return {};
}

void ExpectFormatTable() {
    for (const FormatCase& c : kFormatCases) {
        BarcodeReport report;
        report.SetUnits(c.unit);
        EXPECT_EQ(Format(report, c.formatter, c.value), c.text) << c.value << " unit " << c.unit;
    }
}

class ReportFormatTest : public testing::Test {
protected:
    void SetUp() override { SetResourceModule(StriveloResourceModule()); }
};

TEST_F(ReportFormatTest, FormatsValuesInTheReportsUnit) {
    ExpectFormatTable();
}

// The host may run with a decimal-comma locale; reports keep the point.
TEST_F(ReportFormatTest, IgnoresTheNumericLocale) {
    const GermanNumericLocale german;
    ASSERT_TRUE(german.IsActive())
        << "locale de_DE.UTF-8 is not installed (scripts/install-deps.sh generates it)";
    ExpectFormatTable();
}

}  // namespace
