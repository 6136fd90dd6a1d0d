#pragma once

#include <cstdint>

#include "M7LAIADMFontList.h"

class BarcodeFontDialog;

// The typeface of the selected font replacement: a typeface chosen gets its
// first style and becomes the replacement at once.
class FacePopUp : public M7LAIADMFontList::FacePopUp {
public:
    FacePopUp(std::int32_t itemId, BarcodeFontDialog* dialog);

    void Notify(host::AdmNotifier notifier) override;

private:
    BarcodeFontDialog* dialog_;
};
