#include "XmlDom/XmlSource.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "XmlDom/XmlNameChars.h"
#include "XmlDom/XmlNameTable.h"
#include "XmlDom/XmlNode.h"
#include "XmlDom/XmlPlacedValue.h"
#include "XmlDom/XmlStream.h"
#include "common/Error.h"
#include "common/FormatText.h"
#include "common/Messages.h"
#include "platform/CodePage.h"

namespace xmldom {

namespace {

constexpr std::uint8_t kSpace = TXmlSource::kSpaceClass;
constexpr std::uint8_t kNameStart = TXmlSource::kNameStartClass;
constexpr std::uint8_t kNameRest = TXmlSource::kNameRestClass;

const std::array<std::uint8_t, 256>& ClassTable() {
  static const auto table = [] {
    const auto& names = XmlNameCharTable();
    std::array<std::uint8_t, 256> flags{};
    for (int byte = 0; byte < 256; ++byte) {
      std::uint8_t f = 0;
      if (byte <= 32) f |= kSpace;
      if (names[byte] & kXmlNameStartChar) f |= kNameStart;
      if (names[byte] & kXmlNameChar) f |= kNameRest;
      flags[byte] = f;
    }
    return flags;
  }();
  return table;
}

// Eight characters at a time: the bytes of a word that equal b are marked by their high bit
// (the lowest marked byte is always a true match, which is all the scans need).
constexpr std::uint64_t kEveryByte = 0x0101010101010101u;

std::uint64_t BytesEqual(std::uint64_t word, unsigned char b) {
  const std::uint64_t x = word ^ (kEveryByte * b);
  return (x - kEveryByte) & ~x & (kEveryByte * 0x80);
}

// The offset of the first marked byte of a non-zero mark (words are read little-endian).
int FirstMarked(std::uint64_t marks) {
  return __builtin_ctzll(marks) / 8;
}

// The first character in [p, end) that is a or b, or end.
const char* FindEither(const char* p, const char* end, char a, char b) {
#if defined(__SSE2__)
  const __m128i wantA = _mm_set1_epi8(a);
  const __m128i wantB = _mm_set1_epi8(b);
  for (; end - p >= 16; p += 16) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i hits = _mm_or_si128(_mm_cmpeq_epi8(chunk, wantA), _mm_cmpeq_epi8(chunk, wantB));
    if (const int mask = _mm_movemask_epi8(hits)) return p + __builtin_ctz(unsigned(mask));
  }
#endif
  for (; end - p >= 8; p += 8) {
    const std::uint64_t word = LoadBytes<std::uint64_t>(p);
    const std::uint64_t marks = BytesEqual(word, static_cast<unsigned char>(a)) |
                                BytesEqual(word, static_cast<unsigned char>(b));
    if (marks) return p + FirstMarked(marks);
  }
  while (p != end && *p != a && *p != b) ++p;
  return p;
}

// The first character in [p, end) that is a, b or c, or end.
const char* FindAny(const char* p, const char* end, char a, char b, char c) {
#if defined(__SSE2__)
  const __m128i wantA = _mm_set1_epi8(a);
  const __m128i wantB = _mm_set1_epi8(b);
  const __m128i wantC = _mm_set1_epi8(c);
  for (; end - p >= 16; p += 16) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i hits =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(chunk, wantA), _mm_cmpeq_epi8(chunk, wantB)),
                     _mm_cmpeq_epi8(chunk, wantC));
    if (const int mask = _mm_movemask_epi8(hits)) return p + __builtin_ctz(unsigned(mask));
  }
#endif
  while (p != end && *p != a && *p != b && *p != c) ++p;
  return p;
}

// The first number past the last Unicode character, U+10FFFF.
constexpr std::uint32_t kBeyondUnicode = 0x110000;

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

TXmlSource::TXmlSource() noexcept : classes_(ClassTable().data()) {}

void TXmlSource::StartInput(const char* begin, const char* end) noexcept {
  cur_ = begin;
  end_ = end;
  counted_ = begin != end ? begin + 1 : begin;
  breakHead_ = breakTail_ = 0;
  scanned_ = nextBreak_ = counted_;
}

