#include "CheckDialog.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string_view>

#include "BarCodeList.h"
#include "BarcodeProcessorEAN13.h"
#include "BarcodeProcessorRegistry.h"
#include "BarcodeProcessorStandardSymbologies.h"
#include "BarcodeProcessorUPCA.h"
#include "EditProfileDialog.h"
#include "M7LBridges.h"
#include "M7LErrorAlert.h"
#include "M7LPluginMain.h"
#include "M7LReplacedFile.h"
#include "M7LResources.h"
#include "M7LSuiteTable.h"
#include "ReportSettingsDialog.h"
#include "StriveloSuite.h"
#include "host/AiArtSuites.h"
#include "host/AiSuites.h"
#include "host/HostMessages.h"
#include "host/HostPolicies.h"

CheckDialog* gCheckDialog = nullptr;

namespace {

constexpr const char* kDialogName = "CheckDialog";
constexpr std::int32_t kDialogId = 26000;
constexpr std::int32_t kResizableTabbedPaletteStyle = 5;
constexpr const char* kDockGroupName = "Mor7Lant_MainCheckDialog";
constexpr std::int32_t kDefaultPosition = 50;
constexpr std::int32_t kMinWidth = 200;
constexpr std::int32_t kMinHeight = 150;

// Items of the palette.
constexpr std::int32_t kListItem = 1;
constexpr std::int32_t kCheckItem = 2;
constexpr std::int32_t kSelectItem = 3;
constexpr std::int32_t kReportItem = 4;
constexpr std::int32_t kTransferItem = 5;
constexpr std::int32_t kFixesItem = 6;
constexpr std::int32_t kProfileNameItem = 7;
constexpr std::int32_t kCountItem = 8;
constexpr std::int32_t kStatusItem = 9;
constexpr std::int32_t kCountLabelItem = 10;
constexpr std::int32_t kSideMenuItem = -5;

// The tips of the buttons, by item id.
constexpr int kTipList = 26020;

// The side menu: its entries by position, and the entry of the order mark.
constexpr std::int32_t kSideMenuId = 26001;
constexpr std::int32_t kEditProfileEntry = 0;
constexpr std::int32_t kReportSettingsEntry = 2;
constexpr std::int32_t kUPCBeforeEANEntry = 3;
constexpr std::int32_t kUPCBeforeEANEntryId = 4;

// Where the layout keeps the list, the status icon and the count.
constexpr std::int32_t kListWidthMargin = 8;
constexpr std::int32_t kListHeightMargin = 63;
constexpr std::int32_t kStatusRightMargin = 16;
constexpr std::int32_t kStatusLeftFromRight = 32;

// Preferences.
constexpr const char* kUPCBeforeEANKey = "UPCBeforeEAN";
constexpr const char* kReportModeKey = "ReportMode";
constexpr const char* kReportUnitsKey = "ReportUnits";
constexpr const char* kReportNamePrefixKey = "ReportNamePrefix";
constexpr const char* kReportNameUseFileNameKey = "ReportNameUseFileName";
constexpr const char* kReportNamePostfixKey = "ReportNamePostfix";
constexpr const char* kGenerateReportOnSelectKey = "GenerateReportOnSelect";
constexpr const char* kProfileSpecKey = "ProfileSpec";
constexpr bool kDefaultUPCBeforeEAN = true;
constexpr const char* kDefaultReportNamePrefix = "VettrinReport";
// The name parts hold up to 255 characters and their terminator.
constexpr std::size_t kNamePartBytes = 256;
constexpr std::size_t kNotifierTypeBytes = 256;

// The barcode shown fills this many points of the view.
constexpr double kShownExtentPoints = 300.0;

// Report files: the text of the file dialog, the formats and the longest
// file name (bytes) the default name may take.
constexpr const char* kReportFileMessage = "select report file";
constexpr std::size_t kMaxFileNameBytes = 255;
struct ReportFormat {
    const char* extension;
    host::FileFilter filter;
};
constexpr host::FileFilter kAllFiles = {"All Files", "*.*"};
constexpr ReportFormat kTextFormat = {".txt", {"Text Files (*.txt)", "*.txt"}};
constexpr ReportFormat kHTMLFormat = {".html", {"HTML files (*.html,*.htm)", "*.html;*.htm"}};
constexpr ReportFormat kXMLFormat = {".xml", {"XML files (*.xml)", "*.xml"}};

// Any mode but HTML and XML makes a text report, so its file is one too.
const ReportFormat& FormatOf(std::int32_t mode) {
    switch (mode) {
        case CheckDialog::kReportModeHTML:
            return kHTMLFormat;
        case CheckDialog::kReportModeXML:
            return kXMLFormat;
        default:
            return kTextFormat;
    }
}

// Writes bytes whole over path, or leaves path as it was.
bool ReplaceFile(const char* path, std::string_view bytes) {
    M7LReplacedFile file;
    std::FILE* stream = file.Open(path);
    return stream != nullptr &&
           file.Commit(std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size());
}

// Whether identification tries UPC-A before EAN-13.
bool RegistryHasUPCBeforeEAN() {
    for (std::uint32_t index = 0;; ++index) {
        const std::unique_ptr<Strivelo::BarcodeProcessor> processor =
            Strivelo::CreateByIndex(index);
        if (processor == nullptr || processor->GetType() == Strivelo::kBarcodeTypeEAN13) {
            return false;
        }
        if (processor->GetType() == Strivelo::kBarcodeTypeUPCA) {
            return true;
        }
    }
}

void RegisterSymbologies(bool upcBeforeEan) {
    Strivelo::RegisterStandardSymbologies(upcBeforeEan);
    Strivelo::RegisterMS7B();
}

}  // namespace

