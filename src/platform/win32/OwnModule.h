#pragma once

#include <windows.h>

namespace platform::win32 {

// The handle of the binary that holds this code: the module itself, not the host program.
HMODULE OwnModuleHandle();

}  // namespace platform::win32
