#include "BarcodeTypePopUp.h"

#include <algorithm>

#include "BarcodeDialog.h"
#include "M7LPluginMain.h"
#include "M7LSuiteTable.h"

BarcodeTypePopUp::BarcodeTypePopUp(BarcodeDialog* palette)
    : BarcodeDialogItem(BarcodeDialog::kTypePopUpItem, palette),
      list_(sAdmItem->GetList(GetItem())) {
    sAdmList->LoadMenu(list_, gPluginRef, kMenuId);
    SelectType(kTypes.front());
}

void BarcodeTypePopUp::Notify(host::AdmNotifier notifier) {
    M7LBaseADMItem::Notify(notifier);
    if (!IsUserChange(notifier)) {
        return;
    }
    const host::Entry chosen = sAdmList->GetActiveEntry(list_);
    const std::int32_t index = chosen ? sAdmEntry->GetIndex(chosen) : -1;
    if (index >= 0 && static_cast<std::size_t>(index) < kTypes.size() &&
        kTypes[static_cast<std::size_t>(index)] != kSeparator) {
        Palette().SetBarcodeType(kTypes[static_cast<std::size_t>(index)]);
    }
}

bool BarcodeTypePopUp::SelectType(std::int32_t type) const {
    const auto found = std::find(kTypes.begin(), kTypes.end(), type);
    const host::Entry entry =
        found != kTypes.end() && type != kSeparator
            ? sAdmList->FindEntry(list_, static_cast<std::int32_t>(found - kTypes.begin()) + 1)
            : host::Entry{};
    if (!entry) {
        return false;
    }
    sAdmEntry->Select(entry, true);
    return true;
}
