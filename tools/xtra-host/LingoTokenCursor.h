#pragma once

// The parser's place in the tokens of a script, and the checks and failures every part of
// the parser shares.

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "LingoError.h"
#include "LingoToken.h"

namespace lingo {

// text in double quotes, then after. Built by appending: GCC 12 warns falsely about some chains
// of string + when it inlines them.
inline std::string Quoted(std::string_view text, std::string_view after = {}) {
  std::string quoted = "\"";
  ((quoted += text) += '"') += after;
  return quoted;
}

class TTokenCursor {
 public:
  explicit TTokenCursor(std::vector<TToken> tokens) : tokens_(std::move(tokens)) {}

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
  bool AtOperator(std::string_view op, std::size_t ahead = 0) const {
    return Peek(ahead).Kind == TTokenKind::Operator && Peek(ahead).Text == op;
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

  // A script error at the line of the next token.
  [[noreturn]] void Fail(const std::string& message) const {
    throw ELingoError(Peek().Line, message);
  }
  [[noreturn]] void FailUnexpected() const { Fail("Unexpected " + Quoted(Peek().Text)); }
  void ExpectWord(std::string_view word) {
    if (!TakeWord(word)) Fail(Quoted(word, " expected"));
  }
  void ExpectOperator(std::string_view op) {
    if (!TakeOperator(op)) Fail(Quoted(op, " expected"));
  }

 private:
  std::vector<TToken> tokens_;
  std::size_t pos_ = 0;
};

}  // namespace lingo
