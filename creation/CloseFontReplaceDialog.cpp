#include "CloseFontReplaceDialog.h"

#include "BarcodeFontDialog.h"

namespace {

constexpr std::int32_t kNoUserValue = 0;

}  // namespace

CloseFontReplaceDialog::CloseFontReplaceDialog(std::int32_t itemId, BarcodeFontDialog* dialog)
    : M7LBaseADMItem(ItemOf(dialog, itemId), dialog, kNoUserValue), dialog_(dialog) {}

void CloseFontReplaceDialog::Notify(host::AdmNotifier notifier) {
    M7LBaseADMItem::Notify(notifier);
    if (IsUserChange(notifier)) {
        dialog_->CloseDialog();
    }
}
