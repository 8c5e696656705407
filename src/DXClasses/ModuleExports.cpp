// The five entry points the host calls, under their plain names and with the C calling
// convention. Compiled into each module (on Windows its .def file names them).

#include "DXClasses/DXEntryPoints.h"

#ifdef _WIN32
#define DX_EXPORT extern "C"
#else
#define DX_EXPORT extern "C" __attribute__((visibility("default")))
#endif

DX_EXPORT MoaError DllGetClassForm(const MoaClassID* classId, MoaLong* objectSize,
                                   TMoaCreateCallback* create, TMoaDestroyCallback* destroy) {
  return DXGetClassForm(classId, objectSize, create, destroy);
}

DX_EXPORT MoaError DllCanUnloadNow() {
  return DXCanUnloadNow();
}

DX_EXPORT MoaError DllGetClassObject(const void*, const void*, void**) {
  return DXGetClassObject();
}

DX_EXPORT MoaError DllGetInterface(MoaObjectRecord* record, void*, const MoaInterfaceID* iid,
                                   void** out) {
  return DXGetInterface(record, iid, out);
}

DX_EXPORT MoaError DllGetClassInfo(IMoaAllocator* allocator, MoaClassTableEntry** table) {
  return DXGetClassInfo(allocator, table);
}
