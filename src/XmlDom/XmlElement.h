#pragma once

// Elements: a name id, attributes, and either a typed value or children, never both at once.
// Reaching the children through the child list turns a held value into a text child first.

#include "XmlDom/XmlNode.h"

namespace xmldom {

// The interface of element nodes: the operations of IXmlNode; it marks the node's kind.
class IXmlElement : public TXmlNode {
 protected:
  using TXmlNode::TXmlNode;
};

class TXmlElement final : public IXmlElement {
 public:
  TXmlElement(TXmlNameTable& table, int nameId) : IXmlElement(table, nameId) {}
  TXmlElement(TXmlNameTable& table, int nameId, TInKeepingStore in) noexcept
      : IXmlElement(table, nameId, in) {}
  ~TXmlElement() override;

  int GetNodeNameIndex() override { return NameIdField(); }
  TXmlNodeType GetNodeType() override { return kElementNode; }
  // With children, their joined text; without, the value's XML text form.
  std::string GetText() override;
  // Removes the children and holds the text as a byte-string value.
  void SetText(std::string_view text) override;
  int GetValueType() override;
  XmlValue GetNodeValue() override;
  // Removes the children and holds a copy of the value.
  void SetNodeValue(const XmlValue& value) override;
  Ref<IXmlElement> ToElement() override { return Ref<IXmlElement>::Retain(this); }

  TXmlNodeList& GetChildList() override;
  void SetNodeNameIndex(int id) override { SetNameIdField(id); }
  void WriteXml(TStringBuilder& out) override;

  int NameId() const noexcept { return NameIdField(); }
  // The held value (empty once children exist).
  const XmlValue& Value() const noexcept { return value_; }
  // Stores a value without touching the children (binary XML reads both).
  void AssignValue(const XmlValue& value);
  // Takes over a value already placed in the element's store.
  void AssignPlacedValue(XmlValue&& placed) noexcept {
    if (!value_.IsEmpty()) DropValue();
    value_ = std::move(placed);
  }

 protected:
  Ref<TXmlNode> CloneSelf(TXmlNodeStore& store) override;
  bool CloneCopiesChildren() const noexcept override { return true; }
  void DropValueForChildren() noexcept override {
    if (!value_.IsEmptyOrNull()) DropValue();
  }

 private:
  void DropValue() noexcept;

  XmlValue value_;  // placed in the element's store
};

}  // namespace xmldom
