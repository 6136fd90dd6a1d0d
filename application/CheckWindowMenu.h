#pragma once

#include "M7LAIWrappers.h"
#include "host/HostErrors.h"
#include "host/HostMessages.h"

// "Check Readout" in the plug-in's windows group: shows and hides the check
// palette; its text names what choosing it does next.
class CheckWindowMenu : public M7LAIWrapperMenuItem {
public:
    explicit CheckWindowMenu(const host::MessageHeader& message);

    // Nothing before the palette exists.
    host::Error Go(host::MenuMessage* message) override;
    host::Error Update(host::MenuMessage* message) override;

private:
    // The text of the string list's entry becomes the item's; the error
    // when it cannot be loaded.
    host::Error SetText(int index) const;
};
