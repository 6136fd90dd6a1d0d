#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "BarcodeFourCC.h"
#include "BarcodeProcessor.h"
#include "CaseName.h"
#include "RecordingGenerator.h"

namespace StriveloTest {

inline constexpr std::int32_t kPlec = Strivelo::FourCC("plec");
inline constexpr std::int32_t kPles = Strivelo::FourCC("ples");
inline constexpr std::int32_t kBePh = Strivelo::FourCC("BePh");
inline constexpr std::int32_t kMsiq = Strivelo::FourCC("msiq");
inline constexpr std::int32_t kMsie = Strivelo::FourCC("msie");
inline constexpr std::int32_t kMsit = Strivelo::FourCC("msit");
inline constexpr std::int32_t kCoda = Strivelo::FourCC("coda");
inline constexpr std::int32_t kCodt = Strivelo::FourCC("codt");

// One letter per run of equal modules ('1' dark, '0' light), starting with
// the first dark one: 'W' for runs of at least wideModules, else 'N'.
std::string RunLetters(const std::string& modules, int wideModules);

// One letter per element of the bars (bar, space, bar, ... from the first
// bar): 'W' when wider than thresholdMm, else 'N'.
std::string ElementLetters(const std::vector<RecordedBar>& bars, double thresholdMm);

// The calls' kinds in order, repeats counted: "font frame bar*13 text*2".
std::string CallSequence(const std::vector<RecordedCall>& calls);

// The human-readable line: one text call per printed character, from firstX
// in steps, all at y with the size.
struct TextLine {
    const char* printed;
    double firstX;
    double step;
    double sizeMm;
    double y;
};
void ExpectTextLine(const RecordingGenerator& generator, const TextLine& line);

// One frame from 0 to the width and from a module below the text to a module
// above the bars, and one pair of quiet-zone marks on the text's line.
struct SymbolBox {
    double widthMm;
    double textY;
    double moduleMm;
    double barHeightMm;
    double magnification;
};
void ExpectFrameAndMarks(const RecordingGenerator& generator, const SymbolBox& box);

}  // namespace StriveloTest
