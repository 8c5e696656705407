#include "host/HostAllocator.h"

#include "host/HostSlots.h"

#include <cstdlib>
#include <cstring>

namespace dxhost {

THostAllocator::THostAllocator(THostFaults& faults) : faults_(faults) {}

THostAllocator::~THostAllocator() {
  // Blocks a module never gave back are the module's leak; the host frees them with itself.
  for (const auto& [block, size] : blocks_) std::free(const_cast<void*>(block));
}

void* MOA_CALL THostAllocator::Allocate(MoaUlong size) {
  if (faults_.Check(kAllocatorAllocate) != kMoaOk) return nullptr;
  void* block = std::malloc(size ? size : 1);
  if (!block) return nullptr;
  std::memset(block, kFreshPattern, size);
  blocks_.emplace(block, size);
  return block;
}

void MOA_CALL THostAllocator::Free(void* block) {
  const auto found = blocks_.find(block);
  if (found == blocks_.end()) {
    ++badFrees_;
    return;
  }
  blocks_.erase(found);
  std::free(block);
}

std::size_t THostAllocator::SizeOf(const void* block) const {
  const auto found = blocks_.find(block);
  return found == blocks_.end() ? 0 : found->second;
}

}  // namespace dxhost
