#include "ValidityCase.h"

#include <memory>

#include "BarcodeProcessor.h"
#include "Symbols.h"

namespace StriveloTest {

void PrintTo(const ValidityCase& c, std::ostream* os) {
    *os << c.name;
}

// A family's file instantiates the one of the two its table is for.
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(CodeValidityTest);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(EncodedValidityTest);

TEST_P(CodeValidityTest, IsCodeValidAndSetCodeAgree) {
    const ValidityCase& c = GetParam();
    const std::unique_ptr<Strivelo::BarcodeProcessor> processor = MakeProcessor(c.type);
    ASSERT_NE(processor, nullptr);
    EXPECT_EQ(processor->IsCodeValid(c.text.c_str()), c.valid);
    EXPECT_EQ(processor->SetCode(c.text.c_str()), c.valid);
    EXPECT_EQ(processor->GetCode(), c.valid ? c.text : std::string());
}

TEST_P(EncodedValidityTest, IsEncodedValidAnswers) {
    const ValidityCase& c = GetParam();
    const std::unique_ptr<Strivelo::BarcodeProcessor> processor = MakeProcessor(c.type);
    ASSERT_NE(processor, nullptr);
    EXPECT_EQ(processor->IsEncodedValid(c.text.c_str()), c.valid);
}

}  // namespace StriveloTest
