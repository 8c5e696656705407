#include "platform/ProcessMemory.h"

#include <unistd.h>

#include <cstdio>

namespace platform {

std::size_t ResidentMemoryBytes() {
  // The second field of statm is the resident set, in pages.
  std::FILE* statm = std::fopen("/proc/self/statm", "r");
  if (!statm) return 0;
  unsigned long size = 0;
  unsigned long resident = 0;
  const bool read = std::fscanf(statm, "%lu %lu", &size, &resident) == 2;
  std::fclose(statm);
  const long pageBytes = sysconf(_SC_PAGESIZE);
  return read && pageBytes > 0 ? std::size_t(resident) * std::size_t(pageBytes) : 0;
}

}  // namespace platform
