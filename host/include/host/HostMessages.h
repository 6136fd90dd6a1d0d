#pragma once

#include <cstdint>

#include "host/HostErrors.h"
#include "host/HostGeometry.h"
#include "host/HostHandles.h"

namespace host {

struct SpBasicSuite;

// The plug-in's one entry; caller and selector arrive in fresh buffers on
// every call, so they are compared as text.
using PluginMainProc = int (*)(const char* caller, const char* selector, void* message);

inline constexpr const char* kCallerInterface = "SP Interface";
inline constexpr const char* kCallerAccess = "SP Access";
inline constexpr const char* kCallerProperties = "SP Properties";
inline constexpr const char* kCallerMenu = "AI Menu";
inline constexpr const char* kCallerNotifier = "AI Notifier";
inline constexpr const char* kCallerTool = "AI Tool";

inline constexpr const char* kSelectorStartup = "Startup";
inline constexpr const char* kSelectorShutdown = "Shutdown";
inline constexpr const char* kSelectorAbout = "About";
inline constexpr const char* kSelectorUnload = "Unload";
inline constexpr const char* kSelectorReload = "Reload";
inline constexpr const char* kSelectorAcquire = "Acquire";
inline constexpr const char* kSelectorRelease = "Release";
inline constexpr const char* kSelectorGo = "AI Go";
inline constexpr const char* kSelectorUpdate = "AI Update";
inline constexpr const char* kSelectorNotify = "AI Notify";
inline constexpr const char* kSelectorEditOptions = "AI Edit Options";
inline constexpr const char* kSelectorTrackCursor = "AI Track Cursor";
inline constexpr const char* kSelectorMouseDown = "AI Mouse Down";
inline constexpr const char* kSelectorMouseDrag = "AI Mouse Drag";
inline constexpr const char* kSelectorMouseUp = "AI Mouse Up";
inline constexpr const char* kSelectorSelect = "AI Select";
inline constexpr const char* kSelectorDeselect = "AI Deselect";

// Every message begins with this record.
struct MessageHeader {
    PluginRef plugin;
    const SpBasicSuite* basic;
};

// "SP Interface" and "SP Access" messages carry the header only.
struct InterfaceMessage {
    MessageHeader header;
};

struct AccessMessage {
    MessageHeader header;
};

// "SP Properties": the host asks for (vendor, key, id); on "Acquire" the
// plug-in answers with a block in property, on "Release" gets it back.
struct PropertiesMessage {
    MessageHeader header;
    std::int32_t vendor;
    std::int32_t key;
    std::int32_t id;
    void* property;
    std::int32_t propertyWord;  // written 0 with the block
};

inline constexpr std::int32_t kPropertyVendor = FourCharCode("ADBE");
inline constexpr std::int32_t kPropertyExportedSuites = FourCharCode("expt");

// Menu, notifier and tool messages name their object in the first word after
// the header.
struct MenuMessage {
    MessageHeader header;
    MenuItem menuItem;
};

struct NotifierMessage {
    MessageHeader header;
    Notifier notifier;
    const char* type;
    void* data;  // what the notifier type defines, or null
};

struct ToolMessage {
    MessageHeader header;
    Tool tool;
    RealPoint cursor;
    std::uint32_t modifiers;
};

inline constexpr std::uint32_t kModifierShift = 0x200;

}  // namespace host
