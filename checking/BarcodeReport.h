#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "BarcodeCheckTexts.h"
#include "CheckMessage.h"

namespace BarcodeVettrin {

class BarcodeCheckRecord;
class BarcodeProfile;
class BarcodeReportInfo;

// The writer a check run drives to report what it found. The whole report is
// built in memory as one byte string, which the caller writes to the file.
// The order of one report: SetUnits, BeginDocument, WriteReportInfo, with
// enabled tests WriteSeparator and WriteProfileInfo; per barcode
// WriteSeparator, StartBarcode, WriteBarcodeData, with enabled tests
// WriteBarcodeMessages, EndBarcode; then WriteSeparator, with enabled tests
// WriteOverallMessages; EndDocument and GetText.
//
// Every operation answers true; the base writes nothing.
class BarcodeReport {
public:
    BarcodeReport() = default;
    BarcodeReport(const BarcodeReport&) = delete;
    BarcodeReport& operator=(const BarcodeReport&) = delete;
    // The check run deletes its writer through this base.
    virtual ~BarcodeReport();

    virtual bool WriteReportInfo(const BarcodeReportInfo& info);
    virtual bool WriteProfileInfo(const BarcodeProfile& profile);
    virtual bool WriteBarcodeData(const BarcodeCheckRecord& record);
    virtual bool WriteBarcodeMessages(const CheckMessageList& messages);
    // An overall status of 0 (no check run) writes no status.
    virtual bool WriteOverallMessages(const CheckMessageList& messages, std::int32_t overallStatus);
    virtual bool WriteSeparator();
    virtual bool IsReady() const;
    virtual bool BeginDocument();
    virtual bool EndDocument();
    virtual bool BeginBarcode();
    virtual bool EndBarcode();

    // One of the kBarcodeUnit indices; any other value counts as millimetres.
    void SetUnits(int unitIndex) { unitIndex_ = unitIndex; }
    bool StartBarcode() { return BeginBarcode(); }
    // The report so far; emptied first when the writer is not ready.
    const std::string& GetText();

    // A ratio in percent: 0.8 gives "80.000 %".
    std::string FormatPercent(double value) const;
    // Three decimals.
    std::string FormatNumber(double value) const;
    // Millimetres in the report's unit with its decimals and name.
    std::string FormatLength(double mm) const;
    // As FormatLength with two more decimals.
    std::string FormatLengthFine(double mm) const;

protected:
    void Append(std::string_view text) { text_.append(text); }

private:
    std::string FormatLengthWith(double mm, int extraDecimals) const;

    std::string text_;
    int unitIndex_ = kBarcodeUnitMillimetre;
};

}  // namespace BarcodeVettrin
