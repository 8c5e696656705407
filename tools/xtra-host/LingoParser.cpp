// Scripts: handlers and statements, line by line; expressions are TExpressionParser's.
// A block (a handler, an if, a repeat) that is not closed is reported at the line where it
// begins, which is where the mistake is more likely than where the script ends.

#include <initializer_list>

#include "LingoExpressionParser.h"
#include "LingoSyntax.h"
#include "LingoTokenCursor.h"

namespace lingo {
namespace {

// Lingo statements that this console does not run: named as such rather than misread.
constexpr std::string_view kUnsupportedStatements[] = {"case", "tell", "property", "go",
                                                       "play", "when", "otherwise"};

bool IsUnsupportedStatement(std::string_view word) {
  for (std::string_view unsupported : kUnsupportedStatements)
    if (SameName(word, unsupported)) return true;
  return false;
}

std::string Unsupported(std::string what) {
  return what += " is not supported by this console (help lists what it runs)";
}

// A handler, an if or a repeat whose end has not been read yet.
struct TOpenBlock {
  std::string Word;  // "if", "repeat", or the handler's name
  bool Handler = false;
  int Line = 0;
};

class TParser {
 public:
  explicit TParser(std::vector<TToken> tokens)
      : tokens_(std::move(tokens)), expressions_(tokens_) {}

  TScript Script() {
    TScript script;
    for (SkipBlankLines(); !tokens_.At(TTokenKind::End); SkipBlankLines()) {
      if (tokens_.AtWord("on")) {
        script.Handlers.push_back(std::make_shared<const THandler>(Handler()));
        continue;
      }
      TStatement statement = Statement();
      if (statement.Kind == TStatementKind::Global)
        script.Globals.insert(script.Globals.end(), statement.Names.begin(), statement.Names.end());
      script.Statements.push_back(std::move(statement));
    }
    return script;
  }

 private:
  void EndOfLine() {
    if (!tokens_.AtLineEnd()) tokens_.FailUnexpected();
    if (tokens_.At(TTokenKind::Newline)) tokens_.Take();
  }
  void SkipBlankLines() {
    while (tokens_.At(TTokenKind::Newline)) tokens_.Take();
  }

  // ---- Blocks.
  // The innermost open block is not closed. incomplete: the script ended inside it, and more
  // lines could close it.
  [[noreturn]] void FailUnclosed(bool incomplete) const {
    const TOpenBlock& block = open_.back();
    const std::string message =
        block.Handler ? "The handler " + Quoted(block.Word, " has no \"end\"")
                      : "This " + Quoted(block.Word, " has no ") + Quoted("end " + block.Word);
    if (incomplete) throw EIncompleteScript(block.Line, message);
    throw ELingoError(block.Line, message);
  }

  // Statements up to one that starts with a word of stop (not taken).
  TBlock Block(std::initializer_list<std::string_view> stop) {
    TBlock block;
    for (SkipBlankLines();; SkipBlankLines()) {
      if (tokens_.At(TTokenKind::End)) FailUnclosed(true);
      for (std::string_view word : stop)
        if (tokens_.AtWord(word)) return block;
      // A handler cannot begin inside a block, nor an else outside an if's: the open block
      // lacks its end.
      if (tokens_.AtWord("on") || tokens_.AtWord("else")) FailUnclosed(false);
      block.push_back(Statement());
    }
  }

  // "end WORD" closing the innermost block, which is an if or a repeat.
  void EndOfBlock() {
    const std::string& word = open_.back().Word;
    if (!tokens_.AtWord("end") || !tokens_.AtWord(word, 1)) FailUnclosed(false);
    tokens_.Take();
    tokens_.Take();
    EndOfLine();
    open_.pop_back();
  }

