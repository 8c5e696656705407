#include "platform/ModulePath.h"

#include "platform/win32/OwnModule.h"

namespace platform {

std::string ModuleFileName() {
  char buffer[256];
  const DWORD length = GetModuleFileNameA(win32::OwnModuleHandle(), buffer, sizeof buffer);
  return std::string(buffer, length < sizeof buffer ? length : sizeof buffer - 1);
}

}  // namespace platform
