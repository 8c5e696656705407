#include "XmlDom/XmlDocument.h"

#include <utility>

#include "XmlDom/XmlCharacterData.h"
#include "XmlDom/XmlElement.h"
#include "XmlDom/XmlProcessingInstruction.h"
#include "XmlDom/XmlSerializer.h"
#include "XmlDom/XmlText.h"
#include "common/Error.h"
#include "common/Messages.h"

namespace xmldom {

TXmlDocument::~TXmlDocument() {
  LeaveContent(false);
}

TXmlNodeStore& TXmlDocument::ChildStore() {
  if (!content_) content_ = &TXmlNodeStore::CreateContent();
  return *content_;
}

void TXmlDocument::LeaveContent(bool keepHeldList) noexcept {
  // Without a content store of its own (a held child list of an earlier content received
  // this content) the list is released like any other.
  TXmlNodeStore* content = std::exchange(content_, nullptr);
  if (content && content->HomeLeaves()) {
    // The store went with every object in it, the child list included.
    ForgetChildList();
    return;
  }
  TXmlNodeList* children = MadeChildList();
  if (keepHeldList && children && children->HeldBeyond(1))
    children->ClearItems();
  else
    ReleaseChildList();
}

void TXmlDocument::SetText(std::string_view text) {
  TXmlNodeList& children = GetChildList();
  children.ClearItems();
  auto node = ChildStore().Make<TXmlText>(NameTable(), XmlValue::FromString(text));
  children.InsertNode(node.Get(), 0);
}

void TXmlDocument::WriteXml(TStringBuilder& out) {
  WriteXmlTree(*this, out);
}

// The flag is not copied: a clone starts like any new document.
Ref<TXmlNode> TXmlDocument::CloneSelf(TXmlNodeStore&) {
  return MakeLoose<TXmlDocument>(NameTable());
}

Ref<IXmlElement> TXmlDocument::GetDocumentElement() {
  for (TXmlNode* child : Children())
    if (child->GetNodeType() == kElementNode)
      return Ref<IXmlElement>::Retain(static_cast<TXmlElement*>(child));
  return nullptr;
}

Ref<IXmlElement> TXmlDocument::InitDocument(std::string_view version, std::string_view encoding,
                                            int rootId) {
  CheckNameId(rootId);
  ClearChildren();
  std::string declaration = "version=\"";
  declaration.append(version);
  declaration += "\" encoding=\"";
  declaration.append(encoding.empty() ? kDefaultXmlEncoding : encoding);
  declaration += '"';
  AddChildInstruction(kXmlNameId, declaration);
  return AddChildElement(rootId);
}

Ref<IXmlElement> TXmlDocument::InitDocument(std::string_view version, std::string_view encoding,
                                            std::string_view rootName) {
  return InitDocument(version, encoding, NameTable().InternName(rootName));
}

Ref<IXmlElement> TXmlDocument::CreateElement(int id) {
  CheckNameId(id);
  return ChildStore().Make<TXmlElement>(NameTable(), id);
}

Ref<IXmlElement> TXmlDocument::CreateElement(std::string_view name) {
  return CreateElement(NameTable().InternName(name));
}

Ref<IXmlText> TXmlDocument::CreateText(std::string_view text) {
  return ChildStore().Make<TXmlText>(NameTable(), XmlValue::FromString(text));
}

Ref<IXmlCDATASection> TXmlDocument::CreateCDATASection(std::string_view text) {
  return ChildStore().Make<TXmlCDATASection>(NameTable(), text);
}

Ref<IXmlComment> TXmlDocument::CreateComment(std::string_view text) {
  return ChildStore().Make<TXmlComment>(NameTable(), text);
}

Ref<IXmlProcessingInstruction> TXmlDocument::CreateProcessingInstruction(std::string_view name,
                                                                         std::string_view data) {
  return CreateProcessingInstruction(NameTable().InternName(name), data);
}

Ref<IXmlProcessingInstruction> TXmlDocument::CreateProcessingInstruction(int id,
                                                                         std::string_view data) {
  CheckNameId(id);
  return ChildStore().Make<TXmlProcessingInstruction>(NameTable(), id, data);
}

Ref<IXmlDocument> MakeXmlDocument(std::string_view rootName, std::string_view version,
                                  std::string_view encoding, IXmlNameTable* table) {
  TXmlNameTable* own = table ? dynamic_cast<TXmlNameTable*>(table) : &SharedNameTable();
  if (!own) throw EXmlError(msg::kInvalidTypecast);
  auto document = MakeLoose<TXmlDocument>(*own);
  if (!rootName.empty()) document->InitDocument(version, encoding, rootName);
  return document;
}

}  // namespace xmldom
