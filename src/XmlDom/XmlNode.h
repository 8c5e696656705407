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
#include "XmlDom/XmlBase.h"
#include "XmlDom/XmlChildSlot.h"
#include "XmlDom/XmlNameTable.h"
#include "XmlDom/XmlNodeList.h"

namespace xmldom {

class TStringBuilder;
class TXmlDocument;

// Used for nodes that belong to no document: CDATA and comment texts are trimmed and elements
// are written in the indented layout.
inline constexpr bool DefaultKeepWhitespace = false;

// A node's kind, kept with its table pointer (tables are placed at granule-aligned addresses,
// so its low bits are free): the node reaches its kind's class, and through it its interface,
// from it.
enum class TXmlKind : std::uintptr_t {
  Element,
  Text,
  CDataSection,
  Comment,
  Instruction,
  Document
};

// The shared part of every node class: its data and the operations that do not depend on the
// kind. It has no vtable: each kind's class (TXmlNodeOn) puts its interface first and this
// part after it, and answers the interface's operations with these.
class TXmlNode : public TXmlBase<TXmlNode> {
 public:
  // ---- The node's kind and its interface.
  TXmlKind Kind() const noexcept { return TXmlKind(tableAndKind_ & kKindMask); }
  TXmlNodeType GetNodeType() const noexcept;
  // The node through its interface (the kind's class, seen as IXmlNode).
  IXmlNode& Self() noexcept;
  Ref<IXmlNode> Interface() noexcept { return Ref<IXmlNode>::Retain(&Self()); }
  // The same for a node that may be null.
  static Ref<IXmlNode> InterfaceOf(TXmlNode* node) noexcept {
    return node ? node->Interface() : Ref<IXmlNode>();
  }

  // ---- IXmlNode operations shared by all node classes.
  int SourceLine() const noexcept { return sourceLine_; }
  int SourcePos() const noexcept { return sourcePos_; }
  Ref<IXmlNameTable> NodeNameTable();
  std::string GetNodeName();
  int GetNodeNameIndex() const noexcept { return nameId_; }
  std::string GetXML();
  Ref<IXmlNode> CloneNode(bool deep);
  Ref<IXmlNode> GetParentNode();
  Ref<IXmlDocument> GetOwnerDocument();
  Ref<IXmlNode> GetNextSibling();
  Ref<IXmlNodeList> GetChildNodes();
  void AppendChild(IXmlNode* child);
  void InsertBefore(IXmlNode* child, IXmlNode* before);
  void ReplaceChild(IXmlNode* newChild, IXmlNode* oldChild);
  int RemoveChild(IXmlNode* child);
  Ref<IXmlElement> AddChildElement(int id);
  Ref<IXmlElement> AddChildElement(std::string_view name);
  Ref<IXmlText> AddChildText(std::string_view text);
  Ref<IXmlCDATASection> AddChildCDATA(std::string_view text);
  Ref<IXmlComment> AddChildComment(std::string_view text);
  Ref<IXmlProcessingInstruction> AddChildInstruction(int id, std::string_view data);
  Ref<IXmlProcessingInstruction> AddChildInstruction(std::string_view name, std::string_view data);

  // Child lookup and selection (XmlChildLookup.cpp, XmlSelection.cpp): direct children only.
  std::string GetNamedChildText(std::string_view name, std::string_view def);
  std::string GetNamedChildText(int id, std::string_view def);
  void SetNamedChildText(std::string_view name, std::string_view text);
  void SetNamedChildText(int id, std::string_view text);
  Ref<IXmlNode> RequireChild(int id);
  Ref<IXmlNode> RequireChild(std::string_view name);
  Ref<IXmlNode> GetOrAddChild(int id);
  Ref<IXmlNode> GetOrAddChild(std::string_view name);
  Ref<IXmlNodeList> SelectNodes(std::string_view expression);
  Ref<IXmlNodeList> SelectNodes(int id);
  Ref<IXmlNode> SelectSingleNode(std::string_view expression);
  // The name id a selection expression stands for: raises the "not supported" error unless it
  // is a plain element name, and interns it.
  int SelectionNameId(std::string_view expression);
  Ref<IXmlElement> FindChildByAttr(std::string_view elementName, std::string_view attrName,
                                   const XmlValue& value);
  Ref<IXmlNodeList> FindChildrenByAttr(std::string_view elementName, std::string_view attrName,
                                       const XmlValue& value);
  XmlValue GetPathValue(std::string_view path);
  void SetPathValue(std::string_view path, const XmlValue& value);

