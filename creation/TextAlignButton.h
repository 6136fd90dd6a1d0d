#pragma once

#include "BarcodeDialogItem.h"

// Whether the human-readable text is centred rather than aligned left, for
// the symbologies that let the user choose.
class TextAlignButton : public BarcodeOptionButton {
public:
    explicit TextAlignButton(BarcodeDialog* palette);
};
