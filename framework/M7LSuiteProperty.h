#pragma once

#include <cstdint>

#include "host/HostErrors.h"
#include "host/HostMessages.h"

// The suite the plug-in exports.
inline constexpr char kStriveloSuiteName[] = "M7L Strivelo Suite";
inline constexpr std::int32_t kStriveloSuiteVersion = 1;

// "SP Properties"/"Acquire": when the host asks for vendor 'ADBE' and key
// 'expt', hands it a block that lists the exported suite; any other property
// builds nothing and answers 0.
host::Error PublishSuiteProperty(host::PropertiesMessage* message);
// "SP Properties"/"Release": frees the block PublishSuiteProperty built, and
// no other.
host::Error FreeSuiteProperty(host::PropertiesMessage* message);
