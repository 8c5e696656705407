#pragma once

// The entry points a module exports to the host, under their plain names and with the C
// calling convention, and the class table one of them hands out.

#include "DXInt/MoaHostServices.h"

// One (class, interface) pair the module offers. The table ends with an entry whose two
// identifiers are all zero.
struct MoaClassTableEntry {
  MoaClassID ClassID;
  MoaLong ClassVersion;  // 1
  MoaInterfaceID InterfaceID;
  MoaLong InterfaceVersion;  // 1
};
static_assert(sizeof(MoaClassTableEntry) == 40);

extern "C" {
using TMoaCreateCallback = MoaError (*)(MoaObjectRecord* record);
using TMoaDestroyCallback = void (*)(MoaObjectRecord* record);

using TDllGetClassForm = MoaError (*)(const MoaClassID* classId, MoaLong* objectSize,
                                      TMoaCreateCallback* create, TMoaDestroyCallback* destroy);
using TDllCanUnloadNow = MoaError (*)();
using TDllGetClassObject = MoaError (*)(const void* first, const void* second, void** out);
using TDllGetInterface = MoaError (*)(MoaObjectRecord* record, void* unused,
                                      const MoaInterfaceID* iid, void** out);
// The table is allocated from the given allocator and belongs to the host afterwards.
using TDllGetClassInfo = MoaError (*)(IMoaAllocator* allocator, MoaClassTableEntry** table);
}