bool TXmlSource::Refill() {
  // Whatever points into the window is taken from it first: the mark, the counters, and the
  // run of the token being collected.
  if (!markCounted_ && mark_ != end_) CountMark();
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
    breakHead_ = breakTail_ = 0;
    scanned_ = nextBreak_ = begin;
  }
  if (running && !stopped) runStart_ = cur_;
  return more;
}

// Between line breaks the position grows by one per character, so only the breaks themselves
// are looked at one by one, as the queue hands them out.
void TXmlSource::CountRange(const char* target) noexcept {
  const char* p = counted_;
  for (;;) {
    if (breakHead_ == breakTail_) {
      if (scanned_ >= target) break;
      FindBreaks(target);
      continue;
    }
    const char* stop = breaks_[breakHead_];
    if (stop >= target) break;
    ++breakHead_;
    if (stop != p) {
      pos_ += int(stop - p);
      prevBreak_ = '\0';
    }
    const char c = *stop;
    // Only the LF of a CR LF pair belongs to the break before it.
    if (c == '\r' || prevBreak_ != '\r') {
      ++line_;
      pos_ = 0;
    }
    prevBreak_ = c;
    p = stop + 1;
  }
  if (target != p) {
    pos_ += int(target - p);
    prevBreak_ = '\0';
  }
  counted_ = target;
  nextBreak_ = breakHead_ != breakTail_ ? breaks_[breakHead_] : scanned_;
}

void TXmlSource::FindBreaks(const char* target) noexcept {
  // A few lines past the target, so that the marks that follow find their breaks queued.
  constexpr std::ptrdiff_t kAhead = 2048;
  const char* p = scanned_;
  const char* const limit = end_ - target > kAhead ? target + kAhead : end_;
  int count = 0;
  bool full = false;
#if defined(__SSE2__)
  // Sixty-four characters a step: lines are much longer than that.
  const auto breaksIn = [](const char* at) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    return std::uint64_t(unsigned(_mm_movemask_epi8(_mm_or_si128(
        _mm_cmpeq_epi8(chunk, _mm_set1_epi8('\n')), _mm_cmpeq_epi8(chunk, _mm_set1_epi8('\r'))))));
  };
  // Whole steps run on past the limit while the window lasts: the characters after it are
  // scanned once anyway, and a step costs less than the scan that would finish them one by one.
  for (; p < limit && end_ - p >= 64; p += 64) {
    if (count > kBreakQueue - 64) {
      full = true;
      break;
    }
    std::uint64_t marks =
        breaksIn(p) | breaksIn(p + 16) << 16 | breaksIn(p + 32) << 32 | breaksIn(p + 48) << 48;
    for (; marks; marks &= marks - 1) breaks_[count++] = p + __builtin_ctzll(marks);
  }
#endif
  while (!full && p < limit && count != kBreakQueue) {
    const char* found = FindEither(p, limit, '\n', '\r');
    if (found == limit) {
      p = limit;
      break;
    }
    breaks_[count++] = found;
    p = found + 1;
  }
  breakHead_ = 0;
  breakTail_ = count;
  scanned_ = p;
}

void TXmlSource::CountMark() noexcept {
  const char* target = mark_ + 1;
  const int head = breakHead_;
  if (target > counted_ && head != breakTail_ && breaks_[head] < target &&
      (head + 1 != breakTail_ ? breaks_[head + 1] : scanned_) >= target) {
    // Most often a single line break lies between the last count and the mark.
    const char* stop = breaks_[head];
    breakHead_ = head + 1;
    nextBreak_ = head + 1 != breakTail_ ? breaks_[head + 1] : scanned_;
    // stop is the first break not counted: an LF pairs with a CR only right after it.
    if (*stop == '\r' || stop != counted_ || prevBreak_ != '\r') {
      ++line_;
      pos_ = 0;
    }
    pos_ += int(target - stop - 1);
    prevBreak_ = target - 1 == stop ? *stop : '\0';
    counted_ = target;
  } else if (target > counted_) {
    CountRange(target);
  }
  markPosition_ = {line_, pos_};
  markCounted_ = true;
}

