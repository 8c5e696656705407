#include "platform/ProcessMemory.h"

// The process-status call of kernel32 itself, so that nothing links another library for it.
#define PSAPI_VERSION 2
#include <windows.h>
// windows.h first: the process-status header builds on it.
#include <psapi.h>

namespace platform {

std::size_t ResidentMemoryBytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
  return counters.WorkingSetSize;
}

}  // namespace platform
