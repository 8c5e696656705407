#include "DXClasses/DXObjectFactory.h"

#include <cassert>
#include <cstdint>

#include "DXClasses/DXAppInfo.h"
#include "DXClasses/DXClass.h"
#include "DXClasses/DXClassInfo.h"
#include "DXClasses/DXGuard.h"
#include "DXClasses/DXHostInterface.h"
#include "DXClasses/DXModule.h"
#include "DXClasses/DXRegistryDictionary.h"
#include "DXClasses/DXScript.h"
#include "DXClasses/DXSymbolManager.h"
#include "DXInt/MoaIdentifiers.h"

namespace {

int gLiveObjects = 0;
MoaObjectRecord* gRecordUnderConstruction = nullptr;
const TDXMetaClass* gClassUnderConstruction = nullptr;

// Marks the record and class being constructed for the constructors to find, for one scope.
class TConstructionScope {
 public:
  TConstructionScope(MoaObjectRecord& record, const TDXMetaClass& metaClass) {
    gRecordUnderConstruction = &record;
    gClassUnderConstruction = &metaClass;
  }
  ~TConstructionScope() {
    gRecordUnderConstruction = nullptr;
    gClassUnderConstruction = nullptr;
  }
};

TDXInitializeClassInfo ClassInfoFor(const MoaObjectRecord& record) {
  TDXInitializeClassInfo info;
  info.SymbolManager = MakeRef<TDXSymbolManager>(
      QueryHostInterface<IMoaMmValue>(record.HostServices, kIID_IMoaMmValue));
  info.RegistryDictionary = RegistryDictionaryOf(record.HostServices);
  if (const Ref<IMoaUtility> utility =
          QueryHostInterface<IMoaUtility>(record.HostServices, kIID_IMoaUtility))
    utility->GetHostValue(&info.HostValue);
  return info;
}

// The class-level preparation, once per class in the module's life, inside the host's utility
// context. What it raises is dropped: the object is made all the same.
void PrepareClass(TDXRegistryEntry& entry, const MoaObjectRecord& record) {
  entry.Declared = true;
  const Ref<IMoaUtility> utility =
      QueryHostInterface<IMoaUtility>(record.HostServices, kIID_IMoaUtility);
  MoaLong context = 0;
  const bool acquired = utility && utility->AcquireContext(&context) == kMoaOk;
  DXGuarded([&] {
    TDXInitializeClassInfo info = ClassInfoFor(record);
    if (entry.Class->Kind == TDXClassKind::Script) PrepareScriptClass(entry, info);
    if (entry.Class->IsAsset() && entry.Class->InitializeClass) entry.Class->InitializeClass(info);
  });
  if (acquired) utility->ReleaseContext(context);
}

bool Aligned(const void* memory, std::size_t alignment) {
  return reinterpret_cast<std::uintptr_t>(memory) % alignment == 0;
}

MoaError Construct(const TDXRegistryEntry& entry, MoaObjectRecord& record) {
  IMoaAllocator* allocator = record.Allocator;
  if (!allocator) return kDXErrOutOfMemory;
  void* memory = allocator->Allocate(MoaUlong(entry.Class->InstanceSize));
  if (!memory) return kDXErrOutOfMemory;
  if (!Aligned(memory, entry.Class->InstanceAlignment)) {
    allocator->Free(memory);
    return kDXErrOutOfMemory;
  }
  record.Object = nullptr;
  TDXClass* object = nullptr;
  {
    TConstructionScope scope(record, *entry.Class);
    ++gLiveObjects;
    object = DXGuarded<TDXClass*>(nullptr, [&] { return entry.Class->Construct(memory); });
  }
  if (!object) {
    --gLiveObjects;
    allocator->Free(memory);
    return kDXErrOutOfMemory;
  }
  // Construction over, the provisional count gives way to the record's one reference.
  record.Object = object->BasicInterface();
  record.RefCount = 1;
  return kMoaOk;
}

}  // namespace

MoaError TDXObjectFactory::Create(MoaObjectRecord* record) noexcept {
  return DXGuarded(kDXErrOutOfMemory, [&] {
    if (!record) return kDXErrClassNotFound;
    EnsureModuleStarted();
    ReadAppInfoOnce(*record);
    TDXRegistryEntry* entry =
        record->ClassID ? TDXClassRegistry::Instance().FindByClassID(*record->ClassID) : nullptr;
    if (!entry) return kDXErrClassNotFound;
    if (!entry->Declared) PrepareClass(*entry, *record);
    return Construct(*entry, *record);
  });
}

void TDXObjectFactory::Destroy(MoaObjectRecord* record) noexcept {
  if (!record || !record->Object) return;
  IMoaUnknown* object = record->Object;
  record->Object = nullptr;
  object->Release();
}

int TDXObjectFactory::LiveObjects() noexcept {
  return gLiveObjects;
}

MoaObjectRecord& TDXObjectFactory::RecordUnderConstruction() noexcept {
  assert(gRecordUnderConstruction && "framework objects are made by the create callback only");
  return *gRecordUnderConstruction;
}

const TDXMetaClass& TDXObjectFactory::ClassUnderConstruction() noexcept {
  assert(gClassUnderConstruction && "framework objects are made by the create callback only");
  return *gClassUnderConstruction;
}

void TDXObjectFactory::FreeObject(MoaObjectRecord& record, void* memory, bool freeRecord) noexcept {
  IMoaAllocator* allocator = record.Allocator;
  allocator->Free(memory);
  --gLiveObjects;
  if (freeRecord) allocator->Free(&record);
}