  // Attributes (XmlNodeAttributes.cpp).
  int GetAttributeCount() const noexcept { return attributes_.Count(); }
  int GetAttributeNameIndex(int index);
  std::string GetAttributeName(int index);
  void RemoveAttribute(std::string_view name);
  void RemoveAttribute(int id);
  void ClearAttributes() { attributes_.Clear(Store()); }
  bool HasAttribute(int id) const noexcept { return attributes_.Find(id) != nullptr; }
  bool HasAttribute(std::string_view name);
  int GetAttributeType(int id);
  int GetAttributeType(std::string_view name);
  XmlValue GetValueAttr(int id, const XmlValue& def);
  XmlValue GetValueAttr(std::string_view name, const XmlValue& def);
  void SetValueAttr(int id, const XmlValue& value);
  void SetValueAttr(std::string_view name, const XmlValue& value);
  XmlValue RequireValueAttr(int id);
  XmlValue RequireValueAttr(std::string_view name);
  std::string RequireTextAttr(int id);
  std::string RequireTextAttr(std::string_view name);
  std::string GetTextAttr(int id, std::string_view def);
  std::string GetTextAttr(std::string_view name, std::string_view def);
  void SetTextAttr(int id, std::string_view text);
  void SetTextAttr(std::string_view name, std::string_view text);
  bool GetBoolAttr(int id, bool def);
  bool GetBoolAttr(std::string_view name, bool def);
  void SetBoolAttr(int id, bool value);
  void SetBoolAttr(std::string_view name, bool value);
  int GetIntAttr(int id, int def);
  int GetIntAttr(std::string_view name, int def);
  void SetIntAttr(int id, int value);
  void SetIntAttr(std::string_view name, int value);
  TXmlDateTime GetDateAttr(int id, TXmlDateTime def);
  TXmlDateTime GetDateAttr(std::string_view name, TXmlDateTime def);
  void SetDateAttr(int id, TXmlDateTime value);
  void SetDateAttr(std::string_view name, TXmlDateTime value);
  double GetDoubleAttr(int id, double def);
  double GetDoubleAttr(std::string_view name, double def);
  double RequireDoubleAttr(int id);
  double RequireDoubleAttr(std::string_view name);
  void SetDoubleAttr(int id, double value);
  void SetDoubleAttr(std::string_view name, double value);
  int GetHexNumberAttr(std::string_view name, int def);
  int GetHexNumberAttr(int id, int def);
  void SetHexNumberAttr(std::string_view name, int value, int digits);
  void SetHexNumberAttr(int id, int value, int digits);
  int GetChoiceAttr(std::string_view name, const std::vector<std::string>& values, int def);
  int GetChoiceAttr(int id, const std::vector<std::string>& values, int def);
  int RequireChoiceAttr(std::string_view name, const std::vector<std::string>& values);
  int RequireChoiceAttr(int id, const std::vector<std::string>& values);

  // Text stored as CDATA or Base64 (XmlNodeTextStorage.cpp).
  void SetTextAsCDATA(std::string_view text);
  void SetTextAsBase64(const void* data, int size, int maxLineLength);
  std::string GetTextFromBase64();
  std::string GetDirectText();

  // ---- What each kind answers its own way, reached through the kind (XmlNodeKinds.cpp).
  std::string GetText() { return Self().GetText(); }
  void SetText(std::string_view text) { Self().SetText(text); }
  int GetValueType() { return Self().GetValueType(); }
  XmlValue GetNodeValue() { return Self().GetNodeValue(); }
  void SetNodeValue(const XmlValue& value) { Self().SetNodeValue(value); }
  void ClearChildren() { Self().ClearChildren(); }
  // The child list, made on first use (an element first turns a held value into a text child).
  TXmlNodeList& GetChildList();
  // Stores a new name id (elements and processing instructions; the others have fixed names).
  void SetNodeNameIndex(int id) noexcept;
  // Appends this node's XML text.
  void WriteXml(TStringBuilder& out);
  // The store the node's children are made in: its own (a document's is its content's).
  TXmlNodeStore& ChildStore();
  // The children that reaching them would make of a held value: 1 for an element whose value
  // has a text, else 0.
  int HeldValueChildCount();
  // What reaching the children does to a held value: elements turn it into a text child.
  // Readers that fill a fresh child list drop it (the text child would be cleared anyway).
  void DropValueForChildren() noexcept;
  // A copy of this node alone (no children) on the same table, placed in store, as CloneNode
  // defines it for the kind.
  Ref<TXmlNode> CloneSelf(TXmlNodeStore& store);
  // Whether a deep clone copies the children (elements and documents).
  bool CloneCopiesChildren() const noexcept {
    return Kind() == TXmlKind::Element || Kind() == TXmlKind::Document;
  }

