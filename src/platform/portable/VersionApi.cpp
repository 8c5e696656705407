#include "platform/VersionApi.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>

#include "platform/CodePage.h"
#include "platform/ExecutableImage.h"
#include "platform/portable/VersionBlockReader.h"

namespace platform {
namespace {

constexpr std::size_t kMaxTypeName = 79;  // the shell's record holds 80 characters with the zero

// A text value: UTF-16 converted to the 8-bit code page, as the system's 8-bit query gives
// it; a value marked binary is taken as its bytes. Either way up to the first zero.
std::string TextOf(const portable::TBlockValue& value) {
  const std::string_view bytes = value.Available;
  if (!value.IsText) return std::string(bytes.substr(0, bytes.find('\0')));
  std::u16string wide;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto unit = char16_t(static_cast<unsigned char>(bytes[i]) |
                               static_cast<unsigned char>(bytes[i + 1]) << 8);
    if (unit == 0) break;
    wide.push_back(unit);
  }
  return WideToAnsi(wide);
}

std::optional<portable::TBlockValue> Find(const std::string& buffer, const std::string& path) {
  return portable::FindBlockValue(buffer, AnsiToWide(path));
}

}  // namespace

std::optional<std::string> ShellFileTypeName(const std::string& path) {
  struct stat info {};
  if (path.empty() || stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  if (IsElfSharedObject(TFileBytes(path))) return "Shared library";
  const std::string name = path.substr(path.rfind('/') + 1);
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos || dot + 1 == name.size()) return "File";
  return (name.substr(dot + 1) + " file").substr(0, kMaxTypeName);
}

std::uint32_t FileVersionInfoSize(const std::string& path) {
  const auto resource = FindVersionResource(TFileBytes(path));
  return resource ? std::uint32_t(resource->size()) : 0;
}

bool LoadFileVersionInfo(const std::string& path, std::string& buffer) {
  const auto resource = FindVersionResource(TFileBytes(path));
  if (!resource || resource->empty() || buffer.empty()) return false;
  std::memcpy(buffer.data(), resource->data(), std::min(buffer.size(), resource->size()));
  return true;
}

std::optional<std::string> QueryVersionText(const std::string& buffer,
                                            const std::string& subBlock) {
  const auto value = Find(buffer, subBlock);
  if (!value) return std::nullopt;
  return TextOf(*value);
}

std::optional<std::string> QueryVersionBytes(const std::string& buffer,
                                             const std::string& subBlock) {
  const auto value = Find(buffer, subBlock);
  if (!value) return std::nullopt;
  // The system hands a text out converted, with its terminating zero counted.
  if (value->IsText) return TextOf(*value) + '\0';
  return std::string(value->Declared);
}

}  // namespace platform
