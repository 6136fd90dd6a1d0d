#pragma once

#include <array>
#include <cstdint>

#include "BarcodeDialogItem.h"
#include "BarcodeFourCC.h"
#include "host/HostHandles.h"

// The symbology popup: entry i (menu id i + 1) stands for the type of the
// table; a choice makes a processor of that type the palette's.
class BarcodeTypePopUp : public BarcodeDialogItem {
public:
    static constexpr std::int32_t kMenuId = 16002;
    // ISBN-13 with dual numbering, a type of the popup only.
    static constexpr std::int32_t kDualNumberingType = Strivelo::FourCC("isbd");
    static constexpr std::int32_t kSeparator = Strivelo::FourCC("----");
    static constexpr std::array<std::int32_t, 28> kTypes = {
        Strivelo::FourCC("ean8"),
        Strivelo::FourCC("eanD"),
        Strivelo::FourCC("c128"),
        Strivelo::FourCC("upca"),
        Strivelo::FourCC("upce"),
        Strivelo::FourCC("2of5"),
        Strivelo::FourCC("e128"),
        Strivelo::FourCC("3of9"),
        Strivelo::FourCC("itff"),
        Strivelo::FourCC("jan8"),
        Strivelo::FourCC("janD"),
        Strivelo::FourCC("ples"),
        Strivelo::FourCC("plec"),
        Strivelo::FourCC("msit"),
        Strivelo::FourCC("msie"),
        Strivelo::FourCC("msiq"),
        Strivelo::FourCC("coda"),
        Strivelo::FourCC("codt"),
        kSeparator,
        Strivelo::FourCC("isbn"),
        Strivelo::FourCC("isbe"),
        kDualNumberingType,
        Strivelo::FourCC("BePh"),
        Strivelo::FourCC("issn"),
        Strivelo::FourCC("eCou"),
        Strivelo::FourCC("uCou"),
        kSeparator,
        Strivelo::FourCC("ms7b"),
    };

    // Loads the menu and selects EAN-8.
    explicit BarcodeTypePopUp(BarcodeDialog* palette);

    // A separator chosen changes nothing.
    void Notify(host::AdmNotifier notifier) override;
    // Selects the first entry of the type; false for a type not listed.
    bool SelectType(std::int32_t type) const;

private:
    host::List list_;
};
