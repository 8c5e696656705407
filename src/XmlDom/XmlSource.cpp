#include "XmlDom/XmlSource.h"

#include <algorithm>
#include <cstring>

#include "XmlDom/XmlNameChars.h"
#include "XmlDom/XmlNode.h"
#include "XmlDom/XmlStream.h"
#include "common/Error.h"
#include "common/FormatText.h"
#include "common/Messages.h"

namespace {

// Classes of the characters that runs are scanned by.
enum : std::uint8_t {
  kSpace = 1,        // code 0 to 32
  kNameStart = 2,    // may start a name
  kNameRest = 4,     // may go on a name
  kTextPlain = 8,    // neither "<" nor "&": stays in a text run as it is
  kQuotedPlain = 16  // nor a quote: stays in a quoted value as it is
};

const std::array<std::uint8_t, 256>& Classes() {
  static const auto table = [] {
    const auto& names = XmlNameCharTable();
    std::array<std::uint8_t, 256> flags{};
    for (int byte = 0; byte < 256; ++byte) {
      std::uint8_t f = 0;
      if (byte <= 32) f |= kSpace;
      if (names[byte] & kXmlNameStartChar) f |= kNameStart;
      if (names[byte] & kXmlNameChar) f |= kNameRest;
      if (byte != '<' && byte != '&') {
        f |= kTextPlain;
        if (byte != '"' && byte != '\'') f |= kQuotedPlain;
      }
      flags[byte] = f;
    }
    return flags;
  }();
  return table;
}

bool Is(char c, std::uint8_t mask) {
  return Classes()[static_cast<unsigned char>(c)] & mask;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// After a partial match of the first matched characters of terminator broke: how many of them
// can still begin a match (the longest proper prefix of the matched part that is also its
// suffix).
std::size_t StillMatched(std::string_view terminator, std::size_t matched) {
  for (std::size_t keep = matched - 1; keep > 0; --keep)
    if (terminator.substr(matched - keep, keep) == terminator.substr(0, keep)) return keep;
  return 0;
}

}  // namespace

// ---- Windows and counting.

void TXmlSource::StartInput(const char* begin, const char* end) noexcept {
  cur_ = begin;
  end_ = end;
  counted_ = begin != end ? begin + 1 : begin;
}

bool TXmlSource::Refill() {
  // Whatever points into the window is taken from it first: the counters, and the run of the
  // token being collected.
  if (end_ > counted_) CountRange(end_);
  const bool running = runStart_ != nullptr;
  const bool stopped = runStop_ != nullptr;
  if (running) {
    token_.Add(runStart_, std::size_t((stopped ? runStop_ : end_) - runStart_));
    runStart_ = nullptr;
    runStop_ = nullptr;
  }
  const char* begin = nullptr;
  const char* end = nullptr;
  const bool more = NextWindow(begin, end);
  if (more) {
    cur_ = begin;
    end_ = end;
    counted_ = begin;
  }
  if (running && !stopped) runStart_ = cur_;
  return more;
}

void TXmlSource::CountRange(const char* target) noexcept {
  const char* p = counted_;
  int line = line_, pos = pos_;
  char prev = prevBreak_;
  while (p != target) {
    const char* run = p;
    while (p != target && *p != '\n' && *p != '\r') ++p;
    if (p != run) {
      pos += int(p - run);
      prev = '\0';
    }
    if (p == target) break;
    const char c = *p++;
    if (c == '\r' || prev == '\0') {
      ++line;
      pos = 0;
    }
    prev = c;
  }
  counted_ = target;
  line_ = line;
  pos_ = pos;
  prevBreak_ = prev;
}

// ---- Tokens.

void TXmlSource::StartToken() noexcept {
  token_.Reset();
  runStart_ = cur_;
  runStop_ = nullptr;
}

void TXmlSource::PauseRun() {
  token_.Add(runStart_, std::size_t(cur_ - runStart_));
  runStart_ = nullptr;
}

std::string_view TXmlSource::TakeToken(std::size_t dropLast) {
  std::string_view text;
  if (!runStart_) {
    text = token_.View();
  } else {
    const char* stop = runStop_ ? runStop_ : cur_;
    if (token_.View().empty()) {
      text = std::string_view(runStart_, std::size_t(stop - runStart_));
    } else {
      token_.Add(runStart_, std::size_t(stop - runStart_));
      text = token_.View();
    }
  }
  runStart_ = nullptr;
  runStop_ = nullptr;
  text.remove_suffix(dropLast);
  return text;
}

// ---- Failures.

void TXmlSource::RaiseAtPosition(std::string_view format) {
  const int line = LineNum();
  throw EXmlError(FormatText(format, {line, LinePos()}));
}

void TXmlSource::RaiseExpected(std::string_view what) {
  const int line = LineNum();
  throw EXmlError(FormatText(msg::kExpected, {what, line, LinePos()}));
}

// ---- Lexical operations.

void TXmlSource::SkipClass(std::uint8_t mask) {
  const auto& classes = Classes();
  for (;;) {
    const char* p = cur_;
    while (p != end_ && (classes[static_cast<unsigned char>(*p)] & mask)) ++p;
    cur_ = p;
    if (p != end_ || !Refill()) return;
  }
}

void TXmlSource::SkipSpaces() {
  if (!AtEnd() && Is(*cur_, kSpace)) SkipClass(kSpace);
}

std::string_view TXmlSource::ReadName() {
  if (AtEnd() || !Is(*cur_, kNameStart)) RaiseAtPosition(msg::kNameMustStartWithLetter);
  StartToken();
  NextChar();
  SkipClass(kNameRest);
  return TakeToken();
}

void TXmlSource::RequireChar(char c) {
  if (AtEnd() || *cur_ != c) RaiseExpected(std::string_view(&c, 1));
  NextChar();
}

void TXmlSource::RequireText(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (AtEnd() || *cur_ != text[i]) RaiseExpected(text.substr(i));
    NextChar();
  }
}

