#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <vector>

#include "SymbolSettings.h"

namespace StriveloTest {

// What the validators answer for a symbol; one left unset is not asked.
struct ParameterCase {
    const char* name;
    SymbolSettings symbol;
    std::optional<bool> magnificationValid = std::nullopt;
    std::optional<bool> reductionValid = std::nullopt;
    std::optional<bool> heightValid = std::nullopt;
    std::optional<bool> ratioValid = std::nullopt;
};

void PrintTo(const ParameterCase& c, std::ostream* os);

// The rows for symbols of the type, where a family's types share the limits.
std::vector<ParameterCase> OfType(const std::vector<ParameterCase>& rows, std::int32_t type);

// Every family's file instantiates this with its rows. A wide/narrow ratio
// is asked of the processor and of its wide/narrow option, which the family
// answers with the same check.
class ParameterCaseTest : public testing::TestWithParam<ParameterCase> {};

}  // namespace StriveloTest