// ---- Tokens.

void TXmlToken::Grow(std::size_t more) {
  if (more > std::numeric_limits<std::size_t>::max() / 2 - size_) throw std::length_error("token");
  const std::size_t capacity = std::max(capacity_ * 2, size_ + more + 64);
  auto grown = std::make_unique_for_overwrite<char[]>(capacity);
  if (size_) std::memcpy(grown.get(), text_.get(), size_);
  text_ = std::move(grown);
  capacity_ = capacity;
}

void TXmlSource::PauseRun() {
  token_.Add(runStart_, std::size_t(cur_ - runStart_));
  runStart_ = nullptr;
}

std::string_view TXmlSource::TakeCopiedToken(std::size_t dropLast) {
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
  for (;;) {
    const char* p = cur_;
    while (p != end_ && (classes_[static_cast<unsigned char>(*p)] & mask)) ++p;
    cur_ = p;
    if (p != end_ || !Refill()) return;
  }
}

void TXmlSource::SkipPlainText() {
  for (;;) {
    cur_ = FindEither(cur_, end_, '<', '&');
    if (cur_ != end_ || !Refill()) return;
  }
}

void TXmlSource::SkipMoreSpaces() {
  SkipClass(kSpace);
}

const char* TXmlSource::FindMarkupOrReference(const char* p) const noexcept {
  return FindEither(p, end_, '<', '&');
}

const char* TXmlSource::FindMarkup(const char* p) const noexcept {
  const void* found = std::memchr(p, '<', std::size_t(end_ - p));
  return found ? static_cast<const char*>(found) : end_;
}

namespace {

// The reference at p ("&"), whole before q: the character it stands for, and past it in p;
// false, with p unmoved, when it is malformed or names no character entity.
bool ExpandReference(const char*& p, const char* q, char& c) noexcept {
  const char* r = p + 1;
  // The name's length is known here, so the compare is a few characters in line.
  const auto entity = [&]<std::size_t N>(const char(&name)[N], char meant) {
    constexpr std::size_t size = N - 1;
    if (std::size_t(q - r) < size) return false;
    for (std::size_t i = 1; i < size; ++i)  // the first was looked at already
      if (r[i] != name[i]) return false;
    p = r + size;
    c = meant;
    return true;
  };
  if (r == q) return false;
  // The five names begin with four letters: one look at the first picks the name to compare.
  switch (*r) {
    case 'l':
      return entity("lt;", '<');
    case 'g':
      return entity("gt;", '>');
    case 'a':
      return entity("amp;", '&') || entity("apos;", '\'');
    case 'q':
      return entity("quot;", '"');
    case '#':
      break;
    default:
      return false;
  }
  ++r;
  const bool hex = r != q && *r == 'x';
  if (hex) ++r;
  const char* digits = r;
  std::uint32_t code = 0;
  for (; r != q; ++r) {
    const int digit = hex ? HexDigit(*r) : (*r >= '0' && *r <= '9' ? *r - '0' : -1);
    if (digit < 0) break;
    code = std::min(code * (hex ? 16 : 10) + std::uint32_t(digit), kBeyondUnicode);
  }
  if (r == digits || r == q || *r != ';') return false;
  c = code <= 0xFF ? static_cast<char>(code) : platform::CharacterToAnsi(code);
  p = r + 1;
  return true;
}

}  // namespace

std::ptrdiff_t TXmlSource::ExpandReferences(const char* p, const char* q, char* out) noexcept {
  char* o = out;
  for (;;) {
    // The runs between references are short: found in line, without a call.
    const char* amp = FindEither(p, q, '&', '&');
    CopyShortBytes(o, p, std::size_t(amp - p));
    o += amp - p;
    if (amp == q) return o - out;
    p = amp;
    if (!ExpandReference(p, q, *o)) return -1;
    ++o;
  }
}

