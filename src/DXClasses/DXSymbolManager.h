#pragma once

// TDXSymbolManager: names to host symbols.

#include "DXClasses/DXInterfaces.h"
#include "DXInt/MoaValueServices.h"

class TDXSymbolManager final : public IDXSymbolManager {
 public:
  explicit TDXSymbolManager(Ref<IMoaMmValue> values) : values_(std::move(values)) {}

  // The host's symbol of name (0 without a value service); the host's result is not looked at.
  MoaMmSymbol StringToSymbol(const std::string& name) const override;

 private:
  Ref<IMoaMmValue> values_;
};
