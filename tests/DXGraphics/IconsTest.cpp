// The default registration icons, found through the platform layer's resources: the bitmap
// without its file header, as the resource compiler stores it on Windows.

#include <gtest/gtest.h>

#include "DXGraphics/DXBitmap.h"
#include "common/TestSupport.h"
#include "platform/Resources.h"

namespace {

std::string Resource(const char* name) {
  const auto found = platform::FindModuleResource(platform::kResourceBitmap, name);
  return found ? std::string(*found) : std::string();
}

TEST(DefaultIcons, AreTheBitmapFilesWithoutTheirHeader) {
  EXPECT_EQ(Resource("DXLIB_ICON"), testing_support::ReadWholeFile(DXLIB_ICON_FILE).substr(14));
  EXPECT_EQ(Resource("dxlib_icon_bw"),
            testing_support::ReadWholeFile(DXLIB_ICON_BW_FILE).substr(14));
  EXPECT_FALSE(platform::FindModuleResource(platform::kResourceRcData, "DXLIB_ICON"));
}

TEST(DefaultIcons, AreAColourAndABlackAndWhiteBitmap) {
  TDXBitmap color;
  ASSERT_TRUE(ReadPackedBitmap(Resource("DXLIB_ICON"), color));
  EXPECT_EQ(color.Width, 32);
  EXPECT_EQ(color.Height, 32);
  EXPECT_EQ(color.BitCount, 24);
  EXPECT_EQ(color.ColorAt(0, 0), 0xFFFFFFu);   // outside the tile
  EXPECT_EQ(color.ColorAt(16, 0), 0x184070u);  // its frame
  EXPECT_EQ(color.ColorAt(4, 4), 0xE8F0FAu);   // its face
  TDXBitmap bw;
  ASSERT_TRUE(ReadPackedBitmap(Resource("DXLIB_ICON_BW"), bw));
  EXPECT_EQ(bw.BitCount, 1);
  EXPECT_EQ(bw.Palette, (std::vector<std::uint32_t>{0x000000, 0xFFFFFF}));
  EXPECT_EQ(bw.ColorAt(16, 0), 0x000000u);
  EXPECT_EQ(bw.ColorAt(4, 4), 0xFFFFFFu);
}

}  // namespace
