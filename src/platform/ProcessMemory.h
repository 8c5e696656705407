#pragma once

// How much memory the process holds, for the tests that show that loading and unloading the
// module leaves nothing behind.

#include <cstddef>

namespace platform {

// The process's resident memory (its working set on Windows) in bytes; 0 when the system does
// not tell.
std::size_t ResidentMemoryBytes();

}  // namespace platform
