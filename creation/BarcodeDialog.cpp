#include "BarcodeDialog.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>
#include <utility>

#include "BarcodeBarHeightEditField.h"
#include "BarcodeBarWidthReductionEditField.h"
#include "BarcodeCodeEditField.h"
#include "BarcodeDialogItem.h"
#include "BarcodeFontSizeEditField.h"
#include "BarcodeMagnificationEditField.h"
#include "BarcodeProcessorISBN.h"
#include "BarcodeProcessorIdentification.h"
#include "BarcodeProcessorMixIn_BearerBarsOption.h"
#include "BarcodeProcessorMixIn_Font.h"
#include "BarcodeProcessorMixIn_FontScaling.h"
#include "BarcodeProcessorMixIn_WideNarrowOption.h"
#include "BarcodeProcessorRegistry.h"
#include "BarcodeProcessorStandardSymbologies.h"
#include "BarcodeRatioEditField.h"
#include "BarcodeTypePopUp.h"
#include "BearerBarsButton.h"
#include "BearerBarsEndBarsButton.h"
#include "M7LPluginMain.h"
#include "M7LSuiteTable.h"
#include "OCRBButton.h"
#include "QuietZoneIndicatorsButton.h"
#include "SideMenu.h"
#include "TextAlignButton.h"
#include "TryAgainButton.h"
#include "host/HostPolicies.h"

BarcodeDialog* gBarcodeDialog = nullptr;

