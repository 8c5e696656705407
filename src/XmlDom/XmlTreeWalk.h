#pragma once

// The one way the library walks an existing tree in document order: writing it as text or
// binary XML, cloning it and joining its texts. The walk keeps its own stack of
// open levels, so a tree at the nesting limit (or a million levels deep, built by a script)
// costs the call stack no more than a flat one, and it reads the children through
// TXmlChildren, so it never makes a child list nor turns an element's value into a child.
//
// A node reachable through several lists is visited once per list, as it is written once per
// list. Building a tree as it is read (the readers) and destroying one (the queue in
// XmlNode.cpp) are not walks of an existing tree and go their own ways; so does moving a
// subtree onto another name table, whose order decides the ids that names get.

#include <cstddef>
#include <vector>

#include "XmlDom/XmlNode.h"

namespace xmldom {

// Visits root and its descendants in document order. visitor.Enter(node, depth) is called on
// each node, depth being the number of its ancestors within the walk (0 for root); when it
// returns true the node's children are visited next and visitor.Leave(node) after them.
// Exceptions from the visitor end the walk.
template <class TVisitor>
void WalkXmlTree(TXmlNode& root, TVisitor&& visitor) {
  struct TLevel {
    TXmlNode* Node;
    TXmlChildren Children;
    int Next;
  };
  if (!visitor.Enter(root, std::size_t(0))) return;
  std::vector<TLevel> levels{{&root, root.Children(), 0}};
  while (!levels.empty()) {
    TLevel& top = levels.back();
    if (top.Next == top.Children.Count()) {
      TXmlNode& done = *top.Node;
      levels.pop_back();
      visitor.Leave(done);
      continue;
    }
    TXmlNode& child = *top.Children.Item(top.Next++);
    if (visitor.Enter(child, levels.size())) levels.push_back({&child, child.Children(), 0});
  }
}

}  // namespace xmldom
