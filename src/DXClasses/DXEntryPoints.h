#pragma once

// What the module's exported entry points do (ModuleExports.cpp exports them under their plain
// names). None lets an exception out.

#include "DXInt/MoaExports.h"

// Size of the host record and the two callbacks of a registered class; kDXErrClassNotFound,
// with the out-arguments untouched, for any other identifier.
MoaError DXGetClassForm(const MoaClassID* classId, MoaLong* objectSize, TMoaCreateCallback* create,
                        TMoaDestroyCallback* destroy) noexcept;
// kDXErrObjectsAlive while any framework object is alive, else 0.
MoaError DXCanUnloadNow() noexcept;
// Class objects are not offered: always kDXErrClassNotFound.
MoaError DXGetClassObject() noexcept;
// The interface iid of the object of a host record; kDXErrNotSupported when it has none.
MoaError DXGetInterface(MoaObjectRecord* record, const MoaInterfaceID* iid, void** out) noexcept;
// The class table, allocated from the host's allocator; kDXErrOutOfMemory when that fails.
MoaError DXGetClassInfo(IMoaAllocator* allocator, MoaClassTableEntry** table) noexcept;
