#include "platform/File.h"

#include <windows.h>

#include "common/Error.h"
#include "common/FormatText.h"
#include "common/Messages.h"

namespace platform {
namespace {

HANDLE AsHandle(std::intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

[[noreturn]] void RaiseFileError(std::string_view format, const std::string& path, DWORD code) {
  throw EXmlError(FormatText(format, {FullPathName(path), SystemErrorText(int(code))}));
}

// The system reads a name up to its first zero byte, so a name holding one would open another
// file than the one it names: such a name names no file.
bool HoldsZeroByte(const std::string& path) {
  return path.find('\0') != std::string::npos;
}

HANDLE OpenExclusive(const std::string& path, DWORD access, DWORD disposition) {
  if (HoldsZeroByte(path)) {
    SetLastError(ERROR_INVALID_NAME);
    return INVALID_HANDLE_VALUE;
  }
  return CreateFileA(path.c_str(), access, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                     nullptr);
}

}  // namespace

TFile TFile::OpenRead(const std::string& path) {
  const HANDLE file = OpenExclusive(path, GENERIC_READ, OPEN_EXISTING);
  if (file == INVALID_HANDLE_VALUE) RaiseFileError(msg::kCannotOpenFile, path, GetLastError());
  return TFile(reinterpret_cast<std::intptr_t>(file));
}

TFile TFile::Create(const std::string& path) {
  const HANDLE file = OpenExclusive(path, GENERIC_READ | GENERIC_WRITE, CREATE_ALWAYS);
  if (file == INVALID_HANDLE_VALUE) RaiseFileError(msg::kCannotCreateFile, path, GetLastError());
  return TFile(reinterpret_cast<std::intptr_t>(file));
}

void TFile::Close() noexcept {
  if (handle_ != kNoHandle) CloseHandle(AsHandle(handle_));
  handle_ = kNoHandle;
}

std::int64_t TFile::Size() const {
  LARGE_INTEGER size{};
  return GetFileSizeEx(AsHandle(handle_), &size) ? size.QuadPart : 0;
}

std::int64_t TFile::Position() const {
  LARGE_INTEGER zero{}, position{};
  return SetFilePointerEx(AsHandle(handle_), zero, &position, FILE_CURRENT) ? position.QuadPart : 0;
}

void TFile::Seek(std::int64_t position) {
  LARGE_INTEGER target{};
  target.QuadPart = position;
  SetFilePointerEx(AsHandle(handle_), target, nullptr, FILE_BEGIN);
}

std::size_t TFile::Read(void* buffer, std::size_t count) {
  std::size_t done = 0;
  while (done < count) {
    DWORD chunk = 0;
    const DWORD want = DWORD(count - done > 0x40000000 ? 0x40000000 : count - done);
    if (!ReadFile(AsHandle(handle_), static_cast<char*>(buffer) + done, want, &chunk, nullptr) ||
        chunk == 0)
      break;
    done += chunk;
  }
  return done;
}

void TFile::Write(const void* buffer, std::size_t count) {
  std::size_t done = 0;
  while (done < count) {
    DWORD chunk = 0;
    const DWORD want = DWORD(count - done > 0x40000000 ? 0x40000000 : count - done);
    if (!WriteFile(AsHandle(handle_), static_cast<const char*>(buffer) + done, want, &chunk,
                   nullptr) ||
        chunk == 0)
      throw EXmlError(msg::kStreamWriteError);
    done += chunk;
  }
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void RenameFile(const std::string& from, const std::string& to) {
  if (!MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    throw EXmlError(FormatText(msg::kCannotRenameFile, {FullPathName(from), FullPathName(to),
                                                        SystemErrorText(int(GetLastError()))}));
}

bool RemoveFile(const std::string& path) {
  return !path.empty() && DeleteFileA(path.c_str());
}

bool AppendToTextFile(const std::string& path, std::string_view text) {
  if (path.empty() || HoldsZeroByte(path)) return false;
  const HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok =
      text.empty() || (WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr) &&
                       written == text.size());
  return CloseHandle(file) && ok;
}

std::string FullPathName(const std::string& path) {
  char buffer[MAX_PATH * 4];
  const DWORD length = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
  if (length == 0 || length >= sizeof buffer) return path;
  return std::string(buffer, length);
}

std::string SystemErrorText(int code) {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
      nullptr, DWORD(code), 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
  std::string result(text ? text : "", length);
  if (text) LocalFree(text);
  while (!result.empty() &&
         (static_cast<unsigned char>(result.back()) <= ' ' || result.back() == '.'))
    result.pop_back();
  return result;
}

}  // namespace platform
