#pragma once

// TXmlNode: the data and the shared behaviour of every node class. A node links its child list
// (made on first use) and uses its name table, which its store keeps alive (the loose store's
// nodes each hold theirs); its link to its parent is a plain back-link. So a node lives while
// some list or outside holder references it, and a whole tree lives while its root does. Where
// the memory of nodes comes from and how a whole tree may go at once: XmlNodeStore.h.
//
// The children are kept in one of two forms, an only child or a list (XmlChildSlot.h); the
// node's own child surface is the view of them (Children) and the list (GetChildList). The
// readers fill the slot through TXmlTreeBuilder (XmlTreeBuilder.h).
//
// Destroying a node never recurses with the depth of its tree: nodes whose count drops to zero
// while another node is being destroyed wait in a queue and are destroyed one after another.

#include <cassert>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "XmlDom/IXmlNode.h"
#include "XmlDom/XmlAttributes.h"
#include "XmlDom/XmlChildSlot.h"
#include "XmlDom/XmlNameTable.h"
#include "XmlDom/XmlNodeList.h"

namespace xmldom {

class TStringBuilder;
class TXmlDocument;

// Used for nodes that belong to no document: CDATA and comment texts are trimmed and elements
// are written in the indented layout.
inline constexpr bool DefaultKeepWhitespace = false;

class TXmlNode : public IXmlNode {
 public:
  TXmlNode* AsXmlNode() noexcept final { return this; }

  // ---- IXmlNode, shared by all node classes (the kind classes override some).
  int SourceLine() final { return sourceLine_; }
  int SourcePos() final { return sourcePos_; }
  Ref<IXmlNameTable> NodeNameTable() final;
  std::string GetNodeName() final;
  int GetValueType() override { return xvtString; }
  XmlValue GetNodeValue() override { return XmlValue::FromString(GetText()); }
  void SetNodeValue(const XmlValue& value) override;
  std::string GetXML() final;
  Ref<IXmlNode> CloneNode(bool deep) final;
  Ref<IXmlNode> GetParentNode() final;
  Ref<IXmlDocument> GetOwnerDocument() final;
  Ref<IXmlNode> GetNextSibling() final;
  Ref<IXmlNodeList> GetChildNodes() final;
  void AppendChild(IXmlNode* child) final;
  void InsertBefore(IXmlNode* child, IXmlNode* before) final;
  void ReplaceChild(IXmlNode* newChild, IXmlNode* oldChild) final;
  int RemoveChild(IXmlNode* child) final;
  Ref<IXmlElement> AddChildElement(int id) final;
  Ref<IXmlElement> AddChildElement(std::string_view name) final;
  Ref<IXmlText> AddChildText(std::string_view text) final;
  Ref<IXmlCDATASection> AddChildCDATA(std::string_view text) final;
  Ref<IXmlComment> AddChildComment(std::string_view text) final;
  Ref<IXmlProcessingInstruction> AddChildInstruction(int id, std::string_view data) final;
  Ref<IXmlProcessingInstruction> AddChildInstruction(std::string_view name,
                                                     std::string_view data) final;

  // Child lookup and selection (XmlChildLookup.cpp, XmlSelection.cpp): direct children only.
  std::string GetNamedChildText(std::string_view name, std::string_view def) final;
  std::string GetNamedChildText(int id, std::string_view def) final;
  void SetNamedChildText(std::string_view name, std::string_view text) final;
  void SetNamedChildText(int id, std::string_view text) final;
  Ref<IXmlNode> RequireChild(int id) final;
  Ref<IXmlNode> RequireChild(std::string_view name) final;
  Ref<IXmlNode> GetOrAddChild(int id) final;
  Ref<IXmlNode> GetOrAddChild(std::string_view name) final;
  void ClearChildren() override;
  Ref<IXmlNodeList> SelectNodes(std::string_view expression) final;
  Ref<IXmlNodeList> SelectNodes(int id) final;
  Ref<IXmlNode> SelectSingleNode(std::string_view expression) final;
  // The name id a selection expression stands for: raises the "not supported" error unless it
  // is a plain element name, and interns it.
  int SelectionNameId(std::string_view expression);
  Ref<IXmlElement> FindChildByAttr(std::string_view elementName, std::string_view attrName,
                                   const XmlValue& value) final;
  Ref<IXmlNodeList> FindChildrenByAttr(std::string_view elementName, std::string_view attrName,
                                       const XmlValue& value) final;
  XmlValue GetPathValue(std::string_view path) final;
  void SetPathValue(std::string_view path, const XmlValue& value) final;

