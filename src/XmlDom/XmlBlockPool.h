#pragma once

// Per-size free lists carved from 64 KiB chunks: the allocator behind XmlMemory.h, a class of
// its own so that its bookkeeping can be checked on a private instance.
//
// The pool is constant-initialised and trivially destructible, so the module-wide instance is
// usable from the first static constructor to the last static destructor; nothing but
// ReleaseWhenIdle hands its chunks back. Blocks may be freed by static destructors that run
// after the module's own clean-up, which is why release waits for the last block rather than
// pulling memory from under it.

#include <array>
#include <cstddef>

#include "XmlDom/XmlMemory.h"

namespace xmldom::memory {

class TXmlBlockPool {
 public:
  static constexpr std::size_t kGranule = 16;
  // A 64 KiB chunk holds 512 blocks of the largest class and thousands of the small ones;
  // larger chunks only raise the memory a small document pins without making loads faster.
  static constexpr std::size_t kChunkBytes = 64 * 1024;

  constexpr TXmlBlockPool() = default;

  // bytes from 1 to kMaxPooledBytes. Never returns null; raises std::bad_alloc.
  void* Allocate(std::size_t bytes);
  // block from Allocate with the same bytes.
  void Free(void* block, std::size_t bytes) noexcept;

  // From now on every chunk goes back to the heap whenever no block is in use: at once when
  // none is, otherwise when the last one is freed. Allocating afterwards still works.
  void ReleaseWhenIdle() noexcept;

  std::size_t ChunkCount() const noexcept { return chunkCount_; }
  std::size_t BlocksInUse() const noexcept { return blocksInUse_; }

 private:
  static constexpr std::size_t kClassCount = kMaxPooledBytes / kGranule;

  struct TFreeBlock {
    TFreeBlock* Next;
  };
  // The first granule of every chunk links it to the chunk made before it.
  struct TChunk {
    TChunk* Next;
  };
  struct TSizeClass {
    TFreeBlock* FreeList = nullptr;
    char* Unused = nullptr;  // the untouched rest of this class's newest chunk
    char* UnusedEnd = nullptr;
  };

  static constexpr std::size_t ClassOf(std::size_t bytes) { return (bytes - 1) / kGranule; }
  void AddChunk(TSizeClass& sizeClass);
  void ReleaseChunks() noexcept;

  std::array<TSizeClass, kClassCount> classes_{};
  TChunk* chunks_ = nullptr;
  std::size_t chunkCount_ = 0;
  std::size_t blocksInUse_ = 0;
  bool releaseWhenIdle_ = false;
};

}  // namespace xmldom::memory
