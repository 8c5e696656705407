#include "TreeOutline.h"

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "XmlDom/XmlCharacterData.h"
#include "XmlDom/XmlElement.h"
#include "XmlDom/XmlProcessingInstruction.h"
#include "XmlDom/XmlText.h"
#include "XmlDom/XmlValueText.h"

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
  return out + "\"";
}

std::string ValueText(const XmlValue& value) {
  return Quoted(XmlValueToText(value)) + " (" + std::to_string(value.Type()) + ")";
}

std::string Describe(TXmlNode& node) {
  switch (node.GetNodeType()) {
    case kElementNode: {
      auto& element = static_cast<TXmlElement&>(node);
      std::string line = "element " + node.GetNodeName();
      if (!element.Value().IsEmpty()) line += " = " + ValueText(element.Value());
      return line;
    }
    case kTextNode:
      return "text " + ValueText(static_cast<TXmlText&>(node).Value());
    case kCDataSectionNode:
      return "cdata " + Quoted(static_cast<TXmlCDATASection&>(node).Data());
    case kCommentNode:
      return "comment " + Quoted(static_cast<TXmlComment&>(node).Data());
    case kProcessingInstructionNode: {
      const std::string& data = static_cast<TXmlProcessingInstruction&>(node).Data();
      return "pi " + node.GetNodeName() + (data.empty() ? "" : " " + Quoted(data));
    }
    case kDocumentNode:
      return "document";
    default:
      return "node of type " + std::to_string(node.GetNodeType());
  }
}

void WriteNode(TXmlNode& node, std::size_t depth, std::ostream& out) {
  const std::string indent(2 * depth, ' ');
  out << indent << Describe(node) << "\n";
  for (const TXmlAttrData& attribute : node.Attributes())
    out << indent << "  @" << node.NameTable().NameView(attribute.NameId) << " = "
        << ValueText(attribute.Value) << "\n";
}

}  // namespace

// Walked with a list of pending nodes rather than by recursion, so any depth fits the stack.
void WriteTreeOutline(TXmlNode& root, std::ostream& out) {
  std::vector<std::pair<TXmlNode*, std::size_t>> pending{{&root, 0}};
  while (!pending.empty()) {
    const auto [node, depth] = pending.back();
    pending.pop_back();
    WriteNode(*node, depth, out);
    if (const TXmlNodeList* children = node->ChildList())
      for (int i = children->Count() - 1; i >= 0; --i)
        pending.emplace_back(children->Item(i), depth + 1);
  }
}
