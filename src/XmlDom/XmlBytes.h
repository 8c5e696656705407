#pragma once

// Machine words read from, and written to, bytes at any alignment. The scans, keys and copies
// of short names and values work a word at a time.

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
