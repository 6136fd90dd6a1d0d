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

// Both directions, as DecodeEdges reads them.
template <typename Symbology>
bool ScreenEdges(const double* edges, std::uint32_t count) {
    return Symbology::MightDecode(BarcodeEdgeView(edges, count, false)) ||
           Symbology::MightDecode(BarcodeEdgeView(edges, count, true));
}

// Every symbology here decodes through a Decode whose first checks its
// MightDecode makes, its own or that of the class it inherits Decode from.
template <typename Symbology>
constexpr BarcodeProcessorRegistryEntry Entry(std::int32_t typeCode) {
    return {typeCode, MakeBarcodeProcessor<Symbology>, ScreenEdges<Symbology>};
}

// Each family goes into its group in the standard order; only EAN-13 moves
// with the UPC option.
// EAN-128, the coupons, ISBN-EAN, ISBN, ISSN, ITF14, JAN-8, JAN-13, EAN-8.
constexpr std::array<BarcodeProcessorRegistryEntry, 10> kBeforeEAN13{{
    Entry<BarcodeProcessorEAN128>(kBarcodeTypeEAN128),
    Entry<BarcodeProcessorEAN13Coupon>(kBarcodeTypeEAN13Coupon),
    Entry<BarcodeProcessorUPCACoupon>(kBarcodeTypeUPCACoupon),
    Entry<BarcodeProcessorISBNEAN>(kBarcodeTypeISBNEAN),
    Entry<BarcodeProcessorISBN>(kBarcodeTypeISBN),
    Entry<BarcodeProcessorISSN>(kBarcodeTypeISSN),
    Entry<BarcodeProcessorITF14>(kBarcodeTypeITF14),
    Entry<BarcodeProcessorJAN8>(kBarcodeTypeJAN8),
    Entry<BarcodeProcessorJAN13>(kBarcodeTypeJAN13),
    Entry<BarcodeProcessorEAN8>(kBarcodeTypeEAN8),
}};
constexpr std::array<BarcodeProcessorRegistryEntry, 1> kEAN13{{
    Entry<BarcodeProcessorEAN13>(kBarcodeTypeEAN13),
}};
// UPC-A, UPC-E.
constexpr std::array<BarcodeProcessorRegistryEntry, 2> kUPC{{
    Entry<BarcodeProcessorUPCA>(kBarcodeTypeUPCA),
    Entry<BarcodeProcessorUPCE>(kBarcodeTypeUPCE),
}};
// 2 of 5, 3 of 9, Code-128, Plessey-CRC, Plessey, Belgium-Pharma,
// MSI-Mod10-Mod10, MSI-Mod11, MSI-Mod10, Codabar, Traditional-Codabar.
constexpr std::array<BarcodeProcessorRegistryEntry, 11> kAfterUPC{{
    Entry<BarcodeProcessor2of5>(kBarcodeType2of5),
    Entry<BarcodeProcessor3of9>(kBarcodeType3of9),
    Entry<BarcodeProcessorCode128>(kBarcodeTypeCode128),
    Entry<BarcodeProcessorPlesseyCRC>(kBarcodeTypePlesseyCRC),
    Entry<BarcodeProcessorPlessey>(kBarcodeTypePlessey),
    Entry<BarcodeProcessorBelgPharma>(kBarcodeTypeBelgPharma),
    Entry<BarcodeProcessorMSIMod10Mod10>(kBarcodeTypeMSIMod10Mod10),
    Entry<BarcodeProcessorMSIMod11>(kBarcodeTypeMSIMod11),
    Entry<BarcodeProcessorMSIMod10>(kBarcodeTypeMSIMod10),
    Entry<BarcodeProcessorCodabar>(kBarcodeTypeCodabar),
    Entry<BarcodeProcessorTraditionalCodabar>(kBarcodeTypeTraditionalCodabar),
}};
constexpr std::array<BarcodeProcessorRegistryEntry, 1> kMS7B{{
    Entry<BarcodeProcessorMS7B>(kBarcodeTypeMS7B),
}};

bool RegisterAll(std::span<const BarcodeProcessorRegistryEntry> entries) {
    bool registered = true;
    for (const BarcodeProcessorRegistryEntry& entry : entries) {
        registered = RegisterSymbology(entry.typeCode, entry.factory, entry.screen) && registered;
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
