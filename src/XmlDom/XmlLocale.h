#pragma once

// The user locale as the library's locale-aware conversions see it: the general value-to-text
// conversion, the text-to-number and text-to-boolean readers, and the decimal mark that
// XmlTextToFloat normalises to. Filled from the platform layer once; tests install their own.

#include <optional>
#include <string>

namespace xmldom {

struct TXmlLocale {
  char DecimalSeparator = '.';
  // Windows-style pictures: d dd M MM MMM MMMM y yy yyyy; h hh H HH m mm s ss t tt; text in
  // single quotes is literal.
  std::string ShortDateFormat = "M/d/yyyy";
  std::string LongTimeFormat = "h:mm:ss";
  // The words a boolean converts to, and (letter case ignored) reads back from.
  std::string TrueText = "True";
  std::string FalseText = "False";
};

// The installed override, else the platform's user locale.
const TXmlLocale& XmlLocale();

// Installs (or with nullopt removes) an override; returns the previous one.
std::optional<TXmlLocale> SetXmlLocaleOverride(std::optional<TXmlLocale> locale);

// Installs a locale for the life of the object (tests).
class TXmlLocaleScope {
 public:
  explicit TXmlLocaleScope(TXmlLocale locale) : previous_(SetXmlLocaleOverride(locale)) {}
  TXmlLocaleScope(const TXmlLocaleScope&) = delete;
  TXmlLocaleScope& operator=(const TXmlLocaleScope&) = delete;
  ~TXmlLocaleScope() { SetXmlLocaleOverride(previous_); }

 private:
  std::optional<TXmlLocale> previous_;
};

}  // namespace xmldom
