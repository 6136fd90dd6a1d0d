#pragma once

#include "host/HostErrors.h"
#include "host/HostHandles.h"

// The art whose path style and blend paint a bar's path: the compound path
// that holds it, or else the path itself. Measuring the bars and fixing them
// read and write the same paint through it.
host::Error GetPaintingArt(host::Art path, host::Art* painting);
