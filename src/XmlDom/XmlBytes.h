#pragma once

// Machine words read from, and written to, bytes at any alignment. The scans, keys and copies
// of short names and values work a word at a time.

#include <cstring>

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

}  // namespace xmldom
