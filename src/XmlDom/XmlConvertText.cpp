// Reading booleans and integers from attribute texts, and the case-blind text comparison of
// word lists.
#include <array>
#include <cmath>

#include "XmlDom/XmlConvert.h"
#include "XmlDom/XmlNumbers.h"
#include "common/Error.h"
#include "common/FormatText.h"
#include "common/Messages.h"

namespace xmldom {

namespace {

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return text;
}

// Lower case of each byte: ASCII, and the letters of windows-1251 that have two cases.
constexpr std::array<unsigned char, 256> MakeFoldTable() {
  std::array<unsigned char, 256> table{};
  for (int i = 0; i < 256; ++i) table[i] = static_cast<unsigned char>(i);
  for (int c = 'A'; c <= 'Z'; ++c) table[c] = static_cast<unsigned char>(c + 32);
  for (int c = 0xC0; c <= 0xDF; ++c) table[c] = static_cast<unsigned char>(c + 32);
  constexpr unsigned char kPairs[][2] = {{0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C},
                                         {0x8D, 0x9D}, {0x8E, 0x9E}, {0x8F, 0x9F}, {0xA1, 0xA2},
                                         {0xA3, 0xBC}, {0xA5, 0xB4}, {0xA8, 0xB8}, {0xAA, 0xBA},
                                         {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE}};
  for (const auto& pair : kPairs) table[pair[0]] = pair[1];
  return table;
}
constexpr std::array<unsigned char, 256> kFold = MakeFoldTable();

}  // namespace

bool SameTextIgnoringCase(std::string_view a, std::string_view b) noexcept {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (kFold[static_cast<unsigned char>(a[i])] != kFold[static_cast<unsigned char>(b[i])])
      return false;
  return true;
}

bool XmlTextToBool(std::string_view text) {
  const TXmlLocale& locale = XmlLocale();
  double number = 0;
  if (ParseFloatText(text, locale.DecimalSeparator, number)) return number != 0;
  const std::string_view word = TrimBlanks(text);
  if (SameTextIgnoringCase(word, locale.TrueText) || SameTextIgnoringCase(word, "True"))
    return true;
  if (SameTextIgnoringCase(word, locale.FalseText) || SameTextIgnoringCase(word, "False"))
    return false;
  throw EXmlError(FormatText(msg::kCannotConvertVariant, {"String", "Boolean"}));
}

std::int32_t XmlTextToInt(std::string_view text) {
  double number = 0;
  if (ParseFloatText(text, XmlLocale().DecimalSeparator, number)) {
    const double rounded = std::nearbyint(number);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0))
      throw EXmlError(FormatText(msg::kOverflowConvertingVariant, {"String", "Integer"}));
    return std::int32_t(rounded);
  }
  std::int32_t value = 0;
  if (ParseIntegerText(text, value)) return value;
  return XmlTextToBool(text) ? 1 : 0;
}

std::int32_t XmlHexTextToInt(std::string_view text) {
  std::string hex(1, '$');
  hex.append(text);
  std::int32_t value = 0;
  if (!ParseIntegerText(hex, value)) throw EXmlError(FormatText(msg::kInvalidInteger, {hex}));
  return value;
}

std::string XmlIntToHexText(std::int32_t value, int digits) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  char buffer[8];
  std::size_t count = 0;
  for (auto bits = static_cast<std::uint32_t>(value); bits != 0 || count == 0; bits >>= 4)
    buffer[sizeof buffer - ++count] = kDigits[bits & 15];
  const std::size_t width = digits <= 32 && digits > int(count) ? std::size_t(digits) : count;
  std::string text(width - count, '0');
  text.append(buffer + sizeof buffer - count, count);
  return text;
}

}  // namespace xmldom
