#pragma once

#include <cstdint>

#include "M7LAIPlugin.h"
#include "host/HostErrors.h"
#include "host/HostGeometry.h"
#include "host/HostMessages.h"

// The answer of the published suite once the plug-in has shut down: the
// palettes and the host suites it would need are gone.
inline constexpr host::Error kErrorPluginShutDown = host::FourCharCode("!off");

// The plug-in's application object: at start-up it makes the tools, menu
// items and notifiers, once the application has started the two palettes,
// which it deletes at shutdown; it publishes the suite that reads a barcode
// along a line into the barcode palette. Until start-up has completed every
// other operation does nothing.
class BarcodePlugin : public M7LAIPlugin {
public:
    host::Error Startup(host::InterfaceMessage* message) override;
    // '!MEM' when a palette cannot be made; without the barcode palette the
    // check palette is not tried.
    host::Error ApplicationStarted(host::NotifierMessage* message) override;
    host::Error Shutdown(host::InterfaceMessage* message) override;
    host::Error About() override;
    // Publishes the suite; the host's error when its table or the suite
    // cannot be added.
    host::Error PostStartup(host::InterfaceMessage* message) override;
    // The suite's entry is the reading again.
    host::Error Reload(host::AccessMessage* message) override;
    // The suite's entry is the host's stub while the code is unloaded.
    host::Error Unload(host::AccessMessage* message) override;

    // The suite's function: reads the barcode the horizontal or vertical
    // line between the two points (document points) crosses into the
    // barcode palette and selects its bars; a line that reads nothing
    // empties the palette's code and beeps. 0 for two equal points; the
    // scanner's error for a slanted line; kErrorPluginShutDown after
    // shutdown. No exception leaves it.
    static host::Error ReadBarcodeAlongLine(host::RealPoint from, host::RealPoint to);

private:
    std::uint8_t started_ = 0;
};
