#include "TreeOutline.h"

#include <cstdio>
#include <string>

#include "XmlDom/XmlCharacterData.h"
#include "XmlDom/XmlElement.h"
#include "XmlDom/XmlProcessingInstruction.h"
#include "XmlDom/XmlText.h"
#include "XmlDom/XmlTreeWalk.h"
#include "XmlDom/XmlValueText.h"

using namespace xmldom;

namespace {

std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 32) {
          char escaped[5];
          std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(c));
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  out += '"';
  return out;
}

// Built by appending: chains of + on temporaries trip a false restrict warning of some
// compilers at high optimisation.
std::string ValueText(const XmlValue& value) {
  std::string text = Quoted(XmlValueToText(value));
  text += " (";
  text += std::to_string(value.Type());
  text += ')';
  return text;
}

std::string Describe(TXmlNode& node) {
  std::string line;
  switch (node.GetNodeType()) {
    case kElementNode: {
      const auto& element = static_cast<TXmlElement&>(node);
      line = "element ";
      line += node.GetNodeName();
      if (!element.Value().IsEmpty()) {
        line += " = ";
        line += ValueText(element.Value());
      }
      break;
    }
    case kTextNode:
      line = "text ";
      line += ValueText(static_cast<TXmlText&>(node).Value());
      break;
    case kCDataSectionNode:
      line = "cdata ";
      line += Quoted(static_cast<TXmlCDATASection&>(node).Data());
      break;
    case kCommentNode:
      line = "comment ";
      line += Quoted(static_cast<TXmlComment&>(node).Data());
      break;
    case kProcessingInstructionNode: {
      const std::string_view data = static_cast<TXmlProcessingInstruction&>(node).Data();
      line = "pi ";
      line += node.GetNodeName();
      if (!data.empty()) {
        line += ' ';
        line += Quoted(data);
      }
      break;
    }
    case kDocumentNode:
      line = "document";
      break;
  }
  return line;
}

void WriteNode(TXmlNode& node, std::size_t depth, std::ostream& out) {
  const std::string indent(2 * depth, ' ');
  out << indent << Describe(node) << "\n";
  for (const TXmlAttrData& attribute : node.Attributes())
    out << indent << "  @" << node.NameTable().NameView(attribute.NameId) << " = "
        << ValueText(attribute.Value) << "\n";
}

}  // namespace

void WriteTreeOutline(TXmlNode& root, std::ostream& out) {
  struct TOutline {
    std::ostream& Out;
    bool Enter(TXmlNode& node, std::size_t depth) {
      WriteNode(node, depth, Out);
      return true;
    }
    void Leave(TXmlNode&) noexcept {}
  } outline{out};
  WalkXmlTree(root, outline);
}
