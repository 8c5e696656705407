#pragma once

// EXmlError is the one exception type of the XML library and the platform layer. It carries
// the 8-bit message exactly as a Lingo script will read it back through errorMsg.

#include <exception>
#include <string>
#include <string_view>

class EXmlError : public std::exception {
 public:
  explicit EXmlError(std::string message) : message_(std::move(message)) {}
  explicit EXmlError(std::string_view message) : message_(message) {}
  explicit EXmlError(const char* message) : message_(message) {}

  const std::string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};
