#include "BarcodeRatioEditField.h"

#include "BarcodeDialog.h"
#include "BarcodeProcessorMixIn_WideNarrowOption.h"
#include "M7LSuiteTable.h"

namespace {

Strivelo::BarcodeProcessorMixIn_WideNarrowOption* RatioOf(Strivelo::BarcodeProcessor* processor) {
    return dynamic_cast<Strivelo::BarcodeProcessorMixIn_WideNarrowOption*>(processor);
}

}  // namespace

BarcodeRatioEditField::BarcodeRatioEditField(BarcodeDialog* palette)
    : BarcodeWarningField(BarcodeDialog::kRatioItem, palette, BarcodeDialog::kRatioWarningItem,
                          false) {}

void BarcodeRatioEditField::Notify(host::AdmNotifier notifier) {
    M7LBaseADMItem::Notify(notifier);
    if (!IsUserChange(notifier)) {
        return;
    }
    Palette().ShowDeviation(false);
    if (GetProcessor() == nullptr) {
        return;
    }
    if (!RatioOf(GetProcessor())->SetWideNarrowRatio(GetNumber())) {
        ShowRatio();
    }
    UpdateWarning();
}

void BarcodeRatioEditField::SetProcessor(Strivelo::BarcodeProcessor* processor) {
    const bool hasRatio = processor != nullptr &&
                          processor->HasOption(Strivelo::kBarcodeOptionWideNarrowRatio) &&
                          RatioOf(processor) != nullptr;
    BarcodeProcessorItem::SetProcessor(hasRatio ? processor : nullptr);
    Enable(hasRatio);
    sAdmItem->Enable(ItemOf(GetDialog(), BarcodeDialog::kRatioLabelItem), hasRatio);
    if (hasRatio) {
        ShowRatio();
        UpdateWarning();
    } else {
        ShowWarning(false);
    }
}

void BarcodeRatioEditField::ShowRatio() const {
    ShowNumber(RatioOf(GetProcessor())->GetWideNarrowRatio());
}

bool BarcodeRatioEditField::IsValueValid() const {
    return RatioOf(GetProcessor())->IsWideNarrowRatioValid();
}
