#pragma once

#include <cstdint>

#include "M7LAIWrappers.h"
#include "host/HostMessages.h"

// "Barcode Readout" in the plug-in's windows group: shows or hides the
// barcode palette; its text names what choosing it does next.
class BarcodeWindowMenu : public M7LAIWrapperMenuItem {
public:
    static constexpr const char* kName = "Barcode Readout";
    static constexpr std::int32_t kTextList = 16000;
    static constexpr std::int32_t kHideText = 1;
    static constexpr std::int32_t kShowText = 2;

    explicit BarcodeWindowMenu(const host::MessageHeader& message);

    // The text that cannot be loaded is the result, and the item keeps its
    // text.
    host::Error Go(host::MenuMessage* message) override;
    host::Error Update(host::MenuMessage* message) override;

private:
    host::Error SetText(const host::MenuMessage& message, std::int32_t index) const;
};
