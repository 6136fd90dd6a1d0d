#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "BarcodeProcessor.h"
#include "CaseName.h"
#include "WideNarrowTestSupport.h"

// Case tables shared by Interleaved 2 of 5, ITF-14 and Code 39: each family's
// test file holds its rows and instantiates the tests of WideNarrowCasesTest.
namespace StriveloTest {

struct CodeCase {
    const char* name;
    std::int32_t type;
    const char* text;
    bool valid;
    bool corrected;
    // The text after CorrectCode.
    const char* after;
};

struct WidthCase {
    const char* name;
    WideNarrowSymbol symbol;
    double totalWidthMm;
    // Top of the bars when no height is given.
    double defaultHeightMm;
};

struct ValidatorCase {
    const char* name;
    WideNarrowSymbol symbol;
    double barHeightMm;
    bool (Strivelo::BarcodeProcessor::*check)() const;
    bool valid;
};

inline constexpr auto kRatioCheck = &Strivelo::BarcodeProcessor::IsWideNarrowRatioValid;
inline constexpr auto kMagnificationCheck = &Strivelo::BarcodeProcessor::IsMagnificationValid;
inline constexpr auto kReductionCheck = &Strivelo::BarcodeProcessor::IsBarWidthReductionValid;
inline constexpr auto kHeightCheck = &Strivelo::BarcodeProcessor::IsBarHeightValid;

struct Box {
    double left;
    double right;
    double bottom;
    double top;
};

// Options of a drawing; the expected frame, bearer bars, text and bar top.
struct LayoutCase {
    const char* name = "";
    WideNarrowSymbol symbol;
    bool bearerBars = false;
    bool endBars = false;
    bool centerAlign = false;
    double fontScaling = 1.0;
    bool humanReadable = true;
    bool frame = true;
    double barHeightMm = 0.0;
    std::optional<Box> frameBox;
    std::vector<Box> bearers;
    double barTop = 0.0;
    std::string textLine;
    std::vector<double> textX;
    double textY = 0.0;
    double textSize = 0.0;
};

// The bars of a symbol as left and right edges.
struct BarsCase {
    const char* name;
    WideNarrowSymbol symbol;
    std::vector<std::vector<double>> bars;
};

// Every call of a symbol drawn with every option is refused once.
struct GenerateFailureCase {
    const char* name;
    WideNarrowSymbol symbol;
    std::size_t calls;
};

struct KnownModulesCase {
    const char* name;
    std::int32_t type;
    std::string modules;
    double moduleMm;
    const char* code;
    double ratio;
};

// A processor that decoded `decoded` read backwards fails on `edges`.
struct FailingEdgesCase {
    const char* name;
    WideNarrowSymbol decoded;
    std::vector<double> edges;
    // Whether the edges are turned away before anything is allocated.
    bool cheap;
};

struct FitCase {
    const char* name;
    std::int32_t type;
    // Device units per module at 100 %.
    double unitsPerModule;
    double magnification;
    double ratio;
    bool fitted;
    double fittedMagnification;
    double fittedRatio;
};

inline void PrintTo(const LayoutCase& c, std::ostream* os) {
    *os << c.name;
}
inline void PrintTo(const FailingEdgesCase& c, std::ostream* os) {
    *os << c.name;
}
inline void PrintTo(const KnownModulesCase& c, std::ostream* os) {
    *os << c.name;
}
inline void PrintTo(const BarsCase& c, std::ostream* os) {
    *os << c.name;
}

class WideNarrowCodeTextTest : public testing::TestWithParam<CodeCase> {};
class WideNarrowWidthTest : public testing::TestWithParam<WidthCase> {};
class WideNarrowValidatorTest : public testing::TestWithParam<ValidatorCase> {};
class WideNarrowLayoutTest : public testing::TestWithParam<LayoutCase> {};
class WideNarrowBarsTest : public testing::TestWithParam<BarsCase> {};
class WideNarrowGenerateFailureTest : public testing::TestWithParam<GenerateFailureCase> {};
class WideNarrowKnownModulesTest : public testing::TestWithParam<KnownModulesCase> {};
class WideNarrowDecodeFailureTest : public testing::TestWithParam<FailingEdgesCase> {};
class WideNarrowFitTest : public testing::TestWithParam<FitCase> {};

}  // namespace StriveloTest
