#pragma once

// TStringBuilder collects output text with proportional growth instead of repeated string
// concatenation. The storage is a string whose length is the capacity; Length() characters of
// it are in use.

#include <cstddef>
#include <string>
#include <string_view>

class TStringBuilder {
 public:
  // Empty storage, length 0.
  void Init() noexcept {
    storage_.clear();
    length_ = 0;
  }

  // Appends text; an empty text does nothing.
  void Add(std::string_view text) {
    if (text.empty()) return;
    const std::size_t start = Reserve(text.size());
    text.copy(storage_.data() + start, text.size());
  }
  void Add(char c) {
    if (length_ == storage_.size()) Grow(length_ + 1);
    storage_[length_++] = c;
  }
  // Appends count copies of c.
  void AddRepeated(char c, std::size_t count);

  // A copy of the characters in use.
  std::string GetText() const { return storage_.substr(0, length_); }
  // The characters in use, taken out of the builder (which is then empty).
  std::string TakeText();

  std::size_t Length() const noexcept { return length_; }
  std::size_t Capacity() const noexcept { return storage_.size(); }
  std::string_view View() const noexcept { return {storage_.data(), length_}; }
  // Overwrites a character already in use.
  void SetAt(std::size_t position, char c) noexcept { storage_[position] = c; }

 private:
  // Makes room for count more characters; returns where they go and counts them as in use.
  std::size_t Reserve(std::size_t count) {
    const std::size_t start = length_;
    if (length_ + count > storage_.size()) Grow(length_ + count);
    length_ += count;
    return start;
  }
  void Grow(std::size_t needed);

  std::string storage_;
  std::size_t length_ = 0;
};
