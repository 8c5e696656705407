#include "DXClasses/DXClassInfo.h"

#include "DXClasses/DXClassRegistry.h"

namespace {

// A record as a class method fills it, from what it holds before.
template <class TInfo>
TInfo Filled(void (*fill)(TInfo&), TInfo info = {}) {
  if (fill) fill(info);
  return info;
}

}  // namespace

TDXAssetInfo AssetInfoOf(const TDXMetaClass& metaClass) {
  TDXAssetInfo info;
  info.Events = MakeRef<TDXAwEvents>();
  return Filled(metaClass.AssetInfo, std::move(info));
}

TDXTransitionInfo TransitionInfoOf(const TDXMetaClass& metaClass) {
  return Filled(metaClass.TransitionInfo);
}

TDXToolInfo ToolInfoOf(const TDXMetaClass& metaClass) {
  return Filled(metaClass.ToolInfo);
}

TDXPropertyPageInfo PropertyPageInfoOf(const TDXMetaClass& metaClass) {
  return Filled(metaClass.PropertyPageInfo);
}
