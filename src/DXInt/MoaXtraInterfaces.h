#pragma once

// The interfaces a module's objects offer the host, and the record of a Lingo call.

#include <cstddef>

#include "DXInt/MoaRegistry.h"
#include "DXInt/MoaValueServices.h"

class IMoaClassFactory : public IMoaUnknown {
 public:
  virtual MoaError MOA_CALL CreateInstance(IMoaUnknown* outer, const MoaInterfaceID* iid,
                                           void** out) = 0;  // 3
  virtual MoaError MOA_CALL LockServer(MoaLong lock) = 0;

 protected:
  ~IMoaClassFactory() = default;
};

class IMoaRegister : public IMoaUnknown {
 public:
  virtual MoaError MOA_CALL Register(IMoaRegistryCache* cache, IMoaDict* xtraDict) = 0;  // 3

 protected:
  ~IMoaRegister() = default;
};

// One Lingo call: the method number, the arguments and the place for the result.
struct MoaDrCallInfo {
  std::uint8_t Reserved[8];
  MoaLong Selector;   // 0-based line of the method table after the "xtra" line
  MoaMmValue Result;  // prepared by the host; written by the module
  MoaLong ArgCount;
  MoaMmValue* Args;  // ArgCount values
};

#if defined(_WIN32) && !defined(_WIN64)
static_assert(offsetof(MoaDrCallInfo, Selector) == 8);
static_assert(offsetof(MoaDrCallInfo, Result) == 12);
static_assert(offsetof(MoaDrCallInfo, ArgCount) == 20);
static_assert(offsetof(MoaDrCallInfo, Args) == 24);
#endif

class IMoaScriptCall : public IMoaUnknown {
 public:
  virtual MoaError MOA_CALL Call(MoaDrCallInfo* call) = 0;  // 3

 protected:
  ~IMoaScriptCall() = default;
};

// Three operations a scripting object answers without doing anything.
class IMoaScriptStub : public IMoaUnknown {
 public:
  virtual MoaError MOA_CALL StubGet(MoaLong* value) = 0;  // 3
  virtual MoaError MOA_CALL StubSet(MoaLong value) = 0;
  virtual MoaError MOA_CALL StubNotify(MoaLong value) = 0;

 protected:
  ~IMoaScriptStub() = default;
};

// Start-up and shut-down notifications of classes registered for them.
class IMoaInitialize : public IMoaUnknown {
 public:
  virtual MoaError MOA_CALL Initialize() = 0;  // 3

 protected:
  ~IMoaInitialize() = default;
};

class IMoaFinalize : public IMoaUnknown {
 public:
  virtual MoaError MOA_CALL Finalize() = 0;  // 3

 protected:
  ~IMoaFinalize() = default;
};
