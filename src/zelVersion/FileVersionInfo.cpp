#include "zelVersion/FileVersionInfo.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>

#include "platform/VersionApi.h"
#include "zelVersion/FixedFileInfo.h"

namespace version {
namespace {

constexpr std::size_t kMaxShellTypeName = 80;
// A version block is at most 64 KiB; the system asks for a buffer of about twice that. A file
// that claims much more is damaged, and must not make the reader take gigabytes.
constexpr std::uint32_t kMaxVersionInfoSize = 0x100000;

// The string-table fields in the order they are read, with the exact keys looked up.
struct TStringField {
  const char* Key;
  std::string TFileVersionInfo::*Field;
};
constexpr TStringField kStringFields[] = {
    {"CompanyName", &TFileVersionInfo::CompanyName},
    {"FileDescription", &TFileVersionInfo::FileDescription},
    {"FileVersion", &TFileVersionInfo::FileVersion},
    {"InternalName", &TFileVersionInfo::InternalName},
    {"LegalCopyRight", &TFileVersionInfo::LegalCopyRight},
    {"LegalTradeMarks", &TFileVersionInfo::LegalTradeMarks},
    {"OriginalFileName", &TFileVersionInfo::OriginalFileName},
    {"ProductName", &TFileVersionInfo::ProductName},
    {"ProductVersion", &TFileVersionInfo::ProductVersion},
    {"Comments", &TFileVersionInfo::Comments},
    {"SpecialBuild", &TFileVersionInfo::SpecialBuild},
    {"PrivateBuild", &TFileVersionInfo::PrivateBuild},
};

struct TFlagField {
  std::uint16_t Mask;
  bool TFileVersionInfo::*Field;
};
constexpr TFlagField kFlagFields[] = {
    {kFlagDebug, &TFileVersionInfo::IsDebug},
    {kFlagPreRelease, &TFileVersionInfo::IsPreRelease},
    {kFlagPrivateBuild, &TFileVersionInfo::IsPrivateBuild},
    {kFlagSpecialBuild, &TFileVersionInfo::IsSpecialBuild},
    {kFlagPatched, &TFileVersionInfo::IsPatched},
    {kFlagInfoInferred, &TFileVersionInfo::IsInfoInferred},
};

// The fixed information, when the block has all of it.
std::optional<TFixedFileInfo> QueryFixedFileInfo(const std::string& buffer) {
  const auto bytes = platform::QueryVersionBytes(buffer, "\\");
  if (!bytes || bytes->size() < sizeof(TFixedFileInfo)) return std::nullopt;
  TFixedFileInfo fixed;
  std::memcpy(&fixed, bytes->data(), sizeof fixed);
  return fixed;
}

}  // namespace

std::string QueryVersionString(const std::string& buffer, std::string_view key) {
  const auto translation = platform::QueryVersionBytes(buffer, "\\VarFileInfo\\Translation");
  if (!translation || translation->size() < 4) return {};
  const auto byte = [&](int i) { return unsigned(static_cast<unsigned char>((*translation)[i])); };
  const unsigned language = byte(0) | byte(1) << 8;
  const unsigned codePage = byte(2) | byte(3) << 8;
  char table[9];
  std::snprintf(table, sizeof table, "%.4X%.4X", language, codePage);
  const std::string subBlock = "\\StringFileInfo\\" + std::string(table) + "\\" + std::string(key);
  return platform::QueryVersionText(buffer, subBlock).value_or(std::string());
}

// The version information is read into the buffer once for all the keys: reading the file
// again for each of them answered the same and made a report a dozen file reads.
void ReadFileVersionInfo(const std::string& path, TFileVersionInfo& info) {
  info = TFileVersionInfo();
  if (const auto typeName = platform::ShellFileTypeName(path))
    info.ShellTypeName = typeName->substr(0, std::min(typeName->find('\0'), kMaxShellTypeName));
  const std::uint32_t size = platform::FileVersionInfoSize(path);
  if (size == 0 || size > kMaxVersionInfoSize) return;
  std::string buffer(size, '\0');
  if (platform::LoadFileVersionInfo(path, buffer))
    for (const TStringField& field : kStringFields)
      info.*field.Field = QueryVersionString(buffer, field.Key);
  const auto fixed = QueryFixedFileInfo(buffer);
  if (!fixed) return;
  for (const TFlagField& flag : kFlagFields) info.*flag.Field = HasFileFlag(*fixed, flag.Mask);
  info.TypeName = FileTypeName(*fixed);
}

}  // namespace version
