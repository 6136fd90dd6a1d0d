#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "BarcodeFourCC.h"
#include "CaseName.h"
#include "Drawing.h"
#include "RecordingGenerator.h"

namespace StriveloTest {

inline constexpr std::int32_t kEAN13CouponType = Strivelo::FourCC("eCou");
inline constexpr std::int32_t kUPCACouponType = Strivelo::FourCC("uCou");
// The EAN/UPC module at magnification 1, also the extension's module.
inline constexpr double kCouponModuleMm = 0.33;
// Both main symbols are 113 modules wide with their quiet zones.
inline constexpr int kMainSymbolModules = 113;

// A drawn coupon's bars, split where the extension begins.
struct CouponBars {
    std::vector<RecordedBar> main;
    std::vector<RecordedBar> extension;
    double moduleMm = 0.0;
};

CouponBars SplitAtExtension(const Drawing& drawing);

// Bars of a main symbol (a UPC-A for 'upca', else an EAN-13) and an EAN-128
// (a Code 128 when fields is false) drawn on their own and placed side by
// side as a coupon places them at magnification 1.
std::vector<RecordedBar> SideBySide(std::int32_t mainType, const std::string& mainCode,
                                    const std::string& extensionCode, bool fields = true);

}  // namespace StriveloTest
