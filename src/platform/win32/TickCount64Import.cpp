// Windows XP has no GetTickCount64, and a DLL that imports a function the system lacks does not
// load at all. The toolchain's static thread library (which the C++ runtime's threads, mutexes
// and timed waits are built on) imports it nevertheless. Of the ways out, this one keeps the
// thread model that everything else is built with: every program and module of the project
// carries its own definition of the import's address slot, so the linker takes ours and never
// adds the import. The slot starts at a resolver that, on the first call, looks the function up
// in kernel32 (Vista and later have it) and otherwise counts with GetTickCount, carrying its
// wraps every 49.7 days into the upper half. A module that needs no threads at all was not an
// option: the tests need the posix thread model, and the module shares its libraries with them.

#include <windows.h>

#include <atomic>
#include <cstdint>

#include "platform/TickCountWraps.h"

namespace {

using TickCount64Fn = ULONGLONG(WINAPI*)();

// GetTickCount widened to 64 bits: the last reading and the number of wraps, kept in one word
// so that threads that read the clock at once agree on both.
ULONGLONG WINAPI TickCountWithWraps() {
  static std::atomic<std::uint64_t> state{0};  // wraps << 32 | last reading
  std::uint64_t seen = state.load();
  for (;;) {
    // Read after the state, so that no thread stores a reading older than one already kept.
    const std::uint64_t next = platform::NextTickState(seen, GetTickCount());
    if (next == seen || state.compare_exchange_weak(seen, next)) return next;
  }
}

ULONGLONG WINAPI ResolveTickCount64();

}  // namespace

// The import's address slot, under the name the toolchain's references use.
extern "C" {
TickCount64Fn zel_tick_count64_slot __asm__("__imp__GetTickCount64@0") = ResolveTickCount64;
}

namespace {

ULONGLONG WINAPI ResolveTickCount64() {
  TickCount64Fn found = nullptr;
  if (HMODULE kernel = GetModuleHandleA("kernel32.dll")) {
    if (FARPROC system = GetProcAddress(kernel, "GetTickCount64"))
      found = reinterpret_cast<TickCount64Fn>(reinterpret_cast<void*>(system));
  }
  if (!found) found = TickCountWithWraps;
  // Several threads may get here at once; they all store the same function.
  __atomic_store_n(&zel_tick_count64_slot, found, __ATOMIC_RELEASE);
  return found();
}

}  // namespace
