#include "M7LResources.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

constexpr int kScratchBufferBytes = 128;
constexpr int kStringIntoBufferBytes = 1024;

constexpr unsigned char kUtf8ContinuationMask = 0xC0;
constexpr unsigned char kUtf8ContinuationTag = 0x80;

M7LModuleHandle gResourceModule = nullptr;

const char* FindString(int listId, int index) {
    if (gResourceModule == nullptr || gResourceModule->strings == nullptr) {
        return nullptr;
    }
    const long long id = static_cast<long long>(listId) + index;
    if (id < 0 || id > std::numeric_limits<std::uint32_t>::max()) {
        return nullptr;
    }
    const M7LResourceString* begin = gResourceModule->strings;
    const M7LResourceString* end = begin + gResourceModule->stringCount;
    const M7LResourceString* found = std::lower_bound(
        begin, end, static_cast<std::uint32_t>(id),
        [](const M7LResourceString& entry, std::uint32_t key) { return entry.id < key; });
    if (found == end || found->id != id) {
        return nullptr;
    }
    return found->text;
}

bool IsUtf8Continuation(char byte) {
    return (static_cast<unsigned char>(byte) & kUtf8ContinuationMask) == kUtf8ContinuationTag;
}

}  // namespace

void SetResourceModule(M7LModuleHandle module) {
    gResourceModule = module;
}

M7LModuleHandle GetResourceModule() {
    return gResourceModule;
}

bool LoadResourceString(char* buffer, int listId, int index, int bufferSize) {
    if (buffer == nullptr || bufferSize < 1) {
        return false;
    }
    const char* text = FindString(listId, index);
    if (text == nullptr) {
        buffer[0] = 0;
        return false;
    }
    const std::size_t room = static_cast<std::size_t>(bufferSize) - 1;
    std::size_t length = std::strlen(text);
    if (length > room) {
        // Never keep half of a character: back up to the start of the one
        // that would be split.
        length = room;
        while (length > 0 && IsUtf8Continuation(text[length])) {
            --length;
        }
    }
    std::memcpy(buffer, text, length);
    buffer[length] = 0;
    return length > 0;
}

bool HasResourceString(int listId, int index) {
    char scratch[kScratchBufferBytes];
    return LoadResourceString(scratch, listId, index, kScratchBufferBytes);
}

bool LoadResourceStringInto(M7LString& string, int listId, int index) {
    char buffer[kStringIntoBufferBytes];
    if (!LoadResourceString(buffer, listId, index, kStringIntoBufferBytes)) {
        string.Clear();
        return false;
    }
    string.Assign(buffer);
    return true;
}
