#include "host/HostAssetCallback.h"

#include "host/HostSlots.h"

namespace dxhost {

MoaError MOA_CALL THostAssetCallback::AssetChanged() {
  if (MoaError fault = faults_.Check(kAssetCallbackAssetChanged)) return fault;
  ++changes_;
  return kMoaOk;
}

IMoaUnknown* THostAssetCallback::FindOther(const MoaInterfaceID& iid) {
  if (iid == kIID_IMoaDrCastMem) return member_;
  return nullptr;
}

}  // namespace dxhost
