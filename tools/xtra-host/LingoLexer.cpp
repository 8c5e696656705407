#include <cstdlib>

#include "LingoError.h"
#include "LingoToken.h"

namespace lingo {
namespace {

bool IsNameStart(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' ||
         static_cast<unsigned char>(c) >= 0x80;
}

bool IsNameChar(char c) {
  return IsNameStart(c) || (c >= '0' && c <= '9');
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

class TLexer {
 public:
  TLexer(std::string_view source, int firstLine) : source_(source), line_(firstLine) {}

  std::vector<TToken> Run() {
    while (pos_ < source_.size()) Next();
    Add(TTokenKind::Newline, {});
    Add(TTokenKind::End, {});
    return std::move(tokens_);
  }

 private:
  char Peek(std::size_t ahead = 0) const {
    return pos_ + ahead < source_.size() ? source_[pos_ + ahead] : '\0';
  }

  void Add(TTokenKind kind, std::string text) {
    tokens_.push_back({kind, std::move(text), line_, 0, 0});
  }

  void Next() {
    const char c = Peek();
    if (c == '\r' || c == '\n') return LineBreak();
    if (c == ' ' || c == '\t' || c == '\f' || c == '\v') return void(++pos_);
    if (c == '-' && Peek(1) == '-') return SkipComment();
    if (c == '\\' && (Peek(1) == '\n' || Peek(1) == '\r')) return Continuation();
    if (c == '"') return String();
    if (c == '#') return Symbol();
    if (IsDigit(c) || (c == '.' && IsDigit(Peek(1)))) return Number();
    if (IsNameStart(c)) return Name();
    return Operator();
  }

  void LineBreak() {
    if (Peek() == '\r' && Peek(1) == '\n') ++pos_;
    ++pos_;
    Add(TTokenKind::Newline, {});
    ++line_;
  }

  void SkipComment() {
    while (pos_ < source_.size() && Peek() != '\r' && Peek() != '\n') ++pos_;
  }

  void Continuation() {
    ++pos_;
    if (Peek() == '\r' && Peek(1) == '\n') ++pos_;
    ++pos_;
    ++line_;
  }

  // Lingo strings have no escapes: QUOTE and RETURN stand for the characters they name.
  void String() {
    const std::size_t end = source_.find_first_of("\"\r\n", pos_ + 1);
    if (end == std::string_view::npos || source_[end] != '"')
      throw ELingoError(line_, "String not terminated on its line");
    Add(TTokenKind::String, std::string(source_.substr(pos_ + 1, end - pos_ - 1)));
    pos_ = end + 1;
  }

  void Symbol() {
    ++pos_;
    const std::size_t start = pos_;
    while (IsNameChar(Peek())) ++pos_;
    if (pos_ == start) throw ELingoError(line_, "Symbol expected after #");
    Add(TTokenKind::Symbol, std::string(source_.substr(start, pos_ - start)));
  }

  void Number() {
    const std::size_t start = pos_;
    bool isFloat = false;
    while (IsDigit(Peek())) ++pos_;
    if (Peek() == '.' && IsDigit(Peek(1))) {
      isFloat = true;
      for (++pos_; IsDigit(Peek());) ++pos_;
    }
    if ((Peek() == 'e' || Peek() == 'E') &&
        (IsDigit(Peek(1)) || ((Peek(1) == '+' || Peek(1) == '-') && IsDigit(Peek(2))))) {
      isFloat = true;
      pos_ += 2;
      while (IsDigit(Peek())) ++pos_;
    }
    const std::string text(source_.substr(start, pos_ - start));
    TToken token{isFloat ? TTokenKind::Float : TTokenKind::Integer, text, line_, 0, 0};
    if (isFloat) {
      token.Float = std::strtod(text.c_str(), nullptr);
    } else {
      // Lingo integers are 32 bits; a longer literal is a float, as Lingo reads it.
      token.Float = std::strtod(text.c_str(), nullptr);
      if (token.Float > 2147483647.0) {
        token.Kind = TTokenKind::Float;
      } else {
        token.Integer = std::strtoll(text.c_str(), nullptr, 10);
      }
    }
    tokens_.push_back(std::move(token));
  }

  void Name() {
    const std::size_t start = pos_;
    while (IsNameChar(Peek())) ++pos_;
    Add(TTokenKind::Name, std::string(source_.substr(start, pos_ - start)));
  }

  void Operator() {
    static constexpr std::string_view kTwo[] = {"&&", "<>", "<=", ">="};
    for (std::string_view op : kTwo)
      if (source_.substr(pos_, 2) == op) {
        Add(TTokenKind::Operator, std::string(op));
        pos_ += 2;
        return;
      }
    const char c = Peek();
    if (std::string_view("()[],:.&=<>+-*/").find(c) == std::string_view::npos)
      throw ELingoError(line_, std::string("Unexpected character \"") + c + "\"");
    Add(TTokenKind::Operator, std::string(1, c));
    ++pos_;
  }

  std::string_view source_;
  std::size_t pos_ = 0;
  int line_;
  std::vector<TToken> tokens_;
};

}  // namespace

std::vector<TToken> Tokenize(std::string_view source, int firstLine) {
  return TLexer(source, firstLine).Run();
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = char(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = char(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

std::string Lower(std::string_view name) {
  std::string lower(name);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return lower;
}

}  // namespace lingo
