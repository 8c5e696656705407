#include "XmlDom/XmlNode.h"

#include <unordered_map>
#include <utility>
#include <vector>

#include "XmlDom/StringBuilder.h"
#include "XmlDom/XmlCharacterData.h"
#include "XmlDom/XmlConvert.h"
#include "XmlDom/XmlDocument.h"
#include "XmlDom/XmlElement.h"
#include "XmlDom/XmlErrors.h"
#include "XmlDom/XmlProcessingInstruction.h"
#include "XmlDom/XmlText.h"
#include "XmlDom/XmlTreeWalk.h"
#include "common/Error.h"
#include "common/Messages.h"

namespace xmldom {

namespace {

// The nested joins flatten: every non-empty piece of the subtree, in order, one space apart.
void AppendTextPiece(std::string& text, const std::string& piece) {
  if (piece.empty()) return;
  if (!text.empty()) text += ' ';
  text += piece;
}

}  // namespace

TXmlNode& NodeOf(IXmlNode* node) {
  if (node)
    if (TXmlNode* xmlNode = node->ImplementingNode()) return *xmlNode;
  throw EXmlError(msg::kInvalidTypecast);
}

// ---- Life cycle.

TXmlNode::~TXmlNode() {
  TXmlNodeStore& store = Store();
  ReleaseChildList();
  attributes_.Release(store);
  DropTable();
  store.NodeGone();
}

void TXmlNode::UseTable(TXmlNameTable& table) {
  TXmlNodeStore& store = Store();
  if (store.KeepsTables()) {
    store.KeepTable(table);
  } else {
    table.AddRef();
    DropTable();
  }
  SetTableField(table, Kind());
}

void TXmlNode::DropTable() noexcept {
  TXmlNameTable* table = TableOrNull();
  if (table && !Store().KeepsTables()) table->Release();
  tableAndKind_ &= kKindMask;
}

void TXmlNode::Destroy() const noexcept {
  auto* node = const_cast<TXmlNode*>(this);
  TXmlDestroyQueue& queue = TXmlContext::Module().DestroyQueue();
  node->parent_ = queue.First;
  queue.First = node;
  if (queue.Running) return;
  // Destroying a node releases its children, whose destruction would release theirs: run
  // them one after another here instead, so that the depth of a tree never becomes the depth
  // of the call stack.
  queue.Running = true;
  while (TXmlNode* next = queue.First) {
    queue.First = next->parent_;
    next->DestroyComplete();
  }
  queue.Running = false;
}

long TXmlNode::LiveCount() noexcept {
  return TXmlNodeStore::LiveNodes();
}

void TXmlNode::ReplaceNameTable(TXmlNameTable& table) {
  UseTable(table);
}

// ---- Identity and content.

Ref<IXmlNameTable> TXmlNode::NodeNameTable() {
  return Ref<IXmlNameTable>::Retain(&NameTable());
}

std::string TXmlNode::GetNodeName() {
  return std::string(NameTable().NameView(GetNodeNameIndex()));
}

void TXmlNode::SetNodeValueAsText(const XmlValue& value) {
  SetText(XmlValueToGeneralText(value));
}

std::string TXmlNode::GetXML() {
  TStringBuilder out;
  WriteXml(out);
  return out.GetText();
}

void TXmlNode::CheckNameId(int id) const {
  if (id < -1 || id >= NameTable().NameCount()) RaiseListIndexError();
}

std::string TXmlNode::JoinedChildText() {
  // Elements with children are entered, the texts of the others are taken.
  struct TJoin {
    std::string Text;
    bool Enter(TXmlNode& node, std::size_t depth) {
      switch (node.GetNodeType()) {
        case kElementNode:
          if (depth == 0 || node.HasChildItems()) return true;
          [[fallthrough]];
        case kTextNode:
        case kCDataSectionNode:
          if (depth != 0) AppendTextPiece(Text, node.GetText());
          return false;
        case kDocumentNode:
          return depth == 0;
        case kProcessingInstructionNode:
        case kCommentNode:
          break;
      }
      return false;
    }
    void Leave(TXmlNode&) noexcept {}
  } join;
  if (HasChildItems()) WalkXmlTree(*this, join);
  return std::move(join.Text);
}

// ---- Copies.

Ref<IXmlNode> TXmlNode::CloneNode(bool deep) {
  Ref<TXmlNode> root = CloneSelf(Store());
  if (!deep || !CloneCopiesChildren()) return root->Interface();
  // Each copy goes into the child list of the copy of its parent, the innermost open one.
  struct TCopy {
    std::vector<TXmlNode*> Open;
    bool Enter(TXmlNode& node, std::size_t depth) {
      if (depth != 0) {
        TXmlNode& parent = *Open.back();
        Ref<TXmlNode> copy = node.CloneSelf(parent.ChildStore());
        parent.GetChildList().AppendNode(copy.Get());
        if (!node.CloneCopiesChildren()) return false;
        Open.push_back(copy.Get());
      }
      return true;
    }
    void Leave(TXmlNode&) noexcept { Open.pop_back(); }
  } copy{{root.Get()}};
  WalkXmlTree(*this, copy);
  return root->Interface();
}

// ---- Navigation.

Ref<IXmlNode> TXmlNode::GetParentNode() {
  return InterfaceOf(parent_);
}

TXmlDocument* TXmlNode::OwnerDocument() noexcept {
  for (TXmlNode* node = this; node; node = node->parent_)
    if (node->GetNodeType() == kDocumentNode) return static_cast<TXmlDocument*>(node);
  return nullptr;
}

bool TXmlNode::KeepsWhitespace() noexcept {
  const TXmlDocument* document = OwnerDocument();
  return document ? document->KeepWhitespace() : DefaultKeepWhitespace;
}

Ref<IXmlDocument> TXmlNode::GetOwnerDocument() {
  return Ref<IXmlDocument>::Retain(OwnerDocument());
}

Ref<IXmlNode> TXmlNode::GetNextSibling() {
  if (!parent_) return nullptr;
  const TXmlChildren siblings = parent_->Children();
  const int index = siblings.IndexOf(this);
  if (index < 0 || index + 1 >= siblings.Count()) return nullptr;
  return siblings.Item(index + 1)->Interface();
}

// ---- Children.

TXmlNodeList& TXmlNode::MadeOrNewChildList() {
  if (TXmlNodeList* list = children_.MadeList()) return *list;
  return children_.MakeList(*this, ChildStore(), 0);
}

TXmlNodeList* TXmlNode::ExistingChildList() {
  return children_.Empty() ? nullptr : &GetChildList();
}

TXmlNode& TXmlNode::ListedChild(int index) {
  const TXmlChildren children = Children();
  return children.Count() != 0 ? *children.Item(index) : *GetChildList().Item(index);
}

Ref<IXmlNodeList> TXmlNode::GetChildNodes() {
  return Ref<IXmlNodeList>::Retain(&GetChildList());
}

void TXmlNode::InsertChild(TXmlNode& child, int index) {
  TXmlNodeList& children = GetChildList();
  children.CheckInsertable(child);
  children.InsertNode(&child, index);
}

void TXmlNode::AppendChild(IXmlNode* child) {
  InsertChild(NodeOf(child), -1);
}

void TXmlNode::InsertBefore(IXmlNode* child, IXmlNode* before) {
  TXmlNode& node = NodeOf(child);
  const TXmlNode* position = before ? &NodeOf(before) : nullptr;
  const int index = position ? GetChildList().IndexOfNode(position) : -1;
  InsertChild(node, index);
}

void TXmlNode::ReplaceChild(IXmlNode* newChild, IXmlNode* oldChild) {
  TXmlNode& node = NodeOf(newChild);
  const TXmlNode& old = NodeOf(oldChild);
  TXmlNodeList& children = GetChildList();
  const int index = children.IndexOfNode(&old);
  if (index < 0 || &node == &old) return;
  children.CheckInsertable(node);
  children.ReplaceAt(index, &node);
}

int TXmlNode::RemoveChild(IXmlNode* child) {
  const TXmlNode& node = NodeOf(child);
  TXmlNodeList& children = GetChildList();
  const int index = children.IndexOfNode(&node);
  if (index >= 0) children.RemoveAt(index);
  return index;
}

void TXmlNode::ClearChildItems() {
  if (TXmlNodeList* children = ExistingChildList()) children->ClearItems();
}

Ref<IXmlElement> TXmlNode::AddChildElement(int id) {
  CheckNameId(id);
  auto element = ChildStore().Make<TXmlElement>(NameTable(), id);
  GetChildList().AppendNode(element.Get());
  return Ref<IXmlElement>(element);
}

Ref<IXmlElement> TXmlNode::AddChildElement(std::string_view name) {
  return AddChildElement(NameTable().InternName(name));
}

Ref<IXmlText> TXmlNode::AddChildText(std::string_view text) {
  auto node = ChildStore().Make<TXmlText>(NameTable(), XmlValue::FromString(text));
  GetChildList().AppendNode(node.Get());
  return Ref<IXmlText>(node);
}

Ref<IXmlCDATASection> TXmlNode::AddChildCDATA(std::string_view text) {
  auto node = ChildStore().Make<TXmlCDATASection>(NameTable(), text);
  GetChildList().AppendNode(node.Get());
  return Ref<IXmlCDATASection>(node);
}

Ref<IXmlComment> TXmlNode::AddChildComment(std::string_view text) {
  auto node = ChildStore().Make<TXmlComment>(NameTable(), text);
  GetChildList().AppendNode(node.Get());
  return Ref<IXmlComment>(node);
}

Ref<IXmlProcessingInstruction> TXmlNode::AddChildInstruction(int id, std::string_view data) {
  CheckNameId(id);
  auto node = ChildStore().Make<TXmlProcessingInstruction>(NameTable(), id, data);
  GetChildList().AppendNode(node.Get());
  return Ref<IXmlProcessingInstruction>(node);
}

Ref<IXmlProcessingInstruction> TXmlNode::AddChildInstruction(std::string_view name,
                                                             std::string_view data) {
  return AddChildInstruction(NameTable().InternName(name), data);
}

// ---- Name tables.

void TXmlNode::AdoptNameTable(TXmlNameTable& table) {
  // One map per old table, from its ids to the new table's; each covers every name of its
  // table and is built once. A node in two lists may have been moved to a third table
  // already, which then gets a map of its own.
  std::unordered_map<const TXmlNameTable*, std::vector<int>> maps;
  const auto mapFor = [&](const TXmlNameTable& old) -> const std::vector<int>& {
    auto [entry, added] = maps.try_emplace(&old);
    if (added) {
      entry->second.reserve(old.Names().size());
      for (const std::string& name : old.Names()) entry->second.push_back(table.InternName(name));
    }
    return entry->second;
  };
  // The last child first: the order in which other tables are met decides the ids their
  // names get here, so this walk keeps its own order rather than the document order of
  // WalkXmlTree. A node on the table already is left with its subtree.
  std::vector<TXmlNode*> pending{this};
  while (!pending.empty()) {
    TXmlNode* node = pending.back();
    pending.pop_back();
    if (&node->NameTable() == &table) continue;
    const std::vector<int>& map = mapFor(node->NameTable());
    const auto remap = [&map](int id) { return id < 0 ? id : map[id]; };
    node->SetNodeNameIndex(remap(node->GetNodeNameIndex()));
    node->attributes_.RenameAll(remap);
    node->UseTable(table);
    const TXmlChildren children = node->Children();
    pending.insert(pending.end(), children.begin(), children.end());
  }
}

}  // namespace xmldom
