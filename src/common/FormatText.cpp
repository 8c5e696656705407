#include "FormatText.h"

#include <charconv>

void TFormatArg::AppendTo(std::string& out) const {
  if (!isNumber_) {
    out.append(text_);
    return;
  }
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, number_);
  out.append(digits, result.ptr);
}

std::string FormatText(std::string_view format, std::initializer_list<TFormatArg> args) {
  std::string out;
  out.reserve(format.size() + 32);
  auto next = args.begin();
  for (std::size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    if (c != '%' || i + 1 == format.size()) {
      out += c;
      continue;
    }
    const char kind = format[++i];
    if (kind == 's' || kind == 'd') {
      if (next != args.end()) (next++)->AppendTo(out);
    } else if (kind == '%') {
      out += '%';
    } else {
      out += '%';
      out += kind;
    }
  }
  return out;
}
