#include "CouponTestSupport.h"

#include "BarcodeProcessorCode128.h"
#include "BarcodeProcessorEAN128.h"
#include "BarcodeProcessorEAN13.h"
#include "BarcodeProcessorUPCA.h"
#include "Symbols.h"

namespace StriveloTest {

using namespace Strivelo;

CouponBars SplitAtExtension(const Drawing& drawing) {
    CouponBars bars;
    bars.moduleMm = kCouponModuleMm * drawing.magnification;
    const double extensionStart = kMainSymbolModules * bars.moduleMm;
    for (const RecordedBar& bar : drawing.GetBars()) {
        (bar.left < extensionStart ? bars.main : bars.extension).push_back(bar);
    }
    return bars;
}

std::vector<RecordedBar> SideBySide(std::int32_t mainType, const std::string& mainCode,
                                    const std::string& extensionCode, bool fields) {
    std::vector<RecordedBar> bars =
        Draw(*MakeSymbol(
                 {.type = mainType == kBarcodeTypeUPCA ? kBarcodeTypeUPCA : kBarcodeTypeEAN13,
                  .code = mainCode}))
            .GetBars();
    const double offset = kMainSymbolModules * kCouponModuleMm;
    for (RecordedBar bar :
         Draw(*MakeSymbol({.type = fields ? kBarcodeTypeEAN128 : kBarcodeTypeCode128,
         .code = extensionCode,
         .magnification = kCouponModuleMm}))
             .GetBars()) {
        bar.left += offset;
        bar.right += offset;
        bars.push_back(bar);
    }
    return bars;
}

}  // namespace StriveloTest
