#pragma once

#include <cstdint>

#include "M7LBaseADMDialog.h"

class BarcodeFontDialog;

// "Löschen": deletes the selected replacement.
class DeleteFontReplaceItem : public M7LBaseADMItem {
public:
    DeleteFontReplaceItem(std::int32_t itemId, BarcodeFontDialog* dialog);

    void Notify(host::AdmNotifier notifier) override;

private:
    BarcodeFontDialog* dialog_;
};
