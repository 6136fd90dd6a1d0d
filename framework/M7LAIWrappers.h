#pragma once

#include <cstdint>
#include <new>
#include <utility>
#include <vector>

#include "host/HostErrors.h"
#include "host/HostHandles.h"
#include "host/HostMessages.h"

// The plug-in's menu items, notifiers and tools, each an object of a class
// derived from one of these bases. The host knows them by handle; a message
// for a handle reaches the object registered with it. The registries own
// the objects from registration until "Shutdown". They are made inside a
// message, so the suite table is held.

class M7LAIWrapperMenuItem {
public:
    M7LAIWrapperMenuItem() = default;
    virtual ~M7LAIWrapperMenuItem() = default;
    M7LAIWrapperMenuItem(const M7LAIWrapperMenuItem&) = delete;
    M7LAIWrapperMenuItem& operator=(const M7LAIWrapperMenuItem&) = delete;

    virtual host::Error Go(host::MenuMessage* message) = 0;
    virtual host::Error Update(host::MenuMessage* message) = 0;

    host::MenuItem GetHandle() const { return handle_; }
    bool IsRegistered() const;

protected:
    // Called by the subclass once it added its item into handle_; registers
    // the object when the host gave a handle.
    void Register();

    host::MenuItem handle_;
};

class M7LAIWrapperNotifier {
public:
    // Adds the notifier for the type and registers the object when the host
    // gave a handle.
    M7LAIWrapperNotifier(const host::MessageHeader& message, const char* name, const char* type);
    virtual ~M7LAIWrapperNotifier() = default;
    M7LAIWrapperNotifier(const M7LAIWrapperNotifier&) = delete;
    M7LAIWrapperNotifier& operator=(const M7LAIWrapperNotifier&) = delete;

    virtual host::Error Notify(host::NotifierMessage* message) = 0;

    host::Notifier GetHandle() const { return handle_; }
    bool IsRegistered() const;

private:
    host::Notifier handle_;
};

// Where a new tool goes: with no group tool a new group of its own;
// otherwise into the group tool's group, in a toolset of its own when
// newToolset is set, else in the group tool's toolset.
struct M7LToolPlacement {
    const char* groupToolName = nullptr;
    bool newToolset = false;
};

// A tool's texts (title and tip from a string list) and icons (images
// iconIndex and iconIndex + 1 of an icon resource).
struct M7LToolResources {
    std::int32_t listId;
    std::int32_t titleIndex;
    std::int32_t tipIndex;
    std::int32_t iconId;
    std::int32_t iconIndex;
};

class M7LAIWrapperTool {
public:
    // Adds the tool (AddHostTool) and registers the object once the host
    // added it, even when its second icon was refused: the host shows the
    // tool then, so its messages must reach it.
    M7LAIWrapperTool(const host::MessageHeader& message, const char* name,
                     const M7LToolResources& resources, std::int32_t options,
                     M7LToolPlacement placement);
    virtual ~M7LAIWrapperTool() = default;
    M7LAIWrapperTool(const M7LAIWrapperTool&) = delete;
    M7LAIWrapperTool& operator=(const M7LAIWrapperTool&) = delete;

    virtual host::Error EditOptions(host::ToolMessage* message) = 0;
    virtual host::Error TrackCursor(host::ToolMessage* message) = 0;
    virtual host::Error MouseDown(host::ToolMessage* message) = 0;
    virtual host::Error MouseDrag(host::ToolMessage* message) = 0;
    virtual host::Error MouseUp(host::ToolMessage* message) = 0;
    virtual host::Error Select(host::ToolMessage* message) = 0;
    virtual host::Error Deselect(host::ToolMessage* message) = 0;

    host::Tool GetHandle() const { return handle_; }
    bool IsRegistered() const;

private:
    host::Tool handle_;
};

// Makes a wrapper. One the host refused (or that could not be registered) is
// deleted again, and the result is null; otherwise the registry owns it.
template <typename Wrapper, typename... Args>
Wrapper* MakeWrapper(Args&&... args) {
    Wrapper* wrapper = new (std::nothrow) Wrapper(std::forward<Args>(args)...);
    if (wrapper != nullptr && !wrapper->IsRegistered()) {
        delete wrapper;
        return nullptr;
    }
    return wrapper;
}

// Adds a tool through "AI Tool Suite": title and tip loaded into 256 bytes
// each, both icons from the plug-in's resources. '!ico' when the first icon
// cannot be used; otherwise the first failing host call's code. The handle
// is written once the host added the tool; the second icon's result is the
// result.
host::Error AddHostTool(const host::MessageHeader& message, const char* name,
                        const M7LToolResources& resources, std::int32_t options,
                        M7LToolPlacement placement, host::Tool* tool);

// Makes the cursor resource of the plug-in's module the current cursor; when
// the module cannot be found nothing changes.
void SetToolCursor(host::PluginRef plugin, std::int32_t cursorId);

// The object registered first with the message's handle gets the message;
// 0 when none has it or the selector is none of its kind's.
host::Error DispatchMenuMessage(const char* selector, host::MenuMessage* message);
host::Error DispatchNotifierMessage(const char* selector, host::NotifierMessage* message);
host::Error DispatchToolMessage(const char* selector, host::ToolMessage* message);

// "Shutdown": deletes every registered object in registration order and
// empties the registry. The host keeps its menu items, notifiers and tools.
void DeleteAllMenuItems();
void DeleteAllTools();
void DeleteAllNotifiers();

// The registries, in registration order.
const std::vector<M7LAIWrapperMenuItem*>& MenuItemRegistry();
const std::vector<M7LAIWrapperNotifier*>& NotifierRegistry();
const std::vector<M7LAIWrapperTool*>& ToolRegistry();
