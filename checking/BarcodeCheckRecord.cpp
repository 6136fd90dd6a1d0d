#include "BarcodeCheckRecord.h"

namespace BarcodeVettrin {

BarcodeCheckRecord::BarcodeCheckRecord(Strivelo::BarcodeProcessor* processor)
    : processor_(processor) {}

// Every field but the processor has its initial value in the member
// initialisers.
void BarcodeCheckRecord::Init(Strivelo::BarcodeProcessor* processor) {
    *this = BarcodeCheckRecord(processor);
}

void BarcodeCheckRecord::SetPageNumber(std::int32_t pageNumber) {
    pageNumber_ = pageNumber;
    pageNumberKnown_ = true;
}

void BarcodeCheckRecord::SetBarsBoundingBox(const Box& box) {
    barsBox_ = box;
    barsBoxKnown_ = true;
}

void BarcodeCheckRecord::SetEraseBox(const Box& box) {
    eraseBox_ = box;
    eraseBoxKnown_ = true;
}

void BarcodeCheckRecord::ClearFixRequests() {
    regenerateRequest_ = kNoRegenerate;
    newBarWidthReductionSet_ = false;
    colorAction_ = kColorActionNone;
}

void BarcodeCheckRecord::SetNewBarWidthReduction(double mm) {
    newBarWidthReductionMm_ = mm;
    newBarWidthReductionSet_ = true;
}

bool BarcodeCheckRecord::IsRegenerateRequested() const {
    return regenerateRequest_ == kRegenerate || newBarWidthReductionSet_;
}

bool BarcodeCheckRecord::GetNewBarWidthReduction(double& mm) const {
    if (!newBarWidthReductionSet_) {
        return false;
    }
    mm = newBarWidthReductionMm_;
    return true;
}

bool BarcodeCheckRecord::HasColorAction() const {
    return colorAction_ != kColorActionNone;
}

}  // namespace BarcodeVettrin
