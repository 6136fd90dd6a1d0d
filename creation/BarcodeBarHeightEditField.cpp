#include "BarcodeBarHeightEditField.h"

#include "BarcodeDialog.h"

BarcodeBarHeightEditField::BarcodeBarHeightEditField(BarcodeDialog* palette)
    : BarcodeNumberField(
          BarcodeDialog::kBarHeightItem, palette, BarcodeDialog::kBarHeightWarningItem,
          {&Strivelo::BarcodeProcessor::GetBarHeight, &Strivelo::BarcodeProcessor::SetBarHeight,
           &Strivelo::BarcodeProcessor::IsBarHeightAcceptable, kFieldPointsPerMillimetre,
           kFieldMillimetresPerPoint}) {}
