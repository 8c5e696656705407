#include "platform/DeviceContext.h"

#include <windows.h>

namespace platform {
namespace {

HDC AsDC(TDeviceContext context) {
  return static_cast<HDC>(context);
}

}  // namespace

TDeviceContext CreateMemoryContext() {
  return CreateCompatibleDC(nullptr);
}

void DeleteMemoryContext(TDeviceContext context) {
  if (context) DeleteDC(AsDC(context));
}

int RasterMode(TDeviceContext context) {
  return GetROP2(AsDC(context));
}

void SetRasterMode(TDeviceContext context, int mode) {
  SetROP2(AsDC(context), mode);
}

int SaveContextState(TDeviceContext context) {
  return SaveDC(AsDC(context));
}

void RestoreContextState(TDeviceContext context, int level) {
  RestoreDC(AsDC(context), level);
}

}  // namespace platform
