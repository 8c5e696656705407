#include "XmlDom/XmlElement.h"

#include "XmlDom/XmlPlacedValue.h"
#include "XmlDom/XmlSerializer.h"
#include "XmlDom/XmlText.h"
#include "XmlDom/XmlValueText.h"

namespace xmldom {

TXmlElement::~TXmlElement() {
  UnplaceValue(Store(), value_);
}

void TXmlElement::AssignValue(const XmlValue& value) {
  ReplacePlacedValue(Store(), value_, value);
}

void TXmlElement::DropValue() noexcept {
  UnplaceValue(Store(), value_);
}

std::string TXmlElement::GetText() {
  if (HasChildItems()) return JoinedChildText();
  return XmlValueToText(value_);
}

void TXmlElement::SetText(std::string_view text) {
  XmlValue placed = PlaceString(Store(), text);
  ClearChildren();
  AssignPlacedValue(std::move(placed));
}

int TXmlElement::GetValueType() {
  return HasChildItems() || value_.IsEmpty() ? int(xvtString) : int(value_.Type());
}

XmlValue TXmlElement::GetNodeValue() {
  if (HasChildItems()) return XmlValue::FromString(GetText());
  return value_;
}

void TXmlElement::SetNodeValue(const XmlValue& value) {
  XmlValue placed = PlaceValue(Store(), value);
  ClearChildren();
  AssignPlacedValue(std::move(placed));
}

// Children and a value never coexist: whoever reaches the children finds the value turned into
// a text child (nothing for a value whose text is empty).
TXmlNodeList& TXmlElement::GetChildList() {
  TXmlNodeList& children = TXmlNode::GetChildList();
  if (value_.IsEmptyOrNull()) return children;
  const std::string text = XmlValueToText(value_);
  Ref<TXmlText> textNode;
  if (!text.empty())
    textNode = MakeRefIn<TXmlText>(ChildStore(), NameTable(), XmlValue::FromString(text));
  UnplaceValue(Store(), value_);
  if (textNode) children.AppendNode(textNode.Get());
  return children;
}

void TXmlElement::WriteXml(TStringBuilder& out) {
  WriteXmlTree(*this, out);
}

Ref<TXmlNode> TXmlElement::CloneSelf(TXmlNodeStore& store) {
  auto copy = MakeRefIn<TXmlElement>(store, NameTable(), NameId());
  copy->Attributes().CopyFrom(store, Attributes());
  copy->AssignValue(value_);
  return copy;
}

}  // namespace xmldom
