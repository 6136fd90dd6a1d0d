#pragma once

#include "M7LAIPlugin.h"
#include "M7LGuarded.h"
#include "host/HostErrors.h"
#include "host/HostHandles.h"
#include "host/HostPlatform.h"

// The plug-in's one entry (HostPlatform.h). No exception leaves it.
extern "C" int PluginMain(const char* caller, const char* selector, void* message);

// Process-wide state of the entry.
// Copied from every message before anything else.
extern host::PluginRef gPluginRef;
// Made by the first message of any kind, never deleted.
extern M7LAIPlugin* gPlugin;
