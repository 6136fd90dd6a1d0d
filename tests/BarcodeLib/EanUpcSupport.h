#pragma once

#include <cstdint>

#include "BarcodeFourCC.h"
#include "CaseName.h"

namespace StriveloTest {

inline constexpr double kEanModuleMm = 0.33;

inline constexpr std::int32_t kEAN8 = Strivelo::FourCC("ean8");
inline constexpr std::int32_t kEAN13 = Strivelo::FourCC("eanD");
inline constexpr std::int32_t kJAN8 = Strivelo::FourCC("jan8");
inline constexpr std::int32_t kJAN13 = Strivelo::FourCC("janD");
inline constexpr std::int32_t kUPCA = Strivelo::FourCC("upca");
inline constexpr std::int32_t kUPCE = Strivelo::FourCC("upce");

}  // namespace StriveloTest
