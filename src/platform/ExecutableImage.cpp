#include "platform/ExecutableImage.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/ImageFields.h"

namespace platform {
namespace {

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
    headers_ = TPeHeaders::Read(reader_);
    if (!headers_) return std::nullopt;
    const std::uint32_t resourceRva = headers_->DirectoryRva(kResourceDirectoryIndex);
    const auto base = resourceRva ? headers_->FileOffsetOf(resourceRva) : std::nullopt;
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

  // The entries of the directory at an offset from the resource base.
  std::vector<TEntry> Entries(std::uint32_t directory) {
    const std::uint64_t at = base_ + directory;
    const std::uint32_t count = reader_.U16(at + 12) + reader_.U16(at + 14);
    const auto raw = reader_.Ok() ? reader_.Bytes(at + 16, std::uint64_t(count) * 8) : std::nullopt;
    std::vector<TEntry> entries;
    if (!raw) return entries;
    for (std::size_t i = 0; i < count; ++i)
      entries.push_back({WordAt(*raw, 8 * i), WordAt(*raw, 8 * i + 4)});
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
    const auto data = reader_.Ok() ? headers_->FileOffsetOf(dataRva) : std::nullopt;
    return data ? ResourceBytes(reader_, *data, dataSize) : std::nullopt;
  }

  TFieldReader& reader_;
  std::optional<TPeHeaders> headers_;
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

// Whether a section is named ".zel_version": its name lies in the names section, which is read
// once where it is no larger than a version resource, and name by name otherwise.
class TElfSectionNames {
 public:
  TElfSectionNames(TFieldReader& reader, const TElfSection& names)
      : reader_(reader), names_(names) {
    if (names.Size <= kMaxVersionResource) loaded_ = reader.Bytes(names.Offset, names.Size);
  }

  bool IsVersionSection(std::uint32_t name) {
    constexpr std::uint64_t length = kVersionSection.size() + 1;
    if (name >= names_.Size || names_.Size - name < length) return false;
    const auto bytes = loaded_ ? std::optional(loaded_->substr(name, length))
                               : reader_.Bytes(names_.Offset + name, length);
    return bytes && std::string_view(*bytes) == std::string(kVersionSection) + '\0';
  }

 private:
  TFieldReader& reader_;
  TElfSection names_;
  std::optional<std::string> loaded_;
};

// The header, the section table and the section names are each read at once: field by field,
// a version report (which looks the section up once per text) would read the file thousands
// of times.
std::optional<std::string> ElfVersionSection(TFieldReader& reader) {
  const auto header = reader.Bytes(0, std::min<std::uint64_t>(64, reader.Size()));
  if (!header) return std::nullopt;
  const TMemoryBytes headerBytes(*header);
  TFieldReader headerReader(headerBytes);
  const auto layout = ReadElfLayout(headerReader);
  if (!layout) return std::nullopt;
  const auto table =
      reader.Bytes(layout->SectionsAt, std::uint64_t(layout->Count) * layout->EntrySize);
  if (!table) return std::nullopt;
  const TMemoryBytes tableBytes(*table);
  TFieldReader tableReader(tableBytes);
  TElfLayout inTable = *layout;
  inTable.SectionsAt = 0;
  TElfSectionNames names(reader, ReadElfSection(tableReader, inTable, layout->NamesIndex));
  for (std::uint32_t index = 0; index < layout->Count && reader.Ok(); ++index) {
    const TElfSection section = ReadElfSection(tableReader, inTable, index);
    if (section.Type != kNoBits && names.IsVersionSection(section.Name))
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

bool TMemoryBytes::Read(std::uint64_t offset, void* out, std::size_t count) const {
  if (offset > bytes_.size() || count > bytes_.size() - offset) return false;
  if (count > 0) std::memcpy(out, bytes_.data() + offset, count);
  return true;
}

bool IsElfSharedObject(const TImageBytes& image) {
  TFieldReader reader(image);
  const bool elf = reader.U32(0) == 0x464C457F && reader.U8(5) == 1;
  return elf && reader.U16(16) == 3 && reader.Ok();  // ET_DYN
}

}  // namespace platform
