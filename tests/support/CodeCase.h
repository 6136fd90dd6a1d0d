#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>

namespace StriveloTest {

// One text through CorrectCode: the text it gives, or null when it refuses
// and leaves the text as it was. A few symbologies rewrite a text they still
// refuse; their rows say so with refusedAsRewritten.
struct CodeCase {
    const char* name;
    std::int32_t type;
    std::string input;
    const char* expected;
    bool refusedAsRewritten = false;
};

// Marks a row whose text CorrectCode rewrites and still refuses.
inline constexpr bool kRefusedAsRewritten = true;

void PrintTo(const CodeCase& c, std::ostream* os);

// Every family's file instantiates this with its rows. Besides the answer
// and the text: a text is valid exactly when CorrectCode accepts it as it
// is, and SetCode takes what CorrectCode accepts and nothing it refuses.
class CodeCaseTest : public testing::TestWithParam<CodeCase> {};

}  // namespace StriveloTest
