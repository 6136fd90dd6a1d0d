#include "EditProfileDialog.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <limits>
#include <memory>
#include <string>

#include "BarcodeFourCC.h"
#include "CheckDialog.h"
#include "M7LPluginMain.h"
#include "M7LSuiteTable.h"
#include "M7L_FileSpecificationNative.h"
#include "host/AdmSuites.h"
#include "host/AiSuites.h"

namespace {

using BarcodeVettrin::BarcodeProfile;

constexpr const char* kDialogName = "EditProfileDialog";
constexpr std::int32_t kDialogId = 26100;
constexpr const char* kPreferenceSection = "M7LEditProfileDialog";
constexpr const char* kDockGroupName = "Mor7Lant_EditProfileDialog";
constexpr std::int32_t kDefaultPosition = 50;

constexpr std::int32_t kLoadItem = 5;
constexpr std::int32_t kSaveItem = 6;
constexpr std::int32_t kSaveAsItem = 7;
constexpr std::int32_t kNameItem = 4;
constexpr std::int32_t kSaveTimeItem = 9;
constexpr std::int32_t kCheckSumItem = 11;
constexpr std::int32_t kCodePatternItem = 18;
constexpr std::int32_t kTypeItem = 20;
constexpr std::int32_t kOverprintOnlyItem = 45;

// Texts of up to 255 characters and their terminator.
constexpr std::size_t kTextBytes = 256;
constexpr std::size_t kCheckSumTextBytes = 16;

// Lengths are shown in points and kept in millimetres; magnifications are
// shown in percent and kept as factors.
constexpr double kPointsPerMillimetre = 2.834645711863446;
constexpr double kMillimetresPerShownPoint = 0.35277778;
constexpr double kPercentPerFactor = 100.0;
constexpr double kFactorPerPercent = 0.01;
constexpr double kUnscaled = 1.0;

// A number item, how its value is shown and which setting it edits.
struct NumberField {
    std::int32_t item;
    double toDialog;
    double fromDialog;
    std::int32_t units;
    std::int32_t decimals;
    double (*get)(const BarcodeProfile&);
    int (*set)(BarcodeProfile&, double);
};

// A count from a number item; beyond the integers it is not one.
int SetCount(BarcodeProfile& profile, double count) {
    if (!(count >= std::numeric_limits<std::int32_t>::min() &&
          count <= std::numeric_limits<std::int32_t>::max())) {
        return BarcodeVettrin::kSettingStored;
    }
    return profile.countTest.SetNrOfBarcodesInDocument(
        static_cast<std::int32_t>(std::lround(count)));
}

const NumberField kNumberFields[] = {
    {16, kUnscaled, kUnscaled, host::kUnitsNone, 0,
     [](const BarcodeProfile& p) -> double { return p.countTest.GetNrOfBarcodesInDocument(); },
     &SetCount},
    {23, kPointsPerMillimetre, kMillimetresPerShownPoint, host::kUnitsPoints, 4,
     [](const BarcodeProfile& p) { return p.barWidthReductionTest.GetBarWidthReduction(); },
     [](BarcodeProfile& p, double v) { return p.barWidthReductionTest.SetBarWidthReduction(v); }},
    {26, kPercentPerFactor, kFactorPerPercent, host::kUnitsPercent, 2,
     [](const BarcodeProfile& p) { return p.magnificationTest.GetMinimumMagnification(); },
     [](BarcodeProfile& p, double v) { return p.magnificationTest.SetMinimumMagnification(v); }},
    {29, kPercentPerFactor, kFactorPerPercent, host::kUnitsPercent, 2,
     [](const BarcodeProfile& p) { return p.magnificationTest.GetMaximumMagnification(); },
     [](BarcodeProfile& p, double v) { return p.magnificationTest.SetMaximumMagnification(v); }},
    {32, kPointsPerMillimetre, kMillimetresPerShownPoint, host::kUnitsPoints, 3,
     [](const BarcodeProfile& p) { return p.barHeightTest.GetMinimumBarHeight(); },
     [](BarcodeProfile& p, double v) { return p.barHeightTest.SetMinimumBarHeight(v); }},
    {34, kPointsPerMillimetre, kMillimetresPerShownPoint, host::kUnitsPoints, 3,
     [](const BarcodeProfile& p) { return p.barHeightTest.GetMaximumBarHeight(); },
     [](BarcodeProfile& p, double v) { return p.barHeightTest.SetMaximumBarHeight(v); }},
    {36, kUnscaled, kUnscaled, host::kUnitsNone, 3,
     [](const BarcodeProfile& p) { return p.wideNarrowRatioTest.GetMinimumWideNarrowRatio(); },
     [](BarcodeProfile& p, double v) {
         return p.wideNarrowRatioTest.SetMinimumWideNarrowRatio(v);
     }},
    {38, kUnscaled, kUnscaled, host::kUnitsNone, 3,
     [](const BarcodeProfile& p) { return p.wideNarrowRatioTest.GetMaximumWideNarrowRatio(); },
     [](BarcodeProfile& p, double v) {
         return p.wideNarrowRatioTest.SetMaximumWideNarrowRatio(v);
     }},
    {41, kPointsPerMillimetre, kMillimetresPerShownPoint, host::kUnitsPoints, 5,
     [](const BarcodeProfile& p) { return p.deviationTest.GetDeviation(); },
     [](BarcodeProfile& p, double v) { return p.deviationTest.SetDeviation(v); }},
};

// A test's check box, the test's position in the profile's member order and
// the check box of its fix, if it has one.
struct TestBox {
    std::int32_t item;
    std::size_t test;
    std::int32_t fixItem;
};
constexpr std::int32_t kNoFix = 0;
constexpr TestBox kTestBoxes[] = {
    {13, 0, kNoFix},  // all equal
    {14, 1, kNoFix},  // count
    {17, 3, kNoFix},  // code
    {19, 2, kNoFix},  // type
    {21, 4, 24},      // bar width reduction
    {25, 6, kNoFix},  // magnification
    {31, 5, kNoFix},  // bar height
    {35, 7, kNoFix},  // wide/narrow ratio
    {39, 8, 42},      // deviation
    {43, 9, kNoFix},  // one colour
    {44, 10, 46},     // overprint
};

// The type popup's entries by position; separators map to no type.
constexpr std::int32_t kNoType = 0;
constexpr std::array<std::int32_t, 27> kPopupTypes = {
    Strivelo::FourCC("ean8"),
    Strivelo::FourCC("eanD"),
    Strivelo::FourCC("c128"),
    Strivelo::FourCC("upca"),
    Strivelo::FourCC("upce"),
    Strivelo::FourCC("2of5"),
    Strivelo::FourCC("e128"),
    Strivelo::FourCC("3of9"),
    Strivelo::FourCC("itff"),
    Strivelo::FourCC("jan8"),
    Strivelo::FourCC("janD"),
    Strivelo::FourCC("ples"),
    Strivelo::FourCC("plec"),
    Strivelo::FourCC("msit"),
    Strivelo::FourCC("msie"),
    Strivelo::FourCC("msiq"),
    Strivelo::FourCC("coda"),
    Strivelo::FourCC("codt"),
    kNoType,
    Strivelo::FourCC("isbn"),
    Strivelo::FourCC("isbe"),
    Strivelo::FourCC("BePh"),
    Strivelo::FourCC("issn"),
    Strivelo::FourCC("eCou"),
    Strivelo::FourCC("uCou"),
    kNoType,
    Strivelo::FourCC("ms7b"),
};
constexpr std::int32_t kTypeMenuId = 26002;

// Profile files.
constexpr const char* kLoadMessage = "select load profile file";
constexpr const char* kSaveMessage = "select save profile file";
constexpr const char* kDefaultLoadName = "barcode profile.bcp";
constexpr const char* kProfileExtension = ".bcp";
constexpr host::FileFilter kProfileFilters[] = {
    {"Barcode Vettrin Profiles (*.bcp)", "*.bcp"},
    {"All Files", "*.*"},
};
// The default save name, with the extension and its terminator.
constexpr std::size_t kSaveNameBytes = 128;

}  // namespace

