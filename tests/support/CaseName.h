#pragma once

#include <cstdint>
#include <string>

#include <gtest/gtest.h>

namespace StriveloTest {

// Names the rows of a parameterised case table after their name field.
template <typename Case>
std::string CaseName(const testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

// The four characters of a symbology's type code.
inline std::string TypeName(std::int32_t type) {
    std::string name;
    for (int shift = 24; shift >= 0; shift -= 8) {
        name += static_cast<char>((static_cast<std::uint32_t>(type) >> shift) & 0xFF);
    }
    return name;
}

// Names the rows of a table of symbologies after their type field.
template <typename Case>
std::string TypeCaseName(const testing::TestParamInfo<Case>& info) {
    return TypeName(info.param.type);
}

}  // namespace StriveloTest
