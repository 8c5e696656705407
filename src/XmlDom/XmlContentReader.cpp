#include "XmlDom/XmlContentReader.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <memory>
#include <string_view>

#include "XmlDom/XmlBytes.h"
#include "XmlDom/XmlCharacterData.h"
#include "XmlDom/XmlElement.h"
#include "XmlDom/XmlLimits.h"
#include "XmlDom/XmlNameTable.h"
#include "XmlDom/XmlNodeList.h"
#include "XmlDom/XmlPlacedValue.h"
#include "XmlDom/XmlProcessingInstruction.h"
#include "XmlDom/XmlReadNodes.h"
#include "XmlDom/XmlSource.h"
#include "XmlDom/XmlTagOrder.h"
#include "XmlDom/XmlText.h"
#include "XmlDom/XmlTreeBuilder.h"
#include "common/Error.h"
#include "common/FormatText.h"
#include "common/Messages.h"

namespace xmldom {

namespace {

bool IsBlank(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) > 32) return false;
  return true;
}

// Nodes are made straight in the store of the list being filled. The items of each level are
// gathered until the level ends and then given to their parent in a child list of exactly their
// number; a failure gives every open level what it has gathered, so the tree keeps all that was
// read.
class TContentReader {
 public:
  TContentReader(TXmlNodeList& list, TXmlSource& source, TXmlNameTable& table, bool keep)
      : source_(source),
        table_(table),
        store_(list.Store()),
        keep_(keep),
        list_(list),
        make_(store_, table_) {}

  // Each level's content ends at "</" or at the end of the input; an element then reads its
  // end tag and the level around it goes on.
  void Read() {
    try {
      for (;;) {
        while (!source_.AtEnd()) {
          const bool textRead = ReadPlainItems();
          if (source_.AtEnd() || !(textRead ? ReadMarkup() : ReadItem())) break;
        }
        if (open_.Empty()) break;
        FinishElement();
      }
    } catch (...) {
      // Every open level gets what it gathered. Should a level's list fail to be made, its
      // items wait for the level around it; the failure that ended the load is the one raised.
      while (!open_.Empty()) {
        try {
          CloseLevel();
        } catch (...) {  // its items went to the level around it
        }
      }
      GiveTopLevel();
      throw;
    }
    GiveTopLevel();
  }

 private:
  // An element whose content is being read, and where its items begin among the gathered.
  struct TOpenElement {
    TXmlElement* Element;
    std::size_t First;
  };

  // The items that a look at the window settles: texts (with their references), start tags
  // (their attributes are read by the source), end tags that match, and comments.
  // Scanning with a pointer of its own, it stops at the first item that needs more (other
  // markup, the window's end, anything that may fail): at its text, which ReadItem then reads,
  // or, when true, at its markup, its text read, for ReadMarkup. So the tree, every message
  // and every position come out as ReadItem alone would make them.
  [[gnu::flatten]] bool ReadPlainItems() {
    const char* p = source_.Cursor();
    const char* end = source_.WindowEnd();
    bool textRead = false;
    for (;;) {
      // The text run [p, q), and the markup at q.
      const char* q = p;
      bool text = keep_ && !textRead;
      if (*p != '<') {
        if (!keep_) q = source_.SkipBlanks(p);
        if (q == end) break;
        if (*q != '<') {
          text = true;
          q = source_.FindMarkupOrReference(q);
          if (q == end) break;
          if (*q == '&') {
            if (!ReadTextWithReferences(q, p, end)) return true;
            textRead = true;
            continue;
          }
        }
      }
      if (end - q < 2) break;
      const char c = q[1];
      if (c == '/') {
        const char* next = PlainEndTag(q, end);
        if (!next) break;
        if (text) MakeText(p, q);
        textRead = false;
        // The source steps past the end tag before the level closes, as in FinishElement.
        const bool more = Advance(next, p, end);
        CloseLevel();
        if (!more) return false;
        continue;
      }
      if (c == '!') {
        const char* close = PlainCommentEnd(q, end);
        if (!close) break;
        if (text) MakeText(p, q);
        textRead = false;
        MakeComment(q, close);
        if (!Advance(close + 3, p, end)) return false;
        continue;
      }
      if (!source_.IsNameStart(c)) break;
      int id = -1;
      const char* nameEnd = ExpectedStartTagName(q, end, id);
      if (!nameEnd) {
        nameEnd = PlainStartTagName(q, end);
        if (!nameEnd) break;
      }
      if (text) MakeText(p, q);
      textRead = false;
      if (const char* next = MakeStartTag(q, nameEnd, id)) {
        if (!Advance(next, p, end)) return false;
        continue;
      }
      // The attributes were read through the source, which is past the tag.
      if (source_.AtEnd()) return false;
      p = source_.Cursor();
      end = source_.WindowEnd();
    }
    source_.MoveTo(p);
    return textRead;
  }

