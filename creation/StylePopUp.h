#pragma once

#include <cstdint>

#include "M7LAIADMFontList.h"

class BarcodeFontDialog;

// The style of the selected font replacement: a style chosen becomes the
// replacement at once.
class StylePopUp : public M7LAIADMFontList::StylePopUp {
public:
    StylePopUp(std::int32_t itemId, BarcodeFontDialog* dialog);

    void Notify(host::AdmNotifier notifier) override;

private:
    BarcodeFontDialog* dialog_;
};
