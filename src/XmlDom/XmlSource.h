#pragma once

// Parser input. TXmlSource holds the character under examination, the line and position
// counters and the token being collected, and offers the lexical operations of the grammar;
// TXmlStrSource reads a string held by the caller, TXmlStmSource a stream through a buffer.
//
// The input is seen through a window of contiguous bytes: the whole string, or the filled part
// of the stream buffer. Runs of characters (names, text, values) are scanned inside the window
// with the character-class table and taken as views of it; a token copies characters only when
// a reference is expanded or a run crosses a refill of the stream buffer. Lines and positions
// are counted lazily, up to the current character whenever they are asked for, so scanning
// never counts character by character.
//
// Counting rule (what LineNum and LinePos report for the current character): every step onto
// CR, and onto LF not directly after CR, starts a new line at position 0; every step onto
// another character except LF adds one to the position. So CR LF is one line break, LF LF and
// CR CR are two each, and a file of either kind of line ends is counted line by line; the
// first character of the input is at line 0, position 0.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "XmlDom/XmlAttributeOrder.h"
#include "XmlDom/XmlAttributes.h"
#include "XmlDom/XmlBytes.h"
#include "XmlDom/XmlNameCache.h"

namespace xmldom {

class TXmlNameTable;
class TXmlNode;
class TXmlStream;

// The characters of one name, value or text run that could not be taken straight from the
// input. Reused from token to token, so after warm-up collecting allocates only when a longer
// text than before is met.
class TXmlToken {
 public:
  void Reset() noexcept { size_ = 0; }
  void Add(char c) {
    if (size_ == capacity_) Grow(1);
    text_[size_++] = c;
  }
  void Add(const char* chars, std::size_t count) {
    if (capacity_ - size_ < count) Grow(count);
    if (count) std::memcpy(text_.get() + size_, chars, count);
    size_ += count;
  }
  std::string_view View() const noexcept { return std::string_view(text_.get(), size_); }

 private:
  // Room for at least more characters beyond the size.
  void Grow(std::size_t more);

  std::unique_ptr<char[]> text_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

class TXmlSource {
 public:
  // Classes of the characters that runs are scanned by.
  enum : std::uint8_t {
    kSpaceClass = 1,      // code 0 to 32
    kNameStartClass = 2,  // may start a name
    kNameRestClass = 4    // may go on a name
  };

  TXmlSource(const TXmlSource&) = delete;
  TXmlSource& operator=(const TXmlSource&) = delete;
  virtual ~TXmlSource() = default;

  // ---- The current character.
  // True when no character is left.
  bool AtEnd() const noexcept { return cur_ == end_; }
  // The character under examination; 0 at the end (a zero byte inside the input is an ordinary
  // character, so the end is told by AtEnd).
  char CurrentChar() const noexcept { return cur_ != end_ ? *cur_ : '\0'; }
  // Steps to the next character; false, with CurrentChar 0, when there is none.
  bool NextChar() {
    if (cur_ == end_) return false;
    return ++cur_ != end_ || Refill();
  }
  // Notes the current character, whose line and position MarkPosition gives later, even
  // after the stream buffer has been refilled. Positions are counted only when asked for, so a
  // mark that is never asked for costs nothing.
  void SetMark() noexcept {
    mark_ = cur_;
    markCounted_ = false;
  }
  struct TPosition {
    int Line;
    int Pos;
  };
  TPosition MarkPosition() noexcept {
    if (!markCounted_) {
      // Most marks lie before the next line break already found: the position just grows.
      const char* target = mark_ + 1;
      if (target > counted_ && target <= nextBreak_) {
        pos_ += int(target - counted_);
        prevBreak_ = '\0';
        counted_ = target;
        markPosition_ = {line_, pos_};
        markCounted_ = true;
      } else {
        CountMark();
      }
    }
    return markPosition_;
  }
  // The counters for the current character (see the counting rule above).
  int LineNum() {
    Count();
    return line_;
  }
  int LinePos() {
    Count();
    return pos_;
  }

