#include "platform/ExecutableImage.h"

#include <algorithm>
#include <vector>

namespace platform {
namespace {

// ---------------------------------------------------------------------------------------------
// Little-endian fields. A read outside the image gives 0 and marks the reader as failed, so a
// chain of reads is checked once, where the parse decides something.

class TFieldReader {
 public:
  explicit TFieldReader(const TImageBytes& image) : image_(image) {}

  std::uint64_t Field(std::uint64_t at, int bytes) {
    unsigned char raw[8] = {};
    if (!image_.Read(at, raw, std::size_t(bytes))) {
      ok_ = false;
      return 0;
    }
    std::uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = value << 8 | raw[i];
    return value;
  }
  std::uint32_t U8(std::uint64_t at) { return std::uint32_t(Field(at, 1)); }
  std::uint32_t U16(std::uint64_t at) { return std::uint32_t(Field(at, 2)); }
  std::uint32_t U32(std::uint64_t at) { return std::uint32_t(Field(at, 4)); }
  std::uint64_t U64(std::uint64_t at) { return Field(at, 8); }

  std::optional<std::string> Bytes(std::uint64_t at, std::uint64_t count) {
    if (at > image_.Size() || count > image_.Size() - at) return std::nullopt;
    std::string bytes(std::size_t(count), '\0');
    if (!image_.Read(at, bytes.data(), bytes.size())) return std::nullopt;
    return bytes;
  }

  std::uint64_t Size() const { return image_.Size(); }
  bool Ok() const { return ok_; }

 private:
  const TImageBytes& image_;
  bool ok_ = true;
};

// The first kMaxVersionResource bytes of a resource. One that does not wholly lie inside the
// file (a truncated file, an absurd size) is damaged and gives nothing.
std::optional<std::string> ResourceBytes(TFieldReader& reader, std::uint64_t offset,
                                         std::uint64_t size) {
  if (offset > reader.Size() || size > reader.Size() - offset) return std::nullopt;
  return reader.Bytes(offset, std::min(size, std::uint64_t(kMaxVersionResource)));
}

// ---------------------------------------------------------------------------------------------
// PE images: the resource directory is three levels deep (type, name, language), its offsets
// count from its own start, and its data entries hold addresses that the section table maps to
// file offsets.

constexpr std::uint32_t kResourceTypeVersion = 16;
constexpr std::uint32_t kVersionResourceName = 1;
constexpr std::uint32_t kLanguageNeutral = 0;
constexpr std::uint32_t kResourceDirectoryIndex = 2;
constexpr std::uint32_t kHighBit = 0x80000000;

class TPeImage {
 public:
  explicit TPeImage(TFieldReader& reader) : reader_(reader) {}

  std::optional<std::string> VersionResource() {
    if (!ReadHeaders()) return std::nullopt;
    const auto base = FileOffsetOf(resourceRva_);
    if (!base) return std::nullopt;
    base_ = *base;
    const auto names = Subdirectory(0, kResourceTypeVersion);
    const auto languages = names ? Subdirectory(*names, kVersionResourceName) : std::nullopt;
    if (!languages) return std::nullopt;
    // Which language the system takes depends on its user's languages: all must be sound.
    const std::vector<TEntry> entries = Entries(*languages);
    std::optional<std::string> chosen;
    for (const TEntry& entry : entries) {
      auto resource = LanguageResource(entry);
      if (!resource) return std::nullopt;
      if (!chosen || (!(entry.Name & kHighBit) && entry.Name == kLanguageNeutral))
        chosen = std::move(resource);
    }
    return chosen;
  }

 private:
  struct TEntry {
    std::uint32_t Name;
    std::uint32_t Offset;
  };

