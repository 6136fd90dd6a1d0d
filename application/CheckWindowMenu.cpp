#include "CheckWindowMenu.h"

#include <cstdint>

#include "CheckDialog.h"
#include "M7LAIPlugin.h"
#include "M7LResources.h"
#include "M7LSuiteTable.h"
#include "host/AiSuites.h"

namespace {

constexpr const char* kItemName = "Check Readout";
constexpr int kTextList = 26000;
constexpr int kHideIndex = 1;
constexpr int kShowIndex = 2;
constexpr int kMenuTextBytes = 64;

}  // namespace

CheckWindowMenu::CheckWindowMenu(const host::MessageHeader& message) {
    AddMenuItemToWindowsGroup(message, kItemName, kTextList, kShowIndex, &handle_);
    Register();
}

host::Error CheckWindowMenu::Go(host::MenuMessage*) {
    if (gCheckDialog == nullptr) {
        return host::kNoError;
    }
    const bool shown = gCheckDialog->IsShown();
    if (gCheckDialog->GetDialog()) {
        gCheckDialog->Show(!shown);
    }
    return SetText(shown ? kShowIndex : kHideIndex);
}

host::Error CheckWindowMenu::Update(host::MenuMessage*) {
    return SetText(gCheckDialog != nullptr && gCheckDialog->IsShown() ? kHideIndex : kShowIndex);
}

host::Error CheckWindowMenu::SetText(int index) const {
    char text[kMenuTextBytes];
    if (!LoadResourceString(text, kTextList, index, sizeof text)) {
        return host::kErrorNotFound;
    }
    return sAiMenu->SetItemText(handle_, text);
}
