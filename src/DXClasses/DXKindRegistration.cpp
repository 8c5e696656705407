// What registration writes for the asset, transition asset, tool and property page kinds.

#include <optional>

#include "DXClasses/DXClassInfo.h"
#include "DXClasses/DXIcons.h"
#include "DXClasses/DXRegistration.h"
#include "DXInt/MoaIdentifiers.h"

namespace {

constexpr std::int32_t kAssetActor = 1;
constexpr std::int32_t kTransitionActor = 2;

// The host's "assetCaps" bits for the flags of an asset class's information.
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
          registration.PutInteger("transitionDefaultArea", (info.Flag1 && info.Flag4) ? 1 : 0, 0))
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
