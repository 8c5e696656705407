#pragma once

// Text nodes. Their content is a typed value, not a string: text parsed from XML is a byte
// string (code 256), other codes come from SetNodeValue and binary XML.

#include "XmlDom/XmlNode.h"

namespace xmldom {

// The interface of text nodes: the operations of IXmlNode; it marks the node's kind.
class IXmlText : public TXmlNode {
 protected:
  using TXmlNode::TXmlNode;
};

class TXmlText final : public IXmlText {
 public:
  TXmlText(TXmlNameTable& table, XmlValue value) noexcept
      : IXmlText(table), value_(std::move(value)) {}

  int GetNodeNameIndex() override { return kTextNameId; }
  TXmlNodeType GetNodeType() override { return kTextNode; }
  std::string GetText() override;
  void SetText(std::string_view text) override { value_ = XmlValue::FromString(text); }
  int GetValueType() override { return value_.Type(); }
  XmlValue GetNodeValue() override { return value_; }
  void SetNodeValue(const XmlValue& value) override { value_ = value; }
  Ref<IXmlText> ToText() override { return Ref<IXmlText>::Retain(this); }
  void WriteXml(TStringBuilder& out) override;

  const XmlValue& Value() const noexcept { return value_; }
  void AssignValue(XmlValue value) noexcept { value_ = std::move(value); }

 protected:
  Ref<TXmlNode> CloneSelf() override;

 private:
  XmlValue value_;
};

}  // namespace xmldom
