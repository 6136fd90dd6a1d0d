#pragma once

#include "M7LResourceFormat.h"
#include "M7LString.h"

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
