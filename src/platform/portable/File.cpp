#include "platform/File.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

#include "common/Error.h"
#include "common/FormatText.h"
#include "common/Messages.h"

namespace platform {
namespace {

[[noreturn]] void RaiseFileError(std::string_view format, const std::string& path, int code) {
  throw EXmlError(FormatText(format, {FullPathName(path), SystemErrorText(code)}));
}

// Every system call reads a name up to its first zero byte, so a name holding one would open
// another file than the one it names: such a name names no file.
bool HoldsZeroByte(const std::string& path) {
  return path.find('\0') != std::string::npos;
}

// Opens and locks the file for this opener alone; -1 with errno set on failure. A directory
// is refused like Windows refuses it.
int OpenExclusive(const std::string& path, int flags) {
  if (path.empty() || HoldsZeroByte(path)) {
    errno = path.empty() ? ENOENT : EINVAL;
    return -1;
  }
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
  if (fd < 0) return -1;
  struct stat info {};
  int failure = 0;
  if (fstat(fd, &info) != 0)
    failure = errno;
  else if (S_ISDIR(info.st_mode))
    failure = EISDIR;
  else if (flock(fd, LOCK_EX | LOCK_NB) != 0)
    failure = errno;
  if (failure != 0) {
    ::close(fd);
    errno = failure;
    return -1;
  }
  return fd;
}

std::string CurrentDirectory() {
  std::vector<char> buffer(4096);
  while (!getcwd(buffer.data(), buffer.size())) {
    if (errno != ERANGE) return "/";
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}

// Empty and "." segments go; ".." removes the segment before it, never the root.
std::string NormalizeAbsolute(const std::string& path) {
  std::vector<std::string_view> segments;
  std::string_view rest(path);
  while (!rest.empty()) {
    const std::size_t slash = rest.find('/');
    const std::string_view segment = rest.substr(0, slash);
    if (segment == "..") {
      if (!segments.empty()) segments.pop_back();
    } else if (!segment.empty() && segment != ".") {
      segments.push_back(segment);
    }
    if (slash == std::string_view::npos) break;
    rest.remove_prefix(slash + 1);
  }
  std::string result;
  for (const std::string_view segment : segments) (result += '/') += segment;
  return result.empty() ? "/" : result;
}

}  // namespace

TFile TFile::OpenRead(const std::string& path) {
  const int fd = OpenExclusive(path, O_RDONLY);
  if (fd < 0) RaiseFileError(msg::kCannotOpenFile, path, errno);
  return TFile(fd);
}

TFile TFile::Create(const std::string& path) {
  // Truncate only once the lock is held, so that a file another opener holds stays intact.
  const int fd = OpenExclusive(path, O_RDWR | O_CREAT);
  if (fd < 0 || ftruncate(fd, 0) != 0) {
    const int code = errno;
    if (fd >= 0) ::close(fd);
    RaiseFileError(msg::kCannotCreateFile, path, code);
  }
  return TFile(fd);
}

void TFile::Close() noexcept {
  if (handle_ >= 0) ::close(int(handle_));
  handle_ = kNoHandle;
}

std::int64_t TFile::Size() const {
  struct stat info {};
  return fstat(int(handle_), &info) == 0 ? std::int64_t(info.st_size) : 0;
}

std::int64_t TFile::Position() const {
  return ::lseek(int(handle_), 0, SEEK_CUR);
}

void TFile::Seek(std::int64_t position) {
  ::lseek(int(handle_), off_t(position), SEEK_SET);
}

std::size_t TFile::Read(void* buffer, std::size_t count) {
  std::size_t done = 0;
  while (done < count) {
    const ssize_t n = ::read(int(handle_), static_cast<char*>(buffer) + done, count - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += std::size_t(n);
  }
  return done;
}

void TFile::Write(const void* buffer, std::size_t count) {
  std::size_t done = 0;
  while (done < count) {
    const ssize_t n = ::write(int(handle_), static_cast<const char*>(buffer) + done, count - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw EXmlError(msg::kStreamWriteError);
    done += std::size_t(n);
  }
}

bool FileExists(const std::string& path) {
  struct stat info {};
  return !path.empty() && stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

void RenameFile(const std::string& from, const std::string& to) {
  if (::rename(from.c_str(), to.c_str()) != 0)
    throw EXmlError(FormatText(msg::kCannotRenameFile,
                               {FullPathName(from), FullPathName(to), SystemErrorText(errno)}));
}

bool RemoveFile(const std::string& path) {
  return !path.empty() && ::unlink(path.c_str()) == 0;
}

bool AppendToTextFile(const std::string& path, std::string_view text) {
  if (path.empty() || HoldsZeroByte(path)) return false;
  const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool ok = true;
  std::size_t done = 0;
  while (ok && done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) done += std::size_t(n);
  }
  return ::close(fd) == 0 && ok;
}

// Up to the first zero byte, as Windows reads a name.
std::string FullPathName(const std::string& path) {
  const std::string name = path.substr(0, path.find('\0'));
  if (name.empty()) return name;
  return NormalizeAbsolute(name[0] == '/' ? name : CurrentDirectory() + '/' + name);
}

std::string SystemErrorText(int code) {
  std::string text = std::strerror(code);
  while (!text.empty() && (static_cast<unsigned char>(text.back()) <= ' ' || text.back() == '.'))
    text.pop_back();
  return text;
}

}  // namespace platform
