#include "platform/OutputFile.h"

namespace platform {

TOutputFile::TOutputFile(TOutputFile&& other) noexcept
    : handle_(std::exchange(other.handle_, kNoHandle)), path_(std::move(other.path_)) {}

TOutputFile& TOutputFile::operator=(TOutputFile&& other) noexcept {
  if (this != &other) {
    CloseQuietly();
    handle_ = std::exchange(other.handle_, kNoHandle);
    path_ = std::move(other.path_);
  }
  return *this;
}

TOutputFile::~TOutputFile() {
  CloseQuietly();
}

}  // namespace platform
