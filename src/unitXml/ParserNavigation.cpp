// Moving the cursor: by child element name, by position, to the parent, to the next sibling
// and down a path. Selection looks at the direct children of the current node only, and reads
// them as they are stored: no method here builds a selection or makes a child list to answer.
#include <cstdint>
#include <limits>

#include "XmlDom/XmlErrors.h"
#include "unitXml/NodePath.h"
#include "unitXml/zelXMLParser.h"

using namespace xmldom;

namespace {

// The 0-based index of a 1-based Lingo item. An item no list can have stays outside every
// list, so that it fails as an index.
int ListIndex(std::int32_t item) {
  return item > std::numeric_limits<std::int32_t>::min() ? item - 1 : -1;
}

// Whether the document's XML text would be empty, without writing it out: any node but a
// text node always writes some markup, so only a document of text nodes needs the text.
bool HasXmlText(IXmlDocument& document) {
  const TXmlChildren children = NodeOf(&document).Children();
  if (children.Count() == 0) return false;
  for (TXmlNode* child : children)
    if (child->GetNodeType() != kTextNode) return true;
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

void TzelXMLParser::MoveDown(const TXmlNamedChildFinder::TFound& found) {
  MoveDown(found.Node->Interface(), found.ChildIndex);
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
  const TXmlNode& current = RequireCurrentNode();
  const TXmlNode* parent = current.Parent();
  if (!parent) return nullptr;
  const TXmlChildren siblings = parent->Children();
  const int count = siblings.Count();
  int at = places_.Current();
  if (at < 0 || at >= count || siblings.Item(at) != &current) at = siblings.IndexOf(&current);
  if (at < 0 || at + 1 >= count) return nullptr;
  index = at + 1;
  // A walk reads the one after next soon: siblings lie apart in memory, so ask for it now.
  if (index + 1 < count) __builtin_prefetch(siblings.Item(index + 1));
  return siblings.Item(index)->Interface();
}

// ---- The Lingo methods.

bool TzelXMLParser::selectSingleNode(std::string_view nodeName) {
  TXmlNode& node = RequireCurrentNode();
  const auto found = namedChildren_.Find(node, node.SelectionNameId(nodeName), 0);
  if (!found) return false;
  MoveDown(found);
  return true;
}

std::int32_t TzelXMLParser::nodeCount(std::string_view nodeName) {
  TXmlNode& node = RequireCurrentNode();
  return namedChildren_.Count(node, node.SelectionNameId(nodeName));
}

// Without any child of that name the item is never read, so an item that does not convert
// fails only where there is something to choose from.
bool TzelXMLParser::selectNode(std::string_view nodeName, TDXDeferred<std::int32_t> item) {
  TXmlNode& node = RequireCurrentNode();
  const int id = node.SelectionNameId(nodeName);
  if (!namedChildren_.Any(node, id)) return false;
  const auto found = namedChildren_.Find(node, id, ListIndex(item.Read()));
  if (!found) RaiseListIndexError();
  MoveDown(found);
  return true;
}

std::int32_t TzelXMLParser::childCount() {
  return RequireCurrentNode().ListedChildCount();
}

// Without children the item is never read.
bool TzelXMLParser::selectChild(TDXDeferred<std::int32_t> item) {
  TXmlNode& node = RequireCurrentNode();
  const int count = node.ListedChildCount();
  if (count == 0) return false;
  const int index = ListIndex(item.Read());
  if (index < 0 || index >= count) RaiseListIndexError();
  MoveDown(node.ListedChild(index).Interface(), index);
  return true;
}

bool TzelXMLParser::parentNode() {
  Ref<IXmlNode> parent = RequireCurrentNode().GetParentNode();
  if (!parent) return false;
  MoveUp(std::move(parent));
  return true;
}

// Running past the last sibling leaves no current node; that is how a script's walk ends, not
// a failure.
void TzelXMLParser::nextNode() {
  int index = -1;
  CurrentNode = NextSiblingOfCurrent(index);
  places_.Sideways(index);
}

// A document without XML text has nowhere to go: the path is not read.
bool TzelXMLParser::pathNode(TDXDeferred<std::string_view> nodePath) {
  if (!HasXmlText(RequireDocument())) return false;
  const std::string path = NormalizeNodePath(nodePath.Read());
  // Each segment that matches moves the cursor for good, also when a later one fails.
  for (std::string_view segment : NodePathSegments(path)) {
    TXmlNode& node = RequireCurrentNode();
    const auto child = namedChildren_.Find(node, node.SelectionNameId(segment), 0);
    if (!child) return false;
    MoveDown(child);
  }
  return true;
}
