#include "platform/DeviceContext.h"

#include <cstddef>
#include <vector>

namespace platform {
namespace {

// The stand-in: a fresh context draws with the copy pen, as a Windows one does.
struct TPortableContext {
  int RasterMode = kRasterCopyPen;
  std::vector<int> Saved;  // the raster mode of each saved state, level 1 first
};

TPortableContext& AsContext(TDeviceContext context) {
  return *static_cast<TPortableContext*>(context);
}

}  // namespace

TDeviceContext CreateMemoryContext() {
  return new TPortableContext;
}

void DeleteMemoryContext(TDeviceContext context) {
  delete &AsContext(context);
}

int RasterMode(TDeviceContext context) {
  return AsContext(context).RasterMode;
}

void SetRasterMode(TDeviceContext context, int mode) {
  AsContext(context).RasterMode = mode;
}

int SaveContextState(TDeviceContext context) {
  TPortableContext& state = AsContext(context);
  state.Saved.push_back(state.RasterMode);
  return int(state.Saved.size());
}

void RestoreContextState(TDeviceContext context, int level) {
  TPortableContext& state = AsContext(context);
  if (level < 1 || std::size_t(level) > state.Saved.size()) return;
  state.RasterMode = state.Saved[std::size_t(level) - 1];
  state.Saved.resize(std::size_t(level) - 1);
}

}  // namespace platform
