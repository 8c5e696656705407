#pragma once

// IXmlNode: the operations every node of the library offers, in the order of the interface's
// slots. Arguments that are nodes are borrowed (the callee takes its own reference when it keeps
// one); results are counted holders and may be empty ("none"). Names and texts are 8-bit byte
// strings in the document's code page. Every failure raises EXmlError.
//
// Most operations come in a by-name and a by-id form: the by-name form interns the name in the
// node's table (so even a lookup adds an unseen name) and then behaves as the by-id form.

#include <string>
#include <string_view>
#include <vector>

#include "XmlDom/IXmlObject.h"
#include "XmlDom/XmlValue.h"
#include "common/RefCounted.h"

namespace xmldom {

class IXmlNameTable;
class IXmlNodeList;
class IXmlElement;
class IXmlText;
class IXmlCDATASection;
class IXmlComment;
class IXmlProcessingInstruction;
class IXmlDocument;
class TXmlNode;

// Node type codes.
enum TXmlNodeType : int {
  kElementNode = 1,
  kTextNode = 3,
  kCDataSectionNode = 4,
  kProcessingInstructionNode = 7,
  kCommentNode = 8,
  kDocumentNode = 9
};

class IXmlNode : public IXmlObject {
 public:
  // ---- Identity and content.
  // Line and position where the text parser found the node's first character; 0 otherwise.
  virtual int SourceLine() = 0;
  virtual int SourcePos() = 0;
  virtual Ref<IXmlNameTable> NodeNameTable() = 0;
  virtual std::string GetNodeName() = 0;
  virtual int GetNodeNameIndex() = 0;
  virtual TXmlNodeType GetNodeType() = 0;
  virtual std::string GetText() = 0;
  virtual void SetText(std::string_view text) = 0;
  virtual int GetValueType() = 0;
  virtual XmlValue GetNodeValue() = 0;
  virtual void SetNodeValue(const XmlValue& value) = 0;
  // The node written as XML text.
  virtual std::string GetXML() = 0;
  // A new node on the same name table, without parent; deep also copies the children.
  virtual Ref<IXmlNode> CloneNode(bool deep) = 0;

  // ---- Navigation and building. Inserting a node into its own subtree raises the "not
  // supported" error; a none child raises "Invalid class typecast".
  virtual Ref<IXmlNode> GetParentNode() = 0;
  virtual Ref<IXmlDocument> GetOwnerDocument() = 0;
  virtual Ref<IXmlNode> GetNextSibling() = 0;
  virtual Ref<IXmlNodeList> GetChildNodes() = 0;
  virtual void AppendChild(IXmlNode* child) = 0;
  // Before none, or not a child: appends.
  virtual void InsertBefore(IXmlNode* child, IXmlNode* before) = 0;
  // Nothing happens when oldChild is not a child.
  virtual void ReplaceChild(IXmlNode* newChild, IXmlNode* oldChild) = 0;
  // The index the child had, or -1 when it is not a child.
  virtual int RemoveChild(IXmlNode* child) = 0;
  virtual Ref<IXmlElement> AddChildElement(int id) = 0;
  virtual Ref<IXmlElement> AddChildElement(std::string_view name) = 0;
  virtual Ref<IXmlText> AddChildText(std::string_view text) = 0;
  virtual Ref<IXmlCDATASection> AddChildCDATA(std::string_view text) = 0;
  virtual Ref<IXmlComment> AddChildComment(std::string_view text) = 0;
  virtual Ref<IXmlProcessingInstruction> AddChildInstruction(int id, std::string_view data) = 0;
  virtual Ref<IXmlProcessingInstruction> AddChildInstruction(std::string_view name,
                                                             std::string_view data) = 0;

