#pragma once

// The general conversions of values, as the typed attribute getters use them. Unlike the XML
// text forms (XmlValueText.h) they follow the user's locale (XmlLocale.h): floats with the
// locale's decimal mark, booleans as the locale's words, date-times in its short date and long
// time formats. Failures raise the platform runtime's English messages:
//   "Could not convert variant of type (%s) into type (%s)"
//   "Overflow while converting variant of type (%s) into type (%s)"
//   "Range check error", "'%s' is not a valid integer value", and those of XmlValueText.h.

#include <cstdint>
#include <string>
#include <string_view>

#include "XmlDom/XmlLocale.h"
#include "XmlDom/XmlValue.h"

namespace xmldom {

// The runtime's name of a value kind in conversion messages ("Integer", "String", "Null" ...).
std::string XmlValueTypeName(std::uint16_t type);

// Integer kinds: codes 2, 3 and 16 to 20.
bool IsXmlIntegerType(std::uint16_t type) noexcept;
// The number a numeric value or a date-time stands for: true is -1, currency is the amount
// (the scaled integer divided by 10000). Meaningless for other kinds.
double XmlValueNumber(const XmlValue& value) noexcept;

// Value to text: empty "", integers in decimal, floats, currency, date-times and booleans in
// the locale's forms, strings as they are; null and byte arrays raise the conversion error.
std::string XmlValueToGeneralText(const XmlValue& value);

// Numbers are true when not zero; texts read by XmlTextToBool; empty is false.
bool XmlValueToBool(const XmlValue& value);
// Numbers round to the nearest integer (ties to even; currency divided by 10000 first, true
// is -1) and raise "Range check error" outside 32 bits; texts read by XmlTextToInt.
std::int32_t XmlValueToInt(const XmlValue& value);
// Numbers directly; every other kind (date-times included) through its general text and
// XmlTextToFloat.
double XmlValueToDouble(const XmlValue& value);
// Texts read by XmlTextToDateTime; numbers as day counts; empty is 0.
TXmlDateTime XmlValueToDateTime(const XmlValue& value);

// A number in the locale's syntax (not zero is true), else the locale's words or "true" and
// "false" (letter case ignored); anything else raises the String-to-Boolean conversion error.
bool XmlTextToBool(std::string_view text);
// A number in the locale's syntax rounded to the nearest integer (outside 32 bits raises the
// overflow error), else the runtime's integer syntax ("-7", "$1F"), else XmlTextToBool with
// true as 1.
std::int32_t XmlTextToInt(std::string_view text);
// "$" followed by text, read as a hexadecimal integer; raises
// "'$<text>' is not a valid integer value".
std::int32_t XmlHexTextToInt(std::string_view text);
// Upper-case hexadecimal of the 32-bit pattern, zero-padded to digits (no padding above 32).
std::string XmlIntToHexText(std::int32_t value, int digits);

// The locale's forms.
std::string LocaleFloatToText(double number, const TXmlLocale& locale);
std::string LocaleCurrencyToText(std::int64_t scaledAmount, const TXmlLocale& locale);
std::string LocaleDateTimeToText(TXmlDateTime value, const TXmlLocale& locale);

// Equal texts when letter case is ignored (the letters of the 8-bit code page included).
bool SameTextIgnoringCase(std::string_view a, std::string_view b) noexcept;

}  // namespace xmldom
