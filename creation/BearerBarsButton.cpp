#include "BearerBarsButton.h"

#include "BarcodeDialog.h"
#include "BarcodeProcessorMixIn_BearerBarsOption.h"
#include "BearerBarsEndBarsButton.h"

namespace {

constexpr std::int32_t kTipIndex = 3;

}  // namespace

BearerBarsButton::BearerBarsButton(BarcodeDialog* palette, BearerBarsEndBarsButton* endBars)
    : BarcodeOptionButton(BarcodeDialog::kBearerBarsItem, palette,
                          {&BarcodeDialog::GetAddBearerBar, &BarcodeDialog::SetAddBearerBar,
                           Strivelo::kBarcodeOptionBearerBars, kTipIndex}),
      endBars_(endBars) {}

void BearerBarsButton::SetProcessor(Strivelo::BarcodeProcessor* processor) {
    BarcodeOptionButton::SetProcessor(processor);
    if (processor != nullptr) {
        endBars_->SetAllowed(!processor->HasOption(Strivelo::kBarcodeOptionBearerBars) ||
                             GetBoolean());
    }
}

void BearerBarsButton::OptionShown() {
    endBars_->SetAllowed(GetOption());
}
