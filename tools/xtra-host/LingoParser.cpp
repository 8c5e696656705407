// Recursive descent over the tokens of a script. Operators bind, loosest first: or; and; not;
// comparisons (= <> < > <= >= contains starts); & and &&; + and -; * / mod; unary minus; then
// calls, dots and brackets.

#include <initializer_list>

#include "LingoError.h"
#include "LingoSyntax.h"
#include "LingoToken.h"

namespace lingo {
namespace {

constexpr std::string_view kConstants[] = {"TRUE",   "FALSE", "VOID", "EMPTY",
                                           "RETURN", "QUOTE", "TAB",  "SPACE"};
// Words that cannot name a variable.
constexpr std::string_view kReserved[] = {
    "and",  "or",  "not",    "mod",  "the",   "xtra", "put",  "set",      "if",    "then",
    "else", "end", "repeat", "with", "while", "exit", "next", "contains", "starts"};

bool IsConstant(std::string_view name) {
  for (std::string_view constant : kConstants)
    if (SameName(name, constant)) return true;
  return false;
}

bool IsReserved(std::string_view name) {
  for (std::string_view word : kReserved)
    if (SameName(name, word)) return true;
  return IsConstant(name);
}

class TParser {
 public:
  explicit TParser(std::vector<TToken> tokens) : tokens_(std::move(tokens)) {}

  TBlock Script() {
    TBlock block = Block({});
    if (!At(TTokenKind::End)) Fail("Unexpected \"" + Peek().Text + "\"");
    return block;
  }

 private:
  // ---- Tokens.
  const TToken& Peek(std::size_t ahead = 0) const {
    return tokens_[std::min(pos_ + ahead, tokens_.size() - 1)];
  }
  const TToken& Take() {
    const TToken& token = Peek();
    if (pos_ + 1 < tokens_.size()) ++pos_;
    return token;
  }
  bool At(TTokenKind kind) const { return Peek().Kind == kind; }
  bool AtWord(std::string_view word, std::size_t ahead = 0) const {
    return Peek(ahead).Kind == TTokenKind::Name && SameName(Peek(ahead).Text, word);
  }
  bool AtOperator(std::string_view op) const {
    return Peek().Kind == TTokenKind::Operator && Peek().Text == op;
  }
  bool AtLineEnd() const { return At(TTokenKind::Newline) || At(TTokenKind::End); }
  bool TakeWord(std::string_view word) {
    if (!AtWord(word)) return false;
    Take();
    return true;
  }
  bool TakeOperator(std::string_view op) {
    if (!AtOperator(op)) return false;
    Take();
    return true;
  }
  [[noreturn]] void Fail(const std::string& message) const {
    if (At(TTokenKind::End)) throw EIncompleteScript(Peek().Line, message);
    throw ELingoError(Peek().Line, message);
  }
  void ExpectWord(std::string_view word) {
    if (!TakeWord(word)) Fail(std::string("\"") + std::string(word) + "\" expected");
  }
  void ExpectOperator(std::string_view op) {
    if (!TakeOperator(op)) Fail(std::string("\"") + std::string(op) + "\" expected");
  }
  void EndOfLine() {
    if (!AtLineEnd()) Fail("Unexpected \"" + Peek().Text + "\"");
    if (At(TTokenKind::Newline)) Take();
  }
  void SkipBlankLines() {
    while (At(TTokenKind::Newline)) Take();
  }

  // ---- Statements.
  // Statements up to one that starts with a word of stop (not taken), or the end.
  TBlock Block(std::initializer_list<std::string_view> stop) {
    TBlock block;
    for (SkipBlankLines(); !At(TTokenKind::End); SkipBlankLines()) {
      for (std::string_view word : stop)
        if (AtWord(word)) return block;
      block.push_back(Statement());
    }
    if (stop.size() > 0) Fail("\"end\" expected");
    return block;
  }

  TStatement Statement() {
    const int line = Peek().Line;
    TStatement statement;
    if (TakeWord("if")) {
      statement = If();
    } else if (TakeWord("repeat")) {
      statement = Repeat();
    } else {
      statement = Simple();
      EndOfLine();
    }
    statement.Line = line;
    return statement;
  }

