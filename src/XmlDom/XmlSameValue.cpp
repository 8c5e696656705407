#include "XmlDom/XmlSameValue.h"

#include <exception>
#include <string>

#include "XmlDom/XmlConvert.h"
#include "XmlDom/XmlLocale.h"
#include "XmlDom/XmlNumbers.h"
#include "platform/CodePage.h"

namespace {

bool IsText(const XmlValue& value) {
  return value.Type() == xvtString || value.Type() == xvtWideString;
}

bool IsIntegerKind(std::uint16_t type) {
  return type == xvtInt16 || type == xvtInt32 || (type >= xvtInt8 && type <= xvtInt64);
}

bool IsNumber(const XmlValue& value) {
  const std::uint16_t type = value.Type();
  return IsIntegerKind(type) || type == xvtFloat32 || type == xvtFloat64 || type == xvtCurrency ||
         type == xvtDateTime || type == xvtBoolean;
}

// The 8-bit text of a string kind.
std::string TextOf(const XmlValue& value) {
  if (value.Type() == xvtWideString) return platform::WideToAnsi(value.WideText());
  return std::string(value.ByteView());
}

// The number a numeric value stands for: true is -1, currency is the amount.
double NumberOf(const XmlValue& value) {
  switch (value.Type()) {
    case xvtFloat32:
      return value.Float32();
    case xvtFloat64:
    case xvtDateTime:
      return value.Float64();
    case xvtCurrency:
      return double(value.Int()) / 10000;
    case xvtBoolean:
      return value.Int() != 0 ? -1 : 0;
    default:
      return double(value.Int());
  }
}

bool SameNumbers(const XmlValue& a, const XmlValue& b) {
  // Integers exactly: 64-bit ones do not all survive the way through double.
  if (IsIntegerKind(a.Type()) && IsIntegerKind(b.Type())) return a.Int() == b.Int();
  return NumberOf(a) == NumberOf(b);
}

bool SameTextAndNumber(const XmlValue& text, const XmlValue& number) {
  const std::string digits = TextOf(text);
  if (number.Type() == xvtBoolean) return XmlTextToBool(digits) == (number.Int() != 0);
  double parsed;
  if (!ParseFloatText(digits, XmlLocale().DecimalSeparator, parsed)) return false;
  return parsed == NumberOf(number);
}

bool SameFilledValues(const XmlValue& a, const XmlValue& b) {
  if (IsText(a) && IsText(b)) {
    if (a.Type() == b.Type()) return a.ByteView() == b.ByteView();
    return TextOf(a) == TextOf(b);
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
