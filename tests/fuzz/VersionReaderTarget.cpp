// The version reader on arbitrary bytes taken as an executable file: finding the version
// resource, then every query a version report makes.
#include <cstring>
#include <string>

#include "FuzzTarget.h"
#include "platform/ExecutableImage.h"
#include "platform/VersionApi.h"
#include "zelVersion/FixedFileInfo.h"

namespace {

class TMemoryImage final : public platform::TImageBytes {
 public:
  TMemoryImage(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint64_t Size() const override { return size_; }
  bool Read(std::uint64_t offset, void* out, std::size_t count) const override {
    if (offset > size_ || count > size_ - offset) return false;
    if (count > 0) std::memcpy(out, data_ + offset, count);
    return true;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

}  // namespace

ZEL_FUZZ_TARGET(version_reader) {
  const TMemoryImage image(data, size);
  const auto block = platform::FindVersionResource(image);
  platform::IsElfSharedObject(image);
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
