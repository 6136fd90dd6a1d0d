#pragma once

#include <iosfwd>

#include "DriverHost.h"
#include "DriverOptions.h"

namespace driver {

// Exit statuses of the driver program.
inline constexpr int kExitDone = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitCheckFailed = 3;

// Each command as a user does it in the started host, on the document it
// names; what the palettes show goes to out, the plug-in's messages and
// the driver's own to the host's message stream. The exit status.
int RunMake(const DriverOptions& options, DriverHost& host, std::ostream& out);
int RunRead(const DriverOptions& options, DriverHost& host, std::ostream& out);
int RunCheck(const DriverOptions& options, DriverHost& host, std::ostream& out);
int RunChangeBwr(const DriverOptions& options, DriverHost& host, std::ostream& out);
int RunFixDeviation(const DriverOptions& options, DriverHost& host, std::ostream& out);
// Needs no host.
int RunTypes(std::ostream& out);

}  // namespace driver
