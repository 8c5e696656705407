// The reader's cases on crafted and compiled files. Both systems read the same files, so each
// expectation holds for the system's own version services and for our reading of the file.

#include "zelVersion/FileVersionInfo.h"

#include <gtest/gtest.h>

#include <functional>
#include <span>

#include "VersionTestSupport.h"
#include "common/Cp1251.h"
#include "common/TestSupport.h"

using namespace version_test;
using platform::TVersionBlockWriter;

namespace {

std::string CraftedFile(const std::string& folder, const TCraftedBlock& block,
                        const test_pe::TPeOptions& options = {}) {
  return WriteScratchFile(folder, "crafted.dll", CraftedPe(block, options));
}

// The shell's answer depends on the system's registry; ours follows a fixed rule.
void ExpectShellTypeName(const version::TFileVersionInfo& info, const char* portableName) {
#ifdef _WIN32
  (void)portableName;
  EXPECT_FALSE(info.ShellTypeName.empty());
  EXPECT_LE(info.ShellTypeName.size(), 80u);
#else
  EXPECT_EQ(info.ShellTypeName, portableName);
#endif
}

}  // namespace

TEST(FileVersionInfo, ReadsEveryFieldOfACraftedDll) {
  for (const bool pe32Plus : {false, true}) {
    const auto info = Read(CraftedFile("full", TCraftedBlock(), {.Pe32Plus = pe32Plus}));
    EXPECT_EQ(StringFields(info),
              (std::vector<std::string>{"Crafted Company", "Crafted file", "3.1.4.1", "crafted",
                                        "Crafted rights", "Crafted marks", "crafted.dll",
                                        "Crafted product", "3.1", "Crafted for tests", "special",
                                        "private"}));
    EXPECT_EQ(info.TypeName, "DLL");
    EXPECT_EQ(Flags(info), std::vector<bool>(6));
    ExpectShellTypeName(info, "dll file");
  }
}

TEST(FileVersionInfo, KeysMatchWithoutRegardToCase) {
  // "LegalCopyRight", "LegalTradeMarks" and "OriginalFileName" are asked for as spelled here,
  // and find the usual spellings as well as entries in any other case.
  TCraftedBlock block;
  block.Strings = {{"legalcopyright", "rights"},
                   {"LEGALTRADEMARKS", "marks"},
                   {"OriginalFilename", "name.dll"},
                   {"companyName", "company"}};
  const auto info = Read(CraftedFile("case", block));
  EXPECT_EQ(info.LegalCopyRight, "rights");
  EXPECT_EQ(info.LegalTradeMarks, "marks");
  EXPECT_EQ(info.OriginalFileName, "name.dll");
  EXPECT_EQ(info.CompanyName, "company");
  EXPECT_EQ(info.ProductName, "");
}

TEST(FileVersionInfo, TextsArriveInTheEightBitCodePage) {
  static constexpr cp1251::TText kCompany("ООО «Зелёный лист» №1");
  TCraftedBlock block;
  block.Strings = {{"CompanyName", "ООО «Зелёный лист» №1"},
                   {"Comments", "mark ✓ and € sign"},
                   {"ProductName", ""}};
  const auto info = Read(CraftedFile("texts", block));
  EXPECT_EQ(info.CompanyName, kCompany.View());
  EXPECT_EQ(info.Comments, "mark ? and \x88 sign");  // no check mark in the code page
  EXPECT_EQ(info.ProductName, "");
}

TEST(FileVersionInfo, WithoutVersionResourceOnlyTheShellAnswers) {
  // The resource section holds a resource of another type.
  const auto info = Read(CraftedFile("none", TCraftedBlock(), {.ResourceType = 10}));
  ExpectNoVersionInformation(info);
  ExpectShellTypeName(info, "dll file");
  // A version resource under another name than 1 is not the version information either.
  ExpectNoVersionInformation(Read(CraftedFile("name", TCraftedBlock(), {.ResourceName = 2})));
}