namespace {

using Strivelo::BarcodeProcessor;
using Strivelo::FourCC;

constexpr const char* kName = "BarcodeDialog";
constexpr const char* kDockGroup = "Mor7Lant_MainBarcodeDialog";
constexpr std::int32_t kFloatingStyle = 3;
constexpr std::int32_t kDefaultPosition = 50;
constexpr std::int32_t kMinimumSize = 100;

constexpr const char* kTypeKey = "BarcodeType";
constexpr std::int32_t kDefaultType = FourCC("ean8");
constexpr std::size_t kTypeBytes = 5;

constexpr const char* kReplacementsSection = "M7LBarcodeDialog/FontReplacements";
constexpr const char* kReplacementCountKey = "NrOfFontReplacements";
constexpr const char* kReplacementSectionFormat = "M7LBarcodeDialog/FontReplacements/%zu";
constexpr const char* kOriginalKey = "OriginalFontName";
constexpr const char* kReplacementKey = "ReplaceFontName";
constexpr std::size_t kSectionBytes = 64;

constexpr const char* kCodeChangedDialogName = "Alert Code Changed Dialog";
constexpr const char* kIllegalParamsDialogName = "Alert Illegal Params Dialog";
constexpr const char* kMissingFontDialogName = "Mor7Lant Alert Illegal Params Dialog";
constexpr std::int32_t kNoOptions = 0;

// The labels, set in the palette's font.
constexpr std::int32_t kLastLabelItem = 6;
// How the deviation read-outs show a length.
constexpr std::int32_t kDeviationPrecision = 3;

constexpr const char* kTextOCRB = "OCRB";
constexpr const char* kTextHelvetica = "Helvetica";
constexpr double kFactorPerPercent = 0.01;

// The types whose codes carry over to another type's by conversion.
constexpr std::int32_t kEan8 = FourCC("ean8");
constexpr std::int32_t kEan13 = FourCC("eanD");
constexpr std::int32_t kUpcA = FourCC("upca");
constexpr std::int32_t kMs7b = FourCC("ms7b");
constexpr std::int32_t kIsbn = FourCC("isbn");
constexpr std::int32_t kIsbnEan = FourCC("isbe");
constexpr std::int32_t kIssn = FourCC("issn");

// A boolean option as the preferences keep it.
struct BooleanOption {
    const char* key;
    bool defaultValue;
    bool (BarcodeDialog::*get)() const;
    void (BarcodeDialog::*set)(bool);
};

// In the order they are read.
constexpr BooleanOption kBooleanOptions[] = {
    {"AddQuietZoneIndicator", true, &BarcodeDialog::GetAddQuietZoneIndicator,
     &BarcodeDialog::SetAddQuietZoneIndicator},
    {"AddBearerBar", false, &BarcodeDialog::GetAddBearerBar, &BarcodeDialog::SetAddBearerBar},
    {"AddBearerBarEndBars", false, &BarcodeDialog::GetAddBearerBarEndBars,
     &BarcodeDialog::SetAddBearerBarEndBars},
    {"UseOCRBFont", false, &BarcodeDialog::GetUseOCRBFont, &BarcodeDialog::SetUseOCRBFont},
    {"HumanReadableTextCenterAlign", false, &BarcodeDialog::GetHumanReadableTextCenterAlign,
     &BarcodeDialog::SetHumanReadableTextCenterAlign},
    {"DoSelfCheckOnCreate", true, &BarcodeDialog::GetDoSelfCheckOnCreate,
     &BarcodeDialog::SetDoSelfCheckOnCreate},
    {"AllowIllegalParametersOnCreate", true, &BarcodeDialog::GetAllowIllegalParametersOnCreate,
     &BarcodeDialog::SetAllowIllegalParametersOnCreate},
    {"ScaleHeightWithWidth", false, &BarcodeDialog::GetScaleHeightWithWidth,
     &BarcodeDialog::SetScaleHeightWithWidth},
    {"AddEraseBox", true, &BarcodeDialog::GetAddEraseBox, &BarcodeDialog::SetAddEraseBox},
    {"CreateTextOutlines", false, &BarcodeDialog::GetCreateTextOutlines,
     &BarcodeDialog::SetCreateTextOutlines},
};
constexpr const char* kTextScalingKey = "HumanReadableTextScaling";
constexpr const char* kUpcBeforeEanKey = "UPCBeforeEAN";
constexpr bool kDefaultUpcBeforeEan = true;

// The order the registry was last built in.
bool gUpcBeforeEan = false;

std::array<char, kSectionBytes> ReplacementSection(std::size_t index) {
    std::array<char, kSectionBytes> section{};
    std::snprintf(section.data(), section.size(), kReplacementSectionFormat, index);
    return section;
}

// The stored name, or "" when it is absent or does not fit.
std::array<char, BarcodeDialog::kFontNameBytes> ReadFontName(const char* section, const char* key) {
    std::array<char, BarcodeDialog::kFontNameBytes> name{};
    if (sAiPreference->GetStringPreference(section, key, name.data(), name.size()) !=
        host::kNoError) {
        name[0] = 0;
    }
    return name;
}

// The type code of its four characters, the first in the most significant
// byte; 0 for a text of another length.
std::int32_t TypeOf(const char* text) {
    if (std::strlen(text) != kTypeBytes - 1) {
        return 0;
    }
    std::uint32_t type = 0;
    for (std::size_t i = 0; i + 1 < kTypeBytes; ++i) {
        type = (type << 8) | static_cast<unsigned char>(text[i]);
    }
    return static_cast<std::int32_t>(type);
}

std::array<char, kTypeBytes> TextOf(std::int32_t type) {
    std::array<char, kTypeBytes> text{};
    for (std::size_t i = 0; i + 1 < kTypeBytes; ++i) {
        text[i] = static_cast<char>(static_cast<std::uint32_t>(type) >> (8 * (3 - i)));
    }
    return text;
}

Strivelo::BarcodeProcessorISBNEAN* IsbnEanOf(BarcodeProcessor* processor) {
    return processor != nullptr && processor->GetType() == kIsbnEan
               ? dynamic_cast<Strivelo::BarcodeProcessorISBNEAN*>(processor)
               : nullptr;
}

// The popup's type of the processor: ISBN-13 with dual numbering has one of
// its own.
std::int32_t PopUpTypeOf(BarcodeProcessor& processor) {
    const auto* isbn = IsbnEanOf(&processor);
    return isbn != nullptr && isbn->GetDualNumbering() ? BarcodeTypePopUp::kDualNumberingType
                                                       : processor.GetType();
}

// The text converted by the processor (its code form to its encoded form,
// or back); unchanged when the conversion gives nothing.
using Conversion = bool (BarcodeProcessor::*)(const char*, char*, std::size_t) const;
void Convert(const BarcodeProcessor& processor, Conversion conversion, M7LString* text) {
    std::array<char, BarcodeProcessor::kCodeCapacity + 1> converted{};
    if ((processor.*conversion)(text->CStr(), converted.data(), BarcodeProcessor::kCodeCapacity) &&
        converted[0] != '\0') {
        text->Assign(converted.data());
    }
}

host::Error InitMissingFontDialog(host::Dialog dialog) {
    const auto* fontName = static_cast<const char*>(sAdmDialog->GetUserData(dialog));
    sAdmItem->SetText(sAdmDialog->GetItem(dialog, BarcodeDialog::kMissingFontNameItem), fontName);
    return host::kNoError;
}

}  // namespace

