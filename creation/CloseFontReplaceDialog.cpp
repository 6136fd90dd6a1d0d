#include "CloseFontReplaceDialog.h"

CloseFontReplaceDialog::CloseFontReplaceDialog(std::int32_t itemId, BarcodeFontDialog* dialog)
    : BarcodeFontDialogButton(itemId, dialog, &BarcodeFontDialog::CloseDialog) {}
