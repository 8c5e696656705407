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

  // One byte of the standard input, unless the key is pressed first (or was pressed and is
  // not taken yet): 1 with the byte, 0 at the end of input, -1 for the key (it stays to be
  // taken) or a failure. A press cannot slip in between looking for one and waiting for
  // input, however busy the process is.
  int ReadByte(char& byte);
};

}  // namespace platform
