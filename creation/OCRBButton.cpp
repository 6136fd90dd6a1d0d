#include "OCRBButton.h"

#include "BarcodeDialog.h"
#include "BarcodeProcessorMixIn_Font.h"

namespace {

constexpr std::int32_t kTipIndex = 5;

}  // namespace

OCRBButton::OCRBButton(BarcodeDialog* palette)
    : BarcodeOptionButton(BarcodeDialog::kOcrbItem, palette,
                          {&BarcodeDialog::GetUseOCRBFont, &BarcodeDialog::SetUseOCRBFont,
                           Strivelo::kBarcodeOptionFont, kTipIndex}) {}
