#pragma once

// Lingo expressions, by recursive descent over the tokens. Operators bind, loosest first: or;
// and; not; comparisons (= <> < > <= >= contains starts); & and &&; + and -; * / mod; unary
// minus; then calls, dots and brackets.

#include <string_view>

#include "LingoSyntax.h"
#include "LingoTokenCursor.h"

namespace lingo {

// TRUE, FALSE, VOID, EMPTY, RETURN, QUOTE, TAB, SPACE.
bool IsConstant(std::string_view name);
// Words that cannot name a variable or a handler: keywords, operators and constants.
bool IsReserved(std::string_view name);
// Words that continue an expression between two operands: and, or, mod, contains, starts.
bool IsOperatorWord(std::string_view name);

class TExpressionParser {
 public:
  explicit TExpressionParser(TTokenCursor& tokens) : tokens_(tokens) {}

  PExpression Expression() { return Or(); }
  // Expressions separated by commas, up to the end of the line.
  std::vector<PExpression> ExpressionList();

 private:
  PExpression Make(TExpressionKind kind, std::string text = {});
  PExpression Binary(std::string op, PExpression left, PExpression right);
  PExpression Or();
  PExpression And();
  PExpression Not();
  PExpression Comparison();
  PExpression Concatenation();
  PExpression Sum();
  PExpression Product();
  PExpression Unary();
  std::vector<PExpression> Arguments(std::string_view close);
  PExpression Postfix(PExpression target);
  PExpression Primary();
  PExpression NamePrimary();
  PExpression ListLiteral();

  TTokenCursor& tokens_;
};

}  // namespace lingo
