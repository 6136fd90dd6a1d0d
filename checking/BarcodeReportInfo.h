#pragma once

#include "M7LString.h"

namespace BarcodeVettrin {

// What the head of one report shows: the document's name and when the report
// was made (the time of construction).
class BarcodeReportInfo {
public:
    BarcodeReportInfo();

    void SetDocumentName(const char* name) { documentName_.Assign(name); }
    // Empty until set.
    const char* GetDocumentName() const { return documentName_.CStr(); }
    // "%04d-%02d-%02dT%02d:%02d:%02dZ".
    const char* GetGeneratedTime() const { return generatedTime_.CStr(); }

private:
    M7LString documentName_;
    M7LString generatedTime_;
};

}  // namespace BarcodeVettrin
