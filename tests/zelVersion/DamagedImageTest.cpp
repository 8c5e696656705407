// Damaged and hostile files: truncated, with offsets outside the file, with loops in the
// resource directory, with absurd sizes. The reader answers with empty fields (or, where the
// damage spares the version information, with all of it) and never reads outside the file.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>

#include "VersionTestSupport.h"
#include "common/TestSupport.h"

using namespace version_test;

namespace {

const std::vector<std::string> kNoStrings(12);

bool IsComplete(const version::TFileVersionInfo& info, const version::TFileVersionInfo& whole) {
  return StringFields(info) == StringFields(whole) && info.TypeName == whole.TypeName &&
         Flags(info) == Flags(whole);
}

bool IsEmpty(const version::TFileVersionInfo& info) {
  return StringFields(info) == kNoStrings && info.TypeName.empty() &&
         Flags(info) == std::vector<bool>(6);
}

// Every length from 0 to the whole file in steps, and each structure's first byte with its
// neighbours.
std::set<std::size_t> TruncationLengths(std::size_t size, std::initializer_list<std::size_t> marks,
                                        std::size_t step) {
  std::set<std::size_t> lengths;
  for (std::size_t length = 0; length < size; length += step) lengths.insert(length);
  for (const std::size_t mark : marks)
    for (const std::size_t length : {mark - 1, mark, mark + 1})
      if (length <= size) lengths.insert(length);
  lengths.insert(size);
  return lengths;
}

// The offset of a string-table entry's node inside a block: its header precedes its key.
std::size_t EntryNodeOffset(const std::string& block, std::string_view key) {
  std::string utf16;
  for (const char c : key) utf16 += {c, '\0'};
  return block.find(utf16) - 6;
}

class DamagedImage : public testing::Test {
 protected:
  void SetUp() override {
    block_ = TCraftedBlock().Encode();
    pe_ = test_pe::BuildPe(block_);
    path_ = WriteScratchFile("damaged", "damaged.dll", pe_.Bytes);
    whole_ = Read(path_);
    ASSERT_EQ(whole_.CompanyName, "Crafted Company");
  }

  version::TFileVersionInfo ReadDamaged(std::size_t at, std::uint32_t value, int size) {
    std::string bytes = pe_.Bytes;
    test_pe::Patch(bytes, at, value, size);
    testing_support::WriteWholeFile(path_, bytes);
    return Read(path_);
  }

  std::string block_;
  test_pe::TPeFile pe_;
  std::string path_;
  version::TFileVersionInfo whole_;
};

}  // namespace

TEST_F(DamagedImage, TruncatedFileHasNoVersionInformationUntilAllOfItIsThere) {
  const test_pe::TPeLayout& l = pe_.Layout;
  for (const std::size_t length : TruncationLengths(
           pe_.Bytes.size(),
           {l.NtHeaders, l.OptionalHeader, l.SectionTable, l.TypeDirectory, l.NameDirectory,
            l.LanguageDirectory, l.DataEntry, l.VersionData, l.VersionDataEnd},
           29)) {
    testing_support::WriteWholeFile(path_, pe_.Bytes.substr(0, length));
    const auto info = Read(path_);
    if (length >= l.VersionDataEnd)
      EXPECT_TRUE(IsComplete(info, whole_)) << length;
    else
      EXPECT_TRUE(IsEmpty(info)) << length;
  }
}

