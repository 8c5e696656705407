#pragma once

// TDXAsset: the base of an asset Xtra, a cast-member type of the host. A subclass
//   - describes the type in a static GetAssetInfo (symbol, names, icons, flags, authoring
//     events), which registration and the authoring texts read,
//   - publishes property methods and functions, or overrides GetProperty, SetProperty and
//     CallFunction (see TDXPropertyObject),
//   - saves and loads its properties and media through the stream wrappers,
//   - overrides the hooks it needs; each runs guarded: what it raises is the host's failure.
// TDXTransitionAsset is the same for a transition type, with a static GetTransitionInfo.

#include "DXClasses/DXClassInfo.h"
#include "DXClasses/DXHostObjects.h"
#include "DXClasses/DXPropertyObject.h"
#include "DXClasses/DXScriptStub.h"
#include "platform/DeviceContext.h"

class TDXAsset : public TDXPropertyObject {
 public:
  static constexpr TDXClassKind kDXClassKind = TDXClassKind::Asset;

  // Every asset class describes itself.
  static void GetAssetInfo(TDXAssetInfo& info) = delete;
  // Runs once before the first object of the class is made; nothing by default.
  static void InitializeClass(TDXInitializeClassInfo&) {}

  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }

 protected:
  TDXAsset();
  ~TDXAsset() override;

  // ---- Size. An asset that keeps its own size answers the host's size query with it, and a
  // set of its "width" or "height" property goes through the adjustments first; a change is
  // kept and reported to the host.
  void KeepOwnSize(std::int32_t width, std::int32_t height);
  // The width or height to keep for one asked for; as asked by default.
  virtual std::int32_t AdjustWidth(std::int32_t width);
  virtual std::int32_t AdjustHeight(std::int32_t height);

  // ---- Persistence: false fails the host's save or load. Nothing to save by default.
  virtual bool SaveProperties(IDXWriteStream& stream);
  virtual bool LoadProperties(IDXReadStream& stream);
  virtual bool SaveMedia(IDXWriteStream& stream);
  virtual bool LoadMedia(IDXReadStream& stream);
  virtual bool PropertiesValid();            // true
  virtual bool MediaValid();                 // true
  virtual std::int32_t PropertiesVersion();  // 0
  virtual std::int32_t MediaVersion();       // 0

  // ---- Other hooks.
  // A host notification; not accepted by default.
  virtual bool AcceptNotification(MoaLong code, MoaLong data);
  // The media is needed (or no more), may be purged (or not); true when the asset follows.
  virtual bool SetMediaState(bool needed, bool purgeable);
  // The class of the asset's sprites; none by default.
  virtual const MoaClassID* SpriteClass() const;
  virtual void EditFlags(bool& inPlace, bool& external);        // both false by default
  virtual void PlaybackFlags(bool& animates, bool& wantsIdle);  // both false by default
  // Run inside the host's utility context; nothing by default.
  virtual void Edit();
  virtual void ShowAbout();
  // Draws into a context prepared with the copy pen; its state is restored afterwards.
  virtual void Draw(platform::TDeviceContext context, const TDXRect& rect);

  // ---- The host's callbacks, once it gave them (else null or empty).
  IMoaAssetCallback* AssetCallback() const { return assetCallback_.Get(); }
  // The media of the member this asset is the content of.
  Ref<IDXCastMemberMedia> OwnMedia();
  // Tells the host the asset changed.
  void NotifyChanged();

  void OnSetProperty(MoaMmSymbol property, const IDXValue& value) override;
  IMoaUnknown* FindInterface(const MoaInterfaceID& iid) noexcept override;

 private:
  class TAssetInterface final : public TPropertyOwnerInterface<IMoaAsset> {
   public:
    using TPropertyOwnerInterface::TPropertyOwnerInterface;
    MoaError MOA_CALL SetCallback(IMoaUnknown* callback) noexcept override;
    MoaError MOA_CALL Notify(MoaLong code, MoaLong data) noexcept override;
    MoaError MOA_CALL GetDefaultRect(MoaRectRecord* rect) noexcept override;
    MoaError MOA_CALL SetMediaState(MoaLong flags) noexcept override;
    MoaError MOA_CALL SaveProperties(IMoaStream* stream) noexcept override;
    MoaError MOA_CALL LoadProperties(IMoaStream* stream) noexcept override;
    MoaError MOA_CALL CheckProperties() noexcept override;
    MoaError MOA_CALL GetPropertiesVersion(MoaLong* version) noexcept override;
    MoaError MOA_CALL GetPropertiesSize(MoaLong* size) noexcept override;
    MoaError MOA_CALL SaveMedia(IMoaStream* stream) noexcept override;
    MoaError MOA_CALL LoadMedia(IMoaStream* stream) noexcept override;
    MoaError MOA_CALL CheckMedia() noexcept override;
    MoaError MOA_CALL GetMediaVersion(MoaLong* version) noexcept override;
    MoaError MOA_CALL GetMediaSize(MoaLong* size) noexcept override;
    MoaError MOA_CALL NewSprite(void** sprite) noexcept override;
    MoaError MOA_CALL GetEditFlags(MoaLong* flags) noexcept override;
    MoaError MOA_CALL Edit() noexcept override;
    MoaError MOA_CALL GetPlaybackFlags(MoaLong* flags) noexcept override;
    MoaError MOA_CALL ShowAbout() noexcept override;
    MoaError MOA_CALL Draw(MoaDeviceContext context, const MoaRectRecord* rect) noexcept override;
    MoaError MOA_CALL Reserved26() noexcept override { return kMoaOk; }
    MoaError MOA_CALL Reserved27() noexcept override { return kMoaOk; }
    MoaError MOA_CALL Reserved28() noexcept override { return kMoaOk; }

   private:
    TDXAsset& Asset() const { return static_cast<TDXAsset&>(Owner()); }
  };
  class TDescriptionInterface final : public TDXEmbeddedInterface<IMoaAssetDescription> {
   public:
    using TDXEmbeddedInterface::TDXEmbeddedInterface;
    MoaError MOA_CALL GetAuthoringEvents(char* buffer, MoaLong size) noexcept override;
    MoaError MOA_CALL GetDisplayName(char* buffer, MoaLong size) noexcept override;
  };

  MoaError Save(IMoaStream* stream, bool (TDXAsset::*save)(IDXWriteStream&)) noexcept;
  MoaError Load(IMoaStream* stream, bool (TDXAsset::*load)(IDXReadStream&)) noexcept;
  MoaLong MeasuredSize(bool (TDXAsset::*save)(IDXWriteStream&)) noexcept;
  MoaError InContext(void (TDXAsset::*hook)()) noexcept;
  // What a hook answers, into out; two flags as bits 0 and 1.
  MoaError Report(MoaLong* out, std::int32_t (TDXAsset::*hook)()) noexcept;
  MoaError ReportFlags(MoaLong* out, void (TDXAsset::*hook)(bool&, bool&)) noexcept;
  void KeepCallback(IMoaUnknown* callback);

  TAssetInterface asset_;
  TDescriptionInterface description_;
  TDXScriptStubInterface stub_;
  Ref<IMoaUnknown> callback_;
  Ref<IMoaAssetCallback> assetCallback_;
  Ref<IMoaDrCastMem> member_;
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  bool keepsOwnSize_ = false;
};

class TDXTransitionAsset : public TDXAsset {
 public:
  static constexpr TDXClassKind kDXClassKind = TDXClassKind::TransitionAsset;

  // Every transition asset class describes its transition too.
  static void GetTransitionInfo(TDXTransitionInfo& info) = delete;
};
