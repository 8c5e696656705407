#include "platform/DynamicLibrary.h"

#include <utility>

namespace platform {

TDynamicLibrary::TDynamicLibrary(TDynamicLibrary&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), errorText_(std::move(other.errorText_)) {}

TDynamicLibrary& TDynamicLibrary::operator=(TDynamicLibrary&& other) noexcept {
  if (this != &other) {
    Unload();
    handle_ = std::exchange(other.handle_, nullptr);
    errorText_ = std::move(other.errorText_);
  }
  return *this;
}

}  // namespace platform