  // Moves the scan on to next, which may be the window's end: the source then steps into the
  // next window, and the scan with it. False when the input ends there.
  bool Advance(const char* next, const char*& p, const char*& end) {
    if (next != end) {
      p = next;
      return true;
    }
    source_.MoveTo(next - 1);
    if (!source_.NextChar()) return false;
    p = source_.Cursor();
    end = source_.WindowEnd();
    return true;
  }

  // The text run at p, whose first reference is at amp; p and end then go on at the markup
  // after it. False when the input ends with the run.
  bool ReadTextWithReferences(const char* amp, const char*& p, const char*& end) {
    if (const char* markup = ExpandedText(p, amp, end)) {
      p = markup;
      return true;
    }
    source_.MoveTo(p);
    source_.SetMark();
    ReadText();
    if (source_.AtEnd()) return false;
    p = source_.Cursor();
    end = source_.WindowEnd();
    return true;
  }

  // The text run from p, whose first reference is at amp, if it ends in the window, fits a
  // small piece of the store, and has only references ReadReference reads: its node, if
  // ReadText would make one, is made with the references expanded straight into the store, and
  // the "<" after it returned. Else nullptr, and nothing is made.
  const char* ExpandedText(const char* p, const char* amp, const char* end) {
    const char* q = source_.FindMarkup(amp);
    if (q == end || std::size_t(q - p) > TXmlNodeStore::kMaxSmallBytes) return nullptr;
    MakeRoom();
    const auto expand = [&](char* out) -> std::ptrdiff_t {
      const std::ptrdiff_t size = TXmlSource::ExpandReferences(p, q, out);
      // A run blank once expanded makes no node: ReadText tells so.
      if (size >= 0 && !keep_ && IsBlank(std::string_view(out, std::size_t(size)))) return -1;
      return size;
    };
    TXmlPlacedValue value;
    if (!TXmlPlacedValue::PlaceWritten(store_, std::size_t(q - p), expand, value)) return nullptr;
    source_.SetMarkAt(p);
    Gather(make_.Text(std::move(value)));
    return q;
  }

  // The text node of [p, q), which ends at markup.
  void MakeText(const char* p, const char* q) {
    source_.SetMarkAt(p);
    AddText(std::string_view(p, std::size_t(q - p)));
  }
  // A text or comment node at the mark.
  void AddText(std::string_view text) {
    MakeRoom();
    if (auto* node = make_.OfBytes<TXmlText>(text)) return Gather(node);
    TXmlPlacedValue value = PlaceString(store_, text);
    Gather(make_.Text(std::move(value)));
  }
  void AddComment(std::string_view text) {
    MakeRoom();
    if (auto* node = make_.OfBytes<TXmlComment>(text)) return Gather(node);
    Gather(store_.New<TXmlComment>(table_, text));
  }

  // The comment at p ("<!--"), whose "-->" is at close.
  void MakeComment(const char* p, const char* close) {
    source_.SetMarkAt(p);
    AddComment(std::string_view(p + 4, std::size_t(close - p - 4)));
  }

  // Where the comment at p ("<!") ends with "-->", if it is one and ends in the window; else
  // nullptr.
  static const char* PlainCommentEnd(const char* p, const char* end) {
    if (end - p < 7 || p[2] != '-' || p[3] != '-') return nullptr;
    for (const char* r = p + 4;; ++r) {
      r = static_cast<const char*>(std::memchr(r, '-', std::size_t(end - r)));
      if (!r || end - r < 3) return nullptr;
      if (r[1] == '-' && r[2] == '>') return r;
    }
  }