TEST(FileVersionInfo, FilesThatAreNoExecutablesHaveNoVersionInformation) {
  const auto text = Read(WriteScratchFile("text", "notes.txt", "MZ but nothing more\n"));
  ExpectNoVersionInformation(text);
  ExpectShellTypeName(text, "txt file");
  const auto empty = Read(WriteScratchFile("empty", "empty", ""));
  ExpectNoVersionInformation(empty);
  ExpectShellTypeName(empty, "File");
}

TEST(FileVersionInfo, MissingFileGivesAnEmptyRecord) {
  const std::string folder = testing_support::ScratchFolder("missing");
  const auto info = Read(folder + "/no-such.dll");
  ExpectNoVersionInformation(info);
  EXPECT_EQ(info.ShellTypeName, "");
  ExpectNoVersionInformation(Read(""));
}

TEST(FileVersionInfo, StringTableOfAnotherLanguageThanTheFirstTranslationIsNotRead) {
  TCraftedBlock block;
  block.Table = {0x0419, 1251};
  block.Translations = {{0x0409, 1252}, {0x0419, 1251}};
  const auto info = Read(CraftedFile("language", block));
  EXPECT_EQ(StringFields(info), std::vector<std::string>(12));
  EXPECT_EQ(info.TypeName, "DLL");  // the fixed information is read all the same
  // Same language, other code page.
  block.Translations = {{0x0419, 1252}};
  EXPECT_EQ(StringFields(Read(CraftedFile("codepage", block))), std::vector<std::string>(12));
}

TEST(FileVersionInfo, OnlyTheFirstTranslationCounts) {
  const platform::TVersionString english[] = {{"ProductName", "English"}};
  const platform::TVersionString russian[] = {{"ProductName", "Russian"}};
  const platform::TVersionStringTable tables[] = {{{0x0409, 1252}, english},
                                                  {{0x0419, 1251}, russian}};
  const platform::TVersionLanguage translations[] = {{0x0419, 1251}, {0x0409, 1252}};
  const auto block = platform::EncodeVersionBlock({TCraftedBlock().Fixed, tables, translations});
  const auto info = Read(
      WriteScratchFile("first", "first.dll", test_pe::BuildPe(test_pe::AsString(block)).Bytes));
  EXPECT_EQ(info.ProductName, "Russian");
}

TEST(FileVersionInfo, WithoutTranslationTableNoStringIsRead) {
  TCraftedBlock block;
  block.Translations = {};
  const auto info = Read(CraftedFile("translation", block));
  EXPECT_EQ(StringFields(info), std::vector<std::string>(12));
  EXPECT_EQ(info.TypeName, "DLL");
}

TEST(FileVersionInfo, FlagsNeedTheirBitInTheMask) {
  TCraftedBlock block;
  block.Fixed.FileFlags = 0x3F;
  block.Fixed.FileFlagsMask = 0x15;  // debug, patched, info inferred
  auto info = Read(CraftedFile("mask", block));
  EXPECT_TRUE(info.IsDebug);
  EXPECT_FALSE(info.IsPreRelease);
  EXPECT_TRUE(info.IsPatched);
  EXPECT_FALSE(info.IsPrivateBuild);
  EXPECT_TRUE(info.IsInfoInferred);
  EXPECT_FALSE(info.IsSpecialBuild);

  block.Fixed.FileFlags = 0x2A;  // pre-release, private build, special build
  block.Fixed.FileFlagsMask = 0x3F;
  info = Read(CraftedFile("flags", block));
  EXPECT_EQ(Flags(info), (std::vector<bool>{false, true, true, true, false, false}));
}

