#include "DeleteFontReplaceItem.h"

DeleteFontReplaceItem::DeleteFontReplaceItem(std::int32_t itemId, BarcodeFontDialog* dialog)
    : BarcodeFontDialogButton(itemId, dialog, &BarcodeFontDialog::DeleteSelected) {}
