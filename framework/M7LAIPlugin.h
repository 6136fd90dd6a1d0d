#pragma once

#include <cstdint>

#include "M7LAIWrappers.h"
#include "host/HostErrors.h"
#include "host/HostHandles.h"
#include "host/HostMessages.h"

// The plug-in object: what the application does at the fixed points of the
// plug-in's life. Every operation of the base succeeds and does nothing.
class M7LAIPlugin {
public:
    M7LAIPlugin() = default;
    virtual ~M7LAIPlugin() = default;
    M7LAIPlugin(const M7LAIPlugin&) = delete;
    M7LAIPlugin& operator=(const M7LAIPlugin&) = delete;

    virtual host::Error Startup(host::InterfaceMessage* message);
    virtual host::Error ApplicationStarted(host::NotifierMessage* message);
    // Only after ApplicationStarted succeeded.
    virtual host::Error ApplicationStartedDone(host::NotifierMessage* message);
    virtual host::Error Shutdown(host::InterfaceMessage* message);
    virtual host::Error About();
    // After the application-started notifier exists; its result is not used.
    virtual host::Error PostStartup(host::InterfaceMessage* message);
    virtual host::Error Reload(host::AccessMessage* message);
    virtual host::Error Unload(host::AccessMessage* message);
};

// The application's factory: a new plug-in object, or null when memory runs
// out. Called by the first message of any kind.
M7LAIPlugin* CreateBarcodePlugin();

inline constexpr const char* kApplicationStartedNotifierName = "ApplicationStartedNotifier";

// Tells the plug-in object that the application has started.
class ApplicationStartedNotifier : public M7LAIWrapperNotifier {
public:
    explicit ApplicationStartedNotifier(const host::MessageHeader& message);

    host::Error Notify(host::NotifierMessage* message) override;
};

// Adds a menu item with the text of (listId, index) to the plug-in family's
// group under the host's "Tool Palettes" or "Filter Utilities", making the
// group on first need. The first failing host call's code, and no item.
host::Error AddMenuItemToWindowsGroup(const host::MessageHeader& message, const char* itemName,
                                      std::int32_t listId, std::int32_t index,
                                      host::MenuItem* item);
host::Error AddMenuItemToFiltersGroup(const host::MessageHeader& message, const char* itemName,
                                      std::int32_t listId, std::int32_t index,
                                      host::MenuItem* item);
