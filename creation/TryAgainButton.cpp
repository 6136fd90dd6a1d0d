#include "TryAgainButton.h"

#include "BarcodeDialog.h"

namespace {

constexpr std::int32_t kTipIndex = 1;

}  // namespace

TryAgainButton::TryAgainButton(BarcodeDialog* palette)
    : BarcodeDialogItem(BarcodeDialog::kTryAgainItem, palette) {
    SetTip(kTipIndex);
}

void TryAgainButton::Notify(host::AdmNotifier notifier) {
    M7LBaseADMItem::Notify(notifier);
    if (IsUserChange(notifier)) {
        Palette().TryNextCandidate();
    }
}
