#pragma once

// A Lingo script as the interpreter runs it: handlers and statements holding expressions.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lingo {

struct TExpression;
using PExpression = std::unique_ptr<TExpression>;

enum class TExpressionKind {
  Integer,       // Integer
  Float,         // Float
  String,        // Text
  Symbol,        // Text
  Constant,      // Text: TRUE, FALSE, VOID, EMPTY, RETURN, QUOTE, TAB, SPACE
  Variable,      // Text
  TheProperty,   // Text: the moviePath, the runMode
  Xtra,          // Operands[0]: the name
  List,          // Operands: the items
  PropertyList,  // Operands: name, value, name, value ...
  Call,          // Text(Operands): a handler, or a method of the first operand
  MethodCall,    // Operands[0].Text(Operands[1...])
  Property,      // Operands[0].Text, without parentheses
  Index,         // Operands[0][Operands[1]]
  Not,           // Operands[0]
  Negate,        // Operands[0]
  Binary,        // Operands[0] Text Operands[1]
};

struct TExpression {
  TExpressionKind Kind = TExpressionKind::Integer;
  int Line = 0;
  std::string Text;
  long long Integer = 0;
  double Float = 0;
  std::vector<PExpression> Operands;
};

struct TStatement;
using TBlock = std::vector<TStatement>;

enum class TStatementKind {
  Put,          // put Value
  Assign,       // Name = Value
  Evaluate,     // Value (a call whose result is dropped)
  If,           // if Value then Body else Else
  RepeatWith,   // repeat with Name = Value to Limit (Down: down to); Body
  RepeatIn,     // repeat with Name in Value; Body
  RepeatWhile,  // repeat while Value; Body
  ExitRepeat,
  NextRepeat,
  Exit,    // leaves the handler (at the top level, the script)
  Return,  // return [Value]: leaves the handler with the value (VOID without one)
  Global,  // global Names: the names are global variables here
};

struct TStatement {
  TStatementKind Kind = TStatementKind::Evaluate;
  int Line = 0;
  std::string Name;
  PExpression Value;
  PExpression Limit;
  bool Down = false;
  TBlock Body;
  TBlock Else;
  std::vector<std::string> Names;  // of global
};

// on Name Parameters ... end [Name]
struct THandler {
  std::string Name;
  int Line = 0;
  std::vector<std::string> Parameters;
  TBlock Body;
};

// A script: the handlers it defines, and the statements outside them, in order.
struct TScript {
  std::vector<std::shared_ptr<const THandler>> Handlers;
  TBlock Statements;
  // The names of the global statements outside handlers: global in every handler too.
  std::vector<std::string> Globals;
};

// Raises ELingoError at the first statement that does not parse, and EIncompleteScript for a
// script that ends inside a handler, an if or a repeat (an interactive reader then asks for
// more lines), at the line where that block begins. Lines are counted from firstLine: the
// prompt counts the lines of a whole session.
TScript ParseScript(std::string_view source, int firstLine = 1);

}  // namespace lingo