  // ---- The window, for a reader that scans plain markup with a pointer of its own. It may
  // look at [Cursor(), WindowEnd()) and move the current character anywhere before the window's
  // end; reaching the end, refilling and every failure are left to the operations below.
  const char* Cursor() const noexcept { return cur_; }
  const char* WindowEnd() const noexcept { return end_; }
  void MoveTo(const char* p) noexcept { cur_ = p; }
  // SetMark for the character at p, which lies at or after every mark set before.
  void SetMarkAt(const char* p) noexcept {
    mark_ = p;
    markCounted_ = false;
  }
  bool IsNameStart(char c) const noexcept { return IsClass(c, kNameStartClass); }
  // The first character from p on of code above 32, or the window's end.
  const char* SkipBlanks(const char* p) const noexcept {
#if defined(__SSE2__)
    // Indentation is short: one look at sixteen characters most often finds where it ends.
    if (end_ - p >= 16) {
      const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
      const __m128i above = _mm_cmpeq_epi8(_mm_max_epu8(chunk, _mm_set1_epi8(33)), chunk);
      if (const int marks = _mm_movemask_epi8(above)) return p + __builtin_ctz(unsigned(marks));
      p += 16;
    }
#endif
    while (p != end_ && static_cast<unsigned char>(*p) <= 32) ++p;
    return p;
  }
  // The first "<" or "&" from p on, or the window's end.
  const char* FindMarkupOrReference(const char* p) const noexcept;
  // The first "<" from p on, or the window's end.
  const char* FindMarkup(const char* p) const noexcept;
  // Writes the text [p, q), which holds no "<", to out (room for q - p characters) with its
  // references expanded as ReadReference does: the count written, or -1 at a reference that
  // ReadReference would fail on (the text is then left to ReadTextRun, which says why).
  static std::ptrdiff_t ExpandReferences(const char* p, const char* q, char* out) noexcept;
  // The first character from p on that cannot go on a name, or the window's end.
  const char* SkipNameRest(const char* p) const noexcept {
    p = SkipAsciiNameChars(p, end_);
    while (p != end_ && IsClass(*p, kNameRestClass)) ++p;
    return p;
  }
  // The id of a name met in this input, interned in table when new.
  int InternName(TXmlNameTable& table, std::string_view name) {
    return names_.Intern(table, name);
  }

  // ---- Lexical operations. Every failure raises EXmlError with the parser's message and,
  // where the message has one, the line and position of the current character.
  // Skips characters of code 0 to 32.
  void SkipSpaces() {
    if (cur_ == end_ || static_cast<unsigned char>(*cur_) > 32) return;
    if (end_ - cur_ > 1 && static_cast<unsigned char>(cur_[1]) > 32)
      ++cur_;  // a single space, the usual case
    else
      SkipMoreSpaces();
  }
  // Steps over characters of code 0 to 32 when markup ("<") follows them in the window, and
  // says so; otherwise nothing moves. Most text between tags is indentation alone.
  bool SkipBlankBeforeMarkup() noexcept {
    const char* p = SkipBlanks(cur_);
    if (p == end_ || *p != '<') return false;
    cur_ = p;
    return true;
  }
  // A name: "_" or a letter, then letters, digits, "-", ".", ":" or "_" (XmlNameChars.h). The
  // view lasts until the next step.
  std::string_view ReadName();
  // A name interned in table (names met before are found without a lookup in the table).
  int ReadNameId(TXmlNameTable& table) {
    return names_.Intern(table, ReadName());
  }
  // A character or entity reference, entered with "&" current; the byte it stands for (a
  // number up to 255 is that byte, a larger one the code page's byte for that character, or
  // "?").
  char ReadReference();
  void RequireChar(char c) {
    if (cur_ == end_ || *cur_ != c) RaiseExpectedChar(c);
    NextChar();
  }
  // Each character of text in turn; a mismatch names the rest of text from that character.
  void RequireText(std::string_view text) {
    // Most often the whole text stands in the window, with a character after it.
    if (std::size_t(end_ - cur_) > text.size() && SameBytes(cur_, text)) {
      cur_ += text.size();
      return;
    }
    RequireTextSlowly(text);
  }
  // A quoted value, entered with the quote current, references expanded; the view lasts until
  // the next step.
  std::string_view ReadQuoted(char quote);
  // Attributes up to the first character that cannot start a name, set on node in order;
  // tagId names the tag, whose attribute names last time are tried first.
  void ReadAttributes(TXmlNode& node, int tagId);
  // The characters up to the first occurrence of terminator, which is consumed but not part of
  // the text. The view lasts until the next step.
  std::string_view ReadUntil(std::string_view terminator);
  // A run of text up to "<" or the end of input, references expanded. The view lasts until the
  // next step.
  std::string_view ReadTextRun();