TEST(FileVersionInfo, TypeNameComesFromTheFixedInformation) {
  TCraftedBlock block;
  block.Fixed.FileType = 3;
  block.Fixed.FileSubtype = 11;
  EXPECT_EQ(Read(CraftedFile("driver", block)).TypeName, "");
  block.Fixed.FileSubtype = 10;
  EXPECT_EQ(Read(CraftedFile("driver", block)).TypeName, "Communications Driver");
  block.Fixed.FileType = 5;
  block.Fixed.FileSubtype = 0x1234;
  EXPECT_EQ(Read(CraftedFile("device", block)).TypeName, "Virtual Defice Identifier = 00001234");
}

namespace {

// A hand-made block: the root with the given fixed part, one string table (040904E4, which
// the translation table lists) with the entries that `entries` writes, the translation table.
std::string HandMadePe(std::span<const std::uint8_t> fixed,
                       const std::function<void(TVersionBlockWriter&)>& entries) {
  const std::uint8_t translation[] = {0x09, 0x04, 0xE4, 0x04};
  TVersionBlockWriter writer;
  writer.Open("VS_VERSION_INFO", TVersionBlockWriter::kBinary, fixed, std::uint16_t(fixed.size()));
  writer.Open("StringFileInfo", TVersionBlockWriter::kText, {}, 0);
  writer.Open("040904E4", TVersionBlockWriter::kText, {}, 0);
  entries(writer);
  writer.Close(), writer.Close();
  writer.Open("VarFileInfo", TVersionBlockWriter::kText, {}, 0);
  writer.Open("Translation", TVersionBlockWriter::kBinary, translation, 4);
  writer.Close(), writer.Close(), writer.Close();
  return test_pe::BuildPe(test_pe::AsString(writer.Take())).Bytes;
}

}  // namespace

TEST(FileVersionInfo, BlockWithoutFixedInformationStillHasItsStrings) {
  const auto info = Read(
      WriteScratchFile("nofixed", "nofixed.dll", HandMadePe({}, [](TVersionBlockWriter& writer) {
                         writer.OpenText("ProductName", "No fixed part");
                         writer.Close();
                       })));
  EXPECT_EQ(info.ProductName, "No fixed part");
  EXPECT_EQ(info.TypeName, "");
  EXPECT_EQ(Flags(info), std::vector<bool>(6));
}

TEST(FileVersionInfo, ValueMarkedBinaryReadsUpToItsFirstZeroByte) {
  // A string entry typed as bytes is handed out unconverted: its UTF-16 text stops after the
  // first character.
  const auto pe = HandMadePe(platform::FixedFileInfoBytes(TCraftedBlock().Fixed),
                             [](TVersionBlockWriter& writer) {
                               const std::uint8_t text[] = {'Z', 0, 'e', 0, 'l', 0, 0, 0};
                               writer.Open("ProductName", TVersionBlockWriter::kBinary, text, 8);
                               writer.Close();
                             });
  const auto info = Read(WriteScratchFile("binary", "binary.dll", pe));
  EXPECT_EQ(info.ProductName, "Z");
  EXPECT_EQ(info.TypeName, "DLL");
}

TEST(FileVersionInfo, ReadsWhatTheResourceCompilerWrote) {
  // sample.dll: built by the toolchain from sample.rc, with two string tables.
  const auto info = Read(WriteScratchFile(
      "sample", "sample.dll", testing_support::ReadWholeFile(ZEL_VERSION_TEST_DATA "/sample.dll")));
  EXPECT_EQ(StringFields(info),
            (std::vector<std::string>{Ansi("Образцовый цех"), Ansi("Драйвер связи, образец"),
                                      "2.7.1.18", "sample", Ansi("© 2026 Образцовый цех"),
                                      Ansi("Образец™"), "sample.dll", Ansi("Образец"), "2.7", "",
                                      Ansi("сборка для проверки"), "private ?"}));
  EXPECT_EQ(info.TypeName, "Communications Driver");
  EXPECT_EQ(Flags(info), (std::vector<bool>{false, true, true, true, false, false}));
  ExpectShellTypeName(info, "dll file");
}