BarcodeDialog::BarcodeDialog()
    : M7LBaseADMDialog(kName, kResourceId, kFloatingStyle, kPreferenceSection, kDockGroup,
                       kDefaultPosition, kDefaultPosition, false) {
    Strivelo::RegisterStandardSymbologies(gUpcBeforeEan);
    Strivelo::RegisterMS7B();
    M7LBaseADMDialog::Show();
    if (!GetDialog()) {
        // The host made no dialog: any item made went with it, and the
        // settings were not read.
        ForgetItems();
        LoadSettings();
        return;
    }
    sAdmDialog->SetMinWidth(GetDialog(), kMinimumSize);
    sAdmDialog->SetMinHeight(GetDialog(), kMinimumSize);
}

BarcodeDialog::~BarcodeDialog() {
    SaveSettings();
    if (GetDialog()) {
        Destroy();
    }
    if (gBarcodeDialog == this) {
        gBarcodeDialog = nullptr;
    }
}

host::Error BarcodeDialog::Init() {
    sideMenu_ = new SideMenu(this);
    typePopUp_ = new BarcodeTypePopUp(this);
    tryAgain_ = new TryAgainButton(this);
    code_ = new BarcodeCodeEditField(this);
    barWidthReduction_ = new BarcodeBarWidthReductionEditField(this);
    magnification_ = new BarcodeMagnificationEditField(this);
    barHeight_ = new BarcodeBarHeightEditField(this);
    ratio_ = new BarcodeRatioEditField(this);
    ocrb_ = new OCRBButton(this);
    quietZone_ = new QuietZoneIndicatorsButton(this);
    endBars_ = new BearerBarsEndBarsButton(this);
    bearerBars_ = new BearerBarsButton(this, endBars_);
    textScaling_ = new BarcodeFontSizeEditField(this);
    textAlign_ = new TextAlignButton(this);
    for (std::int32_t label = kTypeLabelItem; label <= kLastLabelItem; ++label) {
        sAdmItem->SetFont(GetItem(label), host::kFontPalette);
    }
    for (const std::int32_t readOut : {kMaxDeviationItem, kMeanDeviationItem}) {
        sAdmItem->SetPrecision(GetItem(readOut), kDeviationPrecision);
        sAdmItem->SetUnits(GetItem(readOut), host::kUnitsPoints);
        sAdmItem->SetUnitEntry(GetItem(readOut), true);
        sAdmItem->SetFloatValue(GetItem(readOut), 0);
    }
    ShowDeviation(false);
    return M7LBaseADMDialog::Init();
}

void BarcodeDialog::Destroy() {
    DeleteItems();
    M7LBaseADMDialog::Destroy();
}

void BarcodeDialog::DeleteItems() {
    delete sideMenu_;
    delete typePopUp_;
    delete tryAgain_;
    delete code_;
    delete barWidthReduction_;
    delete magnification_;
    delete barHeight_;
    delete ratio_;
    delete ocrb_;
    delete quietZone_;
    delete bearerBars_;
    delete endBars_;
    delete textScaling_;
    delete textAlign_;
    ForgetItems();
}

