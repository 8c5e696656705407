#include "XmlDom/XmlAttributes.h"

#include <cstring>
#include <new>
#include <utility>

#include "XmlDom/XmlCapacity.h"
#include "XmlDom/XmlPlacedValue.h"

namespace xmldom {

const TXmlAttrData* TXmlAttrArray::Find(int nameId) const noexcept {
  for (const TXmlAttrData& record : *this)
    if (record.NameId == nameId) return &record;
  return nullptr;
}

void TXmlAttrArray::Set(TXmlNodeStore& store, int nameId, const XmlValue& value) {
  TXmlAttrData* items = Items();
  for (int i = 0; i < Count(); ++i)
    if (items[i].NameId == nameId) return ReplacePlacedValue(store, items[i].Value, value);
  Append(store, nameId, value);
}

void TXmlAttrArray::Append(TXmlNodeStore& store, int nameId, const XmlValue& value) {
  MakeRoom(store);
  AppendPlaced(store, nameId, PlaceValue(store, value));
}

void TXmlAttrArray::Grow(TXmlNodeStore& store) {
  Reallocate(store, NextXmlCapacity(Capacity()));
}

bool TXmlAttrArray::Remove(TXmlNodeStore& store, int nameId) {
  TXmlAttrData* items = Items();
  const int count = Count();
  int index = 0;
  while (index < count && items[index].NameId != nameId) ++index;
  if (index == count) return false;
  UnplaceValue(store, items[index].Value);
  // Records are moved as they are: the values stay placed in the same store.
  std::memmove(static_cast<void*>(items + index), items + index + 1,
               sizeof(TXmlAttrData) * std::size_t(count - index - 1));
  --block_->Count;
  return true;
}

void TXmlAttrArray::Clear(TXmlNodeStore& store) noexcept {
  TXmlAttrData* items = Items();
  for (int i = 0; i < Count(); ++i) UnplaceValue(store, items[i].Value);
  if (block_) block_->Count = 0;
}

void TXmlAttrArray::CopyFrom(TXmlNodeStore& store, const TXmlAttrArray& other) {
  if (&other == this) return;
  Clear(store);
  for (const TXmlAttrData& record : other) Append(store, record.NameId, record.Value);
}

void TXmlAttrArray::ResetUsed(TXmlNodeStore& store, int capacity) {
  Clear(store);
  if (capacity != Capacity()) Reallocate(store, capacity);
}

void TXmlAttrArray::AdoptIntoUsed(TXmlNodeStore& store, const TXmlAttrData* records, int count) {
  if (Capacity() != count) {
    Release(store);
    block_ = NewBlock(store, count);
  }
  CopyRecords(records, count);
}

void TXmlAttrArray::Release(TXmlNodeStore& store) noexcept {
  Clear(store);
  if (block_) store.Free(block_, BytesFor(block_->Capacity));
  block_ = nullptr;
}

// Moves the records into a piece of exactly capacity records (never fewer than the count).
void TXmlAttrArray::Reallocate(TXmlNodeStore& store, int capacity) {
  const int count = Count();
  if (capacity < count) capacity = count;
  if (capacity == 0) {
    Release(store);
    return;
  }
  TBlock* block = NewBlock(store, capacity);
  block->Count = count;
  if (block_) {
    std::memcpy(static_cast<void*>(RecordsOf(block)), Items(),
                sizeof(TXmlAttrData) * std::size_t(count));
    store.Free(block_, BytesFor(block_->Capacity));
  }
  block_ = block;
}

}  // namespace xmldom
