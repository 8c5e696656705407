// Numbers and date-times in the user's locale, as the general conversion writes them.
#include "XmlDom/XmlConvert.h"
#include "XmlDom/XmlDateTime.h"
#include "XmlDom/XmlNumbers.h"
#include "XmlDom/XmlValueText.h"
#include "common/Error.h"
#include "common/FormatText.h"
#include "common/Messages.h"

namespace xmldom {

namespace {

constexpr const char* kMonthNames[] = {"January",   "February", "March",    "April",
                                       "May",       "June",     "July",     "August",
                                       "September", "October",  "November", "December"};
constexpr const char* kDayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};

void AppendNumber(std::string& out, int number, std::size_t width) {
  const std::string digits = IntegerToText(number);
  if (digits.size() < width) out.append(width - digits.size(), '0');
  out += digits;
}

void AppendName(std::string& out, const char* name, std::size_t run) {
  out += run == 3 ? std::string(name, 3) : std::string(name);
}

// Day of the week of a valid date, 0 for Sunday.
int WeekDay(const TXmlCivilDateTime& f) {
  TXmlDateTime day = 0;
  EncodeXmlDateTime({f.Year, f.Month, f.Day}, day);
  // 30 December 1899 was a Saturday.
  const long long n = static_cast<long long>(day);
  return int(((n + 6) % 7 + 7) % 7);
}

// One run of a picture letter (for example "dd" or "MMMM").
void AppendField(std::string& out, char letter, std::size_t run, const TXmlCivilDateTime& f) {
  const int hour12 = f.Hour % 12 == 0 ? 12 : f.Hour % 12;
  switch (letter) {
    case 'd':
      if (run <= 2) return AppendNumber(out, f.Day, run);
      return AppendName(out, kDayNames[WeekDay(f)], run);
    case 'M':
      if (run <= 2) return AppendNumber(out, f.Month, run);
      return AppendName(out, kMonthNames[f.Month - 1], run);
    case 'y':
      if (run <= 2) return AppendNumber(out, f.Year % 100, run);
      return AppendNumber(out, f.Year, 4);
    case 'h':
      return AppendNumber(out, hour12, run >= 2 ? 2 : 1);
    case 'H':
      return AppendNumber(out, f.Hour, run >= 2 ? 2 : 1);
    case 'm':
      return AppendNumber(out, f.Minute, run >= 2 ? 2 : 1);
    case 's':
      return AppendNumber(out, f.Second, run >= 2 ? 2 : 1);
    case 't':
      out += f.Hour < 12 ? "AM" : "PM";
      if (run == 1) out.pop_back();
      return;
    default:
      return;  // "g" (era) and the like write nothing
  }
}

bool IsPictureLetter(char c) {
  return c == 'd' || c == 'M' || c == 'y' || c == 'h' || c == 'H' || c == 'm' || c == 's' ||
         c == 't' || c == 'g';
}

// A Windows date or time picture filled with the fields.
std::string FormatPicture(std::string_view picture, const TXmlCivilDateTime& f) {
  std::string out;
  for (std::size_t i = 0; i < picture.size();) {
    const char c = picture[i];
    if (c == '\'') {
      const std::size_t close = picture.find('\'', i + 1);
      const std::size_t end = close == std::string_view::npos ? picture.size() : close;
      if (end == i + 1) out += '\'';  // '' is a quote
      out.append(picture.substr(i + 1, end - i - 1));
      i = end + 1;
    } else if (IsPictureLetter(c)) {
      std::size_t run = 1;
      while (i + run < picture.size() && picture[i + run] == c) ++run;
      AppendField(out, c, run, f);
      i += run;
    } else {
      out += c;
      ++i;
    }
  }
  return out;
}

}  // namespace

std::string LocaleFloatToText(double number, const TXmlLocale& locale) {
  return FormatGeneralFloat(number, locale.DecimalSeparator);
}

std::string LocaleCurrencyToText(std::int64_t scaledAmount, const TXmlLocale& locale) {
  const bool negative = scaledAmount < 0;
  const std::uint64_t magnitude =
      negative ? 0 - static_cast<std::uint64_t>(scaledAmount) : std::uint64_t(scaledAmount);
  std::string text = negative ? "-" : "";
  text += std::to_string(magnitude / 10000);
  std::string fraction = std::to_string(magnitude % 10000 + 10000).substr(1);
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  if (!fraction.empty()) (text += locale.DecimalSeparator) += fraction;
  return text;
}

std::string LocaleDateTimeToText(TXmlDateTime value, const TXmlLocale& locale) {
  TXmlCivilDateTime f;
  if (!DecodeXmlDateTime(value, f))
    throw EXmlError(FormatText(msg::kInvalidDateTime, {FloatToXmlText(value)}));
  std::string text = FormatPicture(locale.ShortDateFormat, f);
  if (f.Hour || f.Minute || f.Second || f.Millisecond)
    (text += ' ') += FormatPicture(locale.LongTimeFormat, f);
  return text;
}

}  // namespace xmldom
