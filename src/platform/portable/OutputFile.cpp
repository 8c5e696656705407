#include "platform/OutputFile.h"

#include <fcntl.h>
#ifdef __linux__
#include <linux/magic.h>
#include <sys/vfs.h>
#endif
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "common/Error.h"
#include "platform/File.h"

namespace platform {
namespace {

// Links in a chain before it counts as a loop, as the system counts them.
constexpr int kMaxLinks = 40;
// The longest path the system takes.
constexpr off_t kPathBytes = 4096;
// Attempts at a name of its own for a new file beside another.
constexpr int kNameAttempts = 100;
// Bytes of the replaced file's name kept in the temporary name, well within a name's limit.
constexpr std::size_t kMaxNameInTemporary = 200;

[[noreturn]] void RaiseSystemError(int code) {
  throw EXmlError(SystemErrorText(code));
}

// The folder part of path ("." when it has none) and its last part.
std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string LastPartOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Whether the folder belongs to the system's own view of processes, whose links to open files
// are made up as they are read.
bool IsProcessFilesFolder(const std::string& folder) {
#ifdef __linux__
  struct statfs info {};
  return ::statfs(folder.c_str(), &info) == 0 && info.f_type == PROC_SUPER_MAGIC;
#else
  return folder.starts_with("/proc/") || folder.starts_with("/dev/fd");
#endif
}

int Fd(std::intptr_t handle) {
  return int(handle);
}

// A socket takes no open(): it is connected to, as a stream.
int ConnectToSocket(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof(address.sun_path)) RaiseSystemError(ENAMETOOLONG);
  std::memcpy(address.sun_path, path.data(), path.size());
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) RaiseSystemError(errno);
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) {
    const int code = errno;
    ::close(fd);
    RaiseSystemError(code);
  }
  return fd;
}

// The folder's own entry is made durable too, so that a rename survives a crash; a folder that
// cannot be read or synced leaves it to the system.
void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::optional<std::string> FollowLinks(const std::string& path) {
  std::string current = path;
  for (int i = 0; i < kMaxLinks; ++i) {
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
    if (IsProcessFilesFolder(FolderOf(current))) return std::nullopt;
    // Links of the system's own may tell no length: room for a whole path then.
    std::vector<char> target(std::size_t(std::max<off_t>(info.st_size, kPathBytes)) + 1);
    const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
    if (n < 0) RaiseSystemError(errno);
    if (std::size_t(n) == target.size()) RaiseSystemError(ENAMETOOLONG);
    const std::string next(target.data(), std::size_t(n));
    current = next.starts_with('/') ? next : FolderOf(current) + "/" + next;
  }
  RaiseSystemError(ELOOP);
}

TFileFacts InspectFile(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    if (errno == ENOENT) return {};
    RaiseSystemError(errno);
  }
  TFileFacts facts;
  facts.Links = std::uint64_t(info.st_nlink);
  facts.Volume = std::uint64_t(info.st_dev);
  facts.Index = std::uint64_t(info.st_ino);
  if (S_ISREG(info.st_mode))
    facts.Kind = TFileKind::Regular;
  else if (S_ISDIR(info.st_mode))
    facts.Kind = TFileKind::Directory;
  else if (S_ISFIFO(info.st_mode))
    facts.Kind = TFileKind::Fifo;
  else if (S_ISSOCK(info.st_mode))
    facts.Kind = TFileKind::Socket;
  else
    facts.Kind = TFileKind::Device;
  return facts;
}

TOutputFile TOutputFile::CreateBeside(const std::string& path, bool asNewFile) {
  if (path.find('\0') != std::string::npos) RaiseSystemError(EINVAL);
  const std::string stem = FolderOf(path) + "/." + LastPartOf(path).substr(0, kMaxNameInTemporary) +
                           ".partial-" + std::to_string(::getpid()) + "-";
  static unsigned serial = 0;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::string name = stem + std::to_string(++serial);
    const int fd =
        ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, asNewFile ? 0666 : 0600);
    if (fd >= 0) return TOutputFile(fd, std::move(name));
    if (errno != EEXIST) RaiseSystemError(errno);
  }
  RaiseSystemError(EEXIST);
}

TOutputFile TOutputFile::OpenExisting(const std::string& path, bool append) {
  if (path.find('\0') != std::string::npos) RaiseSystemError(EINVAL);
  int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | (append ? O_APPEND : 0));
  if (fd < 0 && errno == ENXIO && InspectFile(path).Kind == TFileKind::Socket)
    fd = ConnectToSocket(path);
  if (fd < 0) RaiseSystemError(errno);
  return TOutputFile(fd, path);
}

void TOutputFile::Write(const void* bytes, std::size_t count) {
  std::size_t done = 0;
  while (done < count) {
    const ssize_t n = ::write(Fd(handle_), static_cast<const char*>(bytes) + done, count - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) RaiseSystemError(errno);
    if (n == 0) RaiseSystemError(EIO);
    done += std::size_t(n);
  }
}

void TOutputFile::Reserve(std::int64_t size) {
  struct stat info {};
  if (size <= 0 || ::fstat(Fd(handle_), &info) != 0) return;
  const int code = ::posix_fallocate(Fd(handle_), 0, off_t(size));
  if (code == 0 || code == EINVAL || code == EOPNOTSUPP || code == ENODEV) return;
  // What a failed reservation may have added goes again.
  if (size > info.st_size) (void)::ftruncate(Fd(handle_), info.st_size);
  RaiseSystemError(code);
}

void TOutputFile::Truncate(std::int64_t size) {
  if (::ftruncate(Fd(handle_), off_t(size)) != 0) RaiseSystemError(errno);
}

void TOutputFile::Sync() {
  if (::fsync(Fd(handle_)) != 0 && errno != EINVAL) RaiseSystemError(errno);
}

void TOutputFile::TakeModeAndOwnerOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) RaiseSystemError(errno);
  // The owner first: changing it may clear the set-id bits, which the mode then restores. Who
  // may not give a file away keeps at least its group where that is allowed.
  if (info.st_uid != ::geteuid() || info.st_gid != ::getegid()) {
    if (::fchown(Fd(handle_), info.st_uid, info.st_gid) != 0)
      (void)::fchown(Fd(handle_), uid_t(-1), info.st_gid);
  }
  if (::fchmod(Fd(handle_), info.st_mode & 07777) != 0) RaiseSystemError(errno);
}

void TOutputFile::Close() {
  const int fd = Fd(std::exchange(handle_, kNoHandle));
  if (fd >= 0 && ::close(fd) != 0 && errno != EINTR) RaiseSystemError(errno);
}

void TOutputFile::CloseQuietly() noexcept {
  const int fd = Fd(std::exchange(handle_, kNoHandle));
  if (fd >= 0) ::close(fd);
}

void RenameOver(const std::string& from, const std::string& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) RaiseSystemError(errno);
  SyncFolder(FolderOf(to));
}

}  // namespace platform
