#pragma once

#include "BarcodeDialogItem.h"

// Whether bearer bars are closed by end bars: enabled while bearer bars are
// allowed and the symbology has end bars.
class BearerBarsEndBarsButton : public BarcodeOptionButton {
public:
    explicit BearerBarsEndBarsButton(BarcodeDialog* palette);

    void SetProcessor(Strivelo::BarcodeProcessor* processor) override;
    // Not allowed, the button is disabled; allowed, it is enabled by the
    // processor held.
    void SetAllowed(bool allowed);

private:
    bool allowed_ = true;
};
