#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "BarcodeGS1CheckSum.h"

namespace StriveloTest {
namespace {

using Strivelo::BarcodeGS1CheckSum;
using Strivelo::ComputeGS1CheckDigit;

struct CheckDigitCase {
    const char* name;
    // The data digits, as a code may hold them.
    const char* text;
    int check;
};

const CheckDigitCase kCheckDigitCases[] = {
    {"EAN13", "400638133393", 1},
    {"EAN13Hyphenated", "4-006381-33393", 1},
    {"UPCA", "03600024145", 7},
    {"EAN8", "9638507", 4},
    {"ITF14", "1540014128876", 3},
    {"SumAMultipleOfTen", "5012345678900", 0},
    {"DigitNextToTheCheckWeighsThree", "7", 9},
    {"NoDigits", "", 0},
};

class GS1CheckDigitTest : public testing::TestWithParam<CheckDigitCase> {};

TEST_P(GS1CheckDigitTest, OverTheText) {
    const CheckDigitCase& c = GetParam();
    EXPECT_EQ(ComputeGS1CheckDigit(c.text, std::strlen(c.text)), c.check);
}

// As a decoding feeds it: the digits in reading order from the right, the
// check digit with position 0, after a clear of what went before.
TEST_P(GS1CheckDigitTest, DigitByDigitFromTheRight) {
    const CheckDigitCase& c = GetParam();
    BarcodeGS1CheckSum sum;
    sum.Add(9, 1);
    sum.Clear();
    sum.Add(c.check, 0);
    int position = 1;
    for (std::size_t i = std::strlen(c.text); i-- > 0;) {
        if (c.text[i] != '-') {
            sum.Add(c.text[i] - '0', position++);
        }
    }
    EXPECT_EQ(sum.GetCheckDigit(), c.check);
}

INSTANTIATE_TEST_SUITE_P(Cases, GS1CheckDigitTest, testing::ValuesIn(kCheckDigitCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace StriveloTest
