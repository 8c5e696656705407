#include "platform/DynamicLibrary.h"

#include <windows.h>

#include <utility>

#include "platform/File.h"

namespace platform {

bool TDynamicLibrary::Load(const std::string& path) {
  Unload();
  handle_ = LoadLibraryA(path.c_str());
  if (handle_) {
    errorText_.clear();
    return true;
  }
  errorText_ = SystemErrorText(int(GetLastError()));
  return false;
}

void TDynamicLibrary::Unload() noexcept {
  if (handle_) FreeLibrary(static_cast<HMODULE>(std::exchange(handle_, nullptr)));
}

void* TDynamicLibrary::Symbol(const char* name) const {
  return handle_ ? reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name))
                 : nullptr;
}

}  // namespace platform