  // on name a, b  or  on name(a, b); the body up to "end" or "end name".
  THandler Handler() {
    THandler handler;
    handler.Line = tokens_.Take().Line;
    if (!tokens_.At(TTokenKind::Name) || IsReserved(tokens_.Peek().Text))
      tokens_.Fail("Handler name expected after \"on\"");
    handler.Name = tokens_.Take().Text;
    const bool parenthesised = tokens_.TakeOperator("(");
    if (!tokens_.AtLineEnd() && !(parenthesised && tokens_.AtOperator(")"))) {
      do handler.Parameters.push_back(VariableName());
      while (tokens_.TakeOperator(","));
    }
    if (parenthesised) tokens_.ExpectOperator(")");
    EndOfLine();
    open_.push_back({handler.Name, true, handler.Line});
    handler.Body = Block({"end"});
    if (tokens_.AtWord("if", 1) || tokens_.AtWord("repeat", 1)) FailStray();
    tokens_.Take();
    if (tokens_.At(TTokenKind::Name) && !tokens_.TakeWord(handler.Name)) FailUnclosed(false);
    EndOfLine();
    open_.pop_back();
    return handler;
  }

  // An else or an end where no block is open that it could belong to.
  [[noreturn]] void FailStray() {
    if (tokens_.AtWord("else")) tokens_.Fail("\"else\" without \"if\"");
    const std::string word = tokens_.Peek(1).Kind == TTokenKind::Name ? tokens_.Peek(1).Text : "";
    if (word.empty()) tokens_.Fail("\"end\" without a handler, an if or a repeat to end");
    tokens_.Fail(Quoted("end " + word, " without ") + Quoted(word));
  }

