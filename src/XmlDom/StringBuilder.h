#pragma once

// TStringBuilder collects output text with proportional growth instead of repeated string
// concatenation: when an addition does not fit, the storage grows to the needed length plus a
// quarter of it (plus 16 up to 64 characters, plus 4 up to 8). The storage is reallocated in
// place where the allocator can, so large outputs are not copied at every step. Past
// kLargeText the storage doubles instead: allocators that cannot grow a block in place copy
// it, and the XML of a deeply nested document runs to megabytes.

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace xmldom {

class TStringBuilder {
 public:
  // Needed lengths above this double the storage.
  static constexpr std::size_t kLargeText = 0x10000;

  TStringBuilder() = default;
  TStringBuilder(const TStringBuilder&) = delete;
  TStringBuilder& operator=(const TStringBuilder&) = delete;
  ~TStringBuilder();

  // Empty storage, length 0.
  void Init() noexcept;

  // Appends text; an empty text does nothing.
  void Add(std::string_view text) {
    if (text.empty()) return;
    if (length_ + text.size() > capacity_) Grow(length_ + text.size());
    std::memcpy(storage_ + length_, text.data(), text.size());
    length_ += text.size();
  }
  void Add(char c) {
    if (length_ == capacity_) Grow(length_ + 1);
    storage_[length_++] = c;
  }
  // Appends count copies of c.
  void AddRepeated(char c, std::size_t count);

  // A copy of the characters in use.
  std::string GetText() const { return std::string(View()); }

  std::size_t Length() const noexcept { return length_; }
  std::size_t Capacity() const noexcept { return capacity_; }
  std::string_view View() const noexcept { return {storage_, length_}; }
  // Overwrites a character already in use.
  void SetAt(std::size_t position, char c) noexcept { storage_[position] = c; }

 private:
  void Grow(std::size_t needed);

  char* storage_ = nullptr;
  std::size_t length_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace xmldom
