#include "BarcodeProcessorStandardSymbologies.h"

#include <array>
#include <span>

#include "BarcodeProcessorRegistry.h"

namespace Strivelo {

namespace {

// Each family goes into its group in the standard order; only EAN-13 moves
// with the UPC option.
// EAN-128, the coupons, ISBN-EAN, ISBN, ISSN, ITF14, JAN-8, JAN-13, EAN-8.
constexpr std::array<BarcodeProcessorRegistryEntry, 0> kBeforeEAN13{};
constexpr std::array<BarcodeProcessorRegistryEntry, 0> kEAN13{};
// UPC-A, UPC-E.
constexpr std::array<BarcodeProcessorRegistryEntry, 0> kUPC{};
// 2 of 5, 3 of 9, Code-128, Plessey-CRC, Plessey, Belgium-Pharma,
// MSI-Mod10-Mod10, MSI-Mod11, MSI-Mod10, Codabar, Traditional-Codabar.
constexpr std::array<BarcodeProcessorRegistryEntry, 0> kAfterUPC{};
constexpr std::array<BarcodeProcessorRegistryEntry, 0> kMS7B{};

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
