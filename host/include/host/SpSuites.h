#pragma once

#include <cstddef>
#include <cstdint>

#include "host/HostErrors.h"
#include "host/HostHandles.h"

namespace host {

// "SP Basic Suite": every message carries it. A failed acquisition leaves
// the caller's pointer as it was.
struct SpBasicSuite {
    Error (*AcquireSuite)(const char* name, std::int32_t version, const void** suite);
    Error (*ReleaseSuite)(const char* name, std::int32_t version);
    bool (*IsEqual)(const char* left, const char* right);
    // The host's stub for the entries of a suite whose plug-in is unloaded.
    void (*Undefined)();
};

// "SP Blocks Suite": host memory; a new block's content is undefined.
struct SpBlocksSuite {
    Error (*AllocateBlock)(std::size_t size, const char* debugName, Block* block);
    Error (*FreeBlock)(Block block);
};

// "SP Access Suite": a plug-in's access to itself. An acquired access keeps
// the library loaded until it is released.
struct SpAccessSuite {
    Error (*AcquirePlugin)(PluginRef plugin, Access* access);
    Error (*ReleasePlugin)(Access access);
    Error (*GetPluginAccess)(PluginRef plugin, Access* access);
    Error (*GetPlatformResourceAccess)(Access access, Module* module);
};

// "SP Suites Suite": publishing a suite of the plug-in's own. The host keeps
// the function table until it quits.
struct SpSuitesSuite {
    Error (*AddSuite)(SuiteList list, PluginRef plugin, const char* name, std::int32_t apiVersion,
                      std::int32_t internalVersion, const void* table, SuiteRef* suite);
};

}  // namespace host
