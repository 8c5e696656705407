#include "DXClasses/DXRegistryDictionary.h"

#include "DXClasses/DXClassRegistry.h"
#include "DXClasses/DXDictionary.h"
#include "DXInt/MoaIdentifiers.h"

namespace {

struct TSearch {
  MoaClassID ClassID;
  Ref<IMoaDict> Found;
};

MoaError MOA_CALL KeepRegisterEntry(IMoaDict* entry, const MoaClassID* classId,
                                    const MoaInterfaceID* iid, void* context) {
  TSearch& search = *static_cast<TSearch*>(context);
  if (entry && classId && iid && *classId == search.ClassID && *iid == kIID_IMoaRegister)
    search.Found = Ref<IMoaDict>::Retain(entry);
  return kMoaOk;
}

}  // namespace

Ref<IDXDictionary> RegistryDictionaryOf(IMoaHostServices* hostServices) {
  const MoaClassID* registerClass = TDXClassRegistry::Instance().RegisterClassID();
  if (!hostServices || !registerClass) return nullptr;
  IMoaRegistryCache* registry = nullptr;
  if (hostServices->GetRegistry(&registry) != kMoaOk || !registry) return nullptr;
  const Ref<IMoaRegistryCache> held = Ref<IMoaRegistryCache>::Adopt(registry);
  TSearch search{*registerClass, nullptr};
  held->EnumerateEntries(&KeepRegisterEntry, &search);
  if (!search.Found) return nullptr;
  return MakeRef<TDXDictionary>(std::move(search.Found));
}