// OK (item 1) and Cancel (item 2).
class OKCancelButton : public M7LBaseADMItem {
public:
    OKCancelButton(EditProfileDialog* dialog, std::int32_t itemId)
        : M7LBaseADMItem(ItemOf(dialog, itemId), dialog, itemId), dialog_(*dialog) {}

    void Notify(host::AdmNotifier notifier) override {
        M7LBaseADMItem::Notify(notifier);
        if (IsUserChange(notifier)) {
            dialog_.Finish(GetUserValue() == host::kOkItem);
        }
    }

private:
    EditProfileDialog& dialog_;
};

// Load (item 5), save (6) and save as (7).
class SaveLoadButton : public M7LBaseADMItem {
public:
    SaveLoadButton(EditProfileDialog* dialog, std::int32_t itemId)
        : M7LBaseADMItem(ItemOf(dialog, itemId), dialog, itemId), dialog_(*dialog) {}

    void Notify(host::AdmNotifier notifier) override {
        M7LBaseADMItem::Notify(notifier);
        if (!IsUserChange(notifier)) {
            return;
        }
        switch (GetUserValue()) {
            case kLoadItem:
                dialog_.LoadProfile();
                break;
            case kSaveItem:
                dialog_.SaveProfile();
                break;
            default:
                dialog_.SaveProfileAs();
                break;
        }
    }

private:
    EditProfileDialog& dialog_;
};

