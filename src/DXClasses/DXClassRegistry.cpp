#include "DXClasses/DXClassRegistry.h"

TDXClassRegistry& TDXClassRegistry::Instance() {
  static TDXClassRegistry registry;
  return registry;
}

bool TDXClassRegistry::Add(const TDXMetaClass& metaClass, const MoaClassID& classId) {
  if (count_ == kCapacity) return false;
  entries_[count_++] = {&metaClass, classId, false, nullptr};
  if (metaClass.Kind == TDXClassKind::Register) {
    registerClassId_ = classId;
    hasRegisterClass_ = true;
  }
  return true;
}

TDXRegistryEntry* TDXClassRegistry::FindByClassID(const MoaClassID& classId) {
  for (TDXRegistryEntry& entry : Entries())
    if (entry.ClassID == classId) return &entry;
  return nullptr;
}

TDXRegistryEntry* TDXClassRegistry::FindByClass(const TDXMetaClass& metaClass) {
  for (TDXRegistryEntry& entry : Entries())
    if (entry.Class == &metaClass) return &entry;
  return nullptr;
}
