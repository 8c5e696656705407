#include "platform/PeImports.h"

#include "platform/ImageFields.h"

namespace platform {
namespace {

constexpr std::uint32_t kImportDirectoryIndex = 1;
constexpr std::size_t kDescriptorSize = 20;
// Bounds that no real image comes near, so that a hostile one cannot make the walk run long.
constexpr std::size_t kMaxDlls = 1024;
constexpr std::size_t kMaxFunctionsPerDll = 65536;
constexpr std::size_t kMaxNameLength = 1024;

// A zero-terminated name at an address; nothing when it does not end inside the file.
std::optional<std::string> NameAt(TFieldReader& reader, const TPeHeaders& headers,
                                  std::uint32_t rva) {
  const auto at = headers.FileOffsetOf(rva);
  if (!at) return std::nullopt;
  std::string name;
  for (std::uint64_t offset = *at; name.size() < kMaxNameLength; ++offset) {
    const auto c = char(reader.U8(offset));
    if (!reader.Ok()) return std::nullopt;
    if (c == '\0') return name;
    name += c;
  }
  return std::nullopt;
}

// The functions of one DLL: its lookup table (or, where an old linker left none, its address
// table) holds one entry per import, ending with a zero entry.
std::optional<std::vector<std::string>> Functions(TFieldReader& reader, const TPeHeaders& headers,
                                                  std::uint32_t tableRva) {
  const auto table = headers.FileOffsetOf(tableRva);
  if (!table) return std::nullopt;
  const int entrySize = headers.Pe32Plus() ? 8 : 4;
  const std::uint64_t ordinalFlag = headers.Pe32Plus() ? 1ull << 63 : 1ull << 31;
  std::vector<std::string> functions;
  for (std::size_t i = 0; i < kMaxFunctionsPerDll; ++i) {
    const std::uint64_t entry = reader.Field(*table + i * entrySize, entrySize);
    if (!reader.Ok()) return std::nullopt;
    if (entry == 0) return functions;
    if (entry & ordinalFlag) {
      std::string ordinal(1, '#');
      ordinal += std::to_string(entry & 0xFFFF);
      functions.push_back(std::move(ordinal));
      continue;
    }
    // A hint of two bytes, then the name.
    auto name = NameAt(reader, headers, std::uint32_t(entry) + 2);
    if (!name) return std::nullopt;
    functions.push_back(std::move(*name));
  }
  return std::nullopt;
}

std::optional<std::vector<TPeImportedDll>> Imports(TFieldReader& reader,
                                                   const TPeHeaders& headers) {
  std::vector<TPeImportedDll> dlls;
  const std::uint32_t directoryRva = headers.DirectoryRva(kImportDirectoryIndex);
  if (directoryRva == 0) return dlls;
  const auto directory = headers.FileOffsetOf(directoryRva);
  if (!directory) return std::nullopt;
  for (std::size_t i = 0; i < kMaxDlls; ++i) {
    const auto descriptor = reader.Bytes(*directory + i * kDescriptorSize, kDescriptorSize);
    if (!descriptor) return std::nullopt;
    const std::uint32_t lookupRva = WordAt(*descriptor, 0);
    const std::uint32_t nameRva = WordAt(*descriptor, 12);
    const std::uint32_t addressRva = WordAt(*descriptor, 16);
    if (nameRva == 0 && lookupRva == 0 && addressRva == 0) return dlls;
    auto name = NameAt(reader, headers, nameRva);
    auto functions = Functions(reader, headers, lookupRva ? lookupRva : addressRva);
    if (!name || !functions) return std::nullopt;
    dlls.push_back({std::move(*name), std::move(*functions)});
  }
  return std::nullopt;
}

}  // namespace

std::optional<TPeLoadRequirements> ReadPeLoadRequirements(const TImageBytes& image) {
  TFieldReader reader(image);
  const auto headers = TPeHeaders::Read(reader);
  if (!headers) return std::nullopt;
  const std::uint64_t optional = headers->OptionalHeader();
  TPeLoadRequirements requirements;
  requirements.OsVersionMajor = std::uint16_t(reader.U16(optional + 40));
  requirements.OsVersionMinor = std::uint16_t(reader.U16(optional + 42));
  requirements.SubsystemVersionMajor = std::uint16_t(reader.U16(optional + 48));
  requirements.SubsystemVersionMinor = std::uint16_t(reader.U16(optional + 50));
  requirements.Subsystem = std::uint16_t(reader.U16(optional + 68));
  auto imports = Imports(reader, *headers);
  if (!reader.Ok() || !imports) return std::nullopt;
  requirements.Imports = std::move(*imports);
  return requirements;
}

}  // namespace platform
