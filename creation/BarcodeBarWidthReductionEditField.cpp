#include "BarcodeBarWidthReductionEditField.h"

#include "BarcodeDialog.h"

BarcodeBarWidthReductionEditField::BarcodeBarWidthReductionEditField(BarcodeDialog* palette)
    : BarcodeNumberField(BarcodeDialog::kBarWidthReductionItem, palette,
                         BarcodeDialog::kBarWidthReductionWarningItem,
                         {&Strivelo::BarcodeProcessor::GetBarWidthReduction,
                          &Strivelo::BarcodeProcessor::SetBarWidthReduction,
                          &Strivelo::BarcodeProcessor::IsBarWidthReductionValid,
                          kFieldPointsPerMillimetre, kFieldMillimetresPerPoint}) {}
