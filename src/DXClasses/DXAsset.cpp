#include "DXClasses/DXAsset.h"

#include <algorithm>
#include <cstring>

#include "DXClasses/DXCastMember.h"
#include "DXClasses/DXDrawing.h"
#include "DXClasses/DXGuard.h"
#include "DXClasses/DXHostInterface.h"
#include "DXClasses/DXStreams.h"
#include "DXInt/MoaIdentifiers.h"

namespace {

// Text into a host buffer of size bytes, cut to fit with its terminator.
MoaError CopyToHost(const std::string& text, char* buffer, MoaLong size) {
  if (!buffer || size <= 0) return kDXErrInvalid;
  const std::size_t count = std::min(text.size(), std::size_t(size - 1));
  std::memcpy(buffer, text.data(), count);
  buffer[count] = '\0';
  return kMoaOk;
}

}  // namespace

TDXAsset::TDXAsset() : asset_(*this), description_(*this), stub_(*this) {}

TDXAsset::~TDXAsset() = default;

void TDXAsset::KeepOwnSize(std::int32_t width, std::int32_t height) {
  keepsOwnSize_ = true;
  width_ = width;
  height_ = height;
}

std::int32_t TDXAsset::AdjustWidth(std::int32_t width) {
  return width;
}

std::int32_t TDXAsset::AdjustHeight(std::int32_t height) {
  return height;
}

bool TDXAsset::SaveProperties(IDXWriteStream&) {
  return true;
}

bool TDXAsset::LoadProperties(IDXReadStream&) {
  return true;
}

bool TDXAsset::SaveMedia(IDXWriteStream&) {
  return true;
}

bool TDXAsset::LoadMedia(IDXReadStream&) {
  return true;
}

bool TDXAsset::PropertiesValid() {
  return true;
}

bool TDXAsset::MediaValid() {
  return true;
}

std::int32_t TDXAsset::PropertiesVersion() {
  return 0;
}

std::int32_t TDXAsset::MediaVersion() {
  return 0;
}

bool TDXAsset::AcceptNotification(MoaLong, MoaLong) {
  return false;
}

bool TDXAsset::SetMediaState(bool, bool) {
  return true;
}

const MoaClassID* TDXAsset::SpriteClass() const {
  return nullptr;
}

void TDXAsset::EditFlags(bool& inPlace, bool& external) {
  inPlace = false;
  external = false;
}

void TDXAsset::PlaybackFlags(bool& animates, bool& wantsIdle) {
  animates = false;
  wantsIdle = false;
}

void TDXAsset::Edit() {}

void TDXAsset::ShowAbout() {}

void TDXAsset::Draw(platform::TDeviceContext, const TDXRect&) {}

Ref<IDXCastMemberMedia> TDXAsset::OwnMedia() {
  if (!member_) return nullptr;
  return MakeRef<TDXCastMemberMedia>(*this, member_);
}

void TDXAsset::NotifyChanged() {
  if (assetCallback_) assetCallback_->AssetChanged();
}

void TDXAsset::OnSetProperty(MoaMmSymbol property, const IDXValue& value) {
  if (!keepsOwnSize_) return;
  const TDXFrameSymbols& symbols = ModuleFrameSymbols();
  if (property == symbols.Width) {
    const std::int32_t width = AdjustWidth(value.AsInteger());
    if (width == width_) return;
    width_ = width;
  } else if (property == symbols.Height) {
    const std::int32_t height = AdjustHeight(value.AsInteger());
    if (height == height_) return;
    height_ = height;
  } else {
    return;
  }
  NotifyChanged();
}

IMoaUnknown* TDXAsset::FindInterface(const MoaInterfaceID& iid) noexcept {
  if (iid == kIID_IMoaAsset) return &asset_;
  if (iid == kIID_IMoaAssetDescription) return &description_;
  if (iid == kIID_IMoaScriptStub) return &stub_;
  return TDXPropertyObject::FindInterface(iid);
}

void TDXAsset::KeepCallback(IMoaUnknown* callback) {
  callback_ = Ref<IMoaUnknown>::Retain(callback);
  assetCallback_ = QueryHostInterface<IMoaAssetCallback>(callback, kIID_IMoaAssetCallback);
  member_ = QueryHostInterface<IMoaDrCastMem>(callback, kIID_IMoaDrCastMem);
}

