#include "platform/ProcessMemory.h"

#include <windows.h>
// windows.h first: the process-status header builds on it.
#include <psapi.h>

namespace platform {

namespace {

using GetProcessMemoryInfoFn = BOOL(WINAPI*)(HANDLE, PPROCESS_MEMORY_COUNTERS, DWORD);

// The process-status call is looked up when first asked for, not imported: kernel32 has it
// from Windows 7 on, psapi.dll before that, and an import of either would keep a program from
// loading on the other kind of system.
GetProcessMemoryInfoFn FindGetProcessMemoryInfo() {
  if (HMODULE kernel = GetModuleHandleA("kernel32.dll")) {
    if (FARPROC found = GetProcAddress(kernel, "K32GetProcessMemoryInfo"))
      return reinterpret_cast<GetProcessMemoryInfoFn>(reinterpret_cast<void*>(found));
  }
  if (HMODULE psapi = LoadLibraryA("psapi.dll")) {
    if (FARPROC found = GetProcAddress(psapi, "GetProcessMemoryInfo"))
      return reinterpret_cast<GetProcessMemoryInfoFn>(reinterpret_cast<void*>(found));
  }
  return nullptr;
}

}  // namespace

std::size_t ResidentMemoryBytes() {
  static const GetProcessMemoryInfoFn getInfo = FindGetProcessMemoryInfo();
  if (!getInfo) return 0;
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!getInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
  return counters.WorkingSetSize;
}

}  // namespace platform
