#pragma once

// Where the objects of the XML library live, and what keeps them alive.
//
// Every node, node list and name table is placed in a store: 64 KiB blocks, aligned to their
// size, that are filled front to back. A document's content (what a load reads, and what is
// built on it later) gets a store of its own; everything else (documents themselves, nodes made
// outside any document, free-standing lists, name tables) lives in the one loose store. Making
// a node is then a bump of a pointer, and the store an object lives in is found from its
// address alone: the block it lies in begins with a pointer to its store.
//
// Objects are reference counted one by one all the same, because a node may outlive its tree:
// a script may hold it after its document is gone (it survives with its own subtree but without
// a parent), move it into another document, or keep a child list. Two kinds of reference are
// told apart:
//   - links, the tree's own references: a node's link to its child list (or to its only child
//     while that list has not been made, XmlNode.h), a child list's links to its items, a
//     document's link to the child list of its content;
//   - holds, every other reference: handles (Ref), free-standing lists, and links that cross
//     from one store to another.
// A store counts the holds on its objects ("pins") and the links that leave it for another
// store. While a document is the home of its content store and both counts are zero, nothing
// outside can reach any object of the store: when the document lets go of its content, the
// store goes at once, blocks and all, without visiting a single node (HomeLeaves). Otherwise the
// content is released link by link, the held nodes survive, and the store lives on until its
// last object is gone.
//
// Because a store may go without running its objects' destructors, an object placed in a
// content store owns nothing outside it: its pieces (attribute arrays, item arrays, the bytes
// of values) come from the same store, and the name tables its nodes use are kept by the store.
//
// Not synchronised: the library is used by one thread at a time.

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
#include <string_view>
#include <vector>

#include "XmlDom/XmlBytes.h"
#include "XmlDom/XmlContext.h"
#include "XmlDom/XmlStorePoison.h"
#include "common/RefCounted.h"

namespace xmldom {

class TXmlNameTable;

// The first argument of every constructor of an object made in a store. Only the store makes a
// key, so only TXmlNodeStore::New and Make (and MakeLoose through them) construct such objects:
// not `new`, which XmlBase.h deletes, and not a declaration on the stack.
class TXmlStoreKey {
 private:
  friend class TXmlNodeStore;
  constexpr TXmlStoreKey() noexcept = default;
};

class TXmlNodeStore {
 public:
  static constexpr std::size_t kBlockBytes = kStoreBlockBytes;
  // Pieces are multiples of the granule; those above kMaxSmallBytes are kept on the heap.
  static constexpr std::size_t kGranule = 8;
  static constexpr std::size_t kMaxSmallBytes = 512;

  // The store of objects made outside any document's content; it lasts as long as the module.
  static TXmlNodeStore& Loose() noexcept;
  // A fresh store for a document's content, with that document as its home.
  static TXmlNodeStore& CreateContent();
  // The store the object at this address was placed in.
  static TXmlNodeStore& Of(const void* object) noexcept {
    const auto block = reinterpret_cast<std::uintptr_t>(object) & ~(kBlockBytes - 1);
    return **reinterpret_cast<TXmlNodeStore* const*>(block);
  }

  TXmlNodeStore(const TXmlNodeStore&) = delete;
  TXmlNodeStore& operator=(const TXmlNodeStore&) = delete;

  bool IsLoose() const noexcept { return loose_; }

  // ---- Memory. Pieces are granule-aligned; Free takes the size given to Allocate.
  void* Allocate(std::size_t bytes) {
    if (bytes == 0) return nullptr;
    return bytes <= kMaxSmallBytes ? AllocateSmall(Rounded(bytes)) : AllocateLarge(bytes);
  }
  void Free(void* piece, std::size_t bytes) noexcept;
  // Keeps only the first kept bytes (kept <= bytes) of a piece of bytes up to kMaxSmallBytes:
  // the rest goes back when it is the newest piece, else all of it when kept is 0. A piece
  // left longer than it is kept for may later be freed with the size kept.
  void GiveBackEnd(char* piece, std::size_t bytes, std::size_t kept) noexcept {
    if (piece + Rounded(bytes) == unused_) {
      unused_ = piece + Rounded(kept);
      ZEL_POISON(unused_, Rounded(bytes) - Rounded(kept));
    } else if (kept == 0) {
      Free(piece, bytes);
    }
  }
  // A copy of bytes in a piece of the store (null for none).
  char* CopyBytes(std::string_view bytes) {
    const std::size_t n = bytes.size();
    if (n == 0) return nullptr;
    auto* piece = static_cast<char*>(Allocate(n));
    CopyShortBytes(piece, bytes.data(), n);
    return piece;
  }

