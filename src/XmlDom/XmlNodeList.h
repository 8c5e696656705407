#pragma once

// Node lists: the child list of a node (whose owner is that node) and the free-standing
// results of selection (no owner). A list holds a counted reference to every item: a link when
// the item lives in the list's own store, a hold otherwise (XmlNodeStore.h). Items of an owned
// list have the owner as parent, and are moved onto the owner's name table when they come from
// another. The item array is a piece of the list's store. Every change to the items of a child
// list is counted (XmlChildChanges.h), except the appends of the readers, which fill lists that
// nothing knows yet.

#include <cstring>
#include <functional>
#include <string>

#include "XmlDom/IXmlNodeList.h"
#include "XmlDom/XmlBase.h"
#include "XmlDom/XmlChildChanges.h"

namespace xmldom {

class IXmlNode;
class TXmlNode;
class TStringBuilder;

class TXmlNodeList final : public IXmlNodeList, public TXmlBase<TXmlNodeList> {
 public:
  void AddRef() const noexcept override { TXmlBase::AddRef(); }
  void Release() const noexcept override { TXmlBase::Release(); }

  // owner: the node whose children this list holds, or null for a free-standing list.
  explicit TXmlNodeList(TXmlStoreKey, TXmlNode* owner = nullptr) noexcept : owner_(owner) {
    Store().ListMade();
  }
  // With room for exactly capacity items (readers that know the count).
  TXmlNodeList(TXmlStoreKey, TXmlNode* owner, int capacity) : owner_(owner) {
    TXmlNodeStore& store = Store();
    items_ = static_cast<TXmlNode**>(store.Allocate(sizeof(TXmlNode*) * std::size_t(capacity)));
    capacity_ = capacity;
    store.ListMade();
  }
  // With room for exactly capacity items in items, a piece the store gave it.
  TXmlNodeList(TXmlStoreKey, TXmlNode* owner, TXmlNode** items, int capacity) noexcept
      : owner_(owner), items_(items), capacity_(capacity) {
    Store().ListMade();
  }
  // The same for a reader, which counts the lists it makes itself (TXmlReadNodes).
  struct TCountedByReader {};
  TXmlNodeList(TXmlStoreKey, TXmlNode* owner, TXmlNode** items, int capacity,
               TCountedByReader) noexcept
      : owner_(owner), items_(items), capacity_(capacity) {}
  ~TXmlNodeList();

  int GetCount() override { return count_; }
  Ref<IXmlNode> GetItem(int index) override;
  std::string GetXML() override;
  void SortItems(const TXmlNodeCompare& compare) override;
  int IndexOf(IXmlNode* node) override;
  void Add(IXmlNode* node) override { Insert(node, -1); }
  void Insert(IXmlNode* node, int index) override;
  int Remove(IXmlNode* node) override;
  void Delete(int index) override;
  void Clear() override { ClearItems(); }

  // ---- Direct access for the library's own code: no checks beyond those stated.
  TXmlNode* Owner() const noexcept { return owner_; }
  int Count() const noexcept { return count_; }
  int Capacity() const noexcept { return capacity_; }
  // index from 0 to Count() - 1.
  TXmlNode* Item(int index) const noexcept { return items_[index]; }
  TXmlNode* const* begin() const noexcept { return items_; }
  TXmlNode* const* end() const noexcept { return items_ + count_; }
  int IndexOfNode(const TXmlNode* node) const noexcept;

  // The insert step: index -1 (or Count()) appends. Takes a reference; in an owned list the
  // node's parent becomes the owner and its subtree moves onto the owner's name table. The
  // caller has checked the index and that the node does not contain the owner.
  void InsertNode(TXmlNode* node, int index);
  // Appending a node that has no children (the readers' path).
  void AppendNode(TXmlNode* node) { InsertNode(node, -1); }
  void RemoveAt(int index);
  // Puts node in place of the item at index (nothing when it is the same node).
  void ReplaceAt(int index, TXmlNode* node);
  // Removes every item in order; the capacity stays.
  void ClearItems() noexcept;
  // Sets the capacity to exactly capacity (not below the count); binary XML sizes lists to the
  // stored count.
  void SetCapacity(int capacity);
  // Appends nodes that have no parent and are referenced by nothing yet (readers that gathered
  // a level's items): the list links them, with itself as their parent when it has an owner.
  void AppendFresh(TXmlNode* const* nodes, int count);
  // Appends nodes that already have this list's owner as parent and are referenced only by the
  // link this list now takes over (the text reader links what it makes at once, while the node
  // is at hand), when the list has room for them.
  void AppendLinked(TXmlNode* const* nodes, int count) noexcept {
    if (count == 1)  // a text in an element, most often
      items_[count_] = nodes[0];
    else
      std::memcpy(static_cast<void*>(items_ + count_), nodes,
                  sizeof(TXmlNode*) * std::size_t(count));
    count_ += count;
  }
  // Appends a node just made in the list's own store, referenced by nothing yet, when the list
  // has room for it (readers that sized the list); the reader names the list's owner, which it
  // has at hand. Defined in XmlNode.h.
  void AppendMadeTo(TXmlNode& owner, TXmlNode* node) noexcept;
  // Called when the owner goes while the list lives on: the items lose their parent and the
  // list becomes free-standing, so it never reaches the destroyed owner.
  void DetachOwner() noexcept;
  // Each item's XML, in order.
  void WriteItems(TStringBuilder& out) const;
  // Raises the "not supported" error when inserting node would make it its own ancestor.
  void CheckInsertable(const TXmlNode& node) const;

  // Node lists alive in the process (tests).
  static long LiveCount() noexcept;

 private:
  void LinkItem(TXmlNode* node) noexcept;  // defined in XmlNode.h
  // A child list's items changed; the items of a selection are nobody's children.
  void NoteChange() const noexcept {
    if (owner_) TXmlChildChanges::Note();
  }
  void ReleaseRemoved(TXmlNode* node) noexcept;
  void CheckIndex(int index, int limit) const;

  TXmlNode* owner_;
  TXmlNode** items_ = nullptr;
  int count_ = 0;
  int capacity_ = 0;
};

}  // namespace xmldom