TEST_F(DamagedImage, DamagedHeadersAndDirectoriesGiveEmptyFields) {
  const test_pe::TPeLayout& l = pe_.Layout;
  const std::uint32_t kDirectory = 0x80000000;
  const struct {
    const char* What;
    std::size_t At;
    std::uint32_t Value;
    int Size;
  } damages[] = {
      {"DOS signature", 0, 0x5A4E, 2},
      {"header offset past the end", 0x3C, 0xFFFFFFF0, 4},
      {"header offset at the end", 0x3C, std::uint32_t(pe_.Bytes.size() - 2), 4},
      {"PE signature", l.NtHeaders, 0x00004551, 4},
      {"optional header kind", l.OptionalHeader, 0x10C, 2},
      {"no sections", l.NtHeaders + 6, 0, 2},
      {"absurd section count", l.NtHeaders + 6, 0xFFFF, 2},
      {"optional header past the end", l.NtHeaders + 20, 0xFFFF, 2},
      {"too few data directories", l.ResourceDirectoryEntry - 20, 2, 4},
      {"resources outside every section", l.ResourceDirectoryEntry, 0x7FFFF000, 4},
      {"section data outside the file", l.SectionTable + 20, 0x7FFFFE00, 4},
      {"section without data", l.SectionTable + 16, 0, 4},
      {"absurd entry count", l.TypeDirectory + 14, 0xFFFF, 2},
      {"type directory outside the file", l.TypeDirectory + 20, kDirectory | 0x7FFFFFF0, 4},
      {"type directory loops to the root", l.TypeDirectory + 20, kDirectory, 4},
      {"name directory loops to itself", l.NameDirectory + 20, kDirectory | 0x18, 4},
      {"language entry loops to its directory", l.LanguageDirectory + 20, kDirectory | 0x30, 4},
      {"data outside every section", l.DataEntry, 0x7FFFFFF0, 4},
      {"data size past the end of the file", l.DataEntry + 4, std::uint32_t(pe_.Bytes.size()), 4},
      {"absurd data size", l.DataEntry + 4, 0xFFFFFFFF, 4},
  };
  for (const auto& damage : damages) {
    const auto info = ReadDamaged(damage.At, damage.Value, damage.Size);
    EXPECT_TRUE(IsEmpty(info)) << damage.What;
  }
}

TEST_F(DamagedImage, DamagedBlockLengthsStayInsideTheBlock) {
  const std::size_t data = pe_.Layout.VersionData;
  // A block that claims more than its resource holds is damaged.
  EXPECT_TRUE(IsEmpty(ReadDamaged(data, 0xFFFF, 2)));
  EXPECT_TRUE(IsEmpty(ReadDamaged(data, std::uint32_t(block_.size() + 1), 2)));
  // A block of length 0 has no children, so no strings; its fixed part is still there.
  auto info = ReadDamaged(data, 0, 2);
  EXPECT_EQ(StringFields(info), kNoStrings);
  EXPECT_EQ(info.TypeName, "DLL");
  // An entry of length 0 is found, but ends the walk through its table.
  info = ReadDamaged(data + EntryNodeOffset(block_, "CompanyName"), 0, 2);
  EXPECT_EQ(info.CompanyName, "Crafted Company");
  EXPECT_EQ(info.FileDescription, "");
  EXPECT_EQ(info.PrivateBuild, "");
  EXPECT_EQ(info.TypeName, "DLL");
  // The translation table cut to two bytes has no first entry.
  info = ReadDamaged(data + EntryNodeOffset(block_, "Translation") + 2, 2, 2);
  EXPECT_EQ(StringFields(info), kNoStrings);
}

TEST_F(DamagedImage, RandomDamageNeverReadsOutsideTheFile) {
  // Deterministic: the same damage on every run and on both systems.
  std::uint32_t seed = 12345;
  const auto next = [&seed] { return seed = seed * 1103515245u + 12345u, seed >> 8; };
  for (int round = 0; round < 300; ++round) {
    std::string bytes = pe_.Bytes;
    const int changes = 1 + int(next() % 4);
    for (int i = 0; i < changes; ++i) bytes[next() % pe_.Layout.VersionDataEnd] = char(next());
    testing_support::WriteWholeFile(path_, bytes);
    const auto info = Read(path_);
    for (const std::string& field : StringFields(info)) EXPECT_LE(field.size(), 0x10000u);
  }
}

TEST(DamagedSample, TruncatedCompiledDllGivesAllOrNothing) {
  const std::string sample = testing_support::ReadWholeFile(ZEL_VERSION_TEST_DATA "/sample.dll");
  const std::string path = WriteScratchFile("sample-cut", "sample.dll", sample);
  const auto whole = Read(path);
  ASSERT_FALSE(whole.CompanyName.empty());
  int complete = 0;
  for (const std::size_t length : TruncationLengths(sample.size(), {}, 37)) {
    testing_support::WriteWholeFile(path, sample.substr(0, length));
    const auto info = Read(path);
    EXPECT_TRUE(IsComplete(info, whole) || IsEmpty(info)) << length;
    complete += IsComplete(info, whole);
  }
  EXPECT_GT(complete, 0);
  EXPECT_TRUE(IsEmpty(Read(WriteScratchFile("sample-head", "sample.dll", sample.substr(0, 600)))));
}
