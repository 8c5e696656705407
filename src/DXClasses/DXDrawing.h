#pragma once

// Drawing for the host: the hook draws into the host's device context, prepared with the copy
// pen, its state saved before and restored after, also when the hook fails.

#include "DXClasses/DXGuard.h"
#include "DXClasses/DXInterfaces.h"
#include "DXInt/MoaXtraKinds.h"
#include "platform/DeviceContext.h"

inline TDXRect RectFromHost(const MoaRectRecord& rect) {
  return {rect.Left, rect.Top, rect.Right, rect.Bottom};
}

// kDXErrInvalid without a context or rectangle; kDXErrCallFailed when the hook raises.
template <class THook>
MoaError DrawGuarded(MoaDeviceContext context, const MoaRectRecord* rect, THook&& hook) noexcept {
  if (!context || !rect) return kDXErrInvalid;
  return DXGuarded(kDXErrCallFailed, [&] {
    const platform::TDrawingScope scope(context);
    hook(context, RectFromHost(*rect));
    return kMoaOk;
  });
}
