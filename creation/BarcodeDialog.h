#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "BarcodeProcessor.h"
#include "M7LBaseADMDialog.h"
#include "M7LErrorAlert.h"
#include "M7LString.h"
#include "host/HostErrors.h"

class SideMenu;
class BarcodeTypePopUp;
class TryAgainButton;
class BarcodeCodeEditField;
class BarcodeBarWidthReductionEditField;
class BarcodeMagnificationEditField;
class BarcodeBarHeightEditField;
class BarcodeRatioEditField;
class OCRBButton;
class QuietZoneIndicatorsButton;
class BearerBarsButton;
class BearerBarsEndBarsButton;
class BarcodeFontSizeEditField;
class TextAlignButton;
class BarcodeProcessorItem;

// The floating barcode palette and the model behind it: the current symbol
// (the processor the create tool draws and a reading loads), the creation
// options and the user's font replacements, all kept in the host's
// preferences. Without its dialog (the template did not load) it still
// keeps the model and the settings.
class BarcodeDialog : public M7LBaseADMDialog {
public:
    static constexpr const char* kPreferenceSection = "M7LBarcodeDialog";
    static constexpr std::int32_t kResourceId = 16000;
    // Replacements beyond this many are not kept, so that every one stored
    // is loaded again.
    static constexpr std::size_t kMaxFontReplacements = 256;
    // Font names pass through buffers of this many bytes.
    static constexpr std::size_t kFontNameBytes = 128;

    // Items of the template.
    static constexpr std::int32_t kSideMenuItem = -5;
    static constexpr std::int32_t kTypeLabelItem = 1;
    static constexpr std::int32_t kRatioLabelItem = 6;
    static constexpr std::int32_t kTypePopUpItem = 12;
    static constexpr std::int32_t kTryAgainItem = 13;
    static constexpr std::int32_t kCodeItem = 14;
    static constexpr std::int32_t kCodeWarningItem = 15;
    static constexpr std::int32_t kBarWidthReductionItem = 16;
    static constexpr std::int32_t kBarWidthReductionWarningItem = 17;
    static constexpr std::int32_t kMagnificationItem = 18;
    static constexpr std::int32_t kMagnificationWarningItem = 19;
    static constexpr std::int32_t kBarHeightItem = 20;
    static constexpr std::int32_t kBarHeightWarningItem = 21;
    static constexpr std::int32_t kRatioItem = 22;
    static constexpr std::int32_t kRatioWarningItem = 23;
    static constexpr std::int32_t kMaxDeviationItem = 24;
    static constexpr std::int32_t kMeanDeviationItem = 25;
    static constexpr std::int32_t kOcrbItem = 27;
    static constexpr std::int32_t kQuietZoneItem = 28;
    static constexpr std::int32_t kBearerBarsItem = 29;
    static constexpr std::int32_t kTextScalingItem = 30;
    static constexpr std::int32_t kEndBarsItem = 33;
    static constexpr std::int32_t kTextAlignItem = 34;

    // The palette's size with the deviation read-outs and without them.
    static constexpr std::int32_t kWidth = 240;
    static constexpr std::int32_t kHeightWithDeviation = 209;
    static constexpr std::int32_t kHeightWithoutDeviation = 168;

    static constexpr std::int32_t kCodeChangedDialogId = 16101;
    static constexpr std::int32_t kIllegalParamsDialogId = 16102;
    static constexpr std::int32_t kMissingFontDialogId = 16104;
    static constexpr std::int32_t kAlertCheckBoxItem = 4;
    static constexpr std::int32_t kMissingFontNameItem = 4;

    // Text scaling in percent, as the field keeps it.
    static constexpr double kDefaultTextScalingPercent = 100.0;
    static constexpr double kMinTextScalingPercent = 25.0;
    static constexpr double kMaxTextScalingPercent = 200.0;

    // Registers the symbologies and shows the palette, which loads the
    // settings.
    BarcodeDialog();
    // Saves the settings; deleted by its owner it first goes the way the
    // host closing it goes (items, placement). The palette global no longer
    // points here.
    ~BarcodeDialog() override;

    // Makes the items, then restores the placement and loads the settings.
    host::Error Init() override;
    // Deletes the items and saves the placement.
    void Destroy() override;
    // An unknown stored type gives the default one; a stored replacement
    // whose names are not both there, or whose font is not installed, is
    // dropped.
    void LoadSettings() override;
    void SaveSettings() override;

    // Shown or hidden; a palette without its dialog is never visible.
    void Show(bool show);
    bool IsVisible() const;

    // Takes the processor as the current one (none for null), shows it in
    // the items, with its deviations when asked; "try again" is enabled for
    // an ambiguous reading.
    void SetProcessor(std::unique_ptr<Strivelo::BarcodeProcessor> processor, bool ambiguous,
                      bool showDeviation);
    // Empties the code field and hides the deviations.
    void ClearCode();
    // The next candidate of the current reading; false when there is none.
    bool TryNextCandidate();
    // A new processor of the type ('isbd': ISBN-13 with dual numbering) with
    // the code field's text carried over and the parameters of the current
    // one; a type that cannot be made keeps the current processor.
    void SetBarcodeType(std::int32_t type);
    // The current processor with the options pushed into it, when the code
    // field holds its code and its parameters are legal or allowed; null
    // otherwise (illegal parameters show their alert). Still the palette's.
    Strivelo::BarcodeProcessor* GetProcessorForCreate();
    // Writes the processor's code into the code field.
    void ShowCode();
    // Shows or hides the deviation read-outs, sizing the palette to them.
    void ShowDeviation(bool show);
    void ShowCodeChangedAlert();
    void ShowIllegalParamsAlert();