  // ---- Statements.
  TStatement Statement() {
    const int line = tokens_.Peek().Line;
    TStatement statement;
    if (tokens_.AtWord("end") || tokens_.AtWord("else")) FailStray();
    if (tokens_.TakeWord("if")) {
      statement = If(line, false);
    } else if (tokens_.TakeWord("repeat")) {
      statement = Repeat(line);
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
    statement.Line = tokens_.Peek().Line;
    if (tokens_.TakeWord("put")) {
      statement.Kind = TStatementKind::Put;
      statement.Value = expressions_.Expression();
      if (tokens_.AtWord("into") || tokens_.AtWord("after") || tokens_.AtWord("before"))
        tokens_.Fail(Unsupported(Quoted("put ... " + tokens_.Peek().Text)) +
                     "; assign with NAME = VALUE");
    } else if (tokens_.TakeWord("exit")) {
      statement.Kind =
          tokens_.TakeWord("repeat") ? TStatementKind::ExitRepeat : TStatementKind::Exit;
    } else if (tokens_.AtWord("next") && tokens_.AtWord("repeat", 1)) {
      tokens_.Take();
      tokens_.Take();
      statement.Kind = TStatementKind::NextRepeat;
    } else if (tokens_.TakeWord("set")) {
      if (tokens_.AtWord("the")) FailSettingProperty();
      statement.Kind = TStatementKind::Assign;
      statement.Name = VariableName();
      if (!tokens_.TakeOperator("=")) tokens_.ExpectWord("to");
      statement.Value = expressions_.Expression();
    } else if (tokens_.TakeWord("return")) {
      statement.Kind = TStatementKind::Return;
      if (!tokens_.AtLineEnd() && !tokens_.AtWord("else"))
        statement.Value = expressions_.Expression();
    } else if (tokens_.TakeWord("global")) {
      statement.Kind = TStatementKind::Global;
      do statement.Names.push_back(VariableName());
      while (tokens_.TakeOperator(","));
    } else if (tokens_.At(TTokenKind::Name) && tokens_.AtOperator("=", 1) &&
               !IsReserved(tokens_.Peek().Text)) {
      statement.Kind = TStatementKind::Assign;
      statement.Name = tokens_.Take().Text;
      tokens_.Take();
      statement.Value = expressions_.Expression();
    } else if (tokens_.AtWord("the") && tokens_.AtOperator("=", 2)) {
      FailSettingProperty();
    } else if (tokens_.At(TTokenKind::Name) && IsUnsupportedStatement(tokens_.Peek().Text)) {
      tokens_.Fail(Unsupported(Quoted(tokens_.Peek().Text)));
    } else if (AtCommand()) {
      statement.Value = Command();
    } else {
      statement.Value = expressions_.Expression();
    }
    return statement;
  }

  [[noreturn]] void FailSettingProperty() {
    tokens_.Take();  // the
    tokens_.Fail(Unsupported("Setting " + Quoted("the " + tokens_.Peek().Text)));
  }

  // A handler called as a command: its name, then its arguments without parentheses
  // (alert "text", startMovie), up to the end of the line or the else of a single-line if.
  bool AtCommand() const {
    if (!tokens_.At(TTokenKind::Name) || IsReserved(tokens_.Peek().Text)) return false;
    const TToken& next = tokens_.Peek(1);
    switch (next.Kind) {
      case TTokenKind::Newline:
      case TTokenKind::End:
      case TTokenKind::String:
      case TTokenKind::Integer:
      case TTokenKind::Float:
      case TTokenKind::Symbol:
        return true;
      case TTokenKind::Name:
        return !IsReserved(next.Text) || IsConstant(next.Text) || SameName(next.Text, "the") ||
               SameName(next.Text, "not") || SameName(next.Text, "xtra") ||
               SameName(next.Text, "else");
      default:
        return false;
    }
  }

  PExpression Command() {
    auto call = std::make_unique<TExpression>();
    call->Kind = TExpressionKind::Call;
    call->Line = tokens_.Peek().Line;
    call->Text = tokens_.Take().Text;
    if (!tokens_.AtLineEnd() && !tokens_.AtWord("else"))
      call->Operands = expressions_.ExpressionList();
    return call;
  }

  std::string VariableName() {
    if (!tokens_.At(TTokenKind::Name) || IsReserved(tokens_.Peek().Text))
      tokens_.Fail("Variable name expected");
    return tokens_.Take().Text;
  }

  // After "if": the single-line form (if c then s [else s]) or a block ending in "end if";
  // "else if" continues the chain under the same "end if" (chained: this if is such a link).
  TStatement If(int line, bool chained) {
    TStatement statement;
    statement.Kind = TStatementKind::If;
    statement.Value = expressions_.Expression();
    tokens_.ExpectWord("then");
    if (!tokens_.AtLineEnd()) {
      statement.Body.push_back(Simple());
      if (tokens_.TakeWord("else")) statement.Else.push_back(Simple());
      EndOfLine();
      return statement;
    }
    if (!chained) open_.push_back({"if", false, line});
    statement.Body = Block({"else", "end"});
    if (tokens_.TakeWord("else")) {
      if (tokens_.AtWord("if")) {
        const int elseLine = tokens_.Take().Line;
        const std::size_t open = open_.size();
        statement.Else.push_back(If(elseLine, true));
        statement.Else.back().Line = elseLine;
        // A single-line "else if c then s" leaves the "end if" to this if.
        if (open_.size() == open) EndOfBlock();
        return statement;
      }
      statement.Else = Block({"end"});
    }
    EndOfBlock();
    return statement;
  }

  TStatement Repeat(int line) {
    TStatement statement;
    statement.Kind = TStatementKind::RepeatWhile;
    if (tokens_.TakeWord("while")) {
      statement.Value = expressions_.Expression();
    } else {
      tokens_.ExpectWord("with");
      statement.Name = VariableName();
      if (tokens_.TakeWord("in")) {
        statement.Kind = TStatementKind::RepeatIn;
        statement.Value = expressions_.Expression();
      } else {
        statement.Kind = TStatementKind::RepeatWith;
        tokens_.ExpectOperator("=");
        statement.Value = expressions_.Expression();
        statement.Down = tokens_.TakeWord("down");
        tokens_.ExpectWord("to");
        statement.Limit = expressions_.Expression();
      }
    }
    EndOfLine();
    open_.push_back({"repeat", false, line});
    statement.Body = Block({"end"});
    EndOfBlock();
    return statement;
  }

  TTokenCursor tokens_;
  TExpressionParser expressions_;
  std::vector<TOpenBlock> open_;
};

}  // namespace

TScript ParseScript(std::string_view source, int firstLine) {
  return TParser(Tokenize(source, firstLine)).Script();
}

}  // namespace lingo