void BarcodeDialog::ForgetItems() {
    sideMenu_ = nullptr;
    typePopUp_ = nullptr;
    tryAgain_ = nullptr;
    code_ = nullptr;
    barWidthReduction_ = nullptr;
    magnification_ = nullptr;
    barHeight_ = nullptr;
    ratio_ = nullptr;
    ocrb_ = nullptr;
    quietZone_ = nullptr;
    bearerBars_ = nullptr;
    endBars_ = nullptr;
    textScaling_ = nullptr;
    textAlign_ = nullptr;
}

std::array<BarcodeProcessorItem*, 11> BarcodeDialog::ProcessorItems() const {
    return {code_,      barWidthReduction_, magnification_, barHeight_,   ratio_,    ocrb_,
            quietZone_, bearerBars_,        endBars_,       textScaling_, textAlign_};
}

void BarcodeDialog::LoadSettings() {
    std::array<char, kTypeBytes> type{};
    if (sAiPreference->GetStringPreference(kPreferenceSection, kTypeKey, type.data(),
                                           type.size()) != host::kNoError) {
        type = TextOf(kDefaultType);
    }
    SetBarcodeType(TypeOf(type.data()));
    if (processor_ == nullptr) {
        SetBarcodeType(kDefaultType);
    }
    for (const BooleanOption& option : kBooleanOptions) {
        bool value = option.defaultValue;
        sAiPreference->GetBooleanPreference(kPreferenceSection, option.key, &value);
        (this->*option.set)(value);
    }
    double scaling = kDefaultTextScalingPercent;
    sAiPreference->GetRealPreference(kPreferenceSection, kTextScalingKey, &scaling);
    humanReadableTextScaling_ =
        std::isfinite(scaling) ? std::clamp(scaling, kMinTextScalingPercent, kMaxTextScalingPercent)
                               : kDefaultTextScalingPercent;
    bool upcBeforeEan = kDefaultUpcBeforeEan;
    sAiPreference->GetBooleanPreference(kPreferenceSection, kUpcBeforeEanKey, &upcBeforeEan);
    SetUPCBeforeEAN(upcBeforeEan);

    std::int32_t count = 0;
    sAiPreference->GetIntegerPreference(kReplacementsSection, kReplacementCountKey, &count);
    count = std::clamp<std::int32_t>(count, 0, kMaxFontReplacements);
    for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
        const auto section = ReplacementSection(i);
        const auto original = ReadFontName(section.data(), kOriginalKey);
        const auto replacement = ReadFontName(section.data(), kReplacementKey);
        if (original[0] != 0 && replacement[0] != 0) {
            SetFontReplacement(original.data(), replacement.data());
        }
    }
    RefreshSideMenu();
    for (BarcodeDialogItem* item : std::initializer_list<BarcodeDialogItem*>{
             ocrb_, quietZone_, bearerBars_, endBars_, textScaling_, textAlign_}) {
        if (item != nullptr) {
            sAdmItem->Notify(item->GetItem(), BarcodeDialogItem::kReadSettingsNotifier);
        }
    }
}

void BarcodeDialog::SaveSettings() {
    if (processor_ != nullptr) {
        sAiPreference->PutStringPreference(kPreferenceSection, kTypeKey,
                                           TextOf(PopUpTypeOf(*processor_)).data());
    }
    for (const BooleanOption& option : kBooleanOptions) {
        sAiPreference->PutBooleanPreference(kPreferenceSection, option.key, (this->*option.get)());
    }
    sAiPreference->PutRealPreference(kPreferenceSection, kTextScalingKey,
                                     humanReadableTextScaling_);
    sAiPreference->PutBooleanPreference(kPreferenceSection, kUpcBeforeEanKey, GetUPCBeforeEAN());
    sAiPreference->PutIntegerPreference(kReplacementsSection, kReplacementCountKey,
                                        static_cast<std::int32_t>(fontReplacements_.size()));
    for (std::size_t i = 0; i < fontReplacements_.size(); ++i) {
        const auto section = ReplacementSection(i);
        sAiPreference->PutStringPreference(section.data(), kOriginalKey,
                                           fontReplacements_[i].original.CStr());
        sAiPreference->PutStringPreference(section.data(), kReplacementKey,
                                           fontReplacements_[i].replacement.CStr());
    }
}

