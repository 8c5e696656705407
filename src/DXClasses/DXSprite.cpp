#include "DXClasses/DXSprite.h"

#include "DXClasses/DXDrawing.h"
#include "DXInt/MoaIdentifiers.h"

TDXSprite::TDXSprite() : sprite_(*this), stub_(*this) {}

TDXSprite::~TDXSprite() = default;

bool TDXSprite::MouseDown(TDXPoint, std::int32_t) {
  return false;
}

bool TDXSprite::MouseUp(TDXPoint, std::int32_t) {
  return false;
}

bool TDXSprite::RightMouseDown(TDXPoint, std::int32_t) {
  return false;
}

bool TDXSprite::RightMouseUp(TDXPoint, std::int32_t) {
  return false;
}

bool TDXSprite::MouseEnter(TDXPoint, std::int32_t) {
  return false;
}

bool TDXSprite::MouseLeave(TDXPoint, std::int32_t) {
  return false;
}

bool TDXSprite::MouseWithin(TDXPoint, std::int32_t) {
  return false;
}

bool TDXSprite::DoubleClick(TDXPoint, std::int32_t) {
  return false;
}

bool TDXSprite::KeyDown(std::int32_t, std::int32_t) {
  return false;
}

bool TDXSprite::KeyUp(std::int32_t, std::int32_t) {
  return false;
}

bool TDXSprite::FocusIn() {
  return false;
}

bool TDXSprite::FocusOut() {
  return false;
}

bool TDXSprite::BeginSprite() {
  return false;
}

bool TDXSprite::EndSprite() {
  return false;
}

bool TDXSprite::Idle() {
  return false;
}

bool TDXSprite::StepFrame() {
  return false;
}

void TDXSprite::Draw(platform::TDeviceContext, const TDXRect&) {}

IMoaUnknown* TDXSprite::FindInterface(const MoaInterfaceID& iid) noexcept {
  if (iid == kIID_IMoaSprite) return &sprite_;
  if (iid == kIID_IMoaScriptStub) return &stub_;
  return TDXPropertyObject::FindInterface(iid);
}

bool TDXSprite::Dispatch(const MoaSpriteEvent& event) {
  const TDXPoint at{event.Where.H - bounds_.Left, event.Where.V - bounds_.Top};
  const std::int32_t modifiers = event.Modifiers;
  switch (event.Type) {
    case seMouseDown:
      return MouseDown(at, modifiers);
    case seMouseUp:
      return MouseUp(at, modifiers);
    case seRightMouseDown:
      return RightMouseDown(at, modifiers);
    case seRightMouseUp:
      return RightMouseUp(at, modifiers);
    case seMouseEnter:
      return MouseEnter(at, modifiers);
    case seMouseLeave:
      return MouseLeave(at, modifiers);
    case seMouseWithin:
      return MouseWithin(at, modifiers);
    case seDoubleClick:
      return DoubleClick(at, modifiers);
    case seKeyDown:
      return KeyDown(event.Key, modifiers);
    case seKeyUp:
      return KeyUp(event.Key, modifiers);
    case seFocusIn:
      return FocusIn();
    case seFocusOut:
      return FocusOut();
    case seBeginSprite:
      return BeginSprite();
    case seEndSprite:
      return EndSprite();
    case seIdle:
      return Idle();
    case seStepFrame:
      return StepFrame();
    default:
      return false;
  }
}

// ---- The sprite interface

MoaError MOA_CALL TDXSprite::TSpriteInterface::SetCallback(IMoaUnknown* callback) noexcept {
  Sprite().callback_ = Ref<IMoaUnknown>::Retain(callback);
  return kMoaOk;
}

MoaError MOA_CALL TDXSprite::TSpriteInterface::SetBounds(const MoaRectRecord* bounds) noexcept {
  if (!bounds) return kDXErrInvalid;
  Sprite().bounds_ = RectFromHost(*bounds);
  return kMoaOk;
}

MoaError MOA_CALL TDXSprite::TSpriteInterface::Draw(MoaDeviceContext context,
                                                    const MoaRectRecord* rect) noexcept {
  return DrawGuarded(context, rect, [&](platform::TDeviceContext prepared, const TDXRect& area) {
    Sprite().Draw(prepared, area);
  });
}

MoaError MOA_CALL TDXSprite::TSpriteInterface::Event(const MoaSpriteEvent* event,
                                                     MoaLong* handled) noexcept {
  if (handled) *handled = 0;
  if (!event) return kDXErrInvalid;
  return DXGuarded(kDXErrCallFailed, [&] {
    const bool taken = Sprite().Dispatch(*event);
    if (handled) *handled = taken ? 1 : 0;
    return kMoaOk;
  });
}
