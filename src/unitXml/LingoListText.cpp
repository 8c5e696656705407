#include "unitXml/LingoListText.h"

#include <cstdio>

namespace {

// A list may hold itself, even several times: below this depth nested lists show as "[...]",
// and after this many values in all the rest shows as "...".
constexpr int kMaxListDepth = 32;
constexpr int kMaxValues = 10000;

struct TListWriter {
  IMoaMmValue* Values;
  int ValuesLeft = kMaxValues;
};

std::string Numbers(const char* name, std::initializer_list<long long> numbers) {
  std::string text = name;
  text += '(';
  const char* separator = "";
  for (long long number : numbers) {
    text += separator;
    text += std::to_string(number);
    separator = ", ";
  }
  return text + ')';
}

std::string SymbolText(MoaMmSymbol symbol, IMoaMmValue* values) {
  char name[256] = {};
  if (values) values->SymbolToString(symbol, name, sizeof name - 1);
  std::string text = "#";
  return text += name;
}

std::string ListText(IDXList* linear, IDXPropertyList* properties, TListWriter& writer, int depth);

std::string ValueText(const IDXValue& value, TListWriter& writer, int depth) {
  switch (value.ValueKind()) {
    case dvVoid:
      return "<Void>";
    case dvInteger:
      // A symbol reads as an integer that also carries the symbol.
      if (value.AsSymbol() != 0) return SymbolText(value.AsSymbol(), writer.Values);
      return std::to_string(value.AsInteger());
    case dvString: {
      // Appended piece by piece: GCC 12 warns falsely about '"' + string.
      std::string text = "\"";
      text += value.AsString();
      return text += '"';
    }
    case dvFloat: {
      char text[64];
      std::snprintf(text, sizeof text, "%.4f", value.AsFloat());
      return text;
    }
    case dvSymbol:
      return SymbolText(value.AsSymbol(), writer.Values);
    case dvPoint:
      return Numbers("point", {value.AsPoint().X, value.AsPoint().Y});
    case dvRect: {
      const TDXRect r = value.AsRect();
      return Numbers("rect", {r.Left, r.Top, r.Right, r.Bottom});
    }
    case dvColor: {
      const std::uint32_t c = value.AsColor();
      if (c < 256) return Numbers("paletteIndex", {c});
      return Numbers("rgb", {(c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF});
    }
    case dvPair:
      return Numbers("pair", {value.AsPair().First, value.AsPair().Second});
    case dvList:
      return ListText(value.AsList().Get(), nullptr, writer, depth + 1);
    case dvPropertyList:
      return ListText(nullptr, value.AsPropertyList().Get(), writer, depth + 1);
    case dvObject:
      break;
  }
  return "<Object>";
}

std::string ListText(IDXList* linear, IDXPropertyList* properties, TListWriter& writer, int depth) {
  if (!linear && !properties) return "[]";
  if (depth > kMaxListDepth) return "[...]";
  const std::int32_t count = linear ? linear->Count() : properties->Count();
  if (properties && count == 0) return "[:]";
  std::string text = "[";
  for (std::int32_t i = 0; i < count; ++i) {
    if (i > 0) text += ", ";
    if (--writer.ValuesLeft < 0) {
      text += "...";
      break;
    }
    if (properties) {
      text += '#';
      text += properties->GetPropName(i);
      text += ": ";
    }
    const Ref<IDXValue> item = linear ? linear->GetItem(i) : properties->GetItem(i);
    text += item ? ValueText(*item, writer, depth) : "<Void>";
  }
  return text + ']';
}

}  // namespace

std::string LinearListText(IDXList& list, IMoaMmValue* values) {
  TListWriter writer{values};
  return ListText(&list, nullptr, writer, 0);
}

std::string PropertyListText(IDXPropertyList& list, IMoaMmValue* values) {
  TListWriter writer{values};
  return ListText(nullptr, &list, writer, 0);
}