// A test's check box; one with a fix enables the fix's box exactly while it
// is checked.
class EnableTestCheckBox : public M7LBaseADMItem {
public:
    EnableTestCheckBox(M7LBaseADMDialog* dialog, std::int32_t itemId, std::int32_t fixItem)
        : M7LBaseADMItem(ItemOf(dialog, itemId), dialog, itemId), fixItem_(fixItem) {}

    void Notify(host::AdmNotifier notifier) override {
        M7LBaseADMItem::Notify(notifier);
        if (fixItem_ != kNoFix) {
            sAdmItem->Enable(ItemOf(GetDialog(), fixItem_), sAdmItem->GetBooleanValue(GetItem()));
        }
    }

private:
    std::int32_t fixItem_;
};

class EnableFixCheckBox : public M7LBaseADMItem {
public:
    EnableFixCheckBox(M7LBaseADMDialog* dialog, std::int32_t itemId)
        : M7LBaseADMItem(ItemOf(dialog, itemId), dialog, itemId) {}
};

// The popup of the symbology the type test wants. A type it does not list
// leaves its selection; it remembers whether the user picked an entry.
class BarcodeTypePopUp_Check : public M7LBaseADMItem {
public:
    explicit BarcodeTypePopUp_Check(M7LBaseADMDialog* dialog)
        : M7LBaseADMItem(ItemOf(dialog, kTypeItem), dialog, kTypeItem) {
        list_ = sAdmItem->GetList(GetItem());
        sAdmList->LoadMenu(list_, gPluginRef, kTypeMenuId);
        SelectType(kPopupTypes.front());
    }

    void Notify(host::AdmNotifier notifier) override {
        M7LBaseADMItem::Notify(notifier);
        picked_ = picked_ || IsUserChange(notifier);
    }

    // Selects the entry of the type; false when the popup does not list it.
    bool SelectType(std::int32_t type) {
        const auto found = std::find(kPopupTypes.begin(), kPopupTypes.end(), type);
        if (type == kNoType || found == kPopupTypes.end()) {
            return false;
        }
        const host::Entry entry =
            sAdmList->FindEntry(list_, static_cast<std::int32_t>(found - kPopupTypes.begin()) + 1);
        if (entry) {
            sAdmEntry->Select(entry, true);
        }
        return static_cast<bool>(entry);
    }

