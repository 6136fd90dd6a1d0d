#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>

// The round trip of the EAN/UPC family and of the codes drawn as its
// symbols: each file holds its rows and instantiates EanRoundTripTest.
namespace StriveloTest {

struct EanRoundTripCase {
    const char* name;
    std::int32_t type;
    const char* code;
    // Where two types read the same bars equally well, the one registered
    // earlier.
    std::int32_t identifiedType;
    const char* identifiedCode;
    std::uint32_t mainEdges;
    std::int32_t heightBarEdge;
    bool upcBeforeEan = false;
};

void PrintTo(const EanRoundTripCase& c, std::ostream* os);

class EanRoundTripTest : public testing::TestWithParam<EanRoundTripCase> {};

}  // namespace StriveloTest
