#include "platform/WholeFile.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <system_error>

#include "platform/File.h"

namespace platform {
namespace {

constexpr DWORD kChunkBytes = 1 << 16;

bool ReadToEnd(HANDLE file, std::string& bytes) {
  char chunk[kChunkBytes];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file, chunk, sizeof chunk, &got, nullptr)) return false;
    if (got == 0) return true;
    bytes.append(chunk, got);
  }
}

}  // namespace

// A folder cannot be opened as a file at all; it is named as what it is rather than by the
// access error the system gives for it.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& reason) {
  bytes.clear();
  if (path.find('\0') != std::string::npos) {
    reason = SystemErrorText(ERROR_INVALID_NAME);
    return false;
  }
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    reason = std::generic_category().message(EISDIR);
    return false;
  }
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  const bool read = file != INVALID_HANDLE_VALUE && ReadToEnd(file, bytes);
  const DWORD code = GetLastError();
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  if (!read) reason = SystemErrorText(int(code));
  return read;
}

// In binary mode: the runtime would otherwise turn CR LF into LF and stop at Ctrl-Z.
std::string ReadStandardInput() {
  _setmode(_fileno(stdin), _O_BINARY);
  std::string bytes;
  char chunk[kChunkBytes];
  for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, stdin)) > 0;)
    bytes.append(chunk, got);
  return bytes;
}

}  // namespace platform
