#include "LingoExpressionParser.h"

#include <initializer_list>

namespace lingo {
namespace {

constexpr std::string_view kConstants[] = {"TRUE",   "FALSE", "VOID", "EMPTY",
                                           "RETURN", "QUOTE", "TAB",  "SPACE"};
constexpr std::string_view kReserved[] = {
    "and", "or",     "not",  "mod",   "the",  "xtra", "put",      "set",    "if", "then",  "else",
    "end", "repeat", "with", "while", "exit", "next", "contains", "starts", "on", "global"};
constexpr std::string_view kOperatorWords[] = {"and", "or", "mod", "contains", "starts"};

template <std::size_t N>
bool IsOneOf(std::string_view name, const std::string_view (&words)[N]) {
  for (std::string_view word : words)
    if (SameName(name, word)) return true;
  return false;
}

}  // namespace

bool IsConstant(std::string_view name) {
  return IsOneOf(name, kConstants);
}

bool IsReserved(std::string_view name) {
  return IsOneOf(name, kReserved) || IsConstant(name);
}

bool IsOperatorWord(std::string_view name) {
  return IsOneOf(name, kOperatorWords);
}

std::vector<PExpression> TExpressionParser::ExpressionList() {
  std::vector<PExpression> expressions;
  do expressions.push_back(Expression());
  while (tokens_.TakeOperator(","));
  return expressions;
}

PExpression TExpressionParser::Make(TExpressionKind kind, std::string text) {
  auto expression = std::make_unique<TExpression>();
  expression->Kind = kind;
  expression->Line = tokens_.Peek().Line;
  expression->Text = std::move(text);
  return expression;
}

PExpression TExpressionParser::Binary(std::string op, PExpression left, PExpression right) {
  PExpression expression = Make(TExpressionKind::Binary, std::move(op));
  expression->Operands.push_back(std::move(left));
  expression->Operands.push_back(std::move(right));
  return expression;
}

PExpression TExpressionParser::Or() {
  PExpression left = And();
  while (tokens_.TakeWord("or")) left = Binary("or", std::move(left), And());
  return left;
}

PExpression TExpressionParser::And() {
  PExpression left = Not();
  while (tokens_.TakeWord("and")) left = Binary("and", std::move(left), Not());
  return left;
}

PExpression TExpressionParser::Not() {
  if (!tokens_.TakeWord("not")) return Comparison();
  PExpression expression = Make(TExpressionKind::Not);
  expression->Operands.push_back(Not());
  return expression;
}

PExpression TExpressionParser::Comparison() {
  PExpression left = Concatenation();
  for (;;) {
    std::string op;
    for (std::string_view candidate : {"=", "<>", "<", ">", "<=", ">="})
      if (tokens_.AtOperator(candidate)) op = candidate;
    for (std::string_view word : {"contains", "starts"})
      if (tokens_.AtWord(word)) op = word;
    if (op.empty()) return left;
    tokens_.Take();
    left = Binary(op, std::move(left), Concatenation());
  }
}

PExpression TExpressionParser::Concatenation() {
  PExpression left = Sum();
  while (tokens_.AtOperator("&") || tokens_.AtOperator("&&")) {
    std::string op = tokens_.Take().Text;
    left = Binary(op, std::move(left), Sum());
  }
  return left;
}

PExpression TExpressionParser::Sum() {
  PExpression left = Product();
  while (tokens_.AtOperator("+") || tokens_.AtOperator("-")) {
    std::string op = tokens_.Take().Text;
    left = Binary(op, std::move(left), Product());
  }
  return left;
}

PExpression TExpressionParser::Product() {
  PExpression left = Unary();
  while (tokens_.AtOperator("*") || tokens_.AtOperator("/") || tokens_.AtWord("mod")) {
    std::string op = tokens_.Take().Text;
    if (SameName(op, "mod")) op = "mod";
    left = Binary(op, std::move(left), Unary());
  }
  return left;
}

PExpression TExpressionParser::Unary() {
  if (tokens_.TakeOperator("-")) {
    PExpression expression = Make(TExpressionKind::Negate);
    expression->Operands.push_back(Unary());
    return expression;
  }
  if (tokens_.TakeOperator("+")) return Unary();
  return Postfix(Primary());
}

std::vector<PExpression> TExpressionParser::Arguments(std::string_view close) {
  std::vector<PExpression> arguments;
  if (tokens_.TakeOperator(close)) return arguments;
  arguments = ExpressionList();
  tokens_.ExpectOperator(close);
  return arguments;
}

PExpression TExpressionParser::Postfix(PExpression target) {
  for (;;) {
    if (tokens_.TakeOperator(".")) {
      if (!tokens_.At(TTokenKind::Name)) tokens_.Fail("Name expected after \".\"");
      std::string name = tokens_.Take().Text;
      const bool call = tokens_.TakeOperator("(");
      PExpression expression =
          Make(call ? TExpressionKind::MethodCall : TExpressionKind::Property, std::move(name));
      expression->Operands.push_back(std::move(target));
      if (call)
        for (PExpression& argument : Arguments(")"))
          expression->Operands.push_back(std::move(argument));
      target = std::move(expression);
    } else if (tokens_.TakeOperator("[")) {
      PExpression expression = Make(TExpressionKind::Index);
      expression->Operands.push_back(std::move(target));
      expression->Operands.push_back(Expression());
      tokens_.ExpectOperator("]");
      target = std::move(expression);
    } else {
      return target;
    }
  }
}

PExpression TExpressionParser::Primary() {
  const TToken& token = tokens_.Peek();
  switch (token.Kind) {
    case TTokenKind::Integer: {
      PExpression expression = Make(TExpressionKind::Integer);
      expression->Integer = tokens_.Take().Integer;
      return expression;
    }
    case TTokenKind::Float: {
      PExpression expression = Make(TExpressionKind::Float);
      expression->Float = tokens_.Take().Float;
      return expression;
    }
    case TTokenKind::String:
      return Make(TExpressionKind::String, tokens_.Take().Text);
    case TTokenKind::Symbol:
      return Make(TExpressionKind::Symbol, tokens_.Take().Text);
    case TTokenKind::Operator:
      if (tokens_.TakeOperator("(")) {
        PExpression inner = Expression();
        tokens_.ExpectOperator(")");
        return inner;
      }
      if (tokens_.TakeOperator("[")) return ListLiteral();
      break;
    case TTokenKind::Name:
      return NamePrimary();
    default:
      break;
  }
  if (tokens_.AtLineEnd()) tokens_.Fail("Expression expected");
  tokens_.FailUnexpected();
}

PExpression TExpressionParser::NamePrimary() {
  if (IsConstant(tokens_.Peek().Text)) return Make(TExpressionKind::Constant, tokens_.Take().Text);
  if (tokens_.TakeWord("the")) {
    if (!tokens_.At(TTokenKind::Name)) tokens_.Fail("Property name expected after \"the\"");
    return Make(TExpressionKind::TheProperty, tokens_.Take().Text);
  }
  // xtra "name" and xtra("name"): what follows the name (".new()") applies to the Xtra.
  if (tokens_.TakeWord("xtra")) {
    PExpression expression = Make(TExpressionKind::Xtra);
    expression->Operands.push_back(Primary());
    return expression;
  }
  if (IsReserved(tokens_.Peek().Text)) tokens_.FailUnexpected();
  std::string name = tokens_.Take().Text;
  if (tokens_.TakeOperator("(")) {
    PExpression expression = Make(TExpressionKind::Call, std::move(name));
    expression->Operands = Arguments(")");
    return expression;
  }
  return Make(TExpressionKind::Variable, std::move(name));
}

// After "[": [], [1, 2], [:], [#a: 1, #b: 2].
PExpression TExpressionParser::ListLiteral() {
  if (tokens_.TakeOperator(":")) {
    tokens_.ExpectOperator("]");
    return Make(TExpressionKind::PropertyList);
  }
  PExpression list = Make(TExpressionKind::List);
  if (tokens_.TakeOperator("]")) return list;
  do {
    PExpression item = Expression();
    if (tokens_.TakeOperator(":")) {
      if (list->Kind == TExpressionKind::List && !list->Operands.empty())
        tokens_.Fail("Property list expected");
      list->Kind = TExpressionKind::PropertyList;
      list->Operands.push_back(std::move(item));
      list->Operands.push_back(Expression());
    } else {
      if (list->Kind == TExpressionKind::PropertyList) tokens_.Fail("\":\" expected");
      list->Operands.push_back(std::move(item));
    }
  } while (tokens_.TakeOperator(","));
  tokens_.ExpectOperator("]");
  return list;
}

}  // namespace lingo
