#include <windows.h>

#include "platform/ExecutableImage.h"

namespace platform {
namespace {

HANDLE AsHandle(std::intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

}  // namespace

TFileBytes::TFileBytes(const std::string& path) {
  if (path.empty()) return;
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  handle_ = reinterpret_cast<std::intptr_t>(file);
  LARGE_INTEGER size{};
  if (GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &size))
    size_ = std::uint64_t(size.QuadPart);
}

TFileBytes::~TFileBytes() {
  if (handle_ != -1) CloseHandle(AsHandle(handle_));
}

bool TFileBytes::Read(std::uint64_t offset, void* out, std::size_t count) const {
  if (offset > size_ || count > size_ - offset) return false;
  std::size_t done = 0;
  while (done < count) {
    OVERLAPPED at{};
    at.Offset = DWORD(offset + done);
    at.OffsetHigh = DWORD((offset + done) >> 32);
    DWORD chunk = 0;
    if (!ReadFile(AsHandle(handle_), static_cast<char*>(out) + done, DWORD(count - done), &chunk,
                  &at) ||
        chunk == 0)
      return false;  // the file shrank meanwhile
    done += chunk;
  }
  return true;
}

}  // namespace platform
