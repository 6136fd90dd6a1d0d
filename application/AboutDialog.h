#pragma once

#include "M7LAIPlugin.h"
#include "host/HostErrors.h"

// Shows which product and version is installed, in a modal dialog that
// carries the plug-in object as its user data; 0 once it is closed. It needs
// neither palette.
host::Error ShowAboutDialog(M7LAIPlugin* plugin);
