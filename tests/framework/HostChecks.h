#pragma once

#include <gtest/gtest.h>

#include <string>

#include "HostCore.h"
#include "host/HostSuites.h"

namespace frameworktest {

// How every test ends: nothing held of the host, no mistake recorded.
inline void ExpectBalancedAndClean(standin::HostCore& core) {
    EXPECT_EQ(core.GetLedger().Imbalance(), "");
    for (const standin::Violation& violation : core.GetViolations().All()) {
        ADD_FAILURE() << violation;
    }
}

inline std::string GenerationName(const ::testing::TestParamInfo<host::Generation>& info) {
    return info.param == host::Generation::kCs3 ? "Cs3" : "Cs2";
}

}  // namespace frameworktest