  // The end of the name of the start tag at p ("<" and a name start), if what follows the name
  // lets MakeStartTag settle the tag; else nullptr.
  const char* PlainStartTagName(const char* p, const char* end) const {
    const char* r = source_.SkipNameRest(p + 2);
    return r == end ? nullptr : SettledAfterName(r, end);
  }
  // PlainStartTagName for a tag whose name is the one expected after the last start tag, at
  // a look at its bytes; that name's id is then in id. Else nullptr.
  const char* ExpectedStartTagName(const char* p, const char* end, int& id) const {
    const int expected = tags_.Expected();
    if (expected < 0) return nullptr;
    const std::string_view name = table_.NameView(expected);
    const char* r = p + 1;
    if (std::size_t(end - r) <= name.size() || !SameBytes(r, name)) return nullptr;
    // The character after the name cannot go on one, so the name is the expected one.
    const char* nameEnd = SettledAfterName(r + name.size(), end);
    if (nameEnd) id = expected;
    return nameEnd;
  }
  // The end r of a start tag's name, if what stands there lets MakeStartTag settle the tag.
  const char* SettledAfterName(const char* r, const char* end) const {
    if (open_.Size() >= std::size_t(kMaxXmlDepth)) return nullptr;
    if (*r == '/') return end - r >= 2 && r[1] == '>' ? r : nullptr;
    return *r == '>' || static_cast<unsigned char>(*r) <= 32 ? r : nullptr;
  }

  // The element of the start tag at p, whose name ends at nameEnd and has that id (-1 when
  // not known yet): what follows the tag, or nullptr when its attributes were read through the
  // source, which is then past the tag.
  const char* MakeStartTag(const char* p, const char* nameEnd, int id) {
    const char* name = p + 1;
    if (id < 0)
      id = source_.InternName(table_, std::string_view(name, std::size_t(nameEnd - name)));
    tags_.Started(id);
    MakeRoom();
    auto* element = make_.Element(id);
    source_.SetMarkAt(p);
    Gather(element);
    if (*nameEnd == '>') {
      open_.Push({element, gatheredCount_});
      return nameEnd + 1;
    }
    if (*nameEnd == '/') return nameEnd + 2;
    source_.MoveTo(nameEnd);
    ReadStartTagRest(*element);
    return nullptr;
  }

  // The end tag at p ("</"), if it closes the innermost open element and a look settles it:
  // what follows it; else nullptr, with nothing read.
  const char* PlainEndTag(const char* p, const char* end) const {
    if (open_.Empty()) return nullptr;
    const std::string_view name = table_.NameView(open_.Back().Element->NameId());
    const char* r = p + 2;
    if (std::size_t(end - r) <= name.size() || !SameBytes(r, name)) return nullptr;
    r += name.size();
    while (r != end && static_cast<unsigned char>(*r) <= 32) ++r;
    if (r == end || *r != '>') return nullptr;
    return r + 1;
  }

  // A text run and the markup after it; false at an end tag. Each node begins where the source
  // was last marked: the text at its first character, markup at its "<".
  bool ReadItem() {
    source_.SetMark();
    ReadText();
    return ReadMarkup();
  }
  // The markup after a text run, read.
  bool ReadMarkup() {
    source_.SetMark();
    if (source_.AtEnd() || !source_.NextChar()) return true;
    switch (source_.CurrentChar()) {
      case '/':
        return false;
      case '?':
        ReadInstruction();
        return true;
      case '!':
        if (!source_.NextChar()) return true;
        if (source_.CurrentChar() == '-')
          ReadComment();
        else if (source_.CurrentChar() == '[')
          ReadCData();
        else
          SkipDoctype();
        return true;
      default:
        ReadElement();
        return true;
    }
  }

  void ReadText() {
    if (!keep_ && source_.SkipBlankBeforeMarkup()) return;
    const std::string_view text = source_.ReadTextRun();
    if (!keep_ && IsBlank(text)) return;
    AddText(text);
  }

