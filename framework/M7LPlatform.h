#pragma once

#include <cstdint>

#include "host/HostHandles.h"
#include "host/HostPlatform.h"

// The platform calls the plug-in makes outside the suites. On Linux nothing
// plays a beep or shows a cursor, so they go to the observer that the process
// which loaded the plug-in installed; without one they do nothing.
void InstallPlatformObserver(const host::PlatformObserver* observer);

void PlatformBeep();
// Makes the cursor resource cursorId of the module the current cursor.
void PlatformSetCursor(host::Module module, std::int32_t cursorId);
