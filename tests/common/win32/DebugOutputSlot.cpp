// The test framework copies every failure and skip it prints to the debugger's channel with
// OutputDebugStringA. Under wine on a user-mode emulator of 32-bit code that call raises and
// unwinds inside wine's own exception frame, and the unwind goes wrong there: the program dies
// right after printing its first skip or failure, and its report is never written. Every test
// program carries its own definition of the function's import slot, so the linker takes it
// instead of adding the import. Under emulation the copy is dropped (standard output already
// has the text); everywhere else it goes on to the system's function, looked up at run time.

#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

using DebugOutputFn = void(WINAPI*)(LPCSTR);

void WINAPI DropDebugOutput(LPCSTR) {}

void WINAPI ResolveDebugOutput(LPCSTR text);

}  // namespace

extern "C" {
DebugOutputFn zel_debug_output_slot __asm__("__imp__OutputDebugStringA@4") = ResolveDebugOutput;
}

namespace {

DebugOutputFn SystemDebugOutput() {
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  FARPROC system = kernel ? GetProcAddress(kernel, "OutputDebugStringA") : nullptr;
  return system ? reinterpret_cast<DebugOutputFn>(reinterpret_cast<void*>(system))
                : DropDebugOutput;
}

void WINAPI ResolveDebugOutput(LPCSTR text) {
  const char* emulated = std::getenv("ZEL_UNDER_EMULATION");
  const DebugOutputFn found =
      emulated && std::strcmp(emulated, "1") == 0 ? DropDebugOutput : SystemDebugOutput();
  __atomic_store_n(&zel_debug_output_slot, found, __ATOMIC_RELEASE);
  found(text);
}

}  // namespace
