#include "XmlDom/XmlNodeList.h"

#include <cstring>
#include <unordered_set>
#include <utility>
#include <vector>

#include "XmlDom/StringBuilder.h"
#include "XmlDom/XmlCapacity.h"
#include "XmlDom/XmlErrors.h"
#include "XmlDom/XmlNode.h"
#include "common/Error.h"
#include "common/Messages.h"

namespace xmldom {

namespace {

// Partition exchange around the item in the middle. The smaller part is sorted by recursion
// and the larger one by the loop, so the stack stays logarithmic; scans stop at the range's
// ends, so a comparison that contradicts itself cannot run past them or loop forever.
void QuickSort(TXmlNode** items, int low, int high, const TXmlNodeCompare& compare) {
  while (low < high) {
    int i = low, j = high;
    TXmlNode* pivot = items[(low + high) / 2];
    bool swapped = false;
    do {
      while (i <= high && compare(&items[i]->Self(), &pivot->Self()) < 0) ++i;
      while (j >= low && compare(&items[j]->Self(), &pivot->Self()) > 0) --j;
      if (i <= j) {
        std::swap(items[i++], items[j--]);
        swapped = true;
      }
    } while (i <= j);
    // A consistent comparison always meets the pivot itself; one that never does cannot be
    // sorted by, and the range is left as it is.
    if (!swapped) return;
    if (j - low < high - i) {
      if (low < j) QuickSort(items, low, j, compare);
      low = i;
    } else {
      if (i < high) QuickSort(items, i, high, compare);
      high = j;
    }
  }
}

}  // namespace

TXmlNodeList::~TXmlNodeList() {
  ClearItems();
  Store().Free(items_, sizeof(TXmlNode*) * std::size_t(capacity_));
  Store().ListGone();
}

long TXmlNodeList::LiveCount() noexcept {
  return TXmlNodeStore::LiveLists();
}

// ---- IXmlNodeList.

Ref<IXmlNode> TXmlNodeList::GetItem(int index) {
  CheckIndex(index, count_);
  return items_[index]->Interface();
}

std::string TXmlNodeList::GetXML() {
  TStringBuilder out;
  WriteItems(out);
  return out.GetText();
}

void TXmlNodeList::SortItems(const TXmlNodeCompare& compare) {
  NoteChange();
  if (count_ > 0) QuickSort(items_, 0, count_ - 1, compare);
}

int TXmlNodeList::IndexOf(IXmlNode* node) {
  return node ? IndexOfNode(&NodeOf(node)) : -1;
}

void TXmlNodeList::Insert(IXmlNode* node, int index) {
  TXmlNode& item = NodeOf(node);
  if (index != -1) CheckIndex(index, count_ + 1);
  CheckInsertable(item);
  InsertNode(&item, index);
}

int TXmlNodeList::Remove(IXmlNode* node) {
  const int index = IndexOfNode(&NodeOf(node));
  if (index >= 0) RemoveAt(index);
  return index;
}

void TXmlNodeList::Delete(int index) {
  CheckIndex(index, count_);
  RemoveAt(index);
}

// ---- Direct access.

int TXmlNodeList::IndexOfNode(const TXmlNode* node) const noexcept {
  for (int i = 0; i < count_; ++i)
    if (items_[i] == node) return i;
  return -1;
}

void TXmlNodeList::InsertNode(TXmlNode* node, int index) {
  NoteChange();
  if (owner_ && &node->NameTable() != &owner_->NameTable())
    node->AdoptNameTable(owner_->NameTable());
  if (index < 0) index = count_;
  if (count_ == capacity_) SetCapacity(NextXmlCapacity(capacity_));
  // Loading only ever appends: nothing to move then.
  if (index != count_)
    std::memmove(items_ + index + 1, items_ + index, sizeof(TXmlNode*) * (count_ - index));
  items_[index] = node;
  ++count_;
  LinkItem(node);
  if (owner_) node->SetParent(owner_);
}

void TXmlNodeList::AppendFresh(TXmlNode* const* nodes, int count) {
  NoteChange();
  if (count_ + count > capacity_) SetCapacity(count_ + count);
  std::memcpy(static_cast<void*>(items_ + count_), nodes, sizeof(TXmlNode*) * std::size_t(count));
  count_ += count;
  // The nodes have no parent yet, so a free-standing list leaves them without one.
  for (int i = 0; i < count; ++i) {
    LinkItem(nodes[i]);
    nodes[i]->SetParent(owner_);
  }
}

void TXmlNodeList::RemoveAt(int index) {
  NoteChange();
  TXmlNode* node = items_[index];
  std::memmove(items_ + index, items_ + index + 1, sizeof(TXmlNode*) * (count_ - index - 1));
  --count_;
  ReleaseRemoved(node);
}

void TXmlNodeList::ReplaceAt(int index, TXmlNode* node) {
  TXmlNode* old = items_[index];
  if (old == node) return;
  NoteChange();
  if (owner_ && &node->NameTable() != &owner_->NameTable())
    node->AdoptNameTable(owner_->NameTable());
  // The new node is counted before the old one goes: it may live only inside the old one.
  LinkItem(node);
  items_[index] = node;
  if (owner_) node->SetParent(owner_);
  ReleaseRemoved(old);
}

void TXmlNodeList::ClearItems() noexcept {
  NoteChange();
  const int count = std::exchange(count_, 0);
  for (int i = 0; i < count; ++i) ReleaseRemoved(items_[i]);
}

void TXmlNodeList::SetCapacity(int capacity) {
  if (capacity < count_) capacity = count_;
  if (capacity == capacity_) return;
  TXmlNodeStore& store = Store();
  auto** items = static_cast<TXmlNode**>(store.Allocate(sizeof(TXmlNode*) * std::size_t(capacity)));
  if (count_) std::memcpy(items, items_, sizeof(TXmlNode*) * std::size_t(count_));
  store.Free(items_, sizeof(TXmlNode*) * std::size_t(capacity_));
  items_ = items;
  capacity_ = capacity;
}

void TXmlNodeList::DetachOwner() noexcept {
  for (TXmlNode* node : *this)
    if (node->Parent() == owner_) node->SetParent(nullptr);
  owner_ = nullptr;
}

void TXmlNodeList::WriteItems(TStringBuilder& out) const {
  for (TXmlNode* node : *this) node->WriteXml(out);
}

void TXmlNodeList::CheckInsertable(const TXmlNode& node) const {
  if (!owner_) return;
  if (&node == owner_) RaiseNotSupported();
  if (!node.HasChildItems()) return;
  // A node may sit in several lists, so its subtree is searched, not the owner's parents.
  std::vector<const TXmlNode*> pending{&node};
  std::unordered_set<const TXmlNode*> seen;
  while (!pending.empty()) {
    const TXmlNode* current = pending.back();
    pending.pop_back();
    for (const TXmlNode* child : current->Children()) {
      if (child == owner_) RaiseNotSupported();
      if (child->HasChildItems() && seen.insert(child).second) pending.push_back(child);
    }
  }
}

// Ends a removed item's membership: it loses its parent when that was this list's owner, and
// the list's reference.
void TXmlNodeList::ReleaseRemoved(TXmlNode* node) noexcept {
  if (owner_ && node->Parent() == owner_) node->SetParent(nullptr);
  TXmlNodeStore& store = Store();
  if (&node->Store() == &store) {
    node->ReleaseLink();
  } else {
    store.LinkReturned();
    node->Release();
  }
}

void TXmlNodeList::CheckIndex(int index, int limit) const {
  if (index < 0 || index >= limit) RaiseListIndexError();
}

}  // namespace xmldom
