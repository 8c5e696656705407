#pragma once

// TDXSprite: the base of an asset's sprite, its instance on the stage. Besides the property and
// function routes (TDXPropertyObject) it draws itself and takes the host's events: each of the
// sixteen event types goes to its handler, with mouse positions relative to the sprite's
// origin. A handler answers true when it took the event; none does by default.

#include "DXClasses/DXPropertyObject.h"
#include "DXClasses/DXScriptStub.h"
#include "platform/DeviceContext.h"

enum TDXSpriteEventType : std::int32_t {
  seMouseDown = 1,
  seMouseUp = 2,
  seRightMouseDown = 3,
  seRightMouseUp = 4,
  seMouseEnter = 5,
  seMouseLeave = 6,
  seMouseWithin = 7,
  seDoubleClick = 8,
  seKeyDown = 9,
  seKeyUp = 10,
  seFocusIn = 11,
  seFocusOut = 12,
  seBeginSprite = 13,
  seEndSprite = 14,
  seIdle = 15,
  seStepFrame = 16,
};

class TDXSprite : public TDXPropertyObject {
 public:
  static constexpr TDXClassKind kDXClassKind = TDXClassKind::Sprite;

  // Where the host last placed the sprite on the stage.
  const TDXRect& Bounds() const { return bounds_; }

 protected:
  TDXSprite();
  ~TDXSprite() override;

  // Mouse events, at a point relative to the sprite's origin.
  virtual bool MouseDown(TDXPoint at, std::int32_t modifiers);
  virtual bool MouseUp(TDXPoint at, std::int32_t modifiers);
  virtual bool RightMouseDown(TDXPoint at, std::int32_t modifiers);
  virtual bool RightMouseUp(TDXPoint at, std::int32_t modifiers);
  virtual bool MouseEnter(TDXPoint at, std::int32_t modifiers);
  virtual bool MouseLeave(TDXPoint at, std::int32_t modifiers);
  virtual bool MouseWithin(TDXPoint at, std::int32_t modifiers);
  virtual bool DoubleClick(TDXPoint at, std::int32_t modifiers);
  // Key events.
  virtual bool KeyDown(std::int32_t key, std::int32_t modifiers);
  virtual bool KeyUp(std::int32_t key, std::int32_t modifiers);
  // The sprite's own life on the stage.
  virtual bool FocusIn();
  virtual bool FocusOut();
  virtual bool BeginSprite();
  virtual bool EndSprite();
  virtual bool Idle();
  virtual bool StepFrame();
  // Draws into a context prepared with the copy pen; its state is restored afterwards.
  virtual void Draw(platform::TDeviceContext context, const TDXRect& rect);

  // The callback object the host gave, or null.
  IMoaUnknown* Callback() const { return callback_.Get(); }

  IMoaUnknown* FindInterface(const MoaInterfaceID& iid) noexcept override;

 private:
  class TSpriteInterface final : public TPropertyOwnerInterface<IMoaSprite> {
   public:
    using TPropertyOwnerInterface::TPropertyOwnerInterface;
    MoaError MOA_CALL SetCallback(IMoaUnknown* callback) noexcept override;
    MoaError MOA_CALL SetBounds(const MoaRectRecord* bounds) noexcept override;
    MoaError MOA_CALL Draw(MoaDeviceContext context, const MoaRectRecord* rect) noexcept override;
    MoaError MOA_CALL Event(const MoaSpriteEvent* event, MoaLong* handled) noexcept override;

   private:
    TDXSprite& Sprite() const { return static_cast<TDXSprite&>(Owner()); }
  };

  // The handler of the event's type; false for types it does not know.
  bool Dispatch(const MoaSpriteEvent& event);

  TSpriteInterface sprite_;
  TDXScriptStubInterface stub_;
  Ref<IMoaUnknown> callback_;
  TDXRect bounds_;
};
