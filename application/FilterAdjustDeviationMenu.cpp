#include "FilterAdjustDeviationMenu.h"

#include "GlobalBarcodeAction.h"
#include "M7LAIPlugin.h"

namespace {

constexpr const char* kItemName = "Filter Fix Deviation";
constexpr int kTextList = 26000;
constexpr int kTextIndex = 4;

}  // namespace

FilterAdjustDeviationMenu::FilterAdjustDeviationMenu(const host::MessageHeader& message) {
    AddMenuItemToFiltersGroup(message, kItemName, kTextList, kTextIndex, &handle_);
    Register();
}

host::Error FilterAdjustDeviationMenu::Go(host::MenuMessage*) {
    GlobalBarcodeAction action;
    action.FixDeviation();
    return host::kNoError;
}
