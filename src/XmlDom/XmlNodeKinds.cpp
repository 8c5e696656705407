// What the shared part of a node does its kind's way: it finds the kind's class from the kind
// it keeps, and calls that class's own form (each kind class declares it; the shared part's
// name would be found, and would call itself, if it did not).

#include <type_traits>

#include "XmlDom/XmlCharacterData.h"
#include "XmlDom/XmlDocument.h"
#include "XmlDom/XmlElement.h"
#include "XmlDom/XmlNode.h"
#include "XmlDom/XmlProcessingInstruction.h"
#include "XmlDom/XmlText.h"

namespace xmldom {

namespace {

// Calls visit with the node as its kind's class.
template <class Visit>
decltype(auto) WithKind(TXmlNode& node, Visit&& visit) {
  switch (node.Kind()) {
    case TXmlKind::Element:
      return visit(static_cast<TXmlElement&>(node));
    case TXmlKind::Text:
      return visit(static_cast<TXmlText&>(node));
    case TXmlKind::CDataSection:
      return visit(static_cast<TXmlCDATASection&>(node));
    case TXmlKind::Comment:
      return visit(static_cast<TXmlComment&>(node));
    case TXmlKind::Instruction:
      return visit(static_cast<TXmlProcessingInstruction&>(node));
    case TXmlKind::Document:
      break;
  }
  return visit(static_cast<TXmlDocument&>(node));
}

// Each kind class declares these itself.
template <class Kind>
constexpr bool kDeclaresOwnForms =
    !std::is_same_v<decltype(&Kind::WriteXml), decltype(&TXmlNode::WriteXml)> &&
    !std::is_same_v<decltype(&Kind::CloneSelf), decltype(&TXmlNode::CloneSelf)>;
static_assert(kDeclaresOwnForms<TXmlElement> && kDeclaresOwnForms<TXmlText> &&
              kDeclaresOwnForms<TXmlCDATASection> && kDeclaresOwnForms<TXmlComment> &&
              kDeclaresOwnForms<TXmlProcessingInstruction> && kDeclaresOwnForms<TXmlDocument>);

// The interface's vtable pointer is a node's only one, and the shared part fills the rest
// without a gap: an element, the commonest node, takes 64 bytes on 64-bit builds and 40 on
// 32-bit ones.
static_assert(sizeof(TXmlElement) == (sizeof(void*) == 8 ? 64 : 40));
static_assert(sizeof(TXmlText) == (sizeof(void*) == 8 ? 72 : 56));

constexpr TXmlNodeType kNodeTypes[] = {
    kElementNode, kTextNode, kCDataSectionNode, kCommentNode, kProcessingInstructionNode,
    kDocumentNode};

}  // namespace

IXmlNode& TXmlNode::Self() noexcept {
  return WithKind(*this, [](auto& node) -> IXmlNode& { return node; });
}

TXmlNodeType TXmlNode::GetNodeType() const noexcept {
  return kNodeTypes[std::size_t(Kind())];
}

void TXmlNode::WriteXml(TStringBuilder& out) {
  WithKind(*this, [&](auto& node) { node.WriteXml(out); });
}

Ref<TXmlNode> TXmlNode::CloneSelf(TXmlNodeStore& store) {
  return WithKind(*this, [&](auto& node) { return node.CloneSelf(store); });
}

void TXmlNode::DestroyComplete() noexcept {
  TXmlNodeStore& store = Store();
  WithKind(*this, [&](auto& node) { store.Destroy(&node); });
}

TXmlNodeList& TXmlNode::GetChildList() {
  if (Kind() == TXmlKind::Element) return static_cast<TXmlElement&>(*this).GetChildList();
  return MadeOrNewChildList();
}

TXmlNodeStore& TXmlNode::ChildStore() {
  if (Kind() == TXmlKind::Document) return static_cast<TXmlDocument&>(*this).ChildStore();
  return Store();
}

int TXmlNode::HeldValueChildCount() {
  if (Kind() == TXmlKind::Element) return static_cast<TXmlElement&>(*this).HeldValueChildCount();
  return 0;
}

void TXmlNode::DropValueForChildren() noexcept {
  if (Kind() == TXmlKind::Element) static_cast<TXmlElement&>(*this).DropValueForChildren();
}

void TXmlNode::SetNodeNameIndex(int id) noexcept {
  if (Kind() == TXmlKind::Element || Kind() == TXmlKind::Instruction) nameId_ = id;
}

}  // namespace xmldom
