#include "TextAlignButton.h"

#include "BarcodeDialog.h"
#include "BarcodeProcessorMixIn_FontScaling.h"

namespace {

constexpr std::int32_t kTipIndex = 6;

}  // namespace

TextAlignButton::TextAlignButton(BarcodeDialog* palette)
    : BarcodeOptionButton(BarcodeDialog::kTextAlignItem, palette,
                          {&BarcodeDialog::GetHumanReadableTextCenterAlign,
                           &BarcodeDialog::SetHumanReadableTextCenterAlign,
                           Strivelo::kBarcodeOptionCenterAlign, kTipIndex}) {}
