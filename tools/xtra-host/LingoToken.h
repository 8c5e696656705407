#pragma once

// The words of a Lingo script: names, literals and operators, line by line. Comments ("--" to
// the end of the line) are dropped; a "\" at the end of a line joins it to the next.

#include <string>
#include <string_view>
#include <vector>

namespace lingo {

enum class TTokenKind { End, Newline, Name, Integer, Float, String, Symbol, Operator };

struct TToken {
  TTokenKind Kind = TTokenKind::End;
  std::string Text;  // the name, the string's bytes, the symbol without "#", the operator
  int Line = 0;
  long long Integer = 0;
  double Float = 0;
};

// Raises ELingoError for a string that does not end on its line and for stray characters.
// Lines are counted from firstLine.
std::vector<TToken> Tokenize(std::string_view source, int firstLine = 1);

// Names, keywords included, compare without regard to ASCII case.
bool SameName(std::string_view a, std::string_view b);
// The name in lower case, as names are kept.
std::string Lower(std::string_view name);

}  // namespace lingo
