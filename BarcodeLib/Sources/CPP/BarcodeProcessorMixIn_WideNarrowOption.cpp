#include "BarcodeProcessorMixIn_WideNarrowOption.h"

#include <cmath>

namespace Strivelo {

bool BarcodeProcessorMixIn_WideNarrowOption::SetWideNarrowRatio(double ratio) {
    if (!std::isfinite(ratio) || ratio < kMinimumWideNarrowRatio) {
        return false;
    }
    wideNarrowRatio_ = ratio;
    return true;
}

double BarcodeProcessorMixIn_WideNarrowOption::GetWideNarrowRatio() const {
    return wideNarrowRatio_;
}

}  // namespace Strivelo
