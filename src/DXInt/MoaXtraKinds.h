#pragma once

// The interfaces the host asks of objects of the other Xtra kinds: assets (cast-member types,
// transition types among them), sprites, transitions, tools and property pages; and the
// callback the host gives an asset.

#include "DXInt/MoaDirector.h"
#include "DXInt/MoaXtraInterfaces.h"

// A device context handle as the host passes it for drawing (a Windows HDC).
using MoaDeviceContext = void*;

// Properties and functions of assets and sprites. A call's selector is the function's symbol,
// its argument 0 the member or sprite the call is for.
class IMoaPropertyOwner : public IMoaPropertyAccess {
 public:
  virtual MoaError MOA_CALL CallFunction(MoaDrCallInfo* call) = 0;  // 5

 protected:
  ~IMoaPropertyOwner() = default;
};

class IMoaAsset : public IMoaPropertyOwner {
 public:
  // The host's callback object for this asset (may be null), kept until the next call.
  virtual MoaError MOA_CALL SetCallback(IMoaUnknown* callback) = 0;  // 6
  virtual MoaError MOA_CALL Notify(MoaLong code, MoaLong data) = 0;
  // (0, 0, height, width).
  virtual MoaError MOA_CALL GetDefaultRect(MoaRectRecord* rect) = 0;  // 8
  // Bit 0: the media is needed; bit 1: it may be purged.
  virtual MoaError MOA_CALL SetMediaState(MoaLong flags) = 0;
  virtual MoaError MOA_CALL SaveProperties(IMoaStream* stream) = 0;  // 10
  virtual MoaError MOA_CALL LoadProperties(IMoaStream* stream) = 0;
  virtual MoaError MOA_CALL CheckProperties() = 0;  // 12
  virtual MoaError MOA_CALL GetPropertiesVersion(MoaLong* version) = 0;
  // Bytes SaveProperties writes, or -1 when it fails.
  virtual MoaError MOA_CALL GetPropertiesSize(MoaLong* size) = 0;  // 14
  virtual MoaError MOA_CALL SaveMedia(IMoaStream* stream) = 0;
  virtual MoaError MOA_CALL LoadMedia(IMoaStream* stream) = 0;  // 16
  virtual MoaError MOA_CALL CheckMedia() = 0;
  virtual MoaError MOA_CALL GetMediaVersion(MoaLong* version) = 0;  // 18
  virtual MoaError MOA_CALL GetMediaSize(MoaLong* size) = 0;
  // A new sprite object of the asset's sprite class, with one reference.
  virtual MoaError MOA_CALL NewSprite(void** sprite) = 0;  // 20
  // Bit 0: editable in place; bit 1: editable by an external editor.
  virtual MoaError MOA_CALL GetEditFlags(MoaLong* flags) = 0;
  virtual MoaError MOA_CALL Edit() = 0;  // 22
  // Bit 0: animates by itself; bit 1: wants idle time.
  virtual MoaError MOA_CALL GetPlaybackFlags(MoaLong* flags) = 0;
  virtual MoaError MOA_CALL ShowAbout() = 0;  // 24
  // Draws a thumbnail of the asset into rect.
  virtual MoaError MOA_CALL Draw(MoaDeviceContext context, const MoaRectRecord* rect) = 0;
  MOA_RESERVED_SLOT(26);
  MOA_RESERVED_SLOT(27);
  MOA_RESERVED_SLOT(28);

 protected:
  ~IMoaAsset() = default;
};

// An asset's texts for the authoring environment, copied into the host's buffers.
class IMoaAssetDescription : public IMoaUnknown {
 public:
  virtual MoaError MOA_CALL GetAuthoringEvents(char* buffer, MoaLong size) = 0;  // 3
  virtual MoaError MOA_CALL GetDisplayName(char* buffer, MoaLong size) = 0;

 protected:
  ~IMoaAssetDescription() = default;
};

// What the host gives an asset to report back to it.
class IMoaAssetCallback : public IMoaUnknown {
 public:
  // The asset changed in a way the host shows (its size).
  virtual MoaError MOA_CALL AssetChanged() = 0;  // 3

 protected:
  ~IMoaAssetCallback() = default;
};

// One event for a sprite: its type (1 to 16), then its data.
struct MoaSpriteEvent {
  MoaLong Type;
  MoaPointRecord Where;  // stage coordinates
  MoaLong Modifiers;
  MoaLong Key;
  MoaLong Reserved[3];
};
static_assert(sizeof(MoaSpriteEvent) == 32);

class IMoaSprite : public IMoaPropertyOwner {
 public:
  virtual MoaError MOA_CALL SetCallback(IMoaUnknown* callback) = 0;  // 6
  // Where the sprite stands on the stage.
  virtual MoaError MOA_CALL SetBounds(const MoaRectRecord* bounds) = 0;
  virtual MoaError MOA_CALL Draw(MoaDeviceContext context, const MoaRectRecord* rect) = 0;  // 8
  // handled (may be null) receives 1 when the sprite took the event.
  virtual MoaError MOA_CALL Event(const MoaSpriteEvent* event, MoaLong* handled) = 0;

 protected:
  ~IMoaSprite() = default;
};

class IMoaTransition : public IMoaUnknown {
 public:
  // A transition is about to run over duration milliseconds, in chunks of chunkSize pixels,
  // over the whole stage or only the changing area.
  virtual MoaError MOA_CALL Cue(MoaLong duration, MoaLong chunkSize, MoaLong wholeStage) = 0;
  // One step, elapsed milliseconds after the start; finished receives 1 at the end.
  virtual MoaError MOA_CALL Render(MoaDeviceContext context, const MoaRectRecord* area,
                                   MoaLong elapsed, MoaLong* finished) = 0;  // 4
  virtual MoaError MOA_CALL Finish() = 0;

 protected:
  ~IMoaTransition() = default;
};

class IMoaTool : public IMoaUnknown {
 public:
  virtual MoaError MOA_CALL Invoke() = 0;  // 3
  // 1 while the tool can be used, else 0.
  virtual MoaError MOA_CALL GetEnabled(MoaLong* enabled) = 0;

 protected:
  ~IMoaTool() = default;
};

class IMoaPropertyPage : public IMoaUnknown {
 public:
  // The page's description as a host string value, with one reference.
  virtual MoaError MOA_CALL GetPageDescription(MoaMmValue* out) = 0;  // 3

 protected:
  ~IMoaPropertyPage() = default;
};