// A button of the palette: its tip from the string list by its id; it acts
// on the user's press once the host has handled it.
class CheckDialogButton : public M7LBaseADMItem {
public:
    CheckDialogButton(CheckDialog* palette, std::int32_t itemId)
        : M7LBaseADMItem(ItemOf(palette, itemId), palette, itemId), palette_(*palette) {
        char tip[kNamePartBytes];
        if (GetItem() && LoadResourceString(tip, kTipList, itemId, sizeof tip)) {
            sAdmItem->SetTipString(GetItem(), tip);
        }
    }

    void Notify(host::AdmNotifier notifier) override {
        M7LBaseADMItem::Notify(notifier);
        if (IsUserChange(notifier)) {
            Act(palette_);
        }
    }

private:
    virtual void Act(CheckDialog& palette) = 0;

    CheckDialog& palette_;
};

class CheckBarCodesButton : public CheckDialogButton {
public:
    explicit CheckBarCodesButton(CheckDialog* palette) : CheckDialogButton(palette, kCheckItem) {}

private:
    // The report setting, turned round while the user holds the modifier.
    void Act(CheckDialog& palette) override {
        const bool modifier = sAdmTracker->TestModifier(host::Tracker{}, host::kTrackerAltKey);
        palette.CheckBarcodes(palette.GetGenerateReportOnSelect() != modifier);
    }
};

class SelectBarCodeButton : public CheckDialogButton {
public:
    explicit SelectBarCodeButton(CheckDialog* palette) : CheckDialogButton(palette, kSelectItem) {}

private:
    void Act(CheckDialog& palette) override { palette.SelectListedBarcode(); }
};

class GenerateReportButton : public CheckDialogButton {
public:
    explicit GenerateReportButton(CheckDialog* palette) : CheckDialogButton(palette, kReportItem) {}

private:
    void Act(CheckDialog& palette) override { palette.WriteReport(); }
};

class TransfertoSTVLButton : public CheckDialogButton {
public:
    explicit TransfertoSTVLButton(CheckDialog* palette)
        : CheckDialogButton(palette, kTransferItem) {}

private:
    void Act(CheckDialog& palette) override { palette.TransferListedBarcode(); }
};

