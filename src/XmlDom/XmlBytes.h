#pragma once

// Machine words read from, and written to, bytes at any alignment. The scans, keys and copies
// of short names and values work a word at a time.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace xmldom {

template <class T>
T LoadBytes(const char* p) noexcept {
  T value;
  std::memcpy(&value, p, sizeof value);
  return value;
}

template <class T>
void StoreBytes(char* p, T value) noexcept {
  std::memcpy(p, &value, sizeof value);
}

// Copies n bytes between places that do not overlap. Most values and runs are short: copied
// a word or two at a time, the words overlapping in the middle, they take no call and no
// branching on the size inside one.
inline void CopyShortBytes(char* to, const char* from, std::size_t n) noexcept {
  using W8 = std::uint64_t;
  using W4 = std::uint32_t;
  if (n >= 8 && n <= 16) {
    StoreBytes(to, LoadBytes<W8>(from));
    StoreBytes(to + n - 8, LoadBytes<W8>(from + n - 8));
  } else if (n > 16 && n <= 32) {
    StoreBytes(to, LoadBytes<W8>(from));
    StoreBytes(to + 8, LoadBytes<W8>(from + 8));
    StoreBytes(to + n - 16, LoadBytes<W8>(from + n - 16));
    StoreBytes(to + n - 8, LoadBytes<W8>(from + n - 8));
  } else if (n >= 4 && n < 8) {
    StoreBytes(to, LoadBytes<W4>(from));
    StoreBytes(to + n - 4, LoadBytes<W4>(from + n - 4));
  } else if (n < 4) {
    for (std::size_t i = 0; i < n; ++i) to[i] = from[i];
  } else {
    std::memcpy(to, from, n);
  }
}

// Bytes that a reader takes from its input window are most often followed by more of the
// window: when at least kReadAhead bytes past them may be read, short ones are read and copied
// in whole words whose number and places follow from the size by arithmetic. A size that
// changes from one value to the next then costs no mispredicted branch, which the size tests
// of CopyShortBytes and the value's own short-bytes word do cost.
inline constexpr std::size_t kReadAhead = 8;

// Whether kReadAhead bytes may be read past bytes, which end at or before readableEnd (the
// comparison is signed, so an end given short never reads ahead).
inline bool ReadsAhead(std::string_view bytes, const char* readableEnd) noexcept {
  return readableEnd - (bytes.data() + bytes.size()) >= std::ptrdiff_t(kReadAhead);
}

// The n bytes (up to 8) at from as the little-endian word they make, the rest zero; 8 bytes
// from from may be read (n of them and, when n < 8, some read ahead).
inline std::uint64_t LoadWordAhead(const char* from, std::size_t n) noexcept {
  static_assert(std::endian::native == std::endian::little, "words are read little-endian");
  const std::uint64_t keep = n >= 8 ? ~std::uint64_t(0) : (std::uint64_t(1) << (8 * n)) - 1;
  return LoadBytes<std::uint64_t>(from) & keep;
}

// Copies n bytes (more than 8) at from, past which kReadAhead bytes may be read, into a piece
// of n bytes rounded up to 8. Up to 64 bytes take four moves of 16 at places that cover the
// rounded size; the moves past n copy bytes read ahead into the piece's rounding.
inline void CopyBytesAhead(char* to, const char* from, std::size_t n) noexcept {
  if (n > 64) {
    std::memcpy(to, from, n);
    return;
  }
  const std::size_t rounded = (n + 7) & ~std::size_t(7);  // 16 to 64
  const auto move16 = [to, from](std::size_t at) {
    StoreBytes(to + at, LoadBytes<std::uint64_t>(from + at));
    StoreBytes(to + at + 8, LoadBytes<std::uint64_t>(from + at + 8));
  };
  move16(0);
  move16(rounded >= 32 ? 16 : rounded - 16);
  move16(rounded >= 32 ? rounded - 32 : 0);
  move16(rounded - 16);
}

// Whether the size() bytes at p are text's. Names and markup are short, so short texts are
// compared a word or two at a time, the words overlapping in the middle, without a call.
inline bool SameBytes(const char* p, std::string_view text) noexcept {
  const std::size_t n = text.size();
  const char* t = text.data();
  using W8 = std::uint64_t;
  using W4 = std::uint32_t;
  using W2 = std::uint16_t;
  if (n >= 8 && n <= 16)
    return LoadBytes<W8>(p) == LoadBytes<W8>(t) &&
           LoadBytes<W8>(p + n - 8) == LoadBytes<W8>(t + n - 8);
  if (n >= 4 && n < 8)
    return LoadBytes<W4>(p) == LoadBytes<W4>(t) &&
           LoadBytes<W4>(p + n - 4) == LoadBytes<W4>(t + n - 4);
  if (n >= 2 && n < 4)
    return LoadBytes<W2>(p) == LoadBytes<W2>(t) &&
           LoadBytes<W2>(p + n - 2) == LoadBytes<W2>(t + n - 2);
  if (n == 1) return *p == *t;
  return std::memcmp(p, t, n) == 0;
}

}  // namespace xmldom
