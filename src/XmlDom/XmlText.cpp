#include "XmlDom/XmlText.h"

#include "XmlDom/XmlValueText.h"

std::string TXmlText::GetText() {
  return XmlValueToText(value_);
}

void TXmlText::WriteXml(TStringBuilder& out) {
  AppendEscapedValue(out, value_);
}

Ref<TXmlNode> TXmlText::CloneSelf() {
  return MakeRef<TXmlText>(NameTable(), value_);
}
