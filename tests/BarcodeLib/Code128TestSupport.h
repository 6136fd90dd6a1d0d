#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "BarcodeFourCC.h"
#include "CaseName.h"

namespace StriveloTest {

inline constexpr std::int32_t kCode128Type = Strivelo::FourCC("c128");
inline constexpr std::int32_t kEAN128Type = Strivelo::FourCC("e128");

// The modules of a Code 128 symbol made of these symbol values, the stop
// character's termination bar appended; for symbols the engine would never
// draw.
std::string Code128Modules(const std::vector<int>& values);

}  // namespace StriveloTest