  // The same for more than XmlValue's inline bytes, past which kReadAhead bytes may be read.
  char* CopyBytesAhead(std::string_view bytes) {
    assert(bytes.size() > 8);
    auto* piece = static_cast<char*>(Allocate(bytes.size()));
    xmldom::CopyBytesAhead(piece, bytes.data(), bytes.size());
    return piece;
  }

  // ---- Objects (nodes, lists, name tables): their memory, always inside a block.
  void* AllocateObject(std::size_t bytes) {
    void* object = AllocateSmall(Rounded(bytes));
    ++objects_;
    return object;
  }
  // The same for a reader, which counts what it makes itself and tells the store once
  // (CountReadNodes): a load makes millions of nodes, and each count is a store to memory.
  [[gnu::always_inline]] void* AllocateReadObject(std::size_t bytes) {
    return AllocateSmall(Rounded(bytes));
  }
  // Memory for an object and, right after it, a piece of bytes for it to keep, cut from one
  // piece: the two are made at once. Both together are small pieces; each is freed on its own,
  // as if allocated alone. AllocateReadObjectWithBytes leaves the object to the reader's count.
  static constexpr bool FitsWithObject(std::size_t objectBytes, std::size_t bytes) noexcept {
    return Rounded(objectBytes) + Rounded(bytes) <= kMaxSmallBytes;
  }
  [[gnu::always_inline]] void* AllocateObjectWithBytes(std::size_t objectBytes, std::size_t bytes,
                                                       char*& piece) {
    void* object = AllocateReadObjectWithBytes(objectBytes, bytes, piece);
    ++objects_;
    return object;
  }
  [[gnu::always_inline]] void* AllocateReadObjectWithBytes(std::size_t objectBytes,
                                                           std::size_t bytes, char*& piece) {
    assert(bytes > 0 && FitsWithObject(objectBytes, bytes));
    auto* object = static_cast<char*>(AllocateSmall(Rounded(objectBytes) + Rounded(bytes)));
    piece = object + Rounded(objectBytes);
    return object;
  }
  // Makes T in memory from AllocateObject or AllocateObjectWithBytes; T's constructor must not
  // fail, so the memory never has to go back.
  template <class T, class... Args>
  [[gnu::always_inline, gnu::returns_nonnull]] T* MakeIn(void* memory, Args&&... args) noexcept {
    static_assert(noexcept(T(TXmlStoreKey(), std::forward<Args>(args)...)));
    return ::new (memory) T(TXmlStoreKey(), std::forward<Args>(args)...);
  }
  void FreeObject(void* object, std::size_t bytes) noexcept;
  // Every object is made in the store its maker names: Make holds the new object, New hands it
  // out referenced by nothing yet (the readers, which link what they make). `new` alone does
  // not compile for the library's objects (XmlBase.h), so nothing lands in a store unasked.
  template <class T, class... Args>
  T* New(Args&&... args) {
    void* memory = AllocateObject(sizeof(T));
    try {
      return ::new (memory) T(TXmlStoreKey(), std::forward<Args>(args)...);
    } catch (...) {
      FreeObject(memory, sizeof(T));
      throw;
    }
  }
  template <class T, class... Args>
  Ref<T> Make(Args&&... args) {
    return Ref<T>::Retain(New<T>(std::forward<Args>(args)...));
  }
  // Ends an object of this store, of the complete class T, and takes its memory back.
  template <class T>
  void Destroy(const T* object) noexcept {
    auto* complete = const_cast<T*>(object);
    complete->~T();
    FreeObject(complete, sizeof(T));
  }

  // ---- Counts that decide whether the content may go at once.
  void Pin() noexcept { ++pins_; }
  void Unpin() noexcept { --pins_; }
  void LinkLeft() noexcept { ++crossingLinks_; }
  void LinkReturned() noexcept { --crossingLinks_; }
  long Pins() const noexcept { return pins_; }
  long CrossingLinks() const noexcept { return crossingLinks_; }

