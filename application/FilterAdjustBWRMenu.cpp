#include "FilterAdjustBWRMenu.h"

#include "GlobalBarcodeAction.h"
#include "M7LAIPlugin.h"

namespace {

constexpr const char* kItemName = "Filter Change BWR";
constexpr int kTextList = 26000;
constexpr int kTextIndex = 3;

}  // namespace

FilterAdjustBWRMenu::FilterAdjustBWRMenu(const host::MessageHeader& message) {
    AddMenuItemToFiltersGroup(message, kItemName, kTextList, kTextIndex, &handle_);
    Register();
}

host::Error FilterAdjustBWRMenu::Go(host::MenuMessage*) {
    GlobalBarcodeAction action;
    action.AskAndChangeBarWidthReduction();
    return host::kNoError;
}
