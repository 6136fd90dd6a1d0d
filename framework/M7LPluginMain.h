#pragma once

#include "M7LAIPlugin.h"
#include "host/HostErrors.h"
#include "host/HostHandles.h"
#include "host/HostPlatform.h"

// The plug-in's one entry (HostPlatform.h). No exception leaves it.
extern "C" int PluginMain(const char* caller, const char* selector, void* message);

// The answer to a message whose handling failed with an exception other
// than running out of memory ('!MEM'); the failure handler has reported it.
inline constexpr host::Error kErrorInternalFailure = host::FourCharCode("!int");

// Process-wide state of the entry.
// Copied from every message before anything else.
extern host::PluginRef gPluginRef;
// Made by the first message of any kind, never deleted.
extern M7LAIPlugin* gPlugin;