    // The type of the active entry; no active entry reads as the first.
    std::int32_t GetType() const {
        const host::Entry active = sAdmList->GetActiveEntry(list_);
        const std::int32_t position = active ? std::max(sAdmEntry->GetIndex(active), 0) : 0;
        return position < static_cast<std::int32_t>(kPopupTypes.size()) ? kPopupTypes[position]
                                                                        : kNoType;
    }

    bool WasPicked() const { return picked_; }
    void ForgetPick() { picked_ = false; }

private:
    host::List list_;
    bool picked_ = false;
};

EditProfileDialog::EditProfileDialog(CheckDialog& palette)
    : M7LBaseADMDialog(kDialogName, kDialogId, kModalStyle, kPreferenceSection, kDockGroupName,
                       kDefaultPosition, kDefaultPosition, false),
      palette_(palette) {
    Show();
}

EditProfileDialog::~EditProfileDialog() {
    SetWorkingProfile(nullptr);
}

host::Error EditProfileDialog::Init() {
    items_.push_back(new OKCancelButton(this, host::kOkItem));
    items_.push_back(new OKCancelButton(this, host::kCancelItem));
    for (const std::int32_t button : {kLoadItem, kSaveItem, kSaveAsItem}) {
        items_.push_back(new SaveLoadButton(this, button));
    }
    for (const TestBox& box : kTestBoxes) {
        items_.push_back(new EnableTestCheckBox(this, box.item, box.fixItem));
        if (box.fixItem != kNoFix) {
            items_.push_back(new EnableFixCheckBox(this, box.fixItem));
            sAdmItem->Enable(GetItem(box.fixItem), FlagOf(box.item));
        }
    }
    typePopup_ = new BarcodeTypePopUp_Check(this);
    items_.push_back(typePopup_);
    for (const NumberField& field : kNumberFields) {
        sAdmItem->SetUnits(GetItem(field.item), field.units);
        sAdmItem->SetPrecision(GetItem(field.item), field.decimals);
    }
    const host::Error error = M7LBaseADMDialog::Init();
    SetWorkingProfile(palette_.GetProfile());
    return error;
}

void EditProfileDialog::Destroy() {
    for (M7LBaseADMItem* item : items_) {
        delete item;
    }
    items_.clear();
    typePopup_ = nullptr;
    M7LBaseADMDialog::Destroy();
}

void EditProfileDialog::SetWorkingProfile(BarcodeProfile* profile) {
    if (profile == working_) {
        return;
    }
    if (working_ != palette_.GetProfile()) {
        delete working_;
    }
    working_ = profile;
    if (working_ != nullptr) {
        ProfileToDialog();
    }
}

void EditProfileDialog::ProfileToDialog() {
    BarcodeProfile& profile = *working_;
    sAdmItem->SetText(GetItem(kNameItem), profile.GetProfileName());
    sAdmItem->SetText(GetItem(kSaveTimeItem), profile.GetProfileSaveTime());
    char checkSum[kCheckSumTextBytes];
    std::snprintf(checkSum, sizeof checkSum, "%x",
                  static_cast<unsigned>(profile.GetProfileCheckSum()));
    sAdmItem->SetText(GetItem(kCheckSumItem), checkSum);
    sAdmItem->SetText(GetItem(kCodePatternItem), profile.codeTest.GetBarcodeCode());
    const auto tests = profile.GetTests();
    for (const TestBox& box : kTestBoxes) {
        sAdmItem->SetBooleanValue(GetItem(box.item), tests[box.test]->GetEnableTest());
        if (box.fixItem != kNoFix) {
            sAdmItem->SetBooleanValue(GetItem(box.fixItem), tests[box.test]->GetEnableFix());
        }
    }
    sAdmItem->SetBooleanValue(GetItem(kOverprintOnlyItem),
                              profile.overprintTest.GetOverprintOnly());
    for (const NumberField& field : kNumberFields) {
        sAdmItem->SetFloatValue(GetItem(field.item),
                                static_cast<float>(field.get(profile) * field.toDialog));
        shownNumbers_[field.item] = NumberOf(field.item);
    }
    typePopup_->SelectType(profile.typeTest.GetBarcodeType());
    typePopup_->ForgetPick();
    for (const TestBox& box : kTestBoxes) {
        if (box.fixItem != kNoFix) {
            sAdmItem->Enable(GetItem(box.fixItem), FlagOf(box.item));
        }
    }
}

