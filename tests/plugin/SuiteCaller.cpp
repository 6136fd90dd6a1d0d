// A plug-in library of the tests' own that calls the published suite the way
// another vendor's plug-in would: compiled against the suite's table only.
#include "SuiteCaller.h"

#include "StriveloSuite.h"

namespace {

const StriveloSuite* Acquire(const host::SpBasicSuite* basic, host::Error* error) {
    const void* table = nullptr;
    *error = basic->AcquireSuite(kStriveloSuiteName, kStriveloSuiteVersion, &table);
    return *error == host::kNoError ? static_cast<const StriveloSuite*>(table) : nullptr;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) host::Error SuiteCallerRead(
    const host::SpBasicSuite* basic, host::RealPoint from, host::RealPoint to) {
    host::Error error = host::kNoError;
    const StriveloSuite* suite = Acquire(basic, &error);
    if (suite == nullptr) {
        return error;
    }
    const host::Error result = suite->ReadBarcodeAlongLine(from, to);
    basic->ReleaseSuite(kStriveloSuiteName, kStriveloSuiteVersion);
    return result;
}

extern "C" __attribute__((visibility("default"))) SuiteEntry SuiteCallerEntry(
    const host::SpBasicSuite* basic) {
    host::Error error = host::kNoError;
    const StriveloSuite* suite = Acquire(basic, &error);
    if (suite == nullptr) {
        return nullptr;
    }
    const SuiteEntry entry = reinterpret_cast<SuiteEntry>(suite->ReadBarcodeAlongLine);
    basic->ReleaseSuite(kStriveloSuiteName, kStriveloSuiteVersion);
    return entry;
}
