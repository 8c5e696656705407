#pragma once

// The fixed-size part of a file's version information (VS_FIXEDFILEINFO) and what the version
// reader makes of it: file flags and the name of the file type.

#include <cstdint>
#include <string>

namespace version {

// The system's record, field for field (13 32-bit words, little-endian).
struct TFixedFileInfo {
  std::uint32_t Signature = 0;
  std::uint32_t StrucVersion = 0;
  std::uint32_t FileVersionMS = 0;
  std::uint32_t FileVersionLS = 0;
  std::uint32_t ProductVersionMS = 0;
  std::uint32_t ProductVersionLS = 0;
  std::uint32_t FileFlagsMask = 0;
  std::uint32_t FileFlags = 0;
  std::uint32_t FileOS = 0;
  std::uint32_t FileType = 0;
  std::uint32_t FileSubtype = 0;
  std::uint32_t FileDateMS = 0;
  std::uint32_t FileDateLS = 0;
};
static_assert(sizeof(TFixedFileInfo) == 52);

// File flags (VS_FF_...).
enum : std::uint16_t {
  kFlagDebug = 0x01,
  kFlagPreRelease = 0x02,
  kFlagPatched = 0x04,
  kFlagPrivateBuild = 0x08,
  kFlagInfoInferred = 0x10,
  kFlagSpecialBuild = 0x20,
};

// True exactly when every bit of the mask is both set in the flags and valid in the flags
// mask; a flag outside the file's own mask reads as not set.
bool HasFileFlag(const TFixedFileInfo& fixed, std::uint16_t mask);

// The name of the file type and subtype ("DLL", "Printer Driver", "Virtual Defice Identifier =
// 00001234"); empty for types and subtypes without a name.
std::string FileTypeName(const TFixedFileInfo& fixed);

}  // namespace version
