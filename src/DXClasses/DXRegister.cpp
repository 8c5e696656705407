#include "DXClasses/DXRegister.h"

#include "DXClasses/DXScript.h"
#include "DXInt/MoaIdentifiers.h"

namespace {

constexpr std::uint8_t kTrue = 0xFF;
constexpr std::uint8_t kFalse = 0x00;

class TRegistration {
 public:
  TRegistration(IMoaRegistryCache& cache, IMoaDict* xtraDict)
      : cache_(cache), xtraDict_(xtraDict) {}

  // A registry entry for (class, interface), kept as the current entry for the puts below.
  MoaError AddEntry(const MoaClassID& classId, const MoaInterfaceID& iid) {
    entry_.Reset();
    IMoaDict* entry = nullptr;
    const MoaError result = cache_.AddRegistryEntry(xtraDict_, &classId, &iid, &entry);
    entry_ = Ref<IMoaDict>::Adopt(entry);
    return result;
  }

  MoaError PutString(const char* key, const std::string& text) {
    return entry_ ? entry_->Put(kMoaDictString, text.c_str(), 0, key) : kDXErrNotSupported;
  }

  MoaError PutBoolean(const char* key, bool value) {
    const std::uint8_t byte = value ? kTrue : kFalse;
    return entry_ ? entry_->Put(kMoaDictBoolean, &byte, 1, key) : kDXErrNotSupported;
  }

 private:
  IMoaRegistryCache& cache_;
  IMoaDict* xtraDict_;
  Ref<IMoaDict> entry_;
};

MoaError RegisterScript(TRegistration& registration, const TDXRegistryEntry& entry) {
  const TDXScriptRegistration script = ScriptRegistration(*entry.Class);
  if (MoaError result = registration.AddEntry(entry.ClassID, kIID_IMoaScriptCall)) return result;
  if (MoaError result = registration.PutString("msgTable", script.MsgTable)) return result;
  return registration.PutBoolean("safeForShockwave", script.SafeForShockwave);
}

MoaError RegisterKindEntries(TRegistration& registration, const TDXRegistryEntry& entry) {
  switch (entry.Class->Kind) {
    case TDXClassKind::Initializer:
      if (MoaError result = registration.AddEntry(entry.ClassID, kIID_IMoaInitialize))
        return result;
      return registration.AddEntry(entry.ClassID, kIID_IMoaFinalize);
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
  try {
    return static_cast<TDXRegister&>(Owner()).Register(*cache, xtraDict);
  } catch (...) {
    return kDXErrOutOfMemory;
  }
}

MoaError TDXRegister::Register(IMoaRegistryCache& cache, IMoaDict* xtraDict) {
  TRegistration registration(cache, xtraDict);
  const std::span<TDXRegistryEntry> entries = TDXClassRegistry::Instance().Entries();
  for (const TDXRegistryEntry& entry : entries)
    if (entry.Class->Kind == TDXClassKind::Register)
      if (MoaError result = registration.AddEntry(entry.ClassID, kIID_IMoaRegister)) return result;
  for (const TDXRegistryEntry& entry : entries)
    if (MoaError result = RegisterKindEntries(registration, entry)) return result;
  return RegistrationAllowed() ? kMoaOk : kDXErrOutOfMemory;
}
