#include "DXClasses/DXRegistration.h"

MoaError TDXRegistration::AddEntry(const MoaClassID& classId, const MoaInterfaceID& iid) {
  entry_.Reset();
  IMoaDict* entry = nullptr;
  const MoaError result = cache_.AddRegistryEntry(xtraDict_, &classId, &iid, &entry);
  if (entry) entry_ = MakeRef<TDXDictionary>(Ref<IMoaDict>::Adopt(entry));
  return result;
}

MoaError TDXRegistration::PutString(const char* key, const std::string& text) {
  return entry_ ? entry_->PutString(key, text) : kDXErrNotSupported;
}

MoaError TDXRegistration::PutInteger(const char* key, std::int32_t value, MoaLong size) {
  return entry_ ? entry_->PutInteger(key, value, size) : kDXErrNotSupported;
}

MoaError TDXRegistration::PutBoolean(const char* key, bool value) {
  return entry_ ? entry_->PutBoolean(key, value) : kDXErrNotSupported;
}

MoaError TDXRegistration::PutBytes(const char* key, std::string_view bytes) {
  return entry_ ? entry_->PutBytes(key, bytes) : kDXErrNotSupported;
}

MoaError TDXRegistration::PutWord(const char* key, std::uint32_t word) {
  return PutBytes(key, std::string_view(reinterpret_cast<const char*>(&word), sizeof word));
}
