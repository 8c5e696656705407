#include "DXClasses/DXKindCaps.h"

std::uint32_t AssetCaps(std::uint8_t flags, bool transition) {
  std::uint32_t caps = 0;
  if (flags & 0x01) caps |= 0x002;
  if (flags & 0x02) caps |= 0x001;
  if (flags & 0x04) caps |= 0x008;
  if (flags & 0x08) caps |= 0x030;
  if (!transition) {
    if (flags & 0x10) caps |= 0x200;
    if (flags & 0x40) caps |= 0x100;
  }
  return caps;
}

std::uint32_t TransitionCaps(const TDXTransitionInfo& info) {
  return (info.Flag1 ? 0x1u : 0u) | (info.Flag2 ? 0x4u : 0u) | (info.Flag3 ? 0x2u : 0u);
}

std::int32_t TransitionDefaultArea(const TDXTransitionInfo& info) {
  return (info.Flag1 && info.Flag4) ? 1 : 0;
}
