#pragma once

#include "BarcodeDialogItem.h"

// The ratio of wide to narrow elements, enabled with its label for the
// symbologies built of two widths; for the others it holds no processor and
// shows no warning.
class BarcodeRatioEditField : public BarcodeWarningField {
public:
    explicit BarcodeRatioEditField(BarcodeDialog* palette);

    // A ratio the symbology refuses leaves the field showing its own.
    void Notify(host::AdmNotifier notifier) override;
    void SetProcessor(Strivelo::BarcodeProcessor* processor) override;

protected:
    bool IsValueValid() const override;

private:
    void ShowRatio() const;
};
