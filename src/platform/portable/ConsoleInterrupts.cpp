#include "platform/ConsoleInterrupts.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

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

namespace {

// One byte that the wait found, without waiting: a terminal throws away what was typed when
// Ctrl-C is pressed, so that input found a moment ago may be gone. 1, 0 at the end of input,
// -1 when there is nothing to read now (errno EAGAIN) or on failure.
ssize_t ReadWithoutWaiting(char& byte) {
  const int flags = fcntl(STDIN_FILENO, F_GETFL);
  if (flags < 0) return ::read(STDIN_FILENO, &byte, 1);
  fcntl(STDIN_FILENO, F_SETFL, flags | O_NONBLOCK);
  const ssize_t got = ::read(STDIN_FILENO, &byte, 1);
  const int code = errno;
  fcntl(STDIN_FILENO, F_SETFL, flags);
  errno = code;
  return got;
}

}  // namespace

// The key is held back everywhere but in the wait itself, which it ends.
int TConsoleInterrupts::ReadByte(char& byte) {
  sigset_t interrupt, previous;
  sigemptyset(&interrupt);
  sigaddset(&interrupt, SIGINT);
  sigprocmask(SIG_BLOCK, &interrupt, &previous);
  int result = -1;
  while (!pressed) {
    pollfd input{STDIN_FILENO, POLLIN, 0};
    const int ready = ppoll(&input, 1, nullptr, &previous);
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0) break;
    const ssize_t got = ReadWithoutWaiting(byte);
    if (got < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)) continue;
    result = got > 0 ? 1 : got == 0 ? 0 : -1;
    break;
  }
  sigprocmask(SIG_SETMASK, &previous, nullptr);
  return result;
}

}  // namespace platform
