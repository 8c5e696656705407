#pragma once

// The XML text forms of values: what the serialiser writes for text nodes, element values and
// attributes, and what GetText of text nodes and elements returns. They do not depend on the
// locale: floats always use ".", booleans "0" and "1", date-times "yyyy-mm-ddThh-nn-ss".

#include <string>
#include <string_view>

#include "XmlDom/XmlValue.h"

namespace xmldom {

class TStringBuilder;

// The texts of false and true.
inline constexpr std::string_view XmlBoolText[2] = {"0", "1"};

// text with the double quote, "&", "<" and ">" replaced by their references; returned as it
// came (no copy) when none occurs.
std::string EscapeXml(std::string text);
// Appends text escaped as EscapeXml does.
void AppendEscapedXml(TStringBuilder& out, std::string_view text);

// The XML text form of a value (empty gives "", null "{{null}}", byte arrays their Base64).
std::string XmlValueToText(const XmlValue& value);
// Appends EscapeXml(XmlValueToText(value)) without intermediate copies.
void AppendEscapedValue(TStringBuilder& out, const XmlValue& value);

// The shortest form with at most 15 significant digits; fixed notation unless the magnitude
// is below 0.00001 or has more than 15 digits before the point (then "1.5E-7", "1E20").
std::string FloatToXmlText(double number);
// Reads a float whatever decimal mark the text uses: the first "," or "." is taken as the
// locale's mark. Raises "'%s' is not a valid floating point value".
double XmlTextToFloat(std::string_view text);

// "%.4d-%.2d-%.2dT%.2d-%.2d-%.2d", milliseconds dropped. A value outside years 1 to 9999
// raises the invalid date-time error.
std::string DateTimeToXmlText(TXmlDateTime value);
// Reads year, month, day, hour, minute and second separated by "-", "-", "T", "-", "-"; the
// fields after a missing separator count as 0. Fields out of range raise
// "''%s'' is not a valid date and time".
TXmlDateTime XmlTextToDateTime(std::string_view text);

}  // namespace xmldom
