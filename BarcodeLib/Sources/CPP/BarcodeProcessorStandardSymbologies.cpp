#include "BarcodeProcessorStandardSymbologies.h"

#include <array>
#include <span>

#include "BarcodeProcessor2of5.h"
#include "BarcodeProcessor3of9.h"
#include "BarcodeProcessorCodabar.h"
#include "BarcodeProcessorEAN128.h"
#include "BarcodeProcessorEAN13.h"
#include "BarcodeProcessorEAN13Coupon.h"
#include "BarcodeProcessorISBN.h"
#include "BarcodeProcessorMS7B.h"
#include "BarcodeProcessorPlessey.h"
#include "BarcodeProcessorRegistry.h"
#include "BarcodeProcessorUPCA.h"

namespace Strivelo {

namespace {

// Each family goes into its group in the standard order; only EAN-13 moves
// with the UPC option.
// EAN-128, the coupons, ISBN-EAN, ISBN, ISSN, ITF14, JAN-8, JAN-13, EAN-8.
constexpr std::array<BarcodeProcessorRegistryEntry, 10> kBeforeEAN13{{
    {kBarcodeTypeEAN128, MakeBarcodeProcessor<BarcodeProcessorEAN128>},
    {kBarcodeTypeEAN13Coupon, MakeBarcodeProcessor<BarcodeProcessorEAN13Coupon>},
    {kBarcodeTypeUPCACoupon, MakeBarcodeProcessor<BarcodeProcessorUPCACoupon>},
    {kBarcodeTypeISBNEAN, MakeBarcodeProcessor<BarcodeProcessorISBNEAN>},
    {kBarcodeTypeISBN, MakeBarcodeProcessor<BarcodeProcessorISBN>},
    {kBarcodeTypeISSN, MakeBarcodeProcessor<BarcodeProcessorISSN>},
    {kBarcodeTypeITF14, MakeBarcodeProcessor<BarcodeProcessorITF14>},
    {kBarcodeTypeJAN8, MakeBarcodeProcessor<BarcodeProcessorJAN8>},
    {kBarcodeTypeJAN13, MakeBarcodeProcessor<BarcodeProcessorJAN13>},
    {kBarcodeTypeEAN8, MakeBarcodeProcessor<BarcodeProcessorEAN8>},
}};
constexpr std::array<BarcodeProcessorRegistryEntry, 1> kEAN13{{
    {kBarcodeTypeEAN13, MakeBarcodeProcessor<BarcodeProcessorEAN13>},
}};
// UPC-A, UPC-E.
constexpr std::array<BarcodeProcessorRegistryEntry, 2> kUPC{{
    {kBarcodeTypeUPCA, MakeBarcodeProcessor<BarcodeProcessorUPCA>},
    {kBarcodeTypeUPCE, MakeBarcodeProcessor<BarcodeProcessorUPCE>},
}};
// 2 of 5, 3 of 9, Code-128, Plessey-CRC, Plessey, Belgium-Pharma,
// MSI-Mod10-Mod10, MSI-Mod11, MSI-Mod10, Codabar, Traditional-Codabar.
constexpr std::array<BarcodeProcessorRegistryEntry, 11> kAfterUPC{{
    {kBarcodeType2of5, MakeBarcodeProcessor<BarcodeProcessor2of5>},
    {kBarcodeType3of9, MakeBarcodeProcessor<BarcodeProcessor3of9>},
    {kBarcodeTypeCode128, MakeBarcodeProcessor<BarcodeProcessorCode128>},
    {kBarcodeTypePlesseyCRC, MakeBarcodeProcessor<BarcodeProcessorPlesseyCRC>},
    {kBarcodeTypePlessey, MakeBarcodeProcessor<BarcodeProcessorPlessey>},
    {kBarcodeTypeBelgPharma, MakeBarcodeProcessor<BarcodeProcessorBelgPharma>},
    {kBarcodeTypeMSIMod10Mod10, MakeBarcodeProcessor<BarcodeProcessorMSIMod10Mod10>},
    {kBarcodeTypeMSIMod11, MakeBarcodeProcessor<BarcodeProcessorMSIMod11>},
    {kBarcodeTypeMSIMod10, MakeBarcodeProcessor<BarcodeProcessorMSIMod10>},
    {kBarcodeTypeCodabar, MakeBarcodeProcessor<BarcodeProcessorCodabar>},
    {kBarcodeTypeTraditionalCodabar, MakeBarcodeProcessor<BarcodeProcessorTraditionalCodabar>},
}};
constexpr std::array<BarcodeProcessorRegistryEntry, 1> kMS7B{{
    {kBarcodeTypeMS7B, MakeBarcodeProcessor<BarcodeProcessorMS7B>},
}};

bool RegisterAll(std::span<const BarcodeProcessorRegistryEntry> entries) {
    bool registered = true;
    for (const BarcodeProcessorRegistryEntry& entry : entries) {
        registered = RegisterSymbology(entry.typeCode, entry.factory) && registered;
    }
    return registered;
}

}  // namespace

bool RegisterStandardSymbologies(bool upcBeforeEan) {
    bool registered = RegisterAll(kBeforeEAN13);
    if (!upcBeforeEan) {
        registered = RegisterAll(kEAN13) && registered;
    }
    registered = RegisterAll(kUPC) && registered;
    if (upcBeforeEan) {
        registered = RegisterAll(kEAN13) && registered;
    }
    return RegisterAll(kAfterUPC) && registered;
}

bool RegisterMS7B() {
    return RegisterAll(kMS7B);
}

}  // namespace Strivelo
