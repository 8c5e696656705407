// Selection by an expression, and value access by a short path. The only expression there is
// a single element name, matched against the direct children; anything richer (paths,
// wildcards, attribute tests, predicates) is refused as not supported, before anything changes.
#include "XmlDom/XmlElement.h"
#include "XmlDom/XmlErrors.h"
#include "XmlDom/XmlNameChars.h"
#include "XmlDom/XmlNode.h"
#include "common/Error.h"
#include "common/Messages.h"

namespace xmldom {

namespace {

void CheckExpression(std::string_view expression) {
  if (!IsXmlName(expression)) RaiseNotSupported();
}

bool IsElementNamed(TXmlNode& node, int id) {
  return node.GetNodeType() == kElementNode && node.GetNodeNameIndex() == id;
}

}  // namespace

int TXmlNode::SelectionNameId(std::string_view expression) {
  CheckExpression(expression);
  return NameTable().InternName(expression);
}

Ref<IXmlNodeList> TXmlNode::SelectNodes(std::string_view expression) {
  const int id = SelectionNameId(expression);
  auto selected = MakeLoose<TXmlNodeList>();
  const TXmlNodeList& children = GetChildList();
  for (TXmlNode* child : children)
    if (IsElementNamed(*child, id)) selected->AppendNode(child);
  return Ref<IXmlNodeList>(selected);
}

Ref<IXmlNodeList> TXmlNode::SelectNodes(int id) {
  auto selected = MakeLoose<TXmlNodeList>();
  for (TXmlNode* child : GetChildList())
    if (child->GetNodeNameIndex() == id) selected->AppendNode(child);
  return Ref<IXmlNodeList>(selected);
}

Ref<IXmlNode> TXmlNode::SelectSingleNode(std::string_view expression) {
  const int id = SelectionNameId(expression);
  const TXmlNodeList& children = GetChildList();
  for (TXmlNode* child : children)
    if (IsElementNamed(*child, id)) return child->Interface();
  return nullptr;
}

XmlValue TXmlNode::GetPathValue(std::string_view path) {
  if (path.empty()) return GetNodeValue();
  if (path.front() == '@') return GetValueAttr(path.substr(1), XmlValue::FromString({}));
  const Ref<IXmlNode> child = SelectSingleNode(path);
  return child ? child->GetNodeValue() : XmlValue::FromString({});
}

void TXmlNode::SetPathValue(std::string_view path, const XmlValue& value) {
  if (path.empty()) return SetNodeValue(value);
  if (path.front() == '@') return SetValueAttr(path.substr(1), value);
  Ref<IXmlNode> child = SelectSingleNode(path);
  if (!child) child = AddChildElement(path);
  child->SetNodeValue(value);
}

}  // namespace xmldom