  // Nodes and lists placed here and alive, for the module's counts that tests read.
  void NodeMade() noexcept {
    ++nodes_;
    TXmlContext::Module().CountNodes(1);
  }
  // Nodes that a reader made here, each in memory from AllocateReadObject or
  // AllocateReadObjectWithBytes, counted at once.
  void CountReadNodes(long count) noexcept {
    objects_ += count;
    nodes_ += count;
    TXmlContext::Module().CountNodes(count);
  }
  // The same for lists.
  void CountReadLists(long count) noexcept {
    objects_ += count;
    lists_ += count;
    TXmlContext::Module().CountLists(count);
  }
  void NodeGone() noexcept {
    --nodes_;
    TXmlContext::Module().CountNodes(-1);
  }
  void ListMade() noexcept {
    ++lists_;
    TXmlContext::Module().CountLists(1);
  }
  void ListGone() noexcept {
    --lists_;
    TXmlContext::Module().CountLists(-1);
  }
  static long LiveNodes() noexcept { return TXmlContext::Module().LiveNodes(); }
  static long LiveLists() noexcept { return TXmlContext::Module().LiveLists(); }

  // A size rounded up to whole granules.
  static constexpr std::size_t Rounded(std::size_t bytes) noexcept {
    return (bytes + kGranule - 1) & ~(kGranule - 1);
  }

  // ---- Name tables. A content store keeps every table its nodes use; nodes of the loose
  // store each hold their own table (the loose store never goes at once, and keeping tables
  // for ever there would keep every table a binary load ever made).
  bool KeepsTables() const noexcept { return !IsLoose(); }
  void KeepTable(TXmlNameTable& table) {
    if (tables_.empty() || tables_.back() != &table) KeepAnotherTable(table);
  }

  // ---- The home document lets go of the content. True when the store went at once with
  // every object in it (the caller must not touch any of them); false when the content must
  // be released link by link; the store then goes with its last object.
  bool HomeLeaves() noexcept;
  bool HasHome() const noexcept { return hasHome_; }

  // The module is being unloaded: cached blocks go back to the heap now, the loose store's once
  // its last object has gone, and every block given back later goes straight to the heap.
  static void ReleaseModuleMemory() noexcept;

 private:
  struct TBlock;
  struct TLargePiece;

  // Content stores begin with a home; the loose store never has one.
  // The loose store is the context's.
  friend class TXmlContext;
  explicit TXmlNodeStore(bool content) noexcept : hasHome_(content), loose_(!content) {}
  ~TXmlNodeStore();

  // A granule-rounded piece: the next bytes of the newest block; when they run short, a freed
  // piece of its size, else a new block. The block's bytes come first so that the common case,
  // a load filling a store, costs one test: a store still takes a new block only when it has
  // no freed piece of the size either, so freed pieces keep it from growing as before.
  void* AllocateSmall(std::size_t bytes) {
    if (std::size_t(unusedEnd_ - unused_) < bytes) return AllocateWhenBlockIsFull(bytes);
    void* piece = unused_;
    unused_ += bytes;
    UnpoisonPiece(piece, bytes);
    return piece;
  }
  void* AllocateWhenBlockIsFull(std::size_t bytes);
#ifdef ZEL_XML_STORE_POISON
  static void UnpoisonPiece(void* piece, std::size_t bytes) noexcept;
#else
  static void UnpoisonPiece(void*, std::size_t) noexcept {}
#endif
  void* AllocateLarge(std::size_t bytes);
  void FreeLarge(void* piece) noexcept;
  void AddBlock();
  void ReleaseMemory() noexcept;
  void KeepAnotherTable(TXmlNameTable& table);
  void DestroyIfDone() noexcept;

  // The newest block's untouched rest, the blocks, the freed small pieces by size, and the
  // large pieces.
  char* unused_ = nullptr;
  char* unusedEnd_ = nullptr;
  TBlock* blocks_ = nullptr;
  void* freePieces_[kMaxSmallBytes / kGranule] = {};
  std::size_t freeCount_ = 0;  // pieces on those lists
  TLargePiece* large_ = nullptr;

#ifdef ZEL_XML_STORE_POISON
  // Freed small pieces by size, oldest first, linked through their first word.
  static constexpr long kQuarantinedPieces = 1024;
  struct TQuarantine {
    void* Oldest = nullptr;
    void* Newest = nullptr;
    long Count = 0;
  };
  TQuarantine quarantine_[kMaxSmallBytes / kGranule];
#endif

  long objects_ = 0;
  long nodes_ = 0;
  long lists_ = 0;
  long pins_ = 0;
  long crossingLinks_ = 0;
  bool hasHome_;
  const bool loose_;
  std::vector<TXmlNameTable*> tables_;  // each held by the store
};

}  // namespace xmldom
