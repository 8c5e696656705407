#pragma once

// A node's child elements of one name, counted and taken by their number among them, as a
// script asks for them: the answers of SelectNodes(name), its count and its items, read from
// the children as they are stored, without building a selection or a child list.
//
// Scripts ask in loops: the count, then item 1, 2, 3 ..., going back up to the parent between
// items, often with other lookups in between. The finder remembers, for each of the last few
// parents and names it was asked about, where it found the last item, where the first one is
// and how many there are. The next item is then one step on from the last, and the count, asked
// again, an answer at once; an item asked out of order is counted from the nearer of the known
// places. What it remembers is checked before each use: the parent must be the very node given,
// with as many children, the remembered child must still stand where it was found, and no
// node's children may have changed since (XmlChildChanges.h). It holds no reference: it never
// keeps a node alive, and follows no pointer but those of the live parent the caller gives.
//
//   TXmlNamedChildFinder finder;
//   const int id = parent.SelectionNameId("record");
//   for (int i = 0; i < finder.Count(parent, id); ++i) Use(*finder.Find(parent, id, i).Node);

#include <cstdint>

#include "XmlDom/XmlNode.h"

namespace xmldom {

class TXmlNamedChildFinder {
 public:
  // A child element found, with its place among all the parent's children.
  struct TFound {
    TXmlNode* Node = nullptr;
    int ChildIndex = -1;
    explicit operator bool() const noexcept { return Node != nullptr; }
  };

  // How many of parent's children are elements whose name id is id.
  int Count(const TXmlNode& parent, int id);
  // Whether parent has at least one.
  bool Any(const TXmlNode& parent, int id);
  // The item-th of them, counting from 0; none for an item below 0 or not below their count.
  TFound Find(const TXmlNode& parent, int id, int item);
  // Forgets everything it remembers.
  void Clear() noexcept;

 private:
  // What is known of one parent's children of one name.
  struct TMemo {
    const TXmlNode* Parent = nullptr;  // compared, never followed
    int Id = 0;
    std::uint64_t Changes = 0;       // TXmlChildChanges::Count() when it was learnt
    int Children = 0;                // the parent's number of children then
    int Count = -1;                  // how many match; -1 while not known
    int First = -1;                  // the child index of the first match; -1 while not known
    int Item = -1;                   // the match found last (from 0); -1 for none
    int At = -1;                     // its child index
    const TXmlNode* Node = nullptr;  // the child found there
    std::uint64_t LastUse = 0;
  };
  // Enough for a loop inside a loop, each with a path or a lookup of its own.
  static constexpr int kMemos = 8;

  // The memo of parent and id, checked; a fresh one (in place of the one used longest ago) when
  // there is none or it no longer holds.
  TMemo& MemoFor(const TXmlNode& parent, int id, const TXmlChildren& children);
  static bool Holds(const TMemo& memo, const TXmlChildren& children) noexcept;
  // Scans from the child at index, which follows `item` matches, to the end; stops at match
  // `wanted` (never, when -1). Counts the matches when it reaches the end.
  TFound ScanForward(TMemo& memo, const TXmlChildren& children, int index, int item, int wanted);
  // The match `wanted`, below the memo's last one, found by going back from it.
  TFound ScanBack(TMemo& memo, const TXmlChildren& children, int wanted);
  static TFound Remember(TMemo& memo, const TXmlChildren& children, int item, int at) noexcept;

  TMemo memos_[kMemos];
  std::uint64_t uses_ = 0;
};

}  // namespace xmldom
