#pragma once

// The host's registry cache and its dictionaries, which keep what a module registers for each
// of its classes.

#include "DXInt/MoaUnknown.h"

// Dictionary value types.
enum MoaDictType : MoaLong {
  kMoaDictInteger = 3,  // 32-bit integer, 4 bytes
  kMoaDictBoolean = 6,  // one byte
  kMoaDictBytes = 8,    // raw bytes of the given size
  kMoaDictString = 9,   // zero-terminated text; put with size 0
};

class IMoaDict : public IMoaUnknown {
 public:
  virtual MoaError MOA_CALL Reserved3() = 0;
  virtual MoaError MOA_CALL Reserved4() = 0;
  // Copies at most size bytes of the entry under key into buffer.
  virtual MoaError MOA_CALL Get(MoaLong type, void* buffer, MoaLong size, const char* key) = 0;
  virtual MoaError MOA_CALL Put(MoaLong type, const void* data, MoaLong size,
                                const char* key) = 0;  // 6
  virtual MoaError MOA_CALL Reserved7() = 0;
  virtual MoaError MOA_CALL Reserved8() = 0;
  virtual MoaError MOA_CALL Reserved9() = 0;
  // Type and size of the entry under key (a string's size counts its terminator); either out
  // may be null. Fails when there is no such entry.
  virtual MoaError MOA_CALL GetEntryInfo(MoaLong* type, MoaLong* size, const char* key) = 0;  // 10

 protected:
  ~IMoaDict() = default;
};

// Called for every registry entry; the entry dictionary is lent for the call only.
using TMoaRegistryVisitor = MoaError(MOA_CALL*)(IMoaDict* entry, const MoaClassID* classId,
                                                const MoaInterfaceID* iid, void* context);

class IMoaRegistryCache : public IMoaUnknown {
 public:
  virtual MoaError MOA_CALL Reserved3() = 0;
  virtual MoaError MOA_CALL Reserved4() = 0;
  virtual MoaError MOA_CALL EnumerateEntries(TMoaRegistryVisitor visitor, void* context) = 0;  // 5
  virtual MoaError MOA_CALL Reserved6() = 0;
  // A new entry for (class, interface) of the Xtra whose dictionary is given; the entry's own
  // dictionary comes back with one reference.
  virtual MoaError MOA_CALL AddRegistryEntry(IMoaDict* xtraDict, const MoaClassID* classId,
                                             const MoaInterfaceID* iid, IMoaDict** entry) = 0;  // 7

 protected:
  ~IMoaRegistryCache() = default;
};
