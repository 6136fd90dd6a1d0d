#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "BarcodeFourCC.h"
#include "BarcodeProcessor.h"
#include "CaseName.h"
#include "RecordingGenerator.h"

// Test support of ISBN, ISBN-EAN, ISSN and MS-7B.
namespace StriveloTest {

inline constexpr double kBookModuleMm = 0.33;

inline constexpr std::int32_t kTypeISBN = Strivelo::FourCC("isbn");
inline constexpr std::int32_t kTypeISBNEAN = Strivelo::FourCC("isbe");
inline constexpr std::int32_t kTypeISSN = Strivelo::FourCC("issn");
inline constexpr std::int32_t kTypeMS7B = Strivelo::FourCC("ms7b");
inline constexpr std::int32_t kTypeEAN13 = Strivelo::FourCC("eanD");
inline constexpr std::int32_t kTypeEAN8 = Strivelo::FourCC("ean8");

// A new processor of one of the types above.
std::unique_ptr<Strivelo::BarcodeProcessor> MakeBookProcessor(std::int32_t type);

struct BookOptions {
    double magnification = 1.0;
    double reductionMm = 0.0;
    double barHeightMm = 0.0;
    bool scaleHeightWithWidth = false;
    bool centreAligned = false;
    bool dualNumbering = false;
};

// A processor of type with code set (a refused code fails the current test)
// and the options applied; centre alignment and dual numbering only where
// the type has them.
std::unique_ptr<Strivelo::BarcodeProcessor> MakeBookProcessor(std::int32_t type,
                                                              const std::string& code,
                                                              const BookOptions& options = {});

// What one Generate sent.
struct BookDrawing {
    bool generated = false;
    std::vector<RecordedCall> calls;
    std::vector<RecordedBar> bars;
    double moduleMm = 0.0;

    std::vector<RecordedCall> Calls(RecordedCall::Kind kind) const;
    // The characters of the text calls from first (an index into calls)
    // up to the next font call.
    std::vector<RecordedCall> TextsAfter(std::size_t first) const;
    // The bars as modules from the first bar's left edge on.
    std::string Modules() const;
};

// Draws processor into a recording generator that refuses call failAtCall
// (1-based, 0 none).
BookDrawing DrawBook(Strivelo::BarcodeProcessor& processor, std::size_t failAtCall = 0);

// The standard symbologies and MS-7B registered while it lives.
class BookRegistry {
public:
    BookRegistry();
    ~BookRegistry();
    BookRegistry(const BookRegistry&) = delete;
    BookRegistry& operator=(const BookRegistry&) = delete;
};

std::string TypeText(std::int32_t type);

}  // namespace StriveloTest
