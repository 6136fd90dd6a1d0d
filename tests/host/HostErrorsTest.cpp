#include "host/HostErrors.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "host/HostMessages.h"

namespace {

TEST(FourCharCode, PutsTheFirstCharacterInTheMostSignificantByte) {
    struct Case {
        std::int32_t code;
        std::uint32_t value;
    };
    const Case cases[] = {
        {host::kErrorCancel, 0x53544F50u},
        {host::kErrorSuiteNotFound, 0x53214664u},
        {host::kErrorNoMemory, 0x214D454Du},
        {host::kErrorUnusableIcon, 0x2169636Fu},
        {host::kPropertyVendor, 0x41444245u},
        {host::kPropertyExportedSuites, 0x65787074u},
        {host::FourCharCode("\xFF"
                            "abc"),
         0xFF616263u},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(static_cast<std::uint32_t>(c.code), c.value) << std::hex << c.value;
    }
}

}  // namespace
