#pragma once

// The attribute names that each tag name had the last time it was read from this input, in
// their order. Documents write the tags of one name with the same attributes in the same order,
// so the reader first tries the names remembered here: a name checked against the expected
// bytes needs no scan for its end and no lookup, and a tag whose names all come as remembered
// cannot repeat one, since the names remembered for a tag are distinct.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "XmlDom/XmlAttributes.h"

namespace xmldom {

class TXmlNameTable;

// The ids of the first names of a tag's attributes, in order.
struct TXmlTagAttributeNames {
  // Names past this many in a tag are read without a guess.
  static constexpr int kRemembered = 8;

  std::int32_t Count = 0;
  std::array<std::int32_t, kRemembered> Ids{};
};

class TXmlAttributeOrder {
 public:
  using TOrder = TXmlTagAttributeNames;

  // The names remembered for tags of name tagId of table; none for a table met for the first
  // time, whose ids mean other names.
  const TOrder& Of(const TXmlNameTable& table, int tagId) noexcept {
    if (&table != table_) {
      orders_.clear();
      table_ = &table;
    }
    const auto slot = std::size_t(tagId);
    return tagId >= 0 && slot < orders_.size() ? orders_[slot] : kNone;
  }
  // Remembers the names of a tag's attribute records (distinct ids, in order).
  void Remember(int tagId, const TXmlAttrData* records, std::size_t count) {
    if (tagId < 0) return;
    const auto slot = std::size_t(tagId);
    if (slot >= orders_.size()) orders_.resize(slot + 1);
    TOrder& order = orders_[slot];
    order.Count = std::int32_t(std::min<std::size_t>(count, TOrder::kRemembered));
    for (std::int32_t i = 0; i < order.Count; ++i) order.Ids[std::size_t(i)] = records[i].NameId;
  }

 private:
  static constexpr TOrder kNone{};

  const TXmlNameTable* table_ = nullptr;
  std::vector<TOrder> orders_;
};

}  // namespace xmldom
