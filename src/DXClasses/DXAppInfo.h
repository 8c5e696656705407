#pragma once

// The host application's information, read once per loaded module, on the first object
// creation.

#include <array>
#include <string>

#include "DXInt/MoaHostServices.h"

struct TDXAppInfo {
  // Host information strings 1, 0, 2, 3, 4, 5, 6, 7 and 8, in that order.
  std::array<std::string, 9> Fields;

  // "Author" while the host is the authoring environment; other texts elsewhere.
  const std::string& RunMode() const { return Fields[0]; }
};

// Symbols the asset and sprite frames use, made when the information is read.
struct TDXFrameSymbols {
  MoaMmSymbol Width = 0;
  MoaMmSymbol Height = 0;
  MoaMmSymbol Frame = 0;
};

// Reads the information and the symbols through the record's host services, the first time
// only.
void ReadAppInfoOnce(const MoaObjectRecord& record);
const TDXAppInfo& ModuleAppInfo();
const TDXFrameSymbols& ModuleFrameSymbols();
