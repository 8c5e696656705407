#pragma once

// The records a class's class-level operations receive.

#include <cstdint>
#include <string>

#include "DXClasses/DXAwEvents.h"
#include "DXClasses/DXInterfaces.h"
#include "DXClasses/DXScriptFunctions.h"

struct TDXMetaClass;

// Handed to a scripting class's DeclareFunctions.
struct TDXScriptInfo {
  bool SafeForShockwave = false;  // preset true at registration; stored as "safeForShockwave"
  std::string MsgTable;           // the method-table text used only when nothing is declared
  std::string XtraName;           // the Xtra's Lingo name, first line of the method table
  Ref<IDXScriptFunctions> Functions;
};

// Handed to a class's InitializeClass before its first object is made.
struct TDXInitializeClassInfo {
  Ref<IDXSymbolManager> SymbolManager;
  Ref<IDXDictionary> RegistryDictionary;  // the register class's registry entry, if any
  MoaLong HostValue = 0;                  // from the host's utility service, passed on as is
};

// Filled by an asset class's GetAssetInfo: what registration writes for it, and its texts for
// the authoring environment.
struct TDXAssetInfo {
  std::string SymbolString;  // the asset type's Lingo symbol
  std::string DisplayName;
  std::string DisplayCategory;
  // The bitmap resources of the class's icons: IconName and IconName + "_BW"; empty for the
  // framework's default icons.
  std::string IconName;
  // Bits 0 to 4 and 6 are registered as the "assetCaps" bits (bits 4 and 6 for plain assets
  // only, not for transitions).
  std::uint8_t Flags = 0;
  bool SafeForShockwave = true;
  Ref<IDXAwEvents> Events;  // where the class declares its authoring events
};

// Filled by a transition asset class's GetTransitionInfo.
struct TDXTransitionInfo {
  std::uint8_t Flag1 = 0;  // "transitionCaps" 0x1; with Flag4 also the default area
  std::uint8_t Flag2 = 0;  // "transitionCaps" 0x4
  std::uint8_t Flag3 = 0;  // "transitionCaps" 0x2
  std::int32_t DefaultDuration = 0;
  std::int32_t DefaultChunkSize = 0;
  std::uint8_t Flag4 = 0;
};

// Filled by a tool class's GetToolInfo.
struct TDXToolInfo {
  std::string DisplayName;
  std::string DisplayCategory;
};

// Filled by a property page class's GetPropertyPageInfo.
struct TDXPropertyPageInfo {
  const TDXMetaClass* AssetClass = nullptr;  // the asset class of the page: &MetaClassOf<T>()
  std::string PageName;
};

// A class's information, as its class method fills it on a fresh record.
TDXAssetInfo AssetInfoOf(const TDXMetaClass& metaClass);
TDXTransitionInfo TransitionInfoOf(const TDXMetaClass& metaClass);
TDXToolInfo ToolInfoOf(const TDXMetaClass& metaClass);
TDXPropertyPageInfo PropertyPageInfoOf(const TDXMetaClass& metaClass);
