#pragma once

#include <cstdint>

#include "host/HostHandles.h"

namespace host {

// What a plug-in library exports on Linux, found with dlsym. Beside the entry
// it hands over its resources (the module that "SP Access Suite" gives back
// as its platform resource access) and, optionally, takes the platform
// observer.
inline constexpr const char* kPluginMainSymbol = "PluginMain";
inline constexpr const char* kResourceModuleSymbol = "PluginResourceModule";
inline constexpr const char* kInstallPlatformObserverSymbol = "PluginInstallPlatformObserver";

// The platform calls that the plug-in makes outside the suites (the system
// beep, the current cursor). On Linux there is no platform behind them, so the
// plug-in's platform layer reports them to the process that loaded it.
struct PlatformObserver {
    void (*Beep)();
    // The cursor resource cursorId of the module is the current cursor now.
    void (*SetCursor)(Module module, std::int32_t cursorId);
};

using ResourceModuleProc = Module (*)();
// Null removes the observer; the platform calls then do nothing.
using InstallPlatformObserverProc = void (*)(const PlatformObserver* observer);

}  // namespace host
