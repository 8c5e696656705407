#include "zelVersion/FixedFileInfo.h"

#include <array>
#include <cstdio>
#include <string_view>

namespace version {
namespace {

constexpr std::array<std::string_view, 11> kDriverNames = {
    "Unknown Driver",    "Printer Driver", "Keyboard Driver",      "Language Driver",
    "Display Driver",    "Mouse Driver",   "Network Driver",       "System Driver",
    "InstallableDriver", "Sound Driver",   "Communications Driver"};

constexpr std::array<std::string_view, 4> kFontNames = {"Unknown Font", "Raster Font",
                                                        "Vector Font", "Truetype Font"};

template <std::size_t N>
std::string NameOfSubtype(const std::array<std::string_view, N>& names, std::uint32_t subtype) {
  return subtype < names.size() ? std::string(names[subtype]) : std::string();
}

}  // namespace

bool HasFileFlag(const TFixedFileInfo& fixed, std::uint16_t mask) {
  return (fixed.FileFlags & fixed.FileFlagsMask & mask) == mask;
}

std::string FileTypeName(const TFixedFileInfo& fixed) {
  switch (fixed.FileType) {
    case 0:
      return "Unknown";
    case 1:
      return "Application";
    case 2:
      return "DLL";
    case 3:
      return NameOfSubtype(kDriverNames, fixed.FileSubtype);
    case 4:
      return NameOfSubtype(kFontNames, fixed.FileSubtype);
    case 5: {
      char id[9];
      std::snprintf(id, sizeof id, "%08X", unsigned(fixed.FileSubtype));
      return std::string("Virtual Defice Identifier = ") + id;
    }
    case 7:
      return "Static-link Library";
    default:
      return {};
  }
}

}  // namespace version
