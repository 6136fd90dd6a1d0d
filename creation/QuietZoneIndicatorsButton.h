#pragma once

#include "BarcodeDialogItem.h"

// Whether the symbol gets its quiet-zone marks.
class QuietZoneIndicatorsButton : public BarcodeOptionButton {
public:
    explicit QuietZoneIndicatorsButton(BarcodeDialog* palette);
};
