#pragma once

// The user locale's formats that zelXML's conversions read: separators and the short date
// and long time patterns. Read from the system once; tests may replace them.

#include <optional>
#include <string>

namespace platform {

struct TLocaleFormats {
  char DecimalSeparator = '.';
  char ThousandSeparator = ',';
  char DateSeparator = '/';
  char TimeSeparator = ':';
  std::string ShortDateFormat = "M/d/yyyy";
  std::string LongTimeFormat = "h:mm:ss";
};

// The system's formats (on Windows from the user default locale; elsewhere the defaults
// above), unless an override is installed.
const TLocaleFormats& UserLocaleFormats();

// Installs (or with nullopt removes) an override; returns the previous override.
std::optional<TLocaleFormats> SetLocaleFormatsOverride(std::optional<TLocaleFormats> formats);

}  // namespace platform
