#include "host/HostHandles.h"

#include "host/HostSlots.h"

namespace dxhost {

THostHandles::TBlock* THostHandles::Find(MoaHandle handle) {
  const auto found = blocks_.find(handle);
  if (found != blocks_.end()) return found->second.get();
  ++badUses_;
  return nullptr;
}

MoaHandle MOA_CALL THostHandles::Alloc(MoaUlong size) {
  if (faults_.Check(kHandlesAlloc) != kMoaOk) return nullptr;
  auto block = std::make_unique<TBlock>();
  block->Bytes.assign(size, '\xCD');
  MoaHandle handle = block.get();
  blocks_.emplace(handle, std::move(block));
  return handle;
}

void MOA_CALL THostHandles::Free(MoaHandle handle) {
  faults_.Check(kHandlesFree);
  if (TBlock* block = Find(handle)) {
    if (block->Locks > 0) ++badUses_;  // freed while locked
    blocks_.erase(handle);
  }
}

MoaUlong MOA_CALL THostHandles::GetSize(MoaHandle handle) {
  faults_.Check(kHandlesGetSize);
  const TBlock* block = Find(handle);
  return block ? MoaUlong(block->Bytes.size()) : 0;
}

void* MOA_CALL THostHandles::Lock(MoaHandle handle) {
  if (faults_.Check(kHandlesLock) != kMoaOk) return nullptr;
  TBlock* block = Find(handle);
  if (!block) return nullptr;
  ++block->Locks;
  return block->Bytes.data();
}

void MOA_CALL THostHandles::Unlock(MoaHandle handle) {
  faults_.Check(kHandlesUnlock);
  TBlock* block = Find(handle);
  if (!block) return;
  if (block->Locks == 0) {
    ++badUses_;
    return;
  }
  --block->Locks;
}

MoaHandle THostHandles::Make(std::string_view bytes) {
  auto block = std::make_unique<TBlock>();
  block->Bytes.assign(bytes);
  MoaHandle handle = block.get();
  blocks_.emplace(handle, std::move(block));
  return handle;
}

std::string THostHandles::BytesOf(MoaHandle handle) const {
  const auto found = blocks_.find(handle);
  return found == blocks_.end() ? std::string() : found->second->Bytes;
}

int THostHandles::OpenLocks() const {
  int locks = 0;
  for (const auto& [handle, block] : blocks_) locks += block->Locks;
  return locks;
}

}  // namespace dxhost
