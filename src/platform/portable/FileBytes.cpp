#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/ExecutableImage.h"

namespace platform {

TFileBytes::TFileBytes(const std::string& path) {
  if (path.empty()) return;
  handle_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat info {};
  if (handle_ >= 0 && fstat(int(handle_), &info) == 0 && S_ISREG(info.st_mode))
    size_ = std::uint64_t(info.st_size);
}

TFileBytes::~TFileBytes() {
  if (handle_ >= 0) ::close(int(handle_));
}

bool TFileBytes::Read(std::uint64_t offset, void* out, std::size_t count) const {
  if (offset > size_ || count > size_ - offset) return false;
  std::size_t done = 0;
  while (done < count) {
    const ssize_t n =
        ::pread(int(handle_), static_cast<char*>(out) + done, count - done, off_t(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;  // the file shrank meanwhile
    done += std::size_t(n);
  }
  return true;
}

}  // namespace platform
