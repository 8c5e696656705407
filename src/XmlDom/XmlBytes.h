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
