#pragma once

// Lines typed at a terminal. Where the build has libedit, the line can be edited (arrow keys,
// Home, End, Backspace, Delete) and earlier lines of the session recalled with the up and
// down arrows; elsewhere (the Windows build) the terminal's own line input serves. Either way
// Ctrl-C drops the line being typed, and the end of input (Ctrl-D, Ctrl-Z on Windows) on an
// empty line ends the input; with libedit, Ctrl-D on a line with text takes that line as it
// is, as Enter would.

#include <memory>
#include <string>
#include <string_view>

#include "XtraConsole.h"
#include "platform/ConsoleInterrupts.h"

namespace lingo {

class TLineEditor {
 public:
  // Ctrl-C is told apart from the end of input through interrupts, which must catch it while
  // lines are read.
  explicit TLineEditor(platform::TConsoleInterrupts& interrupts);
  TLineEditor(const TLineEditor&) = delete;
  TLineEditor& operator=(const TLineEditor&) = delete;
  ~TLineEditor();

  // Shows the prompt and reads one line, without its line end. Lines that are not blank go
  // into the history.
  TPromptInput ReadLine(std::string_view prompt, std::string& line);

 private:
  struct TEditor;

  platform::TConsoleInterrupts& interrupts_;
  std::unique_ptr<TEditor> editor_;
};

}  // namespace lingo