MoaError TDXAsset::Save(IMoaStream* stream, bool (TDXAsset::*save)(IDXWriteStream&)) noexcept {
  return DXGuarded(kDXErrSaveFailed, [&] {
    const Ref<TDXWriteStream> writer =
        MakeRef<TDXWriteStream>(Ref<IMoaStream>::Retain(stream), false);
    return (this->*save)(*writer) ? kMoaOk : kDXErrSaveFailed;
  });
}

MoaError TDXAsset::Load(IMoaStream* stream, bool (TDXAsset::*load)(IDXReadStream&)) noexcept {
  return DXGuarded(kDXErrLoadFailed, [&] {
    const Ref<TDXReadStream> reader = MakeRef<TDXReadStream>(Ref<IMoaStream>::Retain(stream));
    return (this->*load)(*reader) ? kMoaOk : kDXErrLoadFailed;
  });
}

MoaLong TDXAsset::MeasuredSize(bool (TDXAsset::*save)(IDXWriteStream&)) noexcept {
  return DXGuarded(MoaLong(-1), [&] {
    const Ref<TDXWriteStream> counter = MakeRef<TDXWriteStream>(nullptr, true);
    return (this->*save)(*counter) ? MoaLong(counter->Total()) : MoaLong(-1);
  });
}

MoaError TDXAsset::Report(MoaLong* out, std::int32_t (TDXAsset::*hook)()) noexcept {
  if (!out) return kDXErrInvalid;
  *out = 0;
  return DXGuarded(kDXErrCallFailed, [&] {
    *out = (this->*hook)();
    return kMoaOk;
  });
}

MoaError TDXAsset::ReportFlags(MoaLong* out, void (TDXAsset::*hook)(bool&, bool&)) noexcept {
  if (!out) return kDXErrInvalid;
  *out = 0;
  return DXGuarded(kDXErrCallFailed, [&] {
    bool first = false;
    bool second = false;
    (this->*hook)(first, second);
    *out = (first ? 1 : 0) | (second ? 2 : 0);
    return kMoaOk;
  });
}

MoaError TDXAsset::InContext(void (TDXAsset::*hook)()) noexcept {
  AcquireContext();
  const MoaError result = DXGuarded(kDXErrCallFailed, [&] {
    (this->*hook)();
    return kMoaOk;
  });
  ReleaseContext();
  return result;
}

// ---- The asset interface

MoaError MOA_CALL TDXAsset::TAssetInterface::SetCallback(IMoaUnknown* callback) noexcept {
  return DXGuarded(kDXErrCallFailed, [&] {
    Asset().KeepCallback(callback);
    return kMoaOk;
  });
}

MoaError MOA_CALL TDXAsset::TAssetInterface::Notify(MoaLong code, MoaLong data) noexcept {
  return DXGuarded(kDXErrNotAccepted, [&] {
    return Asset().AcceptNotification(code, data) ? kMoaOk : kDXErrNotAccepted;
  });
}

MoaError MOA_CALL TDXAsset::TAssetInterface::GetDefaultRect(MoaRectRecord* rect) noexcept {
  if (!rect) return kDXErrInvalid;
  *rect = {0, 0, Asset().height_, Asset().width_};
  return kMoaOk;
}

MoaError MOA_CALL TDXAsset::TAssetInterface::SetMediaState(MoaLong flags) noexcept {
  return DXGuarded(kDXErrMediaState, [&] {
    return Asset().SetMediaState((flags & 1) != 0, (flags & 2) != 0) ? kMoaOk : kDXErrMediaState;
  });
}

MoaError MOA_CALL TDXAsset::TAssetInterface::SaveProperties(IMoaStream* stream) noexcept {
  return Asset().Save(stream, &TDXAsset::SaveProperties);
}

MoaError MOA_CALL TDXAsset::TAssetInterface::LoadProperties(IMoaStream* stream) noexcept {
  return Asset().Load(stream, &TDXAsset::LoadProperties);
}

