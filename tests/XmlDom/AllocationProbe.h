#pragma once

// The largest single allocation the test program has asked for since the last reset. The
// program that links AllocationProbe.cpp replaces the global allocation operators to see them.

#include <cstddef>

namespace allocation_probe {

void ResetLargest() noexcept;
std::size_t Largest() noexcept;

}  // namespace allocation_probe
