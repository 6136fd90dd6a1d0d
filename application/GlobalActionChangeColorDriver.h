#pragma once

#include <cstddef>
#include <cstdint>

#include "BarcodeArtList.h"
#include "BarcodeProfileChangeColorDriver.h"

// Carries the overprint fix of the checking engine into the artwork: the
// bars of one found barcode overprint, in normal blending at full opacity.
class GlobalActionChangeColorDriver : public BarcodeVettrin::BarcodeProfileChangeColorDriver {
public:
    // The list is not owned and must outlive the driver.
    GlobalActionChangeColorDriver(const BarcodeArtList& list, std::size_t barcode);

    // Every bar in turn: a filled bar gets fill overprint, else a stroked one
    // stroke overprint; then normal blending and full opacity. The first host
    // error ends the pass and is the result.
    std::int32_t ChangeColor() override;
    // The overprint fix is the one colour action there is, so the action
    // requested changes nothing of what ChangeColor does.
    void SetColorAction(std::int32_t) override {}

private:
    host::Error ChangeBar(host::Art bar) const;

    const BarcodeArtList& list_;
    std::size_t barcode_;
};
