#pragma once

#include "host/HostErrors.h"
#include "host/HostGeometry.h"
#include "host/SpSuites.h"

// What the tests' second plug-in library exports: it uses the suite the
// plug-in publishes, as any other plug-in does, through the host's basic
// suite.
extern "C" {
// Acquires the suite, reads along the line, releases the suite; the
// acquisition's error when there is no such suite.
using SuiteCallerReadProc = host::Error (*)(const host::SpBasicSuite* basic, host::RealPoint from,
                                            host::RealPoint to);
// The suite's entry as the caller finds it in the table, null when there is
// no such suite.
using SuiteEntry = void (*)();
using SuiteCallerEntryProc = SuiteEntry (*)(const host::SpBasicSuite* basic);
}

inline constexpr const char* kSuiteCallerRead = "SuiteCallerRead";
inline constexpr const char* kSuiteCallerEntry = "SuiteCallerEntry";
