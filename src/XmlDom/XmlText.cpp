#include "XmlDom/XmlText.h"

#include "XmlDom/XmlValueText.h"

namespace xmldom {

std::string TXmlText::GetText() {
  return XmlValueToText(value_);
}

void TXmlText::WriteXml(TStringBuilder& out) {
  AppendEscapedValue(out, value_);
}

Ref<TXmlNode> TXmlText::CloneSelf() {
  return MakeRef<TXmlText>(NameTable(), value_);
}

}  // namespace xmldom
