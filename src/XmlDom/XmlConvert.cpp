#include "XmlDom/XmlConvert.h"

#include <cmath>
#include <limits>

#include "XmlDom/XmlErrors.h"
#include "XmlDom/XmlNumbers.h"
#include "XmlDom/XmlValueText.h"
#include "common/Error.h"
#include "common/FormatText.h"
#include "common/Messages.h"
#include "platform/CodePage.h"

namespace xmldom {

namespace {

[[noreturn]] void RaiseCannotConvert(std::uint16_t from, std::string_view to) {
  throw EXmlError(FormatText(msg::kCannotConvertVariant, {XmlValueTypeName(from), to}));
}

bool IsIntegerKind(std::uint16_t type) {
  return type == xvtInt16 || type == xvtInt32 || (type >= xvtInt8 && type <= xvtInt64);
}

// Codes that convert to numbers directly (date-times are not among them).
bool IsNumericKind(std::uint16_t type) {
  return IsIntegerKind(type) || type == xvtFloat32 || type == xvtFloat64 || type == xvtCurrency ||
         type == xvtBoolean;
}

// The number a numeric value stands for: true is -1, currency is divided by 10000.
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

std::int32_t CheckedInt(std::int64_t number) {
  if (number < std::numeric_limits<std::int32_t>::min() ||
      number > std::numeric_limits<std::int32_t>::max())
    RaiseRangeCheckError();
  return std::int32_t(number);
}

// Nearest integer, ties to even.
std::int32_t RoundedInt(double number) {
  const double rounded = std::nearbyint(number);
  if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) RaiseRangeCheckError();
  return std::int32_t(rounded);
}

std::int64_t RoundedCurrency(std::int64_t scaled) {
  std::int64_t whole = scaled / 10000;
  const std::int64_t rest = scaled % 10000;
  const std::int64_t half = rest < 0 ? -rest : rest;
  if (half > 5000 || (half == 5000 && whole % 2 != 0)) whole += scaled < 0 ? -1 : 1;
  return whole;
}

// The 8-bit text of a string kind.
std::string TextOf(const XmlValue& value) {
  if (value.Type() == xvtWideString) return platform::WideToAnsi(value.WideText());
  return std::string(value.ByteView());
}

bool IsTextKind(std::uint16_t type) {
  return type == xvtString || type == xvtWideString;
}

}  // namespace

bool IsXmlIntegerType(std::uint16_t type) noexcept {
  return IsIntegerKind(type);
}

double XmlValueNumber(const XmlValue& value) noexcept {
  return NumberOf(value);
}

std::string XmlValueTypeName(std::uint16_t type) {
  switch (type) {
    case xvtEmpty:
      return "Empty";
    case xvtNull:
      return "Null";
    case xvtInt16:
      return "Smallint";
    case xvtInt32:
      return "Integer";
    case xvtFloat32:
      return "Single";
    case xvtFloat64:
      return "Double";
    case xvtCurrency:
      return "Currency";
    case xvtDateTime:
      return "Date";
    case xvtWideString:
      return "OleStr";
    case xvtBoolean:
      return "Boolean";
    case xvtInt8:
      return "ShortInt";
    case xvtUInt8:
      return "Byte";
    case xvtUInt16:
      return "Word";
    case xvtUInt32:
      return "LongWord";
    case xvtInt64:
      return "Int64";
    case xvtString:
      return "String";
    case xvtByteArray:
      return "Array Byte";
    default:
      return "Unknown";
  }
}

std::string XmlValueToGeneralText(const XmlValue& value) {
  const std::uint16_t type = value.Type();
  if (IsIntegerKind(type)) return IntegerToText(value.Int());
  switch (type) {
    case xvtEmpty:
      return {};
    case xvtFloat32:
    case xvtFloat64:
      return LocaleFloatToText(NumberOf(value), XmlLocale());
    case xvtCurrency:
      return LocaleCurrencyToText(value.Int(), XmlLocale());
    case xvtDateTime:
      return LocaleDateTimeToText(value.Float64(), XmlLocale());
    case xvtBoolean:
      return value.Int() != 0 ? XmlLocale().TrueText : XmlLocale().FalseText;
    case xvtString:
    case xvtWideString:
      return TextOf(value);
    default:
      RaiseCannotConvert(type, "String");
  }
}

bool XmlValueToBool(const XmlValue& value) {
  const std::uint16_t type = value.Type();
  if (type == xvtEmpty) return false;
  if (IsNumericKind(type) || type == xvtDateTime) return NumberOf(value) != 0;
  if (IsTextKind(type)) return XmlTextToBool(TextOf(value));
  RaiseCannotConvert(type, "Boolean");
}

std::int32_t XmlValueToInt(const XmlValue& value) {
  const std::uint16_t type = value.Type();
  if (IsIntegerKind(type)) return CheckedInt(value.Int());
  switch (type) {
    case xvtEmpty:
      return 0;
    case xvtBoolean:
      return value.Int() != 0 ? -1 : 0;
    case xvtCurrency:
      return CheckedInt(RoundedCurrency(value.Int()));
    case xvtFloat32:
    case xvtFloat64:
    case xvtDateTime:
      return RoundedInt(NumberOf(value));
    case xvtString:
    case xvtWideString:
      return XmlTextToInt(TextOf(value));
    default:
      RaiseCannotConvert(type, "Integer");
  }
}

double XmlValueToDouble(const XmlValue& value) {
  if (IsNumericKind(value.Type())) return NumberOf(value);
  return XmlTextToFloat(XmlValueToGeneralText(value));
}

TXmlDateTime XmlValueToDateTime(const XmlValue& value) {
  const std::uint16_t type = value.Type();
  if (IsTextKind(type)) return XmlTextToDateTime(TextOf(value));
  if (type == xvtEmpty) return 0;
  if (IsNumericKind(type) || type == xvtDateTime) return NumberOf(value);
  RaiseCannotConvert(type, "Date");
}

}  // namespace xmldom
