#include "platform/VersionApi.h"

#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

#include <cstring>

#include "platform/ExecutableImage.h"

namespace platform {
namespace {

struct TQueried {
  const char* Data = nullptr;
  std::size_t Length = 0;     // as the system reports it
  std::size_t Available = 0;  // from Data to the end of the buffer
};

// VerQueryValueA, with its pointer checked against the buffer it must point into.
std::optional<TQueried> Query(const std::string& buffer, const std::string& subBlock) {
  if (buffer.empty()) return std::nullopt;
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(buffer.data(), subBlock.c_str(), &value, &length) || !value)
    return std::nullopt;
  const char* data = static_cast<const char*>(value);
  const char* end = buffer.data() + buffer.size();
  if (data < buffer.data() || data > end) return std::nullopt;
  return TQueried{data, length, std::size_t(end - data)};
}

}  // namespace

std::optional<std::string> ShellFileTypeName(const std::string& path) {
  SHFILEINFOA info{};
  if (!SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_TYPENAME)) return std::nullopt;
  return std::string(info.szTypeName, strnlen(info.szTypeName, sizeof info.szTypeName - 1));
}

// The system's version services follow the offsets of the file they read, so a damaged file
// could make them read outside it: only a file whose version resource we find sound is handed
// to them.
std::uint32_t FileVersionInfoSize(const std::string& path) {
  if (!FindVersionResource(TFileBytes(path))) return 0;
  DWORD handle = 0;
  return GetFileVersionInfoSizeA(path.c_str(), &handle);
}

bool LoadFileVersionInfo(const std::string& path, std::string& buffer) {
  return !buffer.empty() &&
         GetFileVersionInfoA(path.c_str(), 0, DWORD(buffer.size()), buffer.data()) != 0;
}

std::optional<std::string> QueryVersionText(const std::string& buffer,
                                            const std::string& subBlock) {
  const auto value = Query(buffer, subBlock);
  if (!value) return std::nullopt;
  return std::string(value->Data, strnlen(value->Data, value->Available));
}

std::optional<std::string> QueryVersionBytes(const std::string& buffer,
                                             const std::string& subBlock) {
  const auto value = Query(buffer, subBlock);
  if (!value) return std::nullopt;
  return std::string(value->Data,
                     value->Length < value->Available ? value->Length : value->Available);
}

}  // namespace platform