    bool GetAddQuietZoneIndicator() const { return addQuietZoneIndicator_; }
    void SetAddQuietZoneIndicator(bool value) { addQuietZoneIndicator_ = value; }
    bool GetAddBearerBar() const { return addBearerBar_; }
    void SetAddBearerBar(bool value) { addBearerBar_ = value; }
    bool GetAddBearerBarEndBars() const { return addBearerBarEndBars_; }
    void SetAddBearerBarEndBars(bool value) { addBearerBarEndBars_ = value; }
    bool GetUseOCRBFont() const { return useOCRBFont_; }
    void SetUseOCRBFont(bool value) { useOCRBFont_ = value; }
    bool GetHumanReadableTextCenterAlign() const { return humanReadableTextCenterAlign_; }
    void SetHumanReadableTextCenterAlign(bool value) { humanReadableTextCenterAlign_ = value; }
    double GetHumanReadableTextScaling() const { return humanReadableTextScaling_; }
    void SetHumanReadableTextScaling(float percent) { humanReadableTextScaling_ = percent; }
    bool GetAllowIllegalParametersOnCreate() const { return allowIllegalParametersOnCreate_; }
    void SetAllowIllegalParametersOnCreate(bool value) { allowIllegalParametersOnCreate_ = value; }
    bool GetDoSelfCheckOnCreate() const { return doSelfCheckOnCreate_; }
    void SetDoSelfCheckOnCreate(bool value) { doSelfCheckOnCreate_ = value; }
    bool GetScaleHeightWithWidth() const { return scaleHeightWithWidth_; }
    void SetScaleHeightWithWidth(bool value) { scaleHeightWithWidth_ = value; }
    bool GetAddEraseBox() const { return addEraseBox_; }
    void SetAddEraseBox(bool value) { addEraseBox_ = value; }
    bool GetCreateTextOutlines() const { return createTextOutlines_; }
    void SetCreateTextOutlines(bool value) { createTextOutlines_ = value; }

    // The one order of the symbology registry, which decides ties in
    // identification and which every palette shows and sets: whether UPC-A
    // and UPC-E come before EAN-13. Setting another order rebuilds the
    // registry; the barcode palette's options menu follows.
    static bool GetUPCBeforeEAN();
    static void SetUPCBeforeEAN(bool upcBeforeEan);

    // The replacement of the font of that PostScript name; null when none.
    const char* FindFontReplacement(const char* original) const;
    // Null for an index beyond the list.
    const char* GetOriginalFontName(std::size_t index) const;
    const char* GetReplacementFontName(std::size_t index) const;
    std::size_t GetFontReplacementCount() const { return fontReplacements_.size(); }
    // Makes the installed font replacement the replacement of original: an
    // entry of that name changes, else one is added at the end. The host's
    // error when the font is not installed, kErrorNoMemory when the list is
    // full; nothing changes then.
    host::Error SetFontReplacement(const char* original, const char* replacement);
    void RemoveFontReplacement(const char* original);

    // Tells the user, in a modal dialog, that the font is missing and is
    // being replaced.
    void ShowMissingFontAlert(const char* fontName);

private:
    struct FontReplacement {
        M7LString original;
        M7LString replacement;
    };

    // The entry's position; the list's size when there is none.
    std::size_t IndexOf(const char* original) const;
    // The items bound to the processor, in the order they are told of it.
    std::array<BarcodeProcessorItem*, 11> ProcessorItems() const;
    // The code field's text, "" without the field; false when it was cut.
    bool ReadCode(M7LString* text) const;
    // The text carried over from the current processor's type to the new
    // one's.
    void CarryCodeOver(const Strivelo::BarcodeProcessor& to, M7LString* text) const;
    void PushOptions(Strivelo::BarcodeProcessor& processor) const;
    void RefreshSideMenu() const;
    void DeleteItems();
    void ForgetItems();

    bool addQuietZoneIndicator_ = false;
    bool addBearerBar_ = false;
    bool addBearerBarEndBars_ = false;
    bool useOCRBFont_ = false;
    bool humanReadableTextCenterAlign_ = false;
    double humanReadableTextScaling_ = kDefaultTextScalingPercent;
    bool allowIllegalParametersOnCreate_ = true;
    bool doSelfCheckOnCreate_ = true;
    bool scaleHeightWithWidth_ = false;
    bool addEraseBox_ = true;
    bool createTextOutlines_ = false;
    M7LAlertOnceDialog codeChangedAlert_{"BarcodeCodeChange"};
    M7LAlertOnceDialog illegalParamsAlert_{"BarcodeIllegalParams"};
    std::vector<FontReplacement> fontReplacements_;

    SideMenu* sideMenu_ = nullptr;
    BarcodeTypePopUp* typePopUp_ = nullptr;
    TryAgainButton* tryAgain_ = nullptr;
    BarcodeCodeEditField* code_ = nullptr;
    BarcodeBarWidthReductionEditField* barWidthReduction_ = nullptr;
    BarcodeMagnificationEditField* magnification_ = nullptr;
    BarcodeBarHeightEditField* barHeight_ = nullptr;
    BarcodeRatioEditField* ratio_ = nullptr;
    OCRBButton* ocrb_ = nullptr;
    QuietZoneIndicatorsButton* quietZone_ = nullptr;
    BearerBarsButton* bearerBars_ = nullptr;
    BearerBarsEndBarsButton* endBars_ = nullptr;
    BarcodeFontSizeEditField* textScaling_ = nullptr;
    TextAlignButton* textAlign_ = nullptr;

    std::unique_ptr<Strivelo::BarcodeProcessor> processor_;
};

// The one barcode palette, null while the application has made none.
extern BarcodeDialog* gBarcodeDialog;