  // ---- Failures at the current position.
  // format has the line and position as its only placeholders.
  [[noreturn]] void RaiseAtPosition(std::string_view format);
  // "Ожидается "%s"" naming what.
  [[noreturn]] void RaiseExpected(std::string_view what);
  [[noreturn]] void RaiseExpectedChar(char c);

 protected:
  TXmlSource() noexcept;

  // Makes [begin, end) the first window; the first character is never counted.
  void StartInput(const char* begin, const char* end) noexcept;
  // The next window once the current one is used up; false at the end of the input. Called
  // after everything that points into the current window has been taken from it.
  virtual bool NextWindow(const char*& begin, const char*& end) = 0;

 private:
  // Reached the end of the window: moves on to the next one, if any.
  bool Refill();
  // Brings the counters up to the current character.
  void Count() {
    const char* target = cur_ != end_ ? cur_ + 1 : end_;
    if (target > counted_) CountRange(target);
  }
  void CountRange(const char* target) noexcept;
  // Queues the line breaks from scanned_ on, to some way past target, as far as the queue
  // holds them; the queue must be empty.
  void FindBreaks(const char* target) noexcept;
  // Counts up to the marked character; nothing may have been counted beyond it.
  void CountMark() noexcept;
  void SkipMoreSpaces();
  void RequireTextSlowly(std::string_view text);
  // ---- Tokens: a run of the window, plus what had to be copied.
  void StartToken() noexcept {
    token_.Reset();
    runStart_ = cur_;
    runStop_ = nullptr;
  }
  // Copies the run so far into the token and stops taking characters from the window.
  void PauseRun();
  void ResumeRun() noexcept {
    runStart_ = cur_;
  }
  // The run ends before the current character, or after it (includeCurrent).
  void EndRun(bool includeCurrent) noexcept {
    runStop_ = cur_ + (includeCurrent ? 1 : 0);
  }
  // The collected text without its last dropLast characters.
  std::string_view TakeToken(std::size_t dropLast = 0) {
    if (runStart_ && token_.View().empty()) {
      const char* stop = runStop_ ? runStop_ : cur_;
      const std::string_view text(runStart_, std::size_t(stop - runStart_ - dropLast));
      runStart_ = nullptr;
      runStop_ = nullptr;
      return text;
    }
    return TakeCopiedToken(dropLast);
  }
  std::string_view TakeCopiedToken(std::size_t dropLast);

  // Steps over the name characters among the first sixteen from p, as long as they are ASCII:
  // letters, digits, "-", ".", ":" and "_" (a test holds the class table to the same). It stops
  // at the first other character, or before a byte above 127, whose class the table knows.
  static const char* SkipAsciiNameChars(const char* p, const char* end) noexcept {
#if defined(__SSE2__)
    if (end - p < 16) return p;
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const auto within = [](__m128i c, char low, char high) {
      return _mm_and_si128(_mm_cmpgt_epi8(c, _mm_set1_epi8(char(low - 1))),
                           _mm_cmpgt_epi8(_mm_set1_epi8(char(high + 1)), c));
    };
    const auto is = [&chunk](char c) { return _mm_cmpeq_epi8(chunk, _mm_set1_epi8(c)); };
    const __m128i letters = within(_mm_or_si128(chunk, _mm_set1_epi8(0x20)), 'a', 'z');
    // "-", "." and ":" stand around the digits: one range from "-" to ":" without "/".
    const __m128i around = _mm_andnot_si128(is('/'), within(chunk, '-', ':'));
    const __m128i name = _mm_or_si128(_mm_or_si128(letters, around), is('_'));
    const unsigned names = unsigned(_mm_movemask_epi8(name));
    return p + __builtin_ctz(~names);  // bit 16 and up are clear: at most sixteen
#else
    (void)end;
    return p;
#endif
  }
  bool IsClass(char c, std::uint8_t mask) const noexcept {
    return classes_[static_cast<unsigned char>(c)] & mask;
  }
  // Steps over characters whose class has a bit of mask, refilling as needed.
  void SkipClass(std::uint8_t mask);
  // Steps over text up to "<" or "&", refilling as needed.
  void SkipPlainText();
  // Reads an attribute's name and value into the records.
  void ReadAttribute(TXmlNameTable& table, TXmlNodeStore& store);
  // ReadAttribute for an attribute that a look at the window settles; false, with nothing
  // read, for any other.
  bool ReadPlainAttribute(TXmlNameTable& table, TXmlNodeStore& store);
  // ReadPlainAttribute for an attribute whose name is expected to be that of id: false, with
  // nothing read, when it is not, or when a look does not settle it.
  bool ReadExpectedAttribute(TXmlNameTable& table, TXmlNodeStore& store, int id);
  const char* PlainValueEnd(const char* equals) const noexcept;
  // Marks the records so far as set by this tag, for AddAttribute to find repeats among them.
  void NoteRecordsSeen();
  // Adds the attribute of name id and value text to the records, or gives an earlier one of
  // the same name the value. The value may be read up to readableEnd.
  void AddAttribute(TXmlNodeStore& store, int id, std::string_view text, const char* readableEnd);
  // Adds a record that cannot repeat an earlier one of this tag.
  void AppendAttribute(TXmlNodeStore& store, int id, std::string_view text,
                       const char* readableEnd);
  // Room for more records, moved into a larger array.
  void GrowAttributes();
  // Sets the records on node.
  void GiveAttributes(TXmlNode& node);
  // Digits of a numeric reference; a number past U+10FFFF reads as 0x110000.
  std::uint32_t ReadDecimal();
  std::uint32_t ReadHex();
  // The character for an entity name, entered with the name's first character current.
  char ReadEntity();