  // Attributes (XmlNodeAttributes.cpp).
  int GetAttributeCount() final { return attributes_.Count(); }
  int GetAttributeNameIndex(int index) final;
  std::string GetAttributeName(int index) final;
  void RemoveAttribute(std::string_view name) final;
  void RemoveAttribute(int id) final;
  void ClearAttributes() final { attributes_.Clear(Store()); }
  bool HasAttribute(int id) final { return attributes_.Find(id) != nullptr; }
  bool HasAttribute(std::string_view name) final;
  int GetAttributeType(int id) final;
  int GetAttributeType(std::string_view name) final;
  XmlValue GetValueAttr(int id, const XmlValue& def) final;
  XmlValue GetValueAttr(std::string_view name, const XmlValue& def) final;
  void SetValueAttr(int id, const XmlValue& value) final;
  void SetValueAttr(std::string_view name, const XmlValue& value) final;
  XmlValue RequireValueAttr(int id) final;
  XmlValue RequireValueAttr(std::string_view name) final;
  std::string RequireTextAttr(int id) final;
  std::string RequireTextAttr(std::string_view name) final;
  std::string GetTextAttr(int id, std::string_view def) final;
  std::string GetTextAttr(std::string_view name, std::string_view def) final;
  void SetTextAttr(int id, std::string_view text) final;
  void SetTextAttr(std::string_view name, std::string_view text) final;
  bool GetBoolAttr(int id, bool def) final;
  bool GetBoolAttr(std::string_view name, bool def) final;
  void SetBoolAttr(int id, bool value) final;
  void SetBoolAttr(std::string_view name, bool value) final;
  int GetIntAttr(int id, int def) final;
  int GetIntAttr(std::string_view name, int def) final;
  void SetIntAttr(int id, int value) final;
  void SetIntAttr(std::string_view name, int value) final;
  TXmlDateTime GetDateAttr(int id, TXmlDateTime def) final;
  TXmlDateTime GetDateAttr(std::string_view name, TXmlDateTime def) final;
  void SetDateAttr(int id, TXmlDateTime value) final;
  void SetDateAttr(std::string_view name, TXmlDateTime value) final;
  double GetDoubleAttr(int id, double def) final;
  double GetDoubleAttr(std::string_view name, double def) final;
  double RequireDoubleAttr(int id) final;
  double RequireDoubleAttr(std::string_view name) final;
  void SetDoubleAttr(int id, double value) final;
  void SetDoubleAttr(std::string_view name, double value) final;
  int GetHexNumberAttr(std::string_view name, int def) final;
  int GetHexNumberAttr(int id, int def) final;
  void SetHexNumberAttr(std::string_view name, int value, int digits) final;
  void SetHexNumberAttr(int id, int value, int digits) final;
  int GetChoiceAttr(std::string_view name, const std::vector<std::string>& values, int def) final;
  int GetChoiceAttr(int id, const std::vector<std::string>& values, int def) final;
  int RequireChoiceAttr(std::string_view name, const std::vector<std::string>& values) final;
  int RequireChoiceAttr(int id, const std::vector<std::string>& values) final;

  // Text stored as CDATA or Base64 (XmlNodeTextStorage.cpp).
  void SetTextAsCDATA(std::string_view text) final;
  void SetTextAsBase64(const void* data, int size, int maxLineLength) final;
  std::string GetTextFromBase64() final;
  std::string GetDirectText() final;

  // None; each kind class answers its own.
  Ref<IXmlElement> ToElement() override;
  Ref<IXmlText> ToText() override;
  Ref<IXmlCDATASection> ToCDATASection() override;
  Ref<IXmlComment> ToComment() override;
  Ref<IXmlProcessingInstruction> ToInstruction() override;

  // ---- The library's own operations on nodes.
  // The child list, made on first use (an element first turns a held value into a text child).
  virtual TXmlNodeList& GetChildList();
  // Stores a new name id (elements and processing instructions; the others have fixed names).
  virtual void SetNodeNameIndex(int /*id*/) {}
  // Appends this node's XML text.
  virtual void WriteXml(TStringBuilder& out) = 0;

  // The store the node's children are made in: its own (a document's is its content's).
  virtual TXmlNodeStore& ChildStore() { return Store(); }

  // The children as they are; reading them never makes the list, nor turns an element's value
  // into a child.
  TXmlChildren Children() const noexcept { return children_.View(); }
  bool HasChildItems() const noexcept { return Children().Count() > 0; }
  // The children as GetChildNodes lists them, counted and taken without making the list: the
  // children as they are, or else the text child that an element's held value turns into.
  // Taking that one turns the value into it; nothing else changes the node.
  int ListedChildCount() {
    const int count = Children().Count();
    return count != 0 ? count : HeldValueChildCount();
  }
  TXmlNode& ListedChild(int index);
  // The child list if the node has children in either form (it is made now for an only child),
  // or null; never turns an element's value into a child.
  TXmlNodeList* ExistingChildList();
  TXmlNode* Parent() const noexcept { return parent_; }
  void SetParent(TXmlNode* parent) noexcept { parent_ = parent; }
  TXmlNameTable& NameTable() const noexcept { return *nameTable_; }
  TXmlAttrArray& Attributes() noexcept { return attributes_; }
  // Sets a value or appends an attribute with the value placed in the node's store.
  void SetAttribute(int id, const XmlValue& value) { attributes_.Set(Store(), id, value); }
  const TXmlAttrArray& Attributes() const noexcept { return attributes_; }
  void SetSourcePosition(int line, int pos) noexcept {
    sourceLine_ = line;
    sourcePos_ = pos;
  }
  // The first document on the parent chain, starting with this node; null when none.
  TXmlDocument* OwnerDocument() noexcept;
  // The owning document's KeepWhitespace, or DefaultKeepWhitespace.
  bool KeepsWhitespace() noexcept;
  // Moves this node and its subtree onto table (the ids of every name are interned there).
  void AdoptNameTable(TXmlNameTable& table);
  // The children that reaching them would make of a held value: 1 for an element whose value
  // has a text, else 0.
  virtual int HeldValueChildCount() { return 0; }
  // What reaching the children does to a held value: elements turn it into a text child.
  // Readers that fill a fresh child list drop it (the text child would be cleared anyway).
  virtual void DropValueForChildren() noexcept {}
  // Inserts child into the own child list at index (-1 appends), after the ownership check.
  void InsertChild(TXmlNode& child, int index);

