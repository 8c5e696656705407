// The executable readers on arbitrary bytes taken as an executable file: finding the version
// resource, then every query a version report makes; and what a PE image imports.
#include <cstring>
#include <string>

#include "FuzzTarget.h"
#include "platform/ExecutableImage.h"
#include "platform/PeImports.h"
#include "platform/VersionApi.h"
#include "zelVersion/FixedFileInfo.h"

ZEL_FUZZ_TARGET(version_reader) {
  const platform::TMemoryBytes image(std::string_view(reinterpret_cast<const char*>(data), size));
  const auto block = platform::FindVersionResource(image);
  platform::IsElfSharedObject(image);
  platform::ReadPeLoadRequirements(image);
  if (!block) return 0;
  if (const auto fixed = platform::QueryVersionBytes(*block, "\\");
      fixed && fixed->size() >= sizeof(version::TFixedFileInfo)) {
    version::TFixedFileInfo info;
    std::memcpy(&info, fixed->data(), sizeof info);
    version::FileTypeName(info);
    version::HasFileFlag(info, 0x3F);
  }
  const auto translation = platform::QueryVersionBytes(*block, "\\VarFileInfo\\Translation");
  for (const char* key : {"CompanyName", "FileVersion", "LegalCopyRight", "Comments"}) {
    platform::QueryVersionText(*block, std::string("\\StringFileInfo\\040904B0\\") + key);
    platform::QueryVersionText(*block, std::string("\\StringFileInfo\\041904E3\\") + key);
  }
  if (translation && translation->size() >= 4)
    platform::QueryVersionText(*block, "\\StringFileInfo\\" + *translation);
  return 0;
}
