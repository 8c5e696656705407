#pragma once

// TDXTransition: the runtime of a transition type (its asset class is a TDXTransitionAsset).
// The host cues it, has it render step after step until it is finished, then finishes it.

#include "DXClasses/DXClass.h"
#include "DXInt/MoaXtraKinds.h"
#include "platform/DeviceContext.h"

class TDXTransition : public TDXClass {
 public:
  static constexpr TDXClassKind kDXClassKind = TDXClassKind::Transition;

  std::int32_t Duration() const { return duration_; }
  std::int32_t ChunkSize() const { return chunkSize_; }
  bool WholeStage() const { return wholeStage_; }

 protected:
  TDXTransition();
  ~TDXTransition() override;

  // A run is about to start (Duration, ChunkSize and WholeStage are set); nothing by default.
  virtual void Begin();
  // Draws the state at progress (0 to 1) into a context prepared with the copy pen; true when
  // the transition is complete before its time is up. Nothing by default.
  virtual bool Step(platform::TDeviceContext context, const TDXRect& area, double progress);
  // The run is over; nothing by default.
  virtual void End();

  IMoaUnknown* FindInterface(const MoaInterfaceID& iid) noexcept override;

 private:
  class TTransitionInterface final : public TDXEmbeddedInterface<IMoaTransition> {
   public:
    using TDXEmbeddedInterface::TDXEmbeddedInterface;
    MoaError MOA_CALL Cue(MoaLong duration, MoaLong chunkSize,
                          MoaLong wholeStage) noexcept override;
    MoaError MOA_CALL Render(MoaDeviceContext context, const MoaRectRecord* area, MoaLong elapsed,
                             MoaLong* finished) noexcept override;
    MoaError MOA_CALL Finish() noexcept override;

   private:
    TDXTransition& Transition() const { return static_cast<TDXTransition&>(Owner()); }
  };

  TTransitionInterface transition_;
  std::int32_t duration_ = 0;
  std::int32_t chunkSize_ = 0;
  bool wholeStage_ = false;
};
