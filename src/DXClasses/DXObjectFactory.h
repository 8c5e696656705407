#pragma once

// Making and ending framework objects for the host: the create and destroy callbacks that
// DllGetClassForm hands out, and the count of live objects.

#include "DXClasses/DXClassRegistry.h"
#include "DXInt/MoaHostServices.h"

class TDXObjectFactory {
 public:
  // Create callback: prepares the class on its first object, then allocates the object through
  // the record's allocator and constructs it. 0, kDXErrClassNotFound for a class that is not
  // registered, kDXErrOutOfMemory when the object cannot be made.
  static MoaError Create(MoaObjectRecord* record) noexcept;
  // Destroy callback: drops the record's reference to the object; the record stays with the
  // host.
  static void Destroy(MoaObjectRecord* record) noexcept;

  static int LiveObjects() noexcept;

 private:
  friend class TDXClass;

  // What a TDXClass constructor is made for; valid only inside Create.
  static MoaObjectRecord& RecordUnderConstruction() noexcept;
  static const TDXMetaClass& ClassUnderConstruction() noexcept;
  // Returns an ended object's memory, and the record too when asked, to the record's allocator.
  static void FreeObject(MoaObjectRecord& record, void* memory, bool freeRecord) noexcept;
};
