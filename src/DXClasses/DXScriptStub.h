#pragma once

// The three-operation interface that scripting objects, assets and sprites answer without doing
// anything: the first stores 0, all three return 0.

#include "DXClasses/DXClass.h"

class TDXScriptStubInterface final : public TDXEmbeddedInterface<IMoaScriptStub> {
 public:
  using TDXEmbeddedInterface::TDXEmbeddedInterface;
  MoaError MOA_CALL StubGet(MoaLong* value) noexcept override {
    if (value) *value = 0;
    return kMoaOk;
  }
  MoaError MOA_CALL StubSet(MoaLong) noexcept override { return kMoaOk; }
  MoaError MOA_CALL StubNotify(MoaLong) noexcept override { return kMoaOk; }
};