MoaError MOA_CALL TDXAsset::TAssetInterface::CheckProperties() noexcept {
  return DXGuarded(kDXErrInvalid,
                   [&] { return Asset().PropertiesValid() ? kMoaOk : kDXErrInvalid; });
}

MoaError MOA_CALL TDXAsset::TAssetInterface::GetPropertiesVersion(MoaLong* version) noexcept {
  return Asset().Report(version, &TDXAsset::PropertiesVersion);
}

MoaError MOA_CALL TDXAsset::TAssetInterface::GetPropertiesSize(MoaLong* size) noexcept {
  if (!size) return kDXErrInvalid;
  *size = Asset().MeasuredSize(&TDXAsset::SaveProperties);
  return kMoaOk;
}

MoaError MOA_CALL TDXAsset::TAssetInterface::SaveMedia(IMoaStream* stream) noexcept {
  return Asset().Save(stream, &TDXAsset::SaveMedia);
}

MoaError MOA_CALL TDXAsset::TAssetInterface::LoadMedia(IMoaStream* stream) noexcept {
  return Asset().Load(stream, &TDXAsset::LoadMedia);
}

MoaError MOA_CALL TDXAsset::TAssetInterface::CheckMedia() noexcept {
  return DXGuarded(kDXErrInvalid, [&] { return Asset().MediaValid() ? kMoaOk : kDXErrInvalid; });
}

MoaError MOA_CALL TDXAsset::TAssetInterface::GetMediaVersion(MoaLong* version) noexcept {
  return Asset().Report(version, &TDXAsset::MediaVersion);
}

MoaError MOA_CALL TDXAsset::TAssetInterface::GetMediaSize(MoaLong* size) noexcept {
  if (!size) return kDXErrInvalid;
  *size = Asset().MeasuredSize(&TDXAsset::SaveMedia);
  return kMoaOk;
}

MoaError MOA_CALL TDXAsset::TAssetInterface::NewSprite(void** sprite) noexcept {
  if (!sprite) return kDXErrInvalid;
  *sprite = nullptr;
  return DXGuarded(kDXErrCallFailed, [&] {
    const MoaClassID* spriteClass = Asset().SpriteClass();
    IMoaHostServices* services = Asset().HostServices();
    if (!spriteClass || !services) return kDXErrClassNotFound;
    return services->CreateObject(spriteClass, &kIID_IMoaSprite, sprite);
  });
}

MoaError MOA_CALL TDXAsset::TAssetInterface::GetEditFlags(MoaLong* flags) noexcept {
  return Asset().ReportFlags(flags, &TDXAsset::EditFlags);
}

MoaError MOA_CALL TDXAsset::TAssetInterface::Edit() noexcept {
  return Asset().InContext(&TDXAsset::Edit);
}

MoaError MOA_CALL TDXAsset::TAssetInterface::GetPlaybackFlags(MoaLong* flags) noexcept {
  return Asset().ReportFlags(flags, &TDXAsset::PlaybackFlags);
}

MoaError MOA_CALL TDXAsset::TAssetInterface::ShowAbout() noexcept {
  return Asset().InContext(&TDXAsset::ShowAbout);
}

MoaError MOA_CALL TDXAsset::TAssetInterface::Draw(MoaDeviceContext context,
                                                  const MoaRectRecord* rect) noexcept {
  return DrawGuarded(context, rect, [&](platform::TDeviceContext prepared, const TDXRect& area) {
    Asset().Draw(prepared, area);
  });
}

// ---- The description interface

MoaError MOA_CALL TDXAsset::TDescriptionInterface::GetAuthoringEvents(char* buffer,
                                                                      MoaLong size) noexcept {
  return DXGuarded(kDXErrCallFailed, [&] {
    return CopyToHost(AssetInfoOf(Owner().MetaClass()).Events->Text(), buffer, size);
  });
}

MoaError MOA_CALL TDXAsset::TDescriptionInterface::GetDisplayName(char* buffer,
                                                                  MoaLong size) noexcept {
  return DXGuarded(kDXErrCallFailed, [&] {
    return CopyToHost(AssetInfoOf(Owner().MetaClass()).DisplayName, buffer, size);
  });
}
