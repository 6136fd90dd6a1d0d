#include "BarcodeXMLReport.h"

#include <cstdint>

#include "BarcodeCheckTexts.h"
#include "BarcodeProcessor.h"
#include "BarcodeProfile.h"
#include "BarcodeReportInfo.h"
#include "BarcodeReportValues.h"
#include "M7LIO_StructuredIOXMLSave.h"

namespace BarcodeVettrin {

namespace {

constexpr const char* kRootName = "M7LBarcodeReport";
constexpr const char* kDtdName = "M7LBarcodeReport1_0";
// The development DTD folder, as for the profile files.
constexpr std::int32_t kDtdBaseDevelopMode = 1;
// The declaration and the document type line fit with room to spare.
constexpr std::size_t kHeaderBytes = 512;
constexpr const char* kIndent = "  ";
constexpr const char* kLineEnd = "\n";

std::string StartTag(std::string_view name) {
    return '<' + std::string(name) + ">";
}

std::string EndTag(std::string_view name) {
    return "</" + std::string(name) + ">";
}

// One line: the start tag, the escaped value and the end tag.
std::string Element(std::string_view name, std::string_view value, std::string_view indent = "") {
    return std::string(indent) + StartTag(name) + EscapeXmlText(value) + EndTag(name) + kLineEnd;
}

const char* StatusKeyword(std::int32_t status) {
    switch (status) {
        case kCheckStatusPassed:
            return "OK";
        case kCheckStatusWarning:
            return "WARNING";
        case kCheckStatusFailed:
            return "ERROR";
        default:
            return "";
    }
}

}  // namespace

bool BarcodeXMLReport::BeginDocument() {
    char header[kHeaderBytes];
    if (M7LIO_StructuredIOXMLSave::WriteXmlHeader(kDtdBaseDevelopMode, kRootName, kDtdName, header,
                                                  sizeof header)) {
        Append(header);
    }
    Append(StartTag(kRootName) + kLineEnd);
    return true;
}

bool BarcodeXMLReport::EndDocument() {
    Append(EndTag(kRootName) + kLineEnd);
    return true;
}

bool BarcodeXMLReport::BeginBarcode() {
    Append(StartTag("Barcode") + kLineEnd);
    return true;
}

bool BarcodeXMLReport::EndBarcode() {
    Append(EndTag("Barcode") + kLineEnd);
    return true;
}

bool BarcodeXMLReport::WriteReportInfo(const BarcodeReportInfo& info) {
    Append(StartTag("ReportInfo") + kLineEnd +
           Element("DocumentName", info.GetDocumentName(), kIndent) +
           Element("GeneratedTime", info.GetGeneratedTime(), kIndent) + EndTag("ReportInfo") +
           kLineEnd);
    return true;
}

bool BarcodeXMLReport::WriteProfileInfo(const BarcodeProfile& profile) {
    Append(StartTag("ProfileInfo") + kLineEnd +
           Element("ProfileName", profile.GetProfileName(), kIndent) +
           Element("ProfileSaveTime", profile.GetProfileSaveTime(), kIndent) +
           Element("ProfileCheckSum", FormatCheckSum(profile.GetProfileCheckSum()), kIndent) +
           EndTag("ProfileInfo") + kLineEnd);
    return true;
}

bool BarcodeXMLReport::WriteBarcodeData(const BarcodeCheckRecord& record) {
    const Strivelo::BarcodeProcessor* processor = record.GetProcessor();
    if (processor == nullptr) {
        return true;
    }
    std::string text =
        Element("Type", processor->GetNameOrDashes()) + Element("Code", processor->GetCode());
    for (const BarcodeMeasuredValue& value : MeasureForReport(*this, *processor)) {
        text += Element(value.elementName, value.text);
    }
    text += Element("Orientation", NameOrientation(processor->GetOrientation()).keyword);
    if (record.HasPageNumber()) {
        text += Element("PageNumber", std::to_string(record.GetPageNumber()));
    }
    Append(text);
    WriteBox("BarsBoundingBox", record.HasBarsBoundingBox(), record.GetBarsBoundingBox());
    WriteBox("EraseBoxBoundingBox", record.HasEraseBox(), record.GetEraseBox());
    return true;
}

// The sides are stored top, left, bottom, right and written left, top,
// right, bottom.
void BarcodeXMLReport::WriteBox(const char* name, bool known, const BarcodeCheckRecord::Box& box) {
    std::string text = StartTag(name);
    if (known) {
        text += std::string(kLineEnd) + Element("Left", FormatLength(box.left), kIndent) +
                Element("Top", FormatLength(box.top), kIndent) +
                Element("Right", FormatLength(box.right), kIndent) +
                Element("Bottom", FormatLength(box.bottom), kIndent);
    } else {
        text += "Unknown";
    }
    Append(text + EndTag(name) + kLineEnd);
}

// Every message is written as an error, whatever its severity.
void BarcodeXMLReport::WriteMessages(const CheckMessageList& messages) {
    for (const CheckMessage& message : messages) {
        Append(StartTag("BarcodeTestMessage") + kLineEnd +
               Element("BarcodeTestMessageStatus", "ERROR", kIndent) +
               Element("BarcodeTestMessageID", std::to_string(message.messageId), kIndent) +
               Element("BarcodeTestMessageText", GetMessageText(message.messageId), kIndent) +
               EndTag("BarcodeTestMessage") + kLineEnd);
    }
}

bool BarcodeXMLReport::WriteBarcodeMessages(const CheckMessageList& messages) {
    WriteMessages(messages);
    return true;
}

bool BarcodeXMLReport::WriteOverallMessages(const CheckMessageList& messages,
                                            std::int32_t overallStatus) {
    WriteMessages(messages);
    if (overallStatus != 0) {
        Append(Element("ProfileOverallStatus", StatusKeyword(overallStatus)));
    }
    return true;
}

}  // namespace BarcodeVettrin
