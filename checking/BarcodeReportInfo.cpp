#include "BarcodeReportInfo.h"

#include "foundation/M7LTimeStamp.h"

namespace BarcodeVettrin {

BarcodeReportInfo::BarcodeReportInfo() {
    M7LTimeStamp now;
    now.SetLocalNow();
    generatedTime_.Assign(now.text);
}

}  // namespace BarcodeVettrin
