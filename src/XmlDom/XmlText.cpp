#include "XmlDom/XmlText.h"

#include "XmlDom/XmlPlacedValue.h"
#include "XmlDom/XmlValueText.h"

namespace xmldom {

TXmlText::TXmlText(TXmlStoreKey, TXmlNameTable& table, const XmlValue& value)
    : TXmlNodeOn(kKind, table, kTextNameId), value_(PlaceValue(Store(), value)) {}

TXmlText::~TXmlText() {
  UnplaceValue(Store(), value_);
}

void TXmlText::SetText(std::string_view text) {
  ReplacePlacedString(Store(), value_, text);
}

void TXmlText::SetNodeValue(const XmlValue& value) {
  ReplacePlacedValue(Store(), value_, value);
}

std::string TXmlText::GetText() {
  return XmlValueToText(value_);
}

void TXmlText::WriteXml(TStringBuilder& out) {
  AppendEscapedValue(out, value_);
}

Ref<TXmlNode> TXmlText::CloneSelf(TXmlNodeStore& store) {
  return store.Make<TXmlText>(NameTable(), value_);
}

}  // namespace xmldom
