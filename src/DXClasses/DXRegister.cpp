#include "DXClasses/DXRegister.h"

#include "DXClasses/DXGuard.h"
#include "DXClasses/DXRegistration.h"
#include "DXClasses/DXScript.h"
#include "DXInt/MoaIdentifiers.h"

namespace {

MoaError RegisterScript(TDXRegistration& registration, const TDXRegistryEntry& entry) {
  const TDXScriptRegistration script = ScriptRegistration(*entry.Class);
  if (MoaError result = registration.AddEntry(entry.ClassID, kIID_IMoaScriptCall)) return result;
  if (MoaError result = registration.PutString("msgTable", script.MsgTable)) return result;
  return registration.PutBoolean("safeForShockwave", script.SafeForShockwave);
}

MoaError RegisterKindEntries(TDXRegistration& registration, const TDXRegistryEntry& entry) {
  switch (entry.Class->Kind) {
    case TDXClassKind::Initializer:
      if (MoaError result = registration.AddEntry(entry.ClassID, kIID_IMoaInitialize))
        return result;
      return registration.AddEntry(entry.ClassID, kIID_IMoaFinalize);
    case TDXClassKind::PropertyPage:
      return RegisterPropertyPageClass(registration, entry);
    case TDXClassKind::TransitionAsset:
    case TDXClassKind::Asset:
      return RegisterAssetClass(registration, entry);
    case TDXClassKind::Tool:
      return RegisterToolClass(registration, entry);
    case TDXClassKind::Script:
      return RegisterScript(registration, entry);
    default:
      return kMoaOk;
  }
}

}  // namespace

TDXRegister::TDXRegister() : register_(*this) {}

bool TDXRegister::RegistrationAllowed() {
  return true;
}

IMoaUnknown* TDXRegister::FindInterface(const MoaInterfaceID& iid) noexcept {
  if (iid == kIID_IMoaRegister) return &register_;
  return TDXClass::FindInterface(iid);
}

MoaError MOA_CALL TDXRegister::TRegisterInterface::Register(IMoaRegistryCache* cache,
                                                            IMoaDict* xtraDict) noexcept {
  if (!cache) return kDXErrNotSupported;
  return DXGuarded(kDXErrOutOfMemory,
                   [&] { return static_cast<TDXRegister&>(Owner()).Register(*cache, xtraDict); });
}

MoaError TDXRegister::Register(IMoaRegistryCache& cache, IMoaDict* xtraDict) {
  TDXRegistration registration(cache, xtraDict);
  const std::span<TDXRegistryEntry> entries = TDXClassRegistry::Instance().Entries();
  for (const TDXRegistryEntry& entry : entries)
    if (entry.Class->Kind == TDXClassKind::Register)
      if (MoaError result = registration.AddEntry(entry.ClassID, kIID_IMoaRegister)) return result;
  for (const TDXRegistryEntry& entry : entries)
    if (MoaError result = RegisterKindEntries(registration, entry)) return result;
  return RegistrationAllowed() ? kMoaOk : kDXErrOutOfMemory;
}
