#pragma once

// The attributes of a node: (name id, value) records in the order in which each name was first
// set. A name occurs at most once; setting it again replaces the value in place. The array is
// made on first use and grows by the stepped rule of XmlCapacity.h.

#include <cstdint>

#include "XmlDom/XmlValue.h"

namespace xmldom {

struct TXmlAttrData {
  std::int32_t NameId;
  XmlValue Value;
};

class TXmlAttrArray {
 public:
  TXmlAttrArray() = default;
  TXmlAttrArray(const TXmlAttrArray& other);
  TXmlAttrArray& operator=(const TXmlAttrArray&) = delete;
  ~TXmlAttrArray();

  int Count() const noexcept { return count_; }
  int Capacity() const noexcept { return capacity_; }
  const TXmlAttrData& operator[](int index) const noexcept { return items_[index]; }
  const TXmlAttrData* begin() const noexcept { return items_; }
  const TXmlAttrData* end() const noexcept { return items_ + count_; }

  // The record with that name id, or null.
  const TXmlAttrData* Find(int nameId) const noexcept;
  XmlValue* FindValue(int nameId) noexcept;

  // Replaces the value of nameId, or appends a record for it.
  void Set(int nameId, XmlValue value);
  // Appends without looking for nameId first (for readers that know the names are distinct).
  void Append(int nameId, XmlValue value);
  // True when a record was removed; the later records move down one place.
  bool Remove(int nameId);
  // Count 0; the capacity stays.
  void Clear() noexcept;
  // Replaces the records by copies of other's.
  void CopyFrom(const TXmlAttrArray& other);
  // Count 0 and capacity exactly n (binary XML sizes the array to the stored count).
  void ResetWithCapacity(int capacity);

  // Rewrites every name id through map (moving a subtree onto another name table).
  template <class Map>
  void RenameAll(const Map& map) {
    for (int i = 0; i < count_; ++i) items_[i].NameId = map(items_[i].NameId);
  }

 private:
  void Reallocate(int capacity);

  TXmlAttrData* items_ = nullptr;
  int count_ = 0;
  int capacity_ = 0;
};

}  // namespace xmldom
