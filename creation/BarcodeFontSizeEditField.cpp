#include "BarcodeFontSizeEditField.h"

#include <algorithm>

#include "BarcodeDialog.h"
#include "BarcodeProcessorMixIn_FontScaling.h"

BarcodeFontSizeEditField::BarcodeFontSizeEditField(BarcodeDialog* palette)
    : BarcodeProcessorItem(BarcodeDialog::kTextScalingItem, palette) {}

void BarcodeFontSizeEditField::Notify(host::AdmNotifier notifier) {
    M7LBaseADMItem::Notify(notifier);
    if (IsUserChange(notifier)) {
        Palette().ShowDeviation(false);
        if (GetProcessor() == nullptr) {
            return;
        }
        const float entered = GetNumber();
        const float kept =
            std::clamp(entered, static_cast<float>(BarcodeDialog::kMinTextScalingPercent),
                       static_cast<float>(BarcodeDialog::kMaxTextScalingPercent));
        if (kept != entered) {
            ShowNumber(kept);
        }
        Palette().SetHumanReadableTextScaling(kept);
    } else if (IsNotifier(notifier, kReadSettingsNotifier)) {
        ShowNumber(Palette().GetHumanReadableTextScaling());
    }
}

void BarcodeFontSizeEditField::SetProcessor(Strivelo::BarcodeProcessor* processor) {
    BarcodeProcessorItem::SetProcessor(processor);
    if (processor != nullptr) {
        Enable(processor->HasOption(Strivelo::kBarcodeOptionFontScaling));
    }
}
