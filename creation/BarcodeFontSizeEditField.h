#pragma once

#include "BarcodeDialogItem.h"

// The scaling of the human-readable text in percent, one of the palette's
// options, kept between 25 and 200; enabled for the symbologies that scale
// their text.
class BarcodeFontSizeEditField : public BarcodeProcessorItem {
public:
    explicit BarcodeFontSizeEditField(BarcodeDialog* palette);

    void Notify(host::AdmNotifier notifier) override;
    void SetProcessor(Strivelo::BarcodeProcessor* processor) override;
};