  // A statement that fits on its line: what single-line ifs hold.
  TStatement Simple() {
    TStatement statement;
    statement.Kind = TStatementKind::Evaluate;
    statement.Line = Peek().Line;
    if (TakeWord("put")) {
      statement.Kind = TStatementKind::Put;
      statement.Value = Expression();
    } else if (TakeWord("exit")) {
      ExpectWord("repeat");
      statement.Kind = TStatementKind::ExitRepeat;
    } else if (AtWord("next") && AtWord("repeat", 1)) {
      Take();
      Take();
      statement.Kind = TStatementKind::NextRepeat;
    } else if (TakeWord("set")) {
      statement.Kind = TStatementKind::Assign;
      statement.Name = VariableName();
      if (!TakeOperator("=")) ExpectWord("to");
      statement.Value = Expression();
    } else if (At(TTokenKind::Name) && Peek(1).Kind == TTokenKind::Operator &&
               Peek(1).Text == "=" && !IsReserved(Peek().Text)) {
      statement.Kind = TStatementKind::Assign;
      statement.Name = Take().Text;
      Take();
      statement.Value = Expression();
    } else {
      statement.Value = Expression();
    }
    return statement;
  }

  std::string VariableName() {
    if (!At(TTokenKind::Name) || IsReserved(Peek().Text)) Fail("Variable name expected");
    return Take().Text;
  }

  // After "if": the single-line form (if c then s [else s]) or a block ending in "end if";
  // "else if" continues the chain under the same "end if".
  TStatement If() {
    TStatement statement;
    statement.Kind = TStatementKind::If;
    statement.Value = Expression();
    ExpectWord("then");
    if (!AtLineEnd()) {
      statement.Body.push_back(Simple());
      if (TakeWord("else")) statement.Else.push_back(Simple());
      EndOfLine();
      return statement;
    }
    statement.Body = Block({"else", "end"});
    if (TakeWord("else")) {
      if (AtWord("if")) {
        const int line = Take().Line;
        statement.Else.push_back(If());
        statement.Else.back().Line = line;
        return statement;
      }
      statement.Else = Block({"end"});
    }
    ExpectWord("end");
    ExpectWord("if");
    EndOfLine();
    return statement;
  }

  TStatement Repeat() {
    TStatement statement;
    statement.Kind = TStatementKind::RepeatWhile;
    if (TakeWord("while")) {
      statement.Value = Expression();
    } else {
      ExpectWord("with");
      statement.Name = VariableName();
      if (TakeWord("in")) {
        statement.Kind = TStatementKind::RepeatIn;
        statement.Value = Expression();
      } else {
        statement.Kind = TStatementKind::RepeatWith;
        ExpectOperator("=");
        statement.Value = Expression();
        statement.Down = TakeWord("down");
        ExpectWord("to");
        statement.Limit = Expression();
      }
    }
    EndOfLine();
    statement.Body = Block({"end"});
    ExpectWord("end");
    ExpectWord("repeat");
    EndOfLine();
    return statement;
  }

  // ---- Expressions.
  PExpression Make(TExpressionKind kind, std::string text = {}) {
    auto expression = std::make_unique<TExpression>();
    expression->Kind = kind;
    expression->Line = Peek().Line;
    expression->Text = std::move(text);
    return expression;
  }

  PExpression Binary(std::string op, PExpression left, PExpression right) {
    PExpression expression = Make(TExpressionKind::Binary, std::move(op));
    expression->Operands.push_back(std::move(left));
    expression->Operands.push_back(std::move(right));
    return expression;
  }

  PExpression Expression() { return Or(); }

  PExpression Or() {
    PExpression left = And();
    while (TakeWord("or")) left = Binary("or", std::move(left), And());
    return left;
  }

  PExpression And() {
    PExpression left = Not();
    while (TakeWord("and")) left = Binary("and", std::move(left), Not());
    return left;
  }

  PExpression Not() {
    if (!TakeWord("not")) return Comparison();
    PExpression expression = Make(TExpressionKind::Not);
    expression->Operands.push_back(Not());
    return expression;
  }

  PExpression Comparison() {
    PExpression left = Concatenation();
    for (;;) {
      std::string op;
      for (std::string_view candidate : {"=", "<>", "<", ">", "<=", ">="})
        if (AtOperator(candidate)) op = candidate;
      for (std::string_view word : {"contains", "starts"})
        if (AtWord(word)) op = word;
      if (op.empty()) return left;
      Take();
      left = Binary(op, std::move(left), Concatenation());
    }
  }

  PExpression Concatenation() {
    PExpression left = Sum();
    while (AtOperator("&") || AtOperator("&&")) {
      std::string op = Take().Text;
      left = Binary(op, std::move(left), Sum());
    }
    return left;
  }

  PExpression Sum() {
    PExpression left = Product();
    while (AtOperator("+") || AtOperator("-")) {
      std::string op = Take().Text;
      left = Binary(op, std::move(left), Product());
    }
    return left;
  }

  PExpression Product() {
    PExpression left = Unary();
    while (AtOperator("*") || AtOperator("/") || AtWord("mod")) {
      std::string op = Take().Text;
      if (SameName(op, "mod")) op = "mod";
      left = Binary(op, std::move(left), Unary());
    }
    return left;
  }

