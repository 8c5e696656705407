#pragma once

// What a PE image asks of the system that loads it: the functions it imports from each DLL,
// and the versions its header names. A DLL fails to load at all when one function it imports
// is missing from the system, so the tests read the built module with this to keep it loading
// on the oldest Windows it supports. Every read is checked against the file's size.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/ExecutableImage.h"

namespace platform {

struct TPeImportedDll {
  std::string Name;                    // as the image writes it ("KERNEL32.dll")
  std::vector<std::string> Functions;  // by name, or "#N" for an import by ordinal N
};

struct TPeLoadRequirements {
  std::uint16_t OsVersionMajor = 0, OsVersionMinor = 0;
  std::uint16_t SubsystemVersionMajor = 0, SubsystemVersionMinor = 0;
  std::uint16_t Subsystem = 0;
  std::vector<TPeImportedDll> Imports;
};

// Nothing for a file that is not a PE image, or whose import directory does not lie inside it.
std::optional<TPeLoadRequirements> ReadPeLoadRequirements(const TImageBytes& image);

}  // namespace platform
