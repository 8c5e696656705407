#pragma once

// The records a class's class-level operations receive.

#include <string>

#include "DXClasses/DXInterfaces.h"
#include "DXClasses/DXScriptFunctions.h"

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