  // Entered with the first character after "<" current.
  void ReadElement() {
    if (open_.Size() >= std::size_t(kMaxXmlDepth)) {
      const int line = source_.LineNum();
      throw EXmlError(FormatText(msg::kNestingTooDeep, {kMaxXmlDepth, line, source_.LinePos()}));
    }
    const int id = source_.ReadNameId(table_);
    if (source_.AtEnd()) throw EXmlError(msg::kElementNotFinished);
    const char next = source_.CurrentChar();
    if (static_cast<unsigned char>(next) > 32 && next != '/' && next != '>')
      throw EXmlError(msg::kBadCharInElementName);
    MakeRoom();
    auto* element = make_.Element(id);
    Gather(element);
    ReadStartTagRest(*element);
  }

  // The attributes and the end of the start tag of an element just gathered.
  void ReadStartTagRest(TXmlElement& element) {
    source_.ReadAttributes(element, element.NameId());
    if (source_.CurrentChar() == '/') {
      source_.RequireText("/>");
      return;
    }
    source_.RequireChar('>');
    open_.Push({&element, gatheredCount_});
  }

  // The end tag of the innermost open element, entered after its content.
  void FinishElement() {
    const TXmlElement& element = *open_.Back().Element;
    source_.RequireChar('/');
    source_.RequireText(table_.NameView(element.NameId()));
    source_.SkipSpaces();
    source_.RequireChar('>');
    CloseLevel();
  }

  // Entered with "?" current. The XML declaration's pseudo-attributes become attributes; any
  // other target takes the text up to "?>" as its data, with the whitespace after the target.
  void ReadInstruction() {
    source_.NextChar();
    const int id = source_.ReadNameId(table_);
    MakeRoom();
    auto* instruction = store_.New<TXmlProcessingInstruction>(table_, id, std::string_view());
    Gather(instruction);
    if (id == kXmlNameId) {
      source_.ReadAttributes(*instruction, id);
      source_.RequireText("?>");
    } else {
      instruction->SetText(source_.ReadUntil("?>"));
    }
  }

  // Entered with the first "-" current.
  void ReadComment() {
    source_.RequireText("--");
    AddComment(source_.ReadUntil("-->"));
  }

  // Entered with "[" current; the text is taken as it stands.
  void ReadCData() {
    source_.RequireText("[CDATA[");
    const std::string_view text = source_.ReadUntil("]]>");
    MakeRoom();
    Gather(store_.New<TXmlCDATASection>(table_, text));
  }

  // The declaration is skipped whole, internal subset included: it ends at the first ">"
  // outside quoted literals and outside the subset between "[" and "]". (Ending it at the very
  // first ">" would turn the rest of a subset into content, or into a failure.)
  void SkipDoctype() {
    source_.RequireText("DOCTYPE");
    SkipDeclarationPart('>');
  }

  // Up to and past end; quoted literals are skipped whole, and so are, in the declaration, an
  // internal subset, and in the subset (end "]"), comments and processing instructions.
  void SkipDeclarationPart(char end) {
    for (;;) {
      if (source_.AtEnd()) source_.RaiseExpected(std::string_view(&end, 1));
      const char c = source_.CurrentChar();
      source_.NextChar();
      if (c == end) return;
      if (c == '"' || c == '\'') source_.ReadUntil(std::string_view(&c, 1));
      if (c == '[' && end == '>') SkipDeclarationPart(']');
      if (c == '<' && end == ']') SkipMarkupInSubset();
    }
  }

  // Entered after "<": a comment or a processing instruction is skipped to its end; anything
  // else is left to the caller, character by character.
  void SkipMarkupInSubset() {
    if (source_.CurrentChar() == '?') {
      source_.NextChar();
      source_.ReadUntil("?>");
    } else if (source_.CurrentChar() == '!' && source_.NextChar() && source_.CurrentChar() == '-' &&
               source_.NextChar() && source_.CurrentChar() == '-') {
      source_.NextChar();
      source_.ReadUntil("-->");
    }
  }

