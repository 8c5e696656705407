#include "zelVersion/FixedFileInfo.h"

#include <gtest/gtest.h>

using version::FileTypeName;
using version::HasFileFlag;
using version::TFixedFileInfo;

namespace {

TFixedFileInfo OfType(std::uint32_t type, std::uint32_t subtype) {
  TFixedFileInfo fixed;
  fixed.FileType = type;
  fixed.FileSubtype = subtype;
  return fixed;
}

TFixedFileInfo WithFlags(std::uint32_t flags, std::uint32_t mask) {
  TFixedFileInfo fixed;
  fixed.FileFlags = flags;
  fixed.FileFlagsMask = mask;
  return fixed;
}

}  // namespace

TEST(FileTypeName, NamesEveryTypeAndSubtypeOfTheTable) {
  const struct {
    std::uint32_t Type, Subtype;
    const char* Name;
  } cases[] = {
      {0, 0, "Unknown"},
      {0, 77, "Unknown"},
      {1, 0, "Application"},
      {1, 5, "Application"},
      {2, 0, "DLL"},
      {2, 0xFFFFFFFF, "DLL"},
      {3, 0, "Unknown Driver"},
      {3, 1, "Printer Driver"},
      {3, 2, "Keyboard Driver"},
      {3, 3, "Language Driver"},
      {3, 4, "Display Driver"},
      {3, 5, "Mouse Driver"},
      {3, 6, "Network Driver"},
      {3, 7, "System Driver"},
      {3, 8, "InstallableDriver"},
      {3, 9, "Sound Driver"},
      {3, 10, "Communications Driver"},
      {3, 11, ""},
      {3, 0xFFFFFFFF, ""},
      {4, 0, "Unknown Font"},
      {4, 1, "Raster Font"},
      {4, 2, "Vector Font"},
      {4, 3, "Truetype Font"},
      {4, 4, ""},
      {5, 0x1234, "Virtual Defice Identifier = 00001234"},
      {5, 0, "Virtual Defice Identifier = 00000000"},
      {5, 0xABCDEF01, "Virtual Defice Identifier = ABCDEF01"},
      {6, 0, ""},
      {7, 0, "Static-link Library"},
      {7, 9, "Static-link Library"},
      {8, 0, ""},
      {0xFFFFFFFF, 0, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FileTypeName(OfType(c.Type, c.Subtype)), c.Name) << c.Type << "/" << c.Subtype;
}

TEST(HasFileFlag, NeedsTheFlagInTheFlagsAndInTheMask) {
  EXPECT_TRUE(HasFileFlag(WithFlags(0x01, 0x3F), 0x01));
  EXPECT_FALSE(HasFileFlag(WithFlags(0x01, 0x3E), 0x01));  // set, but not valid
  EXPECT_FALSE(HasFileFlag(WithFlags(0x00, 0x3F), 0x01));  // valid, but not set
  EXPECT_TRUE(HasFileFlag(WithFlags(0x20, 0x20), 0x20));
  EXPECT_FALSE(HasFileFlag(WithFlags(0x1F, 0x3F), 0x20));
}

TEST(HasFileFlag, TakesTheMaskAsSixteenBits) {
  // Bits above 16 of flags and mask never count; the mask argument is 16-bit by type.
  EXPECT_FALSE(HasFileFlag(WithFlags(0x10000, 0x10000), 0x01));
  EXPECT_TRUE(HasFileFlag(WithFlags(0xFFFF0004, 0xFFFF0004), 0x04));
  EXPECT_TRUE(HasFileFlag(WithFlags(0x03, 0x03), 0x03));  // several bits: all of them
  EXPECT_FALSE(HasFileFlag(WithFlags(0x03, 0x01), 0x03));
}
