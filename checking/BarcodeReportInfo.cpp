#include "BarcodeReportInfo.h"

#include "M7LTimeStamp.h"

namespace BarcodeVettrin {

BarcodeReportInfo::BarcodeReportInfo() {
    M7LTimeStamp now;
    now.SetLocalNow();
    generatedTime_.Assign(now.text);
}

}  // namespace BarcodeVettrin
