#include "host/HostServices.h"

#include "host/HostSlots.h"

namespace dxhost {

MoaError MOA_CALL THostServices::CreateObject(const MoaClassID* classId, const MoaInterfaceID* iid,
                                              void** out) {
  if (MoaError fault = services_.Faults.Check(kHostServicesCreateObject)) return fault;
  if (!classId || !iid || !out) return kHostErrBadValue;
  return services_.Maker.CreateObject(*classId, *iid, out);
}

MoaError MOA_CALL THostServices::GetRegistry(IMoaRegistryCache** registry) {
  if (MoaError fault = services_.Faults.Check(kHostServicesGetRegistry)) return fault;
  if (!registry) return kHostErrBadValue;
  services_.Registry.AddRef();
  *registry = &services_.Registry;
  return kMoaOk;
}

IMoaUnknown* THostServices::FindOther(const MoaInterfaceID& iid) {
  if (services_.Faults.Refused(iid)) return nullptr;
  if (iid == kIID_IMoaMmValue) return &services_.Values;
  if (iid == kIID_IMoaMmList) return &services_.Values.Lists();
  if (iid == kIID_IMoaColorService) return &services_.Values.Colors();
  if (iid == kIID_IMoaPairService) return &services_.Values.Pairs();
  if (iid == kIID_IMoaAppInfo) return &services_.AppInfo;
  if (iid == kIID_IMoaUtility) return &services_.Utility;
  if (iid == kIID_IMoaPlayer) return &services_.Player;
  if (iid == kIID_IMoaMessageService) return &services_.Messages;
  if (iid == kIID_IMoaHandleService) return &services_.Handles;
  return nullptr;
}

}  // namespace dxhost
