#include "XmlDom/XmlSerializer.h"

#include <string_view>
#include <vector>

#include "XmlDom/StringBuilder.h"
#include "XmlDom/XmlDocument.h"
#include "XmlDom/XmlElement.h"
#include "XmlDom/XmlTreeWalk.h"
#include "XmlDom/XmlValueText.h"

namespace xmldom {

namespace {

int indentDepth = 0;

bool HasLineBreak(std::string_view text) {
  for (char c : text)
    if (c == '\r' || c == '\n') return true;
  return false;
}

// An element or document whose children are being written.
struct TOpenNode {
  std::size_t Mark;  // position of the character that ends the element's start tag
  bool Compact;      // layout of the children
};

class TTreeWriter {
 public:
  explicit TTreeWriter(TStringBuilder& out) : out_(out), outerDepth_(indentDepth) {}
  TTreeWriter(const TTreeWriter&) = delete;
  TTreeWriter& operator=(const TTreeWriter&) = delete;
  // Restores the depth also when a value cannot be written.
  ~TTreeWriter() { indentDepth = outerDepth_; }

  void Write(TXmlNode& root) {
    rootCompact_ = root.KeepsWhitespace();
    WalkXmlTree(root, *this);
  }

  // ---- The walk's visitor: a node's children lie out in the layout of its parent's level.
  bool Enter(TXmlNode& node, std::size_t depth) {
    const bool compact = depth == 0 ? rootCompact_ : open_.back().Compact;
    switch (node.GetNodeType()) {
      case kElementNode:
        return EnterElement(static_cast<TXmlElement&>(node), compact);
      case kDocumentNode: {
        auto& document = static_cast<TXmlDocument&>(node);
        if (!document.HasChildItems()) return false;
        open_.push_back({0, document.KeepWhitespace()});
        return true;
      }
      case kTextNode:
      case kCDataSectionNode:
      case kCommentNode:
      case kProcessingInstructionNode:
        break;
    }
    node.WriteXml(out_);
    return false;
  }

  void Leave(TXmlNode& node) {
    const TOpenNode done = open_.back();
    open_.pop_back();
    if (node.GetNodeType() != kElementNode) return;
    if (!done.Compact) --indentDepth;
    Close(static_cast<TXmlElement&>(node), done.Mark, done.Compact);
  }

 private:
  // The start tag up to the character that ends it, which is written as a placeholder and
  // settled once the content is known. True when the children follow.
  bool EnterElement(TXmlElement& element, bool compact) {
    if (!compact) {
      out_.Add("\r\n");
      out_.AddRepeated(XmlIndentUnit, std::size_t(indentDepth));
    }
    out_.Add('<');
    out_.Add(element.NameTable().NameView(element.NameId()));
    WriteXmlAttributes(element, out_);
    const std::size_t mark = out_.Length();
    out_.Add('>');
    if (element.HasChildItems()) {
      if (!compact) ++indentDepth;
      open_.push_back({mark, compact});
      return true;
    }
    AppendEscapedValue(out_, element.Value());
    Close(element, mark, compact);
    return false;
  }

  // Without content the element becomes an empty-element tag. In the indented layout an end
  // tag after content with line breaks goes on a line of its own at the element's indent.
  void Close(const TXmlElement& element, std::size_t mark, bool compact) {
    const std::string_view content = out_.View().substr(mark + 1);
    if (content.empty()) {
      out_.SetAt(mark, '/');
      out_.Add('>');
      return;
    }
    if (!compact && HasLineBreak(content)) {
      const bool endsWithBreak =
          content.size() >= 2 && content.substr(content.size() - 2) == "\r\n";
      if (!endsWithBreak) out_.Add("\r\n");
      out_.AddRepeated(XmlIndentUnit, std::size_t(indentDepth));
    }
    out_.Add("</");
    out_.Add(element.NameTable().NameView(element.NameId()));
    out_.Add('>');
  }

  TStringBuilder& out_;
  const int outerDepth_;
  bool rootCompact_ = false;
  std::vector<TOpenNode> open_;
};

}  // namespace

int XmlIndentDepth() noexcept {
  return indentDepth;
}

void WriteXmlTree(TXmlNode& root, TStringBuilder& out) {
  TTreeWriter(out).Write(root);
}

void WriteXmlAttributes(const TXmlNode& node, TStringBuilder& out) {
  for (const TXmlAttrData& attribute : node.Attributes()) {
    out.Add(' ');
    out.Add(node.NameTable().NameView(attribute.NameId));
    out.Add("=\"");
    AppendEscapedValue(out, attribute.Value);
    out.Add('"');
  }
}

}  // namespace xmldom