char TXmlSource::ReadReference() {
  if (!NextChar()) RaiseAtPosition(msg::kHashOrEntityExpected);
  if (*cur_ != '#') return ReadEntity();
  if (!NextChar()) RaiseAtPosition(msg::kNumberExpected);
  std::uint32_t code;
  if (*cur_ == 'x') {
    NextChar();
    code = ReadHex();
  } else {
    code = ReadDecimal();
  }
  RequireChar(';');
  return static_cast<char>(code & 0xFF);
}

// Digits beyond the 32-bit range wrap around; the low eight bits stay those of the number.
std::uint32_t TXmlSource::ReadDecimal() {
  if (AtEnd() || *cur_ < '0' || *cur_ > '9') RaiseAtPosition(msg::kNumberExpected);
  std::uint32_t number = 0;
  do number = number * 10 + std::uint32_t(*cur_ - '0');
  while (NextChar() && *cur_ >= '0' && *cur_ <= '9');
  return number;
}

std::uint32_t TXmlSource::ReadHex() {
  if (AtEnd() || HexDigit(*cur_) < 0) RaiseAtPosition(msg::kHexNumberExpected);
  std::uint32_t number = 0;
  do number = number * 16 + std::uint32_t(HexDigit(*cur_));
  while (NextChar() && HexDigit(*cur_) >= 0);
  return number;
}

char TXmlSource::ReadEntity() {
  if (AtEnd() || !Is(*cur_, kNameStart)) RaiseAtPosition(msg::kNameMustStartWithLetter);
  // The five names are at most four characters long; a longer name is none of them.
  char name[5];
  std::size_t length = 0;
  do {
    if (length < sizeof name) name[length] = *cur_;
    ++length;
  } while (NextChar() && Is(*cur_, kNameRest));
  RequireChar(';');
  const std::string_view entity(name, std::min(length, sizeof name));
  if (entity == "amp") return '&';
  if (entity == "quot") return '"';
  if (entity == "lt") return '<';
  if (entity == "gt") return '>';
  if (entity == "apos") return '\'';
  RaiseAtPosition(msg::kBadEntityName);
}

