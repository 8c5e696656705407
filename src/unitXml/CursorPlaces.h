#pragma once

// Where the cursor's nodes stand among their parents' children, as far as the cursor's own
// moves tell: selection by position or by name knows the place it goes to, nextNode the next
// one, and parentNode finds again the place of the node the cursor came down from. The places
// are a hint only, to spare looking for a node in a long child list; whoever uses them checks
// them first.
//
// The nodes the cursor came down through are held. A node lives only while something holds it,
// and once its document has gone nothing else does: without these holds, moving from a node
// that outlived its document to one of its children would take that node apart, and the child
// would lose its parent and its siblings. Held, the surviving tree stays whole for as long as
// the cursor walks inside it.

#include <vector>

#include "XmlDom/IXmlNode.h"

class TCursorPlaces {
 public:
  // The cursor jumped (a load, startXML): nothing is known, and the nodes above are let go.
  void Clear();
  // The cursor went from a node to one of its children, at childIndex (-1: not known).
  void Down(const xmldom::IXmlNode* from, int childIndex);
  // The cursor went to the parent of the node it was on.
  void Up(const xmldom::IXmlNode* parent);
  // The cursor went to a sibling, at index (-1: not known).
  void Sideways(int index) { current_ = index; }

  // The place of the cursor's node, or -1.
  int Current() const { return current_; }

 private:
  struct TPlace {
    Ref<const xmldom::IXmlNode> Node;
    int Index;
  };

  std::vector<TPlace> above_;  // one per level the cursor came down
  int current_ = -1;
};
