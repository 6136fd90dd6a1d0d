#include "BearerBarsEndBarsButton.h"

#include "BarcodeDialog.h"
#include "BarcodeProcessorMixIn_BearerBarsOption.h"

namespace {

constexpr std::int32_t kTipIndex = 4;

}  // namespace

BearerBarsEndBarsButton::BearerBarsEndBarsButton(BarcodeDialog* palette)
    : BarcodeOptionButton(
          BarcodeDialog::kEndBarsItem, palette,
          {&BarcodeDialog::GetAddBearerBarEndBars, &BarcodeDialog::SetAddBearerBarEndBars,
           Strivelo::kBarcodeOptionBearerBarEndBars, kTipIndex}) {}

void BearerBarsEndBarsButton::SetProcessor(Strivelo::BarcodeProcessor* processor) {
    BarcodeOptionButton::SetProcessor(processor);
    SetAllowed(allowed_);
}

void BearerBarsEndBarsButton::SetAllowed(bool allowed) {
    allowed_ = allowed;
    if (!allowed) {
        Enable(false);
    } else if (GetProcessor() != nullptr) {
        Enable(GetProcessor()->HasOption(Strivelo::kBarcodeOptionBearerBarEndBars));
    }
}
