#include "BarcodeProcessorMixIn_BearerBarsOption.h"

#include "BarcodeProcessorDataGenerator.h"

namespace Strivelo {

void BarcodeProcessorMixIn_BearerBarsOption::SetBearerBars(bool bearerBars) {
    bearerBars_ = bearerBars;
}

bool BarcodeProcessorMixIn_BearerBarsOption::GetBearerBars() const {
    return bearerBars_;
}

void BarcodeProcessorMixIn_BearerBarsOption::SetBearerBarEndBars(bool endBars) {
    endBars_ = endBars;
}

bool BarcodeProcessorMixIn_BearerBarsOption::GetBearerBarEndBars() const {
    return endBars_;
}

double BarcodeProcessorMixIn_BearerBarsOption::ReserveBearerBars(double* left, double* right,
                                                                 double* bottom, double* top,
                                                                 double thicknessMm) const {
    if (!bearerBars_) {
        return 0.0;
    }
    *bottom -= thicknessMm;
    *top += thicknessMm;
    if (endBars_) {
        *left -= thicknessMm;
        *right += thicknessMm;
    }
    return -thicknessMm;
}

bool BarcodeProcessorMixIn_BearerBarsOption::EmitBearerBars(
    double left, double right, double leftInset, double rightInset, double bottom, double top,
    double thicknessMm, BarcodeProcessorDataGenerator* generator) const {
    if (!bearerBars_) {
        return true;
    }
    if (generator == nullptr) {
        return false;
    }
    const double barLeft = endBars_ ? left : left + leftInset;
    const double barRight = endBars_ ? right : right - rightInset;
    if (!generator->AddBearerBar(barLeft, barRight, bottom - thicknessMm, bottom) ||
        !generator->AddBearerBar(barLeft, barRight, top, top + thicknessMm)) {
        return false;
    }
    if (!endBars_) {
        return true;
    }
    return generator->AddBearerBar(left - thicknessMm, left, bottom - thicknessMm,
                                   top + thicknessMm) &&
           generator->AddBearerBar(right, right + thicknessMm, bottom - thicknessMm,
                                   top + thicknessMm);
}

}  // namespace Strivelo
