#pragma once

// TDXRegister: the class the host creates to register the module. Its Register writes a
// registry entry for every class the module offers; for a scripting class, the method-table
// text ("msgTable") and the "safeForShockwave" flag.

#include "DXClasses/DXClass.h"

class TDXRegister : public TDXClass {
 public:
  static constexpr TDXClassKind kDXClassKind = TDXClassKind::Register;

  TDXRegister();

 protected:
  // False vetoes the registration (the host gets kDXErrOutOfMemory); true by default.
  virtual bool RegistrationAllowed();

  IMoaUnknown* FindInterface(const MoaInterfaceID& iid) noexcept override;

 private:
  class TRegisterInterface final : public TDXEmbeddedInterface<IMoaRegister> {
   public:
    using TDXEmbeddedInterface::TDXEmbeddedInterface;
    MoaError MOA_CALL Register(IMoaRegistryCache* cache, IMoaDict* xtraDict) noexcept override;
  };

  // The first non-zero result of a host call ends the registration and is returned; entries
  // already written stay.
  MoaError Register(IMoaRegistryCache& cache, IMoaDict* xtraDict);

  TRegisterInterface register_;
};
