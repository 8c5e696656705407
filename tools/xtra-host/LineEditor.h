#pragma once

// Lines typed at a terminal. Where the build has libedit, the line can be edited (arrow keys,
// Home, End, Backspace, Delete) and earlier lines of the session recalled with the up and
// down arrows; elsewhere (the Windows build) the terminal's own line input serves.

#include <string>
#include <string_view>

namespace lingo {

class TLineEditor {
 public:
  TLineEditor();
  TLineEditor(const TLineEditor&) = delete;
  TLineEditor& operator=(const TLineEditor&) = delete;
  ~TLineEditor();

  // Shows the prompt and reads one line, without its line end; false at the end of input.
  // Lines that are not blank go into the history.
  bool ReadLine(std::string_view prompt, std::string& line);
};

}  // namespace lingo
