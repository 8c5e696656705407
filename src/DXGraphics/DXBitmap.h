#pragma once

// TDXBitmap: a device-independent bitmap, as member images and registration icons hold them: a
// packed bitmap (the 40-byte information header, the colour table, the pixel rows), without
// the header of a bitmap file.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TDXBitmap {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  std::uint16_t BitCount = 24;         // 1, 4, 8, 24 or 32
  std::vector<std::uint32_t> Palette;  // 0x00RRGGBB, for bit counts up to 8
  // The rows bottom-up, each padded to a multiple of 4 bytes.
  std::string Pixels;

  // Bytes of one padded row.
  std::size_t Stride() const;
  // The colour (0x00RRGGBB) at column x of row y, counted from the top.
  std::uint32_t ColorAt(std::int32_t x, std::int32_t y) const;
};

// Reads an uncompressed packed bitmap; false (bitmap untouched) for anything else, a short or
// inconsistent one included. Rows stored top-down come out bottom-up.
bool ReadPackedBitmap(std::string_view bytes, TDXBitmap& bitmap);
// The packed form of a bitmap whose pixels fill its rows; empty when they do not.
std::string WritePackedBitmap(const TDXBitmap& bitmap);
