#include "BarcodeLabelledReport.h"

#include "BarcodeCheckTexts.h"
#include "BarcodeProcessor.h"
#include "BarcodeProfile.h"
#include "BarcodeReportInfo.h"
#include "BarcodeReportValues.h"

namespace BarcodeVettrin {

namespace {

constexpr const char* kAssign = " = ";
constexpr const char* kBoxPartEnd = ",";

}  // namespace

std::string BarcodeLabelledReport::Insert(std::string_view text) const {
    return GetStyle().escapeMarkup ? EscapeXmlText(text) : std::string(text);
}

std::string BarcodeLabelledReport::Label(BarcodeReportLabel label) const {
    return Insert(GetLabels().Get(label));
}

std::string BarcodeLabelledReport::Line(BarcodeReportLabel label, std::string_view value) const {
    return Label(label) + kAssign + Insert(value) + GetStyle().lineEnd;
}

std::string BarcodeLabelledReport::BoldLine(BarcodeReportLabel label,
                                            std::string_view value) const {
    return GetStyle().boldStart + Label(label) + kAssign + Insert(value) + GetStyle().boldEnd;
}

// The sides are stored top, left, bottom, right and shown left, top, right,
// bottom, each part closed by a comma.
std::string BarcodeLabelledReport::BoxLine(BarcodeReportLabel label, bool known,
                                           const BarcodeCheckRecord::Box& box) const {
    std::string line = Label(label) + kAssign;
    if (!known) {
        return line + Label(BarcodeReportLabel::kUnknown) + GetStyle().lineEnd;
    }
    const struct {
        BarcodeReportLabel side;
        double mm;
    } parts[] = {
        {BarcodeReportLabel::kLeft, box.left},
        {BarcodeReportLabel::kTop, box.top},
        {BarcodeReportLabel::kRight, box.right},
        {BarcodeReportLabel::kBottom, box.bottom},
    };
    for (const auto& part : parts) {
        line += Label(part.side) + kAssign + Insert(FormatLength(part.mm)) + kBoxPartEnd;
    }
    return line + GetStyle().lineEnd;
}

bool BarcodeLabelledReport::WriteReportInfo(const BarcodeReportInfo& info) {
    GetLabels().Load();
    Append(BoldLine(BarcodeReportLabel::kDocumentName, info.GetDocumentName()) +
           Line(BarcodeReportLabel::kReportGenerated, info.GetGeneratedTime()));
    return true;
}

bool BarcodeLabelledReport::WriteProfileInfo(const BarcodeProfile& profile) {
    GetLabels().Load();
    Append(
        BoldLine(BarcodeReportLabel::kProfileName, profile.GetProfileName()) +
        Line(BarcodeReportLabel::kProfileSaveTime, profile.GetProfileSaveTime()) +
        Line(BarcodeReportLabel::kProfileCheckSum, FormatCheckSum(profile.GetProfileCheckSum())));
    return true;
}

bool BarcodeLabelledReport::WriteBarcodeData(const BarcodeCheckRecord& record) {
    GetLabels().Load();
    const Strivelo::BarcodeProcessor* processor = record.GetProcessor();
    if (processor == nullptr) {
        return true;
    }
    std::string text =
        BoldLine(BarcodeReportLabel::kType, GetBarcodeTypeName(processor->GetType())) +
        BoldLine(BarcodeReportLabel::kCode, processor->GetCode());
    for (const BarcodeMeasuredValue& value : MeasureForReport(*this, *processor)) {
        text += Line(value.label, value.text);
    }
    text += Line(BarcodeReportLabel::kOrientation,
                 GetLabels().Get(NameOrientation(processor->GetOrientation()).label));
    if (record.HasPageNumber()) {
        text += Line(BarcodeReportLabel::kPageNumber, std::to_string(record.GetPageNumber()));
    }
    text += BoxLine(BarcodeReportLabel::kBarsBox, record.HasBarsBoundingBox(),
                    record.GetBarsBoundingBox());
    text += BoxLine(BarcodeReportLabel::kEraseBox, record.HasEraseBox(), record.GetEraseBox());
    Append(text);
    return true;
}

// Every message is shown as an error, whatever its severity.
std::string BarcodeLabelledReport::MessageLines(const CheckMessageList& messages) const {
    std::string text;
    for (const CheckMessage& message : messages) {
        text += GetStyle().messageStart + Label(BarcodeReportLabel::kStatusError) + " " +
                Insert(GetMessageText(message.messageId)) + GetStyle().messageEnd;
    }
    return text;
}

bool BarcodeLabelledReport::WriteBarcodeMessages(const CheckMessageList& messages) {
    Append(MessageLines(messages));
    return true;
}

// Statuses other than passed, warning and failed (fixed, driver missing)
// show no word.
bool BarcodeLabelledReport::WriteOverallMessages(const CheckMessageList& messages,
                                                 std::int32_t overallStatus) {
    std::string text = MessageLines(messages);
    if (overallStatus != 0) {
        const BarcodeLabelledStyle& style = GetStyle();
        text += Label(BarcodeReportLabel::kOverallStatus) + " ";
        switch (overallStatus) {
            case kCheckStatusPassed:
                text += Label(BarcodeReportLabel::kStatusOK);
                break;
            case kCheckStatusWarning:
                text += style.emphasisStart + Label(BarcodeReportLabel::kStatusWarning) +
                        style.emphasisEnd;
                break;
            case kCheckStatusFailed:
                text += style.emphasisStart + Label(BarcodeReportLabel::kStatusError) +
                        style.emphasisEnd;
                break;
            default:
                break;
        }
        text += style.lineEnd;
    }
    Append(text);
    return true;
}

bool BarcodeLabelledReport::WriteSeparator() {
    Append(GetStyle().separator);
    return true;
}

}  // namespace BarcodeVettrin
