#include "XmlDom/XmlValueText.h"

#include <array>
#include <cstdint>
#include <cstdio>

#include "XmlDom/Base64.h"
#include "XmlDom/StringBuilder.h"
#include "XmlDom/XmlDateTime.h"
#include "XmlDom/XmlLocale.h"
#include "XmlDom/XmlNumbers.h"
#include "common/Error.h"
#include "common/FormatText.h"
#include "common/Messages.h"
#include "platform/CodePage.h"

namespace xmldom {

namespace {

// The reference of each character that needs one; null for the others.
constexpr std::array<const char*, 256> MakeReferences() {
  std::array<const char*, 256> table{};
  table['"'] = "&quot;";
  table['&'] = "&amp;";
  table['<'] = "&lt;";
  table['>'] = "&gt;";
  return table;
}
constexpr std::array<const char*, 256> kReferences = MakeReferences();

const char* ReferenceOf(char c) {
  return kReferences[static_cast<unsigned char>(c)];
}

std::string_view ToView(const char* reference) {
  return reference;
}

[[noreturn]] void RaiseInvalidDateTime(std::string_view text) {
  throw EXmlError(FormatText(msg::kInvalidDateTime, {text}));
}

// A run of decimal digits (none is 0); large runs saturate so that they fail the range test.
int ReadDigits(std::string_view text, std::size_t& i) {
  int value = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    value = value > 100000000 ? 1000000000 : value * 10 + (text[i] - '0');
    ++i;
  }
  return value;
}

}  // namespace

std::string EscapeXml(std::string text) {
  std::size_t length = 0;
  for (char c : text) length += ReferenceOf(c) ? ToView(ReferenceOf(c)).size() : 1;
  if (length == text.size()) return text;
  std::string out;
  out.reserve(length);
  for (char c : text) {
    if (const char* reference = ReferenceOf(c))
      out += reference;
    else
      out += c;
  }
  return out;
}

void AppendEscapedXml(TStringBuilder& out, std::string_view text) {
  std::size_t runStart = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char* reference = ReferenceOf(text[i]);
    if (!reference) continue;
    out.Add(text.substr(runStart, i - runStart));
    out.Add(ToView(reference));
    runStart = i + 1;
  }
  out.Add(text.substr(runStart));
}

std::string XmlValueToText(const XmlValue& value) {
  switch (value.Type()) {
    case xvtEmpty:
      return {};
    case xvtNull:
      return "{{null}}";
    case xvtInt16:
    case xvtInt32:
    case xvtInt8:
    case xvtUInt8:
    case xvtUInt16:
    case xvtUInt32:
    case xvtInt64:
      return IntegerToText(value.Int());
    case xvtFloat32:
      return FloatToXmlText(double(value.Float32()));
    case xvtFloat64:
      return FloatToXmlText(value.Float64());
    case xvtCurrency:
      return FloatToXmlText(double(value.Int()) / 10000);
    case xvtDateTime:
      return DateTimeToXmlText(value.Float64());
    case xvtWideString:
      return platform::WideToAnsi(value.WideText());
    case xvtBoolean:
      return std::string(XmlBoolText[value.Int() != 0]);
    case xvtByteArray: {
      const std::string_view bytes = value.ByteView();
      return EncodeBase64(bytes.data(), bytes.size());
    }
    default:
      return std::string(value.ByteView());
  }
}

void AppendEscapedValue(TStringBuilder& out, const XmlValue& value) {
  if (value.Type() == xvtString)
    AppendEscapedXml(out, value.ByteView());
  else if (!value.IsEmpty())
    AppendEscapedXml(out, XmlValueToText(value));
}

std::string FloatToXmlText(double number) {
  return FormatGeneralFloat(number, '.');
}

double XmlTextToFloat(std::string_view text) {
  const char mark = XmlLocale().DecimalSeparator;
  std::string normal(text);
  const auto replaceFirst = [&normal](char from, char to) {
    const std::size_t at = normal.find(from);
    if (at == std::string::npos) return false;
    normal[at] = to;
    return true;
  };
  if (mark == '.')
    replaceFirst(',', '.');
  else if (mark == ',')
    replaceFirst('.', ',');
  else if (!replaceFirst(',', mark))
    replaceFirst('.', mark);
  double number = 0;
  if (!ParseFloatText(normal, mark, number))
    throw EXmlError(FormatText(msg::kInvalidFloat, {text}));
  return number;
}

std::string DateTimeToXmlText(TXmlDateTime value) {
  TXmlCivilDateTime f;
  if (!DecodeXmlDateTime(value, f)) RaiseInvalidDateTime(FloatToXmlText(value));
  char text[40];
  const int length = std::snprintf(text, sizeof text, "%.4d-%.2d-%.2dT%.2d-%.2d-%.2d", f.Year,
                                   f.Month, f.Day, f.Hour, f.Minute, f.Second);
  return std::string(text, std::size_t(length));
}

TXmlDateTime XmlTextToDateTime(std::string_view text) {
  static constexpr char kSeparators[] = {'-', '-', 'T', '-', '-', '-'};
  int fields[6] = {};
  std::size_t i = 0;
  for (int k = 0; k < 6; ++k) {
    fields[k] = ReadDigits(text, i);
    if (i >= text.size() || text[i] != kSeparators[k]) break;
    ++i;
  }
  const TXmlCivilDateTime civil{fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]};
  TXmlDateTime value = 0;
  if (!EncodeXmlDateTime(civil, value)) RaiseInvalidDateTime(text);
  return value;
}

}  // namespace xmldom
