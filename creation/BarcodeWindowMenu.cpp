#include "BarcodeWindowMenu.h"

#include <array>

#include "BarcodeDialog.h"
#include "M7LAIPlugin.h"
#include "M7LSuiteTable.h"

namespace {

constexpr std::size_t kTextBytes = 64;

}  // namespace

BarcodeWindowMenu::BarcodeWindowMenu(const host::MessageHeader& message) {
    AddMenuItemToWindowsGroup(message, kName, kTextList, kShowText, &handle_);
    Register();
}

host::Error BarcodeWindowMenu::Go(host::MenuMessage* message) {
    if (gBarcodeDialog == nullptr) {
        return host::kNoError;
    }
    const bool show = !gBarcodeDialog->IsVisible();
    gBarcodeDialog->Show(show);
    return SetText(*message, show ? kHideText : kShowText);
}

host::Error BarcodeWindowMenu::Update(host::MenuMessage* message) {
    const bool visible = gBarcodeDialog != nullptr && gBarcodeDialog->IsVisible();
    return SetText(*message, visible ? kHideText : kShowText);
}

host::Error BarcodeWindowMenu::SetText(const host::MenuMessage& message, std::int32_t index) const {
    std::array<char, kTextBytes> text{};
    if (!sAdmBasic->GetIndexString(message.header.plugin, kTextList, index, text.data(),
                                   text.size())) {
        return host::kErrorNotFound;
    }
    return sAiMenu->SetItemText(handle_, text.data());
}
