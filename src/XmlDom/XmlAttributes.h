#pragma once

// The attributes of a node: (name id, value) records in the order in which each name was first
// set. A name occurs at most once; setting it again replaces the value in place. The records
// live in one piece of the node's store, made on first use and grown by the stepped rule of
// XmlCapacity.h; their values are placed in the same store. Every operation that may allocate
// or free is given that store, and the owner gives everything back with Release.

#include <cassert>
#include <cstdint>
#include <cstring>
#include <new>
#include <utility>

#include "XmlDom/XmlNodeStore.h"
#include "XmlDom/XmlPlacedValue.h"
#include "XmlDom/XmlValue.h"

namespace xmldom {

struct TXmlAttrData {
  std::int32_t NameId;
  TXmlPlacedValue Value;
};

class TXmlAttrArray {
 public:
  TXmlAttrArray() = default;
  TXmlAttrArray(const TXmlAttrArray&) = delete;
  TXmlAttrArray& operator=(const TXmlAttrArray&) = delete;

  int Count() const noexcept { return block_ ? block_->Count : 0; }
  int Capacity() const noexcept { return block_ ? block_->Capacity : 0; }
  const TXmlAttrData& operator[](int index) const noexcept { return Items()[index]; }
  const TXmlAttrData* begin() const noexcept { return Items(); }
  const TXmlAttrData* end() const noexcept { return Items() + Count(); }

  // The record with that name id, or null.
  const TXmlAttrData* Find(int nameId) const noexcept;

  // Replaces the value of nameId, or appends a record for it.
  void Set(TXmlNodeStore& store, int nameId, const XmlValue& value);
  // Appends without looking for nameId first (for readers that know the names are distinct).
  void Append(TXmlNodeStore& store, int nameId, const XmlValue& value);
  // Appends a value already placed in store; the array takes it over.
  void AppendPlaced(TXmlNodeStore& store, int nameId, TXmlPlacedValue&& placed) {
    if (Count() == Capacity()) Grow(store);
    new (Items() + block_->Count) TXmlAttrData{nameId, std::move(placed)};
    ++block_->Count;
  }
  // The same when the array has room for the record (readers that sized it), the value
  // placed by readValue right where the record goes.
  template <class ReadValue>
  void AppendPlacedToRoom(int nameId, ReadValue&& readValue) {
    assert(block_ && block_->Count < block_->Capacity);
    new (RecordsOf(block_) + block_->Count) TXmlAttrData{nameId, readValue()};
    ++block_->Count;
  }
  // True when a record was removed; the later records move down one place.
  bool Remove(TXmlNodeStore& store, int nameId);
  // Count 0; the capacity stays.
  void Clear(TXmlNodeStore& store) noexcept;
  // Replaces the records by copies of other's.
  void CopyFrom(TXmlNodeStore& store, const TXmlAttrArray& other);
  // Takes over records whose values are placed in store, in an array of exactly their number;
  // the array must be empty. The records are copied as they stand, so the caller's copies must
  // not be unplaced afterwards (destroying them is harmless: placed values own nothing).
  void AdoptPlaced(TXmlNodeStore& store, const TXmlAttrData* records, int count) {
    if (count == 0) return;
    if (block_) {
      AdoptIntoUsed(store, records, count);
      return;
    }
    block_ = NewBlock(store, count);
    CopyRecords(records, count);
  }
  // Count 0 and capacity exactly n (readers size the array to the number they will append).
  void ResetWithCapacity(TXmlNodeStore& store, int capacity) {
    if (block_) {
      ResetUsed(store, capacity);
    } else if (capacity != 0) {
      block_ = NewBlock(store, capacity);
    }
  }
  // An array never used takes a piece of its store of BytesFor(capacity) bytes, count 0 (a
  // reader that made the piece with the node).
  void AdoptEmptyPiece(void* piece, int capacity) noexcept {
    assert(!block_ && capacity > 0);
    block_ = static_cast<TBlock*>(piece);
    block_->Count = 0;
    block_->Capacity = capacity;
  }
  // The bytes of an array with room for capacity records.
  static std::size_t BytesFor(int capacity) noexcept {
    return kHeaderBytes + sizeof(TXmlAttrData) * std::size_t(capacity);
  }
  // Gives every record and the array back to store.
  void Release(TXmlNodeStore& store) noexcept;

  // Rewrites every name id through map (moving a subtree onto another name table).
  template <class Map>
  void RenameAll(const Map& map) {
    TXmlAttrData* items = Items();
    for (int i = 0; i < Count(); ++i) items[i].NameId = map(items[i].NameId);
  }

 private:
  struct TBlock {
    std::int32_t Count;
    std::int32_t Capacity;
  };
  static constexpr std::size_t kHeaderBytes = sizeof(XmlValue) / 2;
  static_assert(sizeof(TBlock) <= kHeaderBytes);

  static TXmlAttrData* RecordsOf(TBlock* block) noexcept {
    return reinterpret_cast<TXmlAttrData*>(reinterpret_cast<char*>(block) + kHeaderBytes);
  }
  TXmlAttrData* Items() const noexcept { return block_ ? RecordsOf(block_) : nullptr; }
  // An empty block with room for capacity records.
  static TBlock* NewBlock(TXmlNodeStore& store, int capacity) {
    auto* block = static_cast<TBlock*>(store.Allocate(BytesFor(capacity)));
    block->Count = 0;
    block->Capacity = capacity;
    return block;
  }
  void Reallocate(TXmlNodeStore& store, int capacity);
  void AdoptIntoUsed(TXmlNodeStore& store, const TXmlAttrData* records, int count);
  // Sets the count and copies the records as they stand into the block.
  void CopyRecords(const TXmlAttrData* records, int count) noexcept {
    block_->Count = count;
    TXmlAttrData* items = RecordsOf(block_);
    // Tags mostly have one or two attributes: copied record by record, with no call.
    if (count <= 2) {
      std::memcpy(static_cast<void*>(items), records, sizeof(TXmlAttrData));
      if (count == 2) std::memcpy(static_cast<void*>(items + 1), records + 1, sizeof(TXmlAttrData));
    } else {
      std::memcpy(static_cast<void*>(items), records, sizeof(TXmlAttrData) * std::size_t(count));
    }
  }
  void ResetUsed(TXmlNodeStore& store, int capacity);
  void MakeRoom(TXmlNodeStore& store) {
    if (Count() == Capacity()) Grow(store);
  }
  void Grow(TXmlNodeStore& store);

  TBlock* block_ = nullptr;
};

}  // namespace xmldom
