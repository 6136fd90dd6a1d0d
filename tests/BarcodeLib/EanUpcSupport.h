#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "BarcodeFourCC.h"
#include "BarcodeProcessor.h"
#include "CaseName.h"
#include "RecordingGenerator.h"

namespace StriveloTest {

inline constexpr double kEanModuleMm = 0.33;

inline constexpr std::int32_t kEAN8 = Strivelo::FourCC("ean8");
inline constexpr std::int32_t kEAN13 = Strivelo::FourCC("eanD");
inline constexpr std::int32_t kJAN8 = Strivelo::FourCC("jan8");
inline constexpr std::int32_t kJAN13 = Strivelo::FourCC("janD");
inline constexpr std::int32_t kUPCA = Strivelo::FourCC("upca");
inline constexpr std::int32_t kUPCE = Strivelo::FourCC("upce");

// A new EAN/UPC processor of the type ('ean8', 'eanD', 'jan8', 'janD',
// 'upca' or 'upce').
std::unique_ptr<Strivelo::BarcodeProcessor> MakeEanUpc(std::int32_t type);

// Generation parameters; 0 leaves the default.
struct DrawParameters {
    double magnification = 1.0;
    double reductionMm = 0.0;
    double barHeightMm = 0.0;
};

// What one Generate sent, with the processor's code afterwards.
struct Drawn {
    bool generated = false;
    std::string codeAfter;
    std::vector<RecordedCall> calls;
    std::vector<RecordedBar> bars;
    double moduleMm = 0.0;
    double totalWidthMm = 0.0;

    std::vector<RecordedCall> Calls(RecordedCall::Kind kind) const;
    // The bars as modules from the first bar's left edge on.
    std::string Modules() const;
};

// Sets code and parameters on a new processor of type and draws it; a code
// the processor refuses fails the current test.
Drawn DrawEanUpc(std::int32_t type, const std::string& code, const DrawParameters& parameters = {});
Drawn DrawInto(Strivelo::BarcodeProcessor& processor);

// Bars of a module string ('1' dark), the first bar's left edge at 0.
std::vector<RecordedBar> BarsFromModules(const std::string& modules,
                                         double moduleMm = kEanModuleMm);

}  // namespace StriveloTest
