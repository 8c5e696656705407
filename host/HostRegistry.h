#pragma once

// The host's registry cache: an entry dictionary per (class, interface) a module registers,
// keeping what is put so that it can be read back.

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "DXInt/MoaRegistry.h"
#include "host/HostFaults.h"
#include "host/HostInterface.h"

namespace dxhost {

class THostDictionary final : public THostInterface<IMoaDict> {
 public:
  explicit THostDictionary(THostFaults& faults) : THostInterface(kIID_IMoaDict), faults_(faults) {}

  MoaError MOA_CALL Reserved3() override { return kHostErrNotImplemented; }
  MoaError MOA_CALL Reserved4() override { return kHostErrNotImplemented; }
  MoaError MOA_CALL Get(MoaLong type, void* buffer, MoaLong size, const char* key) override;
  MoaError MOA_CALL Put(MoaLong type, const void* data, MoaLong size, const char* key) override;
  MoaError MOA_CALL Reserved7() override { return kHostErrNotImplemented; }
  MoaError MOA_CALL Reserved8() override { return kHostErrNotImplemented; }
  MoaError MOA_CALL Reserved9() override { return kHostErrNotImplemented; }
  MoaError MOA_CALL GetEntryInfo(MoaLong* type, MoaLong* size, const char* key) override;

  // ---- Reading back what was put.
  bool Has(const std::string& key) const { return entries_.count(key) > 0; }
  std::optional<MoaLong> TypeOf(const std::string& key) const;
  // The bytes as put (a string with its terminator).
  std::optional<std::string> Bytes(const std::string& key) const;
  // A string entry without its terminator.
  std::optional<std::string> String(const std::string& key) const;
  // A 32-bit integer entry.
  std::optional<MoaLong> Integer(const std::string& key) const;
  // The size the entry was put with, as given (0: the type's own).
  std::optional<MoaLong> PutSize(const std::string& key) const;
  // The keys in the order they were first put.
  const std::vector<std::string>& Keys() const { return keys_; }
  std::size_t Size() const { return entries_.size(); }

 private:
  struct TEntry {
    MoaLong Type;
    std::string Bytes;
    MoaLong PutSize;
  };

  THostFaults& faults_;
  std::map<std::string, TEntry> entries_;
  std::vector<std::string> keys_;
};

class THostRegistry final : public THostInterface<IMoaRegistryCache> {
 public:
  explicit THostRegistry(THostFaults& faults) : faults_(faults) {}

  MoaError MOA_CALL Reserved3() override { return kHostErrNotImplemented; }
  MoaError MOA_CALL Reserved4() override { return kHostErrNotImplemented; }
  MoaError MOA_CALL EnumerateEntries(TMoaRegistryVisitor visitor, void* context) override;
  MoaError MOA_CALL Reserved6() override { return kHostErrNotImplemented; }
  MoaError MOA_CALL AddRegistryEntry(IMoaDict* xtraDict, const MoaClassID* classId,
                                     const MoaInterfaceID* iid, IMoaDict** entry) override;

  // The entry dictionary of (class, interface), or null.
  THostDictionary* Find(const MoaClassID& classId, const MoaInterfaceID& iid);
  std::size_t Count() const { return entries_.size(); }
  // The classes registered with interface iid, in registration order.
  std::vector<MoaClassID> ClassesWith(const MoaInterfaceID& iid) const;
  void Clear() { entries_.clear(); }
  // References handed out by the registry and its dictionaries together.
  int OutstandingAll() const;

 private:
  struct TEntry {
    MoaClassID ClassID;
    MoaInterfaceID InterfaceID;
    std::unique_ptr<THostDictionary> Dictionary;
  };

  THostFaults& faults_;
  std::deque<TEntry> entries_;
};

}  // namespace dxhost
