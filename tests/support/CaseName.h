#pragma once

#include <string>

#include <gtest/gtest.h>

namespace StriveloTest {

// Names the rows of a parameterised case table after their name field.
template <typename Case>
std::string CaseName(const testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

}  // namespace StriveloTest
