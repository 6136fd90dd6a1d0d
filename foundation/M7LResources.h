#pragma once

#include <cstddef>
#include <cstdint>

#include "foundation/M7LString.h"

// The plug-in's compiled resources, reached through an opaque module handle.
// A string resource is addressed as list id + index.
struct M7LResourceString {
    std::uint32_t id;
    const char* text;  // UTF-8
};

struct M7LResourceModule {
    const M7LResourceString* strings;  // sorted by id
    std::size_t stringCount;
};

using M7LModuleHandle = const M7LResourceModule*;

void SetResourceModule(M7LModuleHandle module);
M7LModuleHandle GetResourceModule();

// Loads the string into buffer, cut to bufferSize - 1 bytes and the NUL (on a
// UTF-8 character boundary) like the platform's string loader; true when the
// text is not empty. With no module or a missing id the buffer holds "";
// a bufferSize below 1 writes nothing.
bool LoadResourceString(char* buffer, int listId, int index, int bufferSize);
bool HasResourceString(int listId, int index);

// Up to 1023 bytes; on a miss the string is left unset and the result false.
bool LoadResourceStringInto(M7LString& string, int listId, int index);
