#pragma once

// A script error: what Lingo would stop a script for, with the line it stopped at.

#include <stdexcept>
#include <string>

namespace lingo {

class ELingoError : public std::runtime_error {
 public:
  ELingoError(int line, const std::string& message) : std::runtime_error(message), line_(line) {}
  int Line() const { return line_; }

 private:
  int line_;
};

}  // namespace lingo

namespace lingo {

// The script ended inside an if or a repeat: more lines could complete it.
class EIncompleteScript : public ELingoError {
 public:
  using ELingoError::ELingoError;
};

}  // namespace lingo