std::string_view TXmlSource::ReadQuoted(char quote) {
  NextChar();
  StartToken();
  for (;;) {
    SkipClass(kQuotedPlain);
    if (AtEnd()) RaiseExpected(std::string_view(&quote, 1));
    const char c = *cur_;
    if (c == quote) break;
    if (c == '&') {
      PauseRun();
      token_.Add(ReadReference());
      ResumeRun();
    } else if (c == '<') {
      RaiseAtPosition(msg::kLessThanInAttribute);
    } else {
      NextChar();  // the other quote
    }
  }
  EndRun(false);
  NextChar();
  return TakeToken();
}

void TXmlSource::ReadAttributes(TXmlNode& node) {
  SkipSpaces();
  while (!AtEnd() && Is(*cur_, kNameStart)) {
    ReadAttribute(node);
    SkipSpaces();
  }
}

void TXmlSource::ReadAttribute(TXmlNode& node) {
  attributeName_.assign(ReadName());
  SkipSpaces();
  RequireChar('=');
  SkipSpaces();
  if (AtEnd()) RaiseAtPosition(msg::kAttributeValueExpected);
  if (*cur_ != '"' && *cur_ != '\'') RaiseAtPosition(msg::kStringConstantExpected);
  XmlValue value = XmlValue::FromString(ReadQuoted(*cur_));
  node.Attributes().Set(node.NameTable().InternName(attributeName_), std::move(value));
}

std::string_view TXmlSource::ReadUntil(std::string_view terminator) {
  StartToken();
  const char first = terminator[0];
  std::size_t matched = 0;
  for (;;) {
    if (matched == 0) {
      // Nothing matched yet: everything up to the terminator's first character is text.
      const void* found = cur_ != end_ ? std::memchr(cur_, first, std::size_t(end_ - cur_)) : nullptr;
      cur_ = found ? static_cast<const char*>(found) : end_;
      if (!found && !Refill()) RaiseExpected(terminator);
      if (!found) continue;
    }
    if (AtEnd()) RaiseExpected(terminator);
    if (*cur_ == terminator[matched]) {
      if (++matched == terminator.size()) {
        EndRun(true);
        NextChar();
        return TakeToken(terminator.size());
      }
      NextChar();
    } else {
      // The matched characters become text except for those that may begin a new match; the
      // same character is examined again.
      matched = StillMatched(terminator, matched);
    }
  }
}

std::string_view TXmlSource::ReadTextRun() {
  StartToken();
  for (;;) {
    SkipClass(kTextPlain);
    if (AtEnd() || *cur_ == '<') return TakeToken();
    PauseRun();
    token_.Add(ReadReference());
    ResumeRun();
  }
}

// ---- The two inputs.

TXmlStrSource::TXmlStrSource(std::string_view text) noexcept {
  StartInput(text.data(), text.data() + text.size());
}

TXmlStmSource::TXmlStmSource(TXmlStream& stream, std::size_t bufferBytes)
    : stream_(stream),
      buffer_(new char[std::max<std::size_t>(bufferBytes, 1)]),
      bufferBytes_(std::max<std::size_t>(bufferBytes, 1)),
      remaining_(std::max<std::int64_t>(stream.Size() - stream.Position(), 0)) {
  const std::size_t count = ReadChunk();
  StartInput(buffer_.get(), buffer_.get() + count);
}

std::size_t TXmlStmSource::ReadChunk() {
  const auto count = std::size_t(std::min<std::int64_t>(remaining_, std::int64_t(bufferBytes_)));
  stream_.ReadExactly(buffer_.get(), count);
  remaining_ -= std::int64_t(count);
  return count;
}

bool TXmlStmSource::NextWindow(const char*& begin, const char*& end) {
  if (remaining_ <= 0) return false;
  const std::size_t count = ReadChunk();
  begin = buffer_.get();
  end = begin + count;
  return true;
}
