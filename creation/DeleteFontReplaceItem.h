#pragma once

#include <cstdint>

#include "BarcodeFontDialog.h"

// "Löschen": deletes the selected replacement.
class DeleteFontReplaceItem : public BarcodeFontDialogButton {
public:
    DeleteFontReplaceItem(std::int32_t itemId, BarcodeFontDialog* dialog);
};
