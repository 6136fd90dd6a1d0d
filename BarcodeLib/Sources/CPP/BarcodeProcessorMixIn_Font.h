#pragma once

#include <cstdint>

#include "BarcodeFourCC.h"
#include "M7LString.h"

namespace Strivelo {

inline constexpr std::int32_t kBarcodeOptionFont = FourCC("FONT");

// The font of the human-readable text, for symbologies that let the user
// choose it. Reached from a processor through FindOptionMixIn.
class BarcodeProcessorMixIn_Font {
public:
    // False only when the name could not be stored.
    virtual bool SetFont(const char* name);
    virtual const char* GetFont() const;

protected:
    ~BarcodeProcessorMixIn_Font() = default;

private:
    M7LString fontName_;
};

}  // namespace Strivelo