// The palette's flyout menu: the profile editor, the report settings and
// the symbology order, whose mark shows the registry's order.
class CheckDialogSideMenu : public M7LBaseADMItem {
public:
    explicit CheckDialogSideMenu(CheckDialog* palette)
        : M7LBaseADMItem(ItemOf(palette, kSideMenuItem), palette, kSideMenuItem),
          palette_(*palette) {
        list_ = GetItem() ? sAdmItem->GetList(GetItem()) : host::List{};
        if (list_) {
            sAdmList->LoadMenu(list_, gPluginRef, kSideMenuId);
        }
        UpdateCheck();
    }

    void Notify(host::AdmNotifier notifier) override {
        M7LBaseADMItem::Notify(notifier);
        const host::Entry picked = list_ ? sAdmList->GetActiveEntry(list_) : host::Entry{};
        if (!IsUserChange(notifier) || !picked) {
            return;
        }
        switch (sAdmEntry->GetIndex(picked)) {
            case kEditProfileEntry:
                palette_.EditProfile();
                break;
            case kReportSettingsEntry:
                palette_.EditReportSettings();
                break;
            case kUPCBeforeEANEntry:
                palette_.SetUPCBeforeEAN(!palette_.GetUPCBeforeEAN());
                UpdateCheck();
                break;
            default:
                break;
        }
    }

    void UpdateCheck() {
        const host::Entry entry =
            list_ ? sAdmList->FindEntry(list_, kUPCBeforeEANEntryId) : host::Entry{};
        if (entry) {
            sAdmEntry->SetChecked(entry, palette_.GetUPCBeforeEAN());
        }
    }

private:
    CheckDialog& palette_;
    host::List list_;
};

std::string CutUtf8Text(std::string text, std::size_t bytes) {
    if (text.size() <= bytes) {
        return text;
    }
    while (bytes > 0 && (static_cast<unsigned char>(text[bytes]) & 0xC0) == 0x80) {
        --bytes;
    }
    text.resize(bytes);
    return text;
}

void ShowFileErrorAlert(host::Error code) {
    host::MessageHeader header{gPluginRef, nullptr};
    ReportPluginError(&header, code);
}

CheckDialog::CheckDialog()
    : M7LBaseADMDialog(kDialogName, kDialogId, kResizableTabbedPaletteStyle, kPreferenceSection,
                       kDockGroupName, kDefaultPosition, kDefaultPosition, true) {
    RegisterSymbologies(false);
    Show();
    if (GetDialog()) {
        sAdmDialog->SetMinWidth(GetDialog(), kMinWidth);
        sAdmDialog->SetMinHeight(GetDialog(), kMinHeight);
    }
}

CheckDialog::~CheckDialog() {
    SaveSettings();
    if (GetDialog()) {
        Destroy();
    }
    delete profile_;
    if (gCheckDialog == this) {
        gCheckDialog = nullptr;
    }
}

host::Error CheckDialog::Init() {
    checkButton_ = new CheckBarCodesButton(this);
    list_ = new BarCodeList(kListItem, this);
    selectButton_ = new SelectBarCodeButton(this);
    reportButton_ = new GenerateReportButton(this);
    sideMenu_ = new CheckDialogSideMenu(this);
    const void* suite = nullptr;
    if (sSpBasic->AcquireSuite(kStriveloSuiteName, kStriveloSuiteVersion, &suite) ==
        host::kNoError) {
        sSpBasic->ReleaseSuite(kStriveloSuiteName, kStriveloSuiteVersion);
        transferButton_ = new TransfertoSTVLButton(this);
    } else {
        EnableItem(kTransferItem, false);
    }
    EnableItem(kStatusItem, false);
    UpdateButtons(0);
    return M7LBaseADMDialog::Init();
}