  PExpression Unary() {
    if (TakeOperator("-")) {
      PExpression expression = Make(TExpressionKind::Negate);
      expression->Operands.push_back(Unary());
      return expression;
    }
    if (TakeOperator("+")) return Unary();
    return Postfix(Primary());
  }

  std::vector<PExpression> Arguments(std::string_view close) {
    std::vector<PExpression> arguments;
    if (TakeOperator(close)) return arguments;
    do arguments.push_back(Expression());
    while (TakeOperator(","));
    ExpectOperator(close);
    return arguments;
  }

  PExpression Postfix(PExpression target) {
    for (;;) {
      if (TakeOperator(".")) {
        if (!At(TTokenKind::Name)) Fail("Name expected after \".\"");
        std::string name = Take().Text;
        const bool call = TakeOperator("(");
        PExpression expression =
            Make(call ? TExpressionKind::MethodCall : TExpressionKind::Property, std::move(name));
        expression->Operands.push_back(std::move(target));
        if (call)
          for (PExpression& argument : Arguments(")"))
            expression->Operands.push_back(std::move(argument));
        target = std::move(expression);
      } else if (TakeOperator("[")) {
        PExpression expression = Make(TExpressionKind::Index);
        expression->Operands.push_back(std::move(target));
        expression->Operands.push_back(Expression());
        ExpectOperator("]");
        target = std::move(expression);
      } else {
        return target;
      }
    }
  }

  PExpression Primary() {
    const TToken& token = Peek();
    switch (token.Kind) {
      case TTokenKind::Integer: {
        PExpression expression = Make(TExpressionKind::Integer);
        expression->Integer = Take().Integer;
        return expression;
      }
      case TTokenKind::Float: {
        PExpression expression = Make(TExpressionKind::Float);
        expression->Float = Take().Float;
        return expression;
      }
      case TTokenKind::String:
        return Make(TExpressionKind::String, Take().Text);
      case TTokenKind::Symbol:
        return Make(TExpressionKind::Symbol, Take().Text);
      case TTokenKind::Operator:
        if (TakeOperator("(")) {
          PExpression inner = Expression();
          ExpectOperator(")");
          return inner;
        }
        if (TakeOperator("[")) return ListLiteral();
        break;
      case TTokenKind::Name:
        return NamePrimary();
      default:
        break;
    }
    Fail(token.Kind == TTokenKind::Newline || token.Kind == TTokenKind::End
             ? std::string("Expression expected")
             : "Unexpected \"" + token.Text + "\"");
  }

  PExpression NamePrimary() {
    if (IsConstant(Peek().Text)) return Make(TExpressionKind::Constant, Take().Text);
    if (TakeWord("the")) {
      if (!At(TTokenKind::Name)) Fail("Property name expected after \"the\"");
      return Make(TExpressionKind::TheProperty, Take().Text);
    }
    // xtra "name" and xtra("name"): what follows the name (".new()") applies to the Xtra.
    if (TakeWord("xtra")) {
      PExpression expression = Make(TExpressionKind::Xtra);
      expression->Operands.push_back(Primary());
      return expression;
    }
    if (IsReserved(Peek().Text)) Fail("Unexpected \"" + Peek().Text + "\"");
    std::string name = Take().Text;
    if (TakeOperator("(")) {
      PExpression expression = Make(TExpressionKind::Call, std::move(name));
      expression->Operands = Arguments(")");
      return expression;
    }
    return Make(TExpressionKind::Variable, std::move(name));
  }

  // After "[": [], [1, 2], [:], [#a: 1, #b: 2].
  PExpression ListLiteral() {
    if (TakeOperator(":")) {
      ExpectOperator("]");
      return Make(TExpressionKind::PropertyList);
    }
    PExpression list = Make(TExpressionKind::List);
    if (TakeOperator("]")) return list;
    do {
      PExpression item = Expression();
      if (TakeOperator(":")) {
        if (list->Kind == TExpressionKind::List && !list->Operands.empty())
          Fail("Property list expected");
        list->Kind = TExpressionKind::PropertyList;
        list->Operands.push_back(std::move(item));
        list->Operands.push_back(Expression());
      } else {
        if (list->Kind == TExpressionKind::PropertyList) Fail("\":\" expected");
        list->Operands.push_back(std::move(item));
      }
    } while (TakeOperator(","));
    ExpectOperator("]");
    return list;
  }

  std::vector<TToken> tokens_;
  std::size_t pos_ = 0;
};

}  // namespace

TBlock ParseScript(std::string_view source) {
  return TParser(Tokenize(source)).Script();
}

}  // namespace lingo
