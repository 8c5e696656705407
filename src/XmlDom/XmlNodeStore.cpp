#include "XmlDom/XmlNodeStore.h"

#include <cstring>
#include <new>

#include "XmlDom/XmlNameTable.h"

namespace xmldom {

// A block begins with its header; the rest is handed out in pieces.
struct TXmlNodeStore::TBlock {
  TXmlNodeStore* Store;
  TBlock* Next;
};

// A piece too large for a block: a heap allocation behind this header, linked into its store.
struct TXmlNodeStore::TLargePiece {
  TLargePiece* Prev;
  TLargePiece* Next;
};

namespace {

constexpr std::size_t kHeaderBytes = 16;
static_assert(sizeof(void*) * 2 <= kHeaderBytes);

}  // namespace

// ---- The loose store.

TXmlNodeStore& TXmlNodeStore::Loose() noexcept {
  return TXmlContext::Module().Loose();
}

namespace {

struct TModuleStoreRelease {
  TModuleStoreRelease() = default;
  TModuleStoreRelease(const TModuleStoreRelease&) = delete;
  TModuleStoreRelease& operator=(const TModuleStoreRelease&) = delete;
  ~TModuleStoreRelease() { TXmlNodeStore::ReleaseModuleMemory(); }
};
TModuleStoreRelease moduleStoreRelease;

}  // namespace

TXmlNodeStore& TXmlNodeStore::CreateContent() {
  return *new TXmlNodeStore(true);
}

TXmlNodeStore::~TXmlNodeStore() {
  ReleaseMemory();
  for (TXmlNameTable* table : tables_) table->Release();
}

// ---- Memory.

void TXmlNodeStore::Free(void* piece, std::size_t bytes) noexcept {
  if (!piece) return;
  if (bytes > kMaxSmallBytes) return FreeLarge(piece);
  bytes = Rounded(bytes);
  void*& head = freePieces_[bytes / kGranule - 1];
#ifdef ZEL_XML_STORE_POISON
  // A freed piece waits, poisoned, until kQuarantinedPieces of its size have been freed after
  // it, so that a use after free meets poisoned memory; only its link stays readable. Never
  // reusing it would let a store that lives long (the loose one) grow without end.
  ZEL_POISON(piece, bytes);
  ZEL_UNPOISON(piece, sizeof(void*));
  *static_cast<void**>(piece) = nullptr;
  TQuarantine& quarantine = quarantine_[bytes / kGranule - 1];
  if (quarantine.Newest)
    *static_cast<void**>(quarantine.Newest) = piece;
  else
    quarantine.Oldest = piece;
  quarantine.Newest = piece;
  if (++quarantine.Count <= kQuarantinedPieces) return;
  piece = quarantine.Oldest;
  quarantine.Oldest = *static_cast<void**>(piece);
  --quarantine.Count;
#endif
  *static_cast<void**>(piece) = head;
  head = piece;
  ++freeCount_;
}

void* TXmlNodeStore::AllocateWhenBlockIsFull(std::size_t bytes) {
  if (freeCount_ != 0) {
    void*& head = freePieces_[bytes / kGranule - 1];
    if (void* piece = head) {
      head = *static_cast<void**>(piece);
      --freeCount_;
      UnpoisonPiece(piece, bytes);
      return piece;
    }
  }
  AddBlock();
  void* piece = unused_;
  unused_ += bytes;
  UnpoisonPiece(piece, bytes);
  return piece;
}

#ifdef ZEL_XML_STORE_POISON
void TXmlNodeStore::UnpoisonPiece(void* piece, std::size_t bytes) noexcept {
  ZEL_UNPOISON(piece, bytes);
}
#endif

void TXmlNodeStore::AddBlock() {
  auto* block = static_cast<TBlock*>(TXmlContext::Module().Blocks().Take());
  ZEL_UNPOISON(block, kHeaderBytes);
  block->Store = this;
  block->Next = blocks_;
  blocks_ = block;
  // The rest of the previous block is given up: it is smaller than the piece asked for.
  unused_ = reinterpret_cast<char*>(block) + kHeaderBytes;
  unusedEnd_ = reinterpret_cast<char*>(block) + kBlockBytes;
  ZEL_POISON(unused_, std::size_t(unusedEnd_ - unused_));
}

void* TXmlNodeStore::AllocateLarge(std::size_t bytes) {
  auto* piece = static_cast<TLargePiece*>(::operator new(sizeof(TLargePiece) + bytes));
  piece->Prev = nullptr;
  piece->Next = large_;
  if (large_) large_->Prev = piece;
  large_ = piece;
  return piece + 1;
}

void TXmlNodeStore::FreeLarge(void* memory) noexcept {
  TLargePiece* piece = static_cast<TLargePiece*>(memory) - 1;
  (piece->Prev ? piece->Prev->Next : large_) = piece->Next;
  if (piece->Next) piece->Next->Prev = piece->Prev;
  ::operator delete(piece);
}

void TXmlNodeStore::ReleaseMemory() noexcept {
  while (TLargePiece* piece = large_) {
    large_ = piece->Next;
    ::operator delete(piece);
  }
  while (TBlock* block = blocks_) {
    blocks_ = block->Next;
    ZEL_POISON(block, kBlockBytes);
    TXmlContext::Module().Blocks().Give(block);
  }
  unused_ = unusedEnd_ = nullptr;
  for (void*& head : freePieces_) head = nullptr;
  freeCount_ = 0;
#ifdef ZEL_XML_STORE_POISON
  for (TQuarantine& quarantine : quarantine_) quarantine = TQuarantine{};
#endif
}

// ---- Objects.

void TXmlNodeStore::FreeObject(void* object, std::size_t bytes) noexcept {
  Free(object, bytes);
  --objects_;
  DestroyIfDone();
}

void TXmlNodeStore::KeepAnotherTable(TXmlNameTable& table) {
  for (TXmlNameTable* kept : tables_)
    if (kept == &table) return;
  tables_.reserve(tables_.size() + 1);
  table.AddRef();
  tables_.push_back(&table);
}

// ---- Going.

void TXmlNodeStore::ReleaseModuleMemory() noexcept {
  TXmlContext::Module().Blocks().ReleaseAll();
  Loose().DestroyIfDone();
}

bool TXmlNodeStore::HomeLeaves() noexcept {
  hasHome_ = false;
  if (objects_ > 0 && (pins_ != 0 || crossingLinks_ != 0)) return false;
  // Nothing outside reaches any object here: they all go together, unvisited.
  TXmlContext::Module().CountNodes(-nodes_);
  TXmlContext::Module().CountLists(-lists_);
  delete this;
  return true;
}

// The loose store only gives its blocks back; a content store goes with its last object once
// its home has left.
void TXmlNodeStore::DestroyIfDone() noexcept {
  if (hasHome_ || objects_ != 0) return;
  if (IsLoose())
    ReleaseMemory();
  else
    delete this;
}

}  // namespace xmldom
