#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace StriveloBench {

// count increasing edge positions (mm) a random step of up to a few mm apart,
// the same for the same seed on every machine: edges of no symbol, for timing
// how fast identification turns them away.
std::vector<double> RandomEdges(std::size_t count, std::uint32_t seed);

}  // namespace StriveloBench
