#pragma once

#include <cstdint>

#include "BarcodeFourCC.h"
#include "CaseName.h"

// Test constants of ISBN, ISBN-EAN, ISSN and MS-7B.
namespace StriveloTest {

inline constexpr double kBookModuleMm = 0.33;

inline constexpr std::int32_t kTypeISBN = Strivelo::FourCC("isbn");
inline constexpr std::int32_t kTypeISBNEAN = Strivelo::FourCC("isbe");
inline constexpr std::int32_t kTypeISSN = Strivelo::FourCC("issn");
inline constexpr std::int32_t kTypeMS7B = Strivelo::FourCC("ms7b");
inline constexpr std::int32_t kTypeEAN13 = Strivelo::FourCC("eanD");
inline constexpr std::int32_t kTypeEAN8 = Strivelo::FourCC("ean8");

}  // namespace StriveloTest
