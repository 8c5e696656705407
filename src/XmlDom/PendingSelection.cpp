// Child lookup and selection, declared but not built yet: each raises EXmlError naming itself
// until its implementation replaces the definition here.
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
