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
  const TXmlChildren children = document.Children();
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
  MoveDown(Ref<IXmlNode>::Retain(found.Node), found.ChildIndex);
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
  return Ref<IXmlNode>::Retain(siblings.Item(index));
}

// ---- The Lingo methods.

void TzelXMLParser::selectSingleNode(IDXArgList& args, IDXValue& result, bool&) {
  const Ref<IDXValue> name = args.Item(1);
  TXmlNode& node = RequireCurrentNode();
  if (const auto found = namedChildren_.Find(node, node.SelectionNameId(name->AsString()), 0)) {
    MoveDown(found);
    result.SetAsBoolean(true);
  }
}

void TzelXMLParser::nodeCount(IDXArgList& args, IDXValue& result, bool&) {
  const Ref<IDXValue> name = args.Item(1);
  TXmlNode& node = RequireCurrentNode();
  result.SetAsInteger(namedChildren_.Count(node, node.SelectionNameId(name->AsString())));
}

// Without any child of that name the item is never read, so an item that does not convert
// fails only where there is something to choose from.
void TzelXMLParser::selectNode(IDXArgList& args, IDXValue& result, bool&) {
  const Ref<IDXValue> name = args.Item(1);
  TXmlNode& node = RequireCurrentNode();
  const int id = node.SelectionNameId(name->AsString());
  if (!namedChildren_.Any(node, id)) return;
  const auto found = namedChildren_.Find(node, id, ListIndex(args.Item(2)->AsInteger()));
  if (!found) RaiseListIndexError();
  MoveDown(found);
  result.SetAsBoolean(true);
}

void TzelXMLParser::childCount(IDXArgList&, IDXValue& result, bool&) {
  result.SetAsInteger(RequireCurrentNode().ListedChildCount());
}

void TzelXMLParser::selectChild(IDXArgList& args, IDXValue& result, bool&) {
  TXmlNode& node = RequireCurrentNode();
  const int count = node.ListedChildCount();
  if (count == 0) return;
  const int index = ListIndex(args.Item(1)->AsInteger());
  if (index < 0 || index >= count) RaiseListIndexError();
  MoveDown(Ref<IXmlNode>::Retain(&node.ListedChild(index)), index);
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
  int index = -1;
  CurrentNode = NextSiblingOfCurrent(index);
  places_.Sideways(index);
}

void TzelXMLParser::pathNode(IDXArgList& args, IDXValue& result, bool&) {
  if (!HasXmlText(RequireDocument())) return;
  const std::string path = NormalizeNodePath(args.Item(1)->AsString());
  // Each segment that matches moves the cursor for good, also when a later one fails.
  for (std::string_view segment : NodePathSegments(path)) {
    TXmlNode& node = RequireCurrentNode();
    const auto child = namedChildren_.Find(node, node.SelectionNameId(segment), 0);
    if (!child) return;
    MoveDown(child);
  }
  result.SetAsBoolean(true);
}
