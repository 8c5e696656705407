#pragma once

// Where a node keeps its children, and the view the library's own walks read them through.
//
// Most elements of a loaded document hold a single child, their text. The readers link such a
// child straight from its parent, and the child list that would hold it alone is made only when
// someone asks for the list itself. That saves a list and its item array per such element, a
// good part of the bytes a load touches. TXmlChildSlot owns that choice of two forms: every
// step that reads or changes it is one of its own, so that no other code tests the form.
//
// The slot links what it holds (a link of the node's own store, XmlNodeStore.h); an only child
// has the slot's owner as parent, as the items of a made list have.

#include <cassert>
#include <cstdint>

#include "XmlDom/XmlNodeList.h"

namespace xmldom {

// The children as they are, for reading: the items of a made list, or the only child. A view
// stays valid while the node keeps its children unchanged; copies of it read the same items.
class TXmlChildren {
 public:
  TXmlChildren() noexcept = default;
  TXmlChildren(TXmlNode* const* items, int count) noexcept
      : items_(items), count_(count), exists_(true) {}

  // Whether the node has children in either form, or an empty child list.
  bool Exists() const noexcept { return exists_; }
  int Count() const noexcept { return count_; }
  TXmlNode* Item(int index) const noexcept { return items_[index]; }
  TXmlNode* const* begin() const noexcept { return items_; }
  TXmlNode* const* end() const noexcept { return items_ + count_; }
  // The place of that node among the children, or -1.
  int IndexOf(const TXmlNode* node) const noexcept {
    for (int i = 0; i < count_; ++i)
      if (items_[i] == node) return i;
    return -1;
  }

 private:
  TXmlNode* const* items_ = nullptr;
  int count_ = 0;
  bool exists_ = false;
};

class TXmlChildSlot {
 public:
  TXmlChildSlot() noexcept = default;
  TXmlChildSlot(const TXmlChildSlot&) = delete;
  TXmlChildSlot& operator=(const TXmlChildSlot&) = delete;

  // ---- Reading; never changes the form.
  TXmlChildren View() const noexcept;
  // Neither an only child nor a list, not even an empty one.
  bool Empty() const noexcept { return link_ == nullptr; }
  bool HoldsOnlyChild() const noexcept { return link_ && !(Bits() & kListTag); }
  // The list, when it has been made; null for an only child or none.
  TXmlNodeList* MadeList() const noexcept {
    return Bits() & kListTag ? reinterpret_cast<TXmlNodeList*>(Bits() & ~kListTag) : nullptr;
  }

  // ---- The steps that change it.
  // An empty slot takes a child whose link (to the slot) the caller made, with the owner as its
  // parent already.
  void AdoptOnlyChild(TXmlNode& child) noexcept {
    assert(Empty());
    link_ = &child;
  }
  // An empty slot takes a list made for the owner, and links it.
  void AdoptList(TXmlNodeList& list) noexcept;
  // The list, made when the slot holds none: empty with room for capacity items, or holding
  // the only child, whose link passes to it; made in store, the owner's child store.
  TXmlNodeList& MakeList(TXmlNode& owner, TXmlNodeStore& store, int capacity);
  // The same for a slot known to be empty, inline: readers make one for most nodes they read.
  // A reader counts the lists it makes in readLists and tells the store once (TXmlReadNodes);
  // without readLists the store counts the list at once.
  TXmlNodeList& MakeEmptyList(TXmlNode& owner, TXmlNodeStore& store, int capacity,
                              long* readLists = nullptr) {
    assert(Empty() && capacity > 0);
    const std::size_t itemBytes = sizeof(TXmlNode*) * std::size_t(capacity);
    TXmlNodeList* list;
    if (TXmlNodeStore::FitsWithObject(sizeof(TXmlNodeList), itemBytes)) {
      char* pieceBytes;
      if (readLists) {
        void* memory =
            store.AllocateReadObjectWithBytes(sizeof(TXmlNodeList), itemBytes, pieceBytes);
        auto** items = reinterpret_cast<TXmlNode**>(pieceBytes);
        list = store.MakeIn<TXmlNodeList>(memory, &owner, items, capacity,
                                          TXmlNodeList::TCountedByReader{});
        ++*readLists;
      } else {
        void* memory = store.AllocateObjectWithBytes(sizeof(TXmlNodeList), itemBytes, pieceBytes);
        auto** items = reinterpret_cast<TXmlNode**>(pieceBytes);
        list = store.MakeIn<TXmlNodeList>(memory, &owner, items, capacity);
      }
    } else {
      list = store.New<TXmlNodeList>(&owner, capacity);
    }
    AdoptList(*list);
    return *list;
  }
  // Lets go of what the slot holds, as the owner goes or forgets its children: an only child
  // loses its parent, and a list that someone else holds lives on without its owner.
  void Release(const TXmlNode& owner) noexcept;
  // Forgets what went with its store, unvisited.
  void Forget() noexcept { link_ = nullptr; }

 private:
  // A made list is linked with its low bit set; an only child is linked as it is, so that the
  // slot itself is the one-item array a view of it reads.
  static constexpr std::uintptr_t kListTag = 1;
  std::uintptr_t Bits() const noexcept { return reinterpret_cast<std::uintptr_t>(link_); }

  TXmlNode* link_ = nullptr;
};

inline TXmlChildren TXmlChildSlot::View() const noexcept {
  if (TXmlNodeList* list = MadeList()) return TXmlChildren(list->begin(), list->Count());
  if (link_) return TXmlChildren(&link_, 1);
  return {};
}

inline void TXmlChildSlot::AdoptList(TXmlNodeList& list) noexcept {
  assert(Empty());
  list.AddLink();
  link_ = reinterpret_cast<TXmlNode*>(reinterpret_cast<std::uintptr_t>(&list) | kListTag);
}

}  // namespace xmldom
