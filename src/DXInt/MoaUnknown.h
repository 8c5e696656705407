#pragma once

// The three operations that open every host interface: query by identifier, add a reference,
// release one. Declared as abstract classes without a virtual destructor, so that the table of
// operations is exactly the host's: slot 0 query, 1 add reference, 2 release, then each
// interface's own operations in order.

#include "DXInt/MoaTypes.h"

class IMoaUnknown {
 public:
  // 0 and one new reference in *out; otherwise kMoaErrNoInterface and null in *out.
  virtual MoaError MOA_CALL QueryInterface(const MoaInterfaceID* iid, void** out) = 0;
  virtual MoaUlong MOA_CALL AddRef() = 0;
  virtual MoaUlong MOA_CALL Release() = 0;

 protected:
  ~IMoaUnknown() = default;
};
