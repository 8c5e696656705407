#include "platform/ImageFields.h"

namespace platform {

std::uint64_t TFieldReader::Field(std::uint64_t at, int bytes) {
  unsigned char raw[8] = {};
  if (!image_.Read(at, raw, std::size_t(bytes))) {
    ok_ = false;
    return 0;
  }
  std::uint64_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = value << 8 | raw[i];
  return value;
}

std::optional<std::string> TFieldReader::Bytes(std::uint64_t at, std::uint64_t count) {
  if (at > image_.Size() || count > image_.Size() - at) return std::nullopt;
  std::string bytes(std::size_t(count), '\0');
  if (!image_.Read(at, bytes.data(), bytes.size())) return std::nullopt;
  return bytes;
}

std::uint32_t WordAt(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

std::optional<TPeHeaders> TPeHeaders::Read(TFieldReader& reader) {
  if (reader.U16(0) != 0x5A4D) return std::nullopt;  // "MZ"
  const std::uint64_t nt = reader.U32(0x3C);
  if (reader.U32(nt) != 0x00004550) return std::nullopt;  // "PE\0\0"
  const std::uint32_t sectionCount = reader.U16(nt + 6);
  const std::uint32_t optionalSize = reader.U16(nt + 20);
  TPeHeaders headers;
  headers.optional_ = nt + 24;
  const std::uint32_t magic = reader.U16(headers.optional_);
  std::uint32_t countAt = 0, directoriesAt = 0;
  if (magic == 0x10B) {  // PE32
    countAt = 92, directoriesAt = 96;
  } else if (magic == 0x20B) {  // PE32+
    headers.pe32Plus_ = true;
    countAt = 108, directoriesAt = 112;
  } else {
    return std::nullopt;
  }
  // Only the directories that both the count and the optional header's size hold are real.
  std::uint32_t count = reader.U32(headers.optional_ + countAt);
  if (optionalSize < directoriesAt) return std::nullopt;
  if (count > (optionalSize - directoriesAt) / 8) count = (optionalSize - directoriesAt) / 8;
  auto directories = reader.Bytes(headers.optional_ + directoriesAt, std::uint64_t(count) * 8);
  auto sections = reader.Bytes(headers.optional_ + optionalSize, std::uint64_t(sectionCount) * 40);
  if (!reader.Ok() || !directories || !sections) return std::nullopt;
  headers.directories_ = std::move(*directories);
  headers.sections_ = std::move(*sections);
  return headers;
}

std::uint32_t TPeHeaders::DirectoryRva(std::uint32_t index) const {
  if (std::size_t(index) * 8 + 8 > directories_.size()) return 0;
  return WordAt(directories_, std::size_t(index) * 8);
}

std::optional<std::uint64_t> TPeHeaders::FileOffsetOf(std::uint32_t rva) const {
  for (std::size_t at = 0; at + 40 <= sections_.size(); at += 40) {
    const std::uint32_t address = WordAt(sections_, at + 12);
    const std::uint32_t rawSize = WordAt(sections_, at + 16);
    if (rva >= address && rva - address < rawSize)
      return std::uint64_t(WordAt(sections_, at + 20)) + (rva - address);
  }
  return std::nullopt;
}

}  // namespace platform
