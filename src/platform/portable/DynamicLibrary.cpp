#include "platform/DynamicLibrary.h"

#include <dlfcn.h>

#include <utility>

namespace platform {

bool TDynamicLibrary::Load(const std::string& path) {
  Unload();
  handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_) {
    errorText_.clear();
    return true;
  }
  const char* error = dlerror();
  errorText_ = error ? error : "cannot load " + path;
  return false;
}

void TDynamicLibrary::Unload() noexcept {
  if (handle_) dlclose(std::exchange(handle_, nullptr));
}

void* TDynamicLibrary::Symbol(const char* name) const {
  return handle_ ? dlsym(handle_, name) : nullptr;
}

}  // namespace platform
