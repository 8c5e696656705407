#pragma once

// TDXClass: the base of every Xtra class. It ties a framework object to the host's record of
// it, lives in memory from the host's allocator, counts references the host's way and offers
// the host services that subclasses use.

#include <string>
#include <string_view>

#include "DXClasses/DXAppInfo.h"
#include "DXClasses/DXClassRegistry.h"
#include "DXClasses/DXValue.h"
#include "DXInt/MoaXtraInterfaces.h"

class TDXClass;
class IDXMovie;
class IMoaHandleService;

// One host interface of a framework object, held inside the object: its three counting
// operations are the object's own, so every interface shares one identity and one count.
template <class TInterface>
class TDXEmbeddedInterface : public TInterface {
 public:
  explicit TDXEmbeddedInterface(TDXClass& owner) : owner_(owner) {}
  TDXEmbeddedInterface(const TDXEmbeddedInterface&) = delete;
  TDXEmbeddedInterface& operator=(const TDXEmbeddedInterface&) = delete;

  MoaError MOA_CALL QueryInterface(const MoaInterfaceID* iid, void** out) noexcept override;
  MoaUlong MOA_CALL AddRef() noexcept override;
  MoaUlong MOA_CALL Release() noexcept override;

 protected:
  TDXClass& Owner() const { return owner_; }

 private:
  TDXClass& owner_;
};

class TDXClass {
 public:
  static constexpr TDXClassKind kDXClassKind = TDXClassKind::Plain;

  TDXClass(const TDXClass&) = delete;
  TDXClass& operator=(const TDXClass&) = delete;

  // ---- Services for subclasses. Each is asked of the host services of the object's record
  // when called; a service the host does not offer gives an empty reference.
  IMoaHostServices* HostServices() const { return record_.HostServices; }
  Ref<IMoaMmValue> ValueService() const;
  Ref<IDXValue> NewValue() const;
  Ref<IDXValue> NewStringValue(std::string_view text) const;
  // A new empty host property list; an inert empty list when the host has no list service.
  Ref<IDXPropertyList> NewPropertyList() const;
  Ref<IDXSymbolManager> NewSymbolManager() const;
  // The host's handle service, for member media.
  Ref<IMoaHandleService> HandleService() const;
  // The host's active movie (cached), or empty when the host has none.
  Ref<IDXMovie> GetMovie();
  // The dictionary of the module's register-class registry entry (cached), or empty.
  Ref<IDXDictionary> GetRegistryDictionary();
  TDXAppInfo GetAppInfo() const;
  // A palette index (below 256) as a 24-bit colour; any other colour word without its top byte.
  MoaUlong PaletteToRGB(MoaUlong color) const;
  // Hands a text to the host's message window.
  void PrintMessage(const std::string& text) const;
  void AcquireContext();
  void ReleaseContext();

  // The object's result value, kept for its whole life.
  TDXValue& Result() const { return *result_; }

  // ---- Identity and reference counting, shared by all interfaces of the object.
  MoaError QueryInterface(const MoaInterfaceID* iid, void** out) noexcept;
  MoaUlong AddRef() noexcept;
  // The release that leaves only the record's own reference ends the object: the host is done
  // with it, so the object and then the record go back to the host's allocator.
  MoaUlong Release() noexcept;
  IMoaUnknown* BasicInterface() noexcept { return &factory_; }
  const TDXMetaClass& MetaClass() const { return metaClass_; }
  MoaObjectRecord& HostObject() const { return record_; }

 protected:
  // Runs only inside the create callback, which supplies the record and the class.
  TDXClass();
  virtual ~TDXClass();

  // The interface iid of this object without a new reference, or null. Descendants answer
  // their own interfaces and leave the rest to their base.
  virtual IMoaUnknown* FindInterface(const MoaInterfaceID& iid) noexcept;

 private:
  friend class TDXObjectFactory;

  class TFactoryInterface final : public TDXEmbeddedInterface<IMoaClassFactory> {
   public:
    using TDXEmbeddedInterface::TDXEmbeddedInterface;
    MoaError MOA_CALL CreateInstance(IMoaUnknown* outer, const MoaInterfaceID* iid,
                                     void** out) noexcept override;
    MoaError MOA_CALL LockServer(MoaLong lock) noexcept override;
  };

  void Destroy(bool freeRecord) noexcept;

  MoaObjectRecord& record_;
  const TDXMetaClass& metaClass_;
  Ref<TDXValue> result_;
  Ref<IDXMovie> movie_;
  Ref<IDXDictionary> registryDictionary_;
  MoaLong contextHandle_ = 0;
  MoaLong refCount_ = 1;  // provisional while the object is constructed
  TFactoryInterface factory_;
};

template <class TInterface>
MoaError MOA_CALL TDXEmbeddedInterface<TInterface>::QueryInterface(const MoaInterfaceID* iid,
                                                                   void** out) noexcept {
  return owner_.QueryInterface(iid, out);
}

template <class TInterface>
MoaUlong MOA_CALL TDXEmbeddedInterface<TInterface>::AddRef() noexcept {
  return owner_.AddRef();
}

template <class TInterface>
MoaUlong MOA_CALL TDXEmbeddedInterface<TInterface>::Release() noexcept {
  return owner_.Release();
}
