#include "host/LingoText.h"

#include <cstdio>

namespace dxhost {
namespace {

std::string Call(const char* name, std::initializer_list<MoaLong> words) {
  std::string text = name;
  text += '(';
  const char* separator = "";
  for (MoaLong word : words) {
    text += separator;
    text += std::to_string(word);
    separator = ", ";
  }
  return text + ')';
}

std::string FloatText(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.4f", value);
  return buffer;
}

std::string ColorText(MoaUlong word) {
  if (word < 256) return Call("paletteIndex", {MoaLong(word)});
  return Call("rgb",
              {MoaLong((word >> 16) & 0xFF), MoaLong((word >> 8) & 0xFF), MoaLong(word & 0xFF)});
}

std::string ListText(THostValues& values, const THostBox& list) {
  const bool properties = list.Type == kMoaValuePropertyList;
  if (properties && list.Items.empty()) return "[:]";
  std::string text = "[";
  for (std::size_t i = 0; i < list.Items.size(); ++i) {
    if (i > 0) text += ", ";
    if (properties) text += LingoText(values, list.Names[i]) + ": ";
    text += LingoText(values, list.Items[i]);
  }
  return text + ']';
}

}  // namespace

std::string LingoText(THostValues& values, const MoaMmValue& value) {
  if (values.IsVoid(value)) return "<Void>";
  const THostBox* box = values.Find(value);
  if (!box) return "<bad value>";
  switch (box->Type) {
    case kMoaValueInteger:
      return std::to_string(box->Integer);
    case kMoaValueSymbol: {
      const std::string* name = values.SymbolName(box->Integer);
      return "#" + (name ? *name : std::string());
    }
    case kMoaValueString:
      return '"' + box->Text + '"';
    case kMoaValueFloat:
      return FloatText(box->Float);
    case kMoaValueList:
    case kMoaValuePropertyList:
      return ListText(values, *box);
    case kMoaValuePoint:
      return Call("point", {box->Words[1], box->Words[0]});
    case kMoaValueRect:
      return Call("rect", {box->Words[1], box->Words[0], box->Words[3], box->Words[2]});
    case kMoaValuePair:
      return Call("pair", {box->Words[0], box->Words[1]});
    case kMoaValueColor:
      return ColorText(MoaUlong(box->Words[0]));
    case kHostValueObject:
      return "<Xtra child \"" + box->Text + "\">";
    default:
      return "<type " + std::to_string(box->Type) + ">";
  }
}

}  // namespace dxhost
