#pragma once

// Internal consistency failures go to one replaceable handler; without one
// the default report goes to the standard error stream.
using M7LFailureHandler = int (*)(const char* kind, int one, int errorNumber, const char* message,
                                  const char* sourceFile, int line, const char* condition);

inline constexpr const char* kFailureKindAssert = "Assert Failed";
inline constexpr const char* kFailureKindCantHappen = "Can't Happen Failed";
inline constexpr const char* kFailureKindShouldBeAssert = "Should-Be-Assert Failed";
inline constexpr const char* kFailureKindShouldNeverComeHere = "Should Never Come Here Failed";

void SetFailureHandler(M7LFailureHandler handler);

// Returns the handler's result, or 0 after the default report.
int ReportCantHappen(int errorNumber, const char* message, const char* sourceFile, int line);

void ReportFailureDefault(const char* kind, int errorNumber);
