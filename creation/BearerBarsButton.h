#pragma once

#include "BarcodeDialogItem.h"

class BearerBarsEndBarsButton;

// Whether the symbol gets bearer bars, for the symbologies that have them;
// end bars are allowed only with bearer bars on, or for a symbology whose
// bearer bars are not the user's choice.
class BearerBarsButton : public BarcodeOptionButton {
public:
    BearerBarsButton(BarcodeDialog* palette, BearerBarsEndBarsButton* endBars);

    void SetProcessor(Strivelo::BarcodeProcessor* processor) override;

protected:
    void OptionShown() override;

private:
    BearerBarsEndBarsButton* endBars_;
};
