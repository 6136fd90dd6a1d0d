#include "BarcodeFontDialog.h"

#include <array>

#include "BarcodeDialog.h"
#include "CloseFontReplaceDialog.h"
#include "DeleteFontReplaceItem.h"
#include "FacePopUp.h"
#include "FontList.h"
#include "M7LAIADMFontList.h"
#include "M7LSuiteTable.h"
#include "StylePopUp.h"
#include "host/HostPolicies.h"

namespace {

constexpr std::int32_t kDefaultPosition = 50;
constexpr std::int32_t kNoUserValue = 0;
constexpr std::int32_t kModalResult = 0;

using FontName = std::array<char, BarcodeDialog::kFontNameBytes>;

// The font's typeface and style names; a style the host does not know is
// "".
host::Error NamesOf(host::Font font, FontName* face, FontName* style) {
    if (const host::Error error = sAiFont->GetTypefaceName(font, face->data(), face->size())) {
        return error;
    }
    const host::Error error = sAiFont->GetStyleName(font, style->data(), style->size());
    if (error == host::kErrorFontNotFound) {
        (*style)[0] = '\0';
        return host::kNoError;
    }
    return error;
}

host::Error FindFont(const char* name, host::Font* font) {
    return sAiFont->FindFont(name, host::kFontTechnologyAny, host::kFontScriptRoman, false, font);
}

}  // namespace

BarcodeFontDialog::BarcodeFontDialog()
    : M7LBaseADMDialog("BarcodeFontDialog", kResourceId, kModalStyle, "M7LBarcodeFontDialog",
                       "Mor7Lant_BarcodeFontDialog", kDefaultPosition, kDefaultPosition, false) {
    Show();
}

host::Error BarcodeFontDialog::Init() {
    face_ = new FacePopUp(kFaceItem, this);
    style_ = new StylePopUp(kStyleItem, this);
    list_ = new FontList(kListItem, this);
    delete_ = new DeleteFontReplaceItem(kDeleteItem, this);
    close_ = new CloseFontReplaceDialog(kCloseItem, this);
    const host::Error error = M7LBaseADMDialog::Init();
    for (std::size_t i = 0; gBarcodeDialog != nullptr && gBarcodeDialog->GetOriginalFontName(i);
         ++i) {
        host::Font font;
        FontName face{};
        FontName style{};
        if (FindFont(gBarcodeDialog->GetReplacementFontName(i), &font) != host::kNoError ||
            NamesOf(font, &face, &style) != host::kNoError) {
            break;
        }
        list_->AddEntry(gBarcodeDialog->GetOriginalFontName(i), face.data(), style.data());
    }
    list_->Select(0);
    return error;
}

void BarcodeFontDialog::Destroy() {
    DeleteItems();
    M7LBaseADMDialog::Destroy();
}

void BarcodeFontDialog::DeleteItems() {
    delete face_;
    delete style_;
    delete list_;
    delete delete_;
    delete close_;
    face_ = nullptr;
    style_ = nullptr;
    list_ = nullptr;
    delete_ = nullptr;
    close_ = nullptr;
}

void BarcodeFontDialog::SelectEntryFont(std::size_t index) const {
    const char* replacement =
        gBarcodeDialog != nullptr ? gBarcodeDialog->GetReplacementFontName(index) : nullptr;
    host::Font font;
    if (replacement != nullptr && FindFont(replacement, &font) == host::kNoError) {
        M7LAIADMFontList::SelectFont(font);
    }
}

bool BarcodeFontDialog::ApplyPopupsToEntry(std::size_t index) const {
    const char* original =
        gBarcodeDialog != nullptr ? gBarcodeDialog->GetOriginalFontName(index) : nullptr;
    host::Font font;
    FontName name{};
    FontName face{};
    FontName style{};
    if (original == nullptr || M7LAIADMFontList::GetSelectedFont(&font) != host::kNoError ||
        sAiFont->GetPostScriptName(font, name.data(), name.size()) != host::kNoError ||
        NamesOf(font, &face, &style) != host::kNoError ||
        gBarcodeDialog->SetFontReplacement(original, name.data()) != host::kNoError) {
        return false;
    }
    list_->SetReplacement(static_cast<std::int32_t>(index), face.data(), style.data());
    return true;
}

void BarcodeFontDialog::ApplyToSelected() const {
    list_->ApplySelected();
}

void BarcodeFontDialog::DeleteSelected() const {
    const std::int32_t selected = list_->GetSelectedIndex();
    if (selected == FontList::kNoRow) {
        return;
    }
    // Gone from the palette first, so that the row selected next shows its
    // own font, not the one deleted.
    const M7LString original(list_->GetOriginal(selected));
    if (gBarcodeDialog != nullptr) {
        gBarcodeDialog->RemoveFontReplacement(original.CStr());
    }
    list_->RemoveEntry(original.CStr());
}

void BarcodeFontDialog::CloseDialog() const {
    list_->ApplySelected();
    sAdmDialog->EndModal(GetDialog(), kModalResult, false);
}

BarcodeFontDialogButton::BarcodeFontDialogButton(std::int32_t itemId, BarcodeFontDialog* dialog,
                                                 Action action)
    : M7LBaseADMItem(ItemOf(dialog, itemId), dialog, kNoUserValue),
      dialog_(dialog),
      action_(action) {}

void BarcodeFontDialogButton::Notify(host::AdmNotifier notifier) {
    M7LBaseADMItem::Notify(notifier);
    if (IsUserChange(notifier)) {
        (dialog_->*action_)();
    }
}
