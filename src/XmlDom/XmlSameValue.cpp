#include "XmlDom/XmlSameValue.h"

#include <exception>
#include <string>

#include "XmlDom/XmlConvert.h"
#include "XmlDom/XmlLocale.h"
#include "XmlDom/XmlNumbers.h"

namespace xmldom {

namespace {

bool IsText(const XmlValue& value) {
  return value.Type() == xvtString || value.Type() == xvtWideString;
}

bool IsNumber(const XmlValue& value) {
  const std::uint16_t type = value.Type();
  return IsXmlIntegerType(type) || type == xvtFloat32 || type == xvtFloat64 ||
         type == xvtCurrency || type == xvtDateTime || type == xvtBoolean;
}

bool SameNumbers(const XmlValue& a, const XmlValue& b) {
  // Integers exactly: 64-bit ones do not all survive the way through double.
  if (IsXmlIntegerType(a.Type()) && IsXmlIntegerType(b.Type())) return a.Int() == b.Int();
  return XmlValueNumber(a) == XmlValueNumber(b);
}

bool SameTextAndNumber(const XmlValue& text, const XmlValue& number) {
  const std::string digits = XmlValueToGeneralText(text);
  if (number.Type() == xvtBoolean) return XmlTextToBool(digits) == (number.Int() != 0);
  double parsed;
  if (!ParseFloatText(digits, XmlLocale().DecimalSeparator, parsed)) return false;
  return parsed == XmlValueNumber(number);
}

bool SameFilledValues(const XmlValue& a, const XmlValue& b) {
  if (IsText(a) && IsText(b)) {
    if (a.Type() == b.Type()) return a.ByteView() == b.ByteView();
    return XmlValueToGeneralText(a) == XmlValueToGeneralText(b);
  }
  if (IsNumber(a) && IsNumber(b)) return SameNumbers(a, b);
  if (IsText(a) && IsNumber(b)) return SameTextAndNumber(a, b);
  if (IsNumber(a) && IsText(b)) return SameTextAndNumber(b, a);
  if (a.Type() == xvtByteArray && b.Type() == xvtByteArray) return a.ByteView() == b.ByteView();
  return false;
}

}  // namespace

bool XmlSameValue(const XmlValue& a, const XmlValue& b) noexcept {
  if (a.IsEmptyOrNull() || b.IsEmptyOrNull()) return a.Type() == b.Type();
  try {
    return SameFilledValues(a, b);
  } catch (const std::exception&) {
    // The conversions raise for texts that are no number or truth, and so may a lack of memory.
    return false;
  }
}

}  // namespace xmldom
