#pragma once

// printf-style filling of the catalogue's message templates. Only %s, %d and %% occur in
// them; an argument of either kind may fill either placeholder, and a placeholder without an
// argument is left out, so a malformed call can never read past the argument list.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>

class TFormatArg {
 public:
  TFormatArg(std::string_view text) : text_(text), isNumber_(false) {}
  TFormatArg(const std::string& text) : text_(text), isNumber_(false) {}
  TFormatArg(const char* text) : text_(text), isNumber_(false) {}
  template <class Number, class = std::enable_if_t<std::is_integral_v<Number>>>
  TFormatArg(Number number) : number_(static_cast<std::int64_t>(number)), isNumber_(true) {}

  void AppendTo(std::string& out) const;

 private:
  std::string_view text_;
  std::int64_t number_ = 0;
  bool isNumber_;
};

std::string FormatText(std::string_view format, std::initializer_list<TFormatArg> args);
