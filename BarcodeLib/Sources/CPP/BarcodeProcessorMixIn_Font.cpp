#include "BarcodeProcessorMixIn_Font.h"

namespace Strivelo {

// Equals tells a stored name from one lost to missing memory, which leaves
// the string unset.
bool BarcodeProcessorMixIn_Font::SetFont(const char* name) {
    return fontName_.Assign(name).Equals(name);
}

const char* BarcodeProcessorMixIn_Font::GetFont() const {
    return fontName_.CStr();
}

}  // namespace Strivelo
