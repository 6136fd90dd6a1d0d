#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "BarcodeDecodeBuffer.h"
#include "M7LFailure.h"

namespace StriveloTest {
namespace {

using Strivelo::BarcodeDecodeBuffer;

int gFailureReports = 0;

int CountFailureReport(const char*, int, int, const char*, const char*, int, const char*) {
    ++gFailureReports;
    return 0;
}

// A buffer reserved for one count, then asked for the elements of a
// decoding: a longer decoding than it was sized for must get none, and that
// is the program's fault, so it is reported.
struct BufferCase {
    const char* name;
    std::size_t reserved;
    std::size_t asked;
    bool held;
};

const BufferCase kBufferCases[] = {
    {"AsManyAsReserved", 10, 10, true},
    {"Fewer", 10, 3, true},
    {"OneMore", 10, 11, false},
    {"NoneOfAnEmptyReservation", 0, 0, true},
    {"OneOfAnEmptyReservation", 0, 1, false},
};

class DecodeBufferTest : public testing::TestWithParam<BufferCase> {};

TEST_P(DecodeBufferTest, GivesOnlyWhatItHolds) {
    const BufferCase& c = GetParam();
    BarcodeDecodeBuffer<std::uint8_t> buffer;
    ASSERT_TRUE(buffer.Reserve(c.reserved));
    gFailureReports = 0;
    SetFailureHandler(&CountFailureReport);
    const std::uint8_t* const elements = buffer.GetFor(c.asked);
    SetFailureHandler(nullptr);
    EXPECT_EQ(elements != nullptr, c.held);
    EXPECT_EQ(gFailureReports, c.held ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, DecodeBufferTest, testing::ValuesIn(kBufferCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A larger reservation replaces a buffer too small for it; a smaller one
// keeps the buffer; a freed buffer holds nothing.
TEST(DecodeBufferLifeTest, GrowsKeepsAndFrees) {
    BarcodeDecodeBuffer<char> buffer;
    ASSERT_TRUE(buffer.Reserve(3));
    ASSERT_TRUE(buffer.Reserve(40));
    char* const grown = buffer.GetFor(40);
    ASSERT_NE(grown, nullptr);
    ASSERT_TRUE(buffer.Reserve(5));
    EXPECT_EQ(buffer.GetFor(40), grown);
    buffer.Free();
    EXPECT_EQ(buffer.Get(), nullptr);
    gFailureReports = 0;
    SetFailureHandler(&CountFailureReport);
    EXPECT_EQ(buffer.GetFor(0), nullptr);
    SetFailureHandler(nullptr);
    EXPECT_EQ(gFailureReports, 1);
}

}  // namespace
}  // namespace StriveloTest
