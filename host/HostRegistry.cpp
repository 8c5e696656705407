#include "host/HostRegistry.h"

#include "host/HostSlots.h"

#include <algorithm>
#include <cstring>

namespace dxhost {

// ---- Dictionaries

namespace {

// Size 0 asks for the type's own: a string with its terminator, an integer's 4 bytes, a
// Boolean's one byte.
std::size_t StoredSize(MoaLong type, const char* bytes, MoaLong size) {
  if (size != 0) return std::size_t(size);
  switch (type) {
    case kMoaDictString:
      return std::strlen(bytes) + 1;
    case kMoaDictInteger:
      return sizeof(MoaLong);
    case kMoaDictBoolean:
      return 1;
    default:
      return 0;
  }
}

}  // namespace

MoaError MOA_CALL THostDictionary::Get(MoaLong, void* buffer, MoaLong size, const char* key) {
  if (MoaError fault = faults_.Check(kDictionaryGet, key ? key : "")) return fault;
  if (!key || !buffer || size < 0) return kHostErrBadValue;
  const auto found = entries_.find(key);
  if (found == entries_.end()) return kHostErrNotFound;
  const std::string& bytes = found->second.Bytes;
  std::memcpy(buffer, bytes.data(), std::min(bytes.size(), std::size_t(size)));
  return kMoaOk;
}

MoaError MOA_CALL THostDictionary::Put(MoaLong type, const void* data, MoaLong size,
                                       const char* key) {
  if (MoaError fault = faults_.Check(kDictionaryPut, key ? key : "")) return fault;
  if (!key || !data || size < 0) return kHostErrBadValue;
  const char* bytes = static_cast<const char*>(data);
  if (!entries_.count(key)) keys_.emplace_back(key);
  entries_[key] = {type, std::string(bytes, StoredSize(type, bytes, size)), size};
  return kMoaOk;
}

MoaError MOA_CALL THostDictionary::GetEntryInfo(MoaLong* type, MoaLong* size, const char* key) {
  if (MoaError fault = faults_.Check(kDictionaryGetEntryInfo, key ? key : "")) return fault;
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

std::optional<MoaLong> THostDictionary::Integer(const std::string& key) const {
  const auto found = entries_.find(key);
  if (found == entries_.end() || found->second.Bytes.size() != sizeof(MoaLong)) return std::nullopt;
  MoaLong value = 0;
  std::memcpy(&value, found->second.Bytes.data(), sizeof value);
  return value;
}

std::optional<MoaLong> THostDictionary::PutSize(const std::string& key) const {
  const auto found = entries_.find(key);
  if (found == entries_.end()) return std::nullopt;
  return found->second.PutSize;
}

// ---- Registry cache

MoaError MOA_CALL THostRegistry::EnumerateEntries(TMoaRegistryVisitor visitor, void* context) {
  if (MoaError fault = faults_.Check(kRegistryEnumerateEntries)) return fault;
  if (!visitor) return kHostErrBadValue;
  for (TEntry& entry : entries_)
    if (MoaError stop =
            visitor(entry.Dictionary.get(), &entry.ClassID, &entry.InterfaceID, context))
      return stop;
  return kMoaOk;
}

MoaError MOA_CALL THostRegistry::AddRegistryEntry(IMoaDict*, const MoaClassID* classId,
                                                  const MoaInterfaceID* iid, IMoaDict** entry) {
  if (MoaError fault = faults_.Check(kRegistryAddRegistryEntry)) return fault;
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
