#pragma once

#include <cstdint>

#include "M7LAIWrappers.h"
#include "host/HostMessages.h"

// "About" in the plug-in's windows group: the plug-in object's About.
class AboutWindowMenu : public M7LAIWrapperMenuItem {
public:
    static constexpr const char* kName = "About";
    static constexpr std::int32_t kTextList = 26900;
    static constexpr std::int32_t kTextIndex = 1;

    explicit AboutWindowMenu(const host::MessageHeader& message);

    host::Error Go(host::MenuMessage* message) override;
    host::Error Update(host::MenuMessage* message) override;
};