  bool ReadHeaders() {
    if (reader_.U16(0) != 0x5A4D) return false;  // "MZ"
    const std::uint64_t nt = reader_.U32(0x3C);
    if (reader_.U32(nt) != 0x00004550) return false;  // "PE\0\0"
    const std::uint32_t sectionCount = reader_.U16(nt + 6);
    const std::uint32_t optionalSize = reader_.U16(nt + 20);
    const std::uint64_t optional = nt + 24;
    const std::uint32_t magic = reader_.U16(optional);
    std::uint32_t countAt = 0, directoriesAt = 0;
    if (magic == 0x10B) {  // PE32
      countAt = 92, directoriesAt = 96;
    } else if (magic == 0x20B) {  // PE32+
      countAt = 108, directoriesAt = 112;
    } else {
      return false;
    }
    const std::uint32_t resourceAt = directoriesAt + 8 * kResourceDirectoryIndex;
    if (reader_.U32(optional + countAt) <= kResourceDirectoryIndex || optionalSize < resourceAt + 8)
      return false;
    resourceRva_ = reader_.U32(optional + resourceAt);
    auto sections = reader_.Bytes(optional + optionalSize, std::uint64_t(sectionCount) * 40);
    if (!reader_.Ok() || !sections || resourceRva_ == 0) return false;
    sections_ = std::move(*sections);
    return true;
  }

  // The file offset of an address: inside the raw data of the section that holds it.
  std::optional<std::uint64_t> FileOffsetOf(std::uint32_t rva) const {
    for (std::size_t at = 0; at + 40 <= sections_.size(); at += 40) {
      const std::uint32_t address = Word(at + 12);
      const std::uint32_t rawSize = Word(at + 16);
      if (rva >= address && rva - address < rawSize)
        return std::uint64_t(Word(at + 20)) + (rva - address);
    }
    return std::nullopt;
  }

  std::uint32_t Word(std::size_t at) const {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(sections_[at + i]);
    return value;
  }

  // The entries of the directory at an offset from the resource base.
  std::vector<TEntry> Entries(std::uint32_t directory) {
    const std::uint64_t at = base_ + directory;
    const std::uint32_t count = reader_.U16(at + 12) + reader_.U16(at + 14);
    const auto raw = reader_.Ok() ? reader_.Bytes(at + 16, std::uint64_t(count) * 8) : std::nullopt;
    std::vector<TEntry> entries;
    if (!raw) return entries;
    const auto word = [&](std::size_t i) {
      std::uint32_t value = 0;
      for (int k = 3; k >= 0; --k) value = value << 8 | static_cast<unsigned char>((*raw)[i + k]);
      return value;
    };
    for (std::size_t i = 0; i < count; ++i) entries.push_back({word(8 * i), word(8 * i + 4)});
    return entries;
  }

  // The subdirectory under a numbered entry. The depth is fixed, so a directory that points
  // back at itself or an ancestor cannot make the walk go round.
  std::optional<std::uint32_t> Subdirectory(std::uint32_t directory, std::uint32_t id) {
    for (const TEntry& entry : Entries(directory)) {
      if (!(entry.Name & kHighBit) && entry.Name == id) {
        if (!(entry.Offset & kHighBit)) return std::nullopt;
        return entry.Offset & ~kHighBit;
      }
    }
    return std::nullopt;
  }

  // The data of a language's entry: a data entry (never a directory) whose bytes lie in the file.
  std::optional<std::string> LanguageResource(const TEntry& entry) {
    if (entry.Offset & kHighBit) return std::nullopt;
    const std::uint32_t dataRva = reader_.U32(base_ + entry.Offset);
    const std::uint32_t dataSize = reader_.U32(base_ + entry.Offset + 4);
    const auto data = reader_.Ok() ? FileOffsetOf(dataRva) : std::nullopt;
    return data ? ResourceBytes(reader_, *data, dataSize) : std::nullopt;
  }

