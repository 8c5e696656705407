#pragma once

// Our own reading of executable files: the version resource of a Windows PE image, and the
// version block that a portable module carries in its ELF section ".zel_version". Portable
// builds read version information with it; Windows builds check with it that a file's version
// resource is sound before the system's own services, which trust the file's offsets, read it.
// Every read is checked against the file's size, so a damaged or hostile file gives nothing
// rather than a read outside it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Random access to the bytes of a file (or of memory).
class TImageBytes {
 public:
  virtual ~TImageBytes() = default;
  virtual std::uint64_t Size() const = 0;
  // Reads count bytes at offset; false, reading nothing, unless the whole range is inside.
  virtual bool Read(std::uint64_t offset, void* out, std::size_t count) const = 0;
};

// A regular file, opened for reading (others may read and write it meanwhile) while the object
// lives; a missing file, or one that is not a regular file, reads as empty.
class TFileBytes final : public TImageBytes {
 public:
  explicit TFileBytes(const std::string& path);
  ~TFileBytes() override;
  TFileBytes(const TFileBytes&) = delete;
  TFileBytes& operator=(const TFileBytes&) = delete;

  std::uint64_t Size() const override { return size_; }
  bool Read(std::uint64_t offset, void* out, std::size_t count) const override;

 private:
  std::intptr_t handle_ = -1;
  std::uint64_t size_ = 0;
};

// Bytes already in memory (a part of a file read at once, or a test's image).
class TMemoryBytes final : public TImageBytes {
 public:
  explicit TMemoryBytes(std::string_view bytes) : bytes_(bytes) {}

  std::uint64_t Size() const override { return bytes_.size(); }
  bool Read(std::uint64_t offset, void* out, std::size_t count) const override;

 private:
  std::string_view bytes_;
};

// A version block is never longer: its total length is a 16-bit count.
inline constexpr std::size_t kMaxVersionResource = 0x10000;

// The version resource of a PE image (type 16, name 1, the neutral language or else the first
// language), or the ".zel_version" section of an ELF image, cut to kMaxVersionResource.
// Nothing for other files, and nothing for a damaged one: a PE image whose version resource in
// any language does not wholly lie inside the file, or a block that claims more bytes than its
// resource holds.
std::optional<std::string> FindVersionResource(const TImageBytes& image);

// Whether the image is an ELF shared object.
bool IsElfSharedObject(const TImageBytes& image);

}  // namespace platform
