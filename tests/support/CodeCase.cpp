#include "CodeCase.h"

#include <memory>

#include "BarcodeProcessor.h"
#include "M7LString.h"
#include "Symbols.h"

namespace StriveloTest {

void PrintTo(const CodeCase& c, std::ostream* os) {
    *os << c.name;
}

TEST_P(CodeCaseTest, CorrectsOrRefuses) {
    const CodeCase& c = GetParam();
    const std::unique_ptr<Strivelo::BarcodeProcessor> processor = MakeProcessor(c.type);
    ASSERT_NE(processor, nullptr);
    const bool accepted = c.expected != nullptr && !c.refusedAsRewritten;
    M7LString text(c.input.c_str());
    EXPECT_EQ(processor->CorrectCode(text), accepted);
    EXPECT_EQ(std::string(text.CStr()), c.expected != nullptr ? c.expected : c.input);
    EXPECT_EQ(processor->IsCodeValid(c.input.c_str()), accepted && text.CStr() == c.input);
    EXPECT_EQ(processor->IsCodeValid(text.CStr()), accepted);
    EXPECT_EQ(processor->SetCode(text.CStr()), accepted);
}

}  // namespace StriveloTest
