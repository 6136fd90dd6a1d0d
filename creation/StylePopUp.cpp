#include "StylePopUp.h"

#include "BarcodeFontDialog.h"

StylePopUp::StylePopUp(std::int32_t itemId, BarcodeFontDialog* dialog)
    : M7LAIADMFontList::StylePopUp(itemId, dialog), dialog_(dialog) {}

void StylePopUp::Notify(host::AdmNotifier notifier) {
    M7LAIADMFontList::StylePopUp::Notify(notifier);
    if (IsUserChange(notifier)) {
        dialog_->ApplyToSelected();
    }
}