void CheckDialog::Destroy() {
    delete checkButton_;
    delete list_;
    delete selectButton_;
    delete reportButton_;
    delete transferButton_;
    delete sideMenu_;
    checkButton_ = nullptr;
    list_ = nullptr;
    selectButton_ = nullptr;
    reportButton_ = nullptr;
    transferButton_ = nullptr;
    sideMenu_ = nullptr;
    M7LBaseADMDialog::Destroy();
}

void CheckDialog::Notify(host::AdmNotifier notifier) {
    M7LBaseADMDialog::Notify(notifier);
    char type[kNotifierTypeBytes] = {};
    sAdmNotifier->GetNotifierType(notifier, type, sizeof type);
    if (sSpBasic->IsEqual(type, host::kAdmBoundsChangedNotifier)) {
        LayOut();
    }
}

void CheckDialog::LoadSettings() {
    const char* section = kPreferenceSection;
    bool upcBeforeEan = kDefaultUPCBeforeEAN;
    sAiPreference->GetBooleanPreference(section, kUPCBeforeEANKey, &upcBeforeEan);
    SetUPCBeforeEAN(upcBeforeEan);
    sAiPreference->GetIntegerPreference(section, kReportModeKey, &reportMode_);
    sAiPreference->GetIntegerPreference(section, kReportUnitsKey, &reportUnits_);
    char text[kNamePartBytes];
    reportNamePrefix_.Assign(sAiPreference->GetStringPreference(section, kReportNamePrefixKey, text,
                                                                sizeof text) == host::kNoError
                                 ? text
                                 : kDefaultReportNamePrefix);
    sAiPreference->GetBooleanPreference(section, kReportNameUseFileNameKey,
                                        &reportNameUseFileName_);
    reportNamePostfix_.Assign(sAiPreference->GetStringPreference(section, kReportNamePostfixKey,
                                                                 text,
                                                                 sizeof text) == host::kNoError
                                  ? text
                                  : "");
    sAiPreference->GetBooleanPreference(section, kGenerateReportOnSelectKey,
                                        &generateReportOnSelect_);
    if (sideMenu_ != nullptr) {
        sideMenu_->UpdateCheck();
    }
}

void CheckDialog::SaveSettings() {
    const char* section = kPreferenceSection;
    sAiPreference->PutBooleanPreference(section, kUPCBeforeEANKey, GetUPCBeforeEAN());
    sAiPreference->PutIntegerPreference(section, kReportModeKey, reportMode_);
    sAiPreference->PutIntegerPreference(section, kReportUnitsKey, reportUnits_);
    sAiPreference->PutStringPreference(section, kReportNamePrefixKey, reportNamePrefix_.CStr());
    sAiPreference->PutBooleanPreference(section, kReportNameUseFileNameKey, reportNameUseFileName_);
    sAiPreference->PutStringPreference(section, kReportNamePostfixKey, reportNamePostfix_.CStr());
    sAiPreference->PutBooleanPreference(section, kGenerateReportOnSelectKey,
                                        generateReportOnSelect_);
    // A profile made for the palette has no file; only a saved one is named.
    if (profile_ != nullptr && profile_->GetFileSpecification().Exists()) {
        PutFileSpecificationPreference(section, kProfileSpecKey, profile_->GetFileSpecification());
    }
}

bool CheckDialog::IsShown() const {
    return GetDialog() && IsVisible();
}

BarcodeVettrin::BarcodeProfile* CheckDialog::GetProfile() {
    if (profile_ == nullptr) {
        SetProfile(new BarcodeVettrin::BarcodeProfile());
    }
    return profile_;
}

host::Error CheckDialog::SetProfile(BarcodeVettrin::BarcodeProfile* profile) {
    if (profile != profile_) {
        delete profile_;
        profile_ = profile;
    }
    if (profile_ != nullptr) {
        if (const host::Item name = Item(kProfileNameItem)) {
            sAdmItem->SetText(name, profile_->GetProfileName());
        }
        EnableItem(kProfileNameItem, profile_->CountEnabledTests() != 0);
        EnableItem(kFixesItem, profile_->CountEnabledFixes() != 0);
    }
    return host::kNoError;
}

