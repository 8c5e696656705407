// A node's text kept as CDATA sections or as Base64, and the direct text of its children.
#include "XmlDom/Base64.h"
#include "XmlDom/XmlCharacterData.h"
#include "XmlDom/XmlErrors.h"
#include "XmlDom/XmlNode.h"
#include "XmlDom/XmlText.h"
#include "common/Error.h"
#include "common/Messages.h"

namespace xmldom {

namespace {

bool IsTextKind(TXmlNode& node) {
  switch (node.GetNodeType()) {
    case kTextNode:
    case kCDataSectionNode:
      return true;
    case kElementNode:
    case kProcessingInstructionNode:
    case kCommentNode:
    case kDocumentNode:
      return false;
  }
  return false;
}

}  // namespace

void TXmlNode::RemoveTextChildren() {
  TXmlNodeList* children = ExistingChildList();
  if (!children) return;
  for (int i = children->Count() - 1; i >= 0; --i)
    if (IsTextKind(*children->Item(i))) children->RemoveAt(i);
}

// An element's held value is not removed: the append below turns it into a text child that
// stays in front of the new sections.
void TXmlNode::SetTextAsCDATA(std::string_view text) {
  RemoveTextChildren();
  TXmlNodeList& children = GetChildList();
  for (;;) {
    const std::size_t at = text.find("]]>");
    const std::string_view section = at == std::string_view::npos ? text : text.substr(0, at + 1);
    auto node = ChildStore().Make<TXmlCDATASection>(NameTable(), section);
    children.AppendNode(node.Get());
    if (at == std::string_view::npos) break;
    text.remove_prefix(at + 1);
  }
}

void TXmlNode::SetTextAsBase64(const void* data, int size, int maxLineLength) {
  if (size < 0 || (size > 0 && !data)) RaiseRangeCheckError();
  std::string text = EncodeBase64(data, std::size_t(size), maxLineLength < 1 ? 0 : maxLineLength);
  RemoveTextChildren();
  auto node = ChildStore().Make<TXmlText>(NameTable(), XmlValue::FromString(text));
  GetChildList().AppendNode(node.Get());
}

std::string TXmlNode::GetTextFromBase64() {
  return DecodeBase64(GetText());
}

std::string TXmlNode::GetDirectText() {
  std::string text;
  for (TXmlNode* child : GetChildList())
    if (IsTextKind(*child)) text += child->GetText();
  return text;
}

}  // namespace xmldom