  // Room for one more gathered node, made before the node is: a node made and not gathered
  // would belong to nothing.
  void MakeRoom() {
    if (gatheredCount_ == gatheredCapacity_) GrowGathered();
  }
  [[gnu::noinline]] void GrowGathered() {
    const std::size_t capacity = gatheredCapacity_ * 2 + 64;
    auto grown = std::make_unique_for_overwrite<TXmlNode*[]>(capacity);
    std::copy(gathered_.get(), gathered_.get() + gatheredCount_, grown.get());
    gathered_ = std::move(grown);
    gatheredCapacity_ = capacity;
  }

  // A node just made (it cannot fail after MakeRoom), at the position noted last. Inside an
  // element it is linked to its parent at once, while it is at hand; the level's child list
  // takes the links over when the level closes.
  void Gather(TXmlNode* node) noexcept {
    const TXmlSource::TPosition at = source_.MarkPosition();
    node->SetSourcePosition(at.Line, at.Pos);
    if (!open_.Empty()) {
      node->AddLink();
      node->SetParent(open_.Back().Element);
    }
    gathered_[gatheredCount_++] = node;
  }

  // The innermost open element takes the items gathered since it opened.
  void CloseLevel() {
    const TOpenElement open = open_.Back();
    open_.Pop();
    const std::size_t count = gatheredCount_ - open.First;
    if (count == 0) return;
    if (count == 1) {  // most often an element's text: its list is made if it is asked for
      TXmlTreeBuilder::AdoptOnlyChild(*open.Element, *gathered_[open.First]);
      gatheredCount_ = open.First;
      return;
    }
    TXmlNodeList* children;
    try {
      children = &make_.List(*open.Element, int(count));
    } catch (...) {
      HandOver(open.First);
      throw;
    }
    children->AppendLinked(gathered_.get() + open.First, int(count));
    gatheredCount_ = open.First;
  }

  // The items from first on, linked to a level that could not take them, become items of the
  // level around it: their links pass to it, or are given up for the top level, which links
  // its items when it takes them.
  void HandOver(std::size_t first) noexcept {
    for (std::size_t i = first; i < gatheredCount_; ++i) {
      TXmlNode* node = gathered_[i];
      if (!open_.Empty()) {
        node->SetParent(open_.Back().Element);
      } else {
        node->SetParent(nullptr);
        node->ForgetReference();
      }
    }
  }

  // The top level's nodes were gathered unlinked: the list may be anyone's.
  void GiveTopLevel() {
    if (gatheredCount_ != 0) list_.AppendFresh(gathered_.get(), int(gatheredCount_));
    gatheredCount_ = 0;
  }

  TXmlSource& source_;
  TXmlNameTable& table_;
  TXmlNodeStore& store_;
  const bool keep_;
  TXmlNodeList& list_;
  TXmlReadNodes make_;
  TXmlTagOrder tags_;
  // The open elements, outermost first. ReadElement opens none past the nesting limit, so
  // the stack never grows.
  class TOpenStack {
   public:
    bool Empty() const noexcept { return size_ == 0; }
    std::size_t Size() const noexcept { return size_; }
    const TOpenElement& Back() const noexcept { return items_[size_ - 1]; }
    void Push(const TOpenElement& open) noexcept {
      assert(size_ < std::size_t(kMaxXmlDepth));
      items_[size_++] = open;
    }
    void Pop() noexcept { --size_; }

   private:
    std::unique_ptr<TOpenElement[]> items_ =
        std::make_unique_for_overwrite<TOpenElement[]>(std::size_t(kMaxXmlDepth));
    std::size_t size_ = 0;
  };
  TOpenStack open_;
  // The nodes of every open level, outermost first, not yet given to their parents.
  std::unique_ptr<TXmlNode*[]> gathered_;
  std::size_t gatheredCount_ = 0;
  std::size_t gatheredCapacity_ = 0;
};

}  // namespace

void ReadContent(TXmlNodeList& list, TXmlSource& source, TXmlNameTable& table,
                 bool keepWhitespace) {
  TContentReader(list, source, table, keepWhitespace).Read();
}

}  // namespace xmldom
