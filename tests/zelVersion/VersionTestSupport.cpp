#include "VersionTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/TestSupport.h"
#include "platform/CodePage.h"

namespace version_test {

TCraftedBlock::TCraftedBlock()
    : Strings{{"CompanyName", "Crafted Company"},
              {"FileDescription", "Crafted file"},
              {"FileVersion", "3.1.4.1"},
              {"InternalName", "crafted"},
              {"LegalCopyright", "Crafted rights"},
              {"LegalTrademarks", "Crafted marks"},
              {"OriginalFilename", "crafted.dll"},
              {"ProductName", "Crafted product"},
              {"ProductVersion", "3.1"},
              {"Comments", "Crafted for tests"},
              {"SpecialBuild", "special"},
              {"PrivateBuild", "private"}} {}

std::string TCraftedBlock::Encode() const {
  const platform::TVersionStringTable tables[] = {{Table, Strings}};
  return test_pe::AsString(platform::EncodeVersionBlock({Fixed, tables, Translations}));
}

std::string CraftedPe(const TCraftedBlock& block, const test_pe::TPeOptions& options) {
  return test_pe::BuildPe(block.Encode(), options).Bytes;
}

std::string WriteScratchFile(const std::string& folder, const std::string& name,
                             const std::string& content) {
  const std::string path =
      (std::filesystem::path(testing_support::ScratchFolder(folder)) / name).string();
  testing_support::WriteWholeFile(path, content);
  return path;
}

version::TFileVersionInfo Read(const std::string& path) {
  version::TFileVersionInfo info;
  version::ReadFileVersionInfo(path, info);
  return info;
}

std::string Ansi(std::string_view utf8) {
  const std::vector<char16_t> wide = platform::TVersionBlockWriter::Utf16Of(utf8);
  return platform::WideToAnsi(std::u16string(wide.begin(), wide.end()));
}

std::vector<std::string> StringFields(const version::TFileVersionInfo& info) {
  return {info.CompanyName,    info.FileDescription, info.FileVersion,      info.InternalName,
          info.LegalCopyRight, info.LegalTradeMarks, info.OriginalFileName, info.ProductName,
          info.ProductVersion, info.Comments,        info.SpecialBuild,     info.PrivateBuild};
}

std::vector<bool> Flags(const version::TFileVersionInfo& info) {
  return {info.IsDebug,        info.IsPreRelease, info.IsSpecialBuild,
          info.IsPrivateBuild, info.IsPatched,    info.IsInfoInferred};
}

void ExpectNoVersionInformation(const version::TFileVersionInfo& info) {
  EXPECT_EQ(StringFields(info), std::vector<std::string>(12));
  EXPECT_EQ(info.TypeName, "");
  EXPECT_EQ(Flags(info), std::vector<bool>(6));
}

}  // namespace version_test
