#pragma once

#include "M7LAIWrappers.h"
#include "host/HostErrors.h"
#include "host/HostMessages.h"

// "Filter Fix Deviation" in the plug-in's filters group: every barcode of
// the document gets its own nominal bar widths back.
class FilterAdjustDeviationMenu : public M7LAIWrapperMenuItem {
public:
    explicit FilterAdjustDeviationMenu(const host::MessageHeader& message);

    host::Error Go(host::MenuMessage* message) override;
    host::Error Update(host::MenuMessage*) override { return host::kNoError; }
};
