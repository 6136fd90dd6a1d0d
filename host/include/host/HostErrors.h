#pragma once

#include <cstdint>

namespace host {

// Every host call that can fail answers an error code; 0 is success.
using Error = std::int32_t;

// A four-character code as a 32-bit value, the first character in the most
// significant byte.
constexpr std::int32_t FourCharCode(const char (&code)[5]) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        value = (value << 8) | static_cast<unsigned char>(code[i]);
    }
    return static_cast<std::int32_t>(value);
}

inline constexpr Error kNoError = 0;
inline constexpr Error kErrorCancel = FourCharCode("STOP");
inline constexpr Error kErrorSuiteNotFound = FourCharCode("S!Fd");
inline constexpr Error kErrorNoMemory = FourCharCode("!MEM");
inline constexpr Error kErrorUnusableIcon = FourCharCode("!ico");
inline constexpr Error kErrorFontNotFound = FourCharCode("UKFG");

// Codes that the plug-in's error list explains to the user.
inline constexpr Error kErrorMemoryFull = -108;
inline constexpr Error kErrorHostMemoryFull = 271;
inline constexpr Error kErrorTooManySegments = FourCharCode("SEGM");
inline constexpr Error kErrorLayerLockedOrHidden = FourCharCode("NESS");
inline constexpr Error kErrorNoSelection = FourCharCode("!sel");

// The host's answers to calls it refuses rather than crash on.
inline constexpr Error kErrorBadHandle = FourCharCode("!hdl");    // stale, foreign or destroyed
inline constexpr Error kErrorBadArgument = FourCharCode("!arg");  // null text or result, duplicate
inline constexpr Error kErrorNotAcquired = FourCharCode("!acq");  // release of what is not held
inline constexpr Error kErrorNotFound = FourCharCode("!fnd");     // absent key, resource, template
inline constexpr Error kErrorWrongKind = FourCharCode("!knd");    // a preference of another kind
inline constexpr Error kErrorTextTooLong = FourCharCode("!len");  // too long for the buffer
inline constexpr Error kErrorNotANumber = FourCharCode("!num");   // a text that is no number
inline constexpr Error kErrorNoDocument = FourCharCode("!doc");   // no document is open

}  // namespace host
