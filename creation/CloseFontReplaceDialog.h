#pragma once

#include <cstdint>

#include "BarcodeFontDialog.h"

// "OK": stores the popups' font for the selected row and ends the dialog.
class CloseFontReplaceDialog : public BarcodeFontDialogButton {
public:
    CloseFontReplaceDialog(std::int32_t itemId, BarcodeFontDialog* dialog);
};
