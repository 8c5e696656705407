#pragma once

// Text nodes. Their content is a typed value, not a string: text parsed from XML is a byte
// string (code 256), other codes come from SetNodeValue and binary XML.

#include "XmlDom/XmlNode.h"
#include "XmlDom/XmlPlacedValue.h"

namespace xmldom {

// The interface of text nodes: the operations of IXmlNode; it marks the node's kind.
class IXmlText : public TXmlNode {
 protected:
  using TXmlNode::TXmlNode;
};

class TXmlText final : public IXmlText {
 public:
  // The value is placed in the node's store.
  TXmlText(TXmlStoreKey, TXmlNameTable& table, const XmlValue& value);
  // Takes over a value already placed in the store the node is made in (the readers).
  struct TPlaced {};
  TXmlText(TXmlStoreKey, TXmlNameTable& table, TXmlPlacedValue&& placed, TPlaced)
      : IXmlText(table, kTextNameId), value_(std::move(placed)) {}
  TXmlText(TXmlStoreKey, TXmlNameTable& table, TXmlPlacedValue&& placed,
           TInKeepingStore in) noexcept
      : IXmlText(table, kTextNameId, in), value_(std::move(placed)) {}
  // A string value over size bytes: given to this node by the store when they do not fit
  // inside the value.
  [[gnu::always_inline]] TXmlText(TXmlStoreKey key, TXmlNameTable& table, const char* bytes,
                                  std::uint32_t size, TInKeepingStore in) noexcept
      : IXmlText(table, kTextNameId, in),
        value_(TXmlPlacedValue::Over(key, xvtString, bytes, size)) {}
  [[gnu::always_inline]] TXmlText(TXmlStoreKey key, TXmlNameTable& table, TXmlInlineBytes bytes,
                                  TInKeepingStore in) noexcept
      : IXmlText(table, kTextNameId, in), value_(TXmlPlacedValue::Over(key, xvtString, bytes)) {}
  ~TXmlText() override;

  int GetNodeNameIndex() override { return kTextNameId; }
  TXmlNodeType GetNodeType() override { return kTextNode; }
  std::string GetText() override;
  void SetText(std::string_view text) override;
  int GetValueType() override { return value_.Get().Type(); }
  XmlValue GetNodeValue() override { return value_.Get(); }
  void SetNodeValue(const XmlValue& value) override;
  Ref<IXmlText> ToText() override { return Ref<IXmlText>::Retain(this); }
  void WriteXml(TStringBuilder& out) override;

  const XmlValue& Value() const noexcept { return value_.Get(); }
  void AssignValue(const XmlValue& value) { SetNodeValue(value); }

 protected:
  Ref<TXmlNode> CloneSelf(TXmlNodeStore& store) override;

 private:
  TXmlPlacedValue value_;  // placed in the node's store
};

}  // namespace xmldom