  // ---- Child lookup: direct children only.
  // The text of the first child with that name, or the default.
  virtual std::string GetNamedChildText(std::string_view name, std::string_view def) = 0;
  virtual std::string GetNamedChildText(int id, std::string_view def) = 0;
  // Sets the text of the first child with that name, appending an element when there is none.
  virtual void SetNamedChildText(std::string_view name, std::string_view text) = 0;
  virtual void SetNamedChildText(int id, std::string_view text) = 0;
  // The first child with that name; raises "child not found" when there is none.
  virtual Ref<IXmlNode> RequireChild(int id) = 0;
  virtual Ref<IXmlNode> RequireChild(std::string_view name) = 0;
  // The first child with that name, appending an element when there is none.
  virtual Ref<IXmlNode> GetOrAddChild(int id) = 0;
  virtual Ref<IXmlNode> GetOrAddChild(std::string_view name) = 0;
  // Removes every child; neither creates the child list nor touches an element's value.
  virtual void ClearChildren() = 0;
  // The child elements named by the expression (a single name) in a new ownerless list.
  virtual Ref<IXmlNodeList> SelectNodes(std::string_view expression) = 0;
  // The children of any type with that name id, in a new ownerless list.
  virtual Ref<IXmlNodeList> SelectNodes(int id) = 0;
  // The first child element named by the expression, or none.
  virtual Ref<IXmlNode> SelectSingleNode(std::string_view expression) = 0;
  // The first child element of that name whose attribute holds the same value, or none.
  virtual Ref<IXmlElement> FindChildByAttr(std::string_view elementName, std::string_view attrName,
                                           const XmlValue& value) = 0;
  virtual Ref<IXmlNodeList> FindChildrenByAttr(std::string_view elementName,
                                               std::string_view attrName,
                                               const XmlValue& value) = 0;

  // ---- Attributes. A getter returns its default only when the attribute is absent; a present
  // value that does not convert raises the conversion error.
  virtual int GetAttributeCount() = 0;
  // index from 0 to count - 1; any other index raises the list index error.
  virtual int GetAttributeNameIndex(int index) = 0;
  virtual std::string GetAttributeName(int index) = 0;
  virtual void RemoveAttribute(std::string_view name) = 0;
  virtual void RemoveAttribute(int id) = 0;
  virtual void ClearAttributes() = 0;
  virtual bool HasAttribute(int id) = 0;
  virtual bool HasAttribute(std::string_view name) = 0;
  // The value's type code; 256 when absent.
  virtual int GetAttributeType(int id) = 0;
  virtual int GetAttributeType(std::string_view name) = 0;
  virtual XmlValue GetValueAttr(int id, const XmlValue& def) = 0;
  virtual XmlValue GetValueAttr(std::string_view name, const XmlValue& def) = 0;
  // The setters raise "no attribute name" for the empty name (id -1).
  virtual void SetValueAttr(int id, const XmlValue& value) = 0;
  virtual void SetValueAttr(std::string_view name, const XmlValue& value) = 0;
  // By id: a copy of the value; by name: its text as a byte-string value.
  virtual XmlValue RequireValueAttr(int id) = 0;
  virtual XmlValue RequireValueAttr(std::string_view name) = 0;
  virtual std::string RequireTextAttr(int id) = 0;
  virtual std::string RequireTextAttr(std::string_view name) = 0;
  virtual std::string GetTextAttr(int id, std::string_view def) = 0;
  virtual std::string GetTextAttr(std::string_view name, std::string_view def) = 0;
  virtual void SetTextAttr(int id, std::string_view text) = 0;
  virtual void SetTextAttr(std::string_view name, std::string_view text) = 0;
  virtual bool GetBoolAttr(int id, bool def) = 0;
  virtual bool GetBoolAttr(std::string_view name, bool def) = 0;
  virtual void SetBoolAttr(int id, bool value) = 0;
  virtual void SetBoolAttr(std::string_view name, bool value) = 0;
  virtual int GetIntAttr(int id, int def) = 0;
  virtual int GetIntAttr(std::string_view name, int def) = 0;
  virtual void SetIntAttr(int id, int value) = 0;
  virtual void SetIntAttr(std::string_view name, int value) = 0;
  virtual TXmlDateTime GetDateAttr(int id, TXmlDateTime def) = 0;
  virtual TXmlDateTime GetDateAttr(std::string_view name, TXmlDateTime def) = 0;
  virtual void SetDateAttr(int id, TXmlDateTime value) = 0;
  virtual void SetDateAttr(std::string_view name, TXmlDateTime value) = 0;
  virtual double GetDoubleAttr(int id, double def) = 0;
  virtual double GetDoubleAttr(std::string_view name, double def) = 0;
  virtual double RequireDoubleAttr(int id) = 0;
  virtual double RequireDoubleAttr(std::string_view name) = 0;
  virtual void SetDoubleAttr(int id, double value) = 0;
  virtual void SetDoubleAttr(std::string_view name, double value) = 0;
  virtual int GetHexNumberAttr(std::string_view name, int def) = 0;
  virtual int GetHexNumberAttr(int id, int def) = 0;
  // Upper-case hexadecimal, zero-padded to at least digits characters (none above 32).
  virtual void SetHexNumberAttr(std::string_view name, int value, int digits) = 0;
  virtual void SetHexNumberAttr(int id, int value, int digits) = 0;
  // The index of the value among the words (letter case ignored); a value that is none of them
  // raises the word-list error.
  virtual int GetChoiceAttr(std::string_view name, const std::vector<std::string>& values,
                            int def) = 0;
  virtual int GetChoiceAttr(int id, const std::vector<std::string>& values, int def) = 0;
  virtual int RequireChoiceAttr(std::string_view name, const std::vector<std::string>& values) = 0;
  virtual int RequireChoiceAttr(int id, const std::vector<std::string>& values) = 0;