  // ---- The library's own operations on nodes.
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
  TXmlNameTable& NameTable() const noexcept {
    return *reinterpret_cast<TXmlNameTable*>(tableAndKind_ & ~kKindMask);
  }
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
  // Inserts child into the own child list at index (-1 appends), after the ownership check.
  void InsertChild(TXmlNode& child, int index);

  // Node objects alive in the process; tests use it to prove that nothing leaks.
  static long LiveCount() noexcept;

  // Names the store a reader makes nodes in, which keeps the reader's name table already.
  struct TInKeepingStore {
    TXmlNodeStore& Store;
  };

 protected:
  TXmlNode(TXmlKind kind, TXmlNameTable& table, int nameId) : nameId_(nameId) {
    TXmlNodeStore& store = Store();
    if (store.KeepsTables()) {
      store.KeepTable(table);
      SetTableField(table, kind);
    } else {
      tableAndKind_ = std::uintptr_t(kind);
      UseTable(table);
    }
    store.NodeMade();
  }
  // The same for the readers, which make their nodes in a store that keeps table already
  // (TXmlNodeStore::KeepTable) and know it, and count the nodes they make themselves
  // (TXmlReadNodes).
  TXmlNode(TXmlKind kind, TXmlNameTable& table, int nameId, TInKeepingStore in) noexcept
      : nameId_(nameId) {
    assert(&in.Store == &Store() && in.Store.KeepsTables());
    (void)in;
    SetTableField(table, kind);
  }
  ~TXmlNode();

  // The name id that elements and processing instructions carry.
  int NameIdField() const noexcept { return nameId_; }
  void SetNameIdField(int id) noexcept { nameId_ = id; }

  // The shared forms of what some kinds answer their own way.
  void SetNodeValueAsText(const XmlValue& value);
  void ClearChildItems();
  TXmlNodeList& MadeOrNewChildList();
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
  static constexpr std::uintptr_t kKindMask = 7;

  // At zero: the node waits in the destroy queue, and its kind's class ends it.
  friend class TRefCount<TXmlNode>;
  void Destroy() const noexcept;
  void DestroyComplete() noexcept;

  int AttributeId(std::string_view name) { return NameTable().InternName(name); }
  // The value of the attribute, or null when absent.
  const XmlValue* FindAttribute(int id) const noexcept;
  // The value of the attribute; raises "attribute not set" naming it when absent.
  const XmlValue& RequiredAttribute(int id) const;
  const XmlValue& RequiredAttribute(std::string_view name);
  int ChoiceIndex(int id, const XmlValue& value, const std::vector<std::string>& words);

  // The readers fill the child slot of the nodes they make.
  friend class TXmlTreeBuilder;

  void SetTableField(TXmlNameTable& table, TXmlKind kind) noexcept {
    assert((reinterpret_cast<std::uintptr_t>(&table) & kKindMask) == 0);
    tableAndKind_ = reinterpret_cast<std::uintptr_t>(&table) | std::uintptr_t(kind);
  }
  TXmlNameTable* TableOrNull() const noexcept {
    return reinterpret_cast<TXmlNameTable*>(tableAndKind_ & ~kKindMask);
  }
  // Binds the node to table: kept by the store, or held by the node itself in the loose store.
  void UseTable(TXmlNameTable& table);
  void DropTable() noexcept;

  int nameId_;
  int sourceLine_ = 0;
  int sourcePos_ = 0;
  TXmlNode* parent_ = nullptr;
  std::uintptr_t tableAndKind_ = 0;
  TXmlAttrArray attributes_;
  TXmlChildSlot children_;
};

// The node object behind an interface; raises "Invalid class typecast" for none and for objects
// that are not nodes of this library.
TXmlNode& NodeOf(IXmlNode* node);

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
