#pragma once

// The host's allocator: it counts live blocks, fills new ones with a pattern (so that nothing
// relies on zeroed memory) and notices frees of blocks it never gave out.

#include <cstddef>
#include <unordered_map>

#include "DXInt/MoaHostServices.h"
#include "host/HostFaults.h"
#include "host/HostInterface.h"

namespace dxhost {

class THostAllocator final : public THostInterface<IMoaAllocator> {
 public:
  static constexpr unsigned char kFreshPattern = 0xCD;

  explicit THostAllocator(THostFaults& faults);
  ~THostAllocator();

  void* MOA_CALL Allocate(MoaUlong size) override;
  void MOA_CALL Free(void* block) override;

  std::size_t LiveBlocks() const { return blocks_.size(); }
  // Size of a live block, 0 for anything else.
  std::size_t SizeOf(const void* block) const;
  // Frees of null or of blocks that were not live.
  int BadFrees() const { return badFrees_; }

 private:
  THostFaults& faults_;
  std::unordered_map<const void*, std::size_t> blocks_;
  int badFrees_ = 0;
};

}  // namespace dxhost