// Setters refuse a profile that may not change; the dialog goes on.
void EditProfileDialog::DialogToProfile(bool handOver) {
    if (working_ == nullptr) {
        return;
    }
    BarcodeProfile& profile = *working_;
    char text[kTextBytes];
    sAdmItem->GetText(GetItem(kNameItem), text, sizeof text);
    profile.SetProfileName(text);
    sAdmItem->GetText(GetItem(kCodePatternItem), text, sizeof text);
    profile.codeTest.SetBarcodeCode(text);
    const auto tests = profile.GetTests();
    for (const TestBox& box : kTestBoxes) {
        tests[box.test]->SetEnableTest(FlagOf(box.item));
        if (box.fixItem != kNoFix) {
            tests[box.test]->SetEnableFix(FlagOf(box.fixItem));
        }
    }
    profile.overprintTest.SetOverprintOnly(FlagOf(kOverprintOnlyItem));
    // A number shown and not changed keeps the setting as it is, unrounded
    // by its trip through the dialog's units.
    for (const NumberField& field : kNumberFields) {
        const float shown = NumberOf(field.item);
        if (shown != shownNumbers_[field.item]) {
            field.set(profile, shown * field.fromDialog);
            shownNumbers_[field.item] = shown;
        }
    }
    if (typePopup_->WasPicked()) {
        profile.typeTest.SetBarcodeType(typePopup_->GetType());
    }
    palette_.SetProfile(working_);
    if (handOver) {
        working_ = nullptr;
    }
}

void EditProfileDialog::Finish(bool keep) {
    if (keep) {
        DialogToProfile(true);
    }
    SetWorkingProfile(nullptr);
}

void EditProfileDialog::LoadProfile() {
    host::PlatformFileSpecification chosen{};
    if (sAiUser->GetFileDialog(kLoadMessage, kProfileFilters, std::size(kProfileFilters),
                               kDefaultLoadName, &chosen) != host::kNoError) {
        return;
    }
    auto loaded = std::make_unique<BarcodeProfile>();
    if (!loaded->Load(M7L_FileSpecificationNative(chosen.path))) {
        ShowFileErrorAlert(kErrorFileNotLoaded);
        return;
    }
    SetWorkingProfile(loaded.release());
}

void EditProfileDialog::SaveProfile() {
    if (working_ == nullptr) {
        return;
    }
    DialogToProfile(false);
    if (!working_->GetFileSpecification().HasPath()) {
        SaveProfileAs();
    } else if (!working_->Save()) {
        ShowFileErrorAlert(kErrorFileNotSaved);
    }
}

void EditProfileDialog::SaveProfileAs() {
    if (working_ == nullptr) {
        return;
    }
    DialogToProfile(false);
    const std::string extension = kProfileExtension;
    const std::string name =
        CutUtf8Text(working_->GetProfileName(), kSaveNameBytes - 1 - extension.size()) + extension;
    host::PlatformFileSpecification chosen{};
    if (sAiUser->PutFileDialog(kSaveMessage, kProfileFilters, std::size(kProfileFilters),
                               name.c_str(), &chosen) != host::kNoError) {
        return;
    }
    if (!working_->SaveAs(M7L_FileSpecificationNative(chosen.path))) {
        ShowFileErrorAlert(kErrorFileNotSaved);
    }
}

float EditProfileDialog::NumberOf(std::int32_t itemId) const {
    return sAdmItem->GetFloatValue(GetItem(itemId));
}

bool EditProfileDialog::FlagOf(std::int32_t itemId) const {
    return sAdmItem->GetBooleanValue(GetItem(itemId));
}