std::string_view TXmlSource::ReadName() {
  if (AtEnd() || !IsClass(*cur_, kNameStart)) RaiseAtPosition(msg::kNameMustStartWithLetter);
  const char* start = cur_;
  const char* p = SkipNameRest(cur_ + 1);
  if (p != end_) {  // the name ends inside the window: a view of it, no token
    cur_ = p;
    return std::string_view(start, std::size_t(p - start));
  }
  StartToken();
  for (;;) {
    while (p != end_ && IsClass(*p, kNameRest)) ++p;
    cur_ = p;
    if (p != end_ || !Refill()) break;
    p = cur_;
  }
  return TakeToken();
}

void TXmlSource::RaiseExpectedChar(char c) {
  RaiseExpected(std::string_view(&c, 1));
}

void TXmlSource::RequireTextSlowly(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (AtEnd() || *cur_ != text[i]) RaiseExpected(text.substr(i));
    NextChar();
  }
}

char TXmlSource::ReadReference() {
  // A well-formed reference whole in the window is known at a glance; any other is read step
  // by step, which refills the window and says what is wrong.
  char c;
  const char* p = cur_;
  if (ExpandReference(p, end_, c)) {
    if (p != end_) {
      cur_ = p;
    } else {
      cur_ = p - 1;
      NextChar();
    }
    return c;
  }
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
  // Up to 255 the number is the byte itself, as documents written for this parser expect;
  // above, it is a Unicode character, which the code page may hold or not ("?").
  if (code <= 0xFF) return static_cast<char>(code);
  return platform::CharacterToAnsi(code);
}

// A number larger than any character stops growing at kBeyondUnicode, however many digits
// follow: it can only stand for "?".
std::uint32_t TXmlSource::ReadDecimal() {
  if (AtEnd() || *cur_ < '0' || *cur_ > '9') RaiseAtPosition(msg::kNumberExpected);
  std::uint32_t number = 0;
  do number = std::min(number * 10 + std::uint32_t(*cur_ - '0'), kBeyondUnicode);
  while (NextChar() && *cur_ >= '0' && *cur_ <= '9');
  return number;
}

std::uint32_t TXmlSource::ReadHex() {
  if (AtEnd() || HexDigit(*cur_) < 0) RaiseAtPosition(msg::kHexNumberExpected);
  std::uint32_t number = 0;
  do number = std::min(number * 16 + std::uint32_t(HexDigit(*cur_)), kBeyondUnicode);
  while (NextChar() && HexDigit(*cur_) >= 0);
  return number;
}

char TXmlSource::ReadEntity() {
  if (AtEnd() || !IsClass(*cur_, kNameStart)) RaiseAtPosition(msg::kNameMustStartWithLetter);
  // The five names are at most four characters long; a longer name is none of them.
  char name[5];
  std::size_t length = 0;
  do {
    if (length < sizeof name) name[length] = *cur_;
    ++length;
  } while (NextChar() && IsClass(*cur_, kNameRest));
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
  // Most values hold no reference and end inside the window, with a character after them.
  const char* first = cur_ + 1;
  const char* stop = FindAny(first, end_, quote, '&', '<');
  if (end_ - stop > 1 && *stop == quote) {
    cur_ = stop + 1;
    return std::string_view(first, std::size_t(stop - first));
  }
  NextChar();
  StartToken();
  for (;;) {
    do cur_ = FindAny(cur_, end_, quote, '&', '<');
    while (cur_ == end_ && Refill());
    if (AtEnd()) RaiseExpected(std::string_view(&quote, 1));
    const char c = *cur_;
    if (c == quote) break;
    if (c == '<') RaiseAtPosition(msg::kLessThanInAttribute);
    PauseRun();
    token_.Add(ReadReference());
    ResumeRun();
  }
  EndRun(false);
  NextChar();
  return TakeToken();
}

