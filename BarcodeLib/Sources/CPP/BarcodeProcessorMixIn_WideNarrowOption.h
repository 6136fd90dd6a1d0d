#pragma once

#include <cstdint>

#include "BarcodeFourCC.h"

namespace Strivelo {

inline constexpr std::int32_t kBarcodeOptionWideNarrowRatio = FourCC("W2NR");

// The ratio of wide to narrow elements, for symbologies built of two widths.
class BarcodeProcessorMixIn_WideNarrowOption {
public:
    static constexpr double kDefaultWideNarrowRatio = 2.5;
    static constexpr double kMinimumWideNarrowRatio = 1.1;

    // Refuses (and keeps the ratio) below the minimum or when not finite.
    virtual bool SetWideNarrowRatio(double ratio);
    virtual double GetWideNarrowRatio() const;
    // Supplied by the symbology; it also serves as the processor's own check.
    virtual bool IsWideNarrowRatioValid() const = 0;

protected:
    ~BarcodeProcessorMixIn_WideNarrowOption() = default;

private:
    // A decoding stores the ratio it measured, which may lie below what a user
    // may set, so that the checks can report it.
    friend class BarcodeProcessor;

    double wideNarrowRatio_ = kDefaultWideNarrowRatio;
};

}  // namespace Strivelo
