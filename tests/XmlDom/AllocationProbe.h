#pragma once

// The largest single allocation the test program has asked for since the last reset, and a
// failure armed for the n-th allocation to come. The program that links AllocationProbe.cpp
// replaces the global allocation operators to see them.

#include <cstddef>

namespace allocation_probe {

void ResetLargest() noexcept;
std::size_t Largest() noexcept;

// The allocation after `count` more succeed throws std::bad_alloc; Disarm stops that. True
// from Fired once the armed failure was thrown.
void FailAfter(long count) noexcept;
void Disarm() noexcept;
bool Fired() noexcept;

}  // namespace allocation_probe
