// Moving the cursor: by child element name, by position, to the parent, to the next sibling
// and down a path. Selection looks at the direct children of the current node only.
#include <cstdint>
#include <limits>

#include "XmlDom/XmlNodeList.h"
#include "unitXml/NodePath.h"
#include "unitXml/zelXMLParser.h"

using namespace xmldom;

namespace {

// The 0-based list index of a 1-based Lingo item. An item no list can have stays outside
// every list, so the list raises its index failure for it.
int ListIndex(std::int32_t item) {
  return item > std::numeric_limits<std::int32_t>::min() ? item - 1 : -1;
}

// Whether the document's XML text would be empty, without writing it out: any node but a
// text node always writes some markup, so only a document of text nodes needs the text.
bool HasXmlText(IXmlDocument& document) {
  const Ref<IXmlNodeList> children = document.GetChildNodes();
  if (children->GetCount() == 0) return false;
  for (int i = 0; i < children->GetCount(); ++i)
    if (children->GetItem(i)->GetNodeType() != kTextNode) return true;
  return !document.GetXML().empty();
}

}  // namespace

// ---- The cursor's moves.

void TzelXMLParser::JumpTo(Ref<IXmlNode> node) {
  CurrentNode = std::move(node);
  places_.Clear();
}

void TzelXMLParser::MoveDown(Ref<IXmlNode> child, int index) {
  places_.Down(CurrentNode.Get(), index);
  CurrentNode = std::move(child);
}

void TzelXMLParser::MoveUp(Ref<IXmlNode> parent) {
  places_.Up(parent.Get());
  CurrentNode = std::move(parent);
}

// The next sibling by the node's place among its parent's children. Looking for that place
// costs a pass over the siblings, which would make a walk along n siblings cost n * n / 2
// steps; the cursor remembers the place instead, and trusts it only after checking it.
Ref<IXmlNode> TzelXMLParser::NextSiblingOfCurrent(int& index) {
  index = -1;
  const Ref<IXmlNode> parent = CurrentNode->GetParentNode();
  if (!parent) return nullptr;
  const Ref<IXmlNodeList> siblings = parent->GetChildNodes();
  const int count = siblings->GetCount();
  int at = places_.Current();
  if (at < 0 || at >= count || !(siblings->GetItem(at) == CurrentNode))
    at = siblings->IndexOf(CurrentNode.Get());
  if (at < 0 || at + 1 >= count) return nullptr;
  index = at + 1;
  return siblings->GetItem(index);
}

// ---- The Lingo methods.

void TzelXMLParser::selectSingleNode(IDXArgList& args, IDXValue& result, bool&) {
  const Ref<IDXValue> name = args.Item(1);
  if (Ref<IXmlNode> found = RequireCurrentNode().SelectSingleNode(name->AsString())) {
    MoveDown(std::move(found));
    result.SetAsBoolean(true);
  }
}

void TzelXMLParser::nodeCount(IDXArgList& args, IDXValue& result, bool&) {
  const Ref<IDXValue> name = args.Item(1);
  result.SetAsInteger(RequireCurrentNode().SelectNodes(name->AsString())->GetCount());
}

void TzelXMLParser::selectNode(IDXArgList& args, IDXValue& result, bool&) {
  const Ref<IDXValue> name = args.Item(1);
  const Ref<IXmlNodeList> selected = RequireCurrentNode().SelectNodes(name->AsString());
  if (selected->GetCount() == 0) return;
  MoveDown(selected->GetItem(ListIndex(args.Item(2)->AsInteger())));
  result.SetAsBoolean(true);
}

void TzelXMLParser::childCount(IDXArgList&, IDXValue& result, bool&) {
  result.SetAsInteger(RequireCurrentNode().GetChildNodes()->GetCount());
}

void TzelXMLParser::selectChild(IDXArgList& args, IDXValue& result, bool&) {
  const Ref<IXmlNodeList> children = RequireCurrentNode().GetChildNodes();
  if (children->GetCount() == 0) return;
  const int index = ListIndex(args.Item(1)->AsInteger());
  MoveDown(children->GetItem(index), index);
  result.SetAsBoolean(true);
}

void TzelXMLParser::parentNode(IDXArgList&, IDXValue& result, bool&) {
  if (Ref<IXmlNode> parent = RequireCurrentNode().GetParentNode()) {
    MoveUp(std::move(parent));
    result.SetAsBoolean(true);
  }
}

// Running past the last sibling leaves no current node; that is how a script's walk ends, not
// a failure.
void TzelXMLParser::nextNode(IDXArgList&, IDXValue&, bool&) {
  RequireCurrentNode();
  int index = -1;
  CurrentNode = NextSiblingOfCurrent(index);
  places_.Sideways(index);
}

void TzelXMLParser::pathNode(IDXArgList& args, IDXValue& result, bool&) {
  if (!HasXmlText(RequireDocument())) return;
  const std::string path = NormalizeNodePath(args.Item(1)->AsString());
  // Each segment that matches moves the cursor for good, also when a later one fails.
  for (std::string_view segment : NodePathSegments(path)) {
    Ref<IXmlNode> child = RequireCurrentNode().SelectSingleNode(segment);
    if (!child) return;
    MoveDown(std::move(child));
  }
  result.SetAsBoolean(true);
}
