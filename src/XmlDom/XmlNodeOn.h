#pragma once

// TXmlNodeOn<Interface>: a node class seen through its kind's interface. The interface comes
// first (its vtable is the node's only one), the shared part (TXmlNode) right after it; every
// operation the kinds share is answered by the shared part. The kinds derive from this and
// answer the rest: their texts and values, and which kind they are.

#include <string>
#include <string_view>
#include <vector>

#include "XmlDom/IXmlDocument.h"
#include "XmlDom/XmlNode.h"

namespace xmldom {

template <class Interface>
class TXmlNodeOn : public Interface, public TXmlNode {
 public:
  void AddRef() const noexcept final { TXmlNode::AddRef(); }
  void Release() const noexcept final { TXmlNode::Release(); }
  TXmlNode* ImplementingNode() noexcept final { return this; }
  TXmlNodeType GetNodeType() final { return TXmlNode::GetNodeType(); }

  // What most kinds answer alike; the kinds that answer otherwise override it.
  int GetValueType() override { return xvtString; }
  XmlValue GetNodeValue() override { return XmlValue::FromString(AsNode().GetText()); }
  void SetNodeValue(const XmlValue& value) override { TXmlNode::SetNodeValueAsText(value); }
  void ClearChildren() override { TXmlNode::ClearChildItems(); }
  Ref<IXmlElement> ToElement() override { return nullptr; }
  Ref<IXmlText> ToText() override { return nullptr; }
  Ref<IXmlCDATASection> ToCDATASection() override { return nullptr; }
  Ref<IXmlComment> ToComment() override { return nullptr; }
  Ref<IXmlProcessingInstruction> ToInstruction() override { return nullptr; }

