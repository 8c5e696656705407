#pragma once

// Lingo values as the message window handles them: the host's own values, plus the xtra
// references that "xtra "name"" makes, which only new and interface take.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/XtraHost.h"

namespace lingo {

struct TValue {
  dxhost::THostValue Host;
  std::optional<std::string> Xtra;  // the name of an xtra reference
};

// Builders over the host's values.
class TValues {
 public:
  explicit TValues(dxhost::THostValues& values) : values_(values) {}

  dxhost::THostValues& Host() { return values_; }
  MoaLong Type(const TValue& value);
  // Another reference to a value the host holds (a list item, say).
  TValue Share(const MoaMmValue& raw);
  TValue List(std::vector<TValue> items);
  TValue PropertyList(std::vector<TValue> namesAndValues);

  // The text a value gives to & and string(): strings as they are, numbers in Lingo's form,
  // symbols by name, void as nothing, lists as put shows them.
  std::string Text(const TValue& value);
  // What put shows.
  std::string PutText(const TValue& value);

  // Raise ELingoError (at line) when the value is not of the kind.
  double Number(const TValue& value, int line);
  bool Truth(const TValue& value, int line);

  // Lingo's =: numbers by value, strings and symbols without regard to case.
  bool Equal(const TValue& left, const TValue& right) { return Compare(left, right) == 0; }
  // Binary operators: arithmetic, comparison, &, contains, starts, and, or.
  TValue Operate(std::string_view op, const TValue& left, const TValue& right, int line);

 private:
  TValue Integer(long long value);
  TValue Boolean(bool value) { return Integer(value ? 1 : 0); }
  TValue Arithmetic(std::string_view op, const TValue& left, const TValue& right, int line);
  // Negative, zero or positive; nullopt when the two do not compare.
  std::optional<int> Compare(const TValue& left, const TValue& right);

  dxhost::THostValues& values_;
};

}  // namespace lingo
