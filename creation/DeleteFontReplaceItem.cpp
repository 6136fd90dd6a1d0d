#include "DeleteFontReplaceItem.h"

#include "BarcodeFontDialog.h"

namespace {

constexpr std::int32_t kNoUserValue = 0;

}  // namespace

DeleteFontReplaceItem::DeleteFontReplaceItem(std::int32_t itemId, BarcodeFontDialog* dialog)
    : M7LBaseADMItem(ItemOf(dialog, itemId), dialog, kNoUserValue), dialog_(dialog) {}

void DeleteFontReplaceItem::Notify(host::AdmNotifier notifier) {
    M7LBaseADMItem::Notify(notifier);
    if (IsUserChange(notifier)) {
        dialog_->DeleteSelected();
    }
}