// The attributes are gathered first, their values placed in the node's store as they are read,
// and then given to the node in an array of exactly their number; a failure gives it those read
// so far.
void TXmlSource::ReadAttributes(TXmlNode& node, int tagId) {
  SkipSpaces();
  if (AtEnd() || !IsClass(*cur_, kNameStart)) return;
  attributeCount_ = 0;
  if (++tagSerial_ == 0) {  // the serials wrapped: no old one may look current
    std::fill(attributeSeen_.begin(), attributeSeen_.end(), TAttributeSeen{});
    tagSerial_ = 1;
  }
  TXmlNodeStore& store = node.Store();
  TXmlNameTable& table = node.NameTable();
  const TXmlAttributeOrder::TOrder& order = attributeOrder_.Of(table, tagId);
  bool more = true;
  try {
    // The names as they came last time, while they do.
    for (std::int32_t i = 0; i < order.Count; ++i) {
      if (!ReadExpectedAttribute(table, store, order.Ids[std::size_t(i)])) break;
      SkipSpaces();
      if (AtEnd() || !IsClass(*cur_, kNameStart)) {
        more = false;
        break;
      }
    }
    if (more) {
      NoteRecordsSeen();
      do {
        if (!ReadPlainAttribute(table, store)) ReadAttribute(table, store);
        SkipSpaces();
      } while (!AtEnd() && IsClass(*cur_, kNameStart));
    }
  } catch (...) {
    GiveAttributes(node);
    throw;
  }
  if (more || attributeCount_ != std::size_t(order.Count))
    attributeOrder_.Remember(tagId, attributes_.get(), attributeCount_);
  GiveAttributes(node);
}

void TXmlSource::NoteRecordsSeen() {
  for (std::size_t i = 0; i < attributeCount_; ++i) {
    const auto slot = std::size_t(attributes_[i].NameId);
    if (slot >= attributeSeen_.size()) attributeSeen_.resize(slot + 1);
    attributeSeen_[slot] = {tagSerial_, i};
  }
}

[[gnu::always_inline]] inline void TXmlSource::AddAttribute(TXmlNodeStore& store, int id,
                                                            std::string_view text,
                                                            const char* readableEnd) {
  // Where each name id stands among the records, for this tag: so many attributes in one tag
  // take linear time, not quadratic.
  const auto slot = std::size_t(id);
  if (slot >= attributeSeen_.size()) attributeSeen_.resize(slot + 1);
  TAttributeSeen& seen = attributeSeen_[slot];
  if (seen.Tag == tagSerial_) {
    TXmlPlacedValue value = PlaceBytes(store, xvtString, text, readableEnd);
    TXmlPlacedValue& earlier = attributes_[seen.Index].Value;
    UnplaceValue(store, earlier);
    earlier = std::move(value);
    return;
  }
  AppendAttribute(store, id, text, readableEnd);
  seen = {tagSerial_, attributeCount_ - 1};
}

[[gnu::always_inline]] inline void TXmlSource::AppendAttribute(TXmlNodeStore& store, int id,
                                                               std::string_view text,
                                                               const char* readableEnd) {
  if (attributeCount_ == attributeCapacity_) GrowAttributes();
  TXmlAttrData& record = attributes_[attributeCount_];
  // The record's old value went to a node as it stood: it is overwritten, not released.
  new (&record.Value) TXmlPlacedValue(PlaceBytes(store, xvtString, text, readableEnd));
  record.NameId = id;
  ++attributeCount_;
}

// A repeated name keeps its first place and takes the later value. A name is interned once its
// value has been read, so a value that fails adds no name to the table.
void TXmlSource::ReadAttribute(TXmlNameTable& table, TXmlNodeStore& store) {
  const std::string_view name = ReadName();
  int id = names_.Find(table, name);
  if (id < 0) newName_.assign(name);
  SkipSpaces();
  RequireChar('=');
  SkipSpaces();
  if (AtEnd()) RaiseAtPosition(msg::kAttributeValueExpected);
  if (*cur_ != '"' && *cur_ != '\'') RaiseAtPosition(msg::kStringConstantExpected);
  const std::string_view text = ReadQuoted(*cur_);
  if (id < 0) id = names_.Intern(table, newName_);
  AddAttribute(store, id, text, text.data() + text.size());
}

