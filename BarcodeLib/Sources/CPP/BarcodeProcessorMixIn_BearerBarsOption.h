#pragma once

#include <cstdint>

#include "BarcodeFourCC.h"

namespace Strivelo {

class BarcodeProcessorDataGenerator;

inline constexpr std::int32_t kBarcodeOptionBearerBars = FourCC("BBAR");
inline constexpr std::int32_t kBarcodeOptionBearerBarEndBars = FourCC("BEBB");

// Bearer bars above and below the bars, optionally closed into a box by end
// bars.
class BarcodeProcessorMixIn_BearerBarsOption {
public:
    virtual void SetBearerBars(bool bearerBars);
    virtual bool GetBearerBars() const;
    virtual void SetBearerBarEndBars(bool endBars);
    virtual bool GetBearerBarEndBars() const;

    // Grows the symbol box (mm) by the bearer bars of the given thickness:
    // bottom and top always, left and right with end bars. Returns the shift
    // for the text's y (minus the thickness), 0 with bearer bars off.
    double ReserveBearerBars(double* left, double* right, double* bottom, double* top,
                             double thicknessMm) const;
    // Sends the bearer bars below bottom and above top: without end bars they
    // span left + leftInset to right - rightInset (the bar area), with end bars
    // left to right and the end bars close the box outside. Stops at the first
    // refused call; true with bearer bars off.
    bool EmitBearerBars(double left, double right, double leftInset, double rightInset,
                        double bottom, double top, double thicknessMm,
                        BarcodeProcessorDataGenerator* generator) const;

protected:
    ~BarcodeProcessorMixIn_BearerBarsOption() = default;

private:
    bool bearerBars_ = false;
    bool endBars_ = false;
};

}  // namespace Strivelo
