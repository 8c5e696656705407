#include "platform/OutputFile.h"

#include <windows.h>

#include <string_view>

#include "common/Error.h"
#include "platform/File.h"

namespace platform {
namespace {

// Attempts at a name of its own for a new file beside another.
constexpr int kNameAttempts = 100;
// Characters of the replaced file's name kept in the temporary name.
constexpr std::size_t kMaxNameInTemporary = 200;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// Named pipes live under this prefix; opening one to look at it would take a connection.
constexpr std::string_view kPipePrefix = "\\\\.\\pipe\\";

[[noreturn]] void RaiseSystemError(DWORD code) {
  throw EXmlError(SystemErrorText(int(code)));
}

HANDLE AsHandle(std::intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

std::size_t LastSeparator(const std::string& path) {
  return path.find_last_of("\\/:");
}

std::string FolderPrefixOf(const std::string& path) {
  const std::size_t separator = LastSeparator(path);
  return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

std::string LastPartOf(const std::string& path) {
  const std::size_t separator = LastSeparator(path);
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

// The name as a full path with backslashes. ReplaceFile wants no less: wine's fails with "The
// directory name is invalid" for a name relative to the current folder or written with
// forward slashes, which MoveFileEx and CreateFile accept.
std::string FullPathOf(const std::string& name) {
  const DWORD size = GetFullPathNameA(name.c_str(), 0, nullptr, nullptr);
  if (size == 0) return name;
  std::string full(size, '\0');
  const DWORD length = GetFullPathNameA(name.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) return name;
  full.resize(length);
  return full;
}

bool IsMissing(DWORD code) {
  return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
}

// The prefix is ASCII, and names are compared without regard to its case.
bool StartsWithPipePrefix(const std::string& path) {
  if (path.size() < kPipePrefix.size()) return false;
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
  for (std::size_t i = 0; i < kPipePrefix.size(); ++i)
    if (lower(path[i]) != kPipePrefix[i]) return false;
  return true;
}

}  // namespace

TFileFacts InspectFile(const std::string& path) {
  TFileFacts facts;
  if (StartsWithPipePrefix(path)) {
    facts.Kind = TFileKind::Fifo;
    return facts;
  }
  if (path.find('\0') != std::string::npos) RaiseSystemError(ERROR_INVALID_NAME);
  // Asking for no access reads what stands there without disturbing any other opener.
  const HANDLE file = CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD code = GetLastError();
    if (IsMissing(code)) return facts;
    RaiseSystemError(code);
  }
  switch (GetFileType(file)) {
    case FILE_TYPE_CHAR:
      facts.Kind = TFileKind::Device;
      break;
    case FILE_TYPE_PIPE:
      facts.Kind = TFileKind::Fifo;
      break;
    default: {
      BY_HANDLE_FILE_INFORMATION info{};
      if (!GetFileInformationByHandle(file, &info)) {
        const DWORD code = GetLastError();
        CloseHandle(file);
        RaiseSystemError(code);
      }
      facts.Kind = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? TFileKind::Directory
                                                                      : TFileKind::Regular;
      facts.Links = info.nNumberOfLinks;
      facts.Volume = info.dwVolumeSerialNumber;
      facts.Index = (std::uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
      break;
    }
  }
  CloseHandle(file);
  return facts;
}

// The tools follow no links on Windows: a name is written as the system opens it.
std::optional<std::string> FollowLinks(const std::string& path) {
  return path;
}

TOutputFile TOutputFile::CreateBeside(const std::string& path, bool /*asNewFile*/) {
  if (path.find('\0') != std::string::npos) RaiseSystemError(ERROR_INVALID_NAME);
  const std::string stem = FolderPrefixOf(path) + "." +
                           LastPartOf(path).substr(0, kMaxNameInTemporary) + ".partial-" +
                           std::to_string(GetCurrentProcessId()) + "-";
  static unsigned serial = 0;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::string name = stem + std::to_string(++serial);
    const HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE)
      return TOutputFile(reinterpret_cast<std::intptr_t>(file), std::move(name));
    const DWORD code = GetLastError();
    if (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) RaiseSystemError(code);
  }
  RaiseSystemError(ERROR_FILE_EXISTS);
}

TOutputFile TOutputFile::OpenExisting(const std::string& path, bool append) {
  if (path.find('\0') != std::string::npos) RaiseSystemError(ERROR_INVALID_NAME);
  const HANDLE file =
      CreateFileA(path.c_str(), append ? FILE_APPEND_DATA : GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) RaiseSystemError(GetLastError());
  return TOutputFile(reinterpret_cast<std::intptr_t>(file), path);
}

void TOutputFile::Write(const void* bytes, std::size_t count) {
  std::size_t done = 0;
  while (done < count) {
    DWORD chunk = 0;
    const DWORD want = DWORD(count - done > 0x40000000 ? 0x40000000 : count - done);
    if (!WriteFile(AsHandle(handle_), static_cast<const char*>(bytes) + done, want, &chunk,
                   nullptr))
      RaiseSystemError(GetLastError());
    if (chunk == 0) RaiseSystemError(ERROR_WRITE_FAULT);
    done += chunk;
  }
}

// The file is lengthened to size ahead of writing: when there is no room the system refuses
// now, and the content is left as it was.
void TOutputFile::Reserve(std::int64_t size) {
  LARGE_INTEGER current{};
  if (!GetFileSizeEx(AsHandle(handle_), &current) || current.QuadPart >= size) return;
  LARGE_INTEGER end{};
  end.QuadPart = size;
  if (!SetFilePointerEx(AsHandle(handle_), end, nullptr, FILE_BEGIN) ||
      !SetEndOfFile(AsHandle(handle_))) {
    const DWORD code = GetLastError();
    SetFilePointerEx(AsHandle(handle_), current, nullptr, FILE_BEGIN);
    SetEndOfFile(AsHandle(handle_));
    RaiseSystemError(code);
  }
  const LARGE_INTEGER start{};
  SetFilePointerEx(AsHandle(handle_), start, nullptr, FILE_BEGIN);
}

void TOutputFile::Truncate(std::int64_t size) {
  LARGE_INTEGER end{};
  end.QuadPart = size;
  if (!SetFilePointerEx(AsHandle(handle_), end, nullptr, FILE_BEGIN) ||
      !SetEndOfFile(AsHandle(handle_)))
    RaiseSystemError(GetLastError());
}

void TOutputFile::Sync() {
  if (!FlushFileBuffers(AsHandle(handle_))) {
    const DWORD code = GetLastError();
    // Consoles and other devices keep nothing to flush.
    if (code != ERROR_INVALID_HANDLE && code != ERROR_INVALID_FUNCTION) RaiseSystemError(code);
  }
}

// Renaming over the old file with ReplaceFile keeps its attributes and security; nothing to
// take here.
void TOutputFile::TakeModeAndOwnerOf(const std::string&) {}

void TOutputFile::Close() {
  const HANDLE file = AsHandle(std::exchange(handle_, kNoHandle));
  if (file != AsHandle(kNoHandle) && !CloseHandle(file)) RaiseSystemError(GetLastError());
}

void TOutputFile::CloseQuietly() noexcept {
  const HANDLE file = AsHandle(std::exchange(handle_, kNoHandle));
  if (file != AsHandle(kNoHandle)) CloseHandle(file);
}

void RenameOver(const std::string& from, const std::string& to) {
  if (GetFileAttributesA(to.c_str()) != INVALID_FILE_ATTRIBUTES) {
    if (ReplaceFileA(FullPathOf(to).c_str(), FullPathOf(from).c_str(), nullptr,
                     REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
      return;
    const DWORD code = GetLastError();
    if (!IsMissing(code)) RaiseSystemError(code);
  }
  if (!MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    RaiseSystemError(GetLastError());
}

}  // namespace platform
