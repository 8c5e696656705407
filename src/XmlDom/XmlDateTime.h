#pragma once

// Date-times as the library stores them (TXmlDateTime: days since 30 December 1899 plus the
// fraction of the day; before that day the fraction still counts forward from midnight) and
// their calendar fields. Valid years are 1 to 9999.

#include "XmlDom/XmlValue.h"

namespace xmldom {

struct TXmlCivilDateTime {
  int Year = 0, Month = 0, Day = 0;
  int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};

// The fields of value, rounded to the millisecond; false when value lies outside years 1 to
// 9999 (or is not a number).
bool DecodeXmlDateTime(TXmlDateTime value, TXmlCivilDateTime& fields) noexcept;

// The date-time of the fields; false when a field is out of range (a day the month does not
// have, hour 24, and so on).
bool EncodeXmlDateTime(const TXmlCivilDateTime& fields, TXmlDateTime& value) noexcept;

}  // namespace xmldom
