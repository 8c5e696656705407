#pragma once

// The version information of a file: its version resource's string table, fixed information and
// flags, with the shell's name for the file's type. Stateless: each call reads the file afresh.

#include <string>
#include <string_view>

namespace version {

struct TFileVersionInfo {
  std::string ShellTypeName;  // the shell's name for the file's type, at most 80 characters
  std::string CompanyName;
  std::string FileDescription;
  std::string FileVersion;
  std::string InternalName;
  std::string LegalCopyRight;
  std::string LegalTradeMarks;
  std::string OriginalFileName;
  std::string ProductName;
  std::string ProductVersion;
  std::string Comments;
  std::string SpecialBuild;
  std::string PrivateBuild;
  std::string TypeName;  // the fixed information's file type (FileTypeName)
  bool IsDebug = false;
  bool IsPreRelease = false;
  bool IsSpecialBuild = false;
  bool IsPrivateBuild = false;
  bool IsPatched = false;
  bool IsInfoInferred = false;
};

// Never fails: what the file does not hold, or what cannot be read from it, stays empty or
// false. On portable builds the version information comes from a Windows executable's version
// resource or from a portable module's ".zel_version" section.
void ReadFileVersionInfo(const std::string& path, TFileVersionInfo& info);

// One entry of the string table that the first translation names, from version information
// that platform::LoadFileVersionInfo read into buffer; empty when the translation table or the
// key is missing.
std::string QueryVersionString(const std::string& buffer, std::string_view key);

}  // namespace version
