#include "M7LAIWrappers.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "M7LPlatform.h"
#include "M7LSuiteTable.h"

namespace {

constexpr std::size_t kToolTextBytes = 256;

std::vector<M7LAIWrapperMenuItem*> gMenuItems;
std::vector<M7LAIWrapperNotifier*> gNotifiers;
std::vector<M7LAIWrapperTool*> gTools;

template <typename Wrapper>
bool Contains(const std::vector<Wrapper*>& registry, const Wrapper* wrapper) {
    return std::find(registry.begin(), registry.end(), wrapper) != registry.end();
}

// Appends; an object that cannot be appended stays unregistered.
template <typename Wrapper>
void Append(std::vector<Wrapper*>& registry, Wrapper* wrapper) {
    try {
        registry.push_back(wrapper);
    } catch (const std::bad_alloc&) {
    }
}

// The first object registered with the handle gets the message when the
// selector, as a whole text, is one of its kind's.
template <typename Wrapper, typename HandleType, typename Message, std::size_t kCount>
host::Error Dispatch(
    const std::vector<Wrapper*>& registry, HandleType handle,
    const std::pair<const char*, host::Error (Wrapper::*)(Message*)> (&routes)[kCount],
    const char* selector, Message* message) {
    const auto found = std::find_if(registry.begin(), registry.end(), [handle](Wrapper* wrapper) {
        return wrapper->GetHandle() == handle;
    });
    if (found == registry.end()) {
        return host::kNoError;
    }
    for (const auto& [routed, operation] : routes) {
        if (std::strcmp(selector, routed) == 0) {
            return ((*found)->*operation)(message);
        }
    }
    return host::kNoError;
}

template <typename Wrapper>
void DeleteAll(std::vector<Wrapper*>& registry) {
    // Taken out first, so that a destructor sees the registry empty.
    std::vector<Wrapper*> wrappers;
    wrappers.swap(registry);
    for (Wrapper* wrapper : wrappers) {
        delete wrapper;
    }
}

// The plug-in's module, or null.
host::Module ModuleOf(host::PluginRef plugin) {
    host::Access access;
    host::Module module = nullptr;
    if (sSpAccess->GetPluginAccess(plugin, &access) != host::kNoError ||
        sSpAccess->GetPlatformResourceAccess(access, &module) != host::kNoError) {
        return nullptr;
    }
    return module;
}

}  // namespace

bool M7LAIWrapperMenuItem::IsRegistered() const {
    return Contains(gMenuItems, this);
}

void M7LAIWrapperMenuItem::Register() {
    if (handle_) {
        Append(gMenuItems, this);
    }
}

M7LAIWrapperNotifier::M7LAIWrapperNotifier(const host::MessageHeader& message, const char* name,
                                           const char* type) {
    host::Notifier added;
    if (sAiNotifier->AddNotifier(message.plugin, name, type, &added) == host::kNoError && added) {
        handle_ = added;
        Append(gNotifiers, this);
    }
}

bool M7LAIWrapperNotifier::IsRegistered() const {
    return Contains(gNotifiers, this);
}

M7LAIWrapperTool::M7LAIWrapperTool(const host::MessageHeader& message, const char* name,
                                   const M7LToolResources& resources, std::int32_t options,
                                   M7LToolPlacement placement) {
    AddHostTool(message, name, resources, options, placement, &handle_);
    if (handle_) {
        Append(gTools, this);
    }
}

bool M7LAIWrapperTool::IsRegistered() const {
    return Contains(gTools, this);
}

host::Error AddHostTool(const host::MessageHeader& message, const char* name,
                        const M7LToolResources& resources, std::int32_t options,
                        M7LToolPlacement placement, host::Tool* tool) {
    char title[kToolTextBytes];
    char tip[kToolTextBytes];
    sAdmBasic->GetIndexString(message.plugin, resources.listId, resources.titleIndex, title,
                              sizeof(title));
    sAdmBasic->GetIndexString(message.plugin, resources.listId, resources.tipIndex, tip,
                              sizeof(tip));

    const host::Icon icon =
        sAdmIcon->GetFromResource(message.plugin, name, resources.iconId, resources.iconIndex);
    if (sAdmIcon->GetType(icon) == host::kIconTypeUnusable) {
        return host::kErrorUnusableIcon;
    }

    std::int32_t group = host::kToolNew;
    std::int32_t toolset = host::kToolNew;
    if (placement.groupToolName != nullptr) {
        if (const host::Error error =
                sAiTool->GetToolNumberFromName(placement.groupToolName, &group)) {
            return error;
        }
        toolset = placement.newToolset ? host::kToolNew : group;
    }

    const host::ToolData data{title, tip, icon, group, toolset};
    host::Tool added;
    if (const host::Error error = sAiTool->AddTool(message.plugin, name, &data, options, &added)) {
        return error;
    }
    if (!added) {
        return host::kNoError;  // accepted without a handle: no tool to give an icon
    }
    *tool = added;
    const host::Icon second =
        sAdmIcon->GetFromResource(message.plugin, name, resources.iconId, resources.iconIndex + 1);
    return sAiTool->SetSecondIcon(added, second);
}

void SetToolCursor(host::PluginRef plugin, std::int32_t cursorId) {
    if (const host::Module module = ModuleOf(plugin)) {
        PlatformSetCursor(module, cursorId);
    }
}

host::Error DispatchMenuMessage(const char* selector, host::MenuMessage* message) {
    using Wrapper = M7LAIWrapperMenuItem;
    static constexpr std::pair<const char*, host::Error (Wrapper::*)(host::MenuMessage*)>
        kRoutes[] = {
            {host::kSelectorGo, &Wrapper::Go},
            {host::kSelectorUpdate, &Wrapper::Update},
        };
    return Dispatch(gMenuItems, message->menuItem, kRoutes, selector, message);
}

host::Error DispatchNotifierMessage(const char* selector, host::NotifierMessage* message) {
    using Wrapper = M7LAIWrapperNotifier;
    static constexpr std::pair<const char*, host::Error (Wrapper::*)(host::NotifierMessage*)>
        kRoutes[] = {
            {host::kSelectorNotify, &Wrapper::Notify},
        };
    return Dispatch(gNotifiers, message->notifier, kRoutes, selector, message);
}

host::Error DispatchToolMessage(const char* selector, host::ToolMessage* message) {
    using Wrapper = M7LAIWrapperTool;
    static constexpr std::pair<const char*, host::Error (Wrapper::*)(host::ToolMessage*)>
        kRoutes[] = {
            {host::kSelectorEditOptions, &Wrapper::EditOptions},
            {host::kSelectorTrackCursor, &Wrapper::TrackCursor},
            {host::kSelectorMouseDown, &Wrapper::MouseDown},
            {host::kSelectorMouseDrag, &Wrapper::MouseDrag},
            {host::kSelectorMouseUp, &Wrapper::MouseUp},
            {host::kSelectorSelect, &Wrapper::Select},
            {host::kSelectorDeselect, &Wrapper::Deselect},
        };
    return Dispatch(gTools, message->tool, kRoutes, selector, message);
}

void DeleteAllMenuItems() {
    DeleteAll(gMenuItems);
}

void DeleteAllTools() {
    DeleteAll(gTools);
}

void DeleteAllNotifiers() {
    DeleteAll(gNotifiers);
}

const std::vector<M7LAIWrapperMenuItem*>& MenuItemRegistry() {
    return gMenuItems;
}

const std::vector<M7LAIWrapperNotifier*>& NotifierRegistry() {
    return gNotifiers;
}

const std::vector<M7LAIWrapperTool*>& ToolRegistry() {
    return gTools;
}
