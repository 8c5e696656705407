#include "platform/ConsoleInterrupts.h"

#include <windows.h>

#include <atomic>

namespace platform {
namespace {

std::atomic<bool> pressed{false};

// Runs on a thread that the system starts for the event.
BOOL WINAPI OnControlEvent(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  pressed = true;
  return TRUE;
}

// How long a failed read waits for the event's thread to record the key.
constexpr int kEventWaitSteps = 20;
constexpr DWORD kEventWaitStepMs = 5;

}  // namespace

TConsoleInterrupts::TConsoleInterrupts() {
  pressed = false;
  SetConsoleCtrlHandler(OnControlEvent, TRUE);
}

TConsoleInterrupts::~TConsoleInterrupts() {
  SetConsoleCtrlHandler(OnControlEvent, FALSE);
}

bool TConsoleInterrupts::Take() {
  return pressed.exchange(false);
}

int TConsoleInterrupts::ReadByte(char& byte) {
  if (pressed) return -1;
  DWORD got = 0;
  if (!ReadFile(GetStdHandle(STD_INPUT_HANDLE), &byte, 1, &got, nullptr)) return -1;
  return got > 0 ? 1 : 0;
}

bool TConsoleInterrupts::TakeAfterFailedRead() {
  for (int step = 0; step < kEventWaitSteps && !pressed; ++step) Sleep(kEventWaitStepMs);
  return Take();
}

}  // namespace platform
