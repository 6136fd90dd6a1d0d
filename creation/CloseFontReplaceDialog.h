#pragma once

#include <cstdint>

#include "M7LBaseADMDialog.h"

class BarcodeFontDialog;

// "OK": stores the popups' font for the selected row and ends the dialog.
class CloseFontReplaceDialog : public M7LBaseADMItem {
public:
    CloseFontReplaceDialog(std::int32_t itemId, BarcodeFontDialog* dialog);

    void Notify(host::AdmNotifier notifier) override;

private:
    BarcodeFontDialog* dialog_;
};
