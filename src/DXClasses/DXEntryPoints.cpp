#include "DXClasses/DXEntryPoints.h"

#include <span>

#include "DXClasses/DXClassRegistry.h"
#include "DXClasses/DXModule.h"
#include "DXClasses/DXObjectFactory.h"
#include "DXInt/MoaIdentifiers.h"

namespace {

// Every class gets at most three entries (an initializer: class factory and two more).
constexpr std::size_t kMaxEntriesPerClass = 3;

extern "C" MoaError CreateCallback(MoaObjectRecord* record) {
  return TDXObjectFactory::Create(record);
}

extern "C" void DestroyCallback(MoaObjectRecord* record) {
  TDXObjectFactory::Destroy(record);
}

// The interfaces the host may ask of a class's objects besides the class factory, by kind.
std::span<const MoaInterfaceID> KindInterfaces(TDXClassKind kind) {
  static constexpr MoaInterfaceID kRegister[] = {kIID_IMoaRegister};
  static constexpr MoaInterfaceID kInitializer[] = {kIID_IMoaInitialize, kIID_IMoaFinalize};
  static constexpr MoaInterfaceID kScript[] = {kIID_IMoaScriptCall};
  static constexpr MoaInterfaceID kTool[] = {kIID_IMoaTool};
  static constexpr MoaInterfaceID kPropertyPage[] = {kIID_IMoaPropertyPage};
  static constexpr MoaInterfaceID kAsset[] = {kIID_IMoaAsset};
  static constexpr MoaInterfaceID kTransition[] = {kIID_IMoaTransition};
  static constexpr MoaInterfaceID kSprite[] = {kIID_IMoaSprite};
  switch (kind) {
    case TDXClassKind::Register:
      return kRegister;
    case TDXClassKind::Initializer:
      return kInitializer;
    case TDXClassKind::Script:
      return kScript;
    case TDXClassKind::Tool:
      return kTool;
    case TDXClassKind::PropertyPage:
      return kPropertyPage;
    case TDXClassKind::TransitionAsset:
    case TDXClassKind::Asset:
      return kAsset;
    case TDXClassKind::Transition:
      return kTransition;
    case TDXClassKind::Sprite:
      return kSprite;
    case TDXClassKind::Plain:
      break;
  }
  return {};
}

MoaClassTableEntry* WriteEntry(MoaClassTableEntry* at, const MoaClassID& classId,
                               const MoaInterfaceID& iid) {
  *at = {classId, 1, iid, 1};
  return at + 1;
}

}  // namespace

MoaError DXGetClassForm(const MoaClassID* classId, MoaLong* objectSize, TMoaCreateCallback* create,
                        TMoaDestroyCallback* destroy) noexcept {
  EnsureModuleStarted();
  if (!classId || !TDXClassRegistry::Instance().FindByClassID(*classId)) return kDXErrClassNotFound;
  if (objectSize) *objectSize = MoaLong(sizeof(MoaObjectRecord));
  if (create) *create = &CreateCallback;
  if (destroy) *destroy = &DestroyCallback;
  return kMoaOk;
}

MoaError DXCanUnloadNow() noexcept {
  return TDXObjectFactory::LiveObjects() > 0 ? kDXErrObjectsAlive : kMoaOk;
}

MoaError DXGetClassObject() noexcept {
  return kDXErrClassNotFound;
}

MoaError DXGetInterface(MoaObjectRecord* record, const MoaInterfaceID* iid, void** out) noexcept {
  if (!record || !record->Object || !iid || !out) return kDXErrNotSupported;
  return record->Object->QueryInterface(iid, out) == kMoaOk ? kMoaOk : kDXErrNotSupported;
}

MoaError DXGetClassInfo(IMoaAllocator* allocator, MoaClassTableEntry** table) noexcept {
  EnsureModuleStarted();
  if (!allocator || !table) return kDXErrOutOfMemory;
  const std::span<TDXRegistryEntry> entries = TDXClassRegistry::Instance().Entries();
  const std::size_t bytes = (entries.size() * kMaxEntriesPerClass + 1) * sizeof(MoaClassTableEntry);
  auto* first = static_cast<MoaClassTableEntry*>(allocator->Allocate(MoaUlong(bytes)));
  if (!first) return kDXErrOutOfMemory;
  MoaClassTableEntry* at = first;
  for (const TDXRegistryEntry& entry : entries) {
    at = WriteEntry(at, entry.ClassID, kIID_IMoaClassFactory);
    for (const MoaInterfaceID& iid : KindInterfaces(entry.Class->Kind))
      at = WriteEntry(at, entry.ClassID, iid);
  }
  // The terminator: both identifiers zero; its two words are left as they are.
  at->ClassID = {};
  at->InterfaceID = {};
  *table = first;
  return kMoaOk;
}
