#include "unitXml/ErrorOutput.h"

#include <cstdio>

#include "XmlDom/XmlLocale.h"
#include "common/Messages.h"
#include "platform/File.h"
#include "platform/Locale.h"
#include "platform/MessageBox.h"

namespace {

std::string TimePicture(char separator) {
  // A separator that is itself a picture letter would be read as a field: quote it.
  const std::string part =
      separator == '\'' ? "''"
      : (separator >= 'A' && separator <= 'Z') || (separator >= 'a' && separator <= 'z')
          ? std::string{'\'', separator, '\''}
          : std::string(1, separator);
  return "HH" + part + "mm" + part + "ss";
}

// Logging switches the library's date and time formats to the log's own, for good: every
// later date-to-text conversion of the module writes dates the way the log does.
void UseLogDateFormats(char timeSeparator) {
  xmldom::TXmlLocale locale = xmldom::XmlLocale();
  locale.ShortDateFormat = "MM.dd.yyyy";
  locale.LongTimeFormat = TimePicture(timeSeparator);
  xmldom::SetXmlLocaleOverride(locale);
}

}  // namespace

bool IsAuthoringRunMode(std::string_view runMode) {
  constexpr std::string_view kAuthor = "author";
  if (runMode.size() != kAuthor.size()) return false;
  for (std::size_t i = 0; i < runMode.size(); ++i) {
    char c = runMode[i];
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    if (c != kAuthor[i]) return false;
  }
  return true;
}

void ShowErrorDialog(const std::string& text) {
  platform::ShowMessageBox(msg::kErrorCaption, text);
}

std::string ErrorLogEntry(const platform::TLocalDateTime& when, std::string_view text,
                          char timeSeparator) {
  char stamp[128];  // room for any int fields
  int length =
      std::snprintf(stamp, sizeof stamp, "%02d.%02d.%04d", when.Month, when.Day, when.Year);
  if (when.Hour != 0 || when.Minute != 0 || when.Second != 0)
    length += std::snprintf(stamp + length, sizeof stamp - std::size_t(length), " %02d%c%02d%c%02d",
                            when.Hour, timeSeparator, when.Minute, timeSeparator, when.Second);
  std::string entry(stamp, std::size_t(length));
  entry += '\t';
  entry.append(text);
  entry += "\r\n";
  return entry;
}

void AppendErrorLog(const std::string& fileName, const std::string& text) noexcept {
  if (fileName.empty()) return;
  try {
    const char separator = platform::UserLocaleFormats().TimeSeparator;
    UseLogDateFormats(separator);
    platform::AppendToTextFile(fileName, ErrorLogEntry(platform::LocalNow(), text, separator));
  } catch (...) {
    // The log is a convenience: losing an entry must not disturb the method being recorded.
  }
}
