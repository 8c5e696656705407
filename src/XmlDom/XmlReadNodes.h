#pragma once

// How the readers make the nodes they read most, elements and texts, in the store they fill. A
// store of a document keeps the name tables of its nodes; the reader makes it keep its table
// once, and the nodes then skip the check each would make. The nodes and child lists made so are
// counted here and told to the store when the reading ends, however it ends.

#include "XmlDom/XmlCharacterData.h"
#include "XmlDom/XmlElement.h"
#include "XmlDom/XmlNodeStore.h"
#include "XmlDom/XmlText.h"
#include "XmlDom/XmlTreeBuilder.h"

namespace xmldom {

class TXmlReadNodes {
 public:
  TXmlReadNodes(TXmlNodeStore& store, TXmlNameTable& table)
      : store_(store), table_(table), keeping_(store.KeepsTables()) {
    if (keeping_) store.KeepTable(table);
  }
  ~TXmlReadNodes() {
    if (made_ != 0) store_.CountReadNodes(made_);
    if (lists_ != 0) store_.CountReadLists(lists_);
  }
  TXmlReadNodes(const TXmlReadNodes&) = delete;
  TXmlReadNodes& operator=(const TXmlReadNodes&) = delete;

  TXmlElement* Element(int nameId) {
    if (!keeping_) return store_.New<TXmlElement>(table_, nameId);
    return Made(store_.MakeIn<TXmlElement>(store_.AllocateReadObject(sizeof(TXmlElement)), table_,
                                           nameId, InStore()));
  }
  // An element with room for attributeCount attributes (at least 1), made in one piece with
  // them when it can be.
  [[gnu::always_inline]] TXmlElement* ElementWithAttributes(int nameId, int attributeCount) {
    const std::size_t bytes = TXmlAttrArray::BytesFor(attributeCount);
    if (!keeping_ || !TXmlNodeStore::FitsWithObject(sizeof(TXmlElement), bytes)) {
      TXmlElement* element = Element(nameId);
      element->Attributes().ResetWithCapacity(store_, attributeCount);
      return element;
    }
    char* piece;
    void* memory = store_.AllocateReadObjectWithBytes(sizeof(TXmlElement), bytes, piece);
    auto* element = Made(store_.MakeIn<TXmlElement>(memory, table_, nameId, InStore()));
    element->Attributes().AdoptEmptyPiece(piece, attributeCount);
    return element;
  }
  // A text or a comment (T) of these bytes, or null when they are too long to be made with
  // the node: the caller then makes it the ordinary way. The bytes lie in the reader's window,
  // which may be read up to readableEnd: when kReadAhead bytes follow them there, they are read
  // and copied in whole words.
  template <class T>
  [[gnu::always_inline]] T* OfBytes(std::string_view bytes) {
    return OfBytes<T>(bytes, bytes.data() + bytes.size());
  }
  template <class T>
  [[gnu::always_inline]] T* OfBytes(std::string_view bytes, const char* readableEnd) {
    if (!keeping_ || bytes.size() > TXmlNodeStore::kMaxSmallBytes) return nullptr;
    constexpr std::size_t kNodeBytes = TXmlNodeStore::Rounded(sizeof(T));
    const std::size_t pieceBytes = BytesPieceFor(bytes.size());
    if (kNodeBytes + pieceBytes > TXmlNodeStore::kMaxSmallBytes) return nullptr;
    auto* memory = static_cast<char*>(store_.AllocateReadObject(kNodeBytes + pieceBytes));
    return MakeOfBytes<T>(memory, memory + kNodeBytes, bytes, readableEnd);
  }
  // An element without attributes and its only child, a text of bytes (as OfBytes makes it),
  // made in one piece, or null when the text cannot be made so.
  [[gnu::always_inline]] TXmlElement* ElementWithText(int nameId, std::string_view bytes,
                                                      const char* readableEnd) {
    if (!keeping_ || bytes.size() > TXmlNodeStore::kMaxSmallBytes) return nullptr;
    constexpr std::size_t kElementBytes = TXmlNodeStore::Rounded(sizeof(TXmlElement));
    constexpr std::size_t kPairBytes = kElementBytes + TXmlNodeStore::Rounded(sizeof(TXmlText));
    const std::size_t pieceBytes = BytesPieceFor(bytes.size());
    if (kPairBytes + pieceBytes > TXmlNodeStore::kMaxSmallBytes) return nullptr;
    auto* memory = static_cast<char*>(store_.AllocateReadObject(kPairBytes + pieceBytes));
    TXmlElement* element = Made(store_.MakeIn<TXmlElement>(memory, table_, nameId, InStore()));
    TXmlText* text =
        MakeOfBytes<TXmlText>(memory + kElementBytes, memory + kPairBytes, bytes, readableEnd);
    text->AddLink();
    text->SetParent(element);
    TXmlTreeBuilder::AdoptOnlyChild(*element, *text);
    return element;
  }
  // The child list of a node without children, made in the store, with room for capacity
  // items (> 0).
  TXmlNodeList& List(TXmlNode& parent, int capacity) {
    return TXmlTreeBuilder::NewList(store_, parent, capacity, lists_);
  }
  // Takes over a value placed in the store.
  TXmlText* Text(TXmlPlacedValue&& placed) {
    if (!keeping_) return store_.New<TXmlText>(table_, std::move(placed), TXmlText::TPlaced{});
    return Made(store_.MakeIn<TXmlText>(store_.AllocateReadObject(sizeof(TXmlText)), table_,
                                        std::move(placed), InStore()));
  }

 private:
  // The bytes a node of bytes keeps after it: none when they fit in its value.
  static std::size_t BytesPieceFor(std::size_t size) noexcept {
    return size <= XmlValue::kInlineBytes ? 0 : TXmlNodeStore::Rounded(size);
  }
  // A text or a comment (T) of bytes in memory, keeping them in piece when they do not fit in
  // its value (BytesPieceFor).
  template <class T>
  [[gnu::always_inline, gnu::returns_nonnull]] T* MakeOfBytes(void* memory, char* piece,
                                                              std::string_view bytes,
                                                              const char* readableEnd) {
    const auto size = std::uint32_t(bytes.size());
    const bool ahead = ReadsAhead(bytes, readableEnd);
    if (size <= XmlValue::kInlineBytes) {
      if (ahead)
        return Made(store_.MakeIn<T>(
            memory, table_, TXmlInlineBytes{LoadWordAhead(bytes.data(), size), size}, InStore()));
      return Made(store_.MakeIn<T>(memory, table_, bytes.data(), size, InStore()));
    }
    if (ahead)
      CopyBytesAhead(piece, bytes.data(), size);
    else
      CopyShortBytes(piece, bytes.data(), size);
    return Made(store_.MakeIn<T>(memory, table_, piece, size, InStore()));
  }

  // Never null: seen as a node's shared part, it takes no test for null.
  template <class T>
  [[gnu::always_inline, gnu::returns_nonnull]] T* Made(T* node) noexcept {
    ++made_;
    return node;
  }

  TXmlNode::TInKeepingStore InStore() const noexcept { return {store_}; }

  TXmlNodeStore& store_;
  TXmlNameTable& table_;
  const bool keeping_;
  long made_ = 0;
  long lists_ = 0;
};

}  // namespace xmldom
