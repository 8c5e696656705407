// Operations that are declared but not built yet: child lookup and selection, and the loading
// and saving of documents. Each raises EXmlError naming itself until its implementation
// replaces the definition here.
#include "XmlDom/XmlDocument.h"
#include "common/Error.h"

namespace {

[[noreturn]] void NotImplementedYet(const char* operation) {
  throw EXmlError(std::string("Not implemented yet: ") + operation);
}

}  // namespace

// ---- Child lookup and selection.

std::string TXmlNode::GetNamedChildText(std::string_view, std::string_view) {
  NotImplementedYet("GetNamedChildText");
}
std::string TXmlNode::GetNamedChildText(int, std::string_view) {
  NotImplementedYet("GetNamedChildText");
}
void TXmlNode::SetNamedChildText(std::string_view, std::string_view) {
  NotImplementedYet("SetNamedChildText");
}
void TXmlNode::SetNamedChildText(int, std::string_view) {
  NotImplementedYet("SetNamedChildText");
}
Ref<IXmlNode> TXmlNode::RequireChild(int) {
  NotImplementedYet("RequireChild");
}
Ref<IXmlNode> TXmlNode::RequireChild(std::string_view) {
  NotImplementedYet("RequireChild");
}
Ref<IXmlNode> TXmlNode::GetOrAddChild(int) {
  NotImplementedYet("GetOrAddChild");
}
Ref<IXmlNode> TXmlNode::GetOrAddChild(std::string_view) {
  NotImplementedYet("GetOrAddChild");
}
Ref<IXmlNodeList> TXmlNode::SelectNodes(std::string_view) {
  NotImplementedYet("SelectNodes");
}
Ref<IXmlNodeList> TXmlNode::SelectNodes(int) {
  NotImplementedYet("SelectNodes");
}
Ref<IXmlNode> TXmlNode::SelectSingleNode(std::string_view) {
  NotImplementedYet("SelectSingleNode");
}
Ref<IXmlElement> TXmlNode::FindChildByAttr(std::string_view, std::string_view, const XmlValue&) {
  NotImplementedYet("FindChildByAttr");
}
Ref<IXmlNodeList> TXmlNode::FindChildrenByAttr(std::string_view, std::string_view,
                                               const XmlValue&) {
  NotImplementedYet("FindChildrenByAttr");
}
XmlValue TXmlNode::GetPathValue(std::string_view) {
  NotImplementedYet("GetPathValue");
}
void TXmlNode::SetPathValue(std::string_view, const XmlValue&) {
  NotImplementedYet("SetPathValue");
}

// ---- Loading and saving documents.

std::string TXmlDocument::ToBinaryString() {
  NotImplementedYet("ToBinaryString");
}
void TXmlDocument::LoadXML(std::string_view) {
  NotImplementedYet("LoadXML");
}
void TXmlDocument::LoadBinaryString(std::string_view) {
  NotImplementedYet("LoadBinaryString");
}
void TXmlDocument::Load(TXmlStream&) {
  NotImplementedYet("Load");
}
void TXmlDocument::Load(const std::string&) {
  NotImplementedYet("Load");
}
void TXmlDocument::LoadFromResource(std::string_view, std::string_view) {
  NotImplementedYet("LoadFromResource");
}
void TXmlDocument::Save(TXmlStream&) {
  NotImplementedYet("Save");
}
void TXmlDocument::Save(const std::string&) {
  NotImplementedYet("Save");
}
void TXmlDocument::SaveAsBinary(TXmlStream&, int) {
  NotImplementedYet("SaveAsBinary");
}
void TXmlDocument::SaveAsBinary(const std::string&, int) {
  NotImplementedYet("SaveAsBinary");
}
