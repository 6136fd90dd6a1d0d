#pragma once

#include <cstdint>

namespace BarcodeVettrin {

// Colour actions a profile test can request for the bars of a barcode.
inline constexpr std::int32_t kColorActionNone = 0;
inline constexpr std::int32_t kColorActionOverprint = 2;

// Carries a colour fix of the checking engine into the artwork; the check run
// gives one per found barcode to its check record. The profile calls
// SetColorAction and then ChangeColor.
class BarcodeProfileChangeColorDriver {
public:
    virtual ~BarcodeProfileChangeColorDriver() = default;

    // Applies the action given before to the bars of the barcode; 0 when it
    // was applied, else the host's error.
    virtual std::int32_t ChangeColor() = 0;
    virtual void SetColorAction(std::int32_t action) = 0;
};

}  // namespace BarcodeVettrin
