#pragma once

// A call the host makes into Xtra code: whatever the code raises becomes the given result code,
// never an exception in the host.

#include "DXInt/MoaTypes.h"

template <class TBody>
MoaError DXGuarded(MoaError failure, TBody&& body) noexcept {
  try {
    return body();
  } catch (...) {
    return failure;
  }
}
