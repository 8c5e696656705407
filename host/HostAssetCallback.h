#pragma once

// The callback object the host gives an asset: it counts the asset's change reports and answers
// for the member the asset is the content of.

#include "DXInt/MoaXtraKinds.h"
#include "host/HostFaults.h"
#include "host/HostInterface.h"

namespace dxhost {

class THostAssetCallback final : public THostInterface<IMoaAssetCallback> {
 public:
  // member (may be null) is what a query for the member interface gives.
  THostAssetCallback(THostFaults& faults, IMoaDrCastMem* member)
      : THostInterface(kIID_IMoaAssetCallback), faults_(faults), member_(member) {}

  MoaError MOA_CALL AssetChanged() override;

  int Changes() const { return changes_; }

 protected:
  IMoaUnknown* FindOther(const MoaInterfaceID& iid) override;

 private:
  THostFaults& faults_;
  IMoaDrCastMem* member_;
  int changes_ = 0;
};

}  // namespace dxhost
