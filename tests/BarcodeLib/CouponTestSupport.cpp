#include "CouponTestSupport.h"

#include "BarcodeProcessorCode128.h"
#include "BarcodeProcessorEAN128.h"
#include "BarcodeProcessorEAN13.h"
#include "BarcodeProcessorEAN13Coupon.h"
#include "BarcodeProcessorUPCA.h"

namespace StriveloTest {

using namespace Strivelo;

namespace {

std::vector<RecordedBar> BarsOf(BarcodeProcessor& processor) {
    RecordingGenerator generator;
    EXPECT_TRUE(processor.GenerateInto(&generator)) << processor.GetCode();
    return generator.GetBars();
}

}  // namespace

std::unique_ptr<BarcodeProcessor> MakeCoupon(std::int32_t type) {
    if (type == kBarcodeTypeEAN13Coupon) {
        return std::make_unique<BarcodeProcessorEAN13Coupon>();
    }
    if (type == kBarcodeTypeUPCACoupon) {
        return std::make_unique<BarcodeProcessorUPCACoupon>();
    }
    ADD_FAILURE() << "no coupon type " << type;
    return std::make_unique<BarcodeProcessorUPCACoupon>();
}

DrawnCoupon DrawCoupon(BarcodeProcessor& processor) {
    DrawnCoupon drawn;
    drawn.generated = processor.GenerateInto(&drawn.generator);
    drawn.moduleMm = kCouponModuleMm * processor.GetMagnification();
    const double extensionStart = kMainSymbolModules * drawn.moduleMm;
    for (const RecordedBar& bar : drawn.generator.GetBars()) {
        (bar.left < extensionStart ? drawn.mainBars : drawn.extensionBars).push_back(bar);
    }
    return drawn;
}

std::unique_ptr<BarcodeProcessor> CouponWithCode(std::int32_t type, const std::string& code,
                                                 double magnification, double reductionMm) {
    std::unique_ptr<BarcodeProcessor> coupon = MakeCoupon(type);
    EXPECT_TRUE(coupon->SetCode(code.c_str())) << code;
    coupon->SetMagnification(magnification);
    coupon->SetBarWidthReduction(reductionMm);
    return coupon;
}

std::vector<RecordedBar> SideBySide(std::int32_t mainType, const std::string& mainCode,
                                    const std::string& extensionCode, bool fields) {
    std::unique_ptr<BarcodeProcessor> main;
    if (mainType == kBarcodeTypeUPCA) {
        main = std::make_unique<BarcodeProcessorUPCA>();
    } else {
        main = std::make_unique<BarcodeProcessorEAN13>();
    }
    std::unique_ptr<BarcodeProcessor> extension;
    if (fields) {
        extension = std::make_unique<BarcodeProcessorEAN128>();
    } else {
        extension = std::make_unique<BarcodeProcessorCode128>();
    }
    EXPECT_TRUE(main->SetCode(mainCode.c_str())) << mainCode;
    EXPECT_TRUE(extension->SetCode(extensionCode.c_str())) << extensionCode;
    extension->SetMagnification(kCouponModuleMm);
    std::vector<RecordedBar> bars = BarsOf(*main);
    const double offset = kMainSymbolModules * kCouponModuleMm;
    for (RecordedBar bar : BarsOf(*extension)) {
        bar.left += offset;
        bar.right += offset;
        bars.push_back(bar);
    }
    return bars;
}

}  // namespace StriveloTest
