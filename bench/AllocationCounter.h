#pragma once

#include <cstddef>

namespace StriveloBench {

// How often operator new (any form) has run in this program so far. The
// program that links AllocationCounter.cpp replaces the global allocation
// functions with counting ones; C code that calls malloc is not counted.
std::size_t CountAllocations();

}  // namespace StriveloBench