void BarcodeDialog::Show(bool show) {
    if (GetDialog()) {
        IADMDialog::Show(show);
    }
}

bool BarcodeDialog::IsVisible() const {
    return GetDialog() && IADMDialog::IsVisible();
}

void BarcodeDialog::SetProcessor(std::unique_ptr<BarcodeProcessor> processor, bool ambiguous,
                                 bool showDeviation) {
    const std::array<BarcodeProcessorItem*, 11> items = ProcessorItems();
    if (processor_ != nullptr) {
        for (BarcodeProcessorItem* item : items) {
            if (item != nullptr) {
                item->SetProcessor(nullptr);
            }
        }
    }
    processor_ = std::move(processor);
    if (processor_ != nullptr) {
        processor_->SetScaleHeightWithWidth(scaleHeightWithWidth_);
        if (typePopUp_ != nullptr) {
            typePopUp_->SelectType(PopUpTypeOf(*processor_));
        }
    }
    for (BarcodeProcessorItem* item : items) {
        if (item != nullptr) {
            item->SetProcessor(processor_.get());
        }
    }
    // The read-outs belong to the symbol shown.
    ShowDeviation(processor_ != nullptr && showDeviation);
    if (processor_ != nullptr && showDeviation && GetDialog()) {
        sAdmItem->SetFloatValue(
            GetItem(kMaxDeviationItem),
            static_cast<float>(processor_->GetMaxDeviation() * kFieldPointsPerMillimetre));
        sAdmItem->SetFloatValue(
            GetItem(kMeanDeviationItem),
            static_cast<float>(processor_->GetMeanDeviation() * kFieldPointsPerMillimetre));
    }
    if (tryAgain_ != nullptr) {
        tryAgain_->Enable(ambiguous);
    }
}

void BarcodeDialog::ShowDeviation(bool show) {
    if (!GetDialog()) {
        return;
    }
    sAdmItem->Show(GetItem(kMaxDeviationItem), show);
    sAdmItem->Show(GetItem(kMeanDeviationItem), show);
    Size(kWidth, show ? kHeightWithDeviation : kHeightWithoutDeviation);
    if (!show && tryAgain_ != nullptr) {
        tryAgain_->Enable(false);
    }
}

void BarcodeDialog::ClearCode() {
    if (code_ != nullptr) {
        code_->ShowText("");
    }
    ShowDeviation(false);
}

bool BarcodeDialog::TryNextCandidate() {
    if (processor_ == nullptr) {
        return false;
    }
    bool ambiguous = false;
    std::unique_ptr<BarcodeProcessor> next =
        Strivelo::IdentifyNextCandidate(processor_.get(), &ambiguous);
    if (next == nullptr) {
        return false;
    }
    SetProcessor(std::move(next), ambiguous, true);
    return true;
}

bool BarcodeDialog::ReadCode(M7LString* text) const {
    if (code_ == nullptr) {
        text->Assign("");
        return true;
    }
    return code_->ReadText(text);
}

void BarcodeDialog::CarryCodeOver(const BarcodeProcessor& to, M7LString* text) const {
    const std::int32_t from = processor_->GetType();
    const std::int32_t type = to.GetType();
    const auto is = [](std::int32_t t, std::initializer_list<std::int32_t> types) {
        return std::find(types.begin(), types.end(), t) != types.end();
    };
    if (from == kEan13 && type == kUpcA) {
        // A UPC-A is an EAN-13 of number system 0. Another EAN-13 is no
        // UPC-A: nothing is carried, and the field's warning tells so.
        text->Assign(text->CStr()[0] == '0' ? text->CStr() + 1 : "");
    } else if (from == kUpcA && type == kEan13) {
        const std::string prefixed = std::string("0") + text->CStr();
        text->Assign(prefixed.c_str());
    } else if ((from == kEan8 && type == kMs7b) ||
               (from == kEan13 && is(type, {kIsbn, kIsbnEan, kIssn}))) {
        Convert(to, &BarcodeProcessor::EncodedToCode, text);
    } else if ((from == kMs7b && type == kEan8) ||
               (is(from, {kIsbn, kIsbnEan, kIssn}) && type == kEan13)) {
        Convert(*processor_, &BarcodeProcessor::CodeToEncoded, text);
    } else if ((from == kIsbn && type == kIsbnEan) || (from == kIsbnEan && type == kIsbn)) {
        Convert(*processor_, &BarcodeProcessor::CodeToEncoded, text);
        Convert(to, &BarcodeProcessor::EncodedToCode, text);
    }
}

