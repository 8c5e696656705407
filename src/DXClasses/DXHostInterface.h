#pragma once

// Holding host interfaces: a host interface counts its references itself, so the project's
// Ref handle holds it as it holds our own objects.

#include "DXInt/MoaUnknown.h"
#include "common/RefCounted.h"

// The interface iid of a host object, with one reference of its own; empty when the object is
// missing or refuses.
template <class TInterface>
Ref<TInterface> QueryHostInterface(IMoaUnknown* from, const MoaInterfaceID& iid) noexcept {
  if (!from) return nullptr;
  void* out = nullptr;
  if (from->QueryInterface(&iid, &out) != kMoaOk || !out) return nullptr;
  return Ref<TInterface>::Adopt(static_cast<TInterface*>(out));
}
