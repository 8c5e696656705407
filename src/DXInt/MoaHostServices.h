#pragma once

// What the host hands every object it asks a module to create: the object record, with the
// host services interface and the allocator, and the services reached through them.

#include <cstddef>

#include "DXInt/MoaRegistry.h"

class IMoaAllocator;

// The host services interface. Its query operation gives each service by identifier.
class IMoaHostServices : public IMoaUnknown {
 public:
  // Creates an object of a registered class and answers the interface asked for.
  virtual MoaError MOA_CALL CreateObject(const MoaClassID* classId, const MoaInterfaceID* iid,
                                         void** out) = 0;  // 3
  // The registry cache, with one reference.
  virtual MoaError MOA_CALL GetRegistry(IMoaRegistryCache** registry) = 0;  // 4

 protected:
  ~IMoaHostServices() = default;
};

class IMoaAllocator : public IMoaUnknown {
 public:
  // A block of size bytes, or null.
  virtual void* MOA_CALL Allocate(MoaUlong size) = 0;  // 3
  virtual void MOA_CALL Free(void* block) = 0;

 protected:
  ~IMoaAllocator() = default;
};

class IMoaAppInfo : public IMoaUnknown {
 public:
  // Information string number index, zero-terminated, at most size bytes in all.
  virtual MoaError MOA_CALL GetInfoString(MoaLong index, char* buffer, MoaLong size) = 0;  // 3

 protected:
  ~IMoaAppInfo() = default;
};

class IMoaUtility : public IMoaUnknown {
 public:
  virtual MoaError MOA_CALL Reserved3() = 0;
  // A value the framework hands on to class preparation without looking at it.
  virtual MoaError MOA_CALL GetHostValue(MoaLong* value) = 0;  // 4
  virtual MoaError MOA_CALL Reserved5() = 0;
  virtual MoaError MOA_CALL AcquireContext(MoaLong* handle) = 0;  // 6
  virtual MoaError MOA_CALL ReleaseContext(MoaLong handle) = 0;

 protected:
  ~IMoaUtility() = default;
};

class IMoaPlayer : public IMoaUnknown {
 public:
  virtual MoaError MOA_CALL Reserved3() = 0;
  virtual MoaError MOA_CALL Reserved4() = 0;
  virtual MoaError MOA_CALL Reserved5() = 0;
  // The active movie's interface, with one reference.
  virtual MoaError MOA_CALL GetActiveMovie(void** movie) = 0;  // 6

 protected:
  ~IMoaPlayer() = default;
};

class IMoaMessageService : public IMoaUnknown {
 public:
  virtual MoaError MOA_CALL PrintMessage(const char* text) = 0;  // 3
  virtual MoaError MOA_CALL Reserved4() = 0;
  virtual MoaError MOA_CALL Reserved5() = 0;
  virtual MoaError MOA_CALL Reserved6() = 0;
  virtual MoaError MOA_CALL Reserved7() = 0;
  virtual MoaError MOA_CALL Reserved8() = 0;
  virtual MoaError MOA_CALL Reserved9() = 0;
  virtual MoaError MOA_CALL PaletteIndexToColor(MoaLong index, MoaUlong* color) = 0;  // 10

 protected:
  ~IMoaMessageService() = default;
};

// The host's record of one object: allocated by the host with the size the module names, and
// kept by the framework at the offsets below.
struct MoaObjectRecord {
  std::uint8_t Reserved[8];
  IMoaHostServices* HostServices;
  IMoaAllocator* Allocator;
  const MoaClassID* ClassID;  // the class being created
  MoaLong RefCount;           // the object's count as the host sees it
  IMoaUnknown* Object;        // the object's basic interface, one reference
};

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(MoaObjectRecord) == 28);
static_assert(offsetof(MoaObjectRecord, HostServices) == 8);
static_assert(offsetof(MoaObjectRecord, Allocator) == 12);
static_assert(offsetof(MoaObjectRecord, ClassID) == 16);
static_assert(offsetof(MoaObjectRecord, RefCount) == 20);
static_assert(offsetof(MoaObjectRecord, Object) == 24);
#endif
