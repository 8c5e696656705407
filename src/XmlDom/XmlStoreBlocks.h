#pragma once

// The blocks that node stores are made of (XmlNodeStore.h), and the cache of those no store
// uses, kept for the next one: a repeated load finds its memory at hand.
//
// Blocks are carved from slabs of kSlabBlocks. A block of its own, aligned to its size, would
// cost the heap a padded chunk with bookkeeping written around it, pages that a load touches for
// nothing; a slab is one plain allocation, aligned once. When the module goes the slabs go back
// to the heap as soon as every block is home again.

#include <cstddef>

namespace xmldom {

// A block is aligned to its size, so that the block, and the store written at its start, is
// found from the address of anything in it.
inline constexpr std::size_t kStoreBlockBytes = 64 * 1024;

class TXmlStoreBlocks {
 public:
  constexpr TXmlStoreBlocks() = default;
  TXmlStoreBlocks(const TXmlStoreBlocks&) = delete;
  TXmlStoreBlocks& operator=(const TXmlStoreBlocks&) = delete;

  // A block of kStoreBlockBytes, aligned to its size.
  void* Take();
  void Give(void* block) noexcept;
  // The module is going: the slabs go back to the heap once every block is home, now or later.
  void ReleaseAll() noexcept;

 private:
  static constexpr std::size_t kSlabBlocks = 16;
  // Room for the slab's link and for aligning its first block.
  static constexpr std::size_t kSlabBytes =
      (kSlabBlocks + 1) * kStoreBlockBytes + 2 * sizeof(void*);

  void AddSlab();
  void ReleaseIfAllHome() noexcept;

  void* free_ = nullptr;
  void* slabs_ = nullptr;
  char* nextUncarved_ = nullptr;  // the next block of the newest slab
  std::size_t uncarved_ = 0;      // blocks of the newest slab not handed out yet
  std::size_t carved_ = 0;        // blocks handed out of slabs
  std::size_t cached_ = 0;        // of those, the blocks back in free_
  bool releasing_ = false;
};

}  // namespace xmldom
