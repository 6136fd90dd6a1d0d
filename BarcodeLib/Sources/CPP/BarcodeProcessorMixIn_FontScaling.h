#pragma once

#include <cstdint>

#include "BarcodeFourCC.h"

namespace Strivelo {

inline constexpr std::int32_t kBarcodeOptionFontScaling = FourCC("FSCL");
inline constexpr std::int32_t kBarcodeOptionCenterAlign = FourCC("FCAL");

// Scaling and alignment of the human-readable text.
class BarcodeProcessorMixIn_FontScaling {
public:
    static constexpr double kDefaultFontScaling = 1.0;
    static constexpr double kMinimumFontScaling = 0.25;

    // Refuses (and keeps the factor) below the minimum or when not finite.
    virtual bool SetFontScaling(double factor);
    virtual double GetFontScaling() const;
    virtual bool SetCenterAlign(bool centerAlign);
    virtual bool GetCenterAlign() const;

protected:
    ~BarcodeProcessorMixIn_FontScaling() = default;

private:
    double fontScaling_ = kDefaultFontScaling;
    bool centerAlign_ = false;
};

}  // namespace Strivelo
