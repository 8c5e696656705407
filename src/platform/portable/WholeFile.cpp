#include "platform/WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "platform/File.h"

namespace platform {
namespace {

constexpr std::size_t kChunkBytes = 1 << 16;

// Appends what the descriptor holds up to its end; false, with errno, on failure.
bool ReadToEnd(int fd, std::string& bytes) {
  char chunk[kChunkBytes];
  for (;;) {
    const ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    bytes.append(chunk, std::size_t(n));
  }
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& reason) {
  bytes.clear();
  const int fd = path.find('\0') == std::string::npos ? ::open(path.c_str(), O_RDONLY | O_CLOEXEC)
                                                      : (errno = EINVAL, -1);
  struct stat info {};
  if (fd >= 0 && fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    ::close(fd);
    reason = std::generic_category().message(EISDIR);
    return false;
  }
  const bool read = fd >= 0 && ReadToEnd(fd, bytes);
  const int code = errno;
  if (fd >= 0) ::close(fd);
  if (!read) reason = SystemErrorText(code);
  return read;
}

std::string ReadStandardInput() {
  std::string bytes;
  ReadToEnd(STDIN_FILENO, bytes);
  return bytes;
}

}  // namespace platform
