#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "BarcodeCheckRecord.h"
#include "BarcodeReport.h"
#include "BarcodeReportLabels.h"

namespace BarcodeVettrin {

// The mark-up pieces that tell the labelled reports apart.
struct BarcodeLabelledStyle {
    const char* lineEnd;
    // Around a line that stands out; boldEnd replaces lineEnd.
    const char* boldStart;
    const char* boldEnd;
    // Around a message line.
    const char* messageStart;
    const char* messageEnd;
    // Around the warning and error words of the overall status.
    const char* emphasisStart;
    const char* emphasisEnd;
    const char* separator;
    // Whether inserted texts are escaped for the mark-up, with what it
    // cannot hold replaced.
    bool escapeMarkup;
};

// What the text and HTML reports share: the same sections of labelled lines
// ("label = value") in the same order, with labels from the writer's own
// table, which the head, profile and barcode sections load when needed.
class BarcodeLabelledReport : public BarcodeReport {
public:
    bool WriteReportInfo(const BarcodeReportInfo& info) override;
    bool WriteProfileInfo(const BarcodeProfile& profile) override;
    bool WriteBarcodeData(const BarcodeCheckRecord& record) override;
    bool WriteBarcodeMessages(const CheckMessageList& messages) override;
    bool WriteOverallMessages(const CheckMessageList& messages,
                              std::int32_t overallStatus) override;
    bool WriteSeparator() override;

protected:
    BarcodeLabelledReport() = default;

private:
    virtual const BarcodeLabelledStyle& GetStyle() const = 0;
    virtual BarcodeReportLabels& GetLabels() const = 0;

    std::string Insert(std::string_view text) const;
    std::string Label(BarcodeReportLabel label) const;
    std::string Line(BarcodeReportLabel label, std::string_view value) const;
    std::string BoldLine(BarcodeReportLabel label, std::string_view value) const;
    std::string BoxLine(BarcodeReportLabel label, bool known,
                        const BarcodeCheckRecord::Box& box) const;
    std::string MessageLines(const CheckMessageList& messages) const;
};

}  // namespace BarcodeVettrin
