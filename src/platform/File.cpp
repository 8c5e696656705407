// The part of files that is the same on every system: a file is moved, never copied, and
// closed when its holder goes.
#include "platform/File.h"

#include <utility>

namespace platform {

TFile::TFile(TFile&& other) noexcept : handle_(std::exchange(other.handle_, kNoHandle)) {}

TFile& TFile::operator=(TFile&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = std::exchange(other.handle_, kNoHandle);
  }
  return *this;
}

TFile::~TFile() {
  Close();
}

}  // namespace platform
