// Packed bitmaps: reading the ones members and icons hold, writing them back, and refusing
// what is not one.

#include <gtest/gtest.h>

#include <cstring>

#include "DXGraphics/DXBitmap.h"

namespace {

template <class T>
void Put(std::string& bytes, std::size_t at, T value) {
  std::memcpy(bytes.data() + at, &value, sizeof value);
}

// A 2 x 2 bitmap of bits per pixel with its pixels (rows bottom-up, padded) and palette.
std::string Packed(std::uint16_t bits, std::int32_t height, const std::string& pixels,
                   std::uint32_t colors = 0, const std::string& palette = {}) {
  std::string bytes(40, '\0');
  Put<std::uint32_t>(bytes, 0, 40);
  Put<std::int32_t>(bytes, 4, 2);
  Put<std::int32_t>(bytes, 8, height);
  Put<std::uint16_t>(bytes, 12, 1);
  Put<std::uint16_t>(bytes, 14, bits);
  Put<std::uint32_t>(bytes, 32, colors);
  return bytes + palette + pixels;
}

std::string Rgb(std::uint32_t color) {
  return std::string{char(color & 0xFF), char((color >> 8) & 0xFF), char((color >> 16) & 0xFF)};
}

TEST(PackedBitmap, TrueColourRowsAreBottomUp) {
  const std::string pixels = Rgb(0x0000FF) + Rgb(0x00FF00) + std::string(2, '\0') + Rgb(0xFF0000) +
                             Rgb(0xFFFFFF) + std::string(2, '\0');
  TDXBitmap bitmap;
  ASSERT_TRUE(ReadPackedBitmap(Packed(24, 2, pixels), bitmap));
  EXPECT_EQ(bitmap.Stride(), 8u);
  EXPECT_EQ(bitmap.ColorAt(0, 0), 0xFF0000u);
  EXPECT_EQ(bitmap.ColorAt(1, 0), 0xFFFFFFu);
  EXPECT_EQ(bitmap.ColorAt(0, 1), 0x0000FFu);
  EXPECT_EQ(bitmap.ColorAt(2, 0), 0u);  // outside
  // Stored top-down (negative height), the same picture reads the same.
  const std::string topDown = pixels.substr(8) + pixels.substr(0, 8);
  TDXBitmap flipped;
  ASSERT_TRUE(ReadPackedBitmap(Packed(24, -2, topDown), flipped));
  EXPECT_EQ(flipped.Height, 2);
  EXPECT_EQ(flipped.Pixels, bitmap.Pixels);
}

TEST(PackedBitmap, PalettedPixelsOfOneFourAndEightBits) {
  const std::string palette = Rgb(0x112233) + '\0' + Rgb(0x445566) + '\0';
  TDXBitmap one;
  ASSERT_TRUE(
      ReadPackedBitmap(Packed(1, 2, std::string("\x40\0\0\0\x80\0\0\0", 8), 2, palette), one));
  EXPECT_EQ(one.ColorAt(0, 0), 0x445566u);
  EXPECT_EQ(one.ColorAt(1, 0), 0x112233u);
  EXPECT_EQ(one.ColorAt(1, 1), 0x445566u);
  TDXBitmap four;
  ASSERT_TRUE(
      ReadPackedBitmap(Packed(4, 2, std::string("\x01\0\0\0\x10\0\0\0", 8), 2, palette), four));
  EXPECT_EQ(four.ColorAt(0, 0), 0x445566u);
  EXPECT_EQ(four.ColorAt(1, 1), 0x445566u);
  EXPECT_EQ(four.ColorAt(0, 1), 0x112233u);
  // An index past the palette reads as black.
  TDXBitmap eight;
  ASSERT_TRUE(
      ReadPackedBitmap(Packed(8, 2, std::string("\x01\x07\0\0\0\0\0\0", 8), 2, palette), eight));
  EXPECT_EQ(eight.ColorAt(0, 1), 0x445566u);
  EXPECT_EQ(eight.ColorAt(1, 1), 0u);
}

TEST(PackedBitmap, WrittenBitmapsReadBackTheSame) {
  TDXBitmap bitmap;
  bitmap.Width = 3;
  bitmap.Height = 1;
  bitmap.BitCount = 8;
  bitmap.Palette = {0x000000, 0xABCDEF};
  bitmap.Pixels = std::string("\x01\x00\x01\x00", 4);
  const std::string packed = WritePackedBitmap(bitmap);
  ASSERT_EQ(packed.size(), 40u + 8 + 4);
  TDXBitmap read;
  ASSERT_TRUE(ReadPackedBitmap(packed, read));
  EXPECT_EQ(read.Palette, bitmap.Palette);
  EXPECT_EQ(read.Pixels, bitmap.Pixels);
  EXPECT_EQ(read.ColorAt(2, 0), 0xABCDEFu);
  bitmap.Pixels.pop_back();
  EXPECT_EQ(WritePackedBitmap(bitmap), "");
}

TEST(PackedBitmap, RefusesWhatIsNotAnUncompressedBitmapAndLeavesTheTargetAlone) {
  const std::string pixels(16, '\0');
  TDXBitmap target;
  target.Width = 77;
  EXPECT_FALSE(ReadPackedBitmap("short", target));
  EXPECT_FALSE(ReadPackedBitmap(Packed(24, 2, pixels.substr(0, 15)), target));  // cut short
  EXPECT_FALSE(ReadPackedBitmap(Packed(16, 2, pixels), target));                // bit count
  EXPECT_FALSE(ReadPackedBitmap(Packed(24, 0, pixels), target));                // no rows
  std::string compressed = Packed(24, 2, pixels);
  Put<std::uint32_t>(compressed, 16, 1);
  EXPECT_FALSE(ReadPackedBitmap(compressed, target));
  std::string huge = Packed(24, 2, pixels);
  Put<std::int32_t>(huge, 4, 0x7FFFFFFF);
  EXPECT_FALSE(ReadPackedBitmap(huge, target));
  std::string header = Packed(24, 2, pixels);
  Put<std::uint32_t>(header, 0, 0xFFFFFFF0);
  EXPECT_FALSE(ReadPackedBitmap(header, target));
  EXPECT_FALSE(ReadPackedBitmap(Packed(8, 2, pixels, 300), target));  // palette too large
  EXPECT_EQ(target.Width, 77);
}

}  // namespace
