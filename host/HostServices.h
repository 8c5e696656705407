#pragma once

// The host services interface every object record carries: its query gives each service by
// identifier; it makes objects of registered classes and hands out the registry.

#include "host/HostAppServices.h"
#include "host/HostHandles.h"
#include "host/HostRegistry.h"
#include "host/HostValueServices.h"

namespace dxhost {

// Who makes objects for the host services (the host, through the module's entry points).
class IHostObjectMaker {
 public:
  virtual MoaError CreateObject(const MoaClassID& classId, const MoaInterfaceID& iid,
                                void** out) = 0;

 protected:
  ~IHostObjectMaker() = default;
};

struct THostServiceSet {
  THostFaults& Faults;
  THostValueService& Values;
  THostAppInfo& AppInfo;
  THostUtility& Utility;
  THostPlayer& Player;
  THostMessages& Messages;
  THostRegistry& Registry;
  IHostObjectMaker& Maker;
  THostHandles& Handles;
};

class THostServices final : public THostInterface<IMoaHostServices> {
 public:
  explicit THostServices(const THostServiceSet& services) : services_(services) {}

  MoaError MOA_CALL CreateObject(const MoaClassID* classId, const MoaInterfaceID* iid,
                                 void** out) override;
  MoaError MOA_CALL GetRegistry(IMoaRegistryCache** registry) override;

 protected:
  IMoaUnknown* FindOther(const MoaInterfaceID& iid) override;

 private:
  THostServiceSet services_;
};

}  // namespace dxhost
