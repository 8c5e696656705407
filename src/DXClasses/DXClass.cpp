#include "DXClasses/DXClass.h"

#include <new>

#include "DXClasses/DXHostInterface.h"
#include "DXClasses/DXLists.h"
#include "DXClasses/DXMovie.h"
#include "DXClasses/DXObjectFactory.h"
#include "DXClasses/DXRegistryDictionary.h"
#include "DXClasses/DXSymbolManager.h"
#include "DXInt/MoaIdentifiers.h"

namespace {

constexpr MoaUlong kColorMask = 0x00FFFFFF;

}  // namespace

TDXClass::TDXClass()
    : record_(TDXObjectFactory::RecordUnderConstruction()),
      metaClass_(TDXObjectFactory::ClassUnderConstruction()),
      result_(MakeRef<TDXValue>()),
      factory_(*this) {}

TDXClass::~TDXClass() = default;

Ref<IMoaMmValue> TDXClass::ValueService() const {
  return QueryHostInterface<IMoaMmValue>(record_.HostServices, kIID_IMoaMmValue);
}

Ref<IDXValue> TDXClass::NewValue() const {
  return MakeRef<TDXValue>();
}

Ref<IDXValue> TDXClass::NewStringValue(std::string_view text) const {
  const Ref<TDXValue> value = MakeRef<TDXValue>();
  value->SetAsString(text);
  return value;
}

Ref<IDXPropertyList> TDXClass::NewPropertyList() const {
  Ref<TDXPropertyList> list = MakeRef<TDXPropertyList>(ValueService());
  // The host could not make one: as good as out of memory for the method that wanted it.
  if (!list->HoldsHostList()) throw std::bad_alloc();
  return list;
}

Ref<IDXSymbolManager> TDXClass::NewSymbolManager() const {
  return MakeRef<TDXSymbolManager>(ValueService());
}

Ref<IMoaHandleService> TDXClass::HandleService() const {
  return QueryHostInterface<IMoaHandleService>(record_.HostServices, kIID_IMoaHandleService);
}

Ref<IDXMovie> TDXClass::GetMovie() {
  if (movie_) return movie_;
  const Ref<IMoaPlayer> player =
      QueryHostInterface<IMoaPlayer>(record_.HostServices, kIID_IMoaPlayer);
  if (!player) return nullptr;
  void* movie = nullptr;
  const MoaError result = player->GetActiveMovie(&movie);
  Ref<IMoaDrMovie> held = Ref<IMoaDrMovie>::Adopt(static_cast<IMoaDrMovie*>(movie));
  if (result != kMoaOk || !held) return nullptr;
  movie_ = MakeRef<TDXMovie>(*this, std::move(held));
  return movie_;
}

Ref<IDXDictionary> TDXClass::GetRegistryDictionary() {
  if (!registryDictionary_) registryDictionary_ = RegistryDictionaryOf(record_.HostServices);
  return registryDictionary_;
}

TDXAppInfo TDXClass::GetAppInfo() const {
  return ModuleAppInfo();
}

MoaUlong TDXClass::PaletteToRGB(MoaUlong color) const {
  if (color >= 256) return color & kColorMask;
  MoaUlong converted = 0;
  if (const Ref<IMoaMessageService> messages =
          QueryHostInterface<IMoaMessageService>(record_.HostServices, kIID_IMoaMessageService))
    messages->PaletteIndexToColor(MoaLong(color), &converted);
  return converted & kColorMask;
}

void TDXClass::PrintMessage(const std::string& text) const {
  if (const Ref<IMoaMessageService> messages =
          QueryHostInterface<IMoaMessageService>(record_.HostServices, kIID_IMoaMessageService))
    messages->PrintMessage(text.c_str());
}

void TDXClass::AcquireContext() {
  const Ref<IMoaUtility> utility =
      QueryHostInterface<IMoaUtility>(record_.HostServices, kIID_IMoaUtility);
  MoaLong handle = 0;
  if (utility && utility->AcquireContext(&handle) == kMoaOk) contextHandle_ = handle;
}

void TDXClass::ReleaseContext() {
  // Only a context the host handed out goes back.
  if (contextHandle_ == 0) return;
  if (const Ref<IMoaUtility> utility =
          QueryHostInterface<IMoaUtility>(record_.HostServices, kIID_IMoaUtility))
    utility->ReleaseContext(contextHandle_);
  contextHandle_ = 0;
}

MoaError TDXClass::QueryInterface(const MoaInterfaceID* iid, void** out) noexcept {
  if (!out) return kMoaErrNoInterface;
  IMoaUnknown* found = iid ? FindInterface(*iid) : nullptr;
  *out = found;
  if (!found) return kMoaErrNoInterface;
  AddRef();
  return kMoaOk;
}

IMoaUnknown* TDXClass::FindInterface(const MoaInterfaceID& iid) noexcept {
  if (iid == kIID_IMoaUnknown || iid == kIID_IMoaClassFactory) return &factory_;
  return nullptr;
}

MoaUlong TDXClass::AddRef() noexcept {
  record_.RefCount = ++refCount_;
  return MoaUlong(refCount_);
}

MoaUlong TDXClass::Release() noexcept {
  const MoaLong before = refCount_;
  record_.RefCount = before - 1;
  if (before == 2 && record_.Object) {
    record_.Object = nullptr;
    Destroy(true);
    return 0;
  }
  refCount_ = before - 1;
  if (refCount_ > 0) return MoaUlong(refCount_);
  Destroy(false);
  return 0;
}

void TDXClass::Destroy(bool freeRecord) noexcept {
  MoaObjectRecord& record = record_;
  void* memory = dynamic_cast<void*>(this);
  this->~TDXClass();
  TDXObjectFactory::FreeObject(record, memory, freeRecord);
}

MoaError MOA_CALL TDXClass::TFactoryInterface::CreateInstance(IMoaUnknown* outer,
                                                              const MoaInterfaceID*,
                                                              void** out) noexcept {
  // Objects are made through the create callback only: this answers success, makes nothing.
  if (outer) outer->Release();
  if (out) *out = nullptr;
  return kMoaOk;
}

MoaError MOA_CALL TDXClass::TFactoryInterface::LockServer(MoaLong) noexcept {
  return kMoaOk;
}
