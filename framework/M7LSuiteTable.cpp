#include "M7LSuiteTable.h"

#include <iterator>

#define M7L_DEFINE_SUITE_POINTER(suite) M7LSuitePointer<host::suite##Suite> s##suite;
M7L_SUITE_LIST(M7L_DEFINE_SUITE_POINTER)
#undef M7L_DEFINE_SUITE_POINTER

std::uint16_t gSuiteNestingCounter = 0;

namespace {

#define M7L_SUITE_TARGET(suite) &s##suite.table,
constexpr const void** kTargets[] = {M7L_SUITE_LIST(M7L_SUITE_TARGET)};
#undef M7L_SUITE_TARGET
static_assert(std::size(kTargets) == host::kSuiteCount);

// Names and versions are the host's, so the list only adds the pointers.
constexpr std::array<M7LSuiteEntry, host::kSuiteCount> BuildTable() {
    std::array<M7LSuiteEntry, host::kSuiteCount> table{};
    for (std::size_t row = 0; row < table.size(); ++row) {
        const host::SuiteVersions& suite = host::kSuiteTable[row];
        table[row] = {suite.name, suite.In(kSuiteGeneration), kTargets[row]};
    }
    return table;
}

}  // namespace

constinit const std::array<M7LSuiteEntry, host::kSuiteCount> gSuiteTable = BuildTable();

host::Error AcquireSuites(const host::SpBasicSuite* basic) {
    host::Error result = host::kNoError;
    if (gSuiteNestingCounter == 0) {
        for (const M7LSuiteEntry& entry : gSuiteTable) {
            // The host leaves the pointer alone on failure, and release goes
            // by non-null pointers: a table of an earlier hold must not stay.
            *entry.target = nullptr;
            if (const host::Error error =
                    basic->AcquireSuite(entry.name, entry.version, entry.target)) {
                result = error;
            }
        }
    }
    ++gSuiteNestingCounter;
    return result;
}

host::Error ReleaseSuites(const host::SpBasicSuite* basic) {
    if (gSuiteNestingCounter == 0) {
        return host::kNoError;
    }
    host::Error result = host::kNoError;
    if (gSuiteNestingCounter == 1) {
        for (const M7LSuiteEntry& entry : gSuiteTable) {
            if (*entry.target == nullptr) {
                continue;
            }
            const host::Error error = basic->ReleaseSuite(entry.name, entry.version);
            if (result == host::kNoError) {
                result = error;
            }
        }
    }
    --gSuiteNestingCounter;
    return result;
}
