#include "XmlDom/XmlChildSlot.h"

#include <utility>

#include "XmlDom/XmlNode.h"

namespace xmldom {

TXmlNodeList& TXmlChildSlot::MakeList(TXmlNode& owner, TXmlNodeStore& store, int capacity) {
  if (TXmlNodeList* list = MadeList()) return *list;
  TXmlNodeList* list;
  if (HoldsOnlyChild()) {
    list = store.New<TXmlNodeList>(&owner, 1);
    list->AppendLinked(&link_, 1);  // the only child's link passes to the list
    link_ = nullptr;
  } else {
    if (capacity > 0) return MakeEmptyList(owner, store, capacity);
    list = store.New<TXmlNodeList>(&owner);
  }
  AdoptList(*list);
  return *list;
}

void TXmlChildSlot::Release(const TXmlNode& owner) noexcept {
  if (HoldsOnlyChild()) {
    // As a list that goes with its owner releases its item.
    TXmlNode* only = std::exchange(link_, nullptr);
    if (only->Parent() == &owner) only->SetParent(nullptr);
    only->ReleaseLink();
  } else if (TXmlNodeList* list = MadeList()) {
    link_ = nullptr;
    // A child list that outlives its owner (someone holds it) must never reach it again.
    if (list->HeldBeyond(1)) list->DetachOwner();
    list->ReleaseLink();
  }
}

}  // namespace xmldom
