// The word-at-a-time reads and copies that the readers use for bytes of their input window.
#include <gtest/gtest.h>

#include <string>

#include "XmlDom/XmlBytes.h"

using namespace xmldom;

namespace {

// Bytes that differ from place to place, so a byte copied from the wrong place shows.
std::string Pattern(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = char(0x21 + (i * 37) % 200);
  return bytes;
}

TEST(ByteWords, AWordReadAheadKeepsOnlyItsOwnBytes) {
  const std::string source = Pattern(16);
  for (std::size_t n = 0; n <= 8; ++n) {
    std::uint64_t expected = 0;
    for (std::size_t i = 0; i < n; ++i)
      expected |= std::uint64_t(static_cast<unsigned char>(source[i])) << (8 * i);
    EXPECT_EQ(LoadWordAhead(source.data(), n), expected) << n;
  }
}

// Every size around the 16-byte moves and the rounding to 8, and past the four moves: the
// piece gets exactly the bytes up to the size, bytes read ahead only up to its rounding, and
// nothing past that is written.
TEST(ByteWords, ACopyAheadFillsItsRoundedPieceAndNothingPast) {
  for (std::size_t n = 9; n <= 90; ++n) {
    const std::string source = Pattern(n + kReadAhead);
    const std::size_t rounded = (n + 7) & ~std::size_t(7);
    std::string piece(rounded + 32, '~');
    CopyBytesAhead(piece.data(), source.data(), n);
    EXPECT_EQ(piece.substr(0, n), source.substr(0, n)) << n;
    EXPECT_EQ(piece.substr(rounded), std::string(32, '~')) << n;
  }
}

TEST(ByteWords, BytesReadAheadOnlyWithRoomPastThem) {
  const std::string window = Pattern(32);
  const char* end = window.data() + window.size();
  EXPECT_TRUE(ReadsAhead(std::string_view(window.data(), 24), end));
  EXPECT_FALSE(ReadsAhead(std::string_view(window.data(), 25), end));
  EXPECT_FALSE(ReadsAhead(std::string_view(window.data() + 30, 2), end));
}

}  // namespace
