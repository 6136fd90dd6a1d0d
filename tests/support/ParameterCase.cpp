#include "ParameterCase.h"

#include <memory>

#include "BarcodeProcessor.h"
#include "BarcodeProcessorMixIn_WideNarrowOption.h"
#include "Symbols.h"

namespace StriveloTest {

void PrintTo(const ParameterCase& c, std::ostream* os) {
    *os << c.name;
}

std::vector<ParameterCase> OfType(const std::vector<ParameterCase>& rows, std::int32_t type) {
    std::vector<ParameterCase> typed = rows;
    for (ParameterCase& row : typed) {
        row.symbol.type = type;
    }
    return typed;
}

TEST_P(ParameterCaseTest, ValidatorsAnswer) {
    const ParameterCase& c = GetParam();
    const std::unique_ptr<Strivelo::BarcodeProcessor> processor = MakeSymbol(c.symbol);
    ASSERT_NE(processor, nullptr);
    if (c.magnificationValid.has_value()) {
        EXPECT_EQ(processor->IsMagnificationValid(), *c.magnificationValid);
    }
    if (c.reductionValid.has_value()) {
        EXPECT_EQ(processor->IsBarWidthReductionValid(), *c.reductionValid);
    }
    if (c.heightValid.has_value()) {
        EXPECT_EQ(processor->IsBarHeightValid(), *c.heightValid);
    }
    if (c.ratioValid.has_value()) {
        EXPECT_EQ(processor->IsWideNarrowRatioValid(), *c.ratioValid);
        const auto* option =
            dynamic_cast<const Strivelo::BarcodeProcessorMixIn_WideNarrowOption*>(processor.get());
        ASSERT_NE(option, nullptr);
        EXPECT_EQ(option->IsWideNarrowRatioValid(), *c.ratioValid);
    }
}

}  // namespace StriveloTest
