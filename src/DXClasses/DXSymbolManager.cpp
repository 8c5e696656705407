#include "DXClasses/DXSymbolManager.h"

MoaMmSymbol TDXSymbolManager::StringToSymbol(const std::string& name) const {
  MoaMmSymbol symbol = 0;
  if (values_) values_->StringToSymbol(name.c_str(), &symbol);
  return symbol;
}
