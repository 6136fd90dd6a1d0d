#pragma once

#include "BarcodeDialogItem.h"

// Whether the human-readable text is set in OCR-B, for the symbologies that
// let the user choose the font.
class OCRBButton : public BarcodeOptionButton {
public:
    explicit OCRBButton(BarcodeDialog* palette);
};
