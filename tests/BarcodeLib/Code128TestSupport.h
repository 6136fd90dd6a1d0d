#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "BarcodeFourCC.h"
#include "BarcodeProcessor.h"
#include "support/RecordingGenerator.h"

namespace StriveloTest {

inline constexpr std::int32_t kCode128Type = Strivelo::FourCC("c128");
inline constexpr std::int32_t kEAN128Type = Strivelo::FourCC("e128");

// A Code 128 or, for kEAN128Type, an EAN-128 processor.
std::unique_ptr<Strivelo::BarcodeProcessor> MakeCode128Family(std::int32_t type);

// Names the rows of a case table by their name field.
template <typename Case>
std::string CaseName(const testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

// The modules of a Code 128 symbol made of these symbol values, the stop
// character's termination bar appended; for symbols the engine would never
// draw.
std::string Code128Modules(const std::vector<int>& values);

// Two edges per bar of a module string ('1' dark) at this module width.
std::vector<double> EdgesFromModules(const std::string& modules, double moduleMm);

// Draws the processor's symbol; a refused generation fails the test.
RecordingGenerator DrawSymbol(Strivelo::BarcodeProcessor& processor);

// What a decoding may change, to show that a failed one changed nothing.
struct DecodedState {
    std::string code;
    double magnification;
    double barWidthReduction;
    std::vector<double> measured;
    std::vector<double> ideal;
    std::int32_t heightBarEdge;
    bool readReversed;

    static DecodedState Of(const Strivelo::BarcodeProcessor& processor);
    bool operator==(const DecodedState&) const = default;
};

}  // namespace StriveloTest