// The closing quote of a value after the "=" at equals that stands whole in the window, with a
// character after it, and holds no reference; else nullptr.
[[gnu::always_inline]] inline const char* TXmlSource::PlainValueEnd(
    const char* equals) const noexcept {
  if (end_ - equals < 2) return nullptr;
  const char quote = equals[1];
  if (quote != '"' && quote != '\'') return nullptr;
  const char* const stop = FindAny(equals + 2, end_, quote, '&', '<');
  return end_ - stop >= 2 && *stop == quote ? stop : nullptr;
}

// Most attributes stand whole in the window as name="value", the value without references:
// they are read at a look, or left unread for ReadAttribute.
[[gnu::always_inline]] inline bool TXmlSource::ReadPlainAttribute(TXmlNameTable& table,
                                                                  TXmlNodeStore& store) {
  const char* const name = cur_;
  const char* const equals = SkipNameRest(name + 1);
  if (equals == end_ || *equals != '=') return false;
  const char* const stop = PlainValueEnd(equals);
  if (!stop) return false;
  const char* const first = equals + 2;
  const int id = names_.Intern(table, std::string_view(name, std::size_t(equals - name)));
  AddAttribute(store, id, std::string_view(first, std::size_t(stop - first)), end_);
  cur_ = stop + 1;
  return true;
}

[[gnu::always_inline]] inline bool TXmlSource::ReadExpectedAttribute(TXmlNameTable& table,
                                                                     TXmlNodeStore& store, int id) {
  const std::string_view name = table.NameView(id);
  // The name, "=" and the quote stand in the window; "=" cannot go on a name, so the name
  // read is exactly the one expected.
  if (std::size_t(end_ - cur_) < name.size() + 2 || !SameBytes(cur_, name)) return false;
  const char* const equals = cur_ + name.size();
  if (*equals != '=') return false;
  const char* const stop = PlainValueEnd(equals);
  if (!stop) return false;
  const char* const first = equals + 2;
  AppendAttribute(store, id, std::string_view(first, std::size_t(stop - first)), end_);
  cur_ = stop + 1;
  return true;
}

void TXmlSource::GrowAttributes() {
  const std::size_t capacity = attributeCapacity_ * 2 + 8;
  auto grown = std::make_unique<TXmlAttrData[]>(capacity);
  for (std::size_t i = 0; i < attributeCount_; ++i) {
    grown[i].NameId = attributes_[i].NameId;
    new (&grown[i].Value) TXmlPlacedValue(std::move(attributes_[i].Value));
  }
  attributes_ = std::move(grown);
  attributeCapacity_ = capacity;
}

// The placed values go to the node; should the array fail to grow, they go back to the store.
[[gnu::always_inline]] inline void TXmlSource::GiveAttributes(TXmlNode& node) {
  const int count = int(attributeCount_);
  if (count == 0) return;
  attributeCount_ = 0;
  TXmlNodeStore& store = node.Store();
  TXmlAttrArray& target = node.Attributes();
  TXmlAttrData* records = attributes_.get();
  try {
    if (target.Count() == 0) {
      target.AdoptPlaced(store, records, count);
    } else {
      for (int i = 0; i < count; ++i) {
        target.Set(store, records[i].NameId, records[i].Value);
        UnplaceValue(store, records[i].Value);
      }
    }
  } catch (...) {
    for (int i = 0; i < count; ++i) UnplaceValue(store, records[i].Value);
    throw;
  }
}

std::string_view TXmlSource::ReadUntil(std::string_view terminator) {
  StartToken();
  const char first = terminator[0];
  std::size_t matched = 0;
  for (;;) {
    if (matched == 0) {
      // Nothing matched yet: everything up to the terminator's first character is text.
      const void* found =
          cur_ != end_ ? std::memchr(cur_, first, std::size_t(end_ - cur_)) : nullptr;
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
    SkipPlainText();
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

}  // namespace xmldom
