#pragma once

// A 32-bit millisecond clock that wraps every 49.7 days, widened to 64 bits: the state is the
// number of wraps in the upper half and the last reading in the lower half, so that one atomic
// word holds both. A reading below the last one has wrapped.

#include <cstdint>

namespace platform {

constexpr std::uint64_t NextTickState(std::uint64_t state, std::uint32_t reading) {
  std::uint64_t wraps = state >> 32;
  if (reading < std::uint32_t(state)) ++wraps;
  return wraps << 32 | reading;
}

}  // namespace platform
