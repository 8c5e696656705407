#include "XmlDom/XmlContentReader.h"

#include <string_view>
#include <vector>

#include "XmlDom/XmlCharacterData.h"
#include "XmlDom/XmlElement.h"
#include "XmlDom/XmlLimits.h"
#include "XmlDom/XmlNameTable.h"
#include "XmlDom/XmlNodeList.h"
#include "XmlDom/XmlProcessingInstruction.h"
#include "XmlDom/XmlSource.h"
#include "XmlDom/XmlText.h"
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

class TContentReader {
 public:
  TContentReader(TXmlNodeList& list, TXmlSource& source, TXmlNameTable& table, bool keep)
      : source_(source), table_(table), keep_(keep), list_(&list) {}

  // Each level's content ends at "</" or at the end of the input; an element then reads its
  // end tag and the level around it goes on.
  void Read() {
    for (;;) {
      while (!source_.AtEnd())
        if (!ReadItem()) break;
      if (open_.empty()) return;
      FinishElement();
    }
  }

 private:
  // An element whose content is being read, and the list it was appended to.
  struct TOpenElement {
    TXmlElement* Element;
    TXmlNodeList* Outer;
  };

  // A text run and the markup after it; false at an end tag. Each node begins where the source
  // was last marked: the text at its first character, markup at its "<".
  bool ReadItem() {
    source_.SetMark();
    ReadText();
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
    Append(MakeRef<TXmlText>(table_, XmlValue::FromString(text)));
  }

  // Entered with the first character after "<" current.
  void ReadElement() {
    if (open_.size() >= std::size_t(kMaxXmlDepth)) {
      const int line = source_.LineNum();
      throw EXmlError(FormatText(msg::kNestingTooDeep, {kMaxXmlDepth, line, source_.LinePos()}));
    }
    const int id = source_.ReadNameId(table_);
    if (source_.AtEnd()) throw EXmlError(msg::kElementNotFinished);
    const char next = source_.CurrentChar();
    if (static_cast<unsigned char>(next) > 32 && next != '/' && next != '>')
      throw EXmlError(msg::kBadCharInElementName);
    auto element = MakeRef<TXmlElement>(table_, id);
    Append(element);
    source_.ReadAttributes(*element);
    if (source_.CurrentChar() == '/') {
      source_.RequireText("/>");
      return;
    }
    source_.RequireChar('>');
    open_.push_back({element.Get(), list_});
    list_ = nullptr;  // made when the first child comes
  }

  // The end tag of the innermost open element, entered after its content.
  void FinishElement() {
    const TOpenElement open = open_.back();
    source_.RequireChar('/');
    source_.RequireText(table_.NameView(open.Element->NameId()));
    source_.SkipSpaces();
    source_.RequireChar('>');
    open_.pop_back();
    list_ = open.Outer;
  }

  // Entered with "?" current. The XML declaration's pseudo-attributes become attributes; any
  // other target takes the text up to "?>" as its data, with the whitespace after the target.
  void ReadInstruction() {
    source_.NextChar();
    const int id = source_.ReadNameId(table_);
    auto instruction = MakeRef<TXmlProcessingInstruction>(table_, id, std::string_view());
    Append(instruction);
    if (id == kXmlNameId) {
      source_.ReadAttributes(*instruction);
      source_.RequireText("?>");
    } else {
      instruction->SetText(source_.ReadUntil("?>"));
    }
  }

  // Entered with the first "-" current.
  void ReadComment() {
    source_.RequireText("--");
    Append(MakeRef<TXmlComment>(table_, source_.ReadUntil("-->")));
  }

  // Entered with "[" current; the text is taken as it stands.
  void ReadCData() {
    source_.RequireText("[CDATA[");
    Append(MakeRef<TXmlCDATASection>(table_, source_.ReadUntil("]]>")));
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

  template <class Node>
  void Append(const Ref<Node>& node) {
    const TXmlSource::TPosition at = source_.MarkPosition();
    node->SetSourcePosition(at.Line, at.Pos);
    if (!list_) list_ = &open_.back().Element->GetChildList();
    list_->AppendNode(node.Get());
  }

  TXmlSource& source_;
  TXmlNameTable& table_;
  const bool keep_;
  // Where the nodes of the current level go; null until the open element's first child.
  TXmlNodeList* list_;
  std::vector<TOpenElement> open_;
};

}  // namespace

void ReadContent(TXmlNodeList& list, TXmlSource& source, TXmlNameTable& table,
                 bool keepWhitespace) {
  TContentReader(list, source, table, keepWhitespace).Read();
}

}  // namespace xmldom
