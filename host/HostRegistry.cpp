#include "host/HostRegistry.h"

#include <algorithm>
#include <cstring>

namespace dxhost {

// ---- Dictionaries

MoaError MOA_CALL THostDictionary::Get(MoaLong, void* buffer, MoaLong size, const char* key) {
  if (MoaError fault = faults_.Check(THostService::Dictionary, 5, key ? key : "")) return fault;
  if (!key || !buffer || size < 0) return kHostErrBadValue;
  const auto found = entries_.find(key);
  if (found == entries_.end()) return kHostErrNotFound;
  const std::string& bytes = found->second.Bytes;
  std::memcpy(buffer, bytes.data(), std::min(bytes.size(), std::size_t(size)));
  return kMoaOk;
}

MoaError MOA_CALL THostDictionary::Put(MoaLong type, const void* data, MoaLong size,
                                       const char* key) {
  if (MoaError fault = faults_.Check(THostService::Dictionary, 6, key ? key : "")) return fault;
  if (!key || !data || size < 0) return kHostErrBadValue;
  const char* bytes = static_cast<const char*>(data);
  // A string is put with size 0 and kept with its terminator.
  const std::size_t count =
      (type == kMoaDictString && size == 0) ? std::strlen(bytes) + 1 : std::size_t(size);
  entries_[key] = {type, std::string(bytes, count)};
  return kMoaOk;
}

MoaError MOA_CALL THostDictionary::GetEntryInfo(MoaLong* type, MoaLong* size, const char* key) {
  if (MoaError fault = faults_.Check(THostService::Dictionary, 10, key ? key : "")) return fault;
  if (!key) return kHostErrBadValue;
  const auto found = entries_.find(key);
  if (found == entries_.end()) return kHostErrNotFound;
  if (type) *type = found->second.Type;
  if (size) *size = MoaLong(found->second.Bytes.size());
  return kMoaOk;
}

std::optional<MoaLong> THostDictionary::TypeOf(const std::string& key) const {
  const auto found = entries_.find(key);
  if (found == entries_.end()) return std::nullopt;
  return found->second.Type;
}

std::optional<std::string> THostDictionary::Bytes(const std::string& key) const {
  const auto found = entries_.find(key);
  if (found == entries_.end()) return std::nullopt;
  return found->second.Bytes;
}

std::optional<std::string> THostDictionary::String(const std::string& key) const {
  std::optional<std::string> bytes = Bytes(key);
  if (bytes && !bytes->empty() && bytes->back() == '\0') bytes->pop_back();
  return bytes;
}

// ---- Registry cache

MoaError MOA_CALL THostRegistry::EnumerateEntries(TMoaRegistryVisitor visitor, void* context) {
  if (MoaError fault = faults_.Check(THostService::Registry, 5)) return fault;
  if (!visitor) return kHostErrBadValue;
  for (TEntry& entry : entries_)
    if (MoaError stop =
            visitor(entry.Dictionary.get(), &entry.ClassID, &entry.InterfaceID, context))
      return stop;
  return kMoaOk;
}

MoaError MOA_CALL THostRegistry::AddRegistryEntry(IMoaDict*, const MoaClassID* classId,
                                                  const MoaInterfaceID* iid, IMoaDict** entry) {
  if (MoaError fault = faults_.Check(THostService::Registry, 7)) return fault;
  if (!classId || !iid || !entry) return kHostErrBadValue;
  THostDictionary* dictionary = Find(*classId, *iid);
  if (!dictionary) {
    entries_.push_back({*classId, *iid, std::make_unique<THostDictionary>(faults_)});
    dictionary = entries_.back().Dictionary.get();
  }
  dictionary->AddRef();
  *entry = dictionary;
  return kMoaOk;
}

THostDictionary* THostRegistry::Find(const MoaClassID& classId, const MoaInterfaceID& iid) {
  for (TEntry& entry : entries_)
    if (entry.ClassID == classId && entry.InterfaceID == iid) return entry.Dictionary.get();
  return nullptr;
}

std::vector<MoaClassID> THostRegistry::ClassesWith(const MoaInterfaceID& iid) const {
  std::vector<MoaClassID> classes;
  for (const TEntry& entry : entries_)
    if (entry.InterfaceID == iid) classes.push_back(entry.ClassID);
  return classes;
}

int THostRegistry::OutstandingAll() const {
  int outstanding = Outstanding();
  for (const TEntry& entry : entries_) outstanding += entry.Dictionary->Outstanding();
  return outstanding;
}

}  // namespace dxhost