  // ---- Shared by all kinds.
  int SourceLine() final { return TXmlNode::SourceLine(); }
  int SourcePos() final { return TXmlNode::SourcePos(); }
  Ref<IXmlNameTable> NodeNameTable() final { return TXmlNode::NodeNameTable(); }
  std::string GetNodeName() final { return TXmlNode::GetNodeName(); }
  int GetNodeNameIndex() final { return TXmlNode::GetNodeNameIndex(); }
  std::string GetXML() final { return TXmlNode::GetXML(); }
  Ref<IXmlNode> CloneNode(bool deep) final { return TXmlNode::CloneNode(deep); }
  Ref<IXmlNode> GetParentNode() final { return TXmlNode::GetParentNode(); }
  Ref<IXmlDocument> GetOwnerDocument() final { return TXmlNode::GetOwnerDocument(); }
  Ref<IXmlNode> GetNextSibling() final { return TXmlNode::GetNextSibling(); }
  Ref<IXmlNodeList> GetChildNodes() final { return TXmlNode::GetChildNodes(); }
  void AppendChild(IXmlNode* child) final { TXmlNode::AppendChild(child); }
  void InsertBefore(IXmlNode* child, IXmlNode* before) final {
    TXmlNode::InsertBefore(child, before);
  }
  void ReplaceChild(IXmlNode* newChild, IXmlNode* oldChild) final {
    TXmlNode::ReplaceChild(newChild, oldChild);
  }
  int RemoveChild(IXmlNode* child) final { return TXmlNode::RemoveChild(child); }
  Ref<IXmlElement> AddChildElement(int id) final { return TXmlNode::AddChildElement(id); }
  Ref<IXmlElement> AddChildElement(std::string_view name) final {
    return TXmlNode::AddChildElement(name);
  }
  Ref<IXmlText> AddChildText(std::string_view text) final { return TXmlNode::AddChildText(text); }
  Ref<IXmlCDATASection> AddChildCDATA(std::string_view text) final {
    return TXmlNode::AddChildCDATA(text);
  }
  Ref<IXmlComment> AddChildComment(std::string_view text) final {
    return TXmlNode::AddChildComment(text);
  }
  Ref<IXmlProcessingInstruction> AddChildInstruction(int id, std::string_view data) final {
    return TXmlNode::AddChildInstruction(id, data);
  }
  Ref<IXmlProcessingInstruction> AddChildInstruction(std::string_view name,
                                                     std::string_view data) final {
    return TXmlNode::AddChildInstruction(name, data);
  }
  std::string GetNamedChildText(std::string_view name, std::string_view def) final {
    return TXmlNode::GetNamedChildText(name, def);
  }
  std::string GetNamedChildText(int id, std::string_view def) final {
    return TXmlNode::GetNamedChildText(id, def);
  }
  void SetNamedChildText(std::string_view name, std::string_view text) final {
    TXmlNode::SetNamedChildText(name, text);
  }
  void SetNamedChildText(int id, std::string_view text) final {
    TXmlNode::SetNamedChildText(id, text);
  }
  Ref<IXmlNode> RequireChild(int id) final { return TXmlNode::RequireChild(id); }
  Ref<IXmlNode> RequireChild(std::string_view name) final { return TXmlNode::RequireChild(name); }
  Ref<IXmlNode> GetOrAddChild(int id) final { return TXmlNode::GetOrAddChild(id); }
  Ref<IXmlNode> GetOrAddChild(std::string_view name) final { return TXmlNode::GetOrAddChild(name); }
  Ref<IXmlNodeList> SelectNodes(std::string_view expression) final {
    return TXmlNode::SelectNodes(expression);
  }
  Ref<IXmlNodeList> SelectNodes(int id) final { return TXmlNode::SelectNodes(id); }
  Ref<IXmlNode> SelectSingleNode(std::string_view expression) final {
    return TXmlNode::SelectSingleNode(expression);
  }
  Ref<IXmlElement> FindChildByAttr(std::string_view elementName, std::string_view attrName,
                                   const XmlValue& value) final {
    return TXmlNode::FindChildByAttr(elementName, attrName, value);
  }
  Ref<IXmlNodeList> FindChildrenByAttr(std::string_view elementName, std::string_view attrName,
                                       const XmlValue& value) final {
    return TXmlNode::FindChildrenByAttr(elementName, attrName, value);
  }
  int GetAttributeCount() final { return TXmlNode::GetAttributeCount(); }
  int GetAttributeNameIndex(int index) final { return TXmlNode::GetAttributeNameIndex(index); }
  std::string GetAttributeName(int index) final { return TXmlNode::GetAttributeName(index); }
  void RemoveAttribute(std::string_view name) final { TXmlNode::RemoveAttribute(name); }
  void RemoveAttribute(int id) final { TXmlNode::RemoveAttribute(id); }
  void ClearAttributes() final { TXmlNode::ClearAttributes(); }
  bool HasAttribute(int id) final { return TXmlNode::HasAttribute(id); }
  bool HasAttribute(std::string_view name) final { return TXmlNode::HasAttribute(name); }
  int GetAttributeType(int id) final { return TXmlNode::GetAttributeType(id); }
  int GetAttributeType(std::string_view name) final { return TXmlNode::GetAttributeType(name); }
  XmlValue GetValueAttr(int id, const XmlValue& def) final {
    return TXmlNode::GetValueAttr(id, def);
  }
  XmlValue GetValueAttr(std::string_view name, const XmlValue& def) final {
    return TXmlNode::GetValueAttr(name, def);
  }
  void SetValueAttr(int id, const XmlValue& value) final { TXmlNode::SetValueAttr(id, value); }
  void SetValueAttr(std::string_view name, const XmlValue& value) final {
    TXmlNode::SetValueAttr(name, value);
  }
  XmlValue RequireValueAttr(int id) final { return TXmlNode::RequireValueAttr(id); }
  XmlValue RequireValueAttr(std::string_view name) final {
    return TXmlNode::RequireValueAttr(name);
  }
  std::string RequireTextAttr(int id) final { return TXmlNode::RequireTextAttr(id); }
  std::string RequireTextAttr(std::string_view name) final {
    return TXmlNode::RequireTextAttr(name);
  }
  std::string GetTextAttr(int id, std::string_view def) final {
    return TXmlNode::GetTextAttr(id, def);
  }
  std::string GetTextAttr(std::string_view name, std::string_view def) final {
    return TXmlNode::GetTextAttr(name, def);
  }
  void SetTextAttr(int id, std::string_view text) final { TXmlNode::SetTextAttr(id, text); }
  void SetTextAttr(std::string_view name, std::string_view text) final {
    TXmlNode::SetTextAttr(name, text);
  }
  bool GetBoolAttr(int id, bool def) final { return TXmlNode::GetBoolAttr(id, def); }
  bool GetBoolAttr(std::string_view name, bool def) final {
    return TXmlNode::GetBoolAttr(name, def);
  }
  void SetBoolAttr(int id, bool value) final { TXmlNode::SetBoolAttr(id, value); }
  void SetBoolAttr(std::string_view name, bool value) final { TXmlNode::SetBoolAttr(name, value); }
  int GetIntAttr(int id, int def) final { return TXmlNode::GetIntAttr(id, def); }
  int GetIntAttr(std::string_view name, int def) final { return TXmlNode::GetIntAttr(name, def); }
  void SetIntAttr(int id, int value) final { TXmlNode::SetIntAttr(id, value); }
  void SetIntAttr(std::string_view name, int value) final { TXmlNode::SetIntAttr(name, value); }
  TXmlDateTime GetDateAttr(int id, TXmlDateTime def) final {
    return TXmlNode::GetDateAttr(id, def);
  }
  TXmlDateTime GetDateAttr(std::string_view name, TXmlDateTime def) final {
    return TXmlNode::GetDateAttr(name, def);
  }
  void SetDateAttr(int id, TXmlDateTime value) final { TXmlNode::SetDateAttr(id, value); }
  void SetDateAttr(std::string_view name, TXmlDateTime value) final {
    TXmlNode::SetDateAttr(name, value);
  }
  double GetDoubleAttr(int id, double def) final { return TXmlNode::GetDoubleAttr(id, def); }
  double GetDoubleAttr(std::string_view name, double def) final {
    return TXmlNode::GetDoubleAttr(name, def);
  }
  double RequireDoubleAttr(int id) final { return TXmlNode::RequireDoubleAttr(id); }
  double RequireDoubleAttr(std::string_view name) final {
    return TXmlNode::RequireDoubleAttr(name);
  }
  void SetDoubleAttr(int id, double value) final { TXmlNode::SetDoubleAttr(id, value); }
  void SetDoubleAttr(std::string_view name, double value) final {
    TXmlNode::SetDoubleAttr(name, value);
  }
  int GetHexNumberAttr(std::string_view name, int def) final {
    return TXmlNode::GetHexNumberAttr(name, def);
  }
  int GetHexNumberAttr(int id, int def) final { return TXmlNode::GetHexNumberAttr(id, def); }
  void SetHexNumberAttr(std::string_view name, int value, int digits) final {
    TXmlNode::SetHexNumberAttr(name, value, digits);
  }
  void SetHexNumberAttr(int id, int value, int digits) final {
    TXmlNode::SetHexNumberAttr(id, value, digits);
  }
  int GetChoiceAttr(std::string_view name, const std::vector<std::string>& values, int def) final {
    return TXmlNode::GetChoiceAttr(name, values, def);
  }
  int GetChoiceAttr(int id, const std::vector<std::string>& values, int def) final {
    return TXmlNode::GetChoiceAttr(id, values, def);
  }
  int RequireChoiceAttr(std::string_view name, const std::vector<std::string>& values) final {
    return TXmlNode::RequireChoiceAttr(name, values);
  }
  int RequireChoiceAttr(int id, const std::vector<std::string>& values) final {
    return TXmlNode::RequireChoiceAttr(id, values);
  }
  void SetTextAsCDATA(std::string_view text) final { TXmlNode::SetTextAsCDATA(text); }
  void SetTextAsBase64(const void* data, int size, int maxLineLength) final {
    TXmlNode::SetTextAsBase64(data, size, maxLineLength);
  }
  std::string GetTextFromBase64() final { return TXmlNode::GetTextFromBase64(); }
  std::string GetDirectText() final { return TXmlNode::GetDirectText(); }
  XmlValue GetPathValue(std::string_view path) final { return TXmlNode::GetPathValue(path); }
  void SetPathValue(std::string_view path, const XmlValue& value) final {
    TXmlNode::SetPathValue(path, value);
  }

 protected:
  using TXmlNode::TXmlNode;
  ~TXmlNodeOn() = default;

 private:
  IXmlNode& AsNode() noexcept { return *this; }
};

}  // namespace xmldom