  // ---- Text stored as CDATA or Base64.
  // Replaces the text and CDATA children by CDATA sections holding the text.
  virtual void SetTextAsCDATA(std::string_view text) = 0;
  // Replaces the text and CDATA children by one text node holding the Base64 of the bytes,
  // broken into lines of maxLineLength characters (none when below 1).
  virtual void SetTextAsBase64(const void* data, int size, int maxLineLength) = 0;
  virtual std::string GetTextFromBase64() = 0;
  // The texts of the direct text and CDATA children, joined without separator.
  virtual std::string GetDirectText() = 0;

  // ---- Value paths: "" the node itself, "@name" an attribute, "name" the first child element.
  virtual XmlValue GetPathValue(std::string_view path) = 0;
  virtual void SetPathValue(std::string_view path, const XmlValue& value) = 0;

  // ---- The node through its kind's interface, or none when it is of another kind.
  virtual Ref<IXmlElement> ToElement() = 0;
  virtual Ref<IXmlText> ToText() = 0;
  virtual Ref<IXmlCDATASection> ToCDATASection() = 0;
  virtual Ref<IXmlComment> ToComment() = 0;
  virtual Ref<IXmlProcessingInstruction> ToInstruction() = 0;

  // The library's own node behind the interface: operations that take a node as argument work
  // on it. Null for any other implementation, which such operations refuse with "Invalid class
  // typecast".
  virtual TXmlNode* ImplementingNode() noexcept = 0;

 protected:
  IXmlNode() = default;
  ~IXmlNode() = default;
};

// The interfaces of the node kinds: the operations of IXmlNode, and the kind they mark (ToElement
// and the other To operations give a node through its kind's interface).
class IXmlElement : public IXmlNode {
 protected:
  ~IXmlElement() = default;
};
class IXmlText : public IXmlNode {
 protected:
  ~IXmlText() = default;
};
// CDATA sections and comments: nodes whose content is a plain byte string.
class IXmlCharacterData : public IXmlNode {
 protected:
  ~IXmlCharacterData() = default;
};
class IXmlCDATASection : public IXmlCharacterData {
 protected:
  ~IXmlCDATASection() = default;
};
class IXmlComment : public IXmlCharacterData {
 protected:
  ~IXmlComment() = default;
};
class IXmlProcessingInstruction : public IXmlNode {
 protected:
  ~IXmlProcessingInstruction() = default;
};

}  // namespace xmldom
