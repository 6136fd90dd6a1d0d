#pragma once

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "BarcodeProcessor.h"
#include "CreationScene.h"
#include "host/HostGeometry.h"
#include "host/HostHandles.h"

namespace creationtest {

// One valid code per registered symbology, in registry order, with the type
// that identification names first: its own, or a type registered earlier
// that reads the same bars just as well.
struct Sample {
    std::int32_t type;
    const char* code;
    std::int32_t identifiedAs;
};
extern const std::vector<Sample> kSamples;
void PrintTo(const Sample& sample, std::ostream* os);

// A symbol drawn through the generator into a group of its own.
struct DrawnSymbol {
    bool drawn;
    host::Art group;
    // The generator's measuring line; both zero when it had none.
    host::RealPoint lineStart;
    host::RealPoint lineEnd;
};

struct DrawOptions {
    host::RealPoint origin = {100, 300};
    bool noEraseBox = false;
    bool outlines = false;
    const char* parameters = "(4.0) type = test";
};

DrawnSymbol DrawSymbol(CreationScene& scene, host::Art into, Strivelo::BarcodeProcessor& processor,
                       const DrawOptions& options = {});

// The scanner's reading along the line, identified; null when nothing is.
std::unique_ptr<Strivelo::BarcodeProcessor> ReadAlong(host::RealPoint from, host::RealPoint to);

// The reading, or the next candidate that is of the type; null when
// trying the candidates never reaches it.
std::unique_ptr<Strivelo::BarcodeProcessor> CandidateOfType(
    std::unique_ptr<Strivelo::BarcodeProcessor> reading, std::int32_t type);

// What is wrong with a reading of the symbol processor drew (its type, code,
// bar width reduction and magnification); empty when nothing is.
std::string ReadingFault(const Strivelo::BarcodeProcessor* reading,
                         const Strivelo::BarcodeProcessor& processor);

// How DrawBars draws a bar.
enum class BarArt { kRectangle, kStrokedLine };

// The bars (and bearer bars) the processor asks for, drawn straight into the
// container from origin (points) with the style's paint, upright or lying
// (turned a quarter anticlockwise about the origin); the art made.
std::vector<host::Art> DrawBars(CreationScene& scene, host::Art into,
                                Strivelo::BarcodeProcessor& processor, host::RealPoint origin,
                                bool lying = false, BarArt art = BarArt::kRectangle,
                                host::Color color = Gray(1));

// Turns every path under art a quarter turn anticlockwise about centre.
void Rotate(CreationScene& scene, host::Art art, host::RealPoint centre);
host::RealPoint Rotated(host::RealPoint point, host::RealPoint centre);

}  // namespace creationtest
