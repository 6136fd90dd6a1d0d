#pragma once

#include "BarcodeDialogItem.h"
#include "M7LString.h"

// The code field: a code the user types becomes the processor's code as the
// symbology corrects it; a code corrected or cut is shown as it became,
// with the alert that tells why. Its warning shows while the field's text
// is no valid code.
class BarcodeCodeEditField : public BarcodeWarningField {
public:
    explicit BarcodeCodeEditField(BarcodeDialog* palette);

    void Notify(host::AdmNotifier notifier) override;
    // Shows the processor's code unless it has none.
    void SetProcessor(Strivelo::BarcodeProcessor* processor) override;

    // The field's text, cut to the longest code there is; false when it had
    // to be cut.
    bool ReadText(M7LString* text) const;
    void ShowText(const char* text) const;

protected:
    bool IsValueValid() const override;
};
