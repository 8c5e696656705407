#include "XmlDom/XmlAttributes.h"

#include <new>
#include <utility>

#include "XmlDom/XmlCapacity.h"
#include "XmlDom/XmlMemory.h"

namespace xmldom {

TXmlAttrArray::TXmlAttrArray(const TXmlAttrArray& other) {
  if (other.count_ == 0) return;
  Reallocate(other.count_);
  try {
    for (const TXmlAttrData& record : other) {
      new (items_ + count_) TXmlAttrData{record.NameId, record.Value};
      ++count_;
    }
  } catch (...) {
    this->~TXmlAttrArray();
    throw;
  }
}

TXmlAttrArray::~TXmlAttrArray() {
  Clear();
  memory::Free(items_, sizeof(TXmlAttrData) * capacity_);
}

const TXmlAttrData* TXmlAttrArray::Find(int nameId) const noexcept {
  for (const TXmlAttrData& record : *this)
    if (record.NameId == nameId) return &record;
  return nullptr;
}

XmlValue* TXmlAttrArray::FindValue(int nameId) noexcept {
  for (int i = 0; i < count_; ++i)
    if (items_[i].NameId == nameId) return &items_[i].Value;
  return nullptr;
}

void TXmlAttrArray::Set(int nameId, XmlValue value) {
  if (XmlValue* existing = FindValue(nameId))
    *existing = std::move(value);
  else
    Append(nameId, std::move(value));
}

void TXmlAttrArray::Append(int nameId, XmlValue value) {
  if (count_ == capacity_) Reallocate(NextXmlCapacity(capacity_));
  new (items_ + count_) TXmlAttrData{nameId, std::move(value)};
  ++count_;
}

bool TXmlAttrArray::Remove(int nameId) {
  int index = 0;
  while (index < count_ && items_[index].NameId != nameId) ++index;
  if (index == count_) return false;
  for (int i = index; i + 1 < count_; ++i) items_[i] = std::move(items_[i + 1]);
  items_[--count_].~TXmlAttrData();
  return true;
}

void TXmlAttrArray::Clear() noexcept {
  while (count_ > 0) items_[--count_].~TXmlAttrData();
}

void TXmlAttrArray::CopyFrom(const TXmlAttrArray& other) {
  if (&other == this) return;
  Clear();
  for (const TXmlAttrData& record : other) Append(record.NameId, record.Value);
}

void TXmlAttrArray::ResetWithCapacity(int capacity) {
  Clear();
  if (capacity != capacity_) Reallocate(capacity);
}

// Moves the records into a block of exactly capacity records (never fewer than the count).
void TXmlAttrArray::Reallocate(int capacity) {
  auto* items = static_cast<TXmlAttrData*>(memory::Allocate(sizeof(TXmlAttrData) * capacity));
  for (int i = 0; i < count_; ++i) {
    new (items + i) TXmlAttrData{items_[i].NameId, std::move(items_[i].Value)};
    items_[i].~TXmlAttrData();
  }
  memory::Free(items_, sizeof(TXmlAttrData) * capacity_);
  items_ = items;
  capacity_ = capacity;
}

}  // namespace xmldom