// Each dialog runs modally while it is made.
void CheckDialog::EditProfile() {
    EditProfileDialog dialog(*this);
}

void CheckDialog::EditReportSettings() {
    ReportSettingsDialog dialog(*this);
}

bool CheckDialog::GetUPCBeforeEAN() const {
    return RegistryHasUPCBeforeEAN();
}

void CheckDialog::SetUPCBeforeEAN(bool upcBeforeEan) {
    if (upcBeforeEan == GetUPCBeforeEAN()) {
        return;
    }
    Strivelo::FreeRegistry();
    RegisterSymbologies(upcBeforeEan);
}

void CheckDialog::SetReportName(const char* prefix, bool useFileName, const char* postfix) {
    reportNamePrefix_.Assign(prefix);
    reportNameUseFileName_ = useFileName;
    reportNamePostfix_.Assign(postfix);
}

void CheckDialog::UpdateButtons(std::size_t count) {
    if (const host::Item countItem = Item(kCountItem)) {
        sAdmItem->SetIntegerValue(countItem, static_cast<std::int32_t>(count));
    }
    EnableItem(kSelectItem, count != 0);
    EnableItem(kReportItem, count != 0);
    if (transferButton_ != nullptr) {
        EnableItem(kTransferItem, count != 0);
    }
}

void CheckDialog::Reset() {
    if (list_ != nullptr) {
        list_->Clear();
    }
    artList_.Clear();
    UpdateButtons(0);
    EnableItem(kStatusItem, false);
}

bool CheckDialog::SelectListedBarcode() {
    std::size_t barcode = 0;
    if (list_ == nullptr || !list_->GetSelectedBarcode(&barcode)) {
        return false;
    }
    host::RealRect bounds{};
    host::DocumentView view;
    if (DeselectAllArt() != host::kNoError || artList_.SelectBarcode(barcode) != host::kNoError ||
        artList_.GetBounds(&bounds, barcode) != host::kNoError ||
        sAiDocumentView->GetNthDocumentView(0, &view) != host::kNoError) {
        return false;
    }
    const host::RealPoint centre{(bounds.left + bounds.right) / 2,
                                 (bounds.top + bounds.bottom) / 2};
    const double extent = std::max(bounds.right - bounds.left, bounds.top - bounds.bottom);
    // A tiny or degenerate barcode is shown at the closest zoom there is.
    const double zoom =
        extent > kShownExtentPoints / host::kMaxViewZoom
            ? std::clamp(kShownExtentPoints / extent, host::kMinViewZoom, host::kMaxViewZoom)
            : host::kMaxViewZoom;
    return sAiDocumentView->SetDocumentViewCenter(view, centre) == host::kNoError &&
           sAiDocumentView->SetDocumentViewZoom(view, zoom) == host::kNoError;
}

void CheckDialog::TransferListedBarcode() {
    std::size_t barcode = 0;
    if (list_ == nullptr || !list_->GetSelectedBarcode(&barcode)) {
        return;
    }
    host::RealRect bounds{};
    if (artList_.SelectBarcode(barcode) != host::kNoError ||
        artList_.GetBounds(&bounds, barcode) != host::kNoError) {
        return;
    }
    const float middleH = (bounds.left + bounds.right) / 2;
    const float middleV = (bounds.top + bounds.bottom) / 2;
    const bool upright = artList_.GetOrientation(barcode) == kReadAlongX;
    const host::RealPoint from =
        upright ? host::RealPoint{bounds.left, middleV} : host::RealPoint{middleH, bounds.top};
    const host::RealPoint to =
        upright ? host::RealPoint{bounds.right, middleV} : host::RealPoint{middleH, bounds.bottom};
    const void* suite = nullptr;
    if (sSpBasic->AcquireSuite(kStriveloSuiteName, kStriveloSuiteVersion, &suite) !=
        host::kNoError) {
        return;
    }
    static_cast<const StriveloSuite*>(suite)->ReadBarcodeAlongLine(from, to);
    sSpBasic->ReleaseSuite(kStriveloSuiteName, kStriveloSuiteVersion);
}

