#pragma once

#include <cstdint>

#include "BarcodeProcessor.h"
#include "M7LBaseADMDialog.h"
#include "host/HostHandles.h"

class BarcodeDialog;

// How the palette's fields show the processor's values: lengths in points,
// the magnification in percent.
inline constexpr double kFieldPointsPerMillimetre = 2.834645711863446;
inline constexpr double kFieldMillimetresPerPoint = 0.35277778;
inline constexpr double kFieldPercentPerFactor = 100.0;
inline constexpr double kFieldFactorPerPercent = 0.01;

// What the barcode palette's items share: the item of the palette's
// template bound to the object, and the palette. An item's destructor never
// touches the palette, which may be going too.
class BarcodeDialogItem : public M7LBaseADMItem {
public:
    // Sent by the palette once it loaded its settings: the option items
    // show their option.
    static constexpr const char* kReadSettingsNotifier = "M7L_ReadSettingsFromDialog";
    // The tips of the palette's buttons.
    static constexpr std::int32_t kTipList = 16020;

    BarcodeDialogItem(std::int32_t itemId, BarcodeDialog* palette);

protected:
    BarcodeDialog& Palette() const { return *palette_; }
    static bool IsNotifier(host::AdmNotifier notifier, const char* type);
    // The tip of the list's entry, when it loads.
    void SetTip(std::int32_t tipIndex) const;
    void Enable(bool enable) const;
    void ShowBoolean(bool value) const;
    bool GetBoolean() const;
    float GetNumber() const;
    void ShowNumber(double value) const;

private:
    BarcodeDialog* palette_;
};

// An item that follows the palette's current processor: told null before
// the palette lets a processor go, then the new one. Without a processor its
// display stays as it was.
class BarcodeProcessorItem : public BarcodeDialogItem {
public:
    using BarcodeDialogItem::BarcodeDialogItem;

    virtual void SetProcessor(Strivelo::BarcodeProcessor* processor) { processor_ = processor; }

protected:
    Strivelo::BarcodeProcessor* GetProcessor() const { return processor_; }

private:
    Strivelo::BarcodeProcessor* processor_ = nullptr;
};

// A field with a warning picture beside it, shown exactly while the
// processor does not accept the value.
class BarcodeWarningField : public BarcodeProcessorItem {
public:
    BarcodeWarningField(std::int32_t itemId, BarcodeDialog* palette, std::int32_t warningItemId,
                        bool warningShown);

    // Shows or hides the warning by the processor's judgement; the picture
    // is touched only when that changed. Nothing without a processor.
    void UpdateWarning();

protected:
    virtual bool IsValueValid() const = 0;
    void ShowWarning(bool invalid);

private:
    std::int32_t warningItemId_;
    bool warningShown_;
};

// A number field of a processor's value, shown in the field's units: the
// processor's value times shownPerStored; a value entered becomes the
// processor's times storedPerShown.
class BarcodeNumberField : public BarcodeWarningField {
public:
    struct Binding {
        double (Strivelo::BarcodeProcessor::*get)() const;
        bool (Strivelo::BarcodeProcessor::*set)(double);
        bool (Strivelo::BarcodeProcessor::*valid)() const;
        double shownPerStored;
        double storedPerShown;
    };

    BarcodeNumberField(std::int32_t itemId, BarcodeDialog* palette, std::int32_t warningItemId,
                       const Binding& binding);

    void Notify(host::AdmNotifier notifier) override;
    void SetProcessor(Strivelo::BarcodeProcessor* processor) override;

protected:
    bool IsValueValid() const override;

private:
    Binding binding_;
};

// A picture toggle of one of the palette's options; with a processor it is
// enabled when the processor has the option (any processor for none).
class BarcodeOptionButton : public BarcodeProcessorItem {
public:
    struct Binding {
        bool (BarcodeDialog::*get)() const;
        void (BarcodeDialog::*set)(bool);
        std::int32_t processorOption;  // 0: any processor
        std::int32_t tipIndex;
    };

    BarcodeOptionButton(std::int32_t itemId, BarcodeDialog* palette, const Binding& binding);

    // A change by the user toggles the option; the palette's settings read
    // show it.
    void Notify(host::AdmNotifier notifier) override;
    void SetProcessor(Strivelo::BarcodeProcessor* processor) override;

protected:
    // After the button showed the option, toggled by the user or as read
    // from the settings.
    virtual void OptionShown() {}
    bool GetOption() const;

private:
    Binding binding_;
};
