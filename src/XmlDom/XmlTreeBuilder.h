#pragma once

// TXmlTreeBuilder: how the readers give the nodes they make their children. A reader knows
// what no other code does: the nodes are fresh, made in the store of their parent, and a level's
// count is known when the level closes. So it fills a node's child slot directly, through these
// steps only.

#include "XmlDom/XmlNode.h"

namespace xmldom {

class TXmlTreeBuilder {
 public:
  // Gives a node without children its only child: made in the node's store, linked already
  // (the link passes to the node), with the node as parent.
  static void AdoptOnlyChild(TXmlNode& parent, TXmlNode& child) noexcept {
    assert(child.Parent() == &parent && &child.Store() == &parent.Store());
    parent.children_.AdoptOnlyChild(child);
  }
  // Makes the child list of a node without children, with room for capacity items (> 0), in
  // store, the node's child store; the reader counts it in readLists (TXmlReadNodes).
  static TXmlNodeList& NewList(TXmlNodeStore& store, TXmlNode& parent, int capacity,
                               long& readLists) {
    assert(parent.children_.Empty() && capacity > 0);
    assert(&store == &parent.ChildStore());
    return parent.children_.MakeEmptyList(parent, store, capacity, &readLists);
  }
};

}  // namespace xmldom