std::string CheckDialog::MakeReportFileName(const M7L_FileSpecificationNative& documentFile) const {
    std::string stem = reportNamePrefix_.CStr();
    char documentName[M7L_FileSpecificationNative::kAnsiPathCapacityBytes];
    if (reportNameUseFileName_ && documentFile.HasPath() &&
        documentFile.GetFileName(documentName, sizeof documentName)) {
        const std::string_view name(documentName);
        stem += name.substr(0, name.rfind('.'));
    }
    stem += reportNamePostfix_.CStr();
    const std::string extension = FormatOf(reportMode_).extension;
    return CutUtf8Text(std::move(stem), kMaxFileNameBytes - extension.size()) + extension;
}

bool CheckDialog::ChooseReportFile(M7L_FileSpecificationNative* reportFile,
                                   const M7L_FileSpecificationNative& documentFile) const {
    const host::FileFilter filters[] = {FormatOf(reportMode_).filter, kAllFiles};
    host::PlatformFileSpecification chosen{};
    if (sAiUser->PutFileDialog(kReportFileMessage, filters, std::size(filters),
                               MakeReportFileName(documentFile).c_str(),
                               &chosen) != host::kNoError) {
        return false;
    }
    *reportFile = M7L_FileSpecificationNative(chosen.path);
    return true;
}

bool CheckDialog::SaveReportText(const M7L_FileSpecificationNative& reportFile,
                                 BarcodeVettrin::BarcodeReport& report) {
    const char* path = reportFile.GetAnsiPath();
    if (path == nullptr || !ReplaceFile(path, report.GetText())) {
        ShowFileErrorAlert(kErrorFileNotSaved);
        return false;
    }
    return true;
}

host::Item CheckDialog::Item(std::int32_t itemId) const {
    return GetDialog() ? GetItem(itemId) : host::Item{};
}

void CheckDialog::EnableItem(std::int32_t itemId, bool enable) const {
    if (const host::Item item = Item(itemId)) {
        sAdmItem->Enable(item, enable);
    }
}

void CheckDialog::LayOut() {
    host::Rect palette{};
    sAdmDialog->GetLocalRect(GetDialog(), &palette);
    host::Rect bounds{};

    const host::Item list = Item(kListItem);
    sAdmItem->GetBoundsRect(list, &bounds);
    const std::int32_t listWidth = palette.right - kListWidthMargin;
    const std::int32_t listHeight = palette.bottom - kListHeightMargin;
    if (bounds.right - bounds.left != listWidth || bounds.bottom - bounds.top != listHeight) {
        sAdmItem->Size(list, listWidth, listHeight);
    }

    const host::Item status = Item(kStatusItem);
    sAdmItem->GetBoundsRect(status, &bounds);
    if (bounds.right != palette.right - kStatusRightMargin || bounds.bottom != palette.bottom) {
        sAdmItem->Move(status, palette.right - kStatusLeftFromRight,
                       palette.bottom - (bounds.bottom - bounds.top));
    }

    const host::Item count = Item(kCountItem);
    sAdmItem->GetBoundsRect(count, &bounds);
    if (bounds.bottom != palette.bottom) {
        const std::int32_t top = palette.bottom - (bounds.bottom - bounds.top);
        sAdmItem->Move(count, bounds.left, top);
        const host::Item label = Item(kCountLabelItem);
        sAdmItem->GetBoundsRect(label, &bounds);
        sAdmItem->Move(label, bounds.left, palette.bottom - (bounds.bottom - bounds.top));
    }
}
