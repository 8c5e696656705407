#include "XmlDom/XmlNumbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace xmldom {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// The significant digits (at most 15, no trailing zeros) and the decimal exponent of the first
// digit, of a finite non-zero magnitude.
void SignificantDigits(double magnitude, std::string& digits, int& exponent) {
  char buffer[32];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14);
  const std::string_view text(buffer, std::size_t(result.ptr - buffer));
  const std::size_t e = text.find('e');
  digits.assign(1, text[0]);
  digits.append(text.substr(2, e - 2));
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                  exponent);
}

}  // namespace

std::string IntegerToText(std::int64_t number) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
  return std::string(buffer, result.ptr);
}

std::string FormatGeneralFloat(double number, char decimalMark) {
  if (std::isnan(number)) return "NAN";
  if (std::isinf(number)) return number > 0 ? "INF" : "-INF";
  if (number == 0) return "0";
  std::string digits;
  int exponent = 0;
  SignificantDigits(std::fabs(number), digits, exponent);
  std::string out = number < 0 ? "-" : "";
  if (exponent >= 15 || exponent < -5) {
    out += digits[0];
    if (digits.size() > 1) (out += decimalMark).append(digits, 1);
    out += 'E';
    out += IntegerToText(exponent);
  } else if (exponent >= 0) {
    const std::size_t whole = std::size_t(exponent) + 1;
    out.append(digits, 0, whole);
    if (digits.size() < whole) out.append(whole - digits.size(), '0');
    if (digits.size() > whole) (out += decimalMark).append(digits, whole);
  } else {
    (out += '0') += decimalMark;
    out.append(std::size_t(-exponent - 1), '0');
    out += digits;
  }
  return out;
}

bool ParseFloatText(std::string_view text, char decimalMark, double& number) {
  text = TrimBlanks(text);
  std::string plain;  // the text in from_chars syntax
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  bool digits = false, mark = false;
  for (; i < text.size(); ++i) {
    if (IsDigit(text[i])) {
      digits = true;
      plain += text[i];
    } else if (text[i] == decimalMark && !mark) {
      mark = true;
      plain += '.';
    } else {
      break;
    }
  }
  if (!digits) return false;
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
    plain += 'e';
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) plain += text[i++];
    const std::size_t start = i;
    while (i < text.size() && IsDigit(text[i])) plain += text[i++];
    if (i == start) return false;
  }
  if (i != text.size()) return false;
  double value = 0;
  const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  // Values beyond the double range (either way) are not valid numbers.
  if (result.ec != std::errc() || result.ptr != plain.data() + plain.size()) return false;
  number = negative ? -value : value;
  return true;
}

bool ParseIntegerText(std::string_view text, std::int32_t& number) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const bool hex = i < text.size() && text[i] == '$';
  if (hex) ++i;
  if (i == text.size()) return false;
  std::uint64_t value = 0;
  const std::uint64_t limit =
      hex ? 0xFFFFFFFFull : std::uint64_t(std::numeric_limits<std::int32_t>::max()) + negative;
  for (; i < text.size(); ++i) {
    const int digit = hex ? HexDigit(text[i]) : (IsDigit(text[i]) ? text[i] - '0' : -1);
    if (digit < 0) return false;
    value = value * (hex ? 16 : 10) + std::uint64_t(digit);
    if (value > limit) return false;
  }
  const auto bits = static_cast<std::uint32_t>(negative ? 0 - value : value);
  number = static_cast<std::int32_t>(bits);
  return true;
}

}  // namespace xmldom
