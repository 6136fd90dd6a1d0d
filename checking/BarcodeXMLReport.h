#pragma once

#include <string>
#include <string_view>

#include "BarcodeCheckRecord.h"
#include "BarcodeReport.h"

namespace BarcodeVettrin {

// The XML report: a UTF-8 document of fixed English element names, one
// element per line ending in LF; statuses and orientations are English
// keywords and no resource labels are used. Inserted texts are escaped.
class BarcodeXMLReport : public BarcodeReport {
public:
    bool WriteReportInfo(const BarcodeReportInfo& info) override;
    bool WriteProfileInfo(const BarcodeProfile& profile) override;
    bool WriteBarcodeData(const BarcodeCheckRecord& record) override;
    bool WriteBarcodeMessages(const CheckMessageList& messages) override;
    bool WriteOverallMessages(const CheckMessageList& messages,
                              std::int32_t overallStatus) override;
    // The declaration, the document type and the root's start tag.
    bool BeginDocument() override;
    bool EndDocument() override;
    bool BeginBarcode() override;
    bool EndBarcode() override;

private:
    // A box of four side elements, or "Unknown" on the start tag's line.
    void WriteBox(const char* name, bool known, const BarcodeCheckRecord::Box& box);
    void WriteMessages(const CheckMessageList& messages);
};

}  // namespace BarcodeVettrin
