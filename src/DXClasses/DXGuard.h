#pragma once

// The one guard of code the host calls: whatever the body raises becomes the given failure
// (or, for a body that answers nothing, is dropped), never an exception in the host.
//
//   return DXGuarded(kDXErrCallFailed, [&] { return DoTheWork(); });

template <class TResult, class TBody>
TResult DXGuarded(TResult failure, TBody&& body) noexcept {
  try {
    return body();
  } catch (...) {
    return failure;
  }
}

template <class TBody>
void DXGuarded(TBody&& body) noexcept {
  try {
    body();
  } catch (...) {
  }
}
