#include "PeWriter.h"

namespace test_pe {
namespace {

constexpr std::uint32_t kFileAlignment = 0x200;
constexpr std::uint32_t kSectionAlignment = 0x1000;
constexpr std::uint32_t kResourceRva = 0x1000;
constexpr std::size_t kNtHeaders = 0x80;

std::uint32_t AlignUp(std::size_t value, std::uint32_t alignment) {
  return std::uint32_t((value + alignment - 1) / alignment * alignment);
}

void Put(std::string& bytes, std::size_t at, std::uint64_t value, int size) {
  if (bytes.size() < at + size) bytes.resize(at + size, '\0');
  for (int i = 0; i < size; ++i) bytes[at + i] = char(value >> (8 * i));
}

// The resource section: three one-entry directories (type, name, language), the data entry and
// the data.
std::string ResourceSection(std::string_view resource, const TPeOptions& options,
                            TPeLayout& layout) {
  std::string section;
  const auto directory = [&](std::size_t at, std::uint32_t id, std::uint32_t target) {
    Put(section, at + 14, 1, 2);  // one numbered entry
    Put(section, at + 16, id, 4);
    Put(section, at + 20, target, 4);
  };
  directory(0x00, options.ResourceType, 0x80000000 | 0x18);
  directory(0x18, options.ResourceName, 0x80000000 | 0x30);
  directory(0x30, options.Language, 0x48);
  Put(section, 0x48, kResourceRva + 0x58, 4);
  Put(section, 0x4C, resource.size(), 4);
  section.resize(0x58);
  section.append(resource);
  layout.TypeDirectory = kFileAlignment;
  layout.NameDirectory = kFileAlignment + 0x18;
  layout.LanguageDirectory = kFileAlignment + 0x30;
  layout.DataEntry = kFileAlignment + 0x48;
  layout.VersionData = kFileAlignment + 0x58;
  layout.VersionDataEnd = layout.VersionData + resource.size();
  return section;
}

}  // namespace

void Patch(std::string& bytes, std::size_t at, std::uint32_t value, int size) {
  Put(bytes, at, value, size);
}

TPeFile BuildPe(std::string_view resource, const TPeOptions& options) {
  TPeFile file;
  TPeLayout& layout = file.Layout;
  const std::string section = ResourceSection(resource, options, layout);
  std::string& bytes = file.Bytes;

  Put(bytes, 0, 0x5A4D, 2);  // "MZ"
  Put(bytes, 0x3C, kNtHeaders, 4);
  layout.NtHeaders = kNtHeaders;
  Put(bytes, kNtHeaders, 0x00004550, 4);  // "PE\0\0"
  const std::size_t coff = kNtHeaders + 4;
  const std::uint32_t optionalSize = options.Pe32Plus ? 0xF0 : 0xE0;
  Put(bytes, coff, options.Pe32Plus ? 0x8664 : 0x014C, 2);  // machine
  Put(bytes, coff + 2, 1, 2);                               // one section
  Put(bytes, coff + 16, optionalSize, 2);
  Put(bytes, coff + 18, options.Pe32Plus ? 0x2022 : 0x2102, 2);  // executable DLL

  const std::size_t optional = coff + 20;
  layout.OptionalHeader = optional;
  const int wide = options.Pe32Plus ? 8 : 4;
  Put(bytes, optional, options.Pe32Plus ? 0x20B : 0x10B, 2);
  Put(bytes, optional + (options.Pe32Plus ? 24 : 28), 0x10000000, wide);  // image base
  Put(bytes, optional + 32, kSectionAlignment, 4);
  Put(bytes, optional + 36, kFileAlignment, 4);
  Put(bytes, optional + 40, 5, 2);  // system version 5.1
  Put(bytes, optional + 42, 1, 2);
  Put(bytes, optional + 48, 5, 2);  // subsystem version 5.1
  Put(bytes, optional + 50, 1, 2);
  Put(bytes, optional + 56, kResourceRva + AlignUp(section.size(), kSectionAlignment), 4);
  Put(bytes, optional + 60, kFileAlignment, 4);  // size of the headers
  Put(bytes, optional + 68, 2, 2);               // GUI subsystem
  for (int i = 0; i < 4; ++i)                    // stack and heap, reserved and committed
    Put(bytes, optional + 72 + i * wide, i % 2 ? 0x1000 : 0x100000, wide);
  const std::size_t count = optional + (options.Pe32Plus ? 108 : 92);
  Put(bytes, count, 16, 4);
  layout.ResourceDirectoryEntry = count + 4 + 8 * 2;
  Put(bytes, layout.ResourceDirectoryEntry, kResourceRva, 4);
  Put(bytes, layout.ResourceDirectoryEntry + 4, section.size(), 4);

  const std::size_t table = optional + optionalSize;
  layout.SectionTable = table;
  bytes.resize(table);
  bytes.append(".rsrc\0\0\0", 8);
  Put(bytes, table + 8, section.size(), 4);
  Put(bytes, table + 12, kResourceRva, 4);
  Put(bytes, table + 16, AlignUp(section.size(), kFileAlignment), 4);
  Put(bytes, table + 20, kFileAlignment, 4);
  Put(bytes, table + 36, 0x40000040, 4);  // initialised data, readable

  bytes.resize(kFileAlignment, '\0');
  bytes.append(section);
  bytes.resize(kFileAlignment + AlignUp(section.size(), kFileAlignment), '\0');
  return file;
}

}  // namespace test_pe
