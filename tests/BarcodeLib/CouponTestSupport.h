#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "BarcodeFourCC.h"
#include "BarcodeProcessor.h"
#include "CaseName.h"
#include "RecordingGenerator.h"

namespace StriveloTest {

inline constexpr std::int32_t kEAN13CouponType = Strivelo::FourCC("eCou");
inline constexpr std::int32_t kUPCACouponType = Strivelo::FourCC("uCou");
// The EAN/UPC module at magnification 1, also the extension's module.
inline constexpr double kCouponModuleMm = 0.33;
// Both main symbols are 113 modules wide with their quiet zones.
inline constexpr int kMainSymbolModules = 113;

// A new coupon processor of type, kEAN13CouponType or kUPCACouponType.
std::unique_ptr<Strivelo::BarcodeProcessor> MakeCoupon(std::int32_t type);

// What one GenerateInto sent, the bars split where the extension begins.
struct DrawnCoupon {
    bool generated = false;
    RecordingGenerator generator;
    std::vector<RecordedBar> mainBars;
    std::vector<RecordedBar> extensionBars;
    double moduleMm = 0.0;
};

// Draws the processor (a coupon or any other) with its magnification.
DrawnCoupon DrawCoupon(Strivelo::BarcodeProcessor& processor);

// A coupon of type with code, magnification and bar width reduction; a
// refused code fails the current test.
std::unique_ptr<Strivelo::BarcodeProcessor> CouponWithCode(std::int32_t type,
                                                           const std::string& code,
                                                           double magnification = 1.0,
                                                           double reductionMm = 0.0);

// Bars of a main symbol (a UPC-A for 'upca', else an EAN-13) and an EAN-128
// (a Code 128 when fields is false) drawn on their own and placed side by
// side as a coupon places them at magnification 1.
std::vector<RecordedBar> SideBySide(std::int32_t mainType, const std::string& mainCode,
                                    const std::string& extensionCode, bool fields = true);

}  // namespace StriveloTest
