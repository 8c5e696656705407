#include "XmlDom/XmlElement.h"

#include "XmlDom/XmlSerializer.h"
#include "XmlDom/XmlText.h"
#include "XmlDom/XmlValueText.h"

namespace xmldom {

std::string TXmlElement::GetText() {
  if (HasChildItems()) return JoinedChildText();
  return XmlValueToText(value_);
}

void TXmlElement::SetText(std::string_view text) {
  ClearChildren();
  value_ = XmlValue::FromString(text);
}

int TXmlElement::GetValueType() {
  return HasChildItems() || value_.IsEmpty() ? int(xvtString) : int(value_.Type());
}

XmlValue TXmlElement::GetNodeValue() {
  if (HasChildItems()) return XmlValue::FromString(GetText());
  return value_;
}

void TXmlElement::SetNodeValue(const XmlValue& value) {
  ClearChildren();
  value_ = value;
}

// Children and a value never coexist: whoever reaches the children finds the value turned into
// a text child (nothing for a value whose text is empty).
TXmlNodeList& TXmlElement::GetChildList() {
  TXmlNodeList& children = TXmlNode::GetChildList();
  if (value_.IsEmptyOrNull()) return children;
  const std::string text = XmlValueToText(value_);
  Ref<TXmlText> textNode;
  if (!text.empty()) textNode = MakeRef<TXmlText>(NameTable(), XmlValue::FromString(text));
  value_.Clear();
  if (textNode) children.AppendNode(textNode.Get());
  return children;
}

void TXmlElement::WriteXml(TStringBuilder& out) {
  WriteXmlTree(*this, out);
}

Ref<TXmlNode> TXmlElement::CloneSelf() {
  auto copy = MakeRef<TXmlElement>(NameTable(), nameId_);
  copy->Attributes().CopyFrom(Attributes());
  copy->value_ = value_;
  return copy;
}

}  // namespace xmldom
