#include "BarcodeMagnificationEditField.h"

#include "BarcodeDialog.h"

BarcodeMagnificationEditField::BarcodeMagnificationEditField(BarcodeDialog* palette)
    : BarcodeNumberField(BarcodeDialog::kMagnificationItem, palette,
                         BarcodeDialog::kMagnificationWarningItem,
                         {&Strivelo::BarcodeProcessor::GetMagnification,
                          &Strivelo::BarcodeProcessor::SetMagnification,
                          &Strivelo::BarcodeProcessor::IsMagnificationValid, kFieldPercentPerFactor,
                          kFieldFactorPerPercent}) {}
