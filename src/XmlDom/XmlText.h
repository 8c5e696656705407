#pragma once

// Text nodes. Their content is a typed value, not a string: text parsed from XML is a byte
// string (code 256), other codes come from SetNodeValue and binary XML.

#include "XmlDom/XmlNodeOn.h"
#include "XmlDom/XmlPlacedValue.h"

namespace xmldom {

class TXmlText final : public TXmlNodeOn<IXmlText> {
 public:
  static constexpr TXmlKind kKind = TXmlKind::Text;

  // The value is placed in the node's store.
  TXmlText(TXmlStoreKey, TXmlNameTable& table, const XmlValue& value);
  // Takes over a value already placed in the store the node is made in (the readers).
  struct TPlaced {};
  TXmlText(TXmlStoreKey, TXmlNameTable& table, TXmlPlacedValue&& placed, TPlaced)
      : TXmlNodeOn(kKind, table, kTextNameId), value_(std::move(placed)) {}
  TXmlText(TXmlStoreKey, TXmlNameTable& table, TXmlPlacedValue&& placed,
           TInKeepingStore in) noexcept
      : TXmlNodeOn(kKind, table, kTextNameId, in), value_(std::move(placed)) {}
  // A string value over size bytes: given to this node by the store when they do not fit
  // inside the value.
  [[gnu::always_inline]] TXmlText(TXmlStoreKey key, TXmlNameTable& table, const char* bytes,
                                  std::uint32_t size, TInKeepingStore in) noexcept
      : TXmlNodeOn(kKind, table, kTextNameId, in),
        value_(TXmlPlacedValue::Over(key, xvtString, bytes, size)) {}
  [[gnu::always_inline]] TXmlText(TXmlStoreKey key, TXmlNameTable& table, TXmlInlineBytes bytes,
                                  TInKeepingStore in) noexcept
      : TXmlNodeOn(kKind, table, kTextNameId, in),
        value_(TXmlPlacedValue::Over(key, xvtString, bytes)) {}
  ~TXmlText();

  std::string GetText() override;
  void SetText(std::string_view text) override;
  int GetValueType() override { return value_.Get().Type(); }
  XmlValue GetNodeValue() override { return value_.Get(); }
  void SetNodeValue(const XmlValue& value) override;
  Ref<IXmlText> ToText() override { return Ref<IXmlText>::Retain(this); }
  void WriteXml(TStringBuilder& out);
  Ref<TXmlNode> CloneSelf(TXmlNodeStore& store);

  const XmlValue& Value() const noexcept { return value_.Get(); }
  void AssignValue(const XmlValue& value) { SetNodeValue(value); }

 private:
  TXmlPlacedValue value_;  // placed in the node's store
};

}  // namespace xmldom
