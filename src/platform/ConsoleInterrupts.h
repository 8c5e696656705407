#pragma once

// Ctrl-C at the console (and Ctrl-Break on Windows), caught while an object of this class
// lives instead of ending the process, and kept until taken. A read from the console that the
// key interrupts fails: on Linux with EINTR, on Windows as the console ends the read.

namespace platform {

class TConsoleInterrupts {
 public:
  // One at a time.
  TConsoleInterrupts();
  TConsoleInterrupts(const TConsoleInterrupts&) = delete;
  TConsoleInterrupts& operator=(const TConsoleInterrupts&) = delete;
  // The process's earlier handling of the key comes back.
  ~TConsoleInterrupts();

  // True when the key was pressed since the last call.
  bool Take();
  // After a read from the console failed: true when the key ended it. Windows tells the
  // process of the key on a thread of its own, a moment after the read has ended.
  bool TakeAfterFailedRead();
};

}  // namespace platform