  TFieldReader& reader_;
  std::string sections_;
  std::uint32_t resourceRva_ = 0;
  std::uint64_t base_ = 0;
};

// ---------------------------------------------------------------------------------------------
// ELF images: the section ".zel_version", found by name through the section header table.

constexpr std::string_view kVersionSection = ".zel_version";
constexpr std::uint32_t kNoBits = 8;  // SHT_NOBITS: a section without bytes in the file

struct TElfLayout {
  bool Is64 = false;
  std::uint64_t SectionsAt = 0;
  std::uint32_t EntrySize = 0, Count = 0, NamesIndex = 0;
};

std::optional<TElfLayout> ReadElfLayout(TFieldReader& reader) {
  if (reader.U32(0) != 0x464C457F || reader.U8(5) != 1) return std::nullopt;  // little-endian
  TElfLayout layout;
  layout.Is64 = reader.U8(4) == 2;
  if (layout.Is64) {
    layout.SectionsAt = reader.U64(40);
    layout.EntrySize = reader.U16(58), layout.Count = reader.U16(60);
    layout.NamesIndex = reader.U16(62);
  } else if (reader.U8(4) == 1) {
    layout.SectionsAt = reader.U32(32);
    layout.EntrySize = reader.U16(46), layout.Count = reader.U16(48);
    layout.NamesIndex = reader.U16(50);
  } else {
    return std::nullopt;
  }
  if (!reader.Ok() || layout.EntrySize < (layout.Is64 ? 64u : 40u) ||
      layout.NamesIndex >= layout.Count)
    return std::nullopt;
  return layout;
}

struct TElfSection {
  std::uint32_t Name = 0, Type = 0;
  std::uint64_t Offset = 0, Size = 0;
};

TElfSection ReadElfSection(TFieldReader& reader, const TElfLayout& layout, std::uint32_t index) {
  const std::uint64_t at = layout.SectionsAt + std::uint64_t(index) * layout.EntrySize;
  TElfSection section{reader.U32(at), reader.U32(at + 4)};
  if (layout.Is64) {
    section.Offset = reader.U64(at + 24), section.Size = reader.U64(at + 32);
  } else {
    section.Offset = reader.U32(at + 16), section.Size = reader.U32(at + 20);
  }
  return section;
}

std::optional<std::string> ElfVersionSection(TFieldReader& reader) {
  const auto layout = ReadElfLayout(reader);
  if (!layout) return std::nullopt;
  const TElfSection names = ReadElfSection(reader, *layout, layout->NamesIndex);
  for (std::uint32_t index = 0; index < layout->Count && reader.Ok(); ++index) {
    const TElfSection section = ReadElfSection(reader, *layout, index);
    if (section.Type == kNoBits || section.Name >= names.Size ||
        names.Size - section.Name < kVersionSection.size() + 1)
      continue;
    const auto name = reader.Bytes(names.Offset + section.Name, kVersionSection.size() + 1);
    if (name && std::string_view(*name) == std::string(kVersionSection) + '\0')
      return reader.Ok() ? ResourceBytes(reader, section.Offset, section.Size) : std::nullopt;
  }
  return std::nullopt;
}

// A block's first 16 bits are its total length.
bool BlockFitsItsResource(const std::string& resource) {
  if (resource.size() < 2) return false;
  const std::size_t length = static_cast<unsigned char>(resource[0]) |
                             std::size_t(static_cast<unsigned char>(resource[1])) << 8;
  return length <= resource.size();
}

}  // namespace

std::optional<std::string> FindVersionResource(const TImageBytes& image) {
  TFieldReader reader(image);
  auto resource = TPeImage(reader).VersionResource();
  if (!resource) {
    TFieldReader elfReader(image);
    resource = ElfVersionSection(elfReader);
  }
  if (!resource || !BlockFitsItsResource(*resource)) return std::nullopt;
  return resource;
}

bool IsElfSharedObject(const TImageBytes& image) {
  TFieldReader reader(image);
  const bool elf = reader.U32(0) == 0x464C457F && reader.U8(5) == 1;
  return elf && reader.U16(16) == 3 && reader.Ok();  // ET_DYN
}

}  // namespace platform
