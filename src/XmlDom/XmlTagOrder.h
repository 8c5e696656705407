#pragma once

// The start tag that followed each start tag the last time, by name: documents repeat their
// records, so the name after a tag is most often the one that came after it before. The reader
// checks the expected name's bytes where the next tag's name stands, which needs neither a scan
// for the name's end nor a lookup.

#include <cstddef>
#include <vector>

namespace xmldom {

class TXmlTagOrder {
 public:
  // The id of the name expected for the next start tag, or -1.
  int Expected() const noexcept { return expected_; }
  // A start tag of name id was read.
  void Started(int id) {
    if (id != expected_ && last_ >= 0) {
      if (std::size_t(last_) >= next_.size()) next_.resize(std::size_t(last_) + 1, -1);
      next_[std::size_t(last_)] = id;
    }
    last_ = id;
    expected_ = id >= 0 && std::size_t(id) < next_.size() ? next_[std::size_t(id)] : -1;
  }

 private:
  std::vector<int> next_;  // by name id: the name that followed it last, or -1
  int last_ = -1;
  int expected_ = -1;
};

}  // namespace xmldom
