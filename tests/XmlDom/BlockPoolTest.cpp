// The small-block pool's bookkeeping, on private pools: blocks never overlap, and once asked to
// release, the pool hands its chunks back exactly when its last block comes home. (Sanitizer
// builds see every chunk, so a chunk freed while a block still lives in it shows up there.)

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "XmlDom/XmlBlockPool.h"

using xmldom::memory::kMaxPooledBytes;
using xmldom::memory::TXmlBlockPool;

namespace {

struct TBlock {
  void* Memory;
  std::size_t Bytes;
};

// Blocks of every size, enough of the small ones to need several chunks.
std::vector<TBlock> AllocateMixed(TXmlBlockPool& pool) {
  std::vector<TBlock> blocks;
  for (int round = 0; round < 600; ++round)
    for (std::size_t bytes = 1 + round % 7; bytes <= kMaxPooledBytes; bytes += 61)
      blocks.push_back({pool.Allocate(bytes), bytes});
  return blocks;
}

void FreeAll(TXmlBlockPool& pool, const std::vector<TBlock>& blocks) {
  for (const TBlock& block : blocks) pool.Free(block.Memory, block.Bytes);
}

}  // namespace

TEST(BlockPool, BlocksDoNotOverlapAndComeBackForReuse) {
  TXmlBlockPool pool;
  std::vector<TBlock> blocks = AllocateMixed(pool);
  for (std::size_t i = 0; i < blocks.size(); ++i)
    std::memset(blocks[i].Memory, int(i & 0xFF), blocks[i].Bytes);
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    const auto* bytes = static_cast<const unsigned char*>(blocks[i].Memory);
    for (std::size_t at = 0; at < blocks[i].Bytes; ++at)
      ASSERT_EQ(bytes[at], i & 0xFF) << "block " << i << " was overwritten";
  }
  EXPECT_GT(pool.ChunkCount(), 1u);
  EXPECT_EQ(pool.BlocksInUse(), blocks.size());

  // Freed blocks serve the next allocations: no chunk is added for the same load again.
  const std::size_t chunks = pool.ChunkCount();
  FreeAll(pool, blocks);
  blocks = AllocateMixed(pool);
  EXPECT_EQ(pool.ChunkCount(), chunks);
  FreeAll(pool, blocks);
  EXPECT_EQ(pool.BlocksInUse(), 0u);
  EXPECT_EQ(pool.ChunkCount(), chunks) << "chunks stay until release is asked for";
  pool.ReleaseWhenIdle();
}

TEST(BlockPool, ReleaseWaitsForTheLastBlockAndAllocationGoesOn) {
  TXmlBlockPool pool;
  std::vector<TBlock> blocks = AllocateMixed(pool);
  const TBlock last = blocks.back();
  blocks.pop_back();

  // As at unload with blocks still held by objects destroyed later.
  pool.ReleaseWhenIdle();
  FreeAll(pool, blocks);
  EXPECT_GT(pool.ChunkCount(), 0u);
  std::memset(last.Memory, 0x5A, last.Bytes);  // its chunk must still be there
  pool.Free(last.Memory, last.Bytes);
  EXPECT_EQ(pool.ChunkCount(), 0u);

  // A late allocation gets a fresh chunk, which goes as soon as the block does.
  void* late = pool.Allocate(kMaxPooledBytes);
  std::memset(late, 0xA5, kMaxPooledBytes);
  EXPECT_EQ(pool.ChunkCount(), 1u);
  pool.Free(late, kMaxPooledBytes);
  EXPECT_EQ(pool.ChunkCount(), 0u);
}