void BarcodeDialog::SetBarcodeType(std::int32_t type) {
    const bool dualNumbering = type == BarcodeTypePopUp::kDualNumberingType;
    if (dualNumbering) {
        type = kIsbnEan;
    }
    if (processor_ != nullptr && processor_->GetType() == type) {
        if (auto* isbn = IsbnEanOf(processor_.get())) {
            isbn->SetDualNumbering(dualNumbering);
        }
        return;
    }
    std::unique_ptr<BarcodeProcessor> made = Strivelo::CreateByType(type);
    if (made == nullptr) {
        return;
    }
    M7LString text;
    ReadCode(&text);
    if (processor_ != nullptr) {
        if (text.CStr()[0] != '\0') {
            CarryCodeOver(*made, &text);
        }
        made->SetBarWidthReduction(processor_->GetBarWidthReduction());
        made->SetMagnification(processor_->GetMagnification());
        made->SetBarHeight(processor_->GetBarHeight());
        using Strivelo::BarcodeProcessorMixIn_WideNarrowOption;
        auto* fromRatio = dynamic_cast<BarcodeProcessorMixIn_WideNarrowOption*>(processor_.get());
        auto* toRatio = dynamic_cast<BarcodeProcessorMixIn_WideNarrowOption*>(made.get());
        if (fromRatio != nullptr && toRatio != nullptr &&
            processor_->HasOption(Strivelo::kBarcodeOptionWideNarrowRatio) &&
            made->HasOption(Strivelo::kBarcodeOptionWideNarrowRatio)) {
            toRatio->SetWideNarrowRatio(fromRatio->GetWideNarrowRatio());
        }
    }
    if (made->CorrectCode(text)) {
        made->SetCode(text.CStr());
    }
    if (auto* isbn = IsbnEanOf(made.get())) {
        isbn->SetDualNumbering(dualNumbering);
    }
    SetProcessor(std::move(made), false, false);
}

BarcodeProcessor* BarcodeDialog::GetProcessorForCreate() {
    M7LString text;
    if (processor_ == nullptr || !ReadCode(&text) || text.CStr()[0] == '\0' ||
        !text.Equals(processor_->GetCode())) {
        return nullptr;
    }
    PushOptions(*processor_);
    if (!allowIllegalParametersOnCreate_ && !processor_->ValidateParameters()) {
        ShowIllegalParamsAlert();
        return nullptr;
    }
    return processor_.get();
}

void BarcodeDialog::PushOptions(BarcodeProcessor& processor) const {
    processor.SetQuietZoneMarks(addQuietZoneIndicator_);
    processor.SetScaleHeightWithWidth(scaleHeightWithWidth_);
    if (processor.HasOption(Strivelo::kBarcodeOptionFont)) {
        if (auto* font = dynamic_cast<Strivelo::BarcodeProcessorMixIn_Font*>(&processor)) {
            font->SetFont(useOCRBFont_ ? kTextOCRB : kTextHelvetica);
        }
    }
    auto* bearerBars = dynamic_cast<Strivelo::BarcodeProcessorMixIn_BearerBarsOption*>(&processor);
    if (bearerBars != nullptr && processor.HasOption(Strivelo::kBarcodeOptionBearerBars)) {
        bearerBars->SetBearerBars(addBearerBar_);
    }
    if (bearerBars != nullptr && processor.HasOption(Strivelo::kBarcodeOptionBearerBarEndBars)) {
        bearerBars->SetBearerBarEndBars(addBearerBarEndBars_);
    }
    auto* text = dynamic_cast<Strivelo::BarcodeProcessorMixIn_FontScaling*>(&processor);
    if (text != nullptr && processor.HasOption(Strivelo::kBarcodeOptionFontScaling)) {
        text->SetFontScaling(humanReadableTextScaling_ * kFactorPerPercent);
    }
    if (text != nullptr && processor.HasOption(Strivelo::kBarcodeOptionCenterAlign)) {
        text->SetCenterAlign(humanReadableTextCenterAlign_);
    }
}

