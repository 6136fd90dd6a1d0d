#include "BarcodeProcessorMixIn_Font.h"

#include "BarcodeText.h"

namespace Strivelo {

bool BarcodeProcessorMixIn_Font::SetFont(const char* name) {
    return StoreText(fontName_, name);
}

const char* BarcodeProcessorMixIn_Font::GetFont() const {
    return fontName_.CStr();
}

}  // namespace Strivelo
