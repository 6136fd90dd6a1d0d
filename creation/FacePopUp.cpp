#include "FacePopUp.h"

#include "BarcodeFontDialog.h"

FacePopUp::FacePopUp(std::int32_t itemId, BarcodeFontDialog* dialog)
    : M7LAIADMFontList::FacePopUp(itemId, dialog), dialog_(dialog) {}

void FacePopUp::Notify(host::AdmNotifier notifier) {
    M7LAIADMFontList::FacePopUp::Notify(notifier);
    if (IsUserChange(notifier)) {
        dialog_->ApplyToSelected();
    }
}
