#pragma once

#include "BarcodeDialogItem.h"

// Walks the other symbologies that read the bars of the last reading.
class TryAgainButton : public BarcodeDialogItem {
public:
    explicit TryAgainButton(BarcodeDialog* palette);

    void Notify(host::AdmNotifier notifier) override;
    using BarcodeDialogItem::Enable;
};
