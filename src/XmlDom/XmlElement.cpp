#include "XmlDom/XmlElement.h"

#include "XmlDom/XmlPlacedValue.h"
#include "XmlDom/XmlSerializer.h"
#include "XmlDom/XmlText.h"
#include "XmlDom/XmlValueText.h"

namespace xmldom {

constinit const XmlValue TXmlElement::kNoValue;

TXmlElement::~TXmlElement() {
  if (!value_) return;
  TXmlNodeStore& store = Store();
  UnplaceValue(store, *value_);
  store.Free(value_, sizeof(TXmlPlacedValue));
}

void TXmlElement::AssignValue(const XmlValue& value) {
  AssignPlacedValue(PlaceValue(Store(), value));
}

void TXmlElement::HoldFirstValue(TXmlPlacedValue&& placed) {
  TXmlNodeStore& store = Store();
  try {
    value_ = static_cast<TXmlPlacedValue*>(store.Allocate(sizeof(TXmlPlacedValue)));
  } catch (...) {
    UnplaceValue(store, placed);
    throw;
  }
  new (value_) TXmlPlacedValue(std::move(placed));
}

void TXmlElement::DropValue() noexcept {
  UnplaceValue(Store(), *value_);
}

std::string TXmlElement::GetText() {
  if (HasChildItems()) return JoinedChildText();
  return XmlValueToText(Value());
}

void TXmlElement::SetText(std::string_view text) {
  HoldInsteadOfChildren(PlaceString(Store(), text));
}

void TXmlElement::HoldInsteadOfChildren(TXmlPlacedValue&& placed) {
  try {
    ClearChildren();
    AssignPlacedValue(std::move(placed));
  } catch (...) {
    UnplaceValue(Store(), placed);
    throw;
  }
}

int TXmlElement::GetValueType() {
  return HasChildItems() || Value().IsEmpty() ? int(xvtString) : int(Value().Type());
}

XmlValue TXmlElement::GetNodeValue() {
  if (HasChildItems()) return XmlValue::FromString(GetText());
  return Value();
}

void TXmlElement::SetNodeValue(const XmlValue& value) {
  HoldInsteadOfChildren(PlaceValue(Store(), value));
}

// Children and a value never coexist: whoever reaches the children finds the value turned into
// a text child (nothing for a value whose text is empty).
TXmlNodeList& TXmlElement::GetChildList() {
  TXmlNodeList& children = MadeOrNewChildList();
  if (Value().IsEmptyOrNull()) return children;
  const std::string text = XmlValueToText(*value_);
  Ref<TXmlText> textNode;
  if (!text.empty())
    textNode = ChildStore().Make<TXmlText>(NameTable(), XmlValue::FromString(text));
  DropValue();
  if (textNode) children.AppendNode(textNode.Get());
  return children;
}

// As many as GetChildList makes of the value.
int TXmlElement::HeldValueChildCount() {
  return Value().IsEmptyOrNull() || XmlValueToText(*value_).empty() ? 0 : 1;
}

void TXmlElement::WriteXml(TStringBuilder& out) {
  WriteXmlTree(*this, out);
}

Ref<TXmlNode> TXmlElement::CloneSelf(TXmlNodeStore& store) {
  auto copy = store.Make<TXmlElement>(NameTable(), NameId());
  copy->Attributes().CopyFrom(store, Attributes());
  copy->AssignValue(Value());
  return copy;
}

}  // namespace xmldom
