#pragma once

// One registration pass: the registry entries it adds, one after another, and the puts into the
// entry added last. Every call answers the host's result; the first failure ends the pass.

#include <string_view>

#include "DXClasses/DXClassRegistry.h"
#include "DXClasses/DXDictionary.h"

class TDXRegistration {
 public:
  TDXRegistration(IMoaRegistryCache& cache, IMoaDict* xtraDict)
      : cache_(cache), xtraDict_(xtraDict) {}

  // A registry entry for (class, interface), the entry the puts below go to.
  MoaError AddEntry(const MoaClassID& classId, const MoaInterfaceID& iid);

  MoaError PutString(const char* key, const std::string& text);
  MoaError PutInteger(const char* key, std::int32_t value, MoaLong size = 4);
  MoaError PutBoolean(const char* key, bool value);
  MoaError PutBytes(const char* key, std::string_view bytes);
  // A 32-bit word as 4 raw bytes.
  MoaError PutWord(const char* key, std::uint32_t word);

 private:
  IMoaRegistryCache& cache_;
  IMoaDict* xtraDict_;
  Ref<TDXDictionary> entry_;
};

// The entries of the asset (transition assets too), tool and property page kinds.
MoaError RegisterAssetClass(TDXRegistration& registration, const TDXRegistryEntry& entry);
MoaError RegisterToolClass(TDXRegistration& registration, const TDXRegistryEntry& entry);
MoaError RegisterPropertyPageClass(TDXRegistration& registration, const TDXRegistryEntry& entry);
