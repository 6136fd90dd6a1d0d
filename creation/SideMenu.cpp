#include "SideMenu.h"

#include "BarcodeDialog.h"
#include "BarcodeFontDialog.h"
#include "M7LPluginMain.h"
#include "M7LSuiteTable.h"

namespace {

// The entries by index, with their menu ids.
enum Entry : std::int32_t {
    kSelfCheck = 0,
    kAllowIllegal = 1,
    kUpcBeforeEan = 3,
    kScaleHeight = 5,
    kEraseBox = 6,
    kTextOutlines = 7,
    kFontReplacements = 9,
};

constexpr std::int32_t IdOf(Entry entry) {
    return entry + 1;
}

// The palette's option of an entry with a check mark.
struct Option {
    Entry entry;
    bool (BarcodeDialog::*get)() const;
    void (BarcodeDialog::*set)(bool);
};

constexpr Option kOptions[] = {
    {kSelfCheck, &BarcodeDialog::GetDoSelfCheckOnCreate, &BarcodeDialog::SetDoSelfCheckOnCreate},
    {kAllowIllegal, &BarcodeDialog::GetAllowIllegalParametersOnCreate,
     &BarcodeDialog::SetAllowIllegalParametersOnCreate},
    {kScaleHeight, &BarcodeDialog::GetScaleHeightWithWidth,
     &BarcodeDialog::SetScaleHeightWithWidth},
    {kEraseBox, &BarcodeDialog::GetAddEraseBox, &BarcodeDialog::SetAddEraseBox},
    {kTextOutlines, &BarcodeDialog::GetCreateTextOutlines, &BarcodeDialog::SetCreateTextOutlines},
};

}  // namespace

SideMenu::SideMenu(BarcodeDialog* palette)
    : BarcodeDialogItem(BarcodeDialog::kSideMenuItem, palette),
      list_(sAdmItem->GetList(GetItem())) {
    sAdmList->LoadMenu(list_, gPluginRef, kMenuId);
    Refresh();
}

void SideMenu::Refresh() const {
    const auto check = [this](Entry entry, bool checked) {
        if (const host::Entry found = sAdmList->FindEntry(list_, IdOf(entry))) {
            sAdmEntry->SetChecked(found, checked);
        }
    };
    for (const Option& option : kOptions) {
        check(option.entry, (Palette().*option.get)());
    }
    check(kUpcBeforeEan, BarcodeDialog::GetUPCBeforeEAN());
    if (const host::Entry found = sAdmList->FindEntry(list_, IdOf(kFontReplacements))) {
        sAdmEntry->Enable(found, Palette().GetFontReplacementCount() > 0);
    }
}

void SideMenu::Notify(host::AdmNotifier notifier) {
    M7LBaseADMItem::Notify(notifier);
    if (!IsUserChange(notifier)) {
        return;
    }
    const host::Entry chosen = sAdmList->GetActiveEntry(list_);
    const std::int32_t index = chosen ? sAdmEntry->GetIndex(chosen) : -1;
    for (const Option& option : kOptions) {
        if (option.entry == index) {
            (Palette().*option.set)(!(Palette().*option.get)());
        }
    }
    if (index == kUpcBeforeEan) {
        BarcodeDialog::SetUPCBeforeEAN(!BarcodeDialog::GetUPCBeforeEAN());
    } else if (index == kFontReplacements) {
        BarcodeFontDialog dialog;
    }
    Refresh();
}
