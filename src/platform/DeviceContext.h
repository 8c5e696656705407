#pragma once

// Device contexts for drawing. On Windows they are the system's device contexts; elsewhere a
// stand-in keeps the state the framework sets on them (the raster mode and the saved states),
// so that drawing code runs and can be checked on both systems.

namespace platform {

// A Windows HDC, or the stand-in's context.
using TDeviceContext = void*;

// Raster modes, numbered as Windows numbers them.
inline constexpr int kRasterXorPen = 7;
inline constexpr int kRasterCopyPen = 13;

// A context for drawing off screen, or null; ended with DeleteMemoryContext.
TDeviceContext CreateMemoryContext();
void DeleteMemoryContext(TDeviceContext context);

int RasterMode(TDeviceContext context);
void SetRasterMode(TDeviceContext context, int mode);
// Saves the context's state; the level to restore it with, 0 when nothing was saved.
int SaveContextState(TDeviceContext context);
// Restores the state saved at level, dropping the states saved after it.
void RestoreContextState(TDeviceContext context, int level);

// For one scope: the context's state saved and the copy pen set; the state restored at its
// end, whatever the drawing left.
class TDrawingScope {
 public:
  explicit TDrawingScope(TDeviceContext context)
      : context_(context), level_(context ? SaveContextState(context) : 0) {
    if (context_) SetRasterMode(context_, kRasterCopyPen);
  }
  TDrawingScope(const TDrawingScope&) = delete;
  TDrawingScope& operator=(const TDrawingScope&) = delete;
  ~TDrawingScope() {
    if (level_ > 0) RestoreContextState(context_, level_);
  }

 private:
  TDeviceContext context_;
  int level_;
};

}  // namespace platform
