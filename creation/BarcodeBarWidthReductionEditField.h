#pragma once

#include "BarcodeDialogItem.h"

// The bar width reduction, shown in points.
class BarcodeBarWidthReductionEditField : public BarcodeNumberField {
public:
    explicit BarcodeBarWidthReductionEditField(BarcodeDialog* palette);
};
