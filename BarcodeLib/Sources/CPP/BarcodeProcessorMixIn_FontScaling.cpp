#include "BarcodeProcessorMixIn_FontScaling.h"

#include <cmath>

namespace Strivelo {

bool BarcodeProcessorMixIn_FontScaling::SetFontScaling(double factor) {
    if (!std::isfinite(factor) || factor < kMinimumFontScaling) {
        return false;
    }
    fontScaling_ = factor;
    return true;
}

double BarcodeProcessorMixIn_FontScaling::GetFontScaling() const {
    return fontScaling_;
}

bool BarcodeProcessorMixIn_FontScaling::SetCenterAlign(bool centerAlign) {
    centerAlign_ = centerAlign;
    return true;
}

bool BarcodeProcessorMixIn_FontScaling::GetCenterAlign() const {
    return centerAlign_;
}

}  // namespace Strivelo
