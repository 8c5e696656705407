#include "DXClasses/DXInitializer.h"

#include <vector>

#include "DXClasses/DXGuard.h"
#include "DXClasses/DXHostInterface.h"
#include "DXInt/MoaIdentifiers.h"

namespace {

struct TKeptInitializer {
  MoaClassID ClassID;
  Ref<IDXInitializer> Initializer;
};

// The initializers kept between the host's start-up and shut-down calls.
std::vector<TKeptInitializer>& Kept() {
  static std::vector<TKeptInitializer> kept;
  return kept;
}

}  // namespace

TDXInitializer::TDXInitializer() : startup_(*this), shutdown_(*this), initializer_(*this) {}

void TDXInitializer::Initialize() {}

void TDXInitializer::Finalize() {}

IMoaUnknown* TDXInitializer::FindInterface(const MoaInterfaceID& iid) noexcept {
  if (iid == kIID_IMoaInitialize) return &startup_;
  if (iid == kIID_IMoaFinalize) return &shutdown_;
  if (iid == kIID_IDXInitializer) return &initializer_;
  return TDXClass::FindInterface(iid);
}

const MoaClassID* TDXInitializer::OwnClassID() const {
  const TDXRegistryEntry* entry = TDXClassRegistry::Instance().FindByClass(MetaClass());
  return entry ? &entry->ClassID : nullptr;
}

MoaError TDXInitializer::StartUp() {
  const MoaClassID* classId = OwnClassID();
  if (!classId || !HostServices()) return kDXErrClassNotFound;
  if (Kept().size() >= kMaxKept) return kDXErrOutOfMemory;
  void* made = nullptr;
  if (MoaError result = HostServices()->CreateObject(classId, &kIID_IMoaInitialize, &made))
    return result;
  const Ref<IMoaUnknown> object = Ref<IMoaUnknown>::Adopt(static_cast<IMoaUnknown*>(made));
  Ref<IDXInitializer> initializer =
      QueryHostInterface<IDXInitializer>(object.Get(), kIID_IDXInitializer);
  if (!initializer) return kDXErrNotSupported;
  Kept().push_back({*classId, initializer});
  return initializer->Initialize();
}

MoaError TDXInitializer::ShutDown() {
  const MoaClassID* classId = OwnClassID();
  std::vector<TKeptInitializer>& kept = Kept();
  for (auto it = kept.begin(); it != kept.end(); ++it) {
    if (!classId || !(it->ClassID == *classId)) continue;
    const Ref<IDXInitializer> initializer = std::move(it->Initializer);
    kept.erase(it);
    return initializer->Finalize();
  }
  return kMoaOk;
}

MoaError MOA_CALL TDXInitializer::TStartupInterface::Initialize() noexcept {
  return DXGuarded(kDXErrOutOfMemory,
                   [this] { return static_cast<TDXInitializer&>(Owner()).StartUp(); });
}

MoaError MOA_CALL TDXInitializer::TShutdownInterface::Finalize() noexcept {
  return DXGuarded(kDXErrOutOfMemory,
                   [this] { return static_cast<TDXInitializer&>(Owner()).ShutDown(); });
}

MoaError MOA_CALL TDXInitializer::TInitializerInterface::Initialize() noexcept {
  return DXGuarded(kDXErrOutOfMemory, [this] {
    static_cast<TDXInitializer&>(Owner()).Initialize();
    return kMoaOk;
  });
}

MoaError MOA_CALL TDXInitializer::TInitializerInterface::Finalize() noexcept {
  return DXGuarded(kDXErrOutOfMemory, [this] {
    static_cast<TDXInitializer&>(Owner()).Finalize();
    return kMoaOk;
  });
}
