#pragma once

#include "M7LAIWrappers.h"
#include "host/HostErrors.h"
#include "host/HostMessages.h"

// "Filter Change BWR" in the plug-in's filters group: a new bar width
// reduction for every barcode of the document.
class FilterAdjustBWRMenu : public M7LAIWrapperMenuItem {
public:
    explicit FilterAdjustBWRMenu(const host::MessageHeader& message);

    host::Error Go(host::MenuMessage* message) override;
    host::Error Update(host::MenuMessage*) override { return host::kNoError; }
};
