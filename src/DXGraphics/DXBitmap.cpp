#include "DXGraphics/DXBitmap.h"

#include <cstring>

namespace {

constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::uint32_t kUncompressed = 0;
// Larger images are not member media.
constexpr std::int32_t kMaxSide = 32768;

template <class T>
T Read(std::string_view bytes, std::size_t at) {
  T value;
  std::memcpy(&value, bytes.data() + at, sizeof value);
  return value;
}

template <class T>
void Append(std::string& out, T value) {
  out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

bool KnownBitCount(std::uint16_t bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32;
}

std::size_t StrideOf(std::int32_t width, std::uint16_t bits) {
  return (std::size_t(width) * bits + 31) / 32 * 4;
}

}  // namespace

std::size_t TDXBitmap::Stride() const {
  return StrideOf(Width, BitCount);
}

std::uint32_t TDXBitmap::ColorAt(std::int32_t x, std::int32_t y) const {
  if (x < 0 || y < 0 || x >= Width || y >= Height || Pixels.size() < Stride() * Height) return 0;
  const auto* row =
      reinterpret_cast<const unsigned char*>(Pixels.data()) + Stride() * (Height - 1 - y);
  if (BitCount >= 24) {
    const unsigned char* pixel = row + std::size_t(x) * (BitCount / 8);
    return std::uint32_t(pixel[2]) << 16 | std::uint32_t(pixel[1]) << 8 | pixel[0];
  }
  const std::size_t bit = std::size_t(x) * BitCount;
  const unsigned index = (row[bit / 8] >> (8 - BitCount - bit % 8)) & ((1u << BitCount) - 1);
  return index < Palette.size() ? Palette[index] : 0;
}

bool ReadPackedBitmap(std::string_view bytes, TDXBitmap& bitmap) {
  if (bytes.size() < kInfoHeaderSize) return false;
  const auto headerSize = Read<std::uint32_t>(bytes, 0);
  const auto width = Read<std::int32_t>(bytes, 4);
  const auto height = Read<std::int32_t>(bytes, 8);
  const auto bits = Read<std::uint16_t>(bytes, 14);
  const auto compression = Read<std::uint32_t>(bytes, 16);
  auto colors = Read<std::uint32_t>(bytes, 32);
  if (headerSize < kInfoHeaderSize || headerSize > bytes.size() || !KnownBitCount(bits) ||
      compression != kUncompressed || width <= 0 || width > kMaxSide || height == 0 ||
      height < -kMaxSide || height > kMaxSide)
    return false;
  if (bits <= 8 && colors == 0) colors = 1u << bits;
  if (bits > 8) colors = 0;
  if (colors > 256u) return false;
  const std::size_t rows = std::size_t(height < 0 ? -height : height);
  const std::size_t stride = StrideOf(width, bits);
  const std::size_t pixelsAt = headerSize + colors * 4;
  if (pixelsAt > bytes.size() || bytes.size() - pixelsAt < stride * rows) return false;

  TDXBitmap read;
  read.Width = width;
  read.Height = std::int32_t(rows);
  read.BitCount = bits;
  for (std::uint32_t i = 0; i < colors; ++i)
    read.Palette.push_back(Read<std::uint32_t>(bytes, headerSize + i * 4) & 0x00FFFFFF);
  read.Pixels.reserve(stride * rows);
  for (std::size_t r = 0; r < rows; ++r) {
    const std::size_t source = height < 0 ? rows - 1 - r : r;
    read.Pixels.append(bytes.substr(pixelsAt + source * stride, stride));
  }
  bitmap = std::move(read);
  return true;
}

std::string WritePackedBitmap(const TDXBitmap& bitmap) {
  if (bitmap.Width <= 0 || bitmap.Height <= 0 || !KnownBitCount(bitmap.BitCount) ||
      bitmap.Pixels.size() != bitmap.Stride() * std::size_t(bitmap.Height) ||
      bitmap.Palette.size() > 256 || (bitmap.BitCount > 8 && !bitmap.Palette.empty()))
    return {};
  std::string out;
  out.reserve(kInfoHeaderSize + bitmap.Palette.size() * 4 + bitmap.Pixels.size());
  Append<std::uint32_t>(out, kInfoHeaderSize);
  Append<std::int32_t>(out, bitmap.Width);
  Append<std::int32_t>(out, bitmap.Height);
  Append<std::uint16_t>(out, 1);  // planes
  Append<std::uint16_t>(out, bitmap.BitCount);
  Append<std::uint32_t>(out, kUncompressed);
  Append<std::uint32_t>(out, std::uint32_t(bitmap.Pixels.size()));
  Append<std::int32_t>(out, 2835);  // 72 dots per inch
  Append<std::int32_t>(out, 2835);
  Append<std::uint32_t>(out, std::uint32_t(bitmap.Palette.size()));
  Append<std::uint32_t>(out, 0);  // every colour is important
  for (std::uint32_t color : bitmap.Palette) Append<std::uint32_t>(out, color & 0x00FFFFFF);
  out += bitmap.Pixels;
  return out;
}
