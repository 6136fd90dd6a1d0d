#pragma once

#include <cstdint>

#include "host/HostErrors.h"

// What the tests' own plug-in library does, for the test that loads it.
namespace testlibrary {

inline constexpr const char* kMenuItemName = "Library Item";
inline constexpr const char* kMenuItemText = "Library";
inline constexpr std::int32_t kMenuItemOptions = 1;
inline constexpr std::int32_t kCursorId = 16001;
// What its menu item answers to "AI Go".
inline constexpr host::Error kGoAnswer = host::FourCharCode("LbGo");
// What "Startup" answers when the host handed back another module than the
// library's own.
inline constexpr host::Error kWrongModule = host::FourCharCode("Mod?");

}  // namespace testlibrary
