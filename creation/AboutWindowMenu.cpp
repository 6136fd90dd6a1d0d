#include "AboutWindowMenu.h"

#include "M7LAIPlugin.h"
#include "M7LPluginMain.h"

AboutWindowMenu::AboutWindowMenu(const host::MessageHeader& message) {
    AddMenuItemToWindowsGroup(message, kName, kTextList, kTextIndex, &handle_);
    Register();
}

host::Error AboutWindowMenu::Go(host::MenuMessage*) {
    if (gPlugin != nullptr) {
        gPlugin->About();
    }
    return host::kNoError;
}

host::Error AboutWindowMenu::Update(host::MenuMessage*) {
    return host::kNoError;
}
