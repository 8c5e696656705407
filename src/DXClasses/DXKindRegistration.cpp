// What registration writes for the asset, transition asset, tool and property page kinds.

#include <optional>

#include "DXClasses/DXClassInfo.h"
#include "DXClasses/DXIcons.h"
#include "DXClasses/DXKindCaps.h"
#include "DXClasses/DXRegistration.h"
#include "DXInt/MoaIdentifiers.h"

namespace {

constexpr std::int32_t kAssetActor = 1;
constexpr std::int32_t kTransitionActor = 2;

MoaError PutIcon(TDXRegistration& registration, const char* key,
                 const std::optional<std::string_view>& icon) {
  return icon ? registration.PutBytes(key, *icon) : kMoaOk;
}

MoaError PutTransition(TDXRegistration& registration, const TDXTransitionInfo& info) {
  if (MoaError result = registration.PutWord("transitionCaps", TransitionCaps(info))) return result;
  if (MoaError result =
          registration.PutInteger("transitionDefaultChunkSize", info.DefaultChunkSize, 0))
    return result;
  if (MoaError result =
          registration.PutInteger("transitionDefaultArea", TransitionDefaultArea(info), 0))
    return result;
  return registration.PutInteger("transitionDefaultDuration", info.DefaultDuration, 0);
}

}  // namespace

MoaError RegisterAssetClass(TDXRegistration& registration, const TDXRegistryEntry& entry) {
  const bool transition = entry.Class->Kind == TDXClassKind::TransitionAsset;
  const TDXAssetInfo info = AssetInfoOf(*entry.Class);
  if (MoaError result = registration.AddEntry(entry.ClassID, kIID_IMoaAsset)) return result;
  if (MoaError result = registration.PutString("symbolString", info.SymbolString)) return result;
  if (MoaError result = registration.PutString("displayNameString", info.DisplayName))
    return result;
  if (MoaError result = registration.PutString("displayCategoryString", info.DisplayCategory))
    return result;
  if (MoaError result =
          registration.PutInteger("actorType", transition ? kTransitionActor : kAssetActor))
    return result;
  if (MoaError result = registration.PutWord("assetCaps", AssetCaps(info.Flags, transition)))
    return result;
  if (transition)
    if (MoaError result = PutTransition(registration, TransitionInfoOf(*entry.Class)))
      return result;
  if (MoaError result = PutIcon(registration, "colorIcon", ColorIcon(info.IconName))) return result;
  if (MoaError result = PutIcon(registration, "BWIcon", BlackAndWhiteIcon(info.IconName)))
    return result;
  return registration.PutBoolean("safeForShockwave", info.SafeForShockwave);
}

MoaError RegisterToolClass(TDXRegistration& registration, const TDXRegistryEntry& entry) {
  const TDXToolInfo info = ToolInfoOf(*entry.Class);
  if (MoaError result = registration.AddEntry(entry.ClassID, kIID_IMoaTool)) return result;
  if (MoaError result = registration.PutString("displayNameString", info.DisplayName))
    return result;
  if (MoaError result = registration.PutString("displayCategoryString", info.DisplayCategory))
    return result;
  return registration.PutInteger("alwaysEnabled", 0);
}

MoaError RegisterPropertyPageClass(TDXRegistration& registration, const TDXRegistryEntry& entry) {
  const TDXPropertyPageInfo page = PropertyPageInfoOf(*entry.Class);
  const TDXAssetInfo asset = page.AssetClass ? AssetInfoOf(*page.AssetClass) : TDXAssetInfo();
  if (MoaError result = registration.AddEntry(entry.ClassID, kIID_IMoaPropertyPage)) return result;
  return registration.PutString("VDLPath", "member\n" + asset.SymbolString);
}
