#pragma once

// How the readers make the nodes they read most, elements and texts, in the store they fill. A
// store of a document keeps the name tables of its nodes; the reader makes it keep its table
// once, and the nodes then skip the check each would make.

#include "XmlDom/XmlElement.h"
#include "XmlDom/XmlNodeStore.h"
#include "XmlDom/XmlText.h"

namespace xmldom {

class TXmlReadNodes {
 public:
  TXmlReadNodes(TXmlNodeStore& store, TXmlNameTable& table)
      : store_(store), table_(table), keeping_(store.KeepsTables()) {
    if (keeping_) store.KeepTable(table);
  }

  TXmlElement* Element(int nameId) {
    return keeping_ ? store_.New<TXmlElement>(table_, nameId, TXmlNode::TInKeepingStore{store_})
                    : store_.New<TXmlElement>(table_, nameId);
  }
  // A text of these bytes (a string value), or null when they are too long to be made with
  // the node: the caller then places them first.
  TXmlText* TextOfBytes(std::string_view bytes) {
    if (!keeping_ || bytes.size() > TXmlNodeStore::kMaxSmallBytes) return nullptr;
    const auto size = std::uint32_t(bytes.size());
    if (size <= XmlValue::kInlineBytes) {
      void* memory = store_.AllocateObject(sizeof(TXmlText));
      return store_.MakeIn<TXmlText>(memory, table_, bytes.data(), size, InStore());
    }
    if (!TXmlNodeStore::FitsWithObject(sizeof(TXmlText), size)) return nullptr;
    char* piece;
    void* memory = store_.AllocateObjectWithBytes(sizeof(TXmlText), size, piece);
    CopyShortBytes(piece, bytes.data(), size);
    return store_.MakeIn<TXmlText>(memory, table_, piece, size, InStore());
  }
  // Takes over a value placed in the store.
  TXmlText* Text(TXmlPlacedValue&& placed) {
    return keeping_
               ? store_.New<TXmlText>(table_, std::move(placed), TXmlNode::TInKeepingStore{store_})
               : store_.New<TXmlText>(table_, std::move(placed), TXmlText::TPlaced{});
  }

 private:
  TXmlNode::TInKeepingStore InStore() const noexcept { return {store_}; }

  TXmlNodeStore& store_;
  TXmlNameTable& table_;
  const bool keeping_;
};

}  // namespace xmldom
