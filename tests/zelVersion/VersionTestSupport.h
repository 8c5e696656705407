#pragma once

// Shared by the version reader's tests: crafted blocks, files in a scratch folder, and the
// expected 8-bit form of UTF-8 texts.

#include <string>
#include <string_view>
#include <vector>

#include "PeWriter.h"
#include "platform/VersionBlockWriter.h"
#include "zelVersion/FileVersionInfo.h"

namespace version_test {

// A block with every entry the reader asks for, in the spelling resource compilers use, one
// string table (US English, Windows Latin 1) that the translation table lists.
struct TCraftedBlock {
  std::vector<platform::TVersionString> Strings;
  platform::TVersionLanguage Table{0x0409, 1252};
  std::vector<platform::TVersionLanguage> Translations{{0x0409, 1252}};
  platform::TFixedVersion Fixed{.FileVersion = {3, 1, 4, 1},
                                .ProductVersion = {3, 1, 0, 0},
                                .FileFlagsMask = 0x3F,
                                .FileFlags = 0,
                                .FileOS = 0x40004,
                                .FileType = 2,
                                .FileSubtype = 0};

  TCraftedBlock();
  std::string Encode() const;
};

// The crafted block wrapped in a PE image.
std::string CraftedPe(const TCraftedBlock& block, const test_pe::TPeOptions& options = {});

// A file of the given name and content in the test's own scratch folder.
std::string WriteScratchFile(const std::string& folder, const std::string& name,
                             const std::string& content);

version::TFileVersionInfo Read(const std::string& path);

// UTF-8 text in the process's 8-bit code page, as the reader returns texts.
std::string Ansi(std::string_view utf8);

// The twelve string-table fields of a record, in reading order.
std::vector<std::string> StringFields(const version::TFileVersionInfo& info);
std::vector<bool> Flags(const version::TFileVersionInfo& info);

// What the reader gives for a file that has no usable version information.
void ExpectNoVersionInformation(const version::TFileVersionInfo& info);

}  // namespace version_test
