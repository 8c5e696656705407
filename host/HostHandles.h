#pragma once

// The host's handle service: blocks of memory handed out by handle, for member media. It
// counts live handles and locks, and notices uses of handles it never gave out.

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "DXInt/MoaDirector.h"
#include "DXInt/MoaIdentifiers.h"
#include "host/HostFaults.h"
#include "host/HostInterface.h"

namespace dxhost {

class THostHandles final : public THostInterface<IMoaHandleService> {
 public:
  explicit THostHandles(THostFaults& faults)
      : THostInterface(kIID_IMoaHandleService), faults_(faults) {}

  MoaHandle MOA_CALL Alloc(MoaUlong size) override;
  MoaError MOA_CALL Reserved4() override { return kHostErrNotImplemented; }
  void MOA_CALL Free(MoaHandle handle) override;
  MoaUlong MOA_CALL GetSize(MoaHandle handle) override;
  MoaError MOA_CALL Reserved7() override { return kHostErrNotImplemented; }
  void* MOA_CALL Lock(MoaHandle handle) override;
  void MOA_CALL Unlock(MoaHandle handle) override;

  // A new handle holding bytes, for the host's own media.
  MoaHandle Make(std::string_view bytes);
  bool IsLive(MoaHandle handle) const { return blocks_.count(handle) > 0; }
  // The bytes of a live handle ("" for anything else).
  std::string BytesOf(MoaHandle handle) const;

  std::size_t LiveHandles() const { return blocks_.size(); }
  int OpenLocks() const;
  // Uses of handles that are not live, unlocks without a lock.
  int BadUses() const { return badUses_; }

 private:
  struct TBlock {
    std::string Bytes;
    int Locks = 0;
  };

  TBlock* Find(MoaHandle handle);

  THostFaults& faults_;
  std::map<MoaHandle, std::unique_ptr<TBlock>> blocks_;
  int badUses_ = 0;
};

}  // namespace dxhost
