#include "XmlDom/StringBuilder.h"

#include <cstdlib>
#include <new>

namespace xmldom {

TStringBuilder::~TStringBuilder() {
  std::free(storage_);
}

void TStringBuilder::Init() noexcept {
  std::free(storage_);
  storage_ = nullptr;
  length_ = capacity_ = 0;
}

void TStringBuilder::AddRepeated(char c, std::size_t count) {
  if (count == 0) return;
  if (length_ + count > capacity_) Grow(length_ + count);
  std::memset(storage_ + length_, c, count);
  length_ += count;
}

void TStringBuilder::Grow(std::size_t needed) {
  std::size_t capacity = needed + 4;
  if (needed > kLargeText)
    capacity = needed * 2;
  else if (needed > 64)
    capacity = needed + needed / 4;
  else if (needed > 8)
    capacity = needed + 16;
  void* storage = std::realloc(storage_, capacity);
  if (!storage) throw std::bad_alloc();
  storage_ = static_cast<char*>(storage);
  capacity_ = capacity;
}

}  // namespace xmldom