  // Node objects alive in the process; tests use it to prove that nothing leaks.
  static long LiveCount() noexcept;

  // Names the store a reader makes nodes in, which keeps the reader's name table already.
  struct TInKeepingStore {
    TXmlNodeStore& Store;
  };

 protected:
  TXmlNode(TXmlNameTable& table, int nameId) : nameId_(nameId) {
    TXmlNodeStore& store = Store();
    if (store.KeepsTables()) {
      store.KeepTable(table);
      nameTable_ = &table;
    } else {
      UseTable(table);
    }
    store.NodeMade();
  }
  // The same for the readers, which make their nodes in a store that keeps table already
  // (TXmlNodeStore::KeepTable) and know it.
  TXmlNode(TXmlNameTable& table, int nameId, TInKeepingStore in) noexcept
      : nameId_(nameId), nameTable_(&table) {
    assert(&in.Store == &Store() && in.Store.KeepsTables());
    in.Store.NodeMade();
  }
  ~TXmlNode() override;

  // The name id that elements and processing instructions carry.
  int NameIdField() const noexcept { return nameId_; }
  void SetNameIdField(int id) noexcept { nameId_ = id; }

  // A copy of this node alone (no children) on the same table, placed in store, as CloneNode
  // defines it for the kind.
  virtual Ref<TXmlNode> CloneSelf(TXmlNodeStore& store) = 0;
  // Whether a deep clone copies the children (elements and documents).
  virtual bool CloneCopiesChildren() const noexcept { return false; }
  // Texts of element, text and CDATA children and their descendants, non-empty ones joined by
  // one space (GetText of elements and documents).
  std::string JoinedChildText();
  // Raises the list index error unless id is -1 (the empty name) or an id of the node's table.
  void CheckNameId(int id) const;
  // Binds the node alone (not its subtree) to another table (binary XML gives the document a
  // fresh table before reading into it).
  void ReplaceNameTable(TXmlNameTable& table);
  // Removes the text and CDATA children from the existing list, last to first.
  void RemoveTextChildren();
  // The child list if it has been made, or null (null too for an only child).
  TXmlNodeList* MadeChildList() const noexcept { return children_.MadeList(); }
  // Lets go of the children: a list held elsewhere lives on without its owner.
  void ReleaseChildList() noexcept { children_.Release(*this); }
  // Forgets a child list that went with its store, unvisited.
  void ForgetChildList() noexcept { children_.Forget(); }

 private:
  void Destroy() const noexcept override;
  int AttributeId(std::string_view name) { return nameTable_->InternName(name); }
  // The value of the attribute, or null when absent.
  const XmlValue* FindAttribute(int id) const noexcept;
  // The value of the attribute; raises "attribute not set" naming it when absent.
  const XmlValue& RequiredAttribute(int id) const;
  const XmlValue& RequiredAttribute(std::string_view name);
  int ChoiceIndex(int id, const XmlValue& value, const std::vector<std::string>& words);

  // The readers fill the child slot of the nodes they make.
  friend class TXmlTreeBuilder;

  // Binds the node to table: kept by the store, or held by the node itself in the loose store.
  void UseTable(TXmlNameTable& table);
  void DropTable() noexcept;

  int nameId_;
  int sourceLine_ = 0;
  int sourcePos_ = 0;
  TXmlNode* parent_ = nullptr;
  TXmlNameTable* nameTable_ = nullptr;
  TXmlAttrArray attributes_;
  TXmlChildSlot children_;
};

// A list links the items of its own store; an item of another store is held, and the link
// that leaves this store is counted, so that neither store goes at once from under the other
// (a document's held list may stay in the store of an earlier load).
inline void TXmlNodeList::LinkItem(TXmlNode* node) noexcept {
  TXmlNodeStore& store = Store();
  if (&node->Store() == &store) {
    node->AddLink();
  } else {
    node->AddRef();
    store.LinkLeft();
  }
}

inline void TXmlNodeList::AppendMadeTo(TXmlNode& owner, TXmlNode* node) noexcept {
  assert(owner_ == &owner && count_ < capacity_);
  assert(&node->Store() == &Store());
  items_[count_++] = node;
  node->AddLink();
  node->SetParent(&owner);
}

}  // namespace xmldom