void BarcodeDialog::ShowCode() {
    if (processor_ != nullptr && code_ != nullptr) {
        code_->ShowText(processor_->GetCode());
        code_->UpdateWarning();
    }
}

void BarcodeDialog::ShowCodeChangedAlert() {
    codeChangedAlert_.Show(kCodeChangedDialogName, kCodeChangedDialogId, kAlertCheckBoxItem);
}

void BarcodeDialog::ShowIllegalParamsAlert() {
    illegalParamsAlert_.Show(kIllegalParamsDialogName, kIllegalParamsDialogId, kAlertCheckBoxItem);
}

bool BarcodeDialog::GetUPCBeforeEAN() {
    return gUpcBeforeEan;
}

void BarcodeDialog::SetUPCBeforeEAN(bool upcBeforeEan) {
    if (upcBeforeEan == gUpcBeforeEan) {
        return;
    }
    gUpcBeforeEan = upcBeforeEan;
    Strivelo::FreeRegistry();
    Strivelo::RegisterStandardSymbologies(upcBeforeEan);
    Strivelo::RegisterMS7B();
    if (gBarcodeDialog != nullptr) {
        gBarcodeDialog->RefreshSideMenu();
    }
}

void BarcodeDialog::RefreshSideMenu() const {
    if (sideMenu_ != nullptr) {
        sideMenu_->Refresh();
    }
}

std::size_t BarcodeDialog::IndexOf(const char* original) const {
    const auto found = std::find_if(
        fontReplacements_.begin(), fontReplacements_.end(),
        [original](const FontReplacement& entry) { return entry.original.Equals(original); });
    return static_cast<std::size_t>(found - fontReplacements_.begin());
}

const char* BarcodeDialog::FindFontReplacement(const char* original) const {
    return GetReplacementFontName(IndexOf(original));
}

const char* BarcodeDialog::GetOriginalFontName(std::size_t index) const {
    return index < fontReplacements_.size() ? fontReplacements_[index].original.CStr() : nullptr;
}

const char* BarcodeDialog::GetReplacementFontName(std::size_t index) const {
    return index < fontReplacements_.size() ? fontReplacements_[index].replacement.CStr() : nullptr;
}

host::Error BarcodeDialog::SetFontReplacement(const char* original, const char* replacement) {
    host::Font font;
    if (const host::Error error = sAiFont->FindFont(replacement, host::kFontTechnologyAny,
                                                    host::kFontScriptRoman, false, &font)) {
        return error;
    }
    FontReplacement changed{M7LString(original), M7LString(replacement)};
    if (!changed.original.Equals(original) || !changed.replacement.Equals(replacement)) {
        return host::kErrorNoMemory;
    }
    const std::size_t index = IndexOf(original);
    if (index < fontReplacements_.size()) {
        fontReplacements_[index].replacement = std::move(changed.replacement);
        return host::kNoError;
    }
    if (fontReplacements_.size() >= kMaxFontReplacements) {
        return host::kErrorNoMemory;
    }
    fontReplacements_.push_back(std::move(changed));
    RefreshSideMenu();
    return host::kNoError;
}

void BarcodeDialog::RemoveFontReplacement(const char* original) {
    const std::size_t index = IndexOf(original);
    if (index < fontReplacements_.size()) {
        fontReplacements_.erase(fontReplacements_.begin() + static_cast<std::ptrdiff_t>(index));
    }
    RefreshSideMenu();
}

void BarcodeDialog::ShowMissingFontAlert(const char* fontName) {
    sAdmDialog->Modal(gPluginRef, kMissingFontDialogName, kMissingFontDialogId,
                      M7LBaseADMDialog::kModalStyle, &InitMissingFontDialog,
                      const_cast<char*>(fontName), kNoOptions);
}
