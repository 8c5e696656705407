#include "XmlDom/XmlLocale.h"

#include <utility>

#include "platform/Locale.h"

namespace xmldom {

namespace {

std::optional<TXmlLocale>& Override() {
  static std::optional<TXmlLocale> locale;
  return locale;
}

TXmlLocale FromPlatform() {
  const platform::TLocaleFormats& formats = platform::UserLocaleFormats();
  TXmlLocale locale;
  locale.DecimalSeparator = formats.DecimalSeparator;
  locale.ShortDateFormat = formats.ShortDateFormat;
  locale.LongTimeFormat = formats.LongTimeFormat;
  return locale;
}

}  // namespace

const TXmlLocale& XmlLocale() {
  if (const auto& locale = Override()) return *locale;
  static const TXmlLocale system = FromPlatform();
  return system;
}

std::optional<TXmlLocale> SetXmlLocaleOverride(std::optional<TXmlLocale> locale) {
  return std::exchange(Override(), std::move(locale));
}

}  // namespace xmldom
