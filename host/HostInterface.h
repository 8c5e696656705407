#pragma once

// The base of every interface our host hands a module. The host owns these objects for its
// whole life; references are still counted, so that tests can check that a module gives back
// every reference it takes.

#include "DXInt/MoaIdentifiers.h"
#include "DXInt/MoaUnknown.h"
#include "host/HostErrors.h"

// A slot of a host interface that our host does not implement.
#define HOST_UNUSED_SLOT(n)                  \
  MoaError MOA_CALL Reserved##n() override { \
    return kHostErrNotImplemented;           \
  }

namespace dxhost {

template <class TInterface>
class THostInterface : public TInterface {
 public:
  // Answers for iid and for the basic interface; without an iid, for the basic interface only.
  explicit THostInterface(const MoaInterfaceID& iid = kIID_IMoaUnknown) : iid_(iid) {}
  THostInterface(const THostInterface&) = delete;
  THostInterface& operator=(const THostInterface&) = delete;

  MoaError MOA_CALL QueryInterface(const MoaInterfaceID* iid, void** out) override {
    if (!out) return kMoaErrNoInterface;
    *out = nullptr;
    if (!iid) return kMoaErrNoInterface;
    IMoaUnknown* found = (*iid == kIID_IMoaUnknown || *iid == iid_) ? this : FindOther(*iid);
    if (!found) return kMoaErrNoInterface;
    found->AddRef();
    *out = found;
    return kMoaOk;
  }
  MoaUlong MOA_CALL AddRef() override { return MoaUlong(++references_); }
  MoaUlong MOA_CALL Release() override { return MoaUlong(--references_); }

  // References handed out and not yet given back.
  int Outstanding() const { return references_; }

 protected:
  // Other interfaces this object answers for, without a new reference; none by default.
  virtual IMoaUnknown* FindOther(const MoaInterfaceID&) { return nullptr; }

 private:
  MoaInterfaceID iid_;
  int references_ = 0;
};

}  // namespace dxhost
