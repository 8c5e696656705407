#include "DXClasses/DXModule.h"

#include "DXClasses/DXGuard.h"

namespace {

struct TStartupState {
  void (*Startup)() = nullptr;
  bool Done = false;
};

TStartupState& State() {
  static TStartupState state;
  return state;
}

}  // namespace

TDXModuleStartup::TDXModuleStartup(void (*startup)()) {
  State().Startup = startup;
}

void EnsureModuleStarted() noexcept {
  TStartupState& state = State();
  if (state.Done) return;
  state.Done = true;
  if (!state.Startup) return;
  DXGuarded([&] { state.Startup(); });
}
