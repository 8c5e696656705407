#include "DXClasses/DXTransition.h"

#include <algorithm>

#include "DXClasses/DXDrawing.h"
#include "DXInt/MoaIdentifiers.h"

TDXTransition::TDXTransition() : transition_(*this) {}

TDXTransition::~TDXTransition() = default;

void TDXTransition::Begin() {}

bool TDXTransition::Step(platform::TDeviceContext, const TDXRect&, double) {
  return false;
}

void TDXTransition::End() {}

IMoaUnknown* TDXTransition::FindInterface(const MoaInterfaceID& iid) noexcept {
  if (iid == kIID_IMoaTransition) return &transition_;
  return TDXClass::FindInterface(iid);
}

MoaError MOA_CALL TDXTransition::TTransitionInterface::Cue(MoaLong duration, MoaLong chunkSize,
                                                           MoaLong wholeStage) noexcept {
  TDXTransition& transition = Transition();
  transition.duration_ = std::max<MoaLong>(duration, 0);
  transition.chunkSize_ = chunkSize;
  transition.wholeStage_ = wholeStage != 0;
  return DXGuarded(kDXErrCallFailed, [&] {
    transition.Begin();
    return kMoaOk;
  });
}

MoaError MOA_CALL TDXTransition::TTransitionInterface::Render(MoaDeviceContext context,
                                                              const MoaRectRecord* area,
                                                              MoaLong elapsed,
                                                              MoaLong* finished) noexcept {
  if (finished) *finished = 0;
  TDXTransition& transition = Transition();
  // A transition without a duration is complete at once.
  const double progress = transition.duration_ > 0
                              ? std::clamp(double(elapsed) / double(transition.duration_), 0.0, 1.0)
                              : 1.0;
  bool complete = false;
  const MoaError result =
      DrawGuarded(context, area, [&](platform::TDeviceContext prepared, const TDXRect& rect) {
        complete = transition.Step(prepared, rect, progress);
      });
  if (finished && result == kMoaOk) *finished = (complete || progress >= 1.0) ? 1 : 0;
  return result;
}

MoaError MOA_CALL TDXTransition::TTransitionInterface::Finish() noexcept {
  return DXGuarded(kDXErrCallFailed, [&] {
    Transition().End();
    return kMoaOk;
  });
}
