#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>

namespace StriveloTest {

// One text and whether a symbology takes it.
struct ValidityCase {
    const char* name;
    std::int32_t type;
    std::string text;
    bool valid;
};

void PrintTo(const ValidityCase& c, std::ostream* os);

// The text as a code, the user's form: IsCodeValid answers, and SetCode takes
// exactly the valid codes and keeps them as they were given.
class CodeValidityTest : public testing::TestWithParam<ValidityCase> {};

// The text as the bars carry it: IsEncodedValid answers.
class EncodedValidityTest : public testing::TestWithParam<ValidityCase> {};

}  // namespace StriveloTest
