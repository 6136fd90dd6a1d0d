#pragma once

#include "BarcodeDialogItem.h"

// The bar height, shown in points; 0 is the symbology's own height.
class BarcodeBarHeightEditField : public BarcodeNumberField {
public:
    explicit BarcodeBarHeightEditField(BarcodeDialog* palette);
};
