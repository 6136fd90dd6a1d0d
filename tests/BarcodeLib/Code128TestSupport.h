#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "BarcodeFourCC.h"
#include "BarcodeProcessor.h"
#include "CaseName.h"
#include "DecodedState.h"
#include "RecordingGenerator.h"

namespace StriveloTest {

inline constexpr std::int32_t kCode128Type = Strivelo::FourCC("c128");
inline constexpr std::int32_t kEAN128Type = Strivelo::FourCC("e128");

// A Code 128 or, for kEAN128Type, an EAN-128 processor.
std::unique_ptr<Strivelo::BarcodeProcessor> MakeCode128Family(std::int32_t type);

// The modules of a Code 128 symbol made of these symbol values, the stop
// character's termination bar appended; for symbols the engine would never
// draw.
std::string Code128Modules(const std::vector<int>& values);

// Two edges per bar of a module string ('1' dark) at this module width.
std::vector<double> EdgesFromModules(const std::string& modules, double moduleMm);

// Draws the processor's symbol; a refused generation fails the test.
RecordingGenerator DrawSymbol(Strivelo::BarcodeProcessor& processor);

}  // namespace StriveloTest
