#include "platform/ConsoleInterrupts.h"

#include <signal.h>

namespace platform {
namespace {

volatile sig_atomic_t pressed = 0;
struct sigaction previous {};

void OnInterrupt(int) {
  pressed = 1;
}

}  // namespace

// Without SA_RESTART, so that a read at the prompt returns when the key is pressed.
TConsoleInterrupts::TConsoleInterrupts() {
  pressed = 0;
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;
  sigaction(SIGINT, &action, &previous);
}

TConsoleInterrupts::~TConsoleInterrupts() {
  sigaction(SIGINT, &previous, nullptr);
}

bool TConsoleInterrupts::Take() {
  const bool was = pressed != 0;
  pressed = 0;
  return was;
}

bool TConsoleInterrupts::TakeAfterFailedRead() {
  return Take();
}

}  // namespace platform
