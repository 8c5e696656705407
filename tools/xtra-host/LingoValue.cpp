#include "LingoValue.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "LingoError.h"
#include "LingoToken.h"
#include "host/LingoText.h"

namespace lingo {
namespace {

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

std::string LowerText(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = Lower(c);
  return lower;
}

// Lingo's strings compare without regard to case.
int CompareText(std::string_view a, std::string_view b) {
  const std::string x = LowerText(a), y = LowerText(b);
  return x < y ? -1 : x > y ? 1 : 0;
}

bool IsNumberType(MoaLong type) {
  return type == kMoaValueInteger || type == kMoaValueFloat;
}

}  // namespace

MoaLong TValues::Type(const TValue& value) {
  return value.Xtra ? -2 : values_.TypeOf(value.Host.Raw());
}

TValue TValues::Share(const MoaMmValue& raw) {
  values_.AddRef(raw);
  return {dxhost::THostValue(values_, raw), {}};
}

TValue TValues::Integer(long long value) {
  // Lingo's integers are 32 bits and wrap.
  return {values_.Integer(MoaLong(std::int32_t(std::uint32_t(value)))), {}};
}

TValue TValues::List(std::vector<TValue> items) {
  const MoaMmValue list = values_.Make(kMoaValueList);
  dxhost::THostBox& box = *values_.Find(list);
  for (TValue& item : items) box.Items.push_back(item.Host.Detach());
  return {dxhost::THostValue(values_, list), {}};
}

TValue TValues::PropertyList(std::vector<TValue> namesAndValues) {
  const MoaMmValue list = values_.Make(kMoaValuePropertyList);
  dxhost::THostBox& box = *values_.Find(list);
  for (std::size_t i = 0; i + 1 < namesAndValues.size(); i += 2) {
    box.Names.push_back(namesAndValues[i].Host.Detach());
    box.Items.push_back(namesAndValues[i + 1].Host.Detach());
  }
  return {dxhost::THostValue(values_, list), {}};
}

std::string TValues::Text(const TValue& value) {
  if (value.Xtra) return PutText(value);
  const MoaMmValue& raw = value.Host.Raw();
  switch (values_.TypeOf(raw)) {
    case kMoaValueVoid:
      return {};
    case kMoaValueString:
      return values_.Find(raw)->Text;
    case kMoaValueSymbol: {
      const std::string* name = values_.SymbolName(values_.Find(raw)->Integer);
      return name ? *name : std::string();
    }
    default:
      return dxhost::LingoText(values_, raw);
  }
}

std::string TValues::PutText(const TValue& value) {
  if (value.Xtra) return "<Xtra \"" + *value.Xtra + "\">";
  return dxhost::LingoText(values_, value.Host.Raw());
}

double TValues::Number(const TValue& value, int line) {
  const MoaMmValue& raw = value.Host.Raw();
  switch (Type(value)) {
    case kMoaValueInteger:
      return values_.Find(raw)->Integer;
    case kMoaValueFloat:
      return values_.Find(raw)->Float;
    default:
      throw ELingoError(line, "Number expected, not " + PutText(value));
  }
}

bool TValues::Truth(const TValue& value, int line) {
  if (Type(value) == kMoaValueVoid) return false;
  return Number(value, line) != 0;
}

TValue TValues::Arithmetic(std::string_view op, const TValue& left, const TValue& right, int line) {
  const double a = Number(left, line), b = Number(right, line);
  if (Type(left) == kMoaValueInteger && Type(right) == kMoaValueInteger) {
    const long long x = static_cast<long long>(a), y = static_cast<long long>(b);
    if ((op == "/" || op == "mod") && y == 0) throw ELingoError(line, "Division by zero");
    if (op == "+") return Integer(x + y);
    if (op == "-") return Integer(x - y);
    if (op == "*") return Integer(x * y);
    if (op == "/") return Integer(x / y);
    return Integer(x % y);
  }
  if (op == "mod") throw ELingoError(line, "Integer expected for mod");
  if (op == "/" && b == 0) throw ELingoError(line, "Division by zero");
  const double result = op == "+" ? a + b : op == "-" ? a - b : op == "*" ? a * b : a / b;
  return {values_.Float(result), {}};
}

std::optional<int> TValues::Compare(const TValue& left, const TValue& right) {
  const MoaLong a = Type(left), b = Type(right);
  if (IsNumberType(a) && IsNumberType(b)) {
    const double x = Number(left, 0), y = Number(right, 0);
    return x < y ? -1 : x > y ? 1 : 0;
  }
  if (a == b && (a == kMoaValueString || a == kMoaValueSymbol))
    return CompareText(Text(left), Text(right));
  if (a == kMoaValueVoid || b == kMoaValueVoid) {
    if (a == b) return 0;
    return std::nullopt;
  }
  if (a == b && PutText(left) == PutText(right)) return 0;
  return std::nullopt;
}

TValue TValues::Operate(std::string_view op, const TValue& left, const TValue& right, int line) {
  if (op == "&" || op == "&&") {
    std::string text = Text(left);
    if (op == "&&") text += ' ';
    text += Text(right);
    return {values_.String(text), {}};
  }
  if (op == "+" || op == "-" || op == "*" || op == "/" || op == "mod")
    return Arithmetic(op, left, right, line);
  if (op == "and") return Boolean(Truth(left, line) && Truth(right, line));
  if (op == "or") return Boolean(Truth(left, line) || Truth(right, line));
  if (op == "contains")
    return Boolean(LowerText(Text(left)).find(LowerText(Text(right))) != std::string::npos);
  if (op == "starts") return Boolean(LowerText(Text(left)).starts_with(LowerText(Text(right))));
  const std::optional<int> order = Compare(left, right);
  if (op == "=") return Boolean(order == 0);
  if (op == "<>") return Boolean(order != 0);
  if (!order)
    throw ELingoError(line, "Cannot compare " + PutText(left) + " with " + PutText(right));
  if (op == "<") return Boolean(*order < 0);
  if (op == ">") return Boolean(*order > 0);
  if (op == "<=") return Boolean(*order <= 0);
  return Boolean(*order >= 0);
}

}  // namespace lingo
