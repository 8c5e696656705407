#include "XmlDom/StringBuilder.h"

#include <utility>

void TStringBuilder::AddRepeated(char c, std::size_t count) {
  if (count == 0) return;
  const std::size_t start = Reserve(count);
  storage_.replace(start, count, count, c);
}

std::string TStringBuilder::TakeText() {
  storage_.resize(length_);
  length_ = 0;
  return std::exchange(storage_, std::string());
}

// The storage grows to the needed length n plus a margin: a quarter of n above 64, 16 above 8,
// 4 below.
void TStringBuilder::Grow(std::size_t needed) {
  std::size_t capacity = needed + 4;
  if (needed > 64)
    capacity = needed + needed / 4;
  else if (needed > 8)
    capacity = needed + 16;
  storage_.resize(capacity);
}
