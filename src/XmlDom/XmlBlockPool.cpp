#include "XmlDom/XmlBlockPool.h"

#include <new>

namespace xmldom::memory {

void* TXmlBlockPool::Allocate(std::size_t bytes) {
  const std::size_t index = ClassOf(bytes);
  TSizeClass& sizeClass = classes_[index];
  void* block = sizeClass.FreeList;
  if (block) {
    sizeClass.FreeList = sizeClass.FreeList->Next;
  } else {
    const std::size_t blockBytes = (index + 1) * kGranule;
    if (std::size_t(sizeClass.UnusedEnd - sizeClass.Unused) < blockBytes) AddChunk(sizeClass);
    block = sizeClass.Unused;
    sizeClass.Unused += blockBytes;
  }
  ++blocksInUse_;
  return block;
}

void TXmlBlockPool::Free(void* block, std::size_t bytes) noexcept {
  auto* freed = static_cast<TFreeBlock*>(block);
  TSizeClass& sizeClass = classes_[ClassOf(bytes)];
  freed->Next = sizeClass.FreeList;
  sizeClass.FreeList = freed;
  if (--blocksInUse_ == 0 && releaseWhenIdle_) ReleaseChunks();
}

void TXmlBlockPool::ReleaseWhenIdle() noexcept {
  releaseWhenIdle_ = true;
  if (blocksInUse_ == 0) ReleaseChunks();
}

void TXmlBlockPool::AddChunk(TSizeClass& sizeClass) {
  auto* chunk = static_cast<TChunk*>(::operator new(kChunkBytes));
  chunk->Next = chunks_;
  chunks_ = chunk;
  ++chunkCount_;
  // The rest of the previous chunk's unused space is given up: it is less than one block.
  sizeClass.Unused = reinterpret_cast<char*>(chunk) + kGranule;
  sizeClass.UnusedEnd = reinterpret_cast<char*>(chunk) + kChunkBytes;
}

// Only while no block is in use: every free list and unused rest points into these chunks.
void TXmlBlockPool::ReleaseChunks() noexcept {
  while (TChunk* chunk = chunks_) {
    chunks_ = chunk->Next;
    ::operator delete(chunk);
  }
  chunkCount_ = 0;
  classes_ = {};
}

}  // namespace xmldom::memory
