#pragma once

#include <cstdint>

#include "BarcodeDialogItem.h"
#include "host/HostHandles.h"

// The palette's options menu: check marks for the options, and the font
// replacements' dialog, offered while there are replacements.
class SideMenu : public BarcodeDialogItem {
public:
    static constexpr std::int32_t kMenuId = 16001;

    // Loads the menu and shows the options.
    explicit SideMenu(BarcodeDialog* palette);

    void Notify(host::AdmNotifier notifier) override;
    // The check marks follow the options; the font replacements' entry is
    // enabled when there is one.
    void Refresh() const;

private:
    host::List list_;
};