  // The character classes that runs are scanned by.
  const std::uint8_t* const classes_;
  const char* cur_ = nullptr;
  const char* end_ = nullptr;
  // Counting: the first character not counted yet, the counters, and the last counted
  // character when it was a line break (CR or LF), else 0.
  const char* counted_ = nullptr;
  // The line breaks (CR and LF) of [counted_, scanned_), in order, found a stretch at a time
  // so that counting between marks only steps from break to break; nextBreak_ is the first of
  // them, or scanned_ when there is none, so no break lies in [counted_, nextBreak_).
  static constexpr int kBreakQueue = 128;
  const char* breaks_[kBreakQueue];
  int breakHead_ = 0;
  int breakTail_ = 0;
  const char* scanned_ = nullptr;
  const char* nextBreak_ = nullptr;
  const char* mark_ = nullptr;
  bool markCounted_ = true;
  TPosition markPosition_{0, 0};
  int line_ = 0;
  int pos_ = 0;
  char prevBreak_ = '\0';
  // The token: characters [runStart_, runStop_ or cur_) of the window follow token_'s own.
  TXmlToken token_;
  const char* runStart_ = nullptr;
  const char* runStop_ = nullptr;
  // The attributes of the tag being read, their values placed in the node's store. Records
  // past the count were handed to earlier nodes as they stood and mean nothing here.
  std::unique_ptr<TXmlAttrData[]> attributes_;
  std::size_t attributeCount_ = 0;
  std::size_t attributeCapacity_ = 0;
  // By name id: the serial of the tag that last set the name, and its place among the records.
  struct TAttributeSeen {
    std::uint32_t Tag = 0;
    std::size_t Index = 0;
  };
  std::uint32_t tagSerial_ = 0;
  std::vector<TAttributeSeen> attributeSeen_;
  TXmlAttributeOrder attributeOrder_;
  // A name met for the first time, interned only once its attribute's value has been read.
  std::string newName_;
  // Ids of the names met in this input.
  TXmlNameCache names_;
};

// Input held in a string that the caller keeps alive for the source's lifetime.
class TXmlStrSource final : public TXmlSource {
 public:
  explicit TXmlStrSource(std::string_view text) noexcept;

 protected:
  bool NextWindow(const char*&, const char*&) override { return false; }
};

// Input read from a stream, from its current position to its end, in chunks of a buffer.
class TXmlStmSource final : public TXmlSource {
 public:
  // Reads the first chunk at once; a stream that yields fewer bytes than its size announces
  // raises the stream's read error.
  TXmlStmSource(TXmlStream& stream, std::size_t bufferBytes);

 protected:
  bool NextWindow(const char*& begin, const char*& end) override;

 private:
  std::size_t ReadChunk();

  TXmlStream& stream_;
  std::unique_ptr<char[]> buffer_;
  std::size_t bufferBytes_;
  std::int64_t remaining_;
};

}  // namespace xmldom
