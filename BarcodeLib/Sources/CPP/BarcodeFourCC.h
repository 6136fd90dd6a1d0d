#pragma once

#include <cstdint>

namespace Strivelo {

// Type and option codes are four ASCII characters packed into 32 bits with the
// first character in the most significant byte; multi-character literals
// would leave the packing to the compiler.
constexpr std::int32_t FourCC(const char (&code)[5]) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        value = (value << 8) | static_cast<unsigned char>(code[i]);
    }
    return static_cast<std::int32_t>(value);
}

}  // namespace Strivelo
