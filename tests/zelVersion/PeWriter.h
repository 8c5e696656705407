#pragma once

// Crafts small PE images (a DLL with one resource section) around a version block, so that
// the reader's cases run on the same files on both systems: here through our own reading of
// the file, under Windows through the system's. The layout is recorded so that tests can damage
// chosen structures.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/VersionBlockWriter.h"

namespace test_pe {

struct TPeOptions {
  bool Pe32Plus = false;
  std::uint32_t ResourceType = 16;  // the version resource's type
  std::uint32_t ResourceName = 1;
  std::uint32_t Language = 0x0409;
};

// File offsets of the structures written.
struct TPeLayout {
  std::size_t NtHeaders = 0;
  std::size_t OptionalHeader = 0;
  std::size_t ResourceDirectoryEntry = 0;  // in the optional header's data directories
  std::size_t SectionTable = 0;
  std::size_t TypeDirectory = 0;  // the resource section's root
  std::size_t NameDirectory = 0;
  std::size_t LanguageDirectory = 0;
  std::size_t DataEntry = 0;
  std::size_t VersionData = 0;
  std::size_t VersionDataEnd = 0;
};

struct TPeFile {
  std::string Bytes;
  TPeLayout Layout;
};

TPeFile BuildPe(std::string_view resource, const TPeOptions& options = {});

inline std::string AsString(const std::vector<std::uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

// Writes a little-endian field into the bytes.
void Patch(std::string& bytes, std::size_t at, std::uint32_t value, int size = 4);

}  // namespace test_pe
