#pragma once

// Elements: a name id, attributes, and either a typed value or children, never both at once.
// Reaching the children through the child list turns a held value into a text child first.

#include "XmlDom/XmlNodeOn.h"
#include "XmlDom/XmlPlacedValue.h"

namespace xmldom {

class TXmlElement final : public TXmlNodeOn<IXmlElement> {
 public:
  static constexpr TXmlKind kKind = TXmlKind::Element;

  TXmlElement(TXmlStoreKey, TXmlNameTable& table, int nameId) : TXmlNodeOn(kKind, table, nameId) {}
  TXmlElement(TXmlStoreKey, TXmlNameTable& table, int nameId, TInKeepingStore in) noexcept
      : TXmlNodeOn(kKind, table, nameId, in) {}
  ~TXmlElement();

  // With children, their joined text; without, the value's XML text form.
  std::string GetText() override;
  // Removes the children and holds the text as a byte-string value.
  void SetText(std::string_view text) override;
  int GetValueType() override;
  XmlValue GetNodeValue() override;
  // Removes the children and holds a copy of the value.
  void SetNodeValue(const XmlValue& value) override;
  Ref<IXmlElement> ToElement() override { return Ref<IXmlElement>::Retain(this); }

  // The kind's own forms of what TXmlNode reaches through the kind.
  TXmlNodeList& GetChildList();
  int HeldValueChildCount();
  void WriteXml(TStringBuilder& out);
  Ref<TXmlNode> CloneSelf(TXmlNodeStore& store);
  void DropValueForChildren() noexcept {
    if (value_ && !value_->Get().IsEmptyOrNull()) DropValue();
  }

  int NameId() const noexcept { return NameIdField(); }
  // The held value (empty once children exist).
  const XmlValue& Value() const noexcept { return value_ ? value_->Get() : kNoValue; }
  // Stores a value without touching the children (binary XML reads both).
  void AssignValue(const XmlValue& value);
  // Takes over a value already placed in the element's store; should there be no room for it,
  // it goes back to the store and the element keeps the value it had.
  void AssignPlacedValue(TXmlPlacedValue&& placed) {
    if (!value_) {
      if (!placed.IsEmpty()) HoldFirstValue(std::move(placed));
      return;
    }
    if (!value_->IsEmpty()) DropValue();
    *value_ = std::move(placed);
  }

 private:
  static constinit const XmlValue kNoValue;

  void DropValue() noexcept;
  void HoldFirstValue(TXmlPlacedValue&& placed);
  // Removes the children and holds a value placed already; a failure gives it back.
  void HoldInsteadOfChildren(TXmlPlacedValue&& placed);

  // Most elements hold children and never a value: the value has a piece of the element's
  // store of its own, made when the element first holds one, and kept until the element goes.
  TXmlPlacedValue* value_ = nullptr;
};

}  // namespace xmldom
