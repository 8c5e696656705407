// Prints what the version reader finds in files, one field a line, so that the answers of both
// systems for the same file can be compared (natively, and under wine for the Windows build).
// Usage: zel_version_dump FILE...

#include <cstdio>

#include "zelVersion/FileVersionInfo.h"

namespace {

void Print(const char* name, const std::string& value) {
  std::printf("  %s: \"%s\"\n", name, value.c_str());
}

void Dump(const std::string& path) {
  version::TFileVersionInfo info;
  version::ReadFileVersionInfo(path, info);
  std::printf("%s\n", path.c_str());
  Print("ShellTypeName", info.ShellTypeName);
  Print("CompanyName", info.CompanyName);
  Print("FileDescription", info.FileDescription);
  Print("FileVersion", info.FileVersion);
  Print("InternalName", info.InternalName);
  Print("LegalCopyRight", info.LegalCopyRight);
  Print("LegalTradeMarks", info.LegalTradeMarks);
  Print("OriginalFileName", info.OriginalFileName);
  Print("ProductName", info.ProductName);
  Print("ProductVersion", info.ProductVersion);
  Print("Comments", info.Comments);
  Print("SpecialBuild", info.SpecialBuild);
  Print("PrivateBuild", info.PrivateBuild);
  Print("TypeName", info.TypeName);
  std::printf(
      "  Flags: debug %d, pre-release %d, special %d, private %d, patched %d, inferred %d\n",
      info.IsDebug, info.IsPreRelease, info.IsSpecialBuild, info.IsPrivateBuild, info.IsPatched,
      info.IsInfoInferred);
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) Dump(argv[i]);
  return argc > 1 ? 0 : 2;
}
