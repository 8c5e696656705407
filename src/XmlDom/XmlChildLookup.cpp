// Child lookup by name and by attribute value. These read the existing child list: they neither
// create it nor turn an element's held value into a text child, except where they add a child.
#include "XmlDom/XmlElement.h"
#include "XmlDom/XmlNode.h"
#include "XmlDom/XmlSameValue.h"
#include "common/Error.h"
#include "common/FormatText.h"
#include "common/Messages.h"

namespace xmldom {

namespace {

// The first child whose name id is id, whatever its type; null when there is none.
TXmlNode* FindNamedChild(const TXmlNode& node, int id) {
  for (TXmlNode* child : node.Children())
    if (child->GetNodeNameIndex() == id) return child;
  return nullptr;
}

// An element named elementId whose attribute attrId holds the same value as value.
bool MatchesAttribute(TXmlNode& child, int elementId, int attrId, const XmlValue& value) {
  if (child.GetNodeType() != kElementNode || child.GetNodeNameIndex() != elementId) return false;
  const TXmlAttrData* attribute = child.Attributes().Find(attrId);
  return attribute && XmlSameValue(attribute->Value, value);
}

}  // namespace

std::string TXmlNode::GetNamedChildText(std::string_view name, std::string_view def) {
  return GetNamedChildText(NameTable().InternName(name), def);
}

std::string TXmlNode::GetNamedChildText(int id, std::string_view def) {
  TXmlNode* child = FindNamedChild(*this, id);
  return child ? child->GetText() : std::string(def);
}

void TXmlNode::SetNamedChildText(std::string_view name, std::string_view text) {
  SetNamedChildText(NameTable().InternName(name), text);
}

void TXmlNode::SetNamedChildText(int id, std::string_view text) {
  GetOrAddChild(id)->SetText(text);
}

Ref<IXmlNode> TXmlNode::RequireChild(int id) {
  TXmlNode* child = FindNamedChild(*this, id);
  if (!child) throw EXmlError(FormatText(msg::kChildNotFound, {NameTable().NameView(id)}));
  return child->Interface();
}

Ref<IXmlNode> TXmlNode::RequireChild(std::string_view name) {
  return RequireChild(NameTable().InternName(name));
}

Ref<IXmlNode> TXmlNode::GetOrAddChild(int id) {
  if (TXmlNode* child = FindNamedChild(*this, id)) return child->Interface();
  return Ref<IXmlNode>(AddChildElement(id));
}

Ref<IXmlNode> TXmlNode::GetOrAddChild(std::string_view name) {
  return GetOrAddChild(NameTable().InternName(name));
}

Ref<IXmlElement> TXmlNode::FindChildByAttr(std::string_view elementName, std::string_view attrName,
                                           const XmlValue& value) {
  const TXmlChildren children = Children();
  if (!children.Exists()) return nullptr;
  const int elementId = NameTable().InternName(elementName);
  const int attrId = NameTable().InternName(attrName);
  for (TXmlNode* child : children)
    if (MatchesAttribute(*child, elementId, attrId, value)) return child->Self().ToElement();
  return nullptr;
}

Ref<IXmlNodeList> TXmlNode::FindChildrenByAttr(std::string_view elementName,
                                               std::string_view attrName, const XmlValue& value) {
  auto found = MakeLoose<TXmlNodeList>();
  if (const TXmlChildren children = Children(); children.Exists()) {
    const int elementId = NameTable().InternName(elementName);
    const int attrId = NameTable().InternName(attrName);
    for (TXmlNode* child : children)
      if (MatchesAttribute(*child, elementId, attrId, value)) found->AppendNode(child);
  }
  return Ref<IXmlNodeList>(found);
}

}  // namespace xmldom
