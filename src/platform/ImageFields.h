#pragma once

// The checked reading that every parse of an executable file goes through: little-endian fields
// of a file's bytes, and the headers of a PE image with the mapping of its addresses to file
// offsets. A read outside the file gives 0 and marks the reader as failed, so a chain of reads
// is checked once, where the parse decides something.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/ExecutableImage.h"

namespace platform {

class TFieldReader {
 public:
  explicit TFieldReader(const TImageBytes& image) : image_(image) {}

  std::uint64_t Field(std::uint64_t at, int bytes);
  std::uint32_t U8(std::uint64_t at) { return std::uint32_t(Field(at, 1)); }
  std::uint32_t U16(std::uint64_t at) { return std::uint32_t(Field(at, 2)); }
  std::uint32_t U32(std::uint64_t at) { return std::uint32_t(Field(at, 4)); }
  std::uint64_t U64(std::uint64_t at) { return Field(at, 8); }

  // count bytes at an offset; nothing unless all of them lie inside the file.
  std::optional<std::string> Bytes(std::uint64_t at, std::uint64_t count);

  std::uint64_t Size() const { return image_.Size(); }
  bool Ok() const { return ok_; }

 private:
  const TImageBytes& image_;
  bool ok_ = true;
};

// A little-endian 32-bit word of bytes already read.
std::uint32_t WordAt(const std::string& bytes, std::size_t at);

// The headers of a PE image that its parses need: where the optional header is, its data
// directories, and the section table that maps addresses (RVAs) to file offsets.
class TPeHeaders {
 public:
  // Nothing unless the file is a PE32 or PE32+ image whose section table lies inside it.
  static std::optional<TPeHeaders> Read(TFieldReader& reader);

  bool Pe32Plus() const { return pe32Plus_; }
  std::uint64_t OptionalHeader() const { return optional_; }
  // The address of a data directory (0: export, 1: import, 2: resource, ...); 0 when the
  // image has none of that index.
  std::uint32_t DirectoryRva(std::uint32_t index) const;
  // The file offset of an address: inside the raw data of the section that holds it.
  std::optional<std::uint64_t> FileOffsetOf(std::uint32_t rva) const;

 private:
  bool pe32Plus_ = false;
  std::uint64_t optional_ = 0;
  std::string directories_;  // address and size of each data directory, 8 bytes each
  std::string sections_;     // the section table, 40 bytes a section
};

}  // namespace platform
