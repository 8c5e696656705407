// The product's version resource, as zel_add_version_resource puts it into a module: the same
// answers on both systems, from the one definition of the version data.

#include <gtest/gtest.h>

#include <cstring>

#include "ProductVersion.h"
#include "VersionTestSupport.h"
#include "common/TestSupport.h"
#include "platform/VersionApi.h"
#include "zelVersion/FixedFileInfo.h"

using namespace version_test;

namespace {

const std::string kProbe = ZEL_VERSION_PROBE;

std::string Defined(std::string_view key) {
  for (const platform::TVersionString& entry : product_version::kStrings)
    if (entry.Key == key) return Ansi(entry.Value);
  ADD_FAILURE() << "no entry " << key;
  return {};
}

std::string LoadedBlock(const std::string& path) {
  std::string buffer(platform::FileVersionInfoSize(path), '\0');
  if (!platform::LoadFileVersionInfo(path, buffer)) return {};
  return buffer;
}

}  // namespace

TEST(ProductVersion, ModuleAnswersWithTheDefinedTexts) {
  const auto info = Read(kProbe);
  EXPECT_EQ(StringFields(info),
            (std::vector<std::string>{Defined("CompanyName"), Defined("FileDescription"),
                                      Defined("FileVersion"), Defined("InternalName"),
                                      Defined("LegalCopyright"), Defined("LegalTrademarks"),
                                      Defined("OriginalFilename"), Defined("ProductName"),
                                      Defined("ProductVersion"), Defined("Comments"), "", ""}));
  for (const std::string& text : StringFields(info)) EXPECT_EQ(text.find('\0'), std::string::npos);
  EXPECT_EQ(info.TypeName, "DLL");
  EXPECT_EQ(Flags(info), std::vector<bool>(6));
#ifdef _WIN32
  EXPECT_FALSE(info.ShellTypeName.empty());
#else
  EXPECT_EQ(info.ShellTypeName, "Shared library");
#endif
}

TEST(ProductVersion, VersionNumbersFollowTheProject) {
  const auto info = Read(kProbe);
  EXPECT_EQ(info.ProductVersion, ZEL_PROJECT_VERSION);
  EXPECT_EQ(info.FileVersion.rfind(ZEL_PROJECT_VERSION ".", 0), 0u) << info.FileVersion;
  EXPECT_EQ(info.ProductName, "zelXML");
  EXPECT_EQ(info.OriginalFileName, "zelXML.x32");

  const auto fixedBytes = platform::QueryVersionBytes(LoadedBlock(kProbe), "\\");
  ASSERT_TRUE(fixedBytes && fixedBytes->size() >= sizeof(version::TFixedFileInfo));
  version::TFixedFileInfo fixed;
  std::memcpy(&fixed, fixedBytes->data(), sizeof fixed);
  const auto& defined = product_version::kDefinition.Fixed;
  EXPECT_EQ(fixed.Signature, platform::kFixedFileInfoSignature);
  EXPECT_EQ(fixed.FileVersionMS,
            std::uint32_t(defined.FileVersion[0] << 16 | defined.FileVersion[1]));
  EXPECT_EQ(fixed.FileVersionLS,
            std::uint32_t(defined.FileVersion[2] << 16 | defined.FileVersion[3]));
  EXPECT_EQ(fixed.ProductVersionMS, fixed.FileVersionMS);
}

TEST(ProductVersion, BlockIsByteForByteTheResourceCompilersOwn) {
  // On Windows the block was compiled from the generated .rc by the resource compiler; portable
  // modules carry the block written during compilation. Both come out the same.
  const std::string expected =
      test_pe::AsString(platform::EncodeVersionBlock(product_version::kDefinition));
  const std::string loaded = LoadedBlock(kProbe);
  ASSERT_GE(loaded.size(), expected.size());
  EXPECT_EQ(loaded.substr(0, expected.size()), expected);
}

TEST(ProductVersion, StringTableIsTheOneTheTranslationListsFirst) {
  const std::string block = LoadedBlock(kProbe);
  const auto translation = platform::QueryVersionBytes(block, "\\VarFileInfo\\Translation");
  ASSERT_TRUE(translation && translation->size() >= 4);
  const auto language = product_version::kLanguage;
  EXPECT_EQ(std::uint8_t((*translation)[0]), language.Language & 0xFF);
  EXPECT_EQ(std::uint8_t((*translation)[1]), language.Language >> 8);
  EXPECT_EQ(std::uint8_t((*translation)[2]), language.CodePage & 0xFF);
  EXPECT_EQ(std::uint8_t((*translation)[3]), language.CodePage >> 8);
  const auto key = platform::StringTableKey(language);
  const std::string table = "\\StringFileInfo\\" + std::string(key.data(), key.size()) + "\\";
  for (const char* entry :
       {"CompanyName", "FileDescription", "FileVersion", "InternalName", "LegalCopyright",
        "LegalTrademarks", "OriginalFilename", "ProductName", "ProductVersion", "Comments"}) {
    const auto text = platform::QueryVersionText(block, table + entry);
    ASSERT_TRUE(text.has_value()) << entry;
    EXPECT_FALSE(text->empty()) << entry;
  }
}

namespace {

struct TModuleCopy {
  std::string Bytes, Path;
  version::TFileVersionInfo Whole;

  TModuleCopy() : Bytes(testing_support::ReadWholeFile(kProbe)) {
    Path = WriteScratchFile("module", kProbe, Bytes);
    Whole = Read(Path);
  }
  // A damaged copy reads as all of the version information or as none of it.
  bool ReadsAllOrNothing(const std::string& damaged) const {
    testing_support::WriteWholeFile(Path, damaged);
    const auto info = Read(Path);
    const bool none = StringFields(info) == std::vector<std::string>(12) && info.TypeName.empty();
    return none || (StringFields(info) == StringFields(Whole) && info.TypeName == Whole.TypeName);
  }
};

}  // namespace

TEST(ProductVersion, TruncatedModuleGivesAllOrNothing) {
  const TModuleCopy module;
  ASSERT_EQ(module.Whole.ProductName, "zelXML");
  const std::size_t size = module.Bytes.size();
  for (std::size_t length = 0; length < size; length += 1 + size / 97)
    EXPECT_TRUE(module.ReadsAllOrNothing(module.Bytes.substr(0, length))) << length;
}

#ifndef _WIN32
// The portable module's block lives in an ELF section, found through the section table.
TEST(ProductVersion, DamagedElfSectionTableGivesAllOrNothing) {
  const TModuleCopy module;
  // 64-bit header fields: section table offset, entry size, count, names index.
  const struct {
    std::size_t At;
    std::uint32_t Value;
    int Size;
  } damages[] = {{40, 0xFFFFFF00, 4}, {44, 0x7FFFFFFF, 4}, {58, 0, 2}, {58, 0xFFFF, 2},
                 {60, 0xFFFF, 2},     {62, 0xFFFF, 2},     {62, 0, 2}};
  for (const auto& damage : damages) {
    std::string bytes = module.Bytes;
    test_pe::Patch(bytes, damage.At, damage.Value, damage.Size);
    EXPECT_TRUE(module.ReadsAllOrNothing(bytes)) << damage.At;
  }
}

TEST(ProductVersion, ExecutableWithoutTheSectionHasNoVersionInformation) {
  ExpectNoVersionInformation(Read("/proc/self/exe"));
}
#endif
