#include "LineEditor.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#ifdef ZEL_HAVE_LIBEDIT
#include <editline/readline.h>
#endif

namespace lingo {

#ifdef ZEL_HAVE_LIBEDIT

namespace {

bool IsBlank(const std::string& line) {
  return line.find_first_not_of(" \t\r") == std::string::npos;
}

}  // namespace

// The editor moves over multibyte characters as the locale's character set has them.
TLineEditor::TLineEditor() {
  std::setlocale(LC_CTYPE, "");
  using_history();
}

TLineEditor::~TLineEditor() {
  clear_history();
}

bool TLineEditor::ReadLine(std::string_view prompt, std::string& line) {
  char* typed = readline(std::string(prompt).c_str());
  if (!typed) return false;
  line = typed;
  std::free(typed);
  if (!IsBlank(line)) add_history(line.c_str());
  return true;
}

#else

TLineEditor::TLineEditor() = default;
TLineEditor::~TLineEditor() = default;

bool TLineEditor::ReadLine(std::string_view prompt, std::string& line) {
  std::fwrite(prompt.data(), 1, prompt.size(), stdout);
  std::fflush(stdout);
  if (!std::getline(std::cin, line)) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

#endif

}  // namespace lingo
