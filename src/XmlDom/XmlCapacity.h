#pragma once

// The stepped growth of child lists and attribute arrays: by 4 up to a capacity of 8, by 16 up
// to 64, then by a quarter. Appending one at a time from empty gives 4, 8, 12, 28, 44, 60, 76,
// 95, 118, 147, so appending n items costs amortised constant time.

namespace xmldom {

inline int NextXmlCapacity(int capacity) {
  if (capacity > 64) return capacity + capacity / 4;
  if (capacity > 8) return capacity + 16;
  return capacity + 4;
}

}  // namespace xmldom
