#pragma once

#include "BarcodeDialogItem.h"

// The magnification, shown in percent.
class BarcodeMagnificationEditField : public BarcodeNumberField {
public:
    explicit BarcodeMagnificationEditField(BarcodeDialog* palette);
};
